#include "screens/help_view.h"

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/image.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "screens/widgets/button.h"
#include "sound/game_sounds.h"

namespace {

struct HelpButton {
  int x, y, width, height, picture;
};
// By id: OK, Credits, next page, previous page, About.
constexpr HelpButton kButtons[5] = {
    {200, 14, 26, 42, kPictureHelpOk},     {200, 72, 26, 128, kPictureHelpCredits},
    {137, 19, 42, 20, kPictureHelpNext},   {22, 19, 42, 20, kPictureHelpPrevious},
    {200, 214, 26, 94, kPictureHelpAbout},
};
constexpr int kPageX = 62;
constexpr int kPageY = 62;
constexpr int kPageWidth = 118;
constexpr int kPageHeight = 216;

}  // namespace

CHelpView::CHelpView(CTileBackground* scene) { SetScene(scene); }

CHelpView::~CHelpView() { Release(); }

void CHelpView::Enter() {
  DrawPictureOnce(scene_, kPictureHelpBackground, 240, 320, 0, 0);
  for (int id = 0; id < 5; ++id) {
    const HelpButton& b = kButtons[id];
    buttons[id] = ListAndShow(this, NewScreenButton(static_cast<std::uint16_t>(id), b.x, b.y,
                                                    b.width, b.height, b.picture, b.picture + 1));
  }
  page = kPictureHelpPage1;
  pageImage = new CImage(page, kPageWidth, kPageHeight);
  pageSprite = new CSprite(pageImage, kPageX, kPageY, 0, 0, 0, -1);
  scene_->Add(pageSprite, 2);
}

int CHelpView::HandleEvent(InputEvent* event) {
  if (event->type == kEventViewEntered) scene_->Redraw();
  if (DispatchToWidgets(event) != 1 || event->type != kEventButtonClicked) return kEventConsumed;
  PlayEffect(kSoundClick);
  switch (event->data[7]) {
    case kOk:
      ScreenViews()->GoBack();
      break;
    case kCredits:
      ScreenViews()->SwitchTo(kViewCredits, 1);
      break;
    case kAbout:
      ScreenViews()->SwitchTo(kViewAbout, 1);
      break;
    case kNext:
      if (page < kPictureHelpPage6) TurnTo(page + 1);
      break;
    case kPrevious:
      if (page > kPictureHelpPage1) TurnTo(page - 1);
      break;
    default:
      break;
  }
  return kEventConsumed;
}

void CHelpView::TurnTo(int newPage) {
  PlayEffect(kSoundPageTurn);
  page = newPage;
  pageImage->Release();
  pageImage->Load(page, kPageWidth, kPageHeight);
  pageSprite->Set(pageImage, kPageX, kPageY, 0, 0, 1, -1);
  scene_->Redraw();
  // Half over the old page for a moment, then solid.
  std::uint32_t start = ce::GetTickCount();
  while (ce::GetTickCount() - start < kCrossFadeMs) {
  }
  pageSprite->blend = 0;
  scene_->Redraw();
}

void CHelpView::Leave() {
  Release();
  ClearWidgets();
}

void CHelpView::Release() {
  DeleteSprite(scene_, pageSprite);
  DeleteImage(pageImage);
  while (widgetCount_ > 0) RemoveWidget(widgetCount_ - 1);
  for (CButton*& button : buttons) DeleteWidget(button);
}
