// The headless device: no window and no devices, and a virtual clock that
// only the run advances, so the same input always gives the same run.
#include <atomic>
#include <cstdio>
#include <deque>
#include <memory>
#include <utility>

#include "platform/device.h"
#include "platform/ending_signals.h"
#include "platform/headless/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/wave_device.h"

namespace ce {

namespace detail {

namespace {

// A main-thread busy wait on the tick count: after this many reads with no
// message taken in between, the virtual clock moves on by a millisecond.
constexpr int kReadsPerBusyMillisecond = 1000;

class HeadlessDevice final : public Device {
 public:
  DWORD Now() override {
    if (replay_ && IsMainThread() && feed_.empty() && driver_ != nullptr) driver_->OnTicksUsedUp();
    if (replay_ && IsMainThread() && !feed_.empty()) {
      auto& [tick, count] = feed_.front();
      // The recorded time that passed is played, as it was in the run.
      if (static_cast<std::int32_t>(tick - now_.load()) > 0)
        RunTo(tick);
      else
        now_.store(tick);
      if (--count == 0) feed_.pop_front();
      return now_.load();
    }
    if (IsMainThread() && !playing_ && ++reads_ >= kReadsPerBusyMillisecond) {
      reads_ = 0;
      Advance(1);
    }
    return now_.load();
  }

  void SleepFor(DWORD ms) override {
    if (driver_ != nullptr && IsMainThread()) driver_->OnSleep(ms);
    Advance(ms);
  }

  bool Pump(bool hasDeadline, DWORD deadline) override {
    reads_ = 0;
    if (EndingSignal() != 0) return false;
    if (quitRequested_ && MainQueueEmpty()) return false;
    if (Waiting()) {
      // Let virtual time run to the next timer tick or the end of the wait.
      DWORD now = now_.load();
      DWORD step = waitUntil_ - now;
      if (hasDeadline) {
        DWORD toTimer = static_cast<std::int32_t>(deadline - now) > 0 ? deadline - now : 0;
        if (toTimer < step) step = toTimer;
      }
      Advance(step);
      return true;
    }
    if (driver_ == nullptr) return false;
    return driver_->OnIdle();
  }

  // The driver's next input is held once its wait has ended before the due
  // tick: time that the program spent sleeping or busy-waiting counts
  // towards the wait. A wait that ends on the tick itself lets the tick go
  // first, so a tap still holds the pen down for one tick.
  bool PollInput(DWORD dueTick) override {
    reads_ = 0;
    if (EndingSignal() != 0) return false;
    if (quitRequested_ || replay_ || driver_ == nullptr) return true;
    while (!Waiting() && static_cast<std::int32_t>(waitUntil_ - dueTick) < 0 && MainQueueEmpty())
      if (!driver_->OnIdle()) return false;
    return true;
  }

  bool OpenWindow() override { return true; }
  void RaiseWindow() override {}
  void WindowChanged(int, int, int, int) override {}

  int ShowMessageBox(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "message box: %s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ",
                 text.c_str());
    return 1;  // IDOK
  }

  bool IsHeadless() const override { return true; }
  bool MakesTimerMessages() const override { return !replay_; }

  void SetDriver(headless::Driver* driver) { driver_ = driver; }
  void AddWait(DWORD ms) {
    waitUntil_ = (Waiting() ? waitUntil_ : now_.load()) + ms;
    waiting_ = ms > 0;
  }
  void RequestQuit() { quitRequested_ = true; }
  void RunTo(DWORD tick) {
    const DWORD was = now_.load();
    if (static_cast<std::int32_t>(tick - was) > 0) Advance(tick - was);
  }
  void SetReplay(bool on) { replay_ = on; }
  void Feed(DWORD tick, unsigned long count) {
    if (count > 0) feed_.emplace_back(tick, count);
  }

 private:
  bool Waiting() {
    if (waiting_ && static_cast<std::int32_t>(now_.load() - waitUntil_) >= 0) waiting_ = false;
    return waiting_;
  }

  // Virtual time moves on; the wave device plays along.
  // The wave device's own clock reads (stamping the messages it posts) are
  // not a busy wait: sound must not change the run's timing.
  void Advance(DWORD ms) {
    now_.fetch_add(ms);
    bool main = IsMainThread();
    if (main) playing_ = true;
    HeadlessWaveTimePassed(ms);
    if (main) playing_ = false;
  }

  std::atomic<DWORD> now_{headless::kStartTick};
  int reads_ = 0;
  bool playing_ = false;
  DWORD waitUntil_ = headless::kStartTick;
  bool waiting_ = false;
  bool quitRequested_ = false;
  headless::Driver* driver_ = nullptr;
  bool replay_ = false;
  std::deque<std::pair<DWORD, unsigned long>> feed_;
};

HeadlessDevice* Headless() {
  Device* device = CurrentDevice();
  if (device == nullptr || !device->IsHeadless()) return nullptr;
  return static_cast<HeadlessDevice*>(device);
}

}  // namespace

std::unique_ptr<Device> CreateHeadlessDevice(const PlatformOptions&) {
  return std::make_unique<HeadlessDevice>();
}

}  // namespace detail

namespace headless {

void SetDriver(Driver* driver) {
  if (auto* device = detail::Headless())
    device->SetDriver(driver);
  else if (auto* window = detail::CurrentDevice())
    window->SetPlaybackDriver(driver);
}

void PostInput(UINT message, WPARAM wParam, LPARAM lParam) {
  detail::PostToMain(message, wParam, lParam);
}

void Wait(DWORD ms) {
  if (auto* device = detail::Headless())
    device->AddWait(ms);
  else if (auto* window = detail::CurrentDevice())
    window->PlaybackWait(ms);
}

void Quit() {
  if (auto* device = detail::Headless()) device->RequestQuit();
}

void SetReplay(bool on) {
  if (auto* device = detail::Headless())
    device->SetReplay(on);
  else if (auto* window = detail::CurrentDevice())
    window->SetPlaybackFeeding(on);
}

void RunClockTo(DWORD tick) {
  if (auto* device = detail::Headless())
    device->RunTo(tick);
  else if (auto* window = detail::CurrentDevice())
    window->PlaybackRunClockTo(tick);
}

void FeedTicks(DWORD tick, unsigned long count) {
  if (auto* device = detail::Headless()) device->Feed(tick, count);
}

}  // namespace headless

}  // namespace ce
