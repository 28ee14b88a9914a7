#include "framework/animated_sprite.h"

#include "framework/frame_set.h"
#include "platform/clock.h"

int CAnimatedSprite::InitAnimation(CFrameSet* frameSet, int newX, int newY, int withSaveUnder,
                                   int newKeyed, int newBlend, int newKeyColor,
                                   std::uint32_t newPeriod, int newMode) {
  mode = newMode;
  period = newPeriod;
  lastTick = ce::GetTickCount();
  frameCount = frameSet->count;
  frameIndex = 0;
  frames[0] = frameSet->pictures[0];
  if (frameCount < 1) return 0;
  if (!SetPicture(frames[0], newX, newY, withSaveUnder, newKeyed, newBlend, newKeyColor)) return 0;
  if (frameCount > kMaxFrames) frameCount = kMaxFrames - 1;
  int n = frameCount;
  if (mode != kAnimatePingPong) {
    for (int k = 1; k < n; ++k) frames[k] = frameSet->pictures[k];
    return 1;
  }
  // Ping-pong: 0, 0, 1, ..., n-1, n-1, n-2, ..., 1; every end shown twice.
  int slot = 0;
  auto put = [&](int k) {
    if (slot < kMaxFrames) frames[slot] = frameSet->pictures[k];
    ++slot;
  };
  put(0);
  for (int k = 0; k < n; ++k) put(k);
  for (int k = n - 1; k >= 1; --k) put(k);
  frameCount = 2 * n > kMaxFrames ? kMaxFrames - 1 : 2 * n;
  return 1;
}

void CAnimatedSprite::Advance() {
  if (frameCount <= 0) return;
  if (mode == kAnimateOnce) {
    if (frameIndex < frameCount - 1) ++frameIndex;
  } else {
    frameIndex = (frameIndex + 1) % frameCount;
  }
  picture = frames[frameIndex];
}

void CAnimatedSprite::StepBack() {
  if (frameCount <= 0) return;
  frameIndex = frameIndex == 0 ? frameCount - 1 : frameIndex - 1;
  picture = frames[frameIndex];
}

void CAnimatedSprite::SetFrame(int k) {
  if (frameCount <= 0) return;
  frameIndex = k % frameCount;
  if (frameIndex < 0) frameIndex += frameCount;
  picture = frames[frameIndex];
}

void CAnimatedSprite::SetFrames(CFrameSet* frameSet) {
  frameCount = frameSet->count;
  for (int k = 0; k < frameCount; ++k) frames[k] = frameSet->pictures[k];
  frameIndex = 0;
}

int CAnimatedSprite::Tick() {
  std::uint32_t now = ce::GetTickCount();
  auto elapsed = static_cast<std::int32_t>(now - lastTick);
  if (elapsed < 0) lastTick = now;  // the tick count wrapped
  if (elapsed < static_cast<std::int64_t>(period)) return 0;
  Advance();
  lastTick = ce::GetTickCount();
  return 1;
}
