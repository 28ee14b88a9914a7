#include "platform/ending_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#ifndef __EMSCRIPTEN__
#include <sys/mman.h>
#endif

#include <atomic>

namespace ce {

namespace {

volatile sig_atomic_t g_signal = 0;
// /dev/null, put in the place of standard input by the first signal.
int g_nothing = -1;
// In a shared page: a forked child writes its own pid here.
std::atomic<int>* g_modalChild = nullptr;

[[maybe_unused]] void OnEndingSignal(int signal) {
  if (g_signal != 0) return;
  g_signal = signal;
  // A script read from standard input ends: every read after the signal
  // finds the end of the input (one under way returns, interrupted).
  if (g_nothing >= 0) dup2(g_nothing, 0);
  if (g_modalChild != nullptr) {
    const int child = g_modalChild->load();
    if (child > 0) kill(child, SIGKILL);
  }
}

}  // namespace

void CatchEndingSignals() {
#ifndef __EMSCRIPTEN__
  if (g_modalChild == nullptr) {
    void* page = mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE,
                      MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page != MAP_FAILED) g_modalChild = new (page) std::atomic<int>(0);
  }
  if (g_nothing < 0) g_nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);
  struct sigaction action {};
  action.sa_handler = &OnEndingSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a read that waits (a script on standard input) ends.
  action.sa_flags = 0;
  for (int signal : {SIGHUP, SIGTERM, SIGINT, SIGQUIT}) sigaction(signal, &action, nullptr);
#endif
}

int EndingSignal() { return g_signal; }

namespace detail {

void SetModalChild(int pid) {
  if (g_modalChild != nullptr) g_modalChild->store(pid);
}

}  // namespace detail

}  // namespace ce
