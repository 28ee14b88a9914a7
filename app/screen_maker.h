// Where the program is put together: the screens around the game, made for
// the game controller, which owns them.
#pragma once

class CTileBackground;
class CView;

// The screen of view `id` over the scene; null for an id without one.
CView* MakeScreen(int id, CTileBackground* scene);
