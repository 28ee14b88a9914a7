#include "persistence/high_score_table.h"

#include <cstring>

#include "persistence/ce_db_prop.h"
#include "platform/data_batch.h"
#include "platform/error.h"
#include "platform/local_memory.h"
#include "platform/window.h"

namespace {

constexpr char16_t kDatabaseName[] = u"HISCORE";
constexpr ce::DWORD kDatabaseType = 0x42524451;
constexpr ce::WORD kPropCount = 5;
constexpr int kNameLength = 9;

void ShowError(const char16_t* text, ce::UINT icon) {
  ce::MessageBoxW(nullptr, text, u"Error", ce::MB_OK | icon);
}

// Copies at most kNameLength characters and the terminator.
void CopyName(char16_t* to, const char16_t* from) {
  int n = 0;
  for (; n < kNameLength && from[n] != 0; ++n) to[n] = from[n];
  to[n] = 0;
}

int CompareNames(const char16_t* a, const char16_t* b) {
  for (;; ++a, ++b) {
    if (*a != *b) return *a < *b ? -1 : 1;
    if (*a == 0) return 0;
  }
}

bool IsEmpty(const HighScoreEntry& entry) { return entry.name[0] == 0 && entry.score == 0; }

void EmptyEntry(HighScoreEntry* entry) { std::memset(entry, 0, sizeof *entry); }

// The five properties of an entry's record, in index order.
void BuildProps(const HighScoreEntry& entry, CCeDbPropList* list) {
  list->Clear();
  CCeDbProp prop;
  prop.SetIndex(0);
  prop.SetBool(entry.isNewest);
  list->Insert(prop, list->count);
  const ce::LONG numbers[] = {entry.score, entry.reserved1, entry.reserved2};
  for (ce::WORD i = 0; i < 3; ++i) {
    prop.SetIndex(static_cast<ce::WORD>(i + 1));
    prop.SetLong(numbers[i]);
    list->Insert(prop, list->count);
  }
  prop.SetIndex(4);
  prop.SetString(entry.name);
  list->Insert(prop, list->count);
}

// Writes one record (0: a new one) and reports a full store or a bad
// parameter.
void WriteRecord(ce::HANDLE database, ce::CEOID record, const HighScoreEntry& entry) {
  CCeDbPropList list;
  BuildProps(entry, &list);
  ce::CEPROPVAL values[kPropCount];
  list.GetValues(values);
  ce::CeWriteRecordProps(database, record, kPropCount, values);
  ce::DWORD error = ce::GetLastError();
  if (error == ce::ERROR_DISK_FULL) ShowError(u"Disk is full!", 0);
  if (error == ce::ERROR_INVALID_PARAMETER) ShowError(u"Invalid parameter!", 0);
}

ce::HANDLE OpenHighScores() {
  ce::CEOID oid = 0;
  ce::HANDLE database = ce::CeOpenDatabase(&oid, kDatabaseName, 0, 0, nullptr);
  switch (ce::GetLastError()) {
    case ce::ERROR_FILE_NOT_FOUND:
      ShowError(u"No database exists with the specified name.", ce::MB_ICONSTOP);
      break;
    case ce::ERROR_NOT_ENOUGH_MEMORY:
      ShowError(u"No memory was available to allocate a database handle.", ce::MB_ICONSTOP);
      break;
    case ce::ERROR_INVALID_PARAMETER:
      ShowError(u"A parameter was invalid.", ce::MB_ICONSTOP);
      break;
    default:
      break;
  }
  return database;
}

}  // namespace

HighScoreTable::HighScoreTable() : volumeGuid() { Clear(); }

// The database and its empty records are made together, in one write of
// the data file.
void HighScoreTable::CreateDatabase() {
  ce::DataBatch batch;
  std::memset(&volumeGuid, 0, sizeof volumeGuid);
  ce::CEDBASEINFO info{};
  info.dwFlags = ce::CEDB_VALIDNAME | ce::CEDB_VALIDTYPE;
  std::memcpy(info.szDbaseName, kDatabaseName, sizeof kDatabaseName);
  info.dwDbaseType = kDatabaseType;
  ce::CeCreateDatabaseEx(&volumeGuid, &info);
  switch (ce::GetLastError()) {
    case ce::ERROR_DISK_FULL:
    case ce::ERROR_INVALID_PARAMETER:
      ShowError(u"Unable to create HiScore database!", ce::MB_ICONSTOP);
      return;
    case ce::ERROR_DUP_NAME:
      return;
    default:
      break;
  }
  Clear();
  ce::HANDLE database = OpenHighScores();
  for (const HighScoreEntry& entry : entries) WriteRecord(database, 0, entry);
  ce::CloseHandle(database);
  if (batch.Commit() == ce::ERROR_DISK_FULL) ShowError(u"Disk is full!", 0);
}

