#include "platform/game_records.h"

#include <mutex>

#include "platform/data_store.h"
#include "platform/platform.h"

namespace ce {

namespace {

constexpr const char* kTable =
    "CREATE TABLE IF NOT EXISTS game_records("
    " name TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " record BLOB NOT NULL,"
    " PRIMARY KEY(name, score))";

std::string NameText(const std::u16string& name) { return ToUtf8(name.c_str()); }

// Inside a transaction: the rows of entries not in `entries` go.
DWORD DropOthers(detail::DataStore* store, const std::vector<GameRecordKey>& entries) {
  detail::Statement all(store->db(), "SELECT name, score FROM game_records");
  std::vector<std::pair<std::string, std::int64_t>> gone;
  while (all.Step()) {
    bool kept = false;
    for (const GameRecordKey& e : entries)
      kept = kept || (NameText(e.first) == all.Text(0) && e.second == all.Int(1));
    if (!kept) gone.emplace_back(all.Text(0), all.Int(1));
  }
  if (!all.ok()) return detail::DataStore::WriteError(all.rc());
  for (const auto& [name, score] : gone) {
    detail::Statement drop(store->db(), "DELETE FROM game_records WHERE name = ? AND score = ?");
    if (!drop.Bind(1, name).Bind(2, score).Run()) return detail::DataStore::WriteError(drop.rc());
  }
  return ERROR_SUCCESS;
}

DWORD MakeTable(detail::DataStore* store) {
  detail::Statement make(store->db(), kTable);
  return make.Run() ? ERROR_SUCCESS : detail::DataStore::WriteError(make.rc());
}

}  // namespace

bool KeepGameRecord(const GameRecordKey& entry, const std::vector<BYTE>& record) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  detail::DataStore* store = detail::OpenDataStore();
  return store->Write([&]() -> DWORD {
    if (DWORD error = MakeTable(store); error != ERROR_SUCCESS) return error;
    detail::Statement put(store->db(),
                          "INSERT OR REPLACE INTO game_records(name, score, record) "
                          "VALUES(?, ?, ?)");
    if (!put.Bind(1, NameText(entry.first))
             .Bind(2, entry.second)
             .BindBlob(3, record.data(), record.size())
             .Run())
      return detail::DataStore::WriteError(put.rc());
    return ERROR_SUCCESS;
  }) == ERROR_SUCCESS;
}

bool KeepOnlyGameRecords(const std::vector<GameRecordKey>& entries) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  detail::DataStore* store = detail::OpenDataStore();
  return store->Write([&]() -> DWORD {
    if (DWORD error = MakeTable(store); error != ERROR_SUCCESS) return error;
    return DropOthers(store, entries);
  }) == ERROR_SUCCESS;
}

bool FindGameRecord(const GameRecordKey& entry, std::vector<BYTE>* record) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  detail::DataStore* store = detail::OpenDataStore();
  detail::Statement find(store->db(),
                         "SELECT record FROM game_records WHERE name = ? AND score = ?");
  if (!find.Bind(1, NameText(entry.first)).Bind(2, entry.second).Step()) return false;
  *record = find.Blob(0);
  return true;
}

}  // namespace ce
