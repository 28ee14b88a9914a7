// What the player sees over time in a real window, with real X input: the
// frames shown while the program sleeps or busy-waits, a short click on a
// slider, clicks in the bars beside the picture, and the pass rate in play.
// Needs a display, xdotool, ImageMagick and sqlite3; skipped otherwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/support/real_window.h"

namespace {

using testsupport::Capture;
using testsupport::PauseMs;
using testsupport::RealGame;

bool NearGrey(std::uint32_t p) {
  int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return std::abs(r - g) <= 8 && std::abs(g - b) <= 8;
}

bool Coloured(std::uint32_t p) {
  int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return std::max({r, g, b}) - std::min({r, g, b}) > 40;
}

// The game-over frame: the last picture of play in grey, and the coloured
// GAME OVER picture in the middle (the player's x 30..289, y 86..153).
bool IsGameOverFrame(const Capture& c) {
  if (c.width != 320 || c.height != 240) return false;
  int grey = 0, outside = 0, colouredInside = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      bool inside = x >= 26 && x < 294 && y >= 82 && y < 158;
      if (inside) {
        colouredInside += Coloured(c.At(x, y));
      } else {
        ++outside;
        grey += NearGrey(c.At(x, y));
      }
    }
  return grey >= outside * 99 / 100 && colouredInside >= 500;
}

// Pixels of the help page (frame-buffer x 62..179, y 62..277) that differ.
int PageDifference(const Capture& a, const Capture& b) {
  if (a.pixels.size() != b.pixels.size() || a.width != 320) return -1;
  int differ = 0;
  for (int fy = 62; fy < 278; ++fy)
    for (int fx = 62; fx < 180; ++fx) differ += a.At(319 - fy, fx) != b.At(319 - fy, fx);
  return differ;
}

// A window at scale 2 seen at scale 1.
Capture Halved(const Capture& c) {
  if (c.width != 640 || c.height != 480) return c;
  Capture half = c;
  half.width = 320;
  half.height = 240;
  half.pixels.resize(320 * 240);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) half.pixels[y * 320 + x] = c.At(2 * x, 2 * y);
  return half;
}

std::string RegistryValue(const std::string& dataDir, const std::string& name) {
  return testsupport::Shell("sqlite3 " + dataDir + "/reedshot.db \"SELECT value FROM " +
                            "registry_values WHERE name = '" + name + "'\"");
}

// Timer messages a second in a recording, between the pen-down at `from`
// and the pen-down at `to` (frame-buffer points).
double TimerRate(const std::string& recording, int fromX, int fromY, int toX, int toY) {
  // The time of a message is the first tick count read while it is handled
  // (a screen at rest may not read the clock for a long while before).
  std::ifstream in(recording);
  const long from = fromX | (fromY << 16), to = toX | (toY << 16);
  long startTick = -1, timers = 0;
  bool started = false, ending = false;
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string kind;
    fields >> kind;
    if (kind == "T") {
      long tick = 0;
      fields >> tick;
      if (ending)
        return tick > startTick ? timers * 1000.0 / static_cast<double>(tick - startTick) : 0;
      if (started && startTick < 0) startTick = tick;
    } else if (kind == "M") {
      long message = 0, wParam = 0, lParam = 0;
      fields >> message >> wParam >> lParam;
      if (message == 0x0201 && lParam == from) started = true;
      if (message == 0x0201 && lParam == to && startTick >= 0) ending = true;
      if (message == 0x0113 && startTick >= 0 && !ending) ++timers;
    }
  }
  return 0;
}

