// One pass of the program per message: the View List, then the game, then
// the animated sprites.
#pragma once

#include "framework/input_event.h"

class CAnimationList;
class CGameController;
class CViewList;

class CDispatcher {
 public:
  CDispatcher(CViewList* viewList, CAnimationList* animationList)
      : viewList_(viewList), animationList_(animationList) {}
  virtual ~CDispatcher() = default;

  // The controller is created after the dispatcher.
  void SetGameController(CGameController* controller) { gameController_ = controller; }

  // 1 to go on, 0 to quit.
  int Dispatch(InputEvent* event);

 private:
  CViewList* viewList_;
  CAnimationList* animationList_;
  CGameController* gameController_ = nullptr;
};
