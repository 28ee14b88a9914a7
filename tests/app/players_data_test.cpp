// The player's data folder: a replay never touches it, a finished game is
// never lost at the end of a run or by a kill, one run at a time uses it,
// and screenshots are written only into their own folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "tests/support/piped_program.h"
#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;
using testsupport::FieldOf;
using testsupport::RunProgram;

// What a data folder holds: the settings and the high-score table.
struct PlayerData {
  SettingsValues settings;
  HighScoreEntry scores[10];

  std::string Scores() const {
    std::string text;
    for (const HighScoreEntry& e : scores)
      if (e.score != 0) text += ce::ToUtf8(e.name) + " " + std::to_string(e.score) + "; ";
    return text;
  }
};

// Opens the data folder `dir` in this process; `change` may alter what it
// holds, which is saved when it returns.
template <typename Change>
PlayerData UseData(const std::string& dir, Change change) {
  ce::PlatformOptions options;
  options.headless = true;
  options.mute = true;
  options.dataDir = dir;
  std::string error;
  EXPECT_TRUE(ce::StartPlatform(options, &error)) << error;
  PlayerData data;
  {
    SettingsStore store(nullptr);
    change(&store);
    data.settings = store;
    for (int i = 0; i < 10; ++i) data.scores[i] = store.highScores->entries[i];
  }
  ce::StopPlatform();
  return data;
}

PlayerData ReadData(const std::string& dir) {
  return UseData(dir, [](SettingsStore*) {});
}

void FillTable(SettingsStore* store, const std::u16string& name, int first) {
  for (int i = 0; i < 3; ++i) {
    HighScoreEntry entry{1, first + 100 * i, 0, 0, {}};
    name.copy(entry.name, 9);
    store->highScores->InsertScore(entry);
  }
}

class Environment {
 public:
  Environment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    setenv(name, value.c_str(), 1);
  }
  ~Environment() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    names.push_back(entry.path().filename());
  return names;
}

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
  Environment home("XDG_DATA_HOME", dir + "/xdg");
  Environment temp("TMPDIR", dir + "/tmp");
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

// From the main menu into a game, shooting at a grid of places for a
// while (so that something is hit), then waiting for the clock to run out.
std::string PlayAGame() {
  std::string lines = "wait 5000\ntap 120 160\nwait 1500\ntap 31 76\nwait 2000\n";
  for (int i = 0; i < 400; ++i) {
    lines += "tap " + std::to_string(20 + 30 * (i % 6)) + " " +
             std::to_string(30 + 40 * (i / 6 % 7)) + "\n";
    if (i % 7 == 6) lines += "press app3\n";
    lines += "wait 150\n";
  }
  return lines;
}

// Runs the game until `until(state line)` holds, 10 ms at a time near the
// end; the last state line.
template <typename Until>
std::string PlayUntil(testsupport::PipedProgram* run, Until until) {
  std::string state = run->State(PlayAGame());
  for (int i = 0; i < 100000 && !state.empty() && !until(state); ++i) {
    bool near = std::atoi(FieldOf(state, "secondsLeft").c_str()) <= 2 ||
                FieldOf(state, "resultPending") == "true" || FieldOf(state, "view") != "1";
    state = run->State(near ? "wait 10\n" : "wait 1000\n");
  }
  return state;
}

bool GameOver(const std::string& state) {
  return FieldOf(state, "view") == "1" && FieldOf(state, "resultPending") == "true";
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

TEST(PlayersDataTest, OneRunAtATimeOnADataFolder) {
  const std::string dir = testsupport::MakeTempDir("one-run"), data = dir + "/data";
  const std::string script = dir + "/script.txt";
  testsupport::PipedProgram first(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", data});
  ASSERT_NE(first.State("wait 100\n"), "");
  std::ofstream(script) << "state\n";
  auto second =
      RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", data, "--script", script});
  EXPECT_EQ(second.status, 2);
  EXPECT_NE(second.err.find("another Reedshot"), std::string::npos) << second.err;
  EXPECT_EQ(second.out, "");
  // Once the first has ended, the folder is free.
  first.Send("quit\n");
  EXPECT_EQ(first.Finish(), 0);
  auto third =
      RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", data, "--script", script});
  EXPECT_EQ(third.status, 0) << third.err;
  fs::remove_all(dir);
}

TEST(PlayersDataTest, ScreenshotsNeverWriteThroughALink) {
  const std::string dir = testsupport::MakeTempDir("shot-links");
  const std::string shots = dir + "/shots", outside = dir + "/outside";
  fs::create_directory(shots);
  fs::create_directory(outside);
  std::ofstream(outside + "/precious") << "keep me";
  fs::create_symlink(outside + "/precious", shots + "/kept.png");
  fs::create_symlink(outside + "/missing", shots + "/dangling.png");
  std::ofstream(dir + "/script.txt") << "shot kept\nshot dangling\n";
  auto r = RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", dir + "/data",
                                        "--script", dir + "/script.txt", "--screenshots", shots});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(testsupport::ReadFile(outside + "/precious"), "keep me");
  EXPECT_FALSE(fs::exists(outside + "/missing"));
  for (const char* name : {"/kept.png", "/dangling.png"}) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(shots + name))) << name;
    EXPECT_EQ(testsupport::ReadFile(shots + name).substr(1, 3), "PNG") << name;
  }
  EXPECT_EQ(FilesIn(shots).size(), 2u);
  fs::remove_all(dir);
}

}  // namespace
