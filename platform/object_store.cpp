#include "platform/object_store.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/data_store.h"
#include "platform/error.h"
#include "platform/local_memory.h"
#include "platform/platform.h"

namespace ce {

namespace {

class Database : public detail::KernelObject {
 public:
  CEOID oid = 0;
  DWORD flags = 0;
  DWORD position = 0;  // index of the current record
};

// Sets the thread's last error and returns `result`.
template <typename T>
T Fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

template <typename T>
T Succeed(T result) {
  SetLastError(ERROR_SUCCESS);
  return result;
}

std::vector<CEOID> RecordsOf(detail::DataStore* store, CEOID database) {
  std::vector<CEOID> records;
  detail::Statement list(store->db(), "SELECT oid FROM records WHERE database = ? ORDER BY oid");
  list.Bind(1, database);
  while (list.Step()) records.push_back(static_cast<CEOID>(list.Int(0)));
  return records;
}

bool IsKeptType(WORD type) { return type == CEVT_I4 || type == CEVT_BOOL || type == CEVT_LPWSTR; }

// One property as read from the file.
struct StoredProp {
  CEPROPID propid;
  LONG number;
  std::u16string text;
};

bool ReadProps(detail::DataStore* store, CEOID record, std::vector<StoredProp>* props) {
  detail::Statement read(store->db(),
                         "SELECT idx, type, value FROM properties WHERE record = ? ORDER BY idx");
  read.Bind(1, record);
  while (read.Step()) {
    WORD type = static_cast<WORD>(read.Int(1));
    if (!IsKeptType(type)) continue;
    StoredProp prop{MakePropId(static_cast<WORD>(read.Int(0)), type), 0, {}};
    if (type != CEVT_LPWSTR) {
      prop.number = static_cast<LONG>(read.Int(2));
    } else if (read.ColumnType(2) == SQLITE_BLOB) {
      std::vector<BYTE> bytes = read.Blob(2);
      prop.text.resize(bytes.size() / sizeof(char16_t));
      std::memcpy(prop.text.data(), bytes.data(), prop.text.size() * sizeof(char16_t));
    } else {
      prop.text = FromUtf8(read.Text(2));
    }
    props->push_back(std::move(prop));
  }
  return read.rc() == SQLITE_DONE;
}

DWORD WriteProp(detail::DataStore* store, CEOID record, const CEPROPVAL& value) {
  WORD index = IndexFromPropId(value.propid);
  WORD type = TypeFromPropId(value.propid);
  if ((value.wFlags & CEDB_PROPDELETE) != 0) {
    detail::Statement erase(store->db(), "DELETE FROM properties WHERE record = ? AND idx = ?");
    erase.Bind(1, record).Bind(2, index);
    return erase.Run() ? ERROR_SUCCESS : detail::DataStore::WriteError(erase.rc());
  }
  detail::Statement insert(store->db(),
                           "INSERT OR REPLACE INTO properties(record, idx, type, value)"
                           " VALUES(?, ?, ?, ?)");
  insert.Bind(1, record).Bind(2, index).Bind(3, type);
  if (type == CEVT_I4) {
    insert.Bind(4, value.val.lVal);
  } else if (type == CEVT_BOOL) {
    insert.Bind(4, value.val.boolVal);
  } else {
    // Text stays readable where that loses nothing; otherwise the UTF-16.
    std::size_t length = std::char_traits<char16_t>::length(value.val.lpwstr);
    std::string text;
    if (detail::Utf16ToStoredText(value.val.lpwstr, length, &text))
      insert.Bind(4, text);
    else
      insert.BindBlob(4, value.val.lpwstr, length * sizeof(char16_t));
  }
  return insert.Run() ? ERROR_SUCCESS : detail::DataStore::WriteError(insert.rc());
}

}  // namespace

CEOID CeCreateDatabaseEx(PCEGUID, CEDBASEINFO* info) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  if (info == nullptr || (info->dwFlags & CEDB_VALIDNAME) == 0 ||
      ((info->dwFlags & CEDB_VALIDSORTSPEC) != 0 && info->wNumSortOrder != 0))
    return Fail(ERROR_INVALID_PARAMETER, CEOID{0});
  std::size_t length = 0;
  while (length < CEDB_MAXDBASENAMELEN && info->szDbaseName[length] != 0) ++length;
  if (length == 0 || length == CEDB_MAXDBASENAMELEN) return Fail(ERROR_INVALID_PARAMETER, CEOID{0});
  std::string name = ToUtf8(std::u16string(info->szDbaseName, length).c_str());
  DWORD type = (info->dwFlags & CEDB_VALIDTYPE) != 0 ? info->dwDbaseType : 0;

