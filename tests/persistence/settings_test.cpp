#include "persistence/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "persistence/high_score_table.h"
#include "sound/sound_player.h"
#include "tests/support/data_dir.h"

namespace {

constexpr char kSaveFailed[] =
    "Settings and scores could not be saved: the disk is full or cannot be written.";

class SettingsTest : public testsupport::DataDirTest {
 protected:
  ce::HKEY OpenKey() {
    ce::HKEY key = nullptr;
    ce::DWORD disposition = 0;
    EXPECT_EQ(ce::RegCreateKeyExW(ce::HKEY_CURRENT_USER, u"Tarnwick\\Reedshot", 0, nullptr, 0, 0,
                                  nullptr, &key, &disposition),
              0);
    return key;
  }

  // Writes the given numbers and names under the game's key.
  void Store(const std::vector<std::pair<const char16_t*, ce::DWORD>>& numbers,
             const std::vector<std::pair<const char16_t*, std::u16string>>& names = {}) {
    ce::HKEY key = OpenKey();
    for (const auto& [name, v] : numbers)
      ASSERT_EQ(
          ce::RegSetValueExW(key, name, 0, ce::REG_DWORD, reinterpret_cast<const ce::BYTE*>(&v), 4),
          0);
    for (const auto& [name, text] : names)
      ASSERT_EQ(ce::RegSetValueExW(key, name, 0, ce::REG_SZ,
                                   reinterpret_cast<const ce::BYTE*>(text.c_str()),
                                   static_cast<ce::DWORD>((text.size() + 1) * 2)),
                0);
    ce::RegCloseKey(key);
  }

  // Every value but `skip`, all different from the defaults.
  void StoreAllBut(const char16_t* skip) {
    std::vector<std::pair<const char16_t*, ce::DWORD>> numbers = {
        {u"SoundVol", 10},    {u"MusicVol", 20},     {u"KilledDucks", 30},
        {u"KilledLeafs", 40}, {u"NegPoints", 50},    {u"PersentageSuccess", 60},
        {u"LastScores", 70},  {u"MenuAnimation", 0}, {u"SpecialEffects", 2}};
    std::erase_if(numbers, [&](const auto& n) { return std::u16string(n.first) == skip; });
    Store(numbers, {{u"UserName", u"ALICE"}, {u"PlayerName", u"BOB"}});
  }

  bool HasValue(const char16_t* name) {
    ce::HKEY key = OpenKey();
    ce::DWORD size = 0;
    bool found = ce::RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) == 0;
    ce::RegCloseKey(key);
    return found;
  }

  SoundPlayer player;
};

constexpr const char16_t* kValueNames[] = {u"SoundVol",       u"MusicVol",         u"KilledDucks",
                                           u"KilledLeafs",    u"NegPoints",        u"LastScores",
                                           u"UserName",       u"PlayerName",       u"MenuAnimation",
                                           u"SpecialEffects", u"PersentageSuccess"};

TEST_F(SettingsTest, FirstStartUsesDefaultsAndWritesEverythingAtExit) {
  player.SetSoundVolume(5);
  player.SetMusicVolume(6);
  auto* s = new SettingsStore(&player);
  EXPECT_EQ(std::u16string(s->userName), u"NONAME");
  EXPECT_EQ(std::u16string(s->playerName), u"NONAME");
  EXPECT_EQ(s->soundVolume, 64);
  EXPECT_EQ(s->musicVolume, 64);
  EXPECT_EQ(player.soundVolume, 64);
  EXPECT_EQ(player.musicVolume, 64);
  EXPECT_EQ(s->menuAnimation, 1);
  EXPECT_EQ(s->specialEffects, 1);
  EXPECT_EQ(s->lastScore + s->killedDucks + s->killedLeafs + s->negPoints + s->persentageSuccess,
            0);
  EXPECT_EQ(s->pendingScore, 0);
  EXPECT_EQ(s->resultPending, 0);
  ASSERT_NE(s->highScores, nullptr);
  EXPECT_EQ(s->highScores->FindFirstEmpty(), 0);
  // The key exists now but holds nothing until the store is saved.
  EXPECT_FALSE(HasValue(u"SoundVol"));
  delete s;
  for (const char16_t* name : kValueNames) EXPECT_TRUE(HasValue(name)) << ce::ToUtf8(name);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(testsupport::CountRecords(u"HISCORE"), 10);
}

