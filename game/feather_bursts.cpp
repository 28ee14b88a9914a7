#include "game/feather_bursts.h"

#include "assets/resource_ids.h"
#include "game/play_helpers.h"

void CFeatherBursts::Create(CTileBackground* scene) {
  Begin(scene);
  nearFrames_ = LoadFrameSet(kPictureFeathersNear0, kPictureFeathersNear6, 70, 120);
  farFrames_ = LoadFrameSet(kPictureFeathersFar0, kPictureFeathersFar6, 36, 60);
}

void CFeatherBursts::Add(int x, int y, std::uint8_t kind) {
  if (count >= 2) return;
  if (kind == 1 || kind == 2)
    Start(x, y - 25, nearFrames_, 1, 131);
  else
    Start(x - 4, y - 12, farFrames_, 2, 51);
}

void CFeatherBursts::Update(const InputEvent*, int) { UpdateAll(); }

void CFeatherBursts::Destroy() {
  DestroyAll();
  DeleteFrameSet(nearFrames_);
  DeleteFrameSet(farFrames_);
}
