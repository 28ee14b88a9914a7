// Watching the main thread's run from above the platform (a recording of
// it): every tick count the main thread reads, every message it takes, and
// the end of the run.
#pragma once

#include "platform/messages.h"

namespace ce {

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void TickRead(DWORD tick) = 0;
  virtual void MessageTaken(const MSG& msg) = 0;
  virtual void RunEnded() = 0;
};

// Installs the observer (nullptr: none); not owned.
void SetRunObserver(RunObserver* observer);
// Observers beside it (the games kept with the high scores); not owned.
void AddRunObserver(RunObserver* observer);
void RemoveRunObserver(RunObserver* observer);

}  // namespace ce

namespace ce::detail {

// The platform's calls report to the observer, when there is one.
void RecordTick(DWORD tick);
void RecordMessage(const MSG& msg);
void RecordQuit();

}  // namespace ce::detail
