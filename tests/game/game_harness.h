// Whole games run headless through the real message loop and dispatcher:
// the steps of a test run one at a time whenever the loop is idle.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/application.h"
#include "framework/animated_sprite.h"
#include "framework/view_list.h"
#include "game/game_controller.h"
#include "game/mover.h"
#include "graphics/picture.h"
#include "graphics/surface.h"
#include "graphics/tile_background.h"
#include "persistence/settings.h"
#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "sound/game_sounds.h"
#include "tests/support/step_driver.h"

namespace gametest {

// The sounds the game started, in order.
inline std::vector<int>& Sounds() {
  static std::vector<int> sounds;
  return sounds;
}
inline void RecordSound(int id, int) { Sounds().push_back(id); }
inline int CountSound(int id) {
  int n = 0;
  for (int s : Sounds()) n += s == id;
  return n;
}

class GameHarness : public testsupport::StepDriver {
 public:
  GameHarness() {
    Sounds().clear();
    SetSoundObserver(&RecordSound);
  }
  ~GameHarness() override { SetSoundObserver(nullptr); }

  // Down, a little time, up, a little time: the gun's animation needs a
  // millisecond between two shots.
  void Tap(int x, int y) {
    PenDown(x, y);
    Wait(5);
    PenUp(x, y);
    Wait(5);
  }
  void Key(ce::UINT vk, bool down) {
    Then([vk, down] { ce::headless::PostInput(down ? ce::WM_KEYDOWN : ce::WM_KEYUP, vk, 0); });
  }
  void HardwareKey(ce::UINT vk, bool down) {
    Then([vk, down] {
      if (down)
        ce::headless::PostInput(ce::WM_HOTKEY, vk, ce::MAKELPARAM(0x0008, vk));
      else
        ce::headless::PostInput(ce::WM_KEYUP, vk, 0);
    });
  }

  // From the start of the program to the first frame of a new game, as
  // the main menu's New Game button gets there, with the random arrivals of
  // ducks and targets switched off.
  void StartGame() {
    Then([] { g_application->viewList->SwitchTo(kViewMainMenu, 0); });
    Wait(10);
    Then([] {
      // A generator in state 0 draws 0 for ever: no duck, no target.
      g_gameController->ducks.random = CRandom(0);
      g_gameController->targets.random = CRandom(0);
      g_application->viewList->SwitchTo(kViewGame, 1);
    });
    Wait(10);
    Then([] {
      ASSERT_TRUE(g_gameController->playing());
      Sounds().clear();
    });
    // A player's first shot comes a little after the game starts.
    Wait(10);
  }
};

inline CGameController& Game() { return *g_gameController; }
inline SettingsStore& Settings() { return *g_gameController->settings; }
inline CTileBackground& Scene() { return *g_scene; }

// Paints every frame of the mover's animation opaque (colour `c`) in a
// block around (u, v) of the picture, so that a tap there hits.
inline void PaintOpaque(CMover* mover, int u, int v, std::uint16_t c = 0x07E0) {
  CAnimatedSprite* sprite = mover->sprite;
  for (int k = 0; k < sprite->frameCount; ++k) {
    CPicture* picture = sprite->frames[k];
    if (picture == nullptr) continue;
    for (int y = v - 2; y <= v + 2; ++y)
      for (int x = u - 2; x <= u + 2; ++x) picture->surface->Row(y)[x] = c;
  }
  if (sprite->picture != nullptr)
    for (int y = v - 2; y <= v + 2; ++y)
      for (int x = u - 2; x <= u + 2; ++x) sprite->picture->surface->Row(y)[x] = c;
}

// Paints the mover's pictures all key colour: every tap inside is a near miss.
inline void PaintTransparent(CMover* mover) {
  CAnimatedSprite* sprite = mover->sprite;
  std::vector<CPicture*> pictures(sprite->frames, sprite->frames + sprite->frameCount);
  pictures.push_back(sprite->picture);
  for (CPicture* picture : pictures) {
    if (picture == nullptr) continue;
    for (int y = 0; y < picture->height; ++y)
      for (int x = 0; x < picture->width; ++x) picture->surface->Row(y)[x] = mover->keyColour;
  }
}

// Puts the mover at screen (x, y) of the present scroll position, with a
// path far away so that it stays put for a while.
inline void PlaceOnScreen(CMover* mover, int x, int y) {
  mover->sprite->x = x + g_scene->GetScrollX();
  mover->sprite->y = y + g_scene->GetScrollY();
  mover->lastStepTick = ce::GetTickCount();  // no step for 32 seconds
  mover->stepInterval = 0x7FFF;
}

// A generator whose next draws satisfy `want` (given a fresh generator in
// that state).
inline CRandom StateWhere(const std::function<bool(CRandom&)>& want) {
  for (int s = 1; s < 16807; ++s) {
    CRandom r(s);
    if (want(r)) return CRandom(s);
  }
  ADD_FAILURE() << "no generator state fits";
  return CRandom(0);
}

}  // namespace gametest
