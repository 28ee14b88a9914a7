#include "platform/handle.h"

#include <mutex>
#include <unordered_set>

#include "platform/error.h"

namespace ce {

namespace {

// Handles are used from the mixing thread too.
std::mutex g_handlesLock;
std::unordered_set<detail::KernelObject*>& OpenObjects() {
  static auto* objects = new std::unordered_set<detail::KernelObject*>;
  return *objects;
}

}  // namespace

BOOL CloseHandle(HANDLE handle) {
  detail::KernelObject* object = static_cast<detail::KernelObject*>(handle);
  {
    std::lock_guard<std::mutex> lock(g_handlesLock);
    if (OpenObjects().erase(object) == 0) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
  }
  delete object;
  return TRUE;
}

namespace detail {

HANDLE OpenHandle(KernelObject* object) {
  std::lock_guard<std::mutex> lock(g_handlesLock);
  OpenObjects().insert(object);
  return object;
}

KernelObject* LookUpHandle(HANDLE handle) {
  auto* object = static_cast<KernelObject*>(handle);
  std::lock_guard<std::mutex> lock(g_handlesLock);
  return OpenObjects().count(object) != 0 ? object : nullptr;
}

}  // namespace detail

}  // namespace ce
