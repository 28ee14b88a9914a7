#include "platform/device_input.h"

#include "platform/device.h"
#include "platform/messages.h"

namespace ce::detail {

namespace {

UINT ArrowKey(bool portrait, PlayerKey key) {
  if (portrait) {
    switch (key) {
      case PlayerKey::kLeft:
        return VK_LEFT;
      case PlayerKey::kRight:
        return VK_RIGHT;
      case PlayerKey::kUp:
        return VK_UP;
      default:
        return VK_DOWN;
    }
  }
  // Turned with the picture: the player's right is the frame buffer's up.
  switch (key) {
    case PlayerKey::kRight:
      return VK_UP;
    case PlayerKey::kLeft:
      return VK_DOWN;
    case PlayerKey::kUp:
      return VK_LEFT;
    default:
      return VK_RIGHT;
  }
}

void PostHotKey(UINT vk, bool down) {
  if (down)
    PostToMain(WM_HOTKEY, vk, MAKELPARAM(0x0008, static_cast<WORD>(vk)));
  else
    PostToMain(WM_KEYUP, vk, 0);
}

}  // namespace

void ViewToFrameBuffer(bool portrait, int vx, int vy, int* x, int* y) {
  if (portrait) {
    *x = vx;
    *y = vy;
  } else {
    *x = vy;
    *y = kScreenHeight - 1 - vx;
  }
}

void PostPen(UINT message, int x, int y) {
  LPARAM at = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
  if (message == WM_MOUSEMOVE)
    PostMoveToMain(at);
  else
    PostToMain(message, message == WM_LBUTTONUP ? 0 : 1, at);
}

bool Stylus::Takes(UINT message, std::int64_t pointer) {
  bool holds = held_ && holder_ == pointer;
  if (message == WM_LBUTTONDOWN) {
    if (held_) return false;
    held_ = true;
    holder_ = pointer;
    return true;
  }
  if (message == WM_LBUTTONUP && holds) held_ = false;
  return holds;
}

void PostPlayerKey(bool portrait, PlayerKey key, bool down) {
  switch (key) {
    case PlayerKey::kLeft:
    case PlayerKey::kRight:
    case PlayerKey::kUp:
    case PlayerKey::kDown:
      PostToMain(down ? WM_KEYDOWN : WM_KEYUP, ArrowKey(portrait, key), 0);
      return;
    case PlayerKey::kAction:
      PostToMain(down ? WM_KEYDOWN : WM_KEYUP, VK_RETURN, 0);
      return;
    case PlayerKey::kApp1:
      PostHotKey(VK_APP1, down);
      return;
    case PlayerKey::kApp2:
      PostHotKey(VK_APP2, down);
      return;
    case PlayerKey::kApp3:
      PostHotKey(VK_APP3, down);
      return;
    case PlayerKey::kApp4:
      PostHotKey(VK_APP4, down);
      return;
  }
}

}  // namespace ce::detail
