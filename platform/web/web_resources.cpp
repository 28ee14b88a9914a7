// The page's pictures and sounds arrive while the program runs: the page
// writes the site's reedshot.data into g_resourceBytes as it comes (in the
// order the program first needs them) and counts the bytes here. A
// resource that is not all there yet is waited for where the program asks
// for it (it runs on a worker and may block), while the page shows over the
// picture how much has arrived. Linked into the page's program only.
#include <emscripten.h>
#include <emscripten/threading.h>

#include <atomic>
#include <cstdint>

#include "platform/resource_table.h"

namespace ce {

namespace {

std::atomic<std::uint32_t> g_arrived{0};  // written by the page
std::atomic<std::uint32_t> g_wanted{0};   // while the program waits: the bytes it needs

void WaitForBytes(const unsigned char* end) {
  auto needed = static_cast<std::uint32_t>(end - g_resourceBytes);
  if (g_arrived.load() >= needed) return;
  g_wanted.store(needed);
  for (std::uint32_t seen = g_arrived.load(); seen < needed; seen = g_arrived.load()) {
    emscripten_futex_wait(&g_arrived, seen, 100);
  }
  g_wanted.store(0);
}

struct InstallWait {
  InstallWait() { SetResourceWait(&WaitForBytes); }
} g_installWait;

}  // namespace

}  // namespace ce

// Called by the page.
extern "C" {

EMSCRIPTEN_KEEPALIVE unsigned char* reedshot_web_resources() { return ce::g_resourceBytes; }

EMSCRIPTEN_KEEPALIVE unsigned reedshot_web_resources_size() { return ce::g_resourceByteCount; }

// The count of bytes arrived, as a 32-bit cell the page stores and wakes.
EMSCRIPTEN_KEEPALIVE std::uint32_t* reedshot_web_resources_arrived() {
  static_assert(sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t));
  return reinterpret_cast<std::uint32_t*>(&ce::g_arrived);
}

EMSCRIPTEN_KEEPALIVE unsigned reedshot_web_resources_wanted() { return ce::g_wanted.load(); }

}  // extern "C"
