#include "platform/local_memory.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "platform/error.h"

namespace ce {

// Each block carries its size in front so that a reallocation can clear
// what it adds when asked to.
namespace {
struct BlockHeader {
  std::size_t size;
  std::max_align_t align;
};
constexpr std::size_t kHeader = offsetof(BlockHeader, align);

BlockHeader* HeaderOf(HLOCAL memory) {
  return reinterpret_cast<BlockHeader*>(static_cast<char*>(memory) - kHeader);
}
}  // namespace

HLOCAL LocalAlloc(UINT flags, std::size_t bytes) {
  auto* block = static_cast<BlockHeader*>(std::malloc(kHeader + (bytes == 0 ? 1 : bytes)));
  if (block == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  block->size = bytes;
  char* data = reinterpret_cast<char*>(block) + kHeader;
  if ((flags & LMEM_ZEROINIT) != 0) std::memset(data, 0, bytes);
  return data;
}

HLOCAL LocalReAlloc(HLOCAL memory, std::size_t bytes, UINT flags) {
  if (memory == nullptr) return LocalAlloc(flags, bytes);
  BlockHeader* old = HeaderOf(memory);
  std::size_t oldSize = old->size;
  auto* block = static_cast<BlockHeader*>(std::realloc(old, kHeader + (bytes == 0 ? 1 : bytes)));
  if (block == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  block->size = bytes;
  char* data = reinterpret_cast<char*>(block) + kHeader;
  if ((flags & LMEM_ZEROINIT) != 0 && bytes > oldSize)
    std::memset(data + oldSize, 0, bytes - oldSize);
  return data;
}

HLOCAL LocalFree(HLOCAL memory) {
  if (memory != nullptr) std::free(HeaderOf(memory));
  return nullptr;
}

}  // namespace ce
