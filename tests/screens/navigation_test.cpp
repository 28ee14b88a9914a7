// The whole navigation, walked with the pen through the real message loop.
#include <gtest/gtest.h>

#include <algorithm>

#include "assets/resource_ids.h"
#include "game/game_controller.h"
#include "screens/intro_view.h"
#include "screens/main_menu_view.h"
#include "tests/screens/screen_steps.h"

namespace {

using namespace screentest;

std::vector<int> History() {
  return std::vector<int>(Views()->history, Views()->history + Views()->historyCount);
}

TEST(Navigation, PauseMenuVisitsComeStraightBackToTheGame) {
  ScreenRun run;
  run.ToMainMenu();
  run.Then([] {
    // The menu music started with the first menu after the title, once.
    EXPECT_EQ(std::count(Sounds().begin(), Sounds().end(), kSoundMenuMusic), 1);
    EXPECT_TRUE(History().empty());
  });
  run.ToGame();
  run.Then([] { EXPECT_TRUE(g_gameController->playing()); });

  for (Point visit : {pause::kOptions, pause::kScore, pause::kHelp}) {
    run.ToPauseMenu();
    run.Then([] { EXPECT_EQ(History(), (std::vector<int>{kViewMainMenu, kViewGame})); });
    run.Press(visit);
    run.Then([] {
      EXPECT_NE(Current(), kViewPauseMenu);
      EXPECT_NE(Current(), kViewGame);
    });
    // OK leaves each of them the same way.
    run.Press(visit.x == pause::kOptions.x ? options::kOk
              : visit.x == pause::kScore.x ? scores::kOk
                                           : help::kOk);
    run.ExpectView(kViewGame);
    run.Then([] { EXPECT_TRUE(g_gameController->playing()); });
  }

  run.ToPauseMenu();
  run.Press(pause::kResume);
  run.ExpectView(kViewGame);
  run.Then([] {
    EXPECT_EQ(History(), std::vector<int>{kViewMainMenu});
    EXPECT_EQ(Sounds().back(), kSoundClick);
  });

  run.ToPauseMenu();
  run.Press(pause::kExit);
  run.Wait(1500);  // the end picture
  run.ExpectView(kViewMainMenu);
  run.Then([] { EXPECT_FALSE(g_gameController->playing()); });
  // The next screen's way back leads to the menu, never to the ended game.
  run.Wait(1000);
  run.Press(menu::kHelp);
  run.Press(help::kOk);
  run.ExpectView(kViewMainMenu);
  run.Close();
  EXPECT_EQ(run.Run(), 1);
}

// The window left or minimised: during play the pause menu opens as from
// the menu corner and the clock stops; anywhere else nothing happens.
TEST(Navigation, LookingAwayPausesOnlyAGameInPlay) {
  ScreenRun run;
  auto lookAway = [&run] {
    run.Post(ce::WM_ACTIVATE, ce::WA_INACTIVE, 0, 0);
    run.Wait(20);
  };
  run.ToMainMenu();
  lookAway();
  run.ExpectView(kViewMainMenu);
  run.ToGame();
  run.Wait(1500);
  run.Post(ce::WM_ACTIVATE, ce::WA_ACTIVE, 0, 0);  // coming back changes nothing
  run.Wait(20);
  run.ExpectView(kViewGame);
  static std::int32_t secondsLeft;
  lookAway();
  run.ExpectView(kViewPauseMenu);
  run.Then([] {
    EXPECT_EQ(History(), (std::vector<int>{kViewMainMenu, kViewGame}));
    EXPECT_EQ(Sounds().back(), kSoundMenuMusic);
    secondsLeft = g_gameController->clock.secondsLeft;
    EXPECT_LT(secondsLeft, 180);
  });
  run.Wait(5000);
  lookAway();  // again, in the pause menu: nothing more
  run.ExpectView(kViewPauseMenu);
  run.Then([] {
    EXPECT_EQ(g_gameController->clock.secondsLeft, secondsLeft);
    EXPECT_EQ(History(), (std::vector<int>{kViewMainMenu, kViewGame}));
  });
  run.Press(pause::kResume);
  run.ExpectView(kViewGame);
  run.Wait(3000);
  run.Then([] { EXPECT_LT(g_gameController->clock.secondsLeft, secondsLeft - 1); });
  run.Close();
  run.Run();
}

TEST(Navigation, PenDownOnOnePauseButtonReleasedOnAnotherDoesNothing) {
  ScreenRun run;
  run.ToMainMenu();
  run.ToGame();
  run.ToPauseMenu();
  run.PenDown(pause::kExit.x, pause::kExit.y);
  run.Wait(10);
  run.PenUp(pause::kResume.x, pause::kResume.y);
  run.Wait(50);
  run.ExpectView(kViewPauseMenu);
  run.Then([] { EXPECT_TRUE(g_gameController->playing()); });
  // A tap beside the buttons does nothing either.
  run.Press(pause::kPanelGap);
  run.ExpectView(kViewPauseMenu);
  run.Close();
  run.Run();
}

TEST(Navigation, SkipButtonWithinTwoSeconds) {
  ScreenRun run;
  run.Wait(500);
  run.Press({120, 160});  // beside the skip button: nothing
  run.ExpectView(kViewIntro);
  run.Press({203, 309});
  run.ExpectView(kViewTapToStart);
  run.Close();
  run.Run();
}

TEST(Navigation, TapAfterTwoSecondsDoesNotSkip) {
  ScreenRun run;
  run.Wait(2100);
  run.Press({203, 309});
  run.Wait(200);
  run.ExpectView(kViewIntro);
  run.Wait(3000);
  run.ExpectView(kViewTapToStart);
  run.Close();
  run.Run();
}

}  // namespace
