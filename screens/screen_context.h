// What the screens reach besides the scene: the View List, the settings
// store and the game, all held by the one game controller.
#pragma once

#include "game/game_controller.h"
#include "persistence/settings.h"

inline CViewList* ScreenViews() { return g_gameController->viewList; }
inline SettingsStore* ScreenSettings() { return g_gameController->settings; }

// The sounds of the screens (played through game/game_sounds.h).
enum : int {
  kMusicMenu = 535,
  kMusicOfGame = 537,
  kSoundVolumeSample = 538,
  kSoundClick = 540,
  kSoundPageTurn = 578,
};
