#include "game/shot_puffs.h"

#include "assets/resource_ids.h"
#include "game/play_helpers.h"
#include "graphics/tile_background.h"

void CShotPuffs::Create(CTileBackground* scene) {
  Begin(scene);
  frames_ = LoadFrameSet(kPictureShotPuff0, kPictureShotPuff4, 34, 40);
}

void CShotPuffs::Add(int penX, int penY) {
  if (count >= 29) return;
  Start(penX + scene_->GetScrollX() - 14, penY + scene_->GetScrollY() - 15, frames_, 1, 244);
}

void CShotPuffs::Update(const InputEvent*, int) { UpdateAll(); }

void CShotPuffs::Destroy() {
  DestroyAll();
  DeleteFrameSet(frames_);
}
