// Inside the platform layer: the program's own clock on a device that runs
// in real time with a window. The main thread's tick count moves only when
// a message is taken (to the time the message came, a timer tick to its
// beat), when the program sleeps, and by a millisecond for every thousand
// reads of a busy wait, exactly as the headless clock moves; the device
// keeps it in step with the wall clock. A game is then decided by its
// input and the times it came alone, which is what its record carries.
#pragma once

#include "platform/types.h"

namespace ce::detail {

class Device;

// The current device runs the program on this clock.
bool ProgramClockPaced();
// A main-thread read of the tick count.
DWORD ProgramClockRead(Device* device, DWORD real);
// The main thread slept `ms`.
void ProgramClockSlept(DWORD ms);
// The time a message takes: a timer's beat, or the time input came, never
// before the clock's present time; the clock moves there.
DWORD ProgramClockTimerTime(DWORD beat);
DWORD ProgramClockTake(DWORD time);
// A new run starts the clock at the wall clock's time.
void ProgramClockReset();

}  // namespace ce::detail
