// Scripts and recordings read as text: what they may hold, and how a wrong
// line is named. Both come from files players share.
#include <gtest/gtest.h>

#include <sstream>

#include "drivers/input_message.h"
#include "drivers/recorder.h"
#include "drivers/recording_reader.h"
#include "drivers/screenshot_name.h"
#include "drivers/script_parser.h"
#include "platform/messages.h"
#include "platform/run_observer.h"
#include "tests/support/run_program.h"

namespace {

TEST(ScriptLineTest, CommandsBecomeMessagesAndWaits) {
  std::vector<drivers::ScriptStep> steps;
  std::string error;
  ASSERT_TRUE(drivers::ParseScriptLine("tap 12 300  # fire", &steps, &error)) << error;
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].message, ce::WM_LBUTTONDOWN);
  EXPECT_EQ(steps[0].lParam, ce::MAKELPARAM(12, 300));
  EXPECT_EQ(steps[1].kind, drivers::ScriptStep::kWait);
  EXPECT_EQ(steps[1].ms, 10u);
  EXPECT_EQ(steps[2].message, ce::WM_LBUTTONUP);

  steps.clear();
  ASSERT_TRUE(drivers::ParseScriptLine("press app3", &steps, &error));
  EXPECT_EQ(steps[0].message, ce::WM_HOTKEY);
  EXPECT_EQ(steps[0].wParam, ce::VK_APP3);
  EXPECT_EQ(steps[2].message, ce::WM_KEYUP);
  steps.clear();
  ASSERT_TRUE(drivers::ParseScriptLine("key left down", &steps, &error));
  EXPECT_EQ(steps[0].message, ce::WM_KEYDOWN);
  EXPECT_EQ(steps[0].wParam, ce::VK_LEFT);
  steps.clear();
  ASSERT_TRUE(drivers::ParseScriptLine("   # only a comment", &steps, &error));
  EXPECT_TRUE(steps.empty());
}

TEST(ScriptLineTest, MistakesAreNamed) {
  std::vector<drivers::ScriptStep> steps;
  for (const char* line :
       {"tap 240 0", "tap 0 320", "tap 1", "wait", "wait -5", "key jump down", "key left sideways",
        "shot ../escape", "shot a/b", "shot ..", "shot x..y", "shot bell\a", "state now", "fly"}) {
    std::string error;
    EXPECT_FALSE(drivers::ParseScriptLine(line, &steps, &error)) << line;
    EXPECT_FALSE(error.empty()) << line;
  }
  std::string error;
  EXPECT_FALSE(drivers::ParseScriptLine("# " + std::string(5000, '#'), &steps, &error));
  EXPECT_TRUE(steps.empty());
}

// Whatever a script posts, a recording of it may hold: the two agree.
TEST(ScriptLineTest, EveryPostedMessageIsInput) {
  std::vector<drivers::ScriptStep> steps;
  std::string error;
  for (const char* line : {"tap 0 0", "tap 239 319", "move 239 0", "down 0 319", "up 5 6"})
    ASSERT_TRUE(drivers::ParseScriptLine(line, &steps, &error)) << line;
  for (const char* key : {"left", "right", "up", "down", "action", "app1", "app2", "app3", "app4"})
    ASSERT_TRUE(drivers::ParseScriptLine(std::string("press ") + key, &steps, &error)) << key;
  for (const drivers::ScriptStep& s : steps) {
    if (s.kind != drivers::ScriptStep::kPost) continue;
    EXPECT_TRUE(drivers::IsInputMessage(s.message, s.wParam, s.lParam))
        << s.message << " " << s.wParam << " " << s.lParam;
  }
}

