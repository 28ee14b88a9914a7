// Test support: a data folder opened in the test's own process, and a
// game played to its end through the real program's piped script.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "tests/support/data_dir.h"
#include "tests/support/piped_program.h"
#include "tests/support/run_program.h"

namespace testsupport {

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
  StartHeadless(dir);
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

inline PlayerData ReadData(const std::string& dir) {
  return UseData(dir, [](SettingsStore*) {});
}

inline void FillTable(SettingsStore* store, const std::u16string& name, int first) {
  for (int i = 0; i < 3; ++i) {
    HighScoreEntry entry{1, first + 100 * i, 0, 0, {}};
    name.copy(entry.name, 9);
    store->highScores->InsertScore(entry);
  }
}

inline std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    names.push_back(entry.path().filename());
  return names;
}

// From the main menu into a game, shooting at a grid of places for a
// while (so that something is hit), then waiting for the clock to run out.
inline std::string PlayAGame() {
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

inline bool GameOver(const std::string& state) {
  return FieldOf(state, "view") == "1" && FieldOf(state, "resultPending") == "true";
}

}  // namespace testsupport
