// Kernel object handles: every HANDLE the device gives out (databases,
// threads, events...) points at a KernelObject and is closed with CloseHandle.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace ce {

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// Destroys the object behind `handle`. A handle that is not open fails with
// ERROR_INVALID_HANDLE.
BOOL CloseHandle(HANDLE handle);

namespace detail {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Makes `object` reachable through the returned handle; CloseHandle deletes it.
HANDLE OpenHandle(KernelObject* object);
// The object behind an open handle, or nullptr.
KernelObject* LookUpHandle(HANDLE handle);

template <typename T>
T* LookUpHandleAs(HANDLE handle) {
  return dynamic_cast<T*>(LookUpHandle(handle));
}

}  // namespace detail

}  // namespace ce
