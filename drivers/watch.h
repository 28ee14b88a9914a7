// Watching a game record headless: the program goes from its intro to the
// main menu, waits there for the time the game began, and then takes the
// record's inputs and the timer's ticks at the times they came, on the
// game's own clock, so the game runs as it ran.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "drivers/game_record.h"
#include "drivers/state_json.h"
#include "platform/headless/headless.h"

namespace drivers {

class WatchDriver : public ce::headless::Driver {
 public:
  // nullptr, with the line that says why, when the file cannot be read or
  // is not a game record.
  static std::unique_ptr<WatchDriver> FromFile(const std::string& path, std::string* error);
  explicit WatchDriver(GameRecord record);
  ~WatchDriver() override;

  // Once the platform runs: the data folder gets the record's settings.
  bool Begin();
  // What is printed when the watch ends (the state line).
  void SetStateFunction(std::function<std::string()> state) { state_ = std::move(state); }
  // Where the last frame is written, as last.png (empty: it is not).
  void SetScreenshotDir(std::string dir) { screenshotDir_ = std::move(dir); }
  bool OnIdle() override;

  const WatchStatus& status() const { return status_; }
  // The game was played without sound: it is watched without, too.
  bool silent() const { return record_.silent; }
  // The game ran to the end of the record.
  bool finished() const { return status_.finished; }
  // The record began before the main menu could be reached.
  bool late() const { return late_; }

 private:
  void UpdateScore();
  // The time of the timer's next tick, and the one after it.
  ce::DWORD NextTimer();

  GameRecord record_;
  WatchStatus status_;
  bool feeding_ = false;
  bool late_ = false;
  std::size_t next_ = 0;          // the input to post next
  std::uint32_t timersLeft_ = 0;  // timer ticks before it
  bool timersAfterTaken_ = false;
  ce::DWORD lastTime_ = 0;
  ce::DWORD timerDue_ = 0;
  bool tapping_ = false;
  std::function<std::string()> state_;
  std::string screenshotDir_;
};

}  // namespace drivers
