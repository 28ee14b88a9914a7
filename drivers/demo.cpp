#include "drivers/demo.h"

#include <cstdio>

#include "drivers/json_writer.h"
#include "drivers/script.h"
#include "drivers/state_json.h"
#include "framework/view_list.h"
#include "platform/messages.h"
#include "platform/output_file.h"
#include "platform/window.h"

namespace drivers {

namespace {

// Where the demo taps: the middle of the screens' buttons.
constexpr int kNewGameX = 31, kNewGameY = 76;
constexpr int kExitX = 215, kExitY = 40;
constexpr int kMenuCornerX = 234, kMenuCornerY = 314;
constexpr int kResumeX = 215, kResumeY = 270;
constexpr int kHighScoreOkX = 213, kHighScoreOkY = 35;
constexpr int kStatsX = 213, kStatsY = 218;
// The player's pace: a move, then this long to look again.
constexpr ce::DWORD kReactionMs = 150;

ce::LPARAM At(int x, int y) {
  return ce::MAKELPARAM(static_cast<ce::WORD>(x), static_cast<ce::WORD>(y));
}

}  // namespace

DemoDriver::DemoDriver(std::string dir) : dir_(std::move(dir)) {
  auto view = [](int id) { return [id](const StateSnapshot& s) { return s.view == id; }; };
  Wait(400);
  Shot("intro");
  Wait(2600);
  Shot("intro-logo");
  Until("the title", view(kViewTapToStart), 15000);
  Wait(700);
  Shot("title");
  Tap(120, 160);
  Until("the main menu", view(kViewMainMenu), 5000);
  Wait(1500);
  Shot("main-menu");
  Tap(kNewGameX, kNewGameY);
  Until(
      "a game", [](const StateSnapshot& s) { return s.view == kViewGame && s.game.playing; }, 5000);
  Wait(500);
  steps_.push_back(Step(Step::kPlay));
  Until("the high-score table", view(kViewHighScores), 20000);
  Wait(1200);
  Shot("high-scores");
  Tap(kStatsX, kStatsY);
  Wait(800);
  Shot("statistics");
  Call([this] { last_ = TakeSnapshot(); });
  Tap(kHighScoreOkX, kHighScoreOkY);
  Until("the main menu again", view(kViewMainMenu), 5000);
  Wait(1500);
  Call([this] { completed_ = true; });
  Tap(kExitX, kExitY);
  Wait(500);
}

void DemoDriver::Tap(int x, int y) {
  Step down(Step::kPost);
  down.message = ce::WM_LBUTTONDOWN;
  down.wParam = 1;
  down.lParam = At(x, y);
  steps_.push_back(down);
  Wait(10);
  Step up = down;
  up.message = ce::WM_LBUTTONUP;
  up.wParam = 0;
  steps_.push_back(up);
}

void DemoDriver::Wait(ce::DWORD ms) {
  Step step(Step::kWait);
  step.ms = ms;
  steps_.push_back(step);
}

void DemoDriver::Shot(const std::string& name) {
  Step step(Step::kShot);
  step.name = name;
  steps_.push_back(step);
}

void DemoDriver::Until(const std::string& what, std::function<bool(const StateSnapshot&)> done,
                       ce::DWORD timeoutMs) {
  Step step(Step::kUntil);
  step.name = what;
  step.until = std::move(done);
  step.ms = timeoutMs;
  steps_.push_back(step);
}

void DemoDriver::Call(std::function<void()> call) {
  Step step(Step::kCall);
  step.call = std::move(call);
  steps_.push_back(step);
}

void DemoDriver::PostNow(ce::UINT message, ce::WPARAM wParam, ce::LPARAM lParam) {
  ce::headless::PostInput(message, wParam, lParam);
}

bool DemoDriver::PlayStep() {
  StateSnapshot state = TakeSnapshot();
  const GameSnapshot& game = state.game;
  if (state.view != kViewGame && state.view != kViewPauseMenu) return false;
  if (state.hasSettings && state.settings.resultPending) {
    // The clock ran out: the game shows its game-over picture while it
    // pauses before the high-score table (caught by OnSleep).
    Wait(10);
    return true;
  }
  // Three moments of play, and one visit to the pause menu.
  static const int kShotAt[] = {165, 110, 45};
  if (playShots_ < 3 && game.playing && game.secondsLeft <= kShotAt[playShots_]) {
    Shot("play-" + std::to_string(playShots_ + 1));
    ++playShots_;
    return true;
  }
  if (!paused_ && game.playing && game.secondsLeft <= 90) {
    paused_ = true;
    Tap(kMenuCornerX, kMenuCornerY);
    Until(
        "the pause menu", [](const StateSnapshot& s) { return s.view == kViewPauseMenu; }, 3000);
    Wait(900);
    Shot("pause-menu");
    Tap(kResumeX, kResumeY);
    Until(
        "the game again", [](const StateSnapshot& s) { return s.view == kViewGame; }, 3000);
    return true;
  }
  DemoMove move = player_.Decide(state);
  switch (move.kind) {
    case DemoMove::kShoot:
    case DemoMove::kReload:
      Tap(move.x, move.y);
      break;
    case DemoMove::kScrollUp:
    case DemoMove::kScrollDown: {
      // Hold the key for a few timer ticks.
      Step down(Step::kPost);
      down.message = ce::WM_KEYDOWN;
      down.wParam = move.kind == DemoMove::kScrollUp ? ce::VK_UP : ce::VK_DOWN;
      steps_.push_back(down);
      Wait(60);
      Step up = down;
      up.message = ce::WM_KEYUP;
      steps_.push_back(up);
      break;
    }
    case DemoMove::kNone:
      break;
  }
  // Near the end, look at every tick so as not to miss the game-over picture.
  Wait(game.secondsLeft <= 1 ? 10 : kReactionMs);
  return true;
}

bool DemoDriver::OnIdle() {
  for (;;) {
    if (steps_.empty()) return false;
    Step& step = steps_.front();
    switch (step.kind) {
      case Step::kPost: {
        Step done = step;
        steps_.pop_front();
        PostNow(done.message, done.wParam, done.lParam);
        return true;
      }
      case Step::kWait: {
        ce::DWORD ms = step.ms;
        steps_.pop_front();
        if (ms == 0) continue;
        ce::headless::Wait(ms);
        return true;
      }
      case Step::kShot: {
        NumberedShot(step.name);
        steps_.pop_front();
        continue;
      }
      case Step::kCall: {
        auto call = step.call;
        steps_.pop_front();
        call();
        continue;
      }
      case Step::kUntil: {
        if (step.until(TakeSnapshot())) {
          waitedMs_ = 0;
          steps_.pop_front();
          continue;
        }
        if (waitedMs_ >= step.ms) {
          std::fprintf(stderr, "demo: gave up waiting for %s\n", step.name.c_str());
          return false;
        }
        waitedMs_ += 10;
        ce::headless::Wait(10);
        return true;
      }
      case Step::kPlay: {
        // The moves of the game go in front of the play step, which stays
        // until the game is over.
        std::deque<Step> rest;
        rest.swap(steps_);
        rest.pop_front();
        bool going = PlayStep();
        std::deque<Step> moves;
        moves.swap(steps_);
        steps_ = std::move(moves);
        if (going) steps_.push_back(Step(Step::kPlay));
        for (Step& s : rest) steps_.push_back(std::move(s));
        continue;
      }
    }
  }
}

void DemoDriver::OnSleep(ce::DWORD ms) {
  if (gameOverShot_ || ms < 1000) return;
  StateSnapshot state = TakeSnapshot();
  if (state.view != kViewGame || !state.settings.resultPending) return;
  gameOverShot_ = true;
  NumberedShot("game-over");
}

// Numbered in the order taken, so that the files sort as the session ran.
void DemoDriver::NumberedShot(const std::string& name) {
  char number[16];
  std::snprintf(number, sizeof(number), "%02d-", ++shotCount_);
  TakeScreenshot(dir_, number + name);
}

bool DemoDriver::WriteSummary() const {
  const GameSnapshot& game = last_.game;
  const SettingsSnapshot& settings = last_.settings;
  JsonWriter json;
  json.BeginObject();
  json.Field("completed", completed_);
  json.Field("score", settings.lastScore);
  json.Field("ducks", settings.killedDucks);
  json.Field("leaves", settings.killedLeafs);
  json.Field("penalties", settings.negPoints);
  json.Field("shots", game.shotsFired);
  json.Field("accuracy", settings.accuracy);
  json.Key("highScores");
  WriteHighScores(json, last_.highScores);
  json.EndObject();
  const std::string text = json.str() + "\n";
  return ce::WriteFileReplacing(dir_ + "/summary.json", text.data(), text.size());
}

}  // namespace drivers
