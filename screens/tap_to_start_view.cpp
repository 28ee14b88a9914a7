#include "screens/tap_to_start_view.h"

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/picture.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"

CTapToStartView::CTapToStartView(CTileBackground* scene) { SetScene(scene); }

CTapToStartView::~CTapToStartView() { Release(); }

void CTapToStartView::Enter() {
  titlePicture = LoadPicture(kPictureTitle, 240, 320);
  signPicture = LoadPicture(kPictureTitleSign, 36, 86);
  lastBlinkTick = 0;
  signShown = 0;
}

int CTapToStartView::HandleEvent(InputEvent* event) {
  if (event->type == kEventPenDown) {
    ScreenViews()->SetNextView(kViewMainMenu);
    return kEventConsumed;
  }
  std::uint32_t now = ce::GetTickCount();
  if (now - lastBlinkTick > kBlinkMs) {
    lastBlinkTick = now;
    scene_->screen.BlitPicture(titlePicture, 0, 0);
    if (signShown == 1) scene_->screen.BlitPicture(signPicture, 200, 10);
    signShown = !signShown;
    scene_->screen.PresentAll();
  }
  return kEventConsumed;
}

void CTapToStartView::Leave() { Release(); }

void CTapToStartView::Release() {
  DeletePicture(titlePicture);
  DeletePicture(signPicture);
}
