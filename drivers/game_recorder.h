// Keeps the record of each game as it is played: from the pen going down
// on New Game to the end of the game-over second, every message the game
// takes, with the timer's ticks only counted. A game left from the pause
// menu, or one whose messages the record cannot carry, is dropped.
#pragma once

#include <functional>

#include "drivers/game_record.h"
#include "platform/run_observer.h"

namespace drivers {

class GameRecorder : public ce::RunObserver {
 public:
  // Called with each game that ran to its end, its score and player filled
  // in, before the high-score table takes its result.
  explicit GameRecorder(std::function<void(const GameRecord&)> finished);
  ~GameRecorder() override;

  void TickRead(ce::DWORD) override {}
  void MessageTaken(const ce::MSG& msg) override;
  void RunEnded() override { state_ = kIdle; }

 private:
  enum State { kIdle, kArmed, kRecording };
  void Arm(const ce::MSG& msg);
  // False when the message cannot be carried by a record.
  bool Append(const ce::MSG& msg);

  std::function<void(const GameRecord&)> finished_;
  State state_ = kIdle;
  GameRecord record_;
  bool haveTimer_ = false;
  ce::DWORD lastTime_ = 0;
  std::uint32_t timers_ = 0;  // timer ticks since the last input
};

}  // namespace drivers
