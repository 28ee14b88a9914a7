// The demo: a whole session played by the program itself, headless, from
// the intro to the high-score table, with screenshots of every stage and a
// summary of the game.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "drivers/demo_player.h"
#include "drivers/state_snapshot.h"
#include "platform/headless/headless.h"
#include "platform/types.h"

namespace drivers {

class DemoDriver : public ce::headless::Driver {
 public:
  explicit DemoDriver(std::string dir);
  bool OnIdle() override;
  // The program paused for ms milliseconds in the middle of a pass.
  void OnSleep(ce::DWORD ms) override;
  // Writes summary.json; false when it cannot be written.
  bool WriteSummary() const;
  // True when the session went through every stage.
  bool completed() const { return completed_; }

 private:
  struct Step {
    enum Kind { kPost, kWait, kShot, kUntil, kPlay, kCall };
    explicit Step(Kind k) : kind(k) {}
    Kind kind;
    ce::UINT message = 0;
    ce::WPARAM wParam = 0;
    ce::LPARAM lParam = 0;
    ce::DWORD ms = 0;
    std::string name;
    std::function<bool(const StateSnapshot&)> until;
    std::function<void()> call;
  };

  void Tap(int x, int y);
  void Wait(ce::DWORD ms);
  void Shot(const std::string& name);
  void Until(const std::string& what, std::function<bool(const StateSnapshot&)> done,
             ce::DWORD timeoutMs);
  void Call(std::function<void()> call);
  void NumberedShot(const std::string& name);
  void PostNow(ce::UINT message, ce::WPARAM wParam, ce::LPARAM lParam);
  // One move of the game: returns false when the game is over.
  bool PlayStep();

  std::string dir_;
  std::deque<Step> steps_;
  ce::DWORD waitedMs_ = 0;
  DemoPlayer player_;
  int playShots_ = 0;
  int shotCount_ = 0;
  bool paused_ = false;
  bool completed_ = false;
  bool gameOverShot_ = false;
  StateSnapshot last_;
};

}  // namespace drivers
