// Motion paths: each hands out the next position of a moving object on
// request and tells when it is over.
#pragma once

#include <cstdint>

#include "game/random.h"

struct PathPoint {
  std::int32_t x;
  std::int32_t y;
};

class CPath {
 public:
  virtual ~CPath() = default;
  // Advances the path and returns the new position.
  virtual PathPoint Step() = 0;
  // 1 when the path is over.
  virtual int IsFinished() = 0;
};

// A straight line walked with Bresenham's steps, stepsPerCall pixels along
// the major axis per Step.
class CLinePath : public CPath {
 public:
  CLinePath(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
            std::int32_t stepsPerCall);
  PathPoint Step() override;
  int IsFinished() override;

  std::int32_t x() const { return x_; }
  std::int32_t y() const { return y_; }

 private:
  bool PassedEnd() const;

  std::uint8_t finished_ = 0;
  std::int32_t dx_, dy_;
  std::int32_t x_, y_;
  std::int32_t endY_, endX_;
  std::int32_t xStepOnCarry_, xStepAlways_, yStepOnCarry_, yStepAlways_;
  std::int32_t startX_, startY_;
  std::int32_t error_;
  std::int32_t errorAdd_;
  std::int32_t errorLimit_;
  std::int8_t stepsPerCall_;
};

// Legs of straight lines that swing alternately to either side of the start
// column while the path travels along y towards its exit line y1.
class CZigzagPath : public CPath {
 public:
  CZigzagPath(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
              std::int32_t stepsPerCall);
  ~CZigzagPath() override;
  PathPoint Step() override;
  int IsFinished() override;

 private:
  std::uint8_t finished_ = 0;
  CLinePath* leg_ = nullptr;
  std::int32_t x0_, y0_;
  std::int32_t y1_;
  std::int32_t across_;
  std::int32_t firstAlong_;
  std::int32_t stepsPerCall_;
  PathPoint legStart_, legEnd_;
  PathPoint current_;
  std::int32_t direction_;
  CRandom random_;
};

// Slides out from (x0, y0) to (x1, y1) by (dx, dy) a step, holds there for
// `hold` calls of IsFinished, and slides back.
class CPopUpPath : public CPath {
 public:
  CPopUpPath(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int16_t dx,
             std::int16_t dy, std::uint16_t hold);
  PathPoint Step() override;
  int IsFinished() override;

 private:
  std::uint16_t hold_;
  std::int32_t x0_, y0_;
  std::int32_t x1_, y1_;
  std::int32_t x_, y_;
  std::int16_t dx_, dy_;
  std::int8_t phase_ = 1;  // 1 out, 0 hold, -1 back
  std::uint8_t finished_ = 0;
};
