// The game as a script sees it: the `game` section of the state line, from
// the main menu into a game, a shot, and scrolling.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/piped_program.h"
#include "tests/support/run_program.h"

namespace {

using testsupport::FieldOf;

std::string GameOf(const std::string& line) {
  size_t at = line.find("\"game\":{");
  return at == std::string::npos ? "" : line.substr(at);
}

TEST(GameStateLineTest, AGameAsTheScriptSeesIt) {
  std::string dir = testsupport::MakeTempDir("game-state");
  std::string script = dir + "/script.txt";
  std::ofstream(script) << "state\n"
                           "wait 5000\ntap 120 160\nwait 1000\n"  // intro, title, main menu
                           "tap 31 76\nwait 100\n"                // New Game
                           "state\n"
                           "tap 60 200\nwait 20\n"  // a shot into the sky
                           "state\n"
                           "key up down\nwait 100\nkey up up\n"
                           "state\n";
  auto r =
      testsupport::RunProgram(REEDSHOT_BINARY, {"--script", script, "--data-dir", dir, "--mute"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto lines = r.lines();
  ASSERT_EQ(lines.size(), 4u) << r.out;

  // Before a game: not playing, nothing in the slots.
  std::string before = GameOf(lines[0]);
  EXPECT_EQ(FieldOf(before, "playing"), "false");
  EXPECT_NE(before.find("\"ducks\":[]"), std::string::npos) << before;
  EXPECT_NE(before.find("\"targets\":[]"), std::string::npos) << before;

  std::string start = GameOf(lines[1]);
  EXPECT_EQ(FieldOf(lines[1], "view"), "1");
  EXPECT_EQ(FieldOf(start, "playing"), "true");
  EXPECT_EQ(FieldOf(start, "shells"), "7");
  EXPECT_EQ(FieldOf(start, "secondsLeft"), "180");
  EXPECT_EQ(FieldOf(start, "score"), "0");
  // The creeper holds the first target slot, in world coordinates.
  size_t targets = start.find("\"targets\":[{");
  ASSERT_NE(targets, std::string::npos) << start;
  std::string creeper = start.substr(targets);
  EXPECT_EQ(FieldOf(creeper, "kind"), "7");
  EXPECT_EQ(FieldOf(creeper, "x"), "165");
  EXPECT_EQ(FieldOf(creeper, "width"), "28");
  EXPECT_EQ(FieldOf(creeper, "height"), "38");

  std::string shot = GameOf(lines[2]);
  EXPECT_EQ(FieldOf(shot, "shells"), "6");
  EXPECT_EQ(FieldOf(shot, "shotsFired"), "1");
  EXPECT_EQ(FieldOf(shot, "flowerShot"), "false");

  // Up held for 100 ms: eleven passes of 10 pixels each.
  EXPECT_NE(lines[3].find("\"scroll\":[0,529]"), std::string::npos) << lines[3];
}

}  // namespace
