// Inside the platform layer: what a player's pointer and keys mean to the
// game, shared by the devices that have a player (desktop and browser).
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace ce::detail {

// The keys a player has, whatever the keyboard calls them.
enum class PlayerKey { kLeft, kRight, kUp, kDown, kAction, kApp1, kApp2, kApp3, kApp4 };

// A point of the view the player sees (landscape 320 x 240, or with
// `portrait` the frame buffer unturned) as a frame-buffer point.
void ViewToFrameBuffer(bool portrait, int vx, int vy, int* x, int* y);

// Posts a stylus message for a frame-buffer point: WM_LBUTTONDOWN and
// WM_MOUSEMOVE with the pen held (wParam 1), WM_LBUTTONUP without; a move
// replaces one still waiting, as the device keeps only the newest position.
void PostPen(UINT message, int x, int y);

// Which pointer is the stylus: the first that presses (the mouse, one
// finger, a game controller or a key's tap), until it is lifted. Another pointer's
// press, moves and lift meanwhile are not the stylus's and are ignored.
class Stylus {
 public:
  static constexpr std::int64_t kMouse = INT64_MIN;  // fingers go by their own ids
  static constexpr std::int64_t kGamepad = INT64_MIN + 1;
  static constexpr std::int64_t kKeyboard = INT64_MIN + 2;  // a key's tap

  // Whether a pen message (WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP) from
  // `pointer` is the stylus's, to be posted; a press takes the stylus, a
  // lift lets it go.
  bool Takes(UINT message, std::int64_t pointer);
  bool held() const { return held_; }

 private:
  bool held_ = false;
  std::int64_t holder_ = 0;
};

// Posts what pressing or releasing a key gives: the arrows turned with the
// picture, Enter as the action button, the application buttons as hot keys.
void PostPlayerKey(bool portrait, PlayerKey key, bool down);

}  // namespace ce::detail
