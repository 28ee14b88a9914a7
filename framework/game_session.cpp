#include "framework/game_session.h"

CGameSession* g_gameSession = nullptr;
