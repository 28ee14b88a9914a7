// What a player reads from the data file with the sqlite3 tool.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "tests/support/data_dir.h"

namespace {

using SqliteToolTest = testsupport::DataDirTest;

constexpr char kTool[] = "/usr/bin/sqlite3";

constexpr char kScores[] =
    "SELECT (SELECT value FROM properties WHERE record = r.oid AND idx = 4) AS name,"
    " (SELECT value FROM properties WHERE record = r.oid AND idx = 1) AS score"
    " FROM records r JOIN databases d ON d.oid = r.database"
    " WHERE d.name = 'HISCORE' ORDER BY r.oid;";

constexpr char kSettings[] =
    "SELECT name, value FROM registry_values WHERE key = 'Tarnwick\\Reedshot';";

TEST_F(SqliteToolTest, ScoresAndSettingsReadWithTheDocumentedQueries) {
  if (access(kTool, X_OK) != 0) GTEST_SKIP() << "no sqlite3 tool";
  {
    SettingsStore s(nullptr);
    s.highScores->InsertScore(HighScoreEntry{1, 750, 0, 0, u"Ada"});
    s.highScores->InsertScore(HighScoreEntry{1, 420, 0, 0, u"Bj\u00f6rn"});
    std::u16string(u"Ada").copy(s.userName, 3);
    s.userName[3] = 0;
    s.lastScore = 420;
  }
  ce::StopPlatform();
  auto scores = testsupport::RunProgram(kTool, {DataFile(), kScores});
  ASSERT_EQ(scores.status, 0) << scores.err;
  std::vector<std::string> rows = scores.lines();
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0], "Ada|750");
  EXPECT_EQ(rows[1], "Bj\xc3\xb6rn|420");
  EXPECT_EQ(rows[2], "|0");

  auto settings = testsupport::RunProgram(kTool, {DataFile(), kSettings});
  ASSERT_EQ(settings.status, 0) << settings.err;
  EXPECT_NE(settings.out.find("LastScores|420\n"), std::string::npos) << settings.out;
  EXPECT_NE(settings.out.find("UserName|Ada\n"), std::string::npos) << settings.out;
  EXPECT_NE(settings.out.find("SoundVol|64\n"), std::string::npos) << settings.out;
}

}  // namespace