TEST(ScreenshotNameTest, OnlyPlainNamesInsideAGivenFolder) {
  EXPECT_EQ(drivers::ScreenshotPath("out", "01-title"), "out/01-title.png");
  EXPECT_EQ(drivers::ScreenshotPath("out", "canard été"), "out/canard été.png");
  EXPECT_EQ(drivers::ScreenshotPath("", "title"), "");
  for (std::string name :
       std::initializer_list<std::string>{"", "/etc/x", "a/b", "..", "../x", "x/..", "tab\there",
                                          std::string("nul\0x", 5), std::string(201, 'a')}) {
    std::string why;
    EXPECT_FALSE(drivers::CheckScreenshotName(name, &why)) << name;
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(drivers::ScreenshotPath("out", name), "") << name;
  }
}

const std::string kHeader = "reedshot-recording 2\n";

std::vector<drivers::RecordingEntry> Read(const std::string& text, drivers::LineError* wrong,
                                          bool* ok) {
  std::istringstream in(text);
  std::vector<drivers::RecordingEntry> entries;
  *ok = drivers::ParseRecording(in, &entries, wrong);
  return entries;
}

// What the recorder writes, the reader reads back entry for entry.
TEST(RecordingReaderTest, ReadsWhatTheRecorderWrites) {
  std::string dir = testsupport::MakeTempDir("reader");
  std::string path = dir + "/run.rec";
  ASSERT_TRUE(drivers::recording::Start(path));
  ce::detail::RecordTick(100000);
  ce::detail::RecordTick(100000);
  ce::MSG pen{};
  pen.message = ce::WM_LBUTTONDOWN;
  pen.wParam = 1;
  pen.lParam = ce::MAKELPARAM(239, 319);
  ce::detail::RecordMessage(pen);
  ce::detail::RecordTick(100010);
  drivers::recording::Note("S title");
  drivers::recording::Note("J");
  ce::MSG timer{};
  timer.message = ce::WM_TIMER;
  timer.wParam = 15000;
  ce::detail::RecordMessage(timer);
  ce::detail::RecordQuit();
  ce::detail::RecordTick(4294967295u);
  drivers::recording::Stop();

  std::string text = testsupport::ReadFile(path);
  EXPECT_EQ(text.rfind(kHeader, 0), 0u) << text;
  drivers::LineError wrong;
  bool ok = false;
  auto entries = Read(text, &wrong, &ok);
  ASSERT_TRUE(ok) << wrong.Text(path);
  using E = drivers::RecordingEntry;
  ASSERT_EQ(entries.size(), 8u) << text;
  EXPECT_EQ(entries[0].kind, E::kTicks);
  EXPECT_EQ(entries[0].tick, 100000u);
  EXPECT_EQ(entries[0].count, 2u);
  EXPECT_EQ(entries[1].kind, E::kMessage);
  EXPECT_EQ(entries[1].lParam, pen.lParam);
  EXPECT_EQ(entries[2].tick, 100010u);
  EXPECT_EQ(entries[3].kind, E::kShot);
  EXPECT_EQ(entries[3].name, "title");
  EXPECT_EQ(entries[4].kind, E::kState);
  EXPECT_EQ(entries[5].message, ce::WM_TIMER);
  EXPECT_EQ(entries[6].kind, E::kQuit);
  // The ticks read after the end are written when recording stops.
  EXPECT_EQ(entries[7].tick, 4294967295u);
}

