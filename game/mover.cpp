#include "game/mover.h"

#include "framework/animated_sprite.h"
#include "game/paths.h"
#include "game/play_helpers.h"
#include "graphics/picture.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"

CPath* MakePath(int type, const PathParams& params) {
  const std::int32_t* p = params.p;
  switch (type) {
    case kPathLine:
      return new CLinePath(p[0], p[1], p[2], p[3], p[4]);
    case kPathZigzag:
      return new CZigzagPath(p[0], p[1], p[2], p[3], p[4]);
    case kPathPopUp:
      return new CPopUpPath(p[0], p[1], p[2], p[3], static_cast<std::int16_t>(p[4]),
                            static_cast<std::int16_t>(p[5]), static_cast<std::uint16_t>(p[6]));
    default:
      return nullptr;
  }
}

CMover::~CMover() {
  delete path;
  delete sprite;
}

int CMover::Init(int x, int y, CFrameSet* frameSet, int framePeriod, std::uint8_t moverKind,
                 std::int16_t interval) {
  sprite = NewPlaySprite(frameSet, x, y, 0, framePeriod, kAnimatePingPong);
  if (sprite == nullptr) return 0;
  keyColour = sprite->keyColor;
  height = sprite->height;
  width = sprite->width;
  finished = 0;
  kind = moverKind;
  stepInterval = interval;
  return 1;
}

CMover* CMover::New(int x, int y, CFrameSet* frameSet, int framePeriod, std::uint8_t kind,
                    std::int16_t interval) {
  CMover* mover = new CMover;
  if (mover->Init(x, y, frameSet, framePeriod, kind, interval)) return mover;
  delete mover;
  return nullptr;
}

void CMover::SetPath(int type, const PathParams& params) {
  delete path;
  path = MakePath(type, params);
}

void CMover::Update() {
  std::uint32_t now = ce::GetTickCount();
  if (path == nullptr) return;
  if (path->IsFinished()) {
    finished = 1;
    return;
  }
  if (now - lastStepTick > static_cast<std::uint32_t>(stepInterval)) {
    lastStepTick = now;
    PathPoint p = path->Step();
    sprite->x = p.x;
    sprite->y = p.y;
    g_scene->Invalidate(sprite);
  }
}

int CMover::HitTest(int penX, int penY, int scrollX, int scrollY) const {
  int left = sprite->x - scrollX;
  int top = sprite->y - scrollY;
  if (penX < left || penX >= left + width || penY < top || penY >= top + height) return 0;
  if (sprite->picture == nullptr) return 0;
  return sprite->picture->Pixel(penX - left, penY - top) != keyColour ? 1 : 2;
}

std::int32_t CMover::x() const { return sprite->x; }
std::int32_t CMover::y() const { return sprite->y; }
