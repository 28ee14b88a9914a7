// The controls' event rules, on their own.
#include <gtest/gtest.h>

#include "assets/resource_ids.h"
#include "framework/input_event.h"
#include "platform/clock.h"
#include "screens/widgets/button.h"
#include "screens/widgets/check_box.h"
#include "screens/widgets/slider.h"
#include "tests/support/headless_window.h"

namespace {

InputEvent Pen(std::uint32_t type, int x, int y) {
  InputEvent e{};
  e.type = type;
  e.x = static_cast<std::int16_t>(x);
  e.y = static_cast<std::int16_t>(y);
  return e;
}

struct Widgets : ::testing::Test {
  static void SetUpTestSuite() { testsupport::OpenHeadlessWindow(); }
};

// A button that counts the calls of its hold hook.
struct CountingButton : CButton {
  void WhileHeld() override { ++held; }
  int held = 0;
};

TEST_F(Widgets, ButtonClicksOnlyWhenLiftedOnItself) {
  CountingButton b;
  b.Create(9, 100, 50, 26, 44, kPictureScoresOk, kPictureScoresOkPressed, kButtonUp, 1, 0, 0, 100,
           kWidgetFrameMode, 0);
  // A pen-down on it is used up and shows the pressed picture.
  InputEvent e = Pen(kEventPenDown, 110, 60);
  EXPECT_EQ(b.HandleEvent(&e), 1);
  EXPECT_EQ(e.type, kEventNone);
  EXPECT_EQ(b.state, kButtonPressed);
  EXPECT_EQ(b.sprite.frameIndex, 1);
  // Held anywhere, even off the button: the hook runs and the event is taken.
  e = Pen(kEventPenHeld, 5, 5);
  EXPECT_EQ(b.HandleEvent(&e), 1);
  e = Pen(kEventNone, 0, 0);
  EXPECT_EQ(b.HandleEvent(&e), 1);
  EXPECT_EQ(b.held, 2);
  // Lifted on it (its bottom-right pixel is inside): a click with its id.
  e = Pen(kEventPenUp, 126, 94);
  EXPECT_EQ(b.HandleEvent(&e), 1);
  EXPECT_EQ(e.type, kEventButtonClicked);
  EXPECT_EQ(e.data[7], 9u);
  EXPECT_EQ(b.state, kButtonUp);
  EXPECT_EQ(b.sprite.frameIndex, 0);
  // A pen-up without its pen-down, and events while up, are not its own.
  e = Pen(kEventPenUp, 110, 60);
  EXPECT_EQ(b.HandleEvent(&e), 0);
  e = Pen(kEventPenHeld, 110, 60);
  EXPECT_EQ(b.HandleEvent(&e), 0);
  EXPECT_EQ(b.held, 2);
}

TEST_F(Widgets, ButtonDraggedOffGivesNoClickButTakesThePenUp) {
  CButton b;
  b.Create(3, 100, 50, 26, 44, kPictureScoresOk, kPictureScoresOkPressed, kButtonUp, 1, 0, 0, 100,
           kWidgetFrameMode, 0);
  InputEvent e = Pen(kEventPenDown, 100, 50);
  ASSERT_EQ(b.HandleEvent(&e), 1);
  e = Pen(kEventPenUp, 127, 50);  // one column past the closed rectangle
  EXPECT_EQ(b.HandleEvent(&e), 1);
  EXPECT_EQ(e.type, kEventPenUp);
  EXPECT_EQ(b.sprite.frameIndex, 0);
  EXPECT_EQ(b.captured, 0);
  // A pen-down beside it passes untouched.
  e = Pen(kEventPenDown, 99, 50);
  EXPECT_EQ(b.HandleEvent(&e), 0);
  EXPECT_EQ(e.type, kEventPenDown);
}

TEST_F(Widgets, DisabledButtonIgnoresEverything) {
  CButton b;
  b.Create(1, 0, 0, 26, 90, kPictureScoresReset, kPictureScoresResetPressed, kButtonDisabled, 1, 0,
           0, 100, kWidgetFrameMode, 0);
  for (std::uint32_t type : {kEventPenDown, kEventPenHeld, kEventPenUp}) {
    InputEvent e = Pen(type, 5, 5);
    EXPECT_EQ(b.HandleEvent(&e), 0);
    EXPECT_EQ(e.type, type);
  }
  EXPECT_EQ(b.sprite.frameIndex, 0);
}

TEST_F(Widgets, CheckBoxTogglesOnPenDownAndInertStatesNever) {
  CCheckBox c;
  c.Create(8, 144, 154, 26, 24, kPictureCheckTicked, kPictureCheckEmpty, 0, nullptr, 1, 0, 0, 100,
           kWidgetFrameMode);
  InputEvent e = Pen(kEventPenDown, 150, 160);
  e.data[8] = 0xABCD0000u;
  EXPECT_EQ(c.HandleEvent(&e), 1);
  EXPECT_EQ(e.type, kEventCheckBoxToggled);
  EXPECT_EQ(e.data[7], 8u);
  EXPECT_EQ(e.data[8], 0xABCD0001u);  // only the low half is written
  EXPECT_EQ(c.sprite.frameIndex, 1);
  e = Pen(kEventPenDown, 170, 178);  // its bottom-right pixel
  EXPECT_EQ(c.HandleEvent(&e), 1);
  EXPECT_EQ(c.state, 0u);
  EXPECT_EQ(c.sprite.frameIndex, 0);
  e = Pen(kEventPenDown, 171, 160);
  EXPECT_EQ(c.HandleEvent(&e), 0);
  // Pen-ups and held pens never toggle.
  for (std::uint32_t type : {kEventPenUp, kEventPenHeld}) {
    e = Pen(type, 150, 160);
    EXPECT_EQ(c.HandleEvent(&e), 0);
  }

  CCheckBox inert;
  inert.Create(7, 144, 31, 26, 24, kPictureCheckTicked, kPictureCheckEmpty, 2, nullptr, 1, 0, 0,
               100, kWidgetFrameMode);
  EXPECT_EQ(inert.sprite.frameIndex, 0);
  e = Pen(kEventPenDown, 150, 40);
  EXPECT_EQ(inert.HandleEvent(&e), 0);
  EXPECT_EQ(inert.state, 2u);
  EXPECT_EQ(e.type, kEventPenDown);
}

// The options screen's music slider.
struct SliderTest : Widgets {
  void Make(int value, int min = 0, int max = 70, int step = 6) {
    s.Create(0, 71, 21, 18, 184, 18, 35, kPictureSliderTrackMusic, kPictureSliderTrackMusic,
             kPictureSliderThumb, kPictureSliderThumbPressed, min, max, value, step, 1, 1, 0, 100,
             -1);
  }
  int TrackBottom() const { return 21 + 184; }
  CSlider s;
};

TEST_F(SliderTest, DraggingFollowsThePenAndStopsAtTheEnds) {
  Make(35);
  int thumbY = s.thumb->sprite.y;
  InputEvent e = Pen(kEventPenDown, 75, thumbY + 10);
  ASSERT_EQ(s.HandleEvent(&e), 1);
  EXPECT_EQ(e.type, kEventPenDown);  // not rewritten
  EXPECT_EQ(s.state, kSliderDragging);
  EXPECT_EQ(s.thumb->sprite.frameIndex, 1);
  // Value under the pen: (184 - (y + 17) + 21) / 2.
  e = Pen(kEventPenHeld, 75, 100);
  ASSERT_EQ(s.HandleEvent(&e), 1);
  EXPECT_EQ(e.type, kEventSliderMoved);
  EXPECT_EQ(e.data[8], kSliderDragged);
  EXPECT_EQ(e.data[9], 70u << 16);
  EXPECT_EQ(e.data[10], 44u | (35u << 16));
  EXPECT_EQ(s.thumb->sprite.y, TrackBottom() - 88 - 35);
  // Far past the top: max, then nothing more.
  e = Pen(kEventPenHeld, 75, 0);
  ASSERT_EQ(s.HandleEvent(&e), 1);
  EXPECT_EQ(s.value, 70);
  e = Pen(kEventPenHeld, 75, 2);
  EXPECT_EQ(s.HandleEvent(&e), 0);
  // Far past the bottom: min.
  e = Pen(kEventPenHeld, 75, 319);
  ASSERT_EQ(s.HandleEvent(&e), 1);
  EXPECT_EQ(s.value, 0);
  EXPECT_EQ(e.data[10], 0u | (70u << 16));
  e = Pen(kEventPenHeld, 75, 300);
  EXPECT_EQ(s.HandleEvent(&e), 0);
  // Lifted: released, thumb up again.
  e = Pen(kEventPenUp, 75, 300);
  ASSERT_EQ(s.HandleEvent(&e), 1);
  EXPECT_EQ(e.type, kEventSliderReleased);
  EXPECT_EQ(s.thumb->sprite.frameIndex, 0);
  EXPECT_EQ(s.thumb->state, kButtonUp);
  e = Pen(kEventPenUp, 75, 300);
  EXPECT_EQ(s.HandleEvent(&e), 0);
}

TEST_F(SliderTest, PagingStepsTowardsThePenWithRepeatDelay) {
  Make(35);
  // The pen near the track's top: the value under it is 70 at most.
  InputEvent e = Pen(kEventPenDown, 80, 60);
  int target = (21 + 184 - 17 - 60) / 2;  // 64
  ASSERT_EQ(s.HandleEvent(&e), 1);
  EXPECT_EQ(s.target, target);
  EXPECT_EQ(e.type, kEventSliderMoved);
  EXPECT_EQ(e.data[8], kSliderPagedUp);
  EXPECT_EQ(s.value, 41);
  // Each held event waits 20 ms, then pages on until the pen is passed;
  // after that a held pen neither pages nor waits.
  std::uint32_t before = ce::GetTickCount();
  int moves = 0;
  for (int i = 0; i < 10; ++i) {
    e = Pen(kEventPenHeld, 80, 60);
    if (s.HandleEvent(&e) == 1) ++moves;
  }
  EXPECT_EQ(s.value, 65);  // 47, 53, 59, 65: one step past the pen, then no more
  EXPECT_EQ(moves, 4);
  EXPECT_EQ(ce::GetTickCount() - before, 4u * 20u);
  e = Pen(kEventPenUp, 80, 60);
  ASSERT_EQ(s.HandleEvent(&e), 1);
  EXPECT_EQ(e.type, kEventSliderReleased);

  // Down the other way, stopping at min.
  e = Pen(kEventPenDown, 80, 204);
  ASSERT_EQ(s.HandleEvent(&e), 1);
  EXPECT_EQ(e.data[8], kSliderPagedDown);
  EXPECT_EQ(e.data[10], 59u | (65u << 16));
  for (int i = 0; i < 20; ++i) {
    e = Pen(kEventPenHeld, 80, 204);
    s.HandleEvent(&e);
  }
  EXPECT_EQ(s.value, 0);
}

TEST_F(SliderTest, PenDownAtTheCurrentValueOrBesideTheTrackDoesNothing) {
  // A track wider than its thumb, so the pen can touch the track level with
  // the thumb's middle without touching the thumb.
  s.Create(0, 71, 21, 30, 184, 18, 35, kPictureSliderTrackMusic, kPictureSliderTrackMusic,
           kPictureSliderThumb, kPictureSliderThumbPressed, 0, 70, 35, 6, 1, 1, 0, 100, -1);
  int y = 21 + 184 - 17 - 35 * 2;
  InputEvent e = Pen(kEventPenDown, 100, y);
  EXPECT_EQ(s.HandleEvent(&e), 0);
  EXPECT_EQ(s.state, kSliderPaging);
  EXPECT_EQ(s.value, 35);
  e = Pen(kEventPenUp, 100, y);
  EXPECT_EQ(s.HandleEvent(&e), 1);
  e = Pen(kEventPenDown, 70, 100);
  EXPECT_EQ(s.HandleEvent(&e), 0);
  EXPECT_EQ(s.state, kSliderIdle);
}

}  // namespace
