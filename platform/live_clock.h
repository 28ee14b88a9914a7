// The clock of a device that runs in real time with a window (desktop,
// browser): the tick count, and sleeps that keep the window alive.
#pragma once

#include <chrono>
#include <thread>

#include "platform/types.h"

namespace ce::detail {

class LiveClock {
 public:
  using Clock = std::chrono::steady_clock;

  LiveClock() : start_(Clock::now()) {}

  // Milliseconds since the start, counted from the same tick as headless.
  DWORD Ticks(Clock::time_point now) const {
    return kStartTick +
           static_cast<DWORD>(
               std::chrono::duration_cast<std::chrono::milliseconds>(now - start_).count());
  }

  // Sleeps `ms` in slices: before each, keepAlive(now, until) shows and
  // reads the window and returns when to look again (at most 4 ms on).
  template <typename KeepAlive>
  static void SleepInSlices(DWORD ms, KeepAlive keepAlive) {
    auto until = Clock::now() + std::chrono::milliseconds(ms);
    for (auto now = Clock::now(); now < until; now = Clock::now()) {
      Clock::time_point wake = keepAlive(now, std::min(until, now + std::chrono::milliseconds(4)));
      std::this_thread::sleep_until(wake);
    }
  }

 private:
  static constexpr DWORD kStartTick = 100000;
  Clock::time_point start_;
};

}  // namespace ce::detail
