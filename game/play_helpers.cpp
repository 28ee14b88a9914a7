#include "game/play_helpers.h"

#include "framework/animated_sprite.h"
#include "framework/frame_set.h"
#include "graphics/tile_background.h"

CFrameSet* LoadFrameSet(int firstId, int lastId, int width, int height) {
  CFrameSet* frames = new CFrameSet;
  frames->LoadFrames(firstId, lastId, width, height);
  return frames;
}

void DeleteFrameSet(CFrameSet*& frames) {
  if (frames != nullptr) frames->ReleaseFrames();
  delete frames;
  frames = nullptr;
}

CAnimatedSprite* NewPlaySprite(CFrameSet* frameSet, int x, int y, int blend, int framePeriod,
                               int mode) {
  CAnimatedSprite* sprite = new CAnimatedSprite;
  if (!sprite->InitAnimation(frameSet, x, y, 1, 1, blend, kKeyFromPicture,
                             static_cast<std::uint32_t>(framePeriod), mode)) {
    delete sprite;
    return nullptr;
  }
  return sprite;
}

void RemoveAnimated(CTileBackground* scene, CSprite* sprite) {
  scene->Remove(sprite);
  if (g_animationList != nullptr) g_animationList->Remove(sprite);
}
