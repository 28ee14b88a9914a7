// Control of the headless device: virtual time and scripted input.
#pragma once

#include "platform/types.h"

namespace ce::headless {

// The headless clock starts here, so that runs are comparable.
constexpr DWORD kStartTick = 100000;

// Feeds the headless run. OnIdle is called on the main thread whenever its
// queue is empty and no virtual time is pending; it posts input, lets time
// pass, or returns false to end the run (as closing the window).
class Driver {
 public:
  virtual ~Driver() = default;
  virtual bool OnIdle() = 0;
  // The main thread sleeps for ms (virtual) milliseconds in the middle of
  // a pass: what the window shows now is otherwise never seen by OnIdle.
  virtual void OnSleep(DWORD) {}
  // Replay: the main thread reads the tick count and every count fed so
  // far has been read; the driver feeds the next, when there is one.
  virtual void OnTicksUsedUp() {}
};

void SetDriver(Driver* driver);

// Posts a message to the main window's queue.
void PostInput(UINT message, WPARAM wParam, LPARAM lParam);
// Lets ms milliseconds of virtual time pass; the 10 ms timer fires on the way.
void Wait(DWORD ms);
// Ends the run after the messages already queued.
void Quit();

// The sound device goes away, as a headset unplugged: the open wave
// devices play on in silence.
void LoseWaveDevice();

// Replay: the main thread's reads of the tick count answer these values in
// order (count reads each; the driver is asked for more when they are used
// up), and the timer makes no messages of its own.
void SetReplay(bool on);
void FeedTicks(DWORD tick, unsigned long count);
// Lets virtual time run on to `tick` (nothing when it is there already),
// the wave devices playing along; the timer is not asked.
void RunClockTo(DWORD tick);

}  // namespace ce::headless
