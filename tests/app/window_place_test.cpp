// The desktop window comes back as the player left it: its size, place and
// full screen, kept beside the data file; a place off every screen is
// centred, and --scale still sets the size. Needs a display and xdotool.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/real_window.h"
#include "tests/support/started_program.h"

namespace {

using testsupport::Shell;
using testsupport::WaitFor;

// "X Y WIDTH HEIGHT" of the window, as the X server has it.
std::string Geometry(const std::string& window) {
  return Shell("xdotool getwindowgeometry --shell " + window +
               " | grep -E '^(X|Y|WIDTH|HEIGHT)=' | sed 's/^.*=//' | tr '\\n' ' '");
}

TEST(WindowPlaceTest, SizePlaceAndFullScreenComeBackAndAPlaceOffEveryScreenIsCentred) {
  std::string why = testsupport::RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  testsupport::TempFolder dir("place");
  const std::string data = dir.path() + "/data", file = data + "/reedshot.window";
  const std::vector<std::string> args{"--mute", "--data-dir", data};
  {
    testsupport::RealGame game(REEDSHOT_BINARY, args);
    ASSERT_TRUE(game.Started());
    Shell("xdotool windowsize --sync " + game.window() + " 700 500 windowmove --sync " +
          game.window() + " 100 50");
    // Laid out anew: the picture at scale 2, black bars at the sides.
    EXPECT_TRUE(WaitFor([&] {
      testsupport::Capture c = game.Grab();
      return c.width == 700 && c.At(5, 250) == 0 && c.At(40, 250) != 0;
    }));
    EXPECT_EQ(game.Close(), 0);
  }
  EXPECT_EQ(testsupport::ReadFile(file),
            "reedshot window 1\nwidth 700\nheight 500\nx 100\ny 50\nscale 2\nfullscreen 0\n");
  {
    testsupport::RealGame game(REEDSHOT_BINARY, args);
    ASSERT_TRUE(game.Started());
    EXPECT_EQ(Geometry(game.window()), "100 50 700 500");
    game.Keys("F11");
    // Laid out anew for the full screen: where the picture at scale 2 was
    // drawn is no longer (under the test's display, which has no window
    // manager, the X window itself keeps its size).
    EXPECT_TRUE(WaitFor([&] { return game.Grab().At(40, 250) == 0; }));
    EXPECT_EQ(game.Close(), 0);
  }
  // The size out of full screen is kept with it, and full screen is kept
  // through a start. (Under the test's display, which has no window manager,
  // what full screen looks like is not a sure sign: the file is.)
  const std::string full = "reedshot window 1\nwidth 700\nheight 500\nx 100\ny 50\n";
  EXPECT_EQ(testsupport::ReadFile(file).rfind(full, 0), 0u) << testsupport::ReadFile(file);
  EXPECT_NE(testsupport::ReadFile(file).find("fullscreen 1\n"), std::string::npos);
  {
    testsupport::RealGame game(REEDSHOT_BINARY, args);
    ASSERT_TRUE(game.Started());
    EXPECT_EQ(game.Close(), 0);
  }
  EXPECT_EQ(testsupport::ReadFile(file).rfind(full, 0), 0u) << testsupport::ReadFile(file);
  EXPECT_NE(testsupport::ReadFile(file).find("fullscreen 1\n"), std::string::npos);

  // Off every screen: centred. --scale sets the size whatever was kept.
  std::ofstream(file) << "reedshot window 1\nwidth 700\nheight 500\nx 9000\ny 50\nscale 2\n"
                         "fullscreen 0\n";
  {
    testsupport::RealGame game(REEDSHOT_BINARY, args);
    ASSERT_TRUE(game.Started());
    EXPECT_EQ(Geometry(game.window()), "290 262 700 500");
    EXPECT_EQ(game.Close(), 0);
  }
  std::vector<std::string> scaled = args;
  scaled.insert(scaled.end(), {"--scale", "1"});
  {
    testsupport::RealGame game(REEDSHOT_BINARY, scaled);
    ASSERT_TRUE(game.Started());
    EXPECT_EQ(Geometry(game.window()), "290 262 320 240");
    EXPECT_EQ(game.Close(), 0);
  }
}

}  // namespace
