// Inside the platform layer: a game controller as the player's stylus and
// keys, shared by the devices that have a player (desktop and browser). The
// sticks move a pointer over the picture, the south button is the pen, the
// other buttons are the device's keys; the device reads the controller and
// draws the pointer, this turns what it reads into the device's input.
#pragma once

#include "platform/device_input.h"
#include "platform/types.h"

namespace ce::detail {

// The controller's buttons that mean something to the game, as bits.
enum GamepadButton : unsigned {
  kPadSouth = 1u << 0,  // A / cross: the pen
  kPadWest = 1u << 1,   // X / square: hardware key 3
  kPadRightShoulder = 1u << 2,
  kPadStart = 1u << 3,  // the action button
  kPadBack = 1u << 4,   // Back / Select: as the keyboard's Esc
  kPadUp = 1u << 5,
  kPadDown = 1u << 6,
  kPadLeft = 1u << 7,
  kPadRight = 1u << 8,
};

// Where the controller's pen and keys go: the device's own stylus path.
class GamepadTarget {
 public:
  virtual ~GamepadTarget() = default;
  // The pen at a point of the view; false when another stylus (the mouse
  // or a finger) holds the pen, so that this pen-down did not happen.
  virtual bool GamepadPen(UINT message, int vx, int vy) = 0;
  virtual void GamepadKey(PlayerKey key, bool down) = 0;
  // Back: what Esc does on the screen shown (the pause menu in a game).
  virtual void GamepadBack() = 0;
};

// The pointer as the devices draw it over the picture, a plus sign: bars
// around its hot spot (the pixel the pen goes down on), the black outline
// first, then the white.
struct PointerBar {
  int x, y, width, height;
  bool white;
};
inline constexpr PointerBar kPointerBars[] = {
    {-5, -1, 11, 3, false}, {-1, -5, 3, 11, false}, {-4, 0, 9, 1, true}, {0, -4, 1, 9, true}};
// How far the pointer reaches from its hot spot, in view pixels.
constexpr int kPointerReach = 5;

class Gamepad {
 public:
  // A view of `width` x `height` pixels; `portrait` as the device shows it.
  Gamepad(GamepadTarget* target, int width, int height, bool portrait);

  // The buttons held now (GamepadButton bits, of every controller); what
  // changed since the last call is pressed or released.
  void SetButtons(unsigned held);
  // The sticks' deflections, -1..1 each (right and down positive).
  void SetSticks(double leftX, double leftY, double rightX, double rightY);
  // Moves the pointer for `seconds` at the sticks' speed; the pen, when
  // held, follows it. True when the pointer as drawn changed (moved,
  // appeared or went).
  bool Advance(double seconds);
  // The mouse or a finger was used: the pointer is no longer drawn.
  bool Hide();
  // The controllers went away: everything they held is let go.
  void LetGo();

  bool PointerShown() const { return shown_; }
  int PointerX() const { return static_cast<int>(x_); }
  int PointerY() const { return static_cast<int>(y_); }
  // A stick is out of its dead zone: the pointer moves while time passes.
  bool Moving() const { return speedX_ != 0 || speedY_ != 0; }

  // Beyond this share of a stick's travel it moves the pointer.
  static constexpr double kDeadZone = 0.2;
  // View pixels a second at full tilt: across the landscape picture in a
  // second.
  static constexpr double kFullSpeed = 320.0;

 private:
  void Pen(bool down);

  GamepadTarget* target_;
  int width_, height_;
  bool portrait_;
  double x_, y_;
  double speedX_ = 0, speedY_ = 0;
  unsigned held_ = 0;
  bool shown_ = false;
  bool penHeld_ = false;
  int penX_ = 0, penY_ = 0;  // where the pen was last posted
};

}  // namespace ce::detail
