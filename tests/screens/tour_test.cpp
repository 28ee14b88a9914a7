// The tour script run by the real program: every screen reached with the
// pen, its state line printed and its screenshot taken.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/run_program.h"

namespace {

// The value of "key": in a state line, up to the next comma or bracket.
std::string Field(const std::string& line, const std::string& key) {
  size_t at = line.find("\"" + key + "\":");
  if (at == std::string::npos) return "";
  at += key.size() + 3;
  size_t end = line.find_first_of(",}", at);
  if (line[at] == '[') end = line.find(']', at) + 1;
  return line.substr(at, end - at);
}

TEST(Tour, EveryScreenReachedWithThePen) {
  std::string dir = testsupport::MakeTempDir("tour");
  auto r = testsupport::RunProgram(
      REEDSHOT_BINARY,
      {"--script", REEDSHOT_TOUR_SCRIPT, "--screenshots", dir, "--data-dir", dir, "--mute"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = r.lines();
  std::vector<std::string> views;
  for (const std::string& line : lines) views.push_back(Field(line, "view"));
  EXPECT_EQ(views, (std::vector<std::string>{"12", "14", "0", "10", "4", "0", "3", "8", "11", "1",
                                             "5", "7", "7", "1", "0"}));
  ASSERT_EQ(lines.size(), 15u);
  // The title leads to the menu without history; each visit from the menu
  // pushes it and its way back pops it.
  EXPECT_EQ(Field(lines[2], "history"), "[]");
  EXPECT_EQ(Field(lines[5], "history"), "[]");
  EXPECT_EQ(Field(lines[7], "history"), "[0,3]");
  // The name was typed and kept.
  EXPECT_EQ(Field(lines[4], "text"), "\"ACE\"");
  EXPECT_EQ(Field(lines[5], "userName"), "\"ACE\"");
  EXPECT_EQ(Field(lines[13], "playing"), "true");
  // Exit from the pause menu: the game is over, only the menu is behind.
  EXPECT_EQ(Field(lines[14], "playing"), "false");
  EXPECT_EQ(Field(lines[14], "history"), "[0,5]");

  std::set<std::string> pictures;
  for (const char* name :
       {"intro-turn-request", "intro-logo", "title", "main-menu-sliding", "main-menu", "options",
        "options-changed", "name-entry", "help", "help-page-2", "about", "credits", "game",
        "pause-menu", "high-scores", "statistics", "reset-question"}) {
    std::string png = testsupport::ReadFile(dir + "/" + name + ".png");
    ASSERT_GT(png.size(), 100u) << name;
    EXPECT_EQ(png.substr(1, 3), "PNG") << name;
    pictures.insert(png);
  }
  EXPECT_EQ(pictures.size(), 17u);  // every screen looks different
}

}  // namespace
