// The desktop build in a real X window, driven with real X input, shows the
// same pixels as the headless run of the same steps. Needs a display and
// xdotool and ImageMagick (./check provides all three); skipped otherwise.
#include "tests/support/real_window.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// One step of both runs: a tap at a frame-buffer point, then a wait.
struct Step {
  int x, y, waitMs;
  const char* shot;  // screenshot after the wait, or null
};

const Step kSteps[] = {
    {-1, -1, 6000, "title"},                                    // the intro runs its course
    {120, 160, 3000, "menu"},                                   // the title: on to the main menu
    {77, 61, 2000, "options"}, {213, 161, 3000, "menu-again"},  // options: OK
    {31, 76, 1500, nullptr},                                    // new game
    {120, 100, 500, nullptr},                                   // a shot
};

TEST(RealWindowTest, ClickingThroughTheMenusShowsWhatTheHeadlessRunShows) {
  std::string why = testsupport::RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  std::string dir = testsupport::MakeTempDir("realwindow");

  // The headless run of the same steps.
  std::string headless = dir + "/headless";
  mkdir(headless.c_str(), 0755);
  {
    std::ofstream script(dir + "/steps.txt");
    for (const Step& s : kSteps) {
      if (s.x >= 0) script << "tap " << s.x << " " << s.y << "\n";
      script << "wait " << s.waitMs << "\n";
      if (s.shot != nullptr) script << "shot " << s.shot << "\n";
    }
  }
  auto run =
      testsupport::RunProgram(REEDSHOT_BINARY, {"--script", dir + "/steps.txt", "--screenshots",
                                                headless, "--data-dir", dir + "/data1", "--mute"});
  ASSERT_EQ(run.status, 0) << run.err;

  // The real window.
  testsupport::RealGame game(REEDSHOT_BINARY,
                             {"--scale", "1", "--mute", "--data-dir", dir + "/data2"});
  ASSERT_TRUE(game.Started());
  for (const Step& s : kSteps) {
    if (s.x >= 0) game.Click(s.x, s.y);
    if (s.shot == nullptr) {
      testsupport::PauseMs(s.waitMs);
      continue;
    }
    // Real time runs at its own pace: look until the picture is the
    // headless one (the title's sign blinks), or give up after a while.
    EXPECT_TRUE(game.WaitUntilShows(headless + "/" + s.shot + ".png"))
        << s.shot << ": pixels differ";
  }
  // A second start while it runs exits at once, and the first window stays.
  auto second = testsupport::RunProgram(REEDSHOT_BINARY, {"--mute", "--data-dir", dir + "/data2"});
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(waitpid(game.pid(), nullptr, WNOHANG), 0);
  EXPECT_EQ(game.Close(), 0);
}

}  // namespace
