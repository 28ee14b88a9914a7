// The rows a recording carries: checked like any input before anything is
// written, and replayed onto a player's folder only with a copy of what
// they replace kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/players_data.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

// A recording of a short run on `data`: its first line, its rows, its run.
std::string Record(const TempFolder& dir, const std::string& data) {
  std::ofstream(dir / "short.txt") << "wait 100\nquit\n";
  auto r = RunProgram(REEDSHOT_BINARY, {"--script", dir / "short.txt", "--record", dir / "made.rec",
                                        "--data-dir", data, "--mute"});
  EXPECT_EQ(r.status, 0) << r.err;
  return ReadFile(dir / "made.rec");
}

TEST(RecordingRowsTest, RowsOutOfRangeOrTwiceAreRefusedBeforeAnythingIsWritten) {
  TempFolder dir("rows");
  UseData(dir / "player", [](SettingsStore* s) { FillTable(s, u"MINE", 100); });
  const std::string recording = Record(dir, dir / "player");
  const size_t run = recording.find("\nT ") + 1;
  const std::string before = ReadFile(dir / "player/reedshot.db");
  const std::string firstRow =
      recording.substr(recording.find("\nD ") + 1,
                       recording.find('\n', recording.find("\nD ") + 1) - recording.find("\nD "));
  for (const std::string& bad :
       {std::string("D records i4294967297 i1\n"), std::string("D records i-5 i1\n"),
        std::string("D properties i1 i70000 i3 i0\n"), std::string("D databases i7 i1 i0\n"),
        std::string("D registry_values t41 t42 i4 i8589934592\n"), firstRow}) {
    std::ofstream(dir / "bad.rec") << recording.substr(0, run) << bad << recording.substr(run);
    const int line =
        static_cast<int>(std::count(recording.begin(), recording.begin() + run, '\n')) + 1;
    auto r =
        RunProgram(REEDSHOT_BINARY, {"--replay", dir / "bad.rec", "--data-dir", dir / "player"});
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.err.find(dir / "bad.rec" + ":" + std::to_string(line) + ":"), std::string::npos)
        << r.err;
  }
  EXPECT_TRUE(ReadFile(dir / "player/reedshot.db") == before);
}

TEST(RecordingRowsTest, AReplayOntoAFolderKeepsWhatItReplaces) {
  TempFolder dir("replay-onto");
  UseData(dir / "player", [](SettingsStore* s) { FillTable(s, u"MINE", 100); });
  const std::string mine = ReadData(dir / "player").Scores();
  UseData(dir / "other", [](SettingsStore* s) { FillTable(s, u"REC", 500); });
  Record(dir, dir / "other");
  auto r =
      RunProgram(REEDSHOT_BINARY, {"--replay", dir / "made.rec", "--data-dir", dir / "player"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("kept in " + dir / "player/reedshot.db.before-replay"), std::string::npos)
      << r.err;
  EXPECT_EQ(ReadData(dir / "player").Scores(), ReadData(dir / "other").Scores());
  fs::create_directories(dir / "kept");
  fs::copy_file(dir / "player/reedshot.db.before-replay", dir / "kept/reedshot.db");
  EXPECT_EQ(ReadData(dir / "kept").Scores(), mine);

  // A recording of a fresh folder carries no rows: the folder stays as it
  // is, and an empty folder takes the run.
  Record(dir, dir / "fresh");
  const std::string now = ReadData(dir / "player").Scores();
  r = RunProgram(REEDSHOT_BINARY, {"--replay", dir / "made.rec", "--data-dir", dir / "player"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("carries no settings or scores"), std::string::npos) << r.err;
  EXPECT_EQ(ReadData(dir / "player").Scores(), now);
  r = RunProgram(REEDSHOT_BINARY, {"--replay", dir / "made.rec", "--data-dir", dir / "empty"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir / "empty/reedshot.db"));
}

}  // namespace
