// A recorded run played back headless takes the same course.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/run_program.h"

namespace {

TEST(RecordReplayTest, ReplayGivesTheSameStateAndScreenshots) {
  std::string dir = testsupport::MakeTempDir("replay");
  std::string first = dir + "/first", second = dir + "/second";
  ASSERT_EQ(mkdir(first.c_str(), 0755), 0);
  ASSERT_EQ(mkdir(second.c_str(), 0755), 0);
  // Enough to get from the intro into the main menu and a game.
  std::ofstream(dir + "/script.txt") << "wait 2500\ntap 120 160\nwait 1500\ntap 120 160\n"
                                        "wait 1500\nshot one\nstate\ntap 100 100\nwait 500\n"
                                        "press app3\nwait 300\nshot two\nstate\n";
  std::string data1 = dir + "/data1", data2 = dir + "/data2";
  auto recorded = testsupport::RunProgram(
      REEDSHOT_BINARY, {"--script", dir + "/script.txt", "--record", dir + "/run.rec",
                        "--screenshots", first, "--data-dir", data1, "--mute"});
  ASSERT_EQ(recorded.status, 0) << recorded.err;
  auto replayed = testsupport::RunProgram(
      REEDSHOT_BINARY,
      {"--replay", dir + "/run.rec", "--screenshots", second, "--data-dir", data2, "--mute"});
  ASSERT_EQ(replayed.status, 0) << replayed.err;
  EXPECT_EQ(recorded.lines().size(), 2u);
  EXPECT_EQ(recorded.out, replayed.out);
  for (const char* shot : {"/one.png", "/two.png"}) {
    std::string a = testsupport::ReadFile(first + shot), b = testsupport::ReadFile(second + shot);
    EXPECT_FALSE(a.empty()) << shot;
    EXPECT_EQ(a, b) << shot;
  }
}

TEST(RecordReplayTest, AMissingRecordingIsAnError) {
  auto r = testsupport::RunProgram(REEDSHOT_BINARY, {"--replay", "/nonexistent/run.rec"});
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("/nonexistent/run.rec"), std::string::npos);
}

}  // namespace
