// The high-score screen: the table's pages, the statistics, the reset with
// its confirmation, and when the table is saved.
#include <gtest/gtest.h>

#include <string>

#include "drivers/state_snapshot.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "screens/high_score_view.h"
#include "screens/widgets/button.h"
#include "tests/screens/screen_steps.h"
#include "tests/support/piped_program.h"

namespace {

using namespace screentest;

CHighScoreView* Scores() { return ViewAt<CHighScoreView>(kViewHighScores); }
HighScoreTable* Table() { return Settings()->highScores; }

// Fills the table with n results, as finished games would.
void Fill(int n) {
  for (int i = 0; i < n; ++i) {
    HighScoreEntry e{};
    e.isNewest = 1;
    e.score = 100 * (i + 1);
    e.name[0] = static_cast<char16_t>(u'A' + i);
    Table()->InsertScore(e);
  }
}

// What the database holds now.
int StoredEntries() {
  HighScoreTable stored;
  stored.Load();
  return stored.FindFirstEmpty();
}

TEST(HighScores, PagingNeedsFourEntriesAndShowsEntriesFromTheSixth) {
  ScreenRun run;
  run.ToMainMenu();
  run.Then([] { Fill(3); });
  run.Press(menu::kScore);
  run.Press(scores::kTable);
  run.Then([] { EXPECT_EQ(Scores()->firstRow, 0); });
  run.Press(scores::kOk);
  run.Wait(800);
  run.Then([] { Fill(4); });  // seven in all
  run.Press(menu::kScore);
  run.Then([] {
    // Sorted for showing: best first.
    EXPECT_EQ(Table()->entries[0].score, 400);
  });
  run.Press(scores::kTable);
  run.Then([] { EXPECT_EQ(Scores()->firstRow, 5); });
  run.Press(scores::kTable);
  run.Then([] { EXPECT_EQ(Scores()->firstRow, 0); });
  run.Close();
  run.Run();
}

TEST(HighScores, StatisticsPageDisablesResetAndDoesNotPage) {
  ScreenRun run;
  run.ToMainMenu();
  run.Then([] { Fill(6); });
  run.Press(menu::kScore);
  run.Press(scores::kStats);
  run.Then([] {
    EXPECT_EQ(Scores()->page, CHighScoreView::kStatsPage);
    EXPECT_EQ(Scores()->reset->state, kButtonDisabled);
  });
  run.Press(scores::kTable);
  run.Press(scores::kReset);  // ignored: no dialog
  run.Then([] {
    EXPECT_EQ(Scores()->firstRow, 0);
    EXPECT_EQ(Table()->FindFirstEmpty(), 6);
  });
  run.Press(scores::kStats);  // the Score button in the same place
  run.Then([] {
    EXPECT_EQ(Scores()->page, CHighScoreView::kTablePage);
    EXPECT_EQ(Scores()->reset->state, kButtonUp);
    EXPECT_EQ(Scores()->widgetCount(), 3);  // OK, Reset and one of Stats and Score
  });
  run.Close();
  run.Run();
}

TEST(HighScores, ResetAsksFirst) {
  ScreenRun run;
  run.ToMainMenu();
  run.Then([] { Fill(5); });
  run.Press(menu::kScore);
  // Cancel: the table stays. A pen-down on OK lifted on Cancel is Cancel.
  run.Tap(scores::kReset);
  run.PenDown(scores::kDialogOk.x, scores::kDialogOk.y);
  run.Wait(10);
  run.PenUp(scores::kDialogCancel.x, scores::kDialogCancel.y);
  run.Wait(20);
  run.Then([] {
    EXPECT_EQ(Table()->FindFirstEmpty(), 5);
    EXPECT_EQ(Current(), kViewHighScores);
  });
  // OK: emptied.
  run.Tap(scores::kReset);
  run.Tap(scores::kDialogOk);
  run.Wait(20);
  run.Then([] { EXPECT_EQ(Table()->FindFirstEmpty(), 0); });
  run.Close();
  run.Run();
}

TEST(HighScores, ClosingTheWindowDuringTheQuestionCancelsAndEndsTheRun) {
  std::string dir = testsupport::MakeTempDir("scores");
  {
    ScreenRun run(dir);
    run.ToMainMenu();
    run.Then([] { Fill(2); });
    run.Press(menu::kScore);
    run.Tap(scores::kReset);
    run.Close();
    EXPECT_EQ(run.Run(), 1);
  }
  {
    ScreenRun run(dir);
    run.Then([] { EXPECT_EQ(Table()->FindFirstEmpty(), 2); });
    run.Close();
    run.Run();
  }
}

TEST(HighScores, AConfirmedResetIsSavedAtOnce) {
  std::string dir = testsupport::MakeTempDir("scores");
  {
    ScreenRun run(dir);
    run.Then([] { Fill(3); });
    run.Close();
    run.Run();
  }
  // Main menu, Score, Reset, OK on the question; the state line shows the
  // reset has happened; then the program is killed.
  {
    testsupport::PipedProgram program(REEDSHOT_BINARY, {"--mute", "--data-dir", dir});
    std::string line = program.State(
        "wait 5000\ntap 120 160\nwait 1000\ntap 123 55\nwait 20\n"
        "tap 213 115\ntap 149 210\nwait 20\n");
    EXPECT_NE(line.find('}'), std::string::npos) << line;
    EXPECT_TRUE(program.Kill());
  }
  ScreenRun run(dir);
  run.Then([] { EXPECT_EQ(Table()->FindFirstEmpty(), 0); });
  run.Close();
  run.Run();
}

TEST(HighScores, OkSavesOnlyAfterAGame) {
  ScreenRun run;
  run.ToMainMenu();
  run.Then([] { Fill(1); });
  run.Press(menu::kScore);
  run.Press(scores::kOk);
  run.Then([] { EXPECT_EQ(StoredEntries(), 0); });
  run.Wait(800);
  run.ToGame();
  // No shot: the game ends with 0, which never enters the table.
  run.Wait(182000);
  run.ExpectView(kViewHighScores);
  run.Then([] {
    EXPECT_EQ(Settings()->resultPending, 0);
    EXPECT_EQ(Table()->FindFirstEmpty(), 1);
  });
  run.Press(scores::kOk);
  run.ExpectView(kViewMainMenu);
  run.Then([] { EXPECT_EQ(StoredEntries(), 1); });
  run.Close();
  run.Run();
}

TEST(HighScores, AFinishedGameEntersUnderTheUsersNameMarkedNewest) {
  ScreenRun run;
  run.ToMainMenu();
  run.Then([] { Fill(2); });
  run.Press(menu::kName);
  for (char c : std::string("ACE")) run.Press(names::Key(c));
  run.Press(names::kOk);
  run.AtMainMenu();
  run.ToGame();
  // Shoot at the flying ducks until one falls: a tap on an opaque pixel of
  // one; reload on the shells when the gun is empty.
  run.Until(
      [] {
        drivers::StateSnapshot s = drivers::TakeSnapshot();
        if (s.game.score > 0) return true;
        auto tap = [](int x, int y) {
          ce::headless::PostInput(ce::WM_LBUTTONDOWN, 1, ce::MAKELPARAM(x, y));
          ce::headless::PostInput(ce::WM_LBUTTONUP, 0, ce::MAKELPARAM(x, y));
        };
        if (s.game.shells == 0) {
          tap(220, 80);
          return false;
        }
        for (const drivers::ObjectSnapshot& duck : s.game.ducks) {
          int x = duck.aimX - s.scrollX, y = duck.aimY - s.scrollY;
          if (duck.kind < 1 || duck.kind > 4 || !duck.hasAim) continue;
          if (x < 0 || x > 200 || y < 0 || y > 300) continue;
          tap(x, y);
          break;
        }
        return false;
      },
      50, 3000);
  run.Then([] { EXPECT_GT(drivers::TakeSnapshot().game.score, 0); });
  run.Wait(181000);
  run.ExpectView(kViewHighScores);
  run.Then([] {
    EXPECT_EQ(Settings()->resultPending, 0);
    EXPECT_GT(Settings()->pendingScore, 0);
    ASSERT_EQ(Table()->FindFirstEmpty(), 3);
    int newest = 0;
    for (const HighScoreEntry& e : Table()->entries) {
      if (e.isNewest != 1) continue;
      ++newest;
      EXPECT_EQ(ce::ToUtf8(e.name), "ACE");
      EXPECT_EQ(e.score, Settings()->lastScore);
      EXPECT_GT(e.score, 0);
    }
    EXPECT_EQ(newest, 1);
    EXPECT_EQ(ce::ToUtf8(Settings()->playerName), "ACE");
  });
  run.Close();
  run.Run();
}

}  // namespace