  detail::DataStore* store = detail::OpenDataStore();
  detail::Statement find(store->db(), "SELECT oid FROM databases WHERE name = ?");
  if (find.Bind(1, name).Step()) return Fail(ERROR_DUP_NAME, CEOID{0});
  CEOID oid = 0;
  DWORD error = store->Write([&]() -> DWORD {
    detail::Statement insert(store->db(), "INSERT INTO databases(name, type) VALUES(?, ?)");
    if (!insert.Bind(1, name).Bind(2, type).Run())
      return detail::DataStore::WriteError(insert.rc());
    oid = static_cast<CEOID>(sqlite3_last_insert_rowid(store->db()));
    return ERROR_SUCCESS;
  });
  if (error != ERROR_SUCCESS) return Fail(error, CEOID{0});
  return Succeed(oid);
}

HANDLE CeOpenDatabase(PCEOID oid, LPCWSTR name, CEPROPID sortProp, DWORD flags, HWND) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  if (oid == nullptr || sortProp != 0 || (*oid == 0 && name == nullptr))
    return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  detail::DataStore* store = detail::OpenDataStore();
  detail::Statement find(store->db(), *oid != 0 ? "SELECT oid FROM databases WHERE oid = ?"
                                                : "SELECT oid FROM databases WHERE name = ?");
  if (*oid != 0)
    find.Bind(1, static_cast<std::int64_t>(*oid));
  else
    find.Bind(1, ToUtf8(name));
  if (!find.Step()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
  auto* database = new Database;
  database->oid = static_cast<CEOID>(find.Int(0));
  database->flags = flags;
  *oid = database->oid;
  return Succeed(detail::OpenHandle(database));
}

CEOID CeSeekDatabase(HANDLE handle, DWORD seekType, DWORD value, DWORD* index) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  auto* database = detail::LookUpHandleAs<Database>(handle);
  if (database == nullptr) return Fail(ERROR_INVALID_HANDLE, CEOID{0});
  std::vector<CEOID> records = RecordsOf(detail::OpenDataStore(), database->oid);
  const auto count = static_cast<std::int64_t>(records.size());
  const auto offset = static_cast<std::int64_t>(static_cast<LONG>(value));
  std::int64_t target = -1;
  switch (seekType) {
    case CEDB_SEEK_BEGINNING:
      target = value;
      break;
    case CEDB_SEEK_CURRENT:
      target = database->position + offset;
      break;
    case CEDB_SEEK_END:
      target = count - 1 - (offset < 0 ? -offset : offset);
      break;
    case CEDB_SEEK_CEOID:
      for (std::int64_t i = 0; i < count; ++i)
        if (records[i] == value) target = i;
      break;
    default:
      return Fail(ERROR_INVALID_PARAMETER, CEOID{0});
  }
  if (target < 0 || target >= count) return Fail(ERROR_NO_MORE_ITEMS, CEOID{0});
  database->position = static_cast<DWORD>(target);
  if (index != nullptr) *index = database->position;
  return Succeed(records[target]);
}