TEST_F(SettingsTest, EverythingSurvivesARestart) {
  auto* s = new SettingsStore(&player);
  std::u16string(u"EIGHTCHR").copy(s->userName, 8);
  std::u16string(u"P").copy(s->playerName, 2);
  s->playerName[1] = 0;
  s->soundVolume = 0;
  s->musicVolume = 70;
  s->killedDucks = 31;
  s->killedLeafs = 4;
  s->negPoints = -25;
  s->persentageSuccess = 87;
  s->lastScore = 1234;
  s->menuAnimation = 0;
  s->specialEffects = 0;
  s->pendingScore = 99;
  HighScoreEntry e{1, 1234, 0, 0, u"EIGHTCHR"};
  s->highScores->InsertScore(e);
  delete s;
  Restart();

  s = new SettingsStore(&player);
  EXPECT_EQ(std::u16string(s->userName), u"EIGHTCHR");
  EXPECT_EQ(std::u16string(s->playerName), u"P");
  EXPECT_EQ(s->soundVolume, 0);
  EXPECT_EQ(s->musicVolume, 70);
  EXPECT_EQ(player.soundVolume, 0);
  EXPECT_EQ(player.musicVolume, 70);
  EXPECT_EQ(s->killedDucks, 31);
  EXPECT_EQ(s->killedLeafs, 4);
  EXPECT_EQ(s->negPoints, -25);
  EXPECT_EQ(s->persentageSuccess, 87);
  EXPECT_EQ(s->lastScore, 1234);
  EXPECT_EQ(s->menuAnimation, 0);
  EXPECT_EQ(s->specialEffects, 0);
  EXPECT_EQ(s->pendingScore, 0);  // never stored
  EXPECT_EQ(s->highScores->entries[0].score, 1234);
  EXPECT_EQ(std::u16string(s->highScores->entries[0].name), u"EIGHTCHR");
  EXPECT_EQ(s->highScores->entries[0].isNewest, 1);
  delete s;
  EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsTest, AMissingNumberResetsWhatWasReadBeforeIt) {
  StoreAllBut(u"NegPoints");
  SettingsStore s(&player);
  // Read before NegPoints: back to the defaults.
  EXPECT_EQ(s.soundVolume, 64);
  EXPECT_EQ(s.musicVolume, 64);
  EXPECT_EQ(player.soundVolume, 64);
  EXPECT_EQ(player.musicVolume, 64);
  EXPECT_EQ(s.killedDucks, 0);
  EXPECT_EQ(s.killedLeafs, 0);
  EXPECT_EQ(s.negPoints, 0);
  // Read after it: as stored; a flag stored as 2 is off.
  EXPECT_EQ(s.persentageSuccess, 60);
  EXPECT_EQ(s.lastScore, 70);
  EXPECT_EQ(s.menuAnimation, 0);
  EXPECT_EQ(s.specialEffects, 0);
  EXPECT_EQ(std::u16string(s.userName), u"ALICE");
  EXPECT_EQ(std::u16string(s.playerName), u"BOB");
}

TEST_F(SettingsTest, AMissingFlagKeepsItsDefaultAndAMissingNameStaysAsItWas) {
  Store({{u"SoundVol", 10},
         {u"MusicVol", 20},
         {u"KilledDucks", 30},
         {u"KilledLeafs", 40},
         {u"NegPoints", 50},
         {u"PersentageSuccess", 60},
         {u"LastScores", 70},
         {u"MenuAnimation", 0}},
        {{u"UserName", u"ALICE"}});
  SettingsStore s(&player);
  EXPECT_EQ(s.specialEffects, 1);
  EXPECT_EQ(s.menuAnimation, 1);  // reset by the missing value after it
  EXPECT_EQ(s.lastScore, 0);
  EXPECT_EQ(std::u16string(s.userName), u"ALICE");
  EXPECT_EQ(std::u16string(s.playerName), u"NONAME");
}

