// Keeps each game with its high score: the record of a game that ran to
// its end is kept in the data file once its result has entered the table
// (as its newest entry), before the table is saved; each time the table
// has been saved, the records of entries no longer in it (pushed off, or
// the table reset) are dropped. A run killed at any moment so leaves every
// entry of the saved table with its record.
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

  GameRecorder recorder_;
  std::optional<GameRecord> waiting_;  // ended; its result not taken yet
};

}  // namespace drivers
