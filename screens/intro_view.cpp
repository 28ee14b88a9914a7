#include "screens/intro_view.h"

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/blitters.h"
#include "graphics/picture.h"
#include "graphics/rotation.h"
#include "graphics/screen.h"
#include "graphics/surface.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "screens/widgets/button.h"

std::uint32_t CIntroView::startTick = 0;
std::uint32_t CIntroView::lastFadeTick = 0;
float CIntroView::alpha = 0.0f;
std::uint8_t CIntroView::logoPending = 1;

namespace {

constexpr int kTurnWidth = 220;
constexpr int kTurnHeight = 212;
constexpr int kLogoSize = 180;
constexpr ce::POINT kTurnAt = {10, 53};
constexpr ce::POINT kLogoAt = {30, 70};

}  // namespace

CIntroView::CIntroView(CTileBackground* scene) {
  SetScene(scene);
  screen = &scene->screen;
  ce::SetCursor(nullptr);
  ce::ShowCursor(ce::FALSE);
}

CIntroView::~CIntroView() { Release(); }

void CIntroView::Enter() {
  skipButton =
      ListAndShow(this, NewScreenButton(1, 180, 300, 46, 18, kPictureSkip, kPictureSkipPressed));
  // Drawn upright, for the device still in portrait.
  picture = LoadPicture(kPictureTurnRequest, kTurnWidth, kTurnHeight);
  lastStepTick = 0;
  angle = 90.0;
  Fill(g_backBuffer, 0);
  screen->PresentAll();
}

int CIntroView::HandleEvent(InputEvent* event) {
  std::uint32_t now = ce::GetTickCount();
  if (startTick == 0) {
    startTick = now;
    CopyRect(picture->surface, g_backBuffer, kTurnAt, ce::RECT{0, 0, kTurnWidth, kTurnHeight});
    screen->PresentAll();
    scene_->Invalidate(&skipButton->sprite);
    scene_->Redraw();
    return kEventConsumed;
  }
  if (now - startTick < kSkipWindowMs) {
    if (DispatchToWidgets(event) == 1) return Finish();
    return kEventConsumed;
  }
  // From here on input is no longer looked at.
  if (logoPending == 1) {
    picture->Load(kPictureLogo, kLogoSize, kLogoSize);
    Fill(g_backBuffer, 0);
    screen->PresentAll();
    logoPending = 0;
    return kEventConsumed;
  }
  if (static_cast<double>(alpha) <= 1.0) {
    if (now - lastFadeTick < kFadeStepMs) return kEventConsumed;
    lastFadeTick = now;
    alpha += 0.1f;
    // Over what the frame already shows: each step adds to the last.
    KeyedAlphaRect(picture->surface, g_backBuffer, kLogoAt, ce::RECT{0, 0, kLogoSize, kLogoSize}, 0,
                   alpha);
    screen->PresentAll();
    return kEventConsumed;
  }
  if (angle < kLastAngle) {
    if (now - lastStepTick < kTurnStepMs) return kEventConsumed;
    lastStepTick = now;
    Fill(g_backBuffer, 0);
    RotatePicture(picture->surface, g_backBuffer,
                  ce::RECT{kLogoAt.x, kLogoAt.y, kLogoAt.x + kLogoSize, kLogoAt.y + kLogoSize},
                  angle);
    screen->PresentAll();
    angle += 4.0;
    return kEventConsumed;
  }
  return Finish();
}

int CIntroView::Finish() {
  if (widgetCount_ > 0) RemoveWidget(0);
  ScreenViews()->SetNextView(kViewTapToStart);
  return kEventConsumed;
}

void CIntroView::Leave() { Release(); }

void CIntroView::Release() {
  DeletePicture(picture);
  while (widgetCount_ > 0) RemoveWidget(widgetCount_ - 1);
  DeleteWidget(skipButton);
}
