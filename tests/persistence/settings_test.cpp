#include "persistence/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "persistence/high_score_table.h"
#include "platform/window.h"
#include "sound/sound_player.h"
#include "tests/support/data_dir.h"

namespace {

constexpr char kRegistryFailed[] = "Can not add information into registry!";

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

// Every value that cannot be written is told on its own, with no caption
// and an OK button; every record that cannot be written with the table's
// own message.
TEST_F(SettingsTest, AReadOnlyDataFileTellsEachValueAndRecordAndTheGameGoesOn) {
  ChildPart([&] {
    Restart();
    ce::testing::RecordMessageBoxes(&messages);
    auto* s = new SettingsStore(nullptr);
    bool read = s->lastScore == 7;
    s->lastScore = 5;
    s->Save();
    bool eachValue = messages.size() == 11;
    for (const auto& m : messages)
      eachValue =
          eachValue && m.text == kRegistryFailed && m.caption.empty() && m.type == ce::MB_OK;
    messages.clear();
    s->highScores->Save();
    bool eachRecord = messages.size() == 10;
    for (const auto& m : messages)
      eachRecord = eachRecord && m.text == "Disk is full!" && m.caption == "Error";
    return read && eachValue && eachRecord && s->lastScore == 5;
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

// The data file's log may grow by about two pages: some values fit, the
// rest do not. Each value that fits is kept, each one that does not is
// told, and nothing that was written is taken back; the table, saved in one
// transaction, is kept whole or told.
TEST_F(SettingsTest, ASaveThatFailsPartWayKeepsWhatFitAndTellsTheRest) {
  ChildPart([&] {
    Restart();
    ce::testing::RecordMessageBoxes(&messages);
    auto* s = new SettingsStore(nullptr);
    std::signal(SIGXFSZ, SIG_IGN);
    // Room for about two more pages of the log.
    auto limitGrowth = [&] {
      struct stat log = {};
      stat((DataFile() + "-wal").c_str(), &log);
      rlimit limit = {};
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = static_cast<rlim_t>(log.st_size) + 10000;
      return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
    if (!limitGrowth()) return false;
    s->soundVolume = 10;
    s->musicVolume = 11;
    s->killedDucks = 12;
    s->killedLeafs = 13;
    s->negPoints = 14;
    s->persentageSuccess = 15;
    s->lastScore = 16;
    s->menuAnimation = 0;
    s->specialEffects = 0;
    std::u16string(u"NEWUSER").copy(s->userName, 8);
    std::u16string(u"NEWPLAY").copy(s->playerName, 8);
    s->Save();
    size_t valueMessages = messages.size();
    messages.clear();
    if (!limitGrowth()) return false;
    for (int i = 0; i < 10; ++i) s->highScores->entries[i] = HighScoreEntry{0, 1 + i, 0, 0, u"NEW"};
    s->highScores->Save();
    size_t recordMessages = messages.size();
    // Read back in this run: what differs from the new values is what was told.
    SettingsStore stored(nullptr);
    const SettingsValues& v = stored;
    size_t unwritten = (v.soundVolume != 10) + (v.musicVolume != 11) + (v.killedDucks != 12) +
                       (v.killedLeafs != 13) + (v.negPoints != 14) + (v.persentageSuccess != 15) +
                       (v.lastScore != 16) + (v.menuAnimation != 0) + (v.specialEffects != 0) +
                       (std::u16string(v.userName) != u"NEWUSER") +
                       (std::u16string(v.playerName) != u"NEWPLAY");
    size_t unwrittenRecords = 0;
    for (const HighScoreEntry& e : stored.highScores->entries)
      unwrittenRecords += std::u16string(e.name) != u"NEW";
    // The first value fits, some later ones do not; the table is kept
    // whole, the old one or the new one, and a table not kept is told.
    bool ok = v.soundVolume == 10 && unwritten > 0 && unwritten == valueMessages &&
              (unwrittenRecords == 0 || unwrittenRecords == 10) &&
              (unwrittenRecords == 0) == (recordMessages == 0);
    if (!ok)
      std::fprintf(stderr, "values: %zu told, %zu unwritten; records: %zu told, %zu unwritten\n",
                   valueMessages, unwritten, recordMessages, unwrittenRecords);
    return ok;
  });
  {
    SettingsStore first(&player);
    first.lastScore = 7;
    for (int i = 1; i <= 10; ++i)
      first.highScores->InsertScore(HighScoreEntry{1, 100 * i, 0, 0, u"OLD"});
  }
  ce::StopPlatform();
  EXPECT_EQ(RunChildPart(false), 0);
  EXPECT_FALSE(std::filesystem::exists(DataFile() + ".damaged"));
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
