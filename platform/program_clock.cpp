#include "platform/program_clock.h"

#include <cstdint>

#include "platform/device.h"
#include "platform/platform.h"

namespace ce::detail {

namespace {

// As the headless clock's busy wait: this many reads with no message taken
// move the clock on by a millisecond.
constexpr int kReadsPerBusyMillisecond = 1000;

bool g_started = false;
DWORD g_now = 0;
int g_reads = 0;

bool Before(DWORD a, DWORD b) { return static_cast<std::int32_t>(a - b) < 0; }

}  // namespace

bool ProgramClockPaced() {
  Device* device = CurrentDevice();
  return device != nullptr && device->PacesProgramClock();
}

DWORD ProgramClockRead(Device* device, DWORD real) {
  if (!g_started) {
    g_started = true;
    g_now = real;
  }
  if (++g_reads >= kReadsPerBusyMillisecond) {
    g_reads = 0;
    g_now += 1;
    // A busy wait takes as long as it says.
    if (Before(real, g_now)) device->SleepFor(g_now - real);
  }
  return g_now;
}

void ProgramClockSlept(DWORD ms) {
  if (g_started) g_now += ms;
}

DWORD ProgramClockTimerTime(DWORD beat) {
  if (!g_started) return beat;
  return Before(beat, g_now) ? g_now : beat;
}

DWORD ProgramClockTake(DWORD time) {
  if (!g_started) {
    g_started = true;
    g_now = time;
  }
  if (Before(g_now, time)) g_now = time;
  g_reads = 0;
  return g_now;
}

void ProgramClockReset() {
  g_started = false;
  g_reads = 0;
}

}  // namespace ce::detail

namespace ce {

bool ProgramClockIsExact() {
  detail::Device* device = detail::CurrentDevice();
  return device != nullptr && (device->IsHeadless() || device->PacesProgramClock());
}

}  // namespace ce
