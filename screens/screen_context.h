// What the screens reach besides the scene: the View List and the settings
// store, through the game session.
#pragma once

#include "framework/game_session.h"
#include "framework/view_list.h"
#include "persistence/settings.h"

inline CViewList* ScreenViews() { return g_gameSession->Views(); }
inline SettingsStore* ScreenSettings() { return g_gameSession->Settings(); }
