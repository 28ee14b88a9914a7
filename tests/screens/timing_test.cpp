// The screens' animations counted step by step on the virtual tick count.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "graphics/sprite.h"
#include "platform/clock.h"
#include "screens/intro_view.h"
#include "screens/main_menu_view.h"
#include "screens/pause_menu_view.h"
#include "screens/tap_to_start_view.h"
#include "tests/screens/screen_steps.h"

namespace {

using namespace screentest;

// Watches a value every millisecond while `running` holds and records the
// tick of each change.
template <class Value, class Running>
void Watch(ScreenRun& run, Value value, Running running, std::vector<std::uint32_t>* changes) {
  auto last = std::make_shared<decltype(value())>();
  auto started = std::make_shared<bool>(false);
  run.Until(
      [=] {
        if (!running()) return *started;
        auto now = value();
        if (!*started || now != *last) changes->push_back(ce::GetTickCount());
        *started = true;
        *last = now;
        return false;
      },
      1, 20000);
}

// The shortest time between two recorded changes.
std::uint32_t ShortestGap(const std::vector<std::uint32_t>& ticks) {
  std::uint32_t gap = UINT32_MAX;
  for (size_t i = 1; i < ticks.size(); ++i) gap = std::min(gap, ticks[i] - ticks[i - 1]);
  return gap;
}

TEST(Timing, IntroFadesInTenStepsAndTurnsInTwentyFour) {
  ScreenRun run;
  std::vector<std::uint32_t> fades, turns;
  run.Wait(1990);
  Watch(
      run, [] { return CIntroView::alpha; },
      [] { return Current() == kViewIntro && ViewAt<CIntroView>(kViewIntro)->angle == 90.0; },
      &fades);
  Watch(
      run, [] { return ViewAt<CIntroView>(kViewIntro)->angle; },
      [] { return Current() == kViewIntro; }, &turns);
  run.Then([&] {
    // The first entry is the value seen when watching began.
    EXPECT_EQ(fades.size(), 1u + 10u);
    EXPECT_GE(ShortestGap(std::vector<std::uint32_t>(fades.begin() + 1, fades.end())), 71u);
    EXPECT_GT(CIntroView::alpha, 1.0f);
    // The first turn ends the watch of the fade: this one starts at 94
    // degrees and sees the other 23.
    EXPECT_EQ(turns.size(), 24u);
    EXPECT_EQ(ViewAt<CIntroView>(kViewIntro)->angle, 90.0 + 24 * 4.0);
    EXPECT_GE(ShortestGap(std::vector<std::uint32_t>(turns.begin() + 1, turns.end())), 51u);
    EXPECT_EQ(Current(), kViewTapToStart);
  });
  run.Close();
  run.Run();
}

TEST(Timing, TitleSignBlinksNoFasterThanEvery231Ms) {
  ScreenRun run;
  std::vector<std::uint32_t> blinks;
  run.Wait(4900);
  run.Until([] { return Current() == kViewTapToStart; }, 10, 500);
  Watch(
      run, [] { return ViewAt<CTapToStartView>(kViewTapToStart)->signShown; },
      [] { return ce::GetTickCount() < 110000; }, &blinks);
  run.Then([&] {
    EXPECT_GE(blinks.size(), 10u);
    EXPECT_GE(ShortestGap(std::vector<std::uint32_t>(blinks.begin() + 1, blinks.end())), 231u);
  });
  run.Close();
  run.Run();
}

TEST(Timing, MainMenuSlidesInSixtyTwoStepsOnePerTick) {
  ScreenRun run;
  std::vector<std::uint32_t> steps;
  run.Wait(5000);
  run.PenDown(120, 160);
  // Each step moves one picture or moves the animation on to the next.
  Watch(
      run,
      [] {
        CMainMenuView* menu = ViewAt<CMainMenuView>(kViewMainMenu);
        if (Current() != kViewMainMenu) return std::vector<int>{};
        std::vector<int> state{CMainMenuView::stage, menu->animating};
        for (CSprite* s : menu->slidingSprites) state.push_back(s != nullptr ? s->y : 0);
        state.push_back(menu->nameSprite->y);
        return state;
      },
      [] { return Current() != kViewMainMenu || ViewAt<CMainMenuView>(kViewMainMenu)->animating; },
      &steps);
  run.PenUp(120, 160);
  run.Then([&] {
    // The title, then every step but the last, which ends the watch.
    EXPECT_EQ(steps.size(), 1u + 61u);
    EXPECT_GE(ShortestGap(std::vector<std::uint32_t>(steps.begin() + 1, steps.end())), 10u);
    CMainMenuView* menu = ViewAt<CMainMenuView>(kViewMainMenu);
    EXPECT_EQ(menu->animating, 0);
    EXPECT_EQ(menu->widgetCount(), 6);
    EXPECT_EQ(CMainMenuView::stage, 0);
  });
  run.Close();
  run.Run();
}

TEST(Timing, WithoutMenuAnimationTheButtonsAreThereAtOnce) {
  ScreenRun run;
  run.Wait(5000);
  run.Then([] { Settings()->menuAnimation = 0; });
  run.Tap({120, 160});
  run.Then([] {
    ASSERT_EQ(Current(), kViewMainMenu);
    CMainMenuView* menu = ViewAt<CMainMenuView>(kViewMainMenu);
    EXPECT_EQ(menu->animating, 0);
    EXPECT_EQ(menu->widgetCount(), 6);
    for (CSprite* s : menu->slidingSprites) EXPECT_EQ(s, nullptr);
  });
  run.Press(menu::kOptions);
  run.ExpectView(kViewOptions);
  run.Close();
  run.Run();
}

TEST(Timing, PausePanelSlidesInSeventeenStepsAndIgnoresTapsMeanwhile) {
  ScreenRun run;
  std::vector<std::uint32_t> steps;
  run.ToMainMenu();
  run.ToGame();
  run.Tap(kMenuCorner);
  run.Then([] { ASSERT_EQ(Current(), kViewPauseMenu); });
  run.Tap(pause::kResume);  // while it slides: nothing
  Watch(
      run, [] { return ViewAt<CPauseMenuView>(kViewPauseMenu)->panelArea.left; },
      [] { return ViewAt<CPauseMenuView>(kViewPauseMenu)->sliding != 0; }, &steps);
  run.Then([&] {
    EXPECT_EQ(Current(), kViewPauseMenu);
    CPauseMenuView* pause = ViewAt<CPauseMenuView>(kViewPauseMenu);
    EXPECT_EQ(pause->panelArea.left, 70);
    EXPECT_EQ(pause->panelSource.right, 170);
    EXPECT_EQ(pause->pressedItem, CPauseMenuView::kNone);
    // 17 steps in all; the tap above came during the first few.
    EXPECT_GE(steps.size(), 14u);
    EXPECT_LE(steps.size(), 17u);
    EXPECT_GE(ShortestGap(std::vector<std::uint32_t>(steps.begin() + 1, steps.end())), 31u);
  });
  run.Close();
  run.Run();
}

}  // namespace
