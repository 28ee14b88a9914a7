// A game record watched in a real window: the action button held plays it
// fast to the same end as headless (the verdict and the last frame), a tap
// ends it at once, and the watcher's own data is left as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/real_window.h"
#include "tests/support/run_program.h"

namespace {

using testsupport::ReadFile;
using testsupport::RealGame;
using testsupport::RunProgram;
using testsupport::Shell;

// The demo's game, exported from its table, and a player's data folder.
struct Watched {
  testsupport::TempFolder folder{"window-watch"};
  std::string dir = folder.path();
  std::string record = dir + "/game.reedshot";
  std::string data = dir + "/data";
  std::string error;

  Watched() {
    auto demo = RunProgram(REEDSHOT_BINARY, {"--demo", dir + "/demo", "--data-dir", data});
    auto exported = RunProgram(REEDSHOT_BINARY, {"--export-game", "1", record, "--data-dir", data});
    if (demo.status != 0 || exported.status != 0) error = demo.err + exported.err;
  }
  std::string Data() const { return ReadFile(data + "/reedshot.db"); }
};

TEST(RealWindowWatch, HeldActionPlaysTheRecordFastToTheSameEnd) {
  std::string why = testsupport::RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  Watched w;
  ASSERT_TRUE(w.error.empty()) << w.error;
  auto headless = RunProgram(
      REEDSHOT_BINARY, {"--headless", "--watch", w.record, "--screenshots", w.dir + "/headless"});
  ASSERT_EQ(headless.status, 0) << headless.err;
  const std::string before = w.Data();
  ASSERT_FALSE(before.empty());

  RealGame game(REEDSHOT_BINARY, {"--scale", "1", "--mute", "--watch", w.record, "--data-dir",
                                  w.data, "--screenshots", w.dir + "/window"});
  ASSERT_TRUE(game.Started());
  Shell("timeout 10 xdotool windowfocus --sync " + game.window());
  Shell("xdotool keydown Return");
  // About 100 s of play at four times the pace.
  const int status = game.WaitForExit(120);
  Shell("xdotool keyup Return");
  EXPECT_EQ(status, 0);
  const std::string last = ReadFile(w.dir + "/window/last.png");
  EXPECT_FALSE(last.empty());
  EXPECT_TRUE(last == ReadFile(w.dir + "/headless/last.png"));
  EXPECT_TRUE(w.Data() == before);
}

TEST(RealWindowWatch, ATapEndsTheWatching) {
  std::string why = testsupport::RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  Watched w;
  ASSERT_TRUE(w.error.empty()) << w.error;
  const std::string before = w.Data();

  RealGame game(REEDSHOT_BINARY, {"--scale", "1", "--mute", "--watch", w.record, "--data-dir",
                                  w.data, "--screenshots", w.dir + "/window"});
  ASSERT_TRUE(game.Started());
  game.Click(120, 160);
  EXPECT_EQ(game.WaitForExit(10), 0);
  // Ended before its end: no verdict, no last frame.
  EXPECT_FALSE(std::filesystem::exists(w.dir + "/window/last.png"));
  EXPECT_TRUE(w.Data() == before);
}

}  // namespace
