#include "screens/about_view.h"

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/sorted_list.h"
#include "graphics/tile_background.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "sound/game_sounds.h"

namespace {
constexpr int kAboutWidth = 150;
constexpr int kAboutHeight = 200;
}  // namespace

CAboutView::CAboutView(CTileBackground* scene) { SetScene(scene); }

void CAboutView::Enter() {
  if (g_animationList != nullptr) g_animationList->Clear();
  if (ScreenSettings()->menuAnimation) {
    scene_->DrawAll();
    scene_->screen.Greyscale();
    scene_->screen.PresentAll();
  }
  DrawPictureOnce(scene_, kPictureAbout, kAboutWidth, kAboutHeight, 120 - kAboutWidth / 2,
                  160 - kAboutHeight / 2);
  PlayEffect(kSoundPageTurn);
  scene_->Update();
}

int CAboutView::HandleEvent(InputEvent* event) {
  if (event->type != kEventPenDown) return kEventPassOn;
  PlayEffect(kSoundPageTurn);
  ScreenViews()->GoBack();
  return kEventConsumed;
}
