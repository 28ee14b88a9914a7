// The main thread's message queue on the headless device: the window's
// timer message comes only when nothing else is queued, the input the
// device already holds goes ahead of a due tick, and pen moves waiting at
// the end of the queue are merged into the newest.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "platform/clock.h"
#include "platform/device_input.h"
#include "platform/headless/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "tests/support/run_program.h"

namespace {

constexpr ce::UINT kTimer = 7;

// Runs the driver's steps in turn when the queue is idle; ends after them.
class StepDriver : public ce::headless::Driver {
 public:
  std::deque<std::function<void()>> steps;
  bool OnIdle() override {
    if (steps.empty()) return false;
    steps.front()();
    steps.pop_front();
    return true;
  }
};

class MessageQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ce::PlatformOptions options;
    options.headless = true;
    options.mute = true;
    options.dataDir = testsupport::MakeTempDir("queue");
    std::string error;
    ASSERT_TRUE(ce::StartPlatform(options, &error)) << error;
    ce::WNDCLASSW wc{};
    wc.lpszClassName = u"DUV";
    ASSERT_NE(ce::RegisterClassW(&wc), 0);
    hwnd_ = ce::CreateWindowExW(0, u"DUV", u"DUV", ce::WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(hwnd_, nullptr);
    ce::headless::SetDriver(&driver_);
  }
  void TearDown() override {
    ce::headless::SetDriver(nullptr);
    ce::StopPlatform();
  }

  // The messages GetMessageW gives until the run ends (at most `most`).
  std::vector<ce::UINT> Take(size_t most) {
    std::vector<ce::UINT> taken;
    ce::MSG msg;
    while (taken.size() < most && ce::GetMessageW(&msg, nullptr, 0, 0)) {
      taken.push_back(msg.message);
      lParams_.push_back(msg.lParam);
    }
    return taken;
  }

  ce::HWND hwnd_ = nullptr;
  StepDriver driver_;
  std::vector<ce::LPARAM> lParams_;
};

TEST_F(MessageQueueTest, ADueTickWaitsBehindWhatIsQueuedAndTicksThatPassedAreOne) {
  ASSERT_NE(ce::SetTimer(hwnd_, kTimer, 10, nullptr), 0u);
  ce::MSG msg;
  EXPECT_FALSE(ce::PeekMessageW(&msg, nullptr, 0, 0, ce::PM_REMOVE));  // primes the timer
  ce::PostMessageW(hwnd_, ce::WM_KEYDOWN, ce::VK_LEFT, 0);
  ce::PostMessageW(hwnd_, ce::WM_KEYUP, ce::VK_LEFT, 0);
  ce::Sleep(35);  // three ticks come due meanwhile
  driver_.steps = {[] { ce::headless::Wait(1000); }};
  EXPECT_EQ(Take(3), (std::vector<ce::UINT>{ce::WM_KEYDOWN, ce::WM_KEYUP, ce::WM_TIMER}));
  EXPECT_FALSE(ce::PeekMessageW(&msg, nullptr, 0, 0, ce::PM_REMOVE));
}

TEST_F(MessageQueueTest, InputTheDeviceHoldsGoesAheadOfADueTick) {
  ASSERT_NE(ce::SetTimer(hwnd_, kTimer, 10, nullptr), 0u);
  ce::MSG msg;
  EXPECT_FALSE(ce::PeekMessageW(&msg, nullptr, 0, 0, ce::PM_REMOVE));
  // The key is due 5 ms on, the tick 10 ms on; the program is busy for 20.
  ce::headless::Wait(5);
  driver_.steps = {[] { ce::headless::PostInput(ce::WM_KEYDOWN, ce::VK_UP, 0); },
                   [] { ce::headless::Wait(1000); }};
  ce::Sleep(20);
  EXPECT_EQ(Take(2), (std::vector<ce::UINT>{ce::WM_KEYDOWN, ce::WM_TIMER}));
}

TEST_F(MessageQueueTest, PenMovesAtTheEndOfTheQueueAreMergedIntoTheNewest) {
  ce::detail::PostPen(ce::WM_LBUTTONDOWN, 1, 1);
  ce::detail::PostPen(ce::WM_MOUSEMOVE, 2, 2);
  ce::detail::PostPen(ce::WM_MOUSEMOVE, 3, 3);
  ce::PostMessageW(hwnd_, ce::WM_KEYDOWN, ce::VK_LEFT, 0);
  ce::detail::PostPen(ce::WM_MOUSEMOVE, 4, 4);  // not merged across the key
  ce::detail::PostPen(ce::WM_MOUSEMOVE, 5, 5);
  ce::detail::PostPen(ce::WM_LBUTTONUP, 5, 5);
  EXPECT_EQ(Take(10), (std::vector<ce::UINT>{ce::WM_LBUTTONDOWN, ce::WM_MOUSEMOVE, ce::WM_KEYDOWN,
                                             ce::WM_MOUSEMOVE, ce::WM_LBUTTONUP}));
  ASSERT_EQ(lParams_.size(), 5u);
  EXPECT_EQ(lParams_[1], ce::MAKELPARAM(3, 3));
  EXPECT_EQ(lParams_[3], ce::MAKELPARAM(5, 5));
}

}  // namespace
