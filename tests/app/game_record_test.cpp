// The game kept with a high score: exported, then watched headless, it
// plays the same game (score, statistics, last frame, sound); a record
// whose claim its game does not make, or a file that is not a record, is
// told; the table's games go with a reset, and a data file from before
// loads.
#include "drivers/game_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/piped_program.h"
#include "tests/support/run_program.h"

namespace {

using testsupport::ReadFile;
using testsupport::RunProgram;
using testsupport::TempFolder;

// The value of the first "key": in a JSON line after `after` (numbers and
// true/false).
std::string Field(const std::string& json, const std::string& key, const std::string& after = "") {
  std::size_t at = json.find("\"" + key + "\":", json.find(after));
  if (at == std::string::npos) return "";
  at += key.size() + 3;
  return json.substr(at, json.find_first_of(",}", at) - at);
}

// A whole game from the main menu: shots over the lake `gap` ms apart, a
// reload after every seven; then the table after it, left with OK.
std::string WholeGame(int gap) {
  std::string game = "tap 31 76\nwait 1000\n";
  for (int n = 1; n <= 180000 / (gap + 10); ++n) {
    game += "tap " + std::to_string(20 + n * 37 % 180) + " " + std::to_string(20 + n * 53 % 280) +
            "\nwait " + std::to_string(gap) + "\n";
    if (n % 7 == 0) game += "press app3\nwait 100\n";
  }
  return game + "wait 8000\ntap 213 35\nwait 1500\n";
}

constexpr const char* kToTheMenu = "wait 5000\ntap 120 160\nwait 1000\n";

// The demo's game, played once for the whole suite: its data folder, its
// screenshots, its sound, and its record exported from place 1.
class GameRecordTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TempFolder("game-record");
    const std::string& dir = folder_->path();
    demo_ = RunProgram(REEDSHOT_BINARY, {"--demo", dir + "/demo", "--data-dir", dir + "/data",
                                         "--audio-out", dir + "/game.wav"});
    exported_ = RunProgram(REEDSHOT_BINARY, {"--export-game", "1", dir + "/game.reedshot",
                                             "--data-dir", dir + "/data"});
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }
  static std::string Dir() { return folder_->path(); }

  static TempFolder* folder_;
  static testsupport::ProgramResult demo_, exported_;
};

TempFolder* GameRecordTest::folder_ = nullptr;
testsupport::ProgramResult GameRecordTest::demo_, GameRecordTest::exported_;

TEST_F(GameRecordTest, WatchingTheRecordPlaysTheSameGame) {
  ASSERT_EQ(demo_.status, 0) << demo_.err;
  ASSERT_EQ(exported_.status, 0) << exported_.err;
  const std::string record = ReadFile(Dir() + "/game.reedshot");
  // Small enough for a link.
  EXPECT_LE(record.size(), 4096u);
  auto watched = RunProgram(REEDSHOT_BINARY,
                            {"--headless", "--watch", Dir() + "/game.reedshot", "--screenshots",
                             Dir() + "/watch", "--audio-out", Dir() + "/watch.wav"});
  ASSERT_EQ(watched.status, 0) << watched.err;
  ASSERT_EQ(watched.lines().size(), 1u);
  const std::string state = watched.lines()[0];
  const std::string summary = ReadFile(Dir() + "/demo/summary.json");
  EXPECT_EQ(Field(state, "claimedScore"), Field(summary, "score"));
  EXPECT_EQ(Field(state, "score", "\"watch\""), Field(summary, "score"));
  EXPECT_EQ(Field(state, "finished"), "true");
  EXPECT_NE(state.find("\"watch\":{\"name\":\"NONAME\""), std::string::npos) << state;
  EXPECT_EQ(Field(state, "killedDucks"), Field(summary, "ducks"));
  EXPECT_EQ(Field(state, "killedLeafs"), Field(summary, "leaves"));
  EXPECT_EQ(Field(state, "negPoints"), Field(summary, "penalties"));
  EXPECT_EQ(Field(state, "accuracy"), Field(summary, "accuracy"));
  EXPECT_EQ(Field(state, "shotsFired"), Field(summary, "shots"));
  // The last frame is the game-over picture the demo caught.
  const std::string last = ReadFile(Dir() + "/watch/last.png");
  EXPECT_FALSE(last.empty());
  EXPECT_TRUE(last == ReadFile(Dir() + "/demo/09-game-over.png"));
  // The sound: the watch goes to the main menu its own way, so the two
  // agree from a few seconds in (the menu's music has played out) to the
  // watch's end, sample for sample.
  const std::string game = ReadFile(Dir() + "/game.wav"), watch = ReadFile(Dir() + "/watch.wav");
  const std::size_t bytesPerSecond = 22050 * 2, from = 44 + 10 * bytesPerSecond;
  ASSERT_GT(watch.size(), from + 60 * bytesPerSecond);
  ASSERT_GE(game.size(), watch.size());
  std::size_t differ = 0;
  for (std::size_t i = from; i < watch.size(); ++i) differ += game[i] != watch[i];
  EXPECT_EQ(differ, 0u);
}

