#include "game/game_view.h"

#include "framework/view_list.h"
#include "game/game_controller.h"
#include "persistence/kept_result.h"
#include "persistence/settings.h"

CGameView::CGameView(CTileBackground* scene, CGameController* controller)
    : controller_(controller) {
  SetScene(scene);
}

int CGameView::HandleEvent(InputEvent* event) {
  if (event->type == kEventNone && controller_->settings->resultPending == 1) {
    // The game's statistics are kept at once, whatever happens next.
    controller_->settings->Save();
    // So is its result, until a saved table holds it.
    KeepPendingResult(*controller_->settings);
    controller_->viewList->SwitchTo(kViewHighScores, 0);
    controller_->EndGame();
    return kEventConsumed;
  }
  return kEventPassOn;
}
