#include "persistence/high_score_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/data_store.h"
#include "tests/support/data_dir.h"

namespace {

HighScoreEntry Entry(ce::LONG score, const char16_t* name, ce::BYTE newest = 1) {
  HighScoreEntry e{};
  e.isNewest = newest;
  e.score = score;
  std::u16string(name).copy(e.name, 9);
  return e;
}

std::u16string Name(const HighScoreEntry& e) { return e.name; }

// The table as "name:score" items, '*' marking the newest.
std::string Describe(const HighScoreTable& t) {
  std::string out;
  for (const HighScoreEntry& e : t.entries) {
    if (!out.empty()) out += ' ';
    out += ce::ToUtf8(e.name) + ":" + std::to_string(e.score) + (e.isNewest ? "*" : "");
  }
  return out;
}

TEST(HighScoreTableTest, InsertFillsTheFirstEmptySlotAndMovesTheNewestMark) {
  HighScoreTable t;
  EXPECT_EQ(t.FindFirstEmpty(), 0);
  EXPECT_EQ(t.InsertScore(Entry(0, u"Zero")), 0);  // a score of 0 never enters
  EXPECT_EQ(t.FindFirstEmpty(), 0);
  EXPECT_EQ(t.InsertScore(Entry(300, u"Ann")), 1);
  EXPECT_EQ(t.InsertScore(Entry(100, u"Bob")), 1);
  EXPECT_EQ(t.InsertScore(Entry(200, u"Cy")), 1);
  EXPECT_EQ(t.FindFirstEmpty(), 3);
  EXPECT_EQ(t.InsertScore(Entry(50, u"Dee")), 1);
  EXPECT_EQ(Describe(t), "Ann:300 Bob:100 Cy:200 Dee:50* :0 :0 :0 :0 :0 :0");
  // An empty name with a score is not an empty slot.
  EXPECT_EQ(t.InsertScore(Entry(5, u"")), 1);
  EXPECT_EQ(t.FindFirstEmpty(), 5);
}

TEST(HighScoreTableTest, AFullTableReplacesItsLowestOnlyForABetterScore) {
  HighScoreTable t;
  for (int i = 0; i < 9; ++i) t.InsertScore(Entry(1000 - i * 50, u"X"));
  t.InsertScore(Entry(500, u"Bob"));
  EXPECT_EQ(t.FindFirstEmpty(), 10);

  EXPECT_EQ(t.InsertScore(Entry(499, u"Low")), 0);
  EXPECT_EQ(t.InsertScore(Entry(500, u"Carl")), 0);  // Bob sorts before Carl
  EXPECT_EQ(Name(t.entries[9]), u"Bob");
  EXPECT_EQ(t.InsertScore(Entry(500, u"Anna")), 1);  // Bob does not sort before Anna
  EXPECT_EQ(Name(t.entries[9]), u"Anna");
  EXPECT_TRUE(t.entries[9].isNewest);
  EXPECT_EQ(t.InsertScore(Entry(501, u"Zed")), 1);
  EXPECT_EQ(Name(t.entries[9]), u"Zed");
  for (int i = 0; i < 9; ++i) EXPECT_FALSE(t.entries[i].isNewest) << i;
  // Equal score and equal name: the newcomer takes the place.
  EXPECT_EQ(t.InsertScore(Entry(550, u"X", 1)), 1);
  EXPECT_EQ(t.entries[9].score, 550);
}

TEST(HighScoreTableTest, SortIsDescendingByScoreThenByNameWithEmptiesLast) {
  HighScoreTable t;
  t.InsertScore(Entry(10, u"b"));
  t.InsertScore(Entry(30, u"z"));
  t.InsertScore(Entry(10, u"a"));
  t.InsertScore(Entry(-20, u"neg"));
  t.InsertScore(Entry(30, u"y"));
  t.SortByScore();
  // A negative score sorts below the empty slots.
  EXPECT_EQ(Describe(t), "y:30* z:30 a:10 b:10 :0 :0 :0 :0 :0 neg:-20");
  EXPECT_EQ(t.FindFirstEmpty(), 4);

  HighScoreTable same;
  const char16_t* names[] = {u"j", u"c", u"h", u"a", u"f", u"b", u"i", u"e", u"g", u"d"};
  for (const char16_t* n : names) same.InsertScore(Entry(70, n, 0));
  same.SortByScore();
  std::u16string order;
  for (const HighScoreEntry& e : same.entries) order += e.name;
  EXPECT_EQ(order, u"abcdefghij");
}

TEST(HighScoreTableTest, GetEntryOutsideTheTableShowsAMessageAndCopiesNothing) {
  std::vector<ce::testing::MessageBoxRecord> boxes;
  ce::testing::RecordMessageBoxes(&boxes);
  HighScoreTable t;
  t.InsertScore(Entry(10, u"Al"));
  HighScoreEntry out = Entry(99, u"Keep", 0);
  t.GetEntry(9, &out);
  EXPECT_EQ(out.score, 0);
  out = Entry(99, u"Keep", 0);
  t.GetEntry(10, &out);
  t.GetEntry(-1, &out);
  ce::testing::RecordMessageBoxes(nullptr);
  EXPECT_EQ(out.score, 99);
  EXPECT_EQ(Name(out), u"Keep");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "This Number of record is bigger than is permitted");
  t.GetEntry(0, &out);
  EXPECT_EQ(Name(out), u"Al");
  t.Clear();
  EXPECT_EQ(t.FindFirstEmpty(), 0);
}

