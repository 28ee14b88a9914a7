// Looking away in a real window: when another window takes the focus
// during play, the game greys and opens its pause menu, and stands still
// until the player resumes. Needs a display, xdotool and ImageMagick.
#include <gtest/gtest.h>

#include "tests/support/real_window.h"

namespace {

using testsupport::Capture;
using testsupport::PauseMs;
using testsupport::RealGame;

// Share of the window's pixels right of the pause panel (the player's
// columns 110 to 319) that are grey, as the game greys itself when paused.
double GreyShare(const Capture& c) {
  int grey = 0, all = 0;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 110; x < c.width; ++x) {
      std::uint32_t p = c.At(x, y);
      int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      grey += r == b && std::abs(g - r) <= 6 ? 1 : 0;
      ++all;
    }
  }
  return all == 0 ? 0 : static_cast<double>(grey) / all;
}

TEST(LookingAway, FocusElsewhereDuringPlayPausesTheGame) {
  std::string why = testsupport::RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  std::string dir = testsupport::MakeTempDir("lookaway");

  std::string error;
  const std::string menu = testsupport::MainMenuPicture(REEDSHOT_BINARY, dir, &error);
  ASSERT_FALSE(menu.empty()) << error;

  RealGame game(REEDSHOT_BINARY, {"--scale", "1", "--mute", "--data-dir", dir + "/data2"});
  ASSERT_TRUE(game.Started());
  const std::string focusGame = "xdotool windowfocus --sync " + game.window();
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  const std::string focusRoot = "xdotool windowfocus " + std::to_string(DefaultRootWindow(display));

  PauseMs(6000);
  game.Click(120, 160);
  ASSERT_TRUE(game.WaitUntilShows(menu));
  // On the main menu, looking away changes nothing.
  testsupport::Shell(focusGame);
  testsupport::Shell(focusRoot);
  PauseMs(600);
  EXPECT_TRUE(game.WaitUntilShows(menu, 2));

  game.Click(31, 76);  // New Game
  PauseMs(2500);
  ASSERT_LT(GreyShare(game.Grab()), 0.5);  // a game in colour
  testsupport::Shell(focusGame);
  PauseMs(300);
  EXPECT_LT(GreyShare(game.Grab()), 0.5);  // the focus coming back changes nothing
  testsupport::Shell(focusRoot);
  PauseMs(1500);
  Capture paused = game.Grab();
  EXPECT_GT(GreyShare(paused), 0.99);
  PauseMs(2000);
  EXPECT_EQ(game.Grab().pixels, paused.pixels);  // nothing moves

  testsupport::Shell(focusGame);
  game.Click(215, 270);  // Resume
  PauseMs(1000);
  EXPECT_LT(GreyShare(game.Grab()), 0.5);

  // Keyboard focus follows the pointer again, as a virtual display starts.
  XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
  XCloseDisplay(display);
  EXPECT_EQ(game.Close(), 0);
}

}  // namespace
