// The player's data folder: a replay never touches it, and a finished game
// is never lost at the end of a run or by a kill.
#include "tests/support/players_data.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

// Main menu, Score, a picture of the table, Reset and OK on the question.
constexpr char kWipeScript[] =
    "wait 5000\ntap 120 160\nwait 1000\ntap 123 55\nwait 50\nshot table\n"
    "tap 213 115\ntap 149 210\nwait 50\nshot wiped\nstate\nquit\n";

TEST(PlayersDataTest, AReplayRunsOnTheRecordedDataAndLeavesThePlayersAlone) {
  const std::string dir = testsupport::MakeTempDir("replay-data");
  const std::string recorded = dir + "/recorded", player = dir + "/xdg/reedshot";
  UseData(recorded, [](SettingsStore* s) { FillTable(s, u"REC", 500); });
  const PlayerData before = UseData(player, [](SettingsStore* s) { FillTable(s, u"MINE", 100); });
  std::ofstream(dir + "/wipe.txt") << kWipeScript;
  auto made = RunProgram(REEDSHOT_BINARY,
                         {"--script", dir + "/wipe.txt", "--record", dir + "/wipe.rec",
                          "--screenshots", dir + "/first", "--data-dir", recorded, "--mute"});
  ASSERT_EQ(made.status, 0) << made.err;
  const std::string recording = testsupport::ReadFile(dir + "/wipe.rec");
  EXPECT_EQ(recording.rfind("reedshot-recording 2\nD ", 0), 0u);
  EXPECT_EQ(ReadData(recorded).Scores(), "");

  // Replayed where the player's own data lives, and with its temporary
  // folder in a place of the test's.
  ScopedEnv home("XDG_DATA_HOME", (dir + "/xdg").c_str());
  ScopedEnv temp("TMPDIR", (dir + "/tmp").c_str());
  fs::create_directory(dir + "/tmp");
  auto replayed = RunProgram(
      REEDSHOT_BINARY, {"--replay", dir + "/wipe.rec", "--screenshots", dir + "/second", "--mute"});
  ASSERT_EQ(replayed.status, 0) << replayed.err;
  EXPECT_EQ(replayed.out, made.out);
  for (const char* shot : {"/table.png", "/wiped.png"})
    EXPECT_TRUE(testsupport::ReadFile(dir + "/first" + shot) ==
                testsupport::ReadFile(dir + "/second" + shot))
        << shot;
  EXPECT_TRUE(FilesIn(dir + "/tmp").empty());
  const PlayerData after = ReadData(player);
  EXPECT_EQ(after.Scores(), before.Scores());

  // A recording of the first version carries no data: it replays on a
  // fresh folder, and the player's stays as it is.
  std::string old = "reedshot-recording 1\n";
  for (size_t at = recording.find('\n') + 1; at < recording.size();) {
    size_t end = recording.find('\n', at) + 1;
    if (recording.compare(at, 2, "D ") != 0) old += recording.substr(at, end - at);
    at = end;
  }
  std::ofstream(dir + "/old.rec") << old;
  auto oldReplay = RunProgram(REEDSHOT_BINARY, {"--replay", dir + "/old.rec", "--mute"});
  EXPECT_EQ(oldReplay.status, 0) << oldReplay.err;
  EXPECT_EQ(ReadData(player).Scores(), before.Scores());
  EXPECT_TRUE(FilesIn(dir + "/tmp").empty());
  fs::remove_all(dir);
}

TEST(PlayersDataTest, AGameThatEndsAsTheRunEndsStillReachesTheTable) {
  const std::string dir = testsupport::MakeTempDir("pending");
  std::string state;
  {
    testsupport::PipedProgram run(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", dir});
    state = PlayUntil(&run, GameOver);
    ASSERT_TRUE(GameOver(state)) << state;
    // Closed during the game-over picture, before the table opens.
    run.Send("quit\n");
    EXPECT_EQ(run.Finish(), 0);
  }
  const std::string score = FieldOf(state, "pendingScore");
  ASSERT_NE(score, "0") << "nothing was hit: the game must score for this test";
  EXPECT_EQ(ReadData(dir).Scores(), "NONAME " + score + "; ");
  fs::remove_all(dir);
}

TEST(PlayersDataTest, AFinishedGamesStatisticsSurviveAKill) {
  const std::string dir = testsupport::MakeTempDir("stats");
  UseData(dir, [](SettingsStore* s) {
    s->lastScore = 12345;
    s->killedDucks = 77;
    s->negPoints = 999;
    s->userName[0] = u'A';
  });
  std::string state;
  {
    testsupport::PipedProgram run(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", dir});
    // The table is open: the game has ended, nothing is saved at exit.
    state = PlayUntil(&run, [](const std::string& s) { return FieldOf(s, "view") == "7"; });
    ASSERT_EQ(FieldOf(state, "view"), "7") << state;
    EXPECT_TRUE(run.Kill());
  }
  const SettingsValues stored = ReadData(dir).settings;
  EXPECT_EQ(std::to_string(stored.lastScore), FieldOf(state, "lastScore"));
  EXPECT_EQ(std::to_string(stored.killedDucks), FieldOf(state, "killedDucks"));
  EXPECT_EQ(std::to_string(stored.killedLeafs), FieldOf(state, "killedLeafs"));
  EXPECT_EQ(std::to_string(stored.negPoints), FieldOf(state, "negPoints"));
  EXPECT_EQ(std::to_string(stored.persentageSuccess), FieldOf(state, "accuracy"));
  EXPECT_EQ("\"" + ce::ToUtf8(stored.playerName) + "\"", FieldOf(state, "playerName"));
  EXPECT_NE(stored.lastScore, 12345);
  fs::remove_all(dir);
}

}  // namespace
