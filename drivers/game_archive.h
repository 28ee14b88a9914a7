// Keeps each game with its high score: the record of a game that ran to
// its end waits until its result has entered the table (as its newest
// entry) and is written with the table's next save, in the same
// transaction; that save also drops the records of entries no longer in
// the table (pushed off, or the table reset). A run killed at any moment so
// leaves the old table with its records or the new one with its records.
#pragma once

#include <optional>
#include <vector>

#include "drivers/game_recorder.h"
#include "platform/game_records.h"

class HighScoreTable;

namespace drivers {

class GameArchive : public ce::RunObserver {
 public:
  GameArchive();
  ~GameArchive() override;

  void TickRead(ce::DWORD) override {}
  void MessageTaken(const ce::MSG&) override;
  void RunEnded() override;

 private:
  static void TableSaved(const HighScoreTable& table);

  static GameArchive* current_;  // the one archive of the run, for TableSaved

  GameRecorder recorder_;
  std::optional<GameRecord> waiting_;  // ended; its result not taken yet
  // Entered into the table: its key and bytes, written with the next save.
  std::optional<std::pair<ce::GameRecordKey, std::vector<ce::BYTE>>> entered_;
};

}  // namespace drivers
