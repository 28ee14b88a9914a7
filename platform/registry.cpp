#include "platform/registry.h"

#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/data_store.h"
#include "platform/platform.h"

namespace ce {

// An open key: its path below HKEY_CURRENT_USER, "" for the root.
struct HKEY__ {
  std::string path;
};

namespace {

std::set<HKEY>& OpenKeys() {
  static auto* keys = new std::set<HKEY>;
  return *keys;
}

// The path of an open key; false for a key that is not open.
bool PathOf(HKEY key, std::string* path) {
  if (key == HKEY_CURRENT_USER) {
    path->clear();
    return true;
  }
  if (OpenKeys().count(key) == 0) return false;
  *path = key->path;
  return true;
}

std::string Utf8(LPCWSTR text) { return text != nullptr ? ToUtf8(text) : std::string(); }

bool KeyExists(detail::DataStore* store, const std::string& path) {
  if (path.empty()) return true;
  detail::Statement find(store->db(), "SELECT 1 FROM registry_keys WHERE path = ?");
  find.Bind(1, path);
  return find.Step();
}

// A value's bytes as the caller gets them back: a number as a DWORD, text
// as UTF-16 with its terminator, anything else as it was written.
std::vector<BYTE> StoredBytes(const detail::Statement& row, int column) {
  std::vector<BYTE> bytes;
  switch (row.ColumnType(column)) {
    case SQLITE_INTEGER: {
      DWORD v = static_cast<DWORD>(row.Int(column));
      bytes.resize(sizeof v);
      std::memcpy(bytes.data(), &v, sizeof v);
      break;
    }
    case SQLITE_TEXT: {
      std::u16string text = FromUtf8(row.Text(column));
      bytes.resize((text.size() + 1) * sizeof(char16_t));
      std::memcpy(bytes.data(), text.c_str(), bytes.size());
      break;
    }
    case SQLITE_BLOB:
      bytes = row.Blob(column);
      break;
    default:
      break;
  }
  return bytes;
}

// UTF-16 text ending in its one terminator, as UTF-8 in *text.
bool IsTerminatedText(const BYTE* data, DWORD bytes, std::string* text) {
  if (bytes < sizeof(char16_t) || bytes % sizeof(char16_t) != 0) return false;
  std::u16string chars(bytes / sizeof(char16_t), u'\0');
  std::memcpy(chars.data(), data, bytes);
  if (chars.back() != 0) return false;
  chars.pop_back();
  return detail::Utf16ToStoredText(chars.data(), chars.size(), text);
}

}  // namespace

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, SECURITY_ATTRIBUTES*,
                     HKEY* result, DWORD* disposition) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  std::string path;
  if (subKey == nullptr || result == nullptr) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
  if (!PathOf(key, &path)) return static_cast<LONG>(ERROR_INVALID_HANDLE);

  // Each step of the path is a key of its own; none may be empty.
  std::vector<std::string> steps;
  std::string name = Utf8(subKey);
  for (size_t start = 0; !name.empty();) {
    size_t end = name.find('\\', start);
    std::string step = name.substr(start, end == std::string::npos ? end : end - start);
    if (step.empty() || step.size() > 255) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    path += (path.empty() ? "" : "\\") + step;
    steps.push_back(path);
    if (end == std::string::npos) break;
    start = end + 1;
  }

  detail::DataStore* store = detail::OpenDataStore();
  bool created = !KeyExists(store, path);
  if (created) {
    DWORD error = store->Write([&]() -> DWORD {
      for (const std::string& step : steps) {
        detail::Statement insert(store->db(),
                                 "INSERT OR IGNORE INTO registry_keys(path) VALUES(?)");
        if (!insert.Bind(1, step).Run()) return detail::DataStore::WriteError(insert.rc());
      }
      return ERROR_SUCCESS;
    });
    if (error != ERROR_SUCCESS) return static_cast<LONG>(error);
  }
  HKEY opened = new HKEY__{path};
  OpenKeys().insert(opened);
  *result = opened;
  if (disposition != nullptr)
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return static_cast<LONG>(ERROR_SUCCESS);
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD*, DWORD* type, BYTE* data,
                      DWORD* dataSize) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  std::string path;
  if (!PathOf(key, &path)) return static_cast<LONG>(ERROR_INVALID_HANDLE);
  if (data != nullptr && dataSize == nullptr) return static_cast<LONG>(ERROR_INVALID_PARAMETER);

  detail::DataStore* store = detail::OpenDataStore();
  detail::Statement find(store->db(),
                         "SELECT type, value FROM registry_values WHERE key = ? AND name = ?");
  find.Bind(1, path).Bind(2, Utf8(valueName));
  if (!find.Step()) return static_cast<LONG>(ERROR_FILE_NOT_FOUND);

  std::vector<BYTE> bytes = StoredBytes(find, 1);
  if (type != nullptr) *type = static_cast<DWORD>(find.Int(0));
  if (dataSize == nullptr) return static_cast<LONG>(ERROR_SUCCESS);
  DWORD room = *dataSize;
  *dataSize = static_cast<DWORD>(bytes.size());
  if (data == nullptr) return static_cast<LONG>(ERROR_SUCCESS);
  if (room < bytes.size()) return static_cast<LONG>(ERROR_MORE_DATA);
  if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
  return static_cast<LONG>(ERROR_SUCCESS);
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data,
                    DWORD dataSize) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  std::string path;
  if (!PathOf(key, &path)) return static_cast<LONG>(ERROR_INVALID_HANDLE);
  if (data == nullptr && dataSize != 0) return static_cast<LONG>(ERROR_INVALID_PARAMETER);

  detail::DataStore* store = detail::OpenDataStore();
  DWORD error = store->Write([&]() -> DWORD {
    detail::Statement insert(store->db(),
                             "INSERT OR REPLACE INTO registry_values(key, name, type, value)"
                             " VALUES(?, ?, ?, ?)");
    insert.Bind(1, path).Bind(2, Utf8(valueName)).Bind(3, static_cast<std::int64_t>(type));
    // Kept readable where that loses nothing: a DWORD as a number, a string
    // with one terminator as text.
    std::string text;
    if (type == REG_DWORD && dataSize == sizeof(DWORD)) {
      DWORD v;
      std::memcpy(&v, data, sizeof v);
      insert.Bind(4, static_cast<std::int64_t>(v));
    } else if (type == REG_SZ && IsTerminatedText(data, dataSize, &text)) {
      insert.Bind(4, text);
    } else {
      insert.BindBlob(4, data, dataSize);
    }
    return insert.Run() ? ERROR_SUCCESS : detail::DataStore::WriteError(insert.rc());
  });
  return static_cast<LONG>(error);
}

LONG RegCloseKey(HKEY key) {
  std::lock_guard<std::recursive_mutex> lock(detail::DataStoreLock());
  if (key == HKEY_CURRENT_USER) return static_cast<LONG>(ERROR_SUCCESS);
  if (OpenKeys().erase(key) == 0) return static_cast<LONG>(ERROR_INVALID_HANDLE);
  delete key;
  return static_cast<LONG>(ERROR_SUCCESS);
}

}  // namespace ce
