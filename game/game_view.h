// View 1: the game view. The game controller plays while it is current;
// the view itself only hands a finished game over to the high-score screen.
#pragma once

#include "framework/view.h"

class CGameController;

class CGameView : public CView {
 public:
  CGameView(CTileBackground* scene, CGameController* controller);

  void Enter() override {}
  void Leave() override {}
  // On the first event without input after the clock ran out: switches to
  // the high scores and ends the game (1). Otherwise passes the event on to
  // the controller (0).
  int HandleEvent(InputEvent* event) override;

 private:
  CGameController* controller_;
};
