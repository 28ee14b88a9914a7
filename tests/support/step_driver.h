// Test support: the real program run in this process on the headless
// device, fed one step at a time whenever its message loop is idle.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

#include "app/application.h"
#include "platform/headless/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "tests/support/run_program.h"

namespace testsupport {

class StepDriver : public ce::headless::Driver {
 public:
  using Step = std::function<void()>;

  // dataDir empty: a fresh directory of its own.
  explicit StepDriver(std::string dataDir = "")
      : dataDir_(dataDir.empty() ? MakeTempDir("steps") : std::move(dataDir)) {}

  // A step that runs when the loop is next idle.
  void Then(Step step) { steps_.push_back(std::move(step)); }
  void Wait(ce::DWORD ms) {
    Then([ms] { ce::headless::Wait(ms); });
  }
  // Runs `step` every `ms` milliseconds until it returns true (or `limit`
  // times), before the steps queued after it.
  void Until(std::function<bool()> step, ce::DWORD ms, int limit = 100000) {
    Then([this, step, ms, limit] { Repeat(step, ms, limit); });
  }
  void Post(ce::UINT message, ce::WPARAM wParam, int x, int y) {
    Then([=] {
      ce::headless::PostInput(message, wParam,
                              ce::MAKELPARAM(static_cast<ce::WORD>(x), static_cast<ce::WORD>(y)));
    });
  }
  void PenDown(int x, int y) { Post(ce::WM_LBUTTONDOWN, 1, x, y); }
  void PenMove(int x, int y) { Post(ce::WM_MOUSEMOVE, 1, x, y); }
  void PenUp(int x, int y) { Post(ce::WM_LBUTTONUP, 0, x, y); }
  // Down, 10 ms, up, 10 ms.
  void Tap(int x, int y) {
    PenDown(x, y);
    Wait(10);
    PenUp(x, y);
    Wait(10);
  }
  // Down and up with no timer message between them (no held pen), 10 ms.
  void Click(int x, int y) {
    PenDown(x, y);
    PenUp(x, y);
    Wait(10);
  }
  // Closes the window: the run ends after what is queued.
  void Close() {
    Then([] { ce::headless::Quit(); });
  }

  // Runs the program until the steps run out or it quits; WinMain's result.
  int Run() {
    ce::PlatformOptions options;
    options.headless = true;
    options.mute = true;
    options.dataDir = dataDir_;
    std::string error;
    EXPECT_TRUE(ce::StartPlatform(options, &error)) << error;
    ce::headless::SetDriver(this);
    int result = WinMain(nullptr, nullptr, u"", 1);
    ce::headless::SetDriver(nullptr);
    ce::StopPlatform();
    return result;
  }

  bool OnIdle() override {
    if (steps_.empty()) return false;
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step();
    return true;
  }

  const std::string& dataDir() const { return dataDir_; }

 private:
  void Repeat(std::function<bool()> step, ce::DWORD ms, int limit) {
    if (limit <= 0 || step()) return;
    steps_.push_front([this, step, ms, limit] { Repeat(step, ms, limit - 1); });
    steps_.push_front([ms] { ce::headless::Wait(ms); });
  }

  std::string dataDir_;
  std::deque<Step> steps_;
};

}  // namespace testsupport
