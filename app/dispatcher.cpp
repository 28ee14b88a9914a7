#include "app/dispatcher.h"

#include "framework/animation_list.h"
#include "framework/view.h"
#include "framework/view_list.h"
#include "game/game_controller.h"

int CDispatcher::Dispatch(InputEvent* event) {
  int result = viewList_->Dispatch(event);
  if (result == kEventConsumed) return 1;
  if (result == kEventQuit) return 0;
  if (gameController_ != nullptr) {
    result = gameController_->HandleEvent(event);
    if (result == kEventConsumed) return 1;
    if (result == kEventQuit) return 0;
  }
  if (animationList_ != nullptr) animationList_->Update();
  return 1;
}
