#include "screens/widgets/confirm_dialog.h"

#include "assets/resource_ids.h"
#include "framework/input_event.h"
#include "graphics/picture.h"
#include "graphics/presenter.h"
#include "graphics/screen.h"
#include "graphics/tile_background.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "sound/game_sounds.h"

namespace {

// Edges included.
bool Inside(const InputEvent& e, const ce::RECT& r) {
  return e.x >= r.left && e.x <= r.right && e.y >= r.top && e.y <= r.bottom;
}

}  // namespace

CConfirmDialog::CConfirmDialog(CTileBackground* scene)
    : screen(&scene->screen),
      panel(LoadPicture(kPictureConfirmPanel, 100, 168)),
      okPressed(LoadPicture(kPictureConfirmOkPressed, 24, 40)),
      cancelPressed(LoadPicture(kPictureConfirmCancelPressed, 24, 86)) {}

CConfirmDialog::~CConfirmDialog() {
  DeletePicture(panel);
  DeletePicture(okPressed);
  DeletePicture(cancelPressed);
}

void CConfirmDialog::DrawPanel(const ce::RECT& presented) {
  screen->BlitPictureKeyed(panel, panelRect.left, panelRect.top, 1, 1);
  screen->presenter->PresentRects(&presented, 1);
}

int CConfirmDialog::Run() {
  DrawPanel(panelRect);
  InputState ownState{};
  InputState* state = g_inputState != nullptr ? g_inputState : &ownState;
  for (;;) {
    InputEvent event;
    if (PollInputEvent(state, &event) == nullptr) return 0;
    if (event.type == kEventPenDown) {
      if (Inside(event, okRect)) {
        PlayEffect(kSoundClick);
        screen->BlitPicture(okPressed, okRect.left, okRect.top);
        screen->presenter->PresentRects(&okRect, 1);
      } else if (Inside(event, cancelRect)) {
        PlayEffect(kSoundClick);
        screen->BlitPicture(cancelPressed, cancelRect.left, cancelRect.top);
        screen->presenter->PresentRects(&cancelRect, 1);
      }
    } else if (event.type == kEventPenUp) {
      if (Inside(event, okRect)) {
        DrawPanel(okRect);
        return 1;
      }
      if (Inside(event, cancelRect)) {
        DrawPanel(cancelRect);
        return 0;
      }
    }
  }
}
