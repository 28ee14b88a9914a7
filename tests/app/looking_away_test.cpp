// Looking away in a real window: when another window takes the focus
// during play, the game greys and opens its pause menu, and stands still
// until the player resumes; the run's recording replays it. Needs a
// display, xdotool and ImageMagick.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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

// Waits until the window is grey (or in colour); false after 20 seconds.
bool WaitForGrey(RealGame* game, bool grey) {
  for (int i = 0; i < 100; ++i) {
    double share = GreyShare(game->Grab());
    if (grey ? share > 0.99 : share < 0.5) return true;
    PauseMs(200);
  }
  return false;
}

TEST(LookingAway, FocusElsewhereDuringPlayPausesTheGame) {
  std::string why = testsupport::RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  std::string dir = testsupport::MakeTempDir("lookaway");

  std::string error;
  const std::string menu = testsupport::MainMenuPicture(REEDSHOT_BINARY, dir, &error);
  ASSERT_FALSE(menu.empty()) << error;

  const std::string recording = dir + "/run.rec";
  RealGame game(REEDSHOT_BINARY,
                {"--scale", "1", "--mute", "--data-dir", dir + "/data2", "--record", recording});
  ASSERT_TRUE(game.Started());
  const std::string focusGame = "timeout 10 xdotool windowfocus --sync " + game.window();
  // Keyboard focus follows the pointer again at the end, as a virtual
  // display starts.
  struct Focus {
    Display* display = XOpenDisplay(nullptr);
    ~Focus() {
      if (display == nullptr) return;
      XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
      XCloseDisplay(display);
    }
  } focus;
  Display* display = focus.display;
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

  game.Click(31, 76);                      // New Game
  ASSERT_TRUE(WaitForGrey(&game, false));  // a game in colour
  testsupport::Shell(focusGame);
  PauseMs(500);
  EXPECT_LT(GreyShare(game.Grab()), 0.5);  // the focus coming back changes nothing
  testsupport::Shell(focusRoot);
  EXPECT_TRUE(WaitForGrey(&game, true));
  PauseMs(1000);  // the panel in place
  Capture paused = game.Grab();
  PauseMs(2000);
  EXPECT_EQ(game.Grab().pixels, paused.pixels);  // nothing moves

  // Back to the game window; a click within moments of it taking the
  // focus would be taken as the one that gave it.
  testsupport::Shell(focusGame);
  PauseMs(300);
  game.Click(215, 270);  // Resume
  EXPECT_TRUE(WaitForGrey(&game, false));
  EXPECT_EQ(game.Close(), 0);

  // The recording holds the focus losses and replays: a state line is put
  // before and after each, and the one during play opens the pause menu.
  std::ifstream in(recording);
  std::ostringstream marked;
  int losses = 0;
  for (std::string line; std::getline(in, line);) {
    bool loss = line == "M 6 0 0";
    losses += loss ? 1 : 0;
    marked << (loss ? "J\n" : "") << line << "\n" << (loss ? "J\n" : "");
  }
  ASSERT_GE(losses, 2);
  std::ofstream(dir + "/marked.rec") << marked.str();
  auto replay = testsupport::RunProgram(
      REEDSHOT_BINARY, {"--replay", dir + "/marked.rec", "--data-dir", dir + "/data3", "--mute"});
  ASSERT_EQ(replay.status, 0) << replay.err;
  auto states = replay.lines();
  ASSERT_EQ(states.size(), 2u * losses);
  // The view shown and the one on its way.
  auto view = [](const std::string& state) {
    size_t at = state.find("\"view\":");
    return at == std::string::npos ? std::string()
                                   : state.substr(at, state.find("\"previous\"") - at);
  };
  EXPECT_EQ(view(states[0]), view(states[1]));                            // on the main menu
  EXPECT_NE(view(states[2 * losses - 2]), view(states[2 * losses - 1]));  // during play
}

}  // namespace
