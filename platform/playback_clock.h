// Inside the platform layer: the virtual clock of a game played back in a
// window. It moves as the headless clock moves (the driver's waits, the
// program's sleeps, a millisecond for every thousand reads of a busy wait),
// so that the game runs exactly as it ran; the device paces it.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/types.h"

namespace ce::detail {

class PlaybackClock {
 public:
  // A read of the tick count; the main thread's reads count as a busy wait.
  DWORD Read(bool mainThread) {
    if (mainThread && ++reads_ >= kReadsPerBusyMillisecond) {
      reads_ = 0;
      now_.fetch_add(1);
    }
    return now_.load();
  }
  DWORD now() const { return now_.load(); }
  void Advance(DWORD ms) { now_.fetch_add(ms); }
  // A message was taken or time let pass: the busy wait starts again.
  void ResetReads() { reads_ = 0; }

  // The driver lets `ms` pass.
  void Wait(DWORD ms) {
    waitUntil_ = (Waiting() ? waitUntil_ : now_.load()) + ms;
    waiting_ = ms > 0;
  }
  bool Waiting() {
    if (waiting_ && static_cast<std::int32_t>(now_.load() - waitUntil_) >= 0) waiting_ = false;
    return waiting_;
  }
  DWORD waitUntil() const { return waitUntil_; }
  // How far time runs in a wait: to its end, or to the timer's tick first.
  DWORD StepTo(bool hasDeadline, DWORD deadline) const {
    const DWORD now = now_.load();
    DWORD step = waitUntil_ - now;
    if (hasDeadline) {
      DWORD toTimer = static_cast<std::int32_t>(deadline - now) > 0 ? deadline - now : 0;
      if (toTimer < step) step = toTimer;
    }
    return step;
  }

 private:
  static constexpr int kReadsPerBusyMillisecond = 1000;
  static constexpr DWORD kStartTick = 100000;  // as headless
  std::atomic<DWORD> now_{kStartTick};
  int reads_ = 0;
  DWORD waitUntil_ = kStartTick;
  bool waiting_ = false;
};

}  // namespace ce::detail