TEST(RealWindowTiming, EveryFrameIsShownAtTheHandheldsPace) {
  std::string why = testsupport::RealWindowUnavailable();
  if (why.empty() && !testsupport::HaveTool("sqlite3")) why = "no sqlite3";
  if (!why.empty()) GTEST_SKIP() << why;
  std::string dir = testsupport::MakeTempDir("timing");

  std::string error;
  const std::string menu = testsupport::MainMenuPicture(REEDSHOT_BINARY, dir, &error);
  ASSERT_FALSE(menu.empty()) << error;

  const std::string data = dir + "/data2", recording = dir + "/run.rec";
  RealGame game(REEDSHOT_BINARY,
                {"--scale", "1", "--mute", "--data-dir", data, "--record", recording});
  ASSERT_TRUE(game.Started());
  PauseMs(6000);
  game.Click(120, 160);
  ASSERT_TRUE(game.WaitUntilShows(menu));

  {
    SCOPED_TRACE("a click in the bars beside the picture does nothing");
    testsupport::Shell("xdotool windowsize " + game.window() + " 800 300");
    PauseMs(800);
    Capture before = game.Grab();
    EXPECT_EQ(before.width, 800);
    // In the left bar, level with the player-name button: clamped onto the
    // picture's edge it would open the name entry.
    testsupport::Shell("xdotool mousemove --window " + game.window() + " 100 245 click 1");
    PauseMs(1500);
    Capture after = game.Grab();
    EXPECT_TRUE(before.pixels == after.pixels);
    testsupport::Shell("xdotool windowsize " + game.window() + " 320 240");
    EXPECT_TRUE(game.WaitUntilShows(menu));
  }

  {
    SCOPED_TRACE("a help page turn shows the new page blended over the old");
    game.Click(169, 46);
    PauseMs(2500);
    Capture oldPage = game.Grab();
    game.Click(158, 29);
    std::vector<Capture> turning = game.Watch(700);
    PauseMs(500);
    Capture newPage = game.Grab();
    ASSERT_GT(PageDifference(oldPage, newPage), 1000);
    int blended = 0;
    for (const Capture& c : turning)
      blended += PageDifference(c, oldPage) > 1000 && PageDifference(c, newPage) > 1000;
    EXPECT_GE(blended, 1) << "of " << turning.size() << " captures";
    game.Click(213, 35);  // OK
    EXPECT_TRUE(game.WaitUntilShows(menu));
  }

  {
    SCOPED_TRACE("a short click on a slider's track pages one or two steps");
    game.Click(77, 61);
    PauseMs(2000);
    // The music thumb stands at 64 (y 42..77); the pen rests below it for
    // less than a tick and the repeat delay: the pen-up goes ahead of the
    // next tick, whatever the phase of the timer.
    game.At(80, 150, "mousedown 1 sleep 0.015 mouseup 1");
    PauseMs(500);
    game.Click(213, 161);  // OK
    PauseMs(1500);
    std::string music = RegistryValue(data, "MusicVol");
    EXPECT_TRUE(music == "58" || music == "52") << music;
    EXPECT_TRUE(game.WaitUntilShows(menu));
  }

  {
    SCOPED_TRACE("leaving a game shows the grey frame with GAME OVER for its second, resized");
    game.Click(31, 76);  // new game
    PauseMs(5000);
    game.Click(235, 314);  // the menu corner
    PauseMs(1500);
    game.Click(186, 270);  // Exit
    std::vector<Capture> leaving = game.Watch(500);
    // The window stays alive while the game sleeps: resized, it shows the
    // same frame at twice the size before the second is over.
    testsupport::Shell("xdotool windowsize " + game.window() + " 640 480");
    std::vector<Capture> resized = game.Watch(2000);
    for (const Capture& c : resized) leaving.push_back(Halved(c));
    auto first = std::find_if(leaving.begin(), leaving.end(), IsGameOverFrame);
    ASSERT_NE(first, leaving.end()) << "never seen in " << leaving.size() << " captures";
    auto second = std::find_if(first, leaving.end(), [&](const Capture& c) {
      return c.at - first->at >= std::chrono::milliseconds(1000);
    });
    int seen = static_cast<int>(std::count_if(first, second, IsGameOverFrame));
    EXPECT_GE(seen * 10, static_cast<int>(second - first) * 8)
        << seen << " of " << (second - first) << " captures in its second";
    auto end = first->at + std::chrono::milliseconds(1000);
    EXPECT_TRUE(std::any_of(resized.begin(), resized.end(), [&](const Capture& c) {
      return c.width == 640 && c.at < end && IsGameOverFrame(Halved(c));
    })) << "not redrawn at the new size while the game slept";
  }

  EXPECT_EQ(game.Close(), 0);
  double rate = TimerRate(recording, 31, 76, 235, 314);
  EXPECT_GE(rate, 95.0) << "timer messages a second in play";
}

}  // namespace
