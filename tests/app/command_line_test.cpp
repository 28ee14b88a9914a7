#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, OptionsAndTheirValues) {
  auto r = app::ParseCommandLine({"--scale", "3", "--portrait", "--data-dir", "/tmp/x", "--mute",
                                  "--fullscreen", "--screenshots", "shots"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.scale, 3);
  EXPECT_TRUE(r.options.portrait);
  EXPECT_TRUE(r.options.mute);
  EXPECT_TRUE(r.options.fullscreen);
  EXPECT_EQ(r.options.dataDir, "/tmp/x");
  EXPECT_FALSE(r.options.headless);
  EXPECT_TRUE(app::ParseCommandLine({"--script", "-"}).options.headless);
  auto demo = app::ParseCommandLine({"--demo", "--mute"});
  ASSERT_TRUE(demo.ok);
  EXPECT_EQ(*demo.options.demoDir, "demo");
  EXPECT_EQ(*app::ParseCommandLine({"--demo", "out"}).options.demoDir, "out");
}

// Each refusal names what was wrong and what to give instead.
TEST(CommandLineTest, RefusalsSayWhatToDo) {
  struct Case {
    std::vector<std::string> args;
    std::string says;
  };
  const Case cases[] = {
      {{"--screenshots", "--headless"}, "not the option --headless"},
      {{"--data-dir", "--mute"}, "write ./--mute"},
      {{"--record", "--mute"}, "--record needs a file"},
      {{"--headless"}, "--script FILE, --replay FILE, --watch FILE or --demo"},
      {{"--headless", "--mute"}, "--headless needs something to run"},
      {{"--audio-out", "a.wav"}, "add --headless"},
      {{"--play-sound", "abc"}, "one of 535, "},
  };
  for (const Case& c : cases) {
    auto r = app::ParseCommandLine(c.args);
    EXPECT_FALSE(r.ok) << c.args[0];
    EXPECT_NE(r.error.find(c.says), std::string::npos) << r.error;
  }
  // What a headless run may do besides.
  EXPECT_TRUE(app::ParseCommandLine({"--headless", "--play-sound", "540"}).ok);
  EXPECT_TRUE(app::ParseCommandLine({"--demo", "--audio-out", "a.wav"}).ok);
}

}  // namespace
