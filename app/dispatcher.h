// One pass of the program per message: the View List, then the game, then
// the animated sprites.
#pragma once

#include "framework/input_event.h"

class CViewList;

class CDispatcher {
 public:
  explicit CDispatcher(CViewList* viewList) : viewList_(viewList) {}
  virtual ~CDispatcher() = default;

  // 1 to go on, 0 to quit.
  int Dispatch(InputEvent* event);

 private:
  CViewList* viewList_;
};
