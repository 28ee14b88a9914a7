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

}  // namespace