TEST(RecordingReaderTest, WhatIsNotARecordingIsRefusedWithItsLine) {
  struct Case {
    std::string text;
    int line;
    const char* says;
  };
  const std::string pen = "M 513 1 " + std::to_string(ce::MAKELPARAM(10, 10)) + "\n";
  const Case cases[] = {
      {"", 1, "not a Reedshot recording"},
      {"\x89PNG\r\n\x1a\n\x01\x02", 1, "not a Reedshot recording"},
      {"wait 100\ntap 1 1\n", 1, "not a Reedshot recording"},
      {"reedshot-recording\n", 1, "not a Reedshot recording"},
      {"reedshot-recording 3\n" + pen, 1, "version 3"},
      // The data block: rows of known tables, only right after the header.
      {"reedshot-recording 1\nD registry_keys t41\n", 2, "data row"},
      {kHeader + "J\nD registry_keys t41\n", 3, "data row"},
      {kHeader + "D registry_keys t4\n", 2, "'D' takes"},
      {kHeader + "D sqlite_master t41\n", 2, "'D' takes"},
      {kHeader + "D registry_values t41 t42 i1\n", 2, "'D' takes"},
      {kHeader + pen + "\n", 3, "empty"},
      {kHeader + pen + "T 100000 0\n", 3, "reads"},
      {kHeader + "T 4294967296 1\n", 2, "tick"},
      {kHeader + pen + "M 16 0 0\n", 3, "not input"},    // WM_CLOSE
      {kHeader + "M 1024 7 7\n", 2, "not input"},        // WM_USER
      {kHeader + "M 513 1 240\n", 2, "not input"},       // x 240
      {kHeader + "M 513 1 20971520\n", 2, "not input"},  // y 320
      {kHeader + "M 513 1 -1\n", 2, "not input"},        // negative
      {kHeader + "M 513 2 0\n", 2, "not input"},         // not a pen state
      {kHeader + "M 256 65 0\n", 2, "not input"},        // key 'A'
      {kHeader + "M 786 193 0\n", 2, "not input"},       // hot key, no code
      {kHeader + "M 256 193 0\n", 2, "not input"},       // app1 as a plain key
      {kHeader + "M 275 1 0\n", 2, "not input"},         // another timer
      {kHeader + "M 6 1 0\n", 2, "not input"},           // the focus coming back
      {kHeader + "M 6 0 7\n", 2, "not input"},
      {kHeader + "M 513 1\n", 2, "fields"},
      {kHeader + "M 513 1 0x10\n", 2, "parameters"},
      {kHeader + "S ../../../../tmp/evil\n", 2, "plain file name"},
      {kHeader + "S a/b\n", 2, "plain file name"},
      {kHeader + "S\n", 2, "field"},
      {kHeader + "S bell\a\n", 2, "control"},
      {kHeader + "J\nQ now\n", 3, "fields"},
      {kHeader + "\x1b]0;pwned\a 1 2\n", 2, "unknown entry '?]0;pwned?'"},
      {kHeader + "J\n" + std::string(5000, 'J') + "\nJ\n", 3, "longer than 4096 bytes"},
      {std::string(1 << 20, 'r'), 1, "not a Reedshot recording"},
  };
  for (const Case& c : cases) {
    drivers::LineError wrong;
    bool ok = true;
    Read(c.text, &wrong, &ok);
    EXPECT_FALSE(ok) << c.text;
    EXPECT_EQ(wrong.line, c.line) << c.text << wrong.why;
    EXPECT_NE(wrong.why.find(c.says), std::string::npos) << c.text << ": " << wrong.why;
  }
}

TEST(RecordingReaderTest, TakesTheInputTheDevicesSend) {
  std::ostringstream text;
  text << kHeader << "T 100000 3\r\n";  // a recording that went through a Windows editor
  for (ce::UINT m : {ce::WM_LBUTTONDOWN, ce::WM_MOUSEMOVE, ce::WM_LBUTTONUP})
    text << "M " << m << " 0 " << ce::MAKELPARAM(239, 319) << "\nM " << m << " 1 0\n";
  // An arrow, and hardware key 3 as the desktop sends it (a hot key down).
  text << "M 256 37 0\nM 257 37 0\nM 786 195 12779528\nM 257 195 0\n";
  // The window losing the focus, as the desktop and the browser post it.
  text << "M 6 0 0\n";
  text << "M 275 15000 0\nS 01-title\nJ\nQ\nT 100000 1\n";
  drivers::LineError wrong;
  bool ok = false;
  auto entries = Read(text.str(), &wrong, &ok);
  ASSERT_TRUE(ok) << wrong.line << ": " << wrong.why;
  EXPECT_EQ(entries.size(), 1u + 6 + 4 + 1 + 5);
}

}  // namespace
