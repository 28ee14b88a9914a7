// The local heap: blocks that the system allocates for a caller (record
// buffers of the object store) and the caller frees with LocalFree.
#pragma once

#include "platform/types.h"

namespace ce {

using HLOCAL = void*;

constexpr UINT LMEM_FIXED = 0x0000;
constexpr UINT LMEM_MOVEABLE = 0x0002;
constexpr UINT LMEM_ZEROINIT = 0x0040;

// Null on failure (ERROR_NOT_ENOUGH_MEMORY).
HLOCAL LocalAlloc(UINT flags, std::size_t bytes);
// The block may move whatever the flags say.
HLOCAL LocalReAlloc(HLOCAL memory, std::size_t bytes, UINT flags);
// Returns null on success, as on the device.
HLOCAL LocalFree(HLOCAL memory);

}  // namespace ce
