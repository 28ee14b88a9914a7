// A short-lived effect: an animation played once, moved along a path on
// every frame when it has one.
#pragma once

#include <cstdint>

#include "game/mover.h"

class CAnimatedSprite;
class CFrameSet;
class CPath;

class CEffectMover {
 public:
  CEffectMover() = default;
  // Destroys the path, then the sprite.
  virtual ~CEffectMover();
  CEffectMover(const CEffectMover&) = delete;
  CEffectMover& operator=(const CEffectMover&) = delete;

  // 1 on success; 0 when the sprite cannot be set up.
  int Init(int x, int y, CFrameSet* frameSet, int framePeriod, int blend, std::uint8_t kind);
  void SetPath(int type, const PathParams& params);
  void Update();

  CAnimatedSprite* sprite = nullptr;  // owned
  CPath* path = nullptr;              // owned, may be null
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::uint8_t finished = 0;
  std::uint8_t kind = 0;
};
