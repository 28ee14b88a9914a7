// What feeds a run that no player plays: its input and the time that passes.
#pragma once

#include "platform/types.h"

namespace ce {

// Feeds a run headless, or a game played back in a window (the device then
// runs on the same virtual clock, paced by the wall clock). OnIdle is called
// on the main thread whenever its queue is empty and no virtual time is
// pending; it posts input, lets time pass, or returns false to end the run
// (as closing the window).
class RunDriver {
 public:
  virtual ~RunDriver() = default;
  virtual bool OnIdle() = 0;
  // The main thread sleeps for ms (virtual) milliseconds in the middle of
  // a pass: what the window shows now is otherwise never seen by OnIdle.
  virtual void OnSleep(DWORD) {}
  // Replay: the main thread reads the tick count and every count fed so
  // far has been read; the driver feeds the next, when there is one.
  virtual void OnTicksUsedUp() {}
};

}  // namespace ce
