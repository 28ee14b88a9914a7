// Keeps each game with its high score: the record of a game that ran to
// its end is kept in the data file once its result has entered the table
// (as its newest entry), and the records of entries that leave the table
// (pushed off, or the table reset) are dropped.
#pragma once

#include <optional>
#include <vector>

#include "drivers/game_recorder.h"
#include "platform/game_records.h"

namespace drivers {

class GameArchive : public ce::RunObserver {
 public:
  GameArchive();
  ~GameArchive() override;

  void TickRead(ce::DWORD) override {}
  void MessageTaken(const ce::MSG&) override;
  void RunEnded() override;

 private:
  // The table's entries as they stand, in table order.
  static std::vector<ce::GameRecordKey> Entries();

  GameRecorder recorder_;
  std::optional<GameRecord> waiting_;  // ended; its result not taken yet
  std::vector<ce::GameRecordKey> seen_;
};

}  // namespace drivers
