#include "platform/clock.h"

#include <chrono>
#include <thread>

#include "platform/device.h"
#include "platform/program_clock.h"
#include "platform/run_observer.h"

namespace ce {

DWORD GetTickCount() {
  if (detail::Device* device = detail::CurrentDevice()) {
    DWORD now = device->Now();
    if (!detail::IsMainThread()) return now;
    if (device->PacesProgramClock()) now = detail::ProgramClockRead(device, now);
    detail::RecordTick(now);
    return now;
  }
  using namespace std::chrono;
  return static_cast<DWORD>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void Sleep(DWORD ms) {
  if (detail::Device* device = detail::CurrentDevice()) {
    device->SleepFor(ms);
    if (detail::IsMainThread() && device->PacesProgramClock()) detail::ProgramClockSlept(ms);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace ce