TEST_F(GameRecordTest, AClaimTheGameDoesNotMakeIsTold) {
  ASSERT_EQ(exported_.status, 0) << exported_.err;
  const std::string bytes = ReadFile(Dir() + "/game.reedshot");
  drivers::GameRecord record;
  std::string why;
  ASSERT_TRUE(drivers::DecodeGameRecord(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                        bytes.size(), &record, &why))
      << why;
  const int real = record.claimedScore;
  record.claimedScore = real + 1000;
  const std::vector<std::uint8_t> claims = drivers::EncodeGameRecord(record);
  std::ofstream(Dir() + "/claims.reedshot", std::ios::binary)
      << std::string(claims.begin(), claims.end());
  auto r = RunProgram(REEDSHOT_BINARY, {"--headless", "--watch", Dir() + "/claims.reedshot"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Field(r.out, "score", "\"watch\""), std::to_string(real));
  EXPECT_NE(r.err.find("this record claims 3,587; its game scores 2,587"), std::string::npos)
      << r.err;
}

TEST_F(GameRecordTest, DamagedRecordsAreRefusedWithTheirLine) {
  ASSERT_EQ(exported_.status, 0) << exported_.err;
  const std::string good = ReadFile(Dir() + "/game.reedshot");
  std::string flipped = good;
  flipped[good.size() / 2] = static_cast<char>(flipped[good.size() / 2] ^ 0x5A);
  std::string huge = good + std::string(70 * 1024, 'x');
  std::string newer = good;
  newer[8] = 9;
  const std::string notOne = "not a Reedshot game record";
  struct Case {
    std::string bytes, says;
  } cases[] = {
      {"", notOne},
      {"just some text\n", notOne},
      {good.substr(0, 9), notOne},
      {good.substr(0, good.size() - 5), notOne},
      {flipped, notOne},
      {good + "trailing", notOne},
      {huge, notOne},
      {std::string("REEDSHOT") + '\0' + good.substr(9), notOne},
      {newer, "a game record from a newer Reedshot (version 9)"},
  };
  for (const Case& c : cases) {
    std::ofstream(Dir() + "/bad.reedshot", std::ios::binary) << c.bytes;
    auto r = RunProgram(REEDSHOT_BINARY, {"--headless", "--watch", Dir() + "/bad.reedshot"});
    EXPECT_EQ(r.status, 2) << c.says;
    EXPECT_EQ(r.err, "reedshot: " + Dir() + "/bad.reedshot: " + c.says + "\n");
    EXPECT_EQ(r.out, "");
  }
}

// A game played without sound (in a run whose start, and so its random
// numbers, differ from a run with sound) is watched to the same game.
TEST_F(GameRecordTest, AGamePlayedWithoutSoundIsWatchedWithout) {
  const std::string data = Dir() + "/mute-data";
  auto demo =
      RunProgram(REEDSHOT_BINARY, {"--demo", Dir() + "/mute-demo", "--data-dir", data, "--mute"});
  ASSERT_EQ(demo.status, 0) << demo.err;
  auto exported = RunProgram(REEDSHOT_BINARY,
                             {"--export-game", "1", Dir() + "/mute.reedshot", "--data-dir", data});
  ASSERT_EQ(exported.status, 0) << exported.err;
  auto watched = RunProgram(REEDSHOT_BINARY, {"--headless", "--watch", Dir() + "/mute.reedshot"});
  EXPECT_EQ(watched.status, 0) << watched.err;
  EXPECT_EQ(Field(watched.out, "score", "\"watch\""),
            Field(ReadFile(Dir() + "/mute-demo/summary.json"), "score"));
}

// A run killed once its table is saved keeps the new entry with its game.
TEST_F(GameRecordTest, AKilledRunKeepsTheSavedEntryWithItsGame) {
  const std::string data = Dir() + "/killed-data";
  testsupport::PipedProgram run(REEDSHOT_BINARY, {"--data-dir", data});
  // The table after the game, its OK (which saves it), and the main menu.
  const std::string game = kToTheMenu + WholeGame(300);
  const std::string state = run.State(game);
  ASSERT_NE(state, "");
  ASSERT_EQ(Field(state, "view"), "0");
  const std::string score = Field(state, "score", "\"highScores\"");
  ASSERT_NE(score, "0");
  ASSERT_TRUE(run.Kill());
  auto exported = RunProgram(
      REEDSHOT_BINARY, {"--export-game", "1", Dir() + "/killed.reedshot", "--data-dir", data});
  ASSERT_EQ(exported.status, 0) << exported.err;
  auto watched = RunProgram(REEDSHOT_BINARY, {"--headless", "--watch", Dir() + "/killed.reedshot"});
  EXPECT_EQ(watched.status, 0) << watched.err;
  EXPECT_EQ(Field(watched.out, "score", "\"watch\""), score);
}

// The second game of a run goes on from the random numbers the first left.
TEST_F(GameRecordTest, TheSecondGameOfARunIsWatchedTheSame) {
  const std::string data = Dir() + "/two-games";
  auto played = RunProgram(REEDSHOT_BINARY, {"--script", "-", "--data-dir", data},
                           kToTheMenu + WholeGame(300) + WholeGame(450) + "quit\n");
  ASSERT_EQ(played.status, 0) << played.err;
  for (const char* place : {"1", "2"}) {
    const std::string file = Dir() + "/two-" + place + ".reedshot";
    auto exported = RunProgram(REEDSHOT_BINARY, {"--export-game", place, file, "--data-dir", data});
    ASSERT_EQ(exported.status, 0) << exported.err;
    auto watched = RunProgram(REEDSHOT_BINARY, {"--headless", "--watch", file});
    EXPECT_EQ(watched.status, 0) << place << ": " << watched.err;
  }
}

// The table's reset takes its games with it; a place without a game says so.
TEST_F(GameRecordTest, AResetTableKeepsNoGames) {
  ASSERT_EQ(exported_.status, 0) << exported_.err;
  const std::string data = Dir() + "/reset-data";
  std::filesystem::copy(Dir() + "/data", data);
  // Main menu, Scores, Reset, the question's OK, OK.
  std::ofstream(Dir() + "/reset.txt") << "wait 5000\ntap 120 160\nwait 1000\ntap 123 55\n"
                                         "wait 800\ntap 213 115\nwait 50\ntap 149 210\nwait 50\n"
                                         "tap 213 35\nwait 800\nquit\n";
  auto reset = RunProgram(REEDSHOT_BINARY, {"--script", Dir() + "/reset.txt", "--data-dir", data});
  ASSERT_EQ(reset.status, 0) << reset.err;
  auto r = RunProgram(REEDSHOT_BINARY,
                      {"--export-game", "1", Dir() + "/none.reedshot", "--data-dir", data});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "reedshot: place 1 of the high-score table is empty\n");
  EXPECT_FALSE(std::filesystem::exists(Dir() + "/none.reedshot"));
}

