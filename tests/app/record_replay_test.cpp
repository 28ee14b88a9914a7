// A recorded run played back headless takes the same course; a file that
// is not a recording, or that would write outside the screenshots folder,
// is refused before anything runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/run_program.h"

namespace {

using testsupport::RunProgram;

TEST(RecordReplayTest, ReplayGivesTheSameStateAndScreenshots) {
  const testsupport::TempFolder folder("replay");
  const std::string dir = folder.path();
  // The replay's folder does not exist yet: it is made, parents and all.
  std::string first = dir + "/first", second = dir + "/not/yet/there";
  ASSERT_EQ(mkdir(first.c_str(), 0755), 0);
  // Enough to get from the intro into the main menu and a game.
  std::ofstream(dir + "/script.txt") << "wait 2500\ntap 120 160\nwait 1500\ntap 120 160\n"
                                        "wait 1500\nshot one\nstate\ntap 100 100\nwait 500\n"
                                        "press app3\nwait 300\nshot two\nstate\n";
  std::string data1 = dir + "/data1", data2 = dir + "/data2";
  auto recorded =
      RunProgram(REEDSHOT_BINARY, {"--script", dir + "/script.txt", "--record", dir + "/run.rec",
                                   "--screenshots", first, "--data-dir", data1, "--mute"});
  ASSERT_EQ(recorded.status, 0) << recorded.err;
  EXPECT_EQ(testsupport::ReadFile(dir + "/run.rec").rfind("reedshot-recording 2\n", 0), 0u);
  auto replayed = RunProgram(REEDSHOT_BINARY, {"--replay", dir + "/run.rec", "--screenshots",
                                               second, "--data-dir", data2, "--mute"});
  ASSERT_EQ(replayed.status, 0) << replayed.err;
  EXPECT_EQ(recorded.lines().size(), 2u);
  EXPECT_EQ(recorded.out, replayed.out);
  for (const char* shot : {"/one.png", "/two.png"}) {
    std::string a = testsupport::ReadFile(first + shot), b = testsupport::ReadFile(second + shot);
    EXPECT_FALSE(a.empty()) << shot;
    EXPECT_EQ(a, b) << shot;
  }
}

// The replay plays what the run played: as long, and ending with the same
// sounds playing.
TEST(RecordReplayTest, ReplayPlaysTheRunsSound) {
  const testsupport::TempFolder folder("replay-sound");
  const std::string dir = folder.path();
  std::ofstream(dir + "/script.txt") << "wait 5000\ntap 120 160\nwait 1000\ntap 31 76\n"
                                        "wait 1000\ntap 100 100\nwait 500\ntap 60 200\n"
                                        "wait 2000\nstate\n";
  auto recorded =
      RunProgram(REEDSHOT_BINARY, {"--script", dir + "/script.txt", "--record", dir + "/run.rec",
                                   "--audio-out", dir + "/run.wav", "--data-dir", dir + "/data1"});
  ASSERT_EQ(recorded.status, 0) << recorded.err;
  auto replayed = RunProgram(REEDSHOT_BINARY, {"--replay", dir + "/run.rec", "--audio-out",
                                               dir + "/replay.wav", "--data-dir", dir + "/data2"});
  ASSERT_EQ(replayed.status, 0) << replayed.err;
  EXPECT_EQ(recorded.out, replayed.out);
  const std::string run = testsupport::ReadFile(dir + "/run.wav");
  EXPECT_GT(run.size(), 44u + 5 * 44100);
  EXPECT_EQ(run.size(), testsupport::ReadFile(dir + "/replay.wav").size());
}

// Refused with status 2 and the file's line, before the game starts: no
// state line, no screenshot, not even the data directory.
TEST(RecordReplayTest, WhatIsNotARecordingIsRefusedBeforeAnythingRuns) {
  const testsupport::TempFolder folder("replay");
  const std::string dir = folder.path();
  std::string shots = dir + "/shots", data = dir + "/data";
  std::string random;
  for (int i = 0; i < 4096; ++i) random += static_cast<char>((i * 2654435761u) >> 13);
  struct Case {
    std::string text;
    std::string says;
  } cases[] = {
      {random, ":1: not a Reedshot recording"},
      {"reedshot-recording 1\nJ\nS fine\nM 16 0 0\nJ\n", ":4: message 16 0 0 is not input"},
      {"reedshot-recording 1\nJ\nS ../../../../../../tmp/evil\n", ":3: a screenshot's name"},
  };
  for (const Case& c : cases) {
    std::ofstream(dir + "/bad.rec", std::ios::binary) << c.text;
    auto r = RunProgram(REEDSHOT_BINARY, {"--replay", dir + "/bad.rec", "--screenshots", shots,
                                          "--data-dir", data, "--mute"});
    EXPECT_EQ(r.status, 2) << c.says;
    EXPECT_NE(r.err.find(dir + "/bad.rec" + c.says), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << c.says;
    EXPECT_FALSE(std::filesystem::exists(shots)) << c.says;
    EXPECT_FALSE(std::filesystem::exists(data)) << c.says;
  }
  auto missing = RunProgram(REEDSHOT_BINARY, {"--replay", "/nonexistent/run.rec"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("/nonexistent/run.rec"), std::string::npos);
}

}  // namespace
