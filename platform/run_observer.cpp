#include "platform/run_observer.h"

namespace ce {

namespace {

RunObserver* g_observer = nullptr;

}  // namespace

void SetRunObserver(RunObserver* observer) { g_observer = observer; }

namespace detail {

void RecordTick(DWORD tick) {
  if (g_observer != nullptr) g_observer->TickRead(tick);
}

void RecordMessage(const MSG& msg) {
  if (g_observer != nullptr) g_observer->MessageTaken(msg);
}

void RecordQuit() {
  if (g_observer != nullptr) g_observer->RunEnded();
}

}  // namespace detail

}  // namespace ce
