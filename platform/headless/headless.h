// Control of the headless device: virtual time and scripted input.
#pragma once

#include "platform/run_driver.h"
#include "platform/types.h"

namespace ce::headless {

// The headless clock starts here, so that runs are comparable.
constexpr DWORD kStartTick = 100000;

// Feeds the headless run, or a game played back in a window.
using Driver = RunDriver;

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
