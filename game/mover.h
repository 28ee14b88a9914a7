// A target of play: an animated sprite stepped along a path at its own step
// interval, hit-tested pixel by pixel.
#pragma once

#include <cstdint>

class CAnimatedSprite;
class CFrameSet;
class CPath;

// Path types of SetPath.
enum : int {
  kPathLine = 1,
  kPathZigzag = 4,
  kPathPopUp = 5,
};

// The eight parameters of SetPath; a path type reads only those it needs.
struct PathParams {
  std::int32_t p[8];
};

// Builds the path of the given type, or null for an unknown type.
CPath* MakePath(int type, const PathParams& params);

class CMover {
 public:
  CMover() = default;
  // Destroys the path, then the sprite.
  virtual ~CMover();
  CMover(const CMover&) = delete;
  CMover& operator=(const CMover&) = delete;

  // 1 on success; 0 when the sprite cannot be set up (the caller then
  // destroys the mover).
  int Init(int x, int y, CFrameSet* frameSet, int framePeriod, std::uint8_t kind,
           std::int16_t stepInterval);
  // A new mover set up with Init; null when that fails.
  static CMover* New(int x, int y, CFrameSet* frameSet, int framePeriod, std::uint8_t kind,
                     std::int16_t stepInterval);
  void SetPath(int type, const PathParams& params);
  // Once a frame: takes a step when the step interval has passed.
  void Update();
  // 0 outside the picture, 1 on an opaque pixel, 2 on a transparent one.
  // The pen is in screen coordinates.
  int HitTest(int penX, int penY, int scrollX, int scrollY) const;

  std::int32_t x() const;
  std::int32_t y() const;

  std::uint32_t lastStepTick = 0;
  CAnimatedSprite* sprite = nullptr;  // owned
  CPath* path = nullptr;              // owned, may be null
  std::uint16_t keyColour = 0;
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::uint8_t finished = 0;
  std::uint8_t kind = 0;
  std::int16_t stepInterval = 0;
};