CEOID CeReadRecordPropsEx(HANDLE handle, DWORD flags, WORD* propCount, CEPROPID* propIds,
                          BYTE** buffer, DWORD* bufferSize, HANDLE) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  auto* database = detail::LookUpHandleAs<Database>(handle);
  if (database == nullptr) return Fail(ERROR_INVALID_HANDLE, CEOID{0});
  if (propCount == nullptr || buffer == nullptr || bufferSize == nullptr ||
      (propIds != nullptr && *propCount == 0))
    return Fail(ERROR_INVALID_PARAMETER, CEOID{0});
  detail::DataStore* store = detail::OpenDataStore();
  std::vector<CEOID> records = RecordsOf(store, database->oid);
  if (database->position >= records.size()) return Fail(ERROR_NO_MORE_ITEMS, CEOID{0});
  CEOID record = records[database->position];
  std::vector<StoredProp> stored;
  if (!ReadProps(store, record, &stored)) return Fail(ERROR_INVALID_PARAMETER, CEOID{0});

  // The properties asked for, in the order asked; a missing one is flagged.
  std::vector<const StoredProp*> chosen;
  std::vector<CEPROPID> ids;
  if (propIds == nullptr) {
    for (const StoredProp& prop : stored) {
      chosen.push_back(&prop);
      ids.push_back(prop.propid);
    }
  } else {
    for (WORD i = 0; i < *propCount; ++i) {
      const StoredProp* match = nullptr;
      for (const StoredProp& prop : stored)
        if (prop.propid == propIds[i]) match = &prop;
      chosen.push_back(match);
      ids.push_back(propIds[i]);
    }
  }

  std::size_t needed = chosen.size() * sizeof(CEPROPVAL);
  for (const StoredProp* prop : chosen)
    if (prop != nullptr && TypeFromPropId(prop->propid) == CEVT_LPWSTR)
      needed += (prop->text.size() + 1) * sizeof(char16_t);
  if (*buffer == nullptr || *bufferSize < needed) {
    if ((flags & CEDB_ALLOWREALLOC) == 0) {
      *bufferSize = static_cast<DWORD>(needed);
      return Fail(ERROR_INSUFFICIENT_BUFFER, CEOID{0});
    }
    auto* grown = static_cast<BYTE*>(LocalReAlloc(*buffer, needed, LMEM_MOVEABLE));
    if (grown == nullptr) return Fail(ERROR_NOT_ENOUGH_MEMORY, CEOID{0});
    *buffer = grown;
    *bufferSize = static_cast<DWORD>(needed);
  }

  auto* values = reinterpret_cast<CEPROPVAL*>(*buffer);
  auto* text = reinterpret_cast<char16_t*>(values + chosen.size());
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    CEPROPVAL value{};
    value.propid = ids[i];
    const StoredProp* prop = chosen[i];
    if (prop == nullptr) {
      value.wFlags = CEDB_PROPNOTFOUND;
    } else if (TypeFromPropId(prop->propid) == CEVT_LPWSTR) {
      std::memcpy(text, prop->text.c_str(), (prop->text.size() + 1) * sizeof(char16_t));
      value.val.lpwstr = text;
      text += prop->text.size() + 1;
    } else if (TypeFromPropId(prop->propid) == CEVT_BOOL) {
      value.val.boolVal = prop->number;
    } else {
      value.val.lVal = prop->number;
    }
    std::memcpy(&values[i], &value, sizeof value);
  }
  *propCount = static_cast<WORD>(chosen.size());
  if ((database->flags & CEDB_AUTOINCREMENT) != 0) ++database->position;
  return Succeed(record);
}

CEOID CeWriteRecordProps(HANDLE handle, CEOID record, WORD propCount, CEPROPVAL* values) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  auto* database = detail::LookUpHandleAs<Database>(handle);
  if (database == nullptr) return Fail(ERROR_INVALID_HANDLE, CEOID{0});
  if (propCount == 0 || values == nullptr) return Fail(ERROR_INVALID_PARAMETER, CEOID{0});
  for (WORD i = 0; i < propCount; ++i) {
    WORD type = TypeFromPropId(values[i].propid);
    bool deleting = (values[i].wFlags & CEDB_PROPDELETE) != 0;
    if (!deleting &&
        (!IsKeptType(type) || (type == CEVT_LPWSTR && values[i].val.lpwstr == nullptr)))
      return Fail(ERROR_INVALID_PARAMETER, CEOID{0});
  }
  detail::DataStore* store = detail::OpenDataStore();
  if (record != 0) {
    detail::Statement find(store->db(), "SELECT 1 FROM records WHERE oid = ? AND database = ?");
    if (!find.Bind(1, record).Bind(2, database->oid).Step())
      return Fail(ERROR_INVALID_PARAMETER, CEOID{0});
  }
  DWORD error = store->Write([&]() -> DWORD {
    if (record == 0) {
      detail::Statement insert(store->db(), "INSERT INTO records(database) VALUES(?)");
      if (!insert.Bind(1, database->oid).Run()) return detail::DataStore::WriteError(insert.rc());
      record = static_cast<CEOID>(sqlite3_last_insert_rowid(store->db()));
    }
    for (WORD i = 0; i < propCount; ++i) {
      DWORD written = WriteProp(store, record, values[i]);
      if (written != ERROR_SUCCESS) return written;
    }
    return ERROR_SUCCESS;
  });
  if (error != ERROR_SUCCESS) return Fail(error, CEOID{0});
  return Succeed(record);
}

}  // namespace ce
