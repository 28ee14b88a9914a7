// The help pages, About and Credits.
#include <gtest/gtest.h>

#include "assets/resource_ids.h"
#include "graphics/sprite.h"
#include "screens/credits_view.h"
#include "screens/help_view.h"
#include "tests/screens/screen_steps.h"

namespace {

using namespace screentest;

int Page() { return ViewAt<CHelpView>(kViewHelp)->page; }

TEST(Help, PagingStopsAtBothEnds) {
  ScreenRun run;
  run.ToMainMenu();
  run.Press(menu::kHelp);
  run.Then([] {
    EXPECT_EQ(Page(), kPictureHelpPage1);
    Sounds().clear();
  });
  run.Press(help::kPrevious);
  run.Then([] {
    EXPECT_EQ(Page(), kPictureHelpPage1);
    EXPECT_EQ(Sounds(), std::vector<int>{kSoundClick});
    Sounds().clear();
  });
  run.Press(help::kNext);
  run.Then([] {
    EXPECT_EQ(Page(), kPictureHelpPage2);
    EXPECT_EQ(Sounds(), (std::vector<int>{kSoundClick, kSoundPageTurn}));
  });
  for (int i = 0; i < 6; ++i) run.Press(help::kNext);
  run.Then([] { EXPECT_EQ(Page(), kPictureHelpPage6); });
  // About and back: help opens at its first page again.
  run.Press(help::kAbout);
  run.ExpectView(kViewAbout);
  run.Press({10, 10});
  run.ExpectView(kViewHelp);
  run.Then([] { EXPECT_EQ(Page(), kPictureHelpPage1); });
  run.Close();
  run.Run();
}

TEST(Help, CreditsRollTwoPixelsAStep) {
  EXPECT_EQ(CCreditsView::LineAlpha(220), 0.0f);
  EXPECT_EQ(CCreditsView::LineAlpha(218), 0.1f);
  EXPECT_EQ(CCreditsView::LineAlpha(129), 1.0f);
  EXPECT_EQ(CCreditsView::LineAlpha(9), 0.0f);

  ScreenRun run;
  run.ToMainMenu();
  run.Press(menu::kHelp);
  run.Press(help::kCredits);
  run.ExpectView(kViewCredits);
  run.Wait(60 * 10);
  run.Then([] {
    int x = ViewAt<CCreditsView>(kViewCredits)->lineSprites[0]->x;
    // One step per 51 ms or more, since the screen was entered.
    EXPECT_LT(x, 220);
    EXPECT_GE(x, 220 - 2 * 13);
    EXPECT_EQ(x % 2, 0);
  });
  run.Close();
  run.Run();
}

}  // namespace
