#include "platform/gamepad.h"

#include <algorithm>
#include <cmath>

#include "platform/device.h"
#include "platform/messages.h"

namespace ce::detail {

namespace {

// A stick's velocity in view pixels a second: nothing inside the dead
// zone, then growing with the square of the deflection beyond it, so that
// a slight push aims finely and full tilt crosses the picture.
void StickSpeed(double dx, double dy, double* vx, double* vy) {
  double length = std::hypot(dx, dy);
  if (length <= Gamepad::kDeadZone) return;
  double beyond = std::min(1.0, (length - Gamepad::kDeadZone) / (1.0 - Gamepad::kDeadZone));
  double speed = Gamepad::kFullSpeed * beyond * beyond;
  *vx += dx / length * speed;
  *vy += dy / length * speed;
}

// The keys behind the direction pad, in the order they are looked at.
struct PadKey {
  unsigned button;
  PlayerKey key;
};
constexpr PadKey kPadKeys[] = {{kPadLeft, PlayerKey::kLeft},
                               {kPadRight, PlayerKey::kRight},
                               {kPadUp, PlayerKey::kUp},
                               {kPadDown, PlayerKey::kDown},
                               {kPadStart, PlayerKey::kAction}};

}  // namespace

Gamepad::Gamepad(GamepadTarget* target, int width, int height, bool portrait)
    : target_(target),
      width_(width),
      height_(height),
      portrait_(portrait),
      x_(width / 2),
      y_(height / 2) {}

void Gamepad::SetButtons(unsigned held) {
  unsigned pressed = held & ~held_, released = held_ & ~held;
  const unsigned reload = kPadWest | kPadRightShoulder;
  bool reloadWas = (held_ & reload) != 0, reloadIs = (held & reload) != 0;
  held_ = held;
  if (pressed != 0) shown_ = true;
  if ((released & kPadSouth) != 0) Pen(false);
  for (const PadKey& k : kPadKeys)
    if (((pressed | released) & k.button) != 0)
      target_->GamepadKey(k.key, (pressed & k.button) != 0);
  if (reloadWas != reloadIs) target_->GamepadKey(PlayerKey::kApp3, reloadIs);
  if ((pressed & kPadSouth) != 0) Pen(true);
  if ((pressed & kPadBack) != 0 && !penHeld_) target_->GamepadBack();
}

void Gamepad::SetSticks(double leftX, double leftY, double rightX, double rightY) {
  speedX_ = speedY_ = 0;
  StickSpeed(leftX, leftY, &speedX_, &speedY_);
  StickSpeed(rightX, rightY, &speedX_, &speedY_);
}

bool Gamepad::Advance(double seconds) {
  if (!Moving()) return false;
  bool appeared = !shown_;
  shown_ = true;
  int oldX = PointerX(), oldY = PointerY();
  x_ = std::clamp(x_ + speedX_ * seconds, 0.0, width_ - 1.0);
  y_ = std::clamp(y_ + speedY_ * seconds, 0.0, height_ - 1.0);
  bool moved = PointerX() != oldX || PointerY() != oldY;
  if (moved && penHeld_) {
    penX_ = PointerX();
    penY_ = PointerY();
    target_->GamepadPen(WM_MOUSEMOVE, penX_, penY_);
  }
  return moved || appeared;
}

bool Gamepad::Hide() {
  bool was = shown_;
  shown_ = false;
  return was;
}

void Gamepad::LetGo() {
  SetButtons(0);
  SetSticks(0, 0, 0, 0);
  shown_ = false;
}

void Gamepad::Pen(bool down) {
  if (!down) {
    if (!penHeld_) return;
    penHeld_ = false;
    target_->GamepadPen(WM_LBUTTONUP, penX_, penY_);
    return;
  }
  penX_ = PointerX();
  penY_ = PointerY();
  penHeld_ = target_->GamepadPen(WM_LBUTTONDOWN, penX_, penY_);
}

}  // namespace ce::detail
