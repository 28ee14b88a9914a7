#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/script.h"
#include "platform/messages.h"

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

TEST(CommandLineTest, BadOptionsAndValuesAreRefused) {
  for (auto args : std::vector<std::vector<std::string>>{{"--nope"},
                                                         {"--scale"},
                                                         {"--scale", "0"},
                                                         {"--scale", "3x"},
                                                         {"--scale", "17"},
                                                         {"--script"},
                                                         {"--play-sound", "-1"},
                                                         {"headless"}}) {
    auto r = app::ParseCommandLine(args);
    EXPECT_FALSE(r.ok) << args[0];
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(r.error.find('\n'), std::string::npos);
  }
}

TEST(ScriptLineTest, CommandsBecomeMessagesAndWaits) {
  std::vector<app::ScriptStep> steps;
  std::string error;
  ASSERT_TRUE(app::ParseScriptLine("tap 12 300  # fire", &steps, &error)) << error;
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].message, ce::WM_LBUTTONDOWN);
  EXPECT_EQ(steps[0].lParam, ce::MAKELPARAM(12, 300));
  EXPECT_EQ(steps[1].kind, app::ScriptStep::kWait);
  EXPECT_EQ(steps[1].ms, 10u);
  EXPECT_EQ(steps[2].message, ce::WM_LBUTTONUP);

  steps.clear();
  ASSERT_TRUE(app::ParseScriptLine("press app3", &steps, &error));
  EXPECT_EQ(steps[0].message, ce::WM_HOTKEY);
  EXPECT_EQ(steps[0].wParam, ce::VK_APP3);
  EXPECT_EQ(steps[2].message, ce::WM_KEYUP);
  steps.clear();
  ASSERT_TRUE(app::ParseScriptLine("key left down", &steps, &error));
  EXPECT_EQ(steps[0].message, ce::WM_KEYDOWN);
  EXPECT_EQ(steps[0].wParam, ce::VK_LEFT);
  steps.clear();
  ASSERT_TRUE(app::ParseScriptLine("   # only a comment", &steps, &error));
  EXPECT_TRUE(steps.empty());
}

TEST(ScriptLineTest, MistakesAreNamed) {
  std::vector<app::ScriptStep> steps;
  for (const char* line : {"tap 240 0", "tap 0 320", "tap 1", "wait", "wait -5", "key jump down",
                           "key left sideways", "shot ../escape", "state now", "fly"}) {
    std::string error;
    EXPECT_FALSE(app::ParseScriptLine(line, &steps, &error)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
  EXPECT_TRUE(steps.empty());
}

}  // namespace
