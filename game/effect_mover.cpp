#include "game/effect_mover.h"

#include "framework/animated_sprite.h"
#include "game/paths.h"
#include "game/play_helpers.h"

CEffectMover::~CEffectMover() {
  delete path;
  delete sprite;
}

int CEffectMover::Init(int x, int y, CFrameSet* frameSet, int framePeriod, int blend,
                       std::uint8_t effectKind) {
  sprite = NewPlaySprite(frameSet, x, y, blend, framePeriod, kAnimateOnce);
  if (sprite == nullptr) return 0;
  height = sprite->height;
  width = sprite->width;
  finished = 0;
  kind = effectKind;
  return 1;
}

void CEffectMover::SetPath(int type, const PathParams& params) {
  if (type != kPathLine && type != kPathZigzag) return;
  delete path;
  path = MakePath(type, params);
}

void CEffectMover::Update() {
  if (path == nullptr) {
    if (sprite->frameIndex == sprite->frameCount - 1) finished = 1;
    return;
  }
  if (path->IsFinished()) {
    finished = 1;
    return;
  }
  // The new position shows when the sprite is next drawn.
  PathPoint p = path->Step();
  sprite->x = p.x;
  sprite->y = p.y;
}
