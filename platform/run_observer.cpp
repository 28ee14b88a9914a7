#include "platform/run_observer.h"

#include <algorithm>
#include <vector>

namespace ce {

namespace {

RunObserver* g_observer = nullptr;
std::vector<RunObserver*>& g_others = *new std::vector<RunObserver*>;

template <typename Call>
void Tell(Call call) {
  if (g_observer != nullptr) call(g_observer);
  for (RunObserver* other : g_others) call(other);
}

}  // namespace

void SetRunObserver(RunObserver* observer) { g_observer = observer; }

void AddRunObserver(RunObserver* observer) { g_others.push_back(observer); }

void RemoveRunObserver(RunObserver* observer) {
  g_others.erase(std::remove(g_others.begin(), g_others.end(), observer), g_others.end());
}

namespace detail {

void RecordTick(DWORD tick) {
  Tell([tick](RunObserver* o) { o->TickRead(tick); });
}

void RecordMessage(const MSG& msg) {
  Tell([&msg](RunObserver* o) { o->MessageTaken(msg); });
}

void RecordQuit() {
  Tell([](RunObserver* o) { o->RunEnded(); });
}

}  // namespace detail

}  // namespace ce