// A data file from before game records: the table loads, its entries have
// no game.
TEST_F(GameRecordTest, ADataFileFromBeforeLoads) {
  ASSERT_EQ(exported_.status, 0) << exported_.err;
  const std::string data = Dir() + "/old-data";
  std::filesystem::copy(Dir() + "/data", data);
  auto drop = RunProgram("/usr/bin/sqlite3", {data + "/reedshot.db", "DROP TABLE game_records"});
  ASSERT_EQ(drop.status, 0) << drop.err;
  auto state = RunProgram(REEDSHOT_BINARY, {"--script", "-", "--data-dir", data}, "state\nquit\n");
  ASSERT_EQ(state.status, 0) << state.err;
  EXPECT_NE(state.out.find("{\"name\":\"NONAME\",\"score\":2587"), std::string::npos);
  auto r = RunProgram(REEDSHOT_BINARY,
                      {"--export-game", "1", Dir() + "/none.reedshot", "--data-dir", data});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "reedshot: the game of place 1 was not kept\n");
  // A folder without a data file has no table, and stays without one.
  const std::string none = Dir() + "/no-data";
  auto empty = RunProgram(REEDSHOT_BINARY,
                          {"--export-game", "1", Dir() + "/none.reedshot", "--data-dir", none});
  EXPECT_EQ(empty.status, 2);
  EXPECT_EQ(empty.err, "reedshot: there is no high-score table in " + none + "\n");
  EXPECT_FALSE(std::filesystem::exists(none));
}

}  // namespace
