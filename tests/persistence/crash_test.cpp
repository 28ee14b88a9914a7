// Processes killed with SIGKILL while they write: the data file stays
// whole and keeps every write that had completed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "platform/local_memory.h"
#include "tests/support/data_dir.h"

namespace {

using CrashTest = testsupport::DataDirTest;

std::string RoundName(int round) {
  char text[16];
  std::snprintf(text, sizeof text, "R%d", round);
  return text;
}

// Every value of a save round, as a function of the round.
void SetRound(SettingsStore* s, int round) {
  s->soundVolume = round;
  s->musicVolume = round;
  s->killedDucks = round;
  s->killedLeafs = round;
  s->negPoints = round;
  s->persentageSuccess = round;
  s->lastScore = round;
  std::u16string name = ce::FromUtf8(RoundName(round));
  name.copy(s->userName, 8);
  s->userName[name.size()] = 0;
  name.copy(s->playerName, 8);
  s->playerName[name.size()] = 0;
  s->menuAnimation = round % 2;
  s->specialEffects = round % 2;
  for (int i = 0; i < HighScoreTable::kEntries; ++i) {
    HighScoreEntry& e = s->highScores->entries[i];
    e.isNewest = round % 2;
    e.score = round * 100 + i;
    e.reserved1 = round;
    e.reserved2 = -round;
    name.copy(e.name, 9);
    e.name[name.size()] = 0;
  }
}

// The round each write of a save belongs to, in the order they are made
// (the eleven registry values, then the ten records); -1 for a value that
// matches no round or a record whose properties disagree.
std::vector<int> RoundsInWriteOrder() {
  std::vector<int> rounds;
  ce::HKEY key = nullptr;
  ce::DWORD disposition = 0;
  ce::RegCreateKeyExW(ce::HKEY_CURRENT_USER, u"Tarnwick\\Reedshot", 0, nullptr, 0, 0, nullptr, &key,
                      &disposition);
  const char16_t* numbers[] = {u"SoundVol",  u"MusicVol",          u"KilledDucks", u"KilledLeafs",
                               u"NegPoints", u"PersentageSuccess", u"LastScores"};
  for (const char16_t* n : numbers) {
    ce::DWORD v = 0, size = 4;
    ce::RegQueryValueExW(key, n, nullptr, nullptr, reinterpret_cast<ce::BYTE*>(&v), &size);
    rounds.push_back(static_cast<int>(v));
  }
  for (const char16_t* n : {u"UserName", u"PlayerName"}) {
    char16_t text[9] = {};
    ce::DWORD size = sizeof text;
    ce::RegQueryValueExW(key, n, nullptr, nullptr, reinterpret_cast<ce::BYTE*>(text), &size);
    std::string s = ce::ToUtf8(text);
    rounds.push_back(s.size() > 1 && s[0] == 'R' ? std::stoi(s.substr(1)) : -1);
  }
  std::vector<ce::DWORD> flags;
  for (const char16_t* n : {u"MenuAnimation", u"SpecialEffects"}) {
    ce::DWORD v = 0, size = 4;
    ce::RegQueryValueExW(key, n, nullptr, nullptr, reinterpret_cast<ce::BYTE*>(&v), &size);
    flags.push_back(v);
  }
  ce::RegCloseKey(key);

  HighScoreTable table;
  table.Load();
  for (int i = 0; i < HighScoreTable::kEntries; ++i) {
    const HighScoreEntry& e = table.entries[i];
    int round = e.reserved1;
    bool whole = e.score == round * 100 + i && e.reserved2 == -round && e.isNewest == round % 2 &&
                 ce::ToUtf8(e.name) == RoundName(round);
    rounds.push_back(whole ? round : -1);
  }
  // A flag only tells its round's parity: it belongs with the write before
  // it or the one after.
  for (size_t f = 0; f < flags.size(); ++f) {
    int before = rounds[8 + f], after = rounds[9 + f];
    int round = static_cast<int>(flags[f]) == before % 2  ? before
                : static_cast<int>(flags[f]) == after % 2 ? after
                                                          : -1;
    rounds.insert(rounds.begin() + 9 + static_cast<long>(f), round);
  }
  return rounds;
}

// Runs `child` in a forked process that reports each completed step
// through a pipe; kills it with SIGKILL once `reports` steps were reported
// and `delayUs` more passed. Returns the last step reported.
template <typename Child>
int RunAndKill(Child child, int reports, int delayUs) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    child([&](int step) {
      if (write(fds[1], &step, sizeof step) != sizeof step) _exit(3);
    });
    _exit(0);
  }
  close(fds[1]);
  int step = 0, last = 0;
  for (int seen = 0; seen < reports && read(fds[0], &step, sizeof step) == sizeof step; ++seen)
    last = step;
  usleep(delayUs);
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  while (read(fds[0], &step, sizeof step) == sizeof step) last = step;
  close(fds[0]);
  EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended before it was killed";
  return last;
}

TEST_F(CrashTest, AProcessKilledDuringSavesKeepsEveryCompletedWrite) {
  delete new SettingsStore(nullptr);
  ce::StopPlatform();
  int base = 0;
  for (int attempt = 0; attempt < 8; ++attempt) {
    int completed = RunAndKill(
        [&](auto report) {
          Restart();
          auto* s = new SettingsStore(nullptr);
          for (int round = base + 1;; ++round) {
            SetRound(s, round);
            s->Save();
            s->highScores->Save();
            report(round);
          }
        },
        2, attempt * 23000 % 170000);
    ASSERT_GT(completed, base) << "attempt " << attempt;

    Restart();
    std::vector<int> rounds = RoundsInWriteOrder();
    // Round `completed` whole, and of the next round only a first part.
    std::string seen;
    for (int r : rounds) seen += std::to_string(r) + " ";
    bool next = true;
    for (int r : rounds) {
      if (r == completed + 1 && next) continue;
      next = false;
      EXPECT_EQ(r, completed) << "attempt " << attempt << ": " << seen;
    }
    base = completed + 1;
    ce::StopPlatform();
  }
  EXPECT_FALSE(std::filesystem::exists(DataFile() + ".damaged"));
  EXPECT_TRUE(messages.empty());
}

TEST_F(CrashTest, AFirstRunKilledWhileTheDatabaseIsMadeIsMendedByTheNextRun) {
  for (int attempt = 0; attempt < 6; ++attempt) {
    dataDir = root + "/data" + std::to_string(attempt);
    ce::StopPlatform();
    RunAndKill(
        [&](auto report) {
          Restart();
          report(1);
          delete new SettingsStore(nullptr);
          pause();
        },
        1, attempt * 15000);
    Restart();
    {
      SettingsStore s(nullptr);
      s.highScores->InsertScore(HighScoreEntry{1, 500, 0, 0, u"Mended"});
      for (int i = 1; i < HighScoreTable::kEntries; ++i)
        s.highScores->InsertScore(HighScoreEntry{1, 500 - i, 0, 0, u"More"});
    }
    Restart();
    SettingsStore s(nullptr);
    EXPECT_EQ(s.highScores->FindFirstEmpty(), HighScoreTable::kEntries) << "attempt " << attempt;
    EXPECT_EQ(std::u16string(s.highScores->entries[0].name), u"Mended");
    EXPECT_EQ(s.highScores->entries[9].score, 491);
    EXPECT_EQ(testsupport::CountRecords(u"HISCORE"), 10) << "attempt " << attempt;
    EXPECT_FALSE(std::filesystem::exists(DataFile() + ".damaged"));
  }
}

}  // namespace
