// The registry: keys under HKEY_CURRENT_USER holding named values, kept in
// the data file (platform/data_store.h). Each call that changes something is
// one durable transaction.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace ce {

struct HKEY__;
using HKEY = HKEY__*;
using REGSAM = DWORD;
struct SECURITY_ATTRIBUTES;

inline const HKEY HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

// Dispositions of RegCreateKeyExW.
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

constexpr DWORD ERROR_ACCESS_DENIED = 5;

// Opens `subKey` below `key`, creating it (and the keys on its path) when it
// does not exist. Returns ERROR_SUCCESS or an error code; the other
// arguments that the device ignores may be anything.
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                     REGSAM desired, SECURITY_ATTRIBUTES* security, HKEY* result,
                     DWORD* disposition);

// Reads a value. With `data` null and `dataSize` given, only the size in
// bytes is reported. A buffer too small fails with ERROR_MORE_DATA and
// reports the size needed; a missing value fails with ERROR_FILE_NOT_FOUND.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* dataSize);

// Writes a value: `dataSize` bytes of `data` (for REG_SZ the UTF-16 text and
// its terminator). A store that cannot be written gives ERROR_DISK_FULL.
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);

LONG RegCloseKey(HKEY key);

}  // namespace ce
