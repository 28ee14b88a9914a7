#include "game/shell_indicator.h"

#include "assets/resource_ids.h"
#include "framework/animated_sprite.h"
#include "game/play_helpers.h"
#include "graphics/tile_background.h"

namespace {
constexpr std::uint8_t kLayer = 230;
constexpr int kReloadFrame = 7;  // frame k shows 7 - k shells; 7 and 8 are the Reload sign
}  // namespace

void CShellIndicator::Create(int screenX, int screenY, CTileBackground* scene, std::uint8_t full) {
  scene_ = scene;
  x = screenX;
  y = screenY;
  shells = capacity = full;
  frames = LoadFrameSet(kPictureShells7, kPictureShellsReloadLit, 26, 96);
  sprite = new CAnimatedSprite;
  sprite->InitAnimation(frames, x + scene_->GetScrollX(), y + scene_->GetScrollY(), 1, 1, 0,
                        kKeyFromPicture, 1, kAnimateLoop);
  scene_->Add(sprite, kLayer);
  scene_->Invalidate(sprite);
}

void CShellIndicator::Fire() {
  if (shells == 0) return;
  shells -= 1;
  sprite->Tick();
  scene_->Invalidate(sprite);
}

void CShellIndicator::Reload() {
  shells = capacity;
  sprite->SetFrame(0);
}

void CShellIndicator::Blink() {
  if (sprite->frameIndex == kReloadFrame)
    sprite->Advance();
  else
    sprite->StepBack();
}

void CShellIndicator::Follow() {
  sprite->x = x + scene_->GetScrollX();
  sprite->y = y + scene_->GetScrollY();
  scene_->Invalidate(sprite);
}

void CShellIndicator::Hide() { scene_->Remove(sprite); }

void CShellIndicator::Show() {
  scene_->Add(sprite, kLayer);
  scene_->Invalidate(sprite);
}

void CShellIndicator::Destroy() {
  scene_->Remove(sprite);
  delete sprite;
  sprite = nullptr;
  DeleteFrameSet(frames);
}
