// The executable's resources: pictures ("PCT") and sounds ("WAVE") by
// integer id, read in place from a table linked into the program.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace ce {

struct HRSRC__;
using HRSRC = HRSRC__*;
using HGLOBAL = void*;

// An integer id passed where a resource name is expected.
inline LPCWSTR MAKEINTRESOURCEW(int id) {
  return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCWSTR name) {
  return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// Finds resource `name` (an integer id made with MAKEINTRESOURCEW) of the
// given type (u"PCT", u"WAVE"). The module is ignored: there is only one.
// Returns null and sets ERROR_FILE_NOT_FOUND (ERROR_RESOURCE_NAME_NOT_FOUND
// on the device) when there is no such resource.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
// The resource's bytes, in place; null for a null resource.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL loaded);
DWORD SizeofResource(HMODULE module, HRSRC resource);

}  // namespace ce