TEST_F(SettingsTest, LongNamesAreCutAndVolumesKeptInTheSlidersRange) {
  Store({{u"SoundVol", 500},
         {u"MusicVol", static_cast<ce::DWORD>(-4)},
         {u"KilledDucks", 1},
         {u"KilledLeafs", 1},
         {u"NegPoints", 1},
         {u"PersentageSuccess", 1},
         {u"LastScores", 1},
         {u"MenuAnimation", 1},
         {u"SpecialEffects", 1}},
        {{u"UserName", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"}, {u"PlayerName", u"12345678"}});
  auto* s = new SettingsStore(&player);
  EXPECT_EQ(std::u16string(s->userName), u"ABCDEFGH");
  EXPECT_EQ(std::u16string(s->playerName), u"12345678");
  EXPECT_EQ(s->soundVolume, 70);
  EXPECT_EQ(s->musicVolume, 0);
  EXPECT_EQ(player.soundVolume, 70);
  EXPECT_EQ(player.musicVolume, 0);
  // A field that lost its terminator is saved as its first 8 characters.
  for (char16_t& c : s->playerName) c = u'Z';
  delete s;
  Restart();
  SettingsStore again(&player);
  EXPECT_EQ(std::u16string(again.playerName), u"ZZZZZZZZ");
}

TEST_F(SettingsTest, AReadOnlyDataFileIsToldOnceAndTheGameGoesOn) {
  ChildPart([&] {
    Restart();
    ce::testing::RecordMessageBoxes(&messages);
    auto* s = new SettingsStore(nullptr);
    bool read = s->lastScore == 7;
    s->lastScore = 5;
    s->Save();
    bool told = Texts() == std::vector<std::string>{kSaveFailed};
    delete s;
    return read && told && messages.size() == 1;
  });
  {
    SettingsStore first(&player);  // a first run makes the file
    first.lastScore = 7;
  }
  ce::StopPlatform();
  chmod(root.c_str(), 0755);
  chmod(DataFile().c_str(), 0444);
  chmod(dataDir.c_str(), 0555);
  const std::string before = testsupport::ReadFile(DataFile());
  EXPECT_EQ(RunChildPart(true), 0);
  EXPECT_EQ(testsupport::ReadFile(DataFile()), before);
}

// The data file's log may grow by about two pages: a save of one value or
// one record fits, a save of the whole table or of every value may not.
// Each save reaches the file whole or not at all, and a failure is told once.
TEST_F(SettingsTest, ASaveThatFailsPartWayKeepsThePreviousDataWholeAndIsToldOnce) {
  ChildPart([&] {
    Restart();
    ce::testing::RecordMessageBoxes(&messages);
    auto* s = new SettingsStore(nullptr);
    bool read = s->lastScore == 7 && s->highScores->FindFirstEmpty() == 3;
    std::signal(SIGXFSZ, SIG_IGN);
    struct stat log = {};
    stat((DataFile() + "-wal").c_str(), &log);
    rlimit limit = {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(log.st_size) + 10000;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
    s->highScores->Clear();
    s->highScores->InsertScore(HighScoreEntry{1, 900, 0, 0, u"NEW"});
    s->highScores->Save();
    s->soundVolume = 10;
    s->lastScore = 5;
    s->Save();
    bool goesOn = s->lastScore == 5 && s->highScores->entries[0].score == 900;
    delete s;
    return read && goesOn && Texts() == std::vector<std::string>{kSaveFailed};
  });
  {
    SettingsStore first(&player);
    first.lastScore = 7;
    for (int i = 1; i <= 3; ++i)
      first.highScores->InsertScore(HighScoreEntry{1, 100 * i, 0, 0, u"OLD"});
  }
  ce::StopPlatform();
  EXPECT_EQ(RunChildPart(false), 0);
  Restart();
  SettingsStore s(&player);
  const HighScoreEntry* e = s.highScores->entries;
  bool newTable = s.highScores->FindFirstEmpty() == 1 && e[0].score == 900;
  bool oldTable = s.highScores->FindFirstEmpty() == 3;
  for (int i = 0; oldTable && i < 3; ++i)
    oldTable = e[i].score == 100 * (i + 1) && std::u16string(e[i].name) == u"OLD";
  EXPECT_TRUE(newTable || oldTable) << e[0].score << " " << e[1].score << " " << e[2].score;
  EXPECT_TRUE((s.soundVolume == 64 && s.lastScore == 7) ||
              (s.soundVolume == 10 && s.lastScore == 5))
      << s.soundVolume << " " << s.lastScore;
  EXPECT_FALSE(std::filesystem::exists(DataFile() + ".damaged"));
  EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsTest, ADataDirectoryThatCannotBeMadeRunsOnDefaults) {
  ChildPart([&] {
    Restart();
    ce::testing::RecordMessageBoxes(&messages);
    SoundPlayer sound;
    auto* s = new SettingsStore(&sound);
    bool ok = s->key == nullptr && s->soundVolume == 64 && sound.soundVolume == 64 &&
              s->highScores->FindFirstEmpty() == 0;
    s->highScores->InsertScore(HighScoreEntry{1, 10, 0, 0, u"A"});
    delete s;
    // Only the table's own messages: it could not be made, nor saved.
    ok = ok && messages.size() == 2 && messages[0].text == "Unable to create HiScore database!" &&
         messages[1].text == "No database exists with the specified name.";
    return ok;
  });
  chmod(root.c_str(), 0555);
  int status = RunChildPart(true);
  chmod(root.c_str(), 0700);
  EXPECT_EQ(status, 0);
}

TEST_F(SettingsTest, ADamagedFileIsMovedAsideAndTheStoreStartsAfresh) {
  {
    SettingsStore s(&player);
    s.lastScore = 4321;
  }
  ce::StopPlatform();
  // Every page after the first wrecked.
  std::string bytes = testsupport::ReadFile(DataFile());
  ASSERT_GT(bytes.size(), 8192u);
  for (size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  std::ofstream(DataFile(), std::ios::binary | std::ios::trunc) << bytes;
  Restart();
  ::testing::internal::CaptureStderr();
  {
    SettingsStore s(&player);
    EXPECT_EQ(s.lastScore, 0);
    EXPECT_EQ(s.highScores->FindFirstEmpty(), 0);
  }
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find(DataFile() + ".damaged"), std::string::npos) << err;
  EXPECT_EQ(testsupport::ReadFile(DataFile() + ".damaged"), bytes);
  EXPECT_TRUE(messages.empty());
  Restart();
  SettingsStore s(&player);  // the new file is whole
  EXPECT_EQ(s.menuAnimation, 1);
}

}  // namespace
