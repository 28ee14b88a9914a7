// A sprite that steps through the pictures of a frame set at a fixed period
// measured with the tick count: looping, once, or ping-pong.
#pragma once

#include <cstdint>

#include "graphics/sprite.h"

class CFrameSet;
class CPicture;

enum AnimationMode : std::int32_t {
  kAnimateLoop = 0,
  kAnimateOnce = 1,      // stops on the last frame
  kAnimatePingPong = 2,  // forward then backward, each end shown twice
};

class CAnimatedSprite : public CSprite {
 public:
  static constexpr int kMaxFrames = 30;

  CAnimatedSprite() = default;

  // Returns 1, or 0 when the sprite part cannot be set up (no first picture).
  int InitAnimation(CFrameSet* frameSet, int x, int y, int saveUnder, int keyed, int blend,
                    int keyColor, std::uint32_t period, int mode);
  void Advance();
  void StepBack();
  void SetFrame(int k);
  void SetFrames(CFrameSet* frameSet);
  // Moves on one frame when the period has elapsed; 1 when it did.
  int Tick();

  CPicture* frames[kMaxFrames] = {};  // not owned
  std::int32_t frameIndex = 0;
  std::int32_t frameCount = 0;
  std::uint32_t lastTick = 0;
  std::uint32_t period = 0;
  std::int32_t mode = kAnimateLoop;
};
