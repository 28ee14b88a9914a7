// The keyboard and the mouse wheel in a real X window: a name typed on the
// keyboard, the volume keys kept in the data, Esc pausing and resuming a
// game and the wheel scrolling the lake, each checked against a headless
// run of the taps they stand for, or against the replay of the window's
// own recording. Needs a display, xdotool and ImageMagick.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/piped_program.h"
#include "tests/support/real_window.h"

namespace {

using testsupport::FieldOf;

// The first state line a run printed.
std::string StateOf(const testsupport::ProgramResult& run) {
  for (const std::string& line : run.lines())
    if (line.rfind("{", 0) == 0) return line;
  return "";
}

std::string ScrollOf(const std::string& state) {
  size_t at = state.find("\"scroll\":[");
  return at == std::string::npos ? "?" : state.substr(at + 10, state.find(']', at) - at - 10);
}

// A message line of a recording: "M message wParam lParam".
std::string Message(int message, int wParam, int x, int y) {
  return "M " + std::to_string(message) + " " + std::to_string(wParam) + " " +
         std::to_string(y << 16 | x);
}

TEST(RealWindowKeysTest, TypingANameTheVolumeKeysEscAndTheWheel) {
  std::string why = testsupport::RealWindowUnavailable();
  if (!why.empty()) GTEST_SKIP() << why;
  testsupport::TempFolder dir("keys");
  const std::string& d = dir.path();

  // Headless, the taps the keys stand for: A, B, C, delete, D and OK on the
  // name screen; then a game, and its menu corner.
  std::ofstream(d + "/taps.txt") << "wait 6000\nshot title\ntap 120 160\nwait 3000\nshot menu\n"
                                    "tap 215 241\nwait 1500\nshot names\n"
                                    "tap 69 297\ntap 69 263\ntap 69 229\ntap 210 229\ntap 69 195\n"
                                    "tap 216 49\nwait 3000\nshot named\nstate\n"
                                    "tap 31 76\nwait 1500\nshot game\n"
                                    "tap 234 314\nwait 2000\nshot paused\n";
  auto taps = testsupport::RunProgram(
      REEDSHOT_BINARY,
      {"--script", d + "/taps.txt", "--screenshots", d, "--data-dir", d + "/data1", "--mute"});
  ASSERT_EQ(taps.status, 0) << taps.err;
  const std::string named = StateOf(taps);
  ASSERT_NE(FieldOf(named, "userName"), "?") << taps.out;
  const int volume = std::stoi(FieldOf(named, "soundVolume"));

  const std::string data = d + "/data2", recording = d + "/window.rec";
  {
    testsupport::RealGame game(
        REEDSHOT_BINARY, {"--scale", "1", "--mute", "--data-dir", data, "--record", recording});
    ASSERT_TRUE(game.Started());
    // The title, the main menu, its name button.
    ASSERT_TRUE(game.WaitUntilShows(d + "/title.png")) << "no title";
    game.Click(120, 160);
    ASSERT_TRUE(game.WaitUntilShows(d + "/menu.png")) << "no main menu";
    game.Click(215, 241);
    ASSERT_TRUE(game.WaitUntilShows(d + "/names.png")) << "no name screen";
    game.Keys("a b c BackSpace d Return");
    EXPECT_TRUE(game.WaitUntilShows(d + "/named.png")) << "the typed name";
    // Two steps down and one up: one step below where it was, and kept.
    game.Keys("minus minus plus");
    // A game; Esc opens the pause menu over the menu corner, Esc again
    // resumes.
    game.Click(31, 76);
    // The score, in colour during play and grey under the pause menu; the
    // pause menu's Options button, the last to slide in.
    auto playing = [&] { return game.WaitUntilPartShows(d + "/game.png", 292, 6, 22, 16); };
    EXPECT_TRUE(playing()) << "no game";
    game.Keys("Escape");
    EXPECT_TRUE(game.WaitUntilPartShows(d + "/paused.png", 20, 92, 50, 10)) << "not paused";
    game.Keys("Escape");
    EXPECT_TRUE(playing()) << "not resumed";
    // Two notches of the wheel down.
    game.At(120, 160, "click 5 click 5");
    EXPECT_EQ(game.Close(), 0);
  }

  // What the window kept: the name and the volume.
  std::ofstream(d + "/state.txt") << "state\n";
  auto after = testsupport::RunProgram(
      REEDSHOT_BINARY, {"--script", d + "/state.txt", "--data-dir", data, "--mute"});
  const std::string state = StateOf(after);
  EXPECT_EQ(FieldOf(state, "userName"), "\"ABD\"") << state;
  EXPECT_EQ(FieldOf(named, "userName"), "\"ABD\"") << named;
  EXPECT_EQ(FieldOf(state, "soundVolume"), std::to_string(volume - 6)) << state;

  // The wheel, in the recording: the lake scrolled while the right arrow
  // (the frame buffer's up) was held, as the replay of it shows.
  std::ifstream in(recording);
  std::ostringstream marked;
  const std::string held = "M 256 38 0";
  int notches = 0;
  bool wheel = false;
  for (std::string line; std::getline(in, line);) {
    if (line == held && !wheel) marked << "J\n";
    if (line[0] == 'M') wheel = line == held;
    if (line == "M 257 38 0") ++notches;
    if (line == "Q") marked << "J\n";
    marked << line << "\n";
  }
  EXPECT_EQ(notches, 2);
  const std::string text = marked.str();
  EXPECT_NE(text.find(Message(513, 1, 234, 314)), std::string::npos) << "no tap on the corner";
  EXPECT_NE(text.find(Message(513, 1, 215, 270)), std::string::npos) << "no tap on Resume";
  std::ofstream(d + "/marked.rec") << text;
  auto replay = testsupport::RunProgram(REEDSHOT_BINARY, {"--replay", d + "/marked.rec", "--mute"});
  ASSERT_EQ(replay.status, 0) << replay.err;
  std::vector<std::string> scrolls;
  for (const std::string& line : replay.lines()) scrolls.push_back(ScrollOf(line));
  ASSERT_EQ(scrolls.size(), 3u) << replay.out;
  EXPECT_NE(scrolls[0], scrolls[1]) << replay.out;
  EXPECT_NE(scrolls[1], scrolls[2]) << replay.out;
}

}  // namespace
