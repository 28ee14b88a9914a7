#include "game/paths.h"

#include <cstdlib>

namespace {

bool Near(std::int32_t x, std::int32_t y, std::int32_t tx, std::int32_t ty, std::int32_t d) {
  return std::abs(x - tx) <= d && std::abs(y - ty) <= d;
}

}  // namespace

CLinePath::CLinePath(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                     std::int32_t stepsPerCall)
    : dx_(std::abs(x0 - x1)),
      dy_(std::abs(y0 - y1)),
      x_(x0),
      y_(y0),
      endY_(y1),
      endX_(x1),
      startX_(x0),
      startY_(y0),
      stepsPerCall_(static_cast<std::int8_t>(stepsPerCall)) {
  std::int32_t xs = x1 >= x0 ? 1 : -1;
  std::int32_t ys = y1 >= y0 ? 1 : -1;
  if (dx_ < dy_) {
    xStepOnCarry_ = xs;
    xStepAlways_ = 0;
    yStepOnCarry_ = 0;
    yStepAlways_ = ys;
    errorLimit_ = dy_;
    errorAdd_ = dx_;
  } else {
    xStepOnCarry_ = 0;
    xStepAlways_ = xs;
    yStepOnCarry_ = ys;
    yStepAlways_ = 0;
    errorLimit_ = dx_;
    errorAdd_ = dy_;
  }
  error_ = errorLimit_ / 2;
}

PathPoint CLinePath::Step() {
  for (int i = 0; i < stepsPerCall_; ++i) {
    error_ += errorAdd_;
    if (error_ >= errorLimit_) {
      error_ -= errorLimit_;
      x_ += xStepOnCarry_;
      y_ += yStepOnCarry_;
    }
    x_ += xStepAlways_;
    y_ += yStepAlways_;
  }
  return {x_, y_};
}

// Whether the position has reached or gone past the end point along the
// major axis: a fast path can step over the small window around its end.
bool CLinePath::PassedEnd() const {
  if (yStepAlways_ > 0) return y_ >= endY_;
  if (yStepAlways_ < 0) return y_ <= endY_;
  if (xStepAlways_ > 0) return x_ >= endX_;
  return x_ <= endX_;
}

int CLinePath::IsFinished() {
  if (finished_) return 1;
  // A path that cannot move would otherwise hold its owner for ever.
  if (Near(x_, y_, endX_, endY_, 5) || PassedEnd() || stepsPerCall_ <= 0) {
    finished_ = 1;
    return 1;
  }
  return 0;
}

CZigzagPath::CZigzagPath(std::int32_t x0, std::int32_t y0, std::int32_t, std::int32_t y1,
                         std::int32_t stepsPerCall)
    : x0_(x0), y0_(y0), y1_(y1), stepsPerCall_(stepsPerCall) {
  direction_ = y0 <= y1 ? 1 : -1;
  firstAlong_ = (30 + random_.Next(1000) % 70) * direction_;
  across_ = -5 - random_.Next(1000) % 45;
  legStart_ = {x0, y0};
  legEnd_ = {x0 + across_, y0 + firstAlong_};
  current_ = {x0, y0};
  leg_ = new CLinePath(legStart_.x, legStart_.y, legEnd_.x, legEnd_.y, stepsPerCall_);
}

CZigzagPath::~CZigzagPath() { delete leg_; }

PathPoint CZigzagPath::Step() {
  if (!leg_->IsFinished()) {
    current_ = leg_->Step();
    return current_;
  }
  delete leg_;
  legStart_ = legEnd_;
  std::int32_t along = 60 + random_.Next(1000) % 140;
  legEnd_.y = legStart_.y + direction_ * along;
  if (across_ >= 0)
    across_ = -5 - random_.Next(1000) % 45;
  else
    across_ = 5 + random_.Next(1000) % 45;
  legEnd_.x = x0_ + across_;
  leg_ = new CLinePath(legStart_.x, legStart_.y, legEnd_.x, legEnd_.y, stepsPerCall_);
  current_ = leg_->Step();
  return current_;
}

int CZigzagPath::IsFinished() {
  if (finished_) return 1;
  if (std::abs(current_.y - y1_) <= 10) {
    if (current_.x >= 1 && current_.x <= 239 && current_.y >= 1 && current_.y <= 959) return 0;
    finished_ = 1;
    return 1;
  }
  return 0;
}

CPopUpPath::CPopUpPath(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                       std::int16_t dx, std::int16_t dy, std::uint16_t hold)
    : hold_(hold), x0_(x0), y0_(y0), x1_(x1), y1_(y1), x_(x0), y_(y0), dx_(dx), dy_(dy) {}

PathPoint CPopUpPath::Step() {
  if (phase_ == 1) {
    x_ += dx_;
    y_ += dy_;
  } else if (phase_ == -1) {
    x_ -= dx_;
    y_ -= dy_;
  }
  return {x_, y_};
}

int CPopUpPath::IsFinished() {
  if (finished_) return 1;
  if (phase_ == 1) {
    if (Near(x_, y_, x1_, y1_, 5)) phase_ = 0;
  } else if (phase_ == 0) {
    if (hold_ == 0) phase_ = -1;
    hold_ = static_cast<std::uint16_t>(hold_ - 1);
  } else if (Near(x_, y_, x0_, y0_, 5)) {
    finished_ = 1;
    return 1;
  }
  return 0;
}
