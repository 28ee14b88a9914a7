#include "screens/credits_view.h"

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/blitters.h"
#include "graphics/image.h"
#include "graphics/picture.h"
#include "graphics/screen.h"
#include "graphics/sprite.h"
#include "graphics/surface.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"

namespace {

struct CreditLine {
  int picture, width, height, startX;
};
// Each line starts, for the landscape reader, at the same place: y = 260 -
// its height.
constexpr CreditLine kCreditLines[CCreditsView::kLines] = {
    {kPictureCreditsLine1, 20, 112, 220},  {kPictureCreditsLine2, 20, 164, 240},
    {kPictureCreditsLine3, 20, 154, 260},  {kPictureCreditsLine4, 20, 92, 300},
    {kPictureCreditsLine5, 20, 144, 320},  {kPictureCreditsLine6, 20, 134, 360},
    {kPictureCreditsLine7, 20, 172, 380},  {kPictureCreditsLine8, 20, 152, 420},
    {kPictureCreditsLine9, 20, 144, 440},  {kPictureCreditsLine10, 20, 186, 480},
    {kPictureCreditsLine11, 20, 176, 500}, {kPictureCreditsLine12, 20, 168, 540},
    {kPictureCreditsLine13, 18, 126, 560},
};
constexpr int kRestartX = 220;
constexpr int kLastX = -360;

}  // namespace

float CCreditsView::LineAlpha(int x) {
  if (x >= 220 || x < 10) return 0.0f;
  if (x >= 130) return static_cast<float>((229 - x) / 10) / 10.0f;  // 0.1 at 210..219
  if (x >= 100) return 1.0f;
  return static_cast<float>(x / 10) / 10.0f;  // 0.9 at 90..99, 0.1 at 10..19
}

CCreditsView::CCreditsView(CTileBackground* scene) { SetScene(scene); }

CCreditsView::~CCreditsView() { Release(); }

void CCreditsView::Enter() {
  Fill(g_backBuffer, 0);
  scene_->screen.PresentAll();
  lastStepTick = 0;
  logoImage = new CImage(kPictureCreditsLogo, 28, 94);
  logoSprite = new CSprite(logoImage, 210, 5, 0, 1, 0, -1);
  for (int i = 0; i < kLines; ++i) {
    const CreditLine& line = kCreditLines[i];
    lineImages[i] = new CImage(line.picture, line.width, line.height);
    lineSprites[i] = new CSprite(lineImages[i], line.startX, 260 - line.height, 0, 1, 0, -1);
  }
}

int CCreditsView::HandleEvent(InputEvent* event) {
  if (event->type == kEventPenDown) {
    ScreenViews()->GoBack();
    return kEventConsumed;
  }
  std::uint32_t now = ce::GetTickCount();
  if (now - lastStepTick < kStepMs) return kEventConsumed;
  lastStepTick = now;
  for (CSprite* line : lineSprites) {
    int x = line->x;
    if (x < 220 && x >= 10 && line->picture != nullptr) {
      ce::POINT at = {x, line->y};
      ce::RECT whole = {0, 0, line->width, line->height};
      if (x >= 100 && x < 130) {
        CopyRect(line->picture->surface, g_backBuffer, at, whole);
      } else {
        KeyedAlphaRect(line->picture->surface, g_backBuffer, at, whole, line->keyColor,
                       LineAlpha(x));
      }
    }
    line->x = x > kLastX ? x - 2 : kRestartX;
  }
  if (logoSprite->picture != nullptr) {
    KeyedCopyRect(logoSprite->picture->surface, g_backBuffer, ce::POINT{210, 5},
                  ce::RECT{0, 0, logoSprite->width, logoSprite->height}, logoSprite->keyColor);
  }
  scene_->screen.PresentAll();
  Fill(g_backBuffer, 0);
  return kEventConsumed;
}

void CCreditsView::Leave() { Release(); }

void CCreditsView::Release() {
  for (int i = 0; i < kLines; ++i) {
    DeleteSprite(scene_, lineSprites[i]);
    DeleteImage(lineImages[i]);
  }
  DeleteSprite(scene_, logoSprite);
  DeleteImage(logoImage);
}
