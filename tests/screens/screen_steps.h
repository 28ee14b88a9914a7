// The screens driven through the real program: where their buttons are,
// and the steps that bring a run to a screen.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/application.h"
#include "framework/input_event.h"
#include "framework/view.h"
#include "framework/view_list.h"
#include "persistence/high_score_table.h"
#include "persistence/settings.h"
#include "screens/intro_view.h"
#include "screens/main_menu_view.h"
#include "sound/game_sounds.h"
#include "tests/support/step_driver.h"

namespace screentest {

struct Point {
  int x, y;
};

// The middle of each button, in frame-buffer coordinates.
namespace menu {
constexpr Point kNewGame = {31, 76}, kOptions = {77, 61}, kScore = {123, 55}, kHelp = {169, 46},
                kExit = {215, 41}, kName = {215, 241};
}
namespace options {
constexpr Point kOk = {213, 161}, kCancel = {213, 70}, kAnims = {157, 43}, kEffects = {157, 166};
constexpr int kMusicX = 80, kSoundX = 119;  // the tracks' middle column
}  // namespace options
namespace scores {
constexpr Point kOk = {213, 35}, kReset = {213, 115}, kStats = {213, 218}, kTable = {120, 200};
constexpr Point kDialogOk = {149, 210}, kDialogCancel = {149, 127};
}  // namespace scores
namespace names {
constexpr Point kOk = {216, 49}, kCancel = {216, 135}, kZero = {210, 297}, kSpace = {210, 263},
                kDelete = {210, 229};
// The key of an upper-case letter or a digit 1 to 9.
inline Point Key(char c) {
  if (c >= '1' && c <= '9') return {176, 297 - 34 * (c - '1')};
  int i = c - 'A';
  if (i < 9) return {69, 297 - 34 * i};
  if (i < 18) return {103, 297 - 34 * (i - 9)};
  return {137, 279 - 34 * (i - 18)};
}
}  // namespace names
namespace help {
constexpr Point kOk = {213, 35}, kCredits = {213, 136}, kNext = {158, 29}, kPrevious = {43, 29},
                kAbout = {213, 261};
}
namespace pause {
constexpr Point kOptions = {98, 270}, kExit = {186, 270}, kScore = {126, 270}, kHelp = {158, 270},
                kResume = {215, 270}, kPanelGap = {142, 270};
}
// The game's menu corner.
constexpr Point kMenuCorner = {234, 314};

inline CViewList* Views() { return g_application->viewList; }
inline SettingsStore* Settings() { return g_application->settings; }
inline int Current() { return Views()->current; }
template <class View>
View* ViewAt(int id) {
  return dynamic_cast<View*>(Views()->views[id]);
}

// The sounds the screens and the game started, in order.
inline std::vector<int>& Sounds() {
  static std::vector<int> sounds;
  return sounds;
}
inline void RecordSound(int id, int) { Sounds().push_back(id); }

class ScreenRun : public testsupport::StepDriver {
 public:
  explicit ScreenRun(std::string dataDir = "") : StepDriver(std::move(dataDir)) {
    Sounds().clear();
    SetSoundObserver(&RecordSound);
    // Each run is a fresh program: the values that last for a run start over.
    CIntroView::startTick = 0;
    CIntroView::lastFadeTick = 0;
    CIntroView::alpha = 0.0f;
    CIntroView::logoPending = 1;
    CMainMenuView::stage = 0;
    CMainMenuView::lastStepTick = 0;
  }
  ~ScreenRun() override { SetSoundObserver(nullptr); }

  void Tap(Point p) { StepDriver::Tap(p.x, p.y); }
  // A tap and time for the switch it asks for to happen.
  void Press(Point p) {
    Tap(p);
    Wait(20);
  }
  void ExpectView(int id) {
    Then([id] { EXPECT_EQ(Current(), id); });
  }
  // Through the intro and the title picture to the main menu with its
  // buttons in place.
  void ToMainMenu() {
    Wait(5000);
    ExpectView(kViewTapToStart);
    Tap({120, 160});
    Wait(1000);
    ExpectView(kViewMainMenu);
  }
  // Back on the main menu, its buttons in place again.
  void AtMainMenu() {
    ExpectView(kViewMainMenu);
    Wait(800);
  }
  // From the main menu into a new game.
  void ToGame() {
    Press(menu::kNewGame);
    Wait(100);
    ExpectView(kViewGame);
  }
  // From the game to the pause menu, its panel in place.
  void ToPauseMenu() {
    Press(kMenuCorner);
    Wait(700);
    ExpectView(kViewPauseMenu);
  }
};

}  // namespace screentest
