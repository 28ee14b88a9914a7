// The results kept from each game's end until a saved table holds them.
#include "persistence/kept_result.h"

#include <gtest/gtest.h>

#include <string>

#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "tests/support/data_dir.h"

namespace {

class KeptResultTest : public testsupport::DataDirTest {
 protected:
  // A game that ended with `score` under `name`, kept as at its end.
  void GameEnded(int score, const std::u16string& name) {
    SettingsStore settings(nullptr);
    name.copy(settings.userName, 8);
    settings.userName[name.size()] = 0;
    settings.pendingScore = score;
    settings.resultPending = 1;
    KeepPendingResult(settings);
    settings.resultPending = 0;  // its run is killed: nothing more is saved
  }

  // What a start finds: the table after the kept results were entered.
  std::string AtTheNextStart() {
    Restart();
    HighScoreTable table;
    table.Load();
    EnterKeptResults(&table);
    std::string out;
    for (const HighScoreEntry& e : table.entries)
      if (e.score != 0) out += ce::ToUtf8(e.name) + ":" + std::to_string(e.score) + " ";
    return out;
  }
};

TEST_F(KeptResultTest, AResultLostWithItsRunIsEnteredOnceAtTheNextStart) {
  GameEnded(444, u"NONAME");
  GameEnded(120, u"ANN");
  EXPECT_EQ(AtTheNextStart(), "NONAME:444 ANN:120 ");
  EXPECT_EQ(AtTheNextStart(), "NONAME:444 ANN:120 ");  // entered once, then dropped
}

TEST_F(KeptResultTest, ASavedTableSettlesTheResultsAndAResetDropsThem) {
  GameEnded(300, u"BOB");
  {
    HighScoreTable table;
    table.Load();
    HighScoreEntry bob{1, 300, 0, 0, u"BOB"};
    table.InsertScore(bob);
    table.Save();
  }
  ForgetSettledResults();
  GameEnded(200, u"CY");
  ForgetKeptResults();
  EXPECT_EQ(AtTheNextStart(), "BOB:300 ");
  EXPECT_TRUE(messages.empty());
}

}  // namespace