void HighScoreTable::Load() {
  ce::CEOID oid = 0;
  ce::HANDLE database = ce::CeOpenDatabase(&oid, kDatabaseName, 0, 0, nullptr);
  ce::DWORD index = 0;
  // No last record means an empty database (or none at all).
  int count = 0;
  if (ce::CeSeekDatabase(database, ce::CEDB_SEEK_END, 0, &index) != 0)
    count = index + 1 < kEntries ? static_cast<int>(index) + 1 : kEntries;
  if (count > 0) ce::CeSeekDatabase(database, ce::CEDB_SEEK_BEGINNING, 0, &index);
  for (int i = 0; i < count; ++i) {
    HighScoreEntry& entry = entries[i];
    ce::WORD props = 0;
    ce::BYTE* buffer = nullptr;
    ce::DWORD size = 0;
    if (ce::CeReadRecordPropsEx(database, ce::CEDB_ALLOWREALLOC, &props, nullptr, &buffer, &size,
                                nullptr) == 0)
      props = 0;
    const auto* values = reinterpret_cast<const ce::CEPROPVAL*>(buffer);
    for (int p = 0; p < props; ++p) {
      const ce::CEPROPVAL& value = values[p];
      ce::WORD propIndex = ce::IndexFromPropId(value.propid);
      switch (ce::TypeFromPropId(value.propid)) {
        case ce::CEVT_I4:
          if (propIndex == 1) entry.score = value.val.lVal;
          if (propIndex == 2) entry.reserved1 = value.val.lVal;
          if (propIndex == 3) entry.reserved2 = value.val.lVal;
          break;
        case ce::CEVT_BOOL:
          entry.isNewest = value.val.boolVal != 0 ? 1 : 0;
          break;
        case ce::CEVT_LPWSTR:
          CopyName(entry.name, value.val.lpwstr);
          break;
        default:
          break;
      }
    }
    ce::LocalFree(buffer);
    ce::CeSeekDatabase(database, ce::CEDB_SEEK_CURRENT, 1, &index);
  }
  ce::CloseHandle(database);
}

// Each record is written on its own: one that cannot be written is told,
// and the others are still written. All of them, and what the afterSave
// hook writes beside them, go to the data file in one transaction, so a
// run ended at any moment leaves the old table or the new one, never a mix.
void HighScoreTable::Save() {
  ce::DataBatch batch;
  ce::HANDLE database = OpenHighScores();
  ce::DWORD index = 0;
  ce::CEOID record = ce::CeSeekDatabase(database, ce::CEDB_SEEK_BEGINNING, 0, &index);
  for (const HighScoreEntry& entry : entries) {
    WriteRecord(database, record, entry);
    // Past the last record (a database left short by a crash while it was
    // made) the rest become new records, so that none overwrites another.
    if (record != 0) record = ce::CeSeekDatabase(database, ce::CEDB_SEEK_CURRENT, 1, &index);
  }
  ce::CloseHandle(database);
  if (afterSave != nullptr) afterSave(*this);
  if (batch.Commit() == ce::ERROR_DISK_FULL) ShowError(u"Disk is full!", 0);
}

void (*HighScoreTable::afterSave)(const HighScoreTable&) = nullptr;

void HighScoreTable::Clear() {
  for (HighScoreEntry& entry : entries) EmptyEntry(&entry);
}

int HighScoreTable::InsertScore(const HighScoreEntry& entry) {
  int k = FindFirstEmpty();
  for (int i = 0; i < k; ++i) entries[i].isNewest = 0;
  if (k < kEntries) {
    if (entry.score == 0) return 0;
    entries[k] = entry;
    return 1;
  }
  SortByScore();
  HighScoreEntry& last = entries[kEntries - 1];
  if (last.score > entry.score) return 0;
  if (last.score == entry.score && CompareNames(last.name, entry.name) < 0) return 0;
  last = entry;
  return 1;
}

void HighScoreTable::SortByScore() {
  for (int i = 0; i < kEntries - 1; ++i) {
    for (int j = i + 1; j < kEntries; ++j) {
      const HighScoreEntry& a = entries[i];
      const HighScoreEntry& b = entries[j];
      if (a.score > b.score) continue;
      if (a.score == b.score && CompareNames(a.name, b.name) < 0) continue;
      HighScoreEntry t = entries[i];
      entries[i] = entries[j];
      entries[j] = t;
    }
  }
}

int HighScoreTable::FindFirstEmpty() const {
  for (int i = 0; i < kEntries; ++i)
    if (IsEmpty(entries[i])) return i;
  return kEntries;
}

void HighScoreTable::GetEntry(int index, HighScoreEntry* entry) const {
  if (index < 0 || index >= kEntries) {
    ShowError(u"This Number of record is bigger than is permitted", ce::MB_ICONSTOP);
    return;
  }
  *entry = entries[index];
}
