// The signals that end a run (a closed terminal, a logout): each ends it as
// closing the window does, with its saves, however many arrive; while it
// ends, failures to save go to standard error, and no message box waits
// for a click or outlives the game.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "tests/support/display_lock.h"
#include "tests/support/players_data.h"
#include "tests/support/real_window.h"
#include "tests/support/started_program.h"

namespace {

using namespace testsupport;

TEST(SignalsTest, EndingSignalsAtTheTableKeepTheNewEntryAndTheName) {
  // SIGHUP alone, and a logout's SIGTERM and SIGHUP at once.
  for (const std::vector<int>& signals : {std::vector<int>{SIGHUP}, {SIGTERM, SIGHUP}}) {
    TempFolder dir("signal-table");
    UseData(dir.path(), [](SettingsStore* s) { std::copy_n(u"ZED", 4, s->userName); });
    std::string state;
    {
      PipedProgram run(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", dir.path()});
      state = PlayUntil(&run, [](const std::string& s) { return FieldOf(s, "view") == "7"; });
      ASSERT_EQ(FieldOf(state, "view"), "7") << state;
      EXPECT_EQ(run.EndWith(signals), 0);
    }
    const PlayerData data = ReadData(dir.path());
    EXPECT_EQ(data.Scores(), "ZED " + FieldOf(state, "lastScore") + "; ") << signals.size();
    EXPECT_EQ(ce::ToUtf8(data.settings.userName), "ZED");
  }
}

// Through the title to the main menu, the name screen, Z E D and OK: back
// at the main menu, which shows the name.
struct Tap {
  int x, y, waitMs;
};
constexpr Tap kEnterName[] = {{120, 160, 3000}, {215, 241, 1500}, {137, 41, 100},
                              {69, 161, 100},   {69, 195, 100},   {216, 49, 2000}};

TEST(SignalsTest, AWindowEndedByTwoSignalsKeepsTheNameJustEntered) {
  std::string why = RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  TempFolder dir("signal-name");
  std::ofstream script(dir / "name.txt");
  script << "wait 6000\n";
  for (const Tap& t : kEnterName)
    script << "tap " << t.x << " " << t.y << "\nwait " << t.waitMs << "\n";
  script << "shot named\n";
  script.close();
  auto headless =
      RunProgram(REEDSHOT_BINARY, {"--script", dir / "name.txt", "--screenshots", dir.path(),
                                   "--data-dir", dir / "headless", "--mute"});
  ASSERT_EQ(headless.status, 0) << headless.err;
  RealGame game(REEDSHOT_BINARY, {"--scale", "1", "--mute", "--data-dir", dir / "data"});
  ASSERT_TRUE(game.Started());
  PauseMs(6000);
  for (const Tap& t : kEnterName) {
    game.Click(t.x, t.y);
    PauseMs(t.waitMs);
  }
  ASSERT_TRUE(game.WaitUntilShows(dir / "named.png"));
  kill(game.pid(), SIGTERM);
  EXPECT_EQ(game.Close(), 0);  // a second signal, then the wait
  EXPECT_EQ(ce::ToUtf8(ReadData(dir / "data").settings.userName), "ZED");
}

// A store that cannot be written shows a box at the start; an ending
// signal ends it and the run, and a kill leaves no box behind.
TEST(SignalsTest, AnUnwritableStoreNeitherHoldsTheEndNorLeavesABox) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
  DisplayLock lock;
  TempFolder dir("signal-unwritable");
  for (int signal : {SIGTERM, SIGKILL}) {
    StartedProgram game(REEDSHOT_BINARY, {"--scale", "1", "--mute", "--data-dir", dir / "data"},
                        "ulimit -f 0; trap '' XFSZ");
    std::vector<pid_t> box;
    ASSERT_TRUE(WaitFor([&] { return !(box = ChildrenOf(game.pid())).empty(); }))
        << "no message box: " << game.err();
    game.Signal(signal);
    const int status = game.Wait(20);
    EXPECT_EQ(status, signal == SIGTERM ? 0 : -1) << game.err();
    EXPECT_TRUE(WaitFor([&] { return Ended(box[0]); }, 10)) << "the box outlived the game";
    if (signal == SIGTERM) {
      // The teardown's failures, told on standard error.
      EXPECT_NE(game.err().find("reedshot: Error: "), std::string::npos) << game.err();
    }
  }
}

}  // namespace