using HighScoreDatabaseTest = testsupport::DataDirTest;

// The records of "HISCORE" as the table would describe them.
std::string DescribeDatabase() {
  HighScoreTable t;
  t.Load();
  return Describe(t);
}

int g_commits = 0;

TEST_F(HighScoreDatabaseTest, FirstRunMakesTenEmptyRecordsOnceInOneCommit) {
  HighScoreTable t;
  ce::detail::OpenDataStore();  // made before the count
  g_commits = 0;
  ce::detail::SetDataWrittenListener([] { ++g_commits; });
  t.CreateDatabase();
  ce::detail::SetDataWrittenListener(nullptr);
  EXPECT_EQ(g_commits, 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(testsupport::CountRecords(u"HISCORE"), 10);
  EXPECT_EQ(DescribeDatabase(), ":0 :0 :0 :0 :0 :0 :0 :0 :0 :0");

  // A second start leaves the database as it is.
  t.InsertScore(Entry(40, u"Kept"));
  t.Save();
  HighScoreTable again;
  again.CreateDatabase();
  EXPECT_EQ(DescribeDatabase(), "Kept:40* :0 :0 :0 :0 :0 :0 :0 :0 :0");
  EXPECT_TRUE(messages.empty());
}

TEST_F(HighScoreDatabaseTest, SaveAndLoadRoundTripAcrossRuns) {
  HighScoreTable t;
  t.CreateDatabase();
  char16_t name[] = u"P0";
  for (int i = 1; i <= 10; ++i) {
    name[1] = static_cast<char16_t>(u'0' + i % 10);
    t.InsertScore(Entry(i * 111, name));
  }
  t.entries[3].reserved1 = 7;
  t.entries[3].reserved2 = -7;
  std::u16string(u"\u00c9lodie").copy(t.entries[4].name, 9);
  t.Save();
  Restart();
  HighScoreTable loaded;
  loaded.Load();
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(loaded.entries[i].score, t.entries[i].score);
    EXPECT_EQ(Name(loaded.entries[i]), Name(t.entries[i]));
    EXPECT_EQ(loaded.entries[i].isNewest, t.entries[i].isNewest);
  }
  EXPECT_EQ(loaded.entries[3].reserved1, 7);
  EXPECT_EQ(loaded.entries[3].reserved2, -7);
  EXPECT_TRUE(messages.empty());
}

TEST_F(HighScoreDatabaseTest, LoadCutsLongNamesAndToleratesShortDatabases) {
  HighScoreTable t;
  t.CreateDatabase();
  ce::CEOID oid = 0;
  ce::HANDLE db = ce::CeOpenDatabase(&oid, u"HISCORE", 0, 0, nullptr);
  ce::CEPROPVAL name{};
  std::u16string longName = u"Maximilian the Great";
  name.propid = ce::MakePropId(4, ce::CEVT_LPWSTR);
  name.val.lpwstr = longName.data();
  ce::CEOID first = ce::CeSeekDatabase(db, ce::CEDB_SEEK_BEGINNING, 0, nullptr);
  ce::CeWriteRecordProps(db, first, 1, &name);
  ce::CloseHandle(db);
  HighScoreTable loaded;
  loaded.Load();
  EXPECT_EQ(Name(loaded.entries[0]), u"Maximilia");

  // No database at all: the table stays empty and nothing is shown.
  dataDir += "-other";
  Restart();
  HighScoreTable none;
  none.Load();
  EXPECT_EQ(none.FindFirstEmpty(), 0);
  EXPECT_TRUE(messages.empty());
  // Saving without a database says so.
  none.Save();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0].text, "No database exists with the specified name.");
  EXPECT_EQ(messages[0].caption, "Error");
}

}  // namespace
