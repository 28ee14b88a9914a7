#include "framework/input_event.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

ce::MSG Message(ce::UINT message, ce::WPARAM wParam = 0, ce::LPARAM lParam = 0) {
  ce::MSG msg{};
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  return msg;
}

ce::MSG Pen(ce::UINT message, int x, int y) {
  return Message(message, 0, ce::MAKELPARAM(static_cast<ce::WORD>(x), static_cast<ce::WORD>(y)));
}

class BuildEventTest : public ::testing::Test {
 protected:
  InputEvent& Feed(const ce::MSG& msg) {
    BuildEvent(msg, &state_, &event_);
    return event_;
  }
  std::vector<std::uint32_t> Keys() const {
    return std::vector<std::uint32_t>(event_.data, event_.data + event_.keyCount);
  }
  InputState state_{};
  InputEvent event_{};
};

TEST_F(BuildEventTest, HeldKeysAreReportedInAscendingOrderOnEveryPass) {
  Feed(Message(ce::WM_KEYDOWN, ce::VK_RETURN));
  Feed(Message(ce::WM_KEYDOWN, ce::VK_LEFT));
  EXPECT_EQ(event_.type, kEventKeys);
  EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{KeyLeft, KeyAction}));
  Feed(Message(ce::WM_TIMER));
  EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{KeyLeft, KeyAction}));
  Feed(Message(ce::WM_KEYUP, ce::VK_LEFT));
  EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{KeyAction}));
  Feed(Message(ce::WM_KEYUP, ce::VK_RETURN));
  EXPECT_EQ(event_.type, kEventNone);
  EXPECT_EQ(event_.keyCount, 0);
}

TEST_F(BuildEventTest, HardwareKeysComeFromHotKeysAndLeaveWithKeyUp) {
  Feed(Message(ce::WM_KEYDOWN, ce::VK_APP3));  // a plain key-down sets nothing
  EXPECT_EQ(event_.type, kEventNone);
  Feed(Message(ce::WM_HOTKEY, ce::VK_APP3));
  EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{KeyApp3}));
  Feed(Message(ce::WM_HOTKEY, ce::VK_APP1));
  EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{KeyApp1, KeyApp3}));
  Feed(Message(ce::WM_KEYUP, ce::VK_APP3));
  EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{KeyApp1}));
  Feed(Message(ce::WM_HOTKEY, 0xC7));  // grabbed but not input
  EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{KeyApp1}));
}

TEST_F(BuildEventTest, PenGivesOneDownHeldUntilOneUpThenNothing) {
  Feed(Pen(ce::WM_LBUTTONDOWN, 10, 20));
  EXPECT_EQ(event_.type, kEventPenDown);
  EXPECT_EQ(event_.x, 10);
  EXPECT_EQ(event_.y, 20);
  Feed(Message(ce::WM_TIMER));
  EXPECT_EQ(event_.type, kEventPenHeld);
  Feed(Pen(ce::WM_MOUSEMOVE, 30, 40));
  EXPECT_EQ(event_.type, kEventPenHeld);
  EXPECT_EQ(event_.x, 30);
  Feed(Pen(ce::WM_LBUTTONUP, 31, 41));
  EXPECT_EQ(event_.type, kEventPenUp);
  EXPECT_EQ(event_.y, 41);
  Feed(Message(ce::WM_TIMER));
  EXPECT_EQ(event_.type, kEventNone);
  // A pen-up with no pen down reports nothing.
  Feed(Pen(ce::WM_LBUTTONUP, 5, 5));
  EXPECT_EQ(event_.type, kEventNone);
  EXPECT_EQ(event_.x, 31);
}

TEST_F(BuildEventTest, PenOverridesKeysButKeepsTheirCodes) {
  Feed(Message(ce::WM_KEYDOWN, ce::VK_UP));
  Feed(Pen(ce::WM_LBUTTONDOWN, 1, 2));
  EXPECT_EQ(event_.type, kEventPenDown);
  EXPECT_EQ(Keys(), (std::vector<std::uint32_t>{KeyUp}));
  Feed(Message(ce::WM_TIMER));
  EXPECT_EQ(event_.type, kEventPenHeld);
  Feed(Pen(ce::WM_LBUTTONUP, 1, 2));
  EXPECT_EQ(event_.type, kEventPenUp);
  EXPECT_EQ(event_.keyCount, 1);
  Feed(Message(ce::WM_TIMER));
  EXPECT_EQ(event_.type, kEventKeys);
}

TEST_F(BuildEventTest, UnwrittenFieldsKeepTheirValues) {
  event_.data[9] = 1234;
  Feed(Message(ce::WM_KEYDOWN, ce::VK_DOWN));
  EXPECT_EQ(event_.data[9], 1234u);
  event_.x = 77;  // written by a handler
  Feed(Message(ce::WM_TIMER));
  EXPECT_EQ(event_.x, 77);
}

// PollInputEvent takes one real message from the main queue.
class PollInputEventTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ce::PlatformOptions options;
    options.headless = true;
    ASSERT_TRUE(ce::StartPlatform(options, nullptr));
  }
  void TearDown() override { ce::StopPlatform(); }
};

TEST_F(PollInputEventTest, KeysWinOverThePenAndTheRestIsZero) {
  InputState state{};
  InputEvent event;
  ce::headless::PostInput(ce::WM_KEYDOWN, ce::VK_RIGHT, 0);
  ce::headless::PostInput(ce::WM_LBUTTONDOWN, 0, ce::MAKELPARAM(7, 9));
  ce::headless::PostInput(ce::WM_TIMER, 0, 0);
  ASSERT_NE(PollInputEvent(&state, &event), nullptr);
  EXPECT_EQ(event.type, kEventKeys);
  EXPECT_EQ(event.x, 0);
  ASSERT_NE(PollInputEvent(&state, &event), nullptr);
  EXPECT_EQ(event.type, kEventKeys);  // pen went down, but a key is held
  EXPECT_EQ(event.x, 7);
  EXPECT_EQ(event.data[1], 0u);
  ASSERT_NE(PollInputEvent(&state, &event), nullptr);
  EXPECT_EQ(event.x, 0);  // not a stylus message
  EXPECT_EQ(state.penIsDown, 1);
}

TEST_F(PollInputEventTest, TheEndOfTheRunIsReportedAndStays) {
  InputState state{};
  InputEvent event;
  ce::headless::Quit();
  EXPECT_EQ(PollInputEvent(&state, &event), nullptr);
  EXPECT_EQ(PollInputEvent(&state, &event), nullptr);
  ce::MSG msg;
  EXPECT_EQ(ce::GetMessageW(&msg, nullptr, 0, 0), 0);
}

}  // namespace
