#include "drivers/game_recorder.h"

#include "drivers/input_message.h"
#include "drivers/state_snapshot.h"
#include "framework/view_list.h"
#include "game/game_controller.h"
#include "persistence/settings.h"
#include "platform/messages.h"
#include "sound/sound_engine.h"
#include "sound/sound_player.h"

namespace drivers {

GameRecorder::GameRecorder(std::function<void(const GameRecord&)> finished)
    : finished_(std::move(finished)) {
  ce::AddRunObserver(this);
}

GameRecorder::~GameRecorder() { ce::RemoveRunObserver(this); }

void GameRecorder::Arm(const ce::MSG& msg) {
  const ProgramParts parts = CurrentProgramParts();
  const SettingsStore& settings = *parts.settings;
  record_ = GameRecord();
  record_.silent = parts.soundPlayer == nullptr || parts.soundPlayer->engine == nullptr ||
                   parts.soundPlayer->engine->opened == 0;
  record_.menuAnimation = settings.menuAnimation != 0;
  record_.specialEffects = settings.specialEffects != 0;
  record_.soundVolume = static_cast<int>(settings.soundVolume);
  record_.musicVolume = static_cast<int>(settings.musicVolume);
  record_.startTick = msg.time;
  if (g_gameController != nullptr) {
    record_.duckRandom = g_gameController->ducks.random.state();
    record_.targetRandom = g_gameController->targets.random.state();
  }
  haveTimer_ = false;
  lastTime_ = msg.time;
  timers_ = 0;
  state_ = kArmed;
  Append(msg);
}

bool GameRecorder::Append(const ce::MSG& msg) {
  if (msg.message == ce::WM_TIMER) {
    if (!haveTimer_) record_.firstTimerTick = msg.time;
    haveTimer_ = true;
    ++timers_;
  } else {
    if (!IsInputMessage(msg.message, msg.wParam, msg.lParam)) return false;
    GameInput input;
    input.timersBefore = timers_;
    input.sinceLast = msg.time - lastTime_;
    input.message = msg.message;
    input.wParam = msg.wParam;
    input.lParam = msg.lParam;
    record_.inputs.push_back(input);
    timers_ = 0;
  }
  lastTime_ = msg.time;
  return true;
}

void GameRecorder::MessageTaken(const ce::MSG& msg) {
  const ProgramParts parts = CurrentProgramParts();
  if (parts.viewList == nullptr || parts.settings == nullptr) return;
  const CViewList& views = *parts.viewList;
  const SettingsStore& settings = *parts.settings;
  const bool playing = g_gameController != nullptr && g_gameController->playing();
  if (state_ == kArmed && playing) state_ = kRecording;
  if (state_ == kRecording && !playing) {
    // The pass before ended the game: with its result when the clock ran
    // out, without when it was left from the pause menu.
    if (settings.resultPending != 0 && views.next == kViewHighScores) {
      record_.timersAfter = timers_;
      record_.claimedScore = settings.pendingScore;
      record_.name.assign(settings.userName);
      if (record_.name.size() > 8) record_.name.resize(8);
      finished_(record_);
    }
    state_ = kIdle;
  }
  if (state_ == kArmed && views.current != kViewMainMenu) state_ = kIdle;
  // The game begins with the pen going down on the main menu, settled.
  if (state_ != kRecording && msg.message == ce::WM_LBUTTONDOWN && views.current == kViewMainMenu &&
      views.next == views.current)
    Arm(msg);
  else if (state_ != kIdle && !Append(msg))
    state_ = kIdle;
}

}  // namespace drivers
