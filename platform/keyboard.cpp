#include "platform/keyboard.h"

#include "platform/messages.h"
#include "platform/platform.h"

namespace ce {

namespace {
KeyboardHooks g_hooks;
}  // namespace

void SetKeyboardHooks(const KeyboardHooks& hooks) { g_hooks = hooks; }

ShownScreen CurrentScreen() {
  return g_hooks.shown != nullptr ? g_hooks.shown() : ShownScreen::kOther;
}

void StepSoundVolume(int steps) {
  if (g_hooks.stepSoundVolume != nullptr) g_hooks.stepSoundVolume(steps);
}

namespace detail {

namespace {

int g_volumeSteps = 0;

struct Point {
  int x, y;
};

// The middle of a 20 x 20 key of the name screen whose top-left corner is
// (x, y); the rows run along the frame buffer's y, 34 pixels apart.
Point KeyAt(int x, int y, int index) { return {x + 10, y - 34 * index + 10}; }

// Where the name screen's on-screen key for `key` is, if it has one.
bool NameKey(int key, Point* at) {
  if (key >= 'a' && key <= 'i')
    *at = KeyAt(59, 287, key - 'a');
  else if (key >= 'j' && key <= 'r')
    *at = KeyAt(93, 287, key - 'j');
  else if (key >= 's' && key <= 'z')
    *at = KeyAt(127, 269, key - 's');
  else if (key >= '1' && key <= '9')
    *at = KeyAt(166, 287, key - '1');
  else if (key == '0')
    *at = KeyAt(200, 287, 0);
  else if (key == ' ')
    *at = KeyAt(200, 253, 0);
  else if (key == kKeyBackspace)
    *at = KeyAt(200, 219, 0);
  else if (key == kKeyEnter)
    *at = {203 + 13, 27 + 22};  // OK
  else if (key == kKeyEscape)
    *at = {203 + 13, 86 + 49};  // Cancel
  else
    return false;
  return true;
}

void Tap(Point at, Stylus* stylus) {
  if (!stylus->Takes(WM_LBUTTONDOWN, Stylus::kKeyboard)) return;
  PostPen(WM_LBUTTONDOWN, at.x, at.y);
  stylus->Takes(WM_LBUTTONUP, Stylus::kKeyboard);
  PostPen(WM_LBUTTONUP, at.x, at.y);
}

// A notch of the wheel scrolls as the direction key held for a few passes.
void Scroll(bool portrait, PlayerKey key) {
  constexpr int kPassesANotch = 4;
  for (int i = 0; i < kPassesANotch; ++i) PostPlayerKey(portrait, key, true);
  PostPlayerKey(portrait, key, false);
}

}  // namespace

bool PressDesktopKey(bool portrait, int key, Stylus* stylus) {
  const ShownScreen shown = CurrentScreen();
  if ((key == kKeyVolumeDown || key == '-' || key == kKeyVolumeUp || key == '+') &&
      shown != ShownScreen::kOptions) {
    // The options screen has its own slider, and its Cancel would undo a step.
    g_volumeSteps += key == kKeyVolumeDown || key == '-' ? -1 : 1;
    return true;
  }
  Point at{};
  switch (shown) {
    case ShownScreen::kNameEntry:
      if (!NameKey(key, &at)) return false;
      Tap(at, stylus);
      return true;
    case ShownScreen::kGame:
      if (key == kKeyEscape || key == 'p') {
        Tap({kMenuCornerX, kMenuCornerY}, stylus);
        return true;
      }
      if (key >= kWheelUp && key <= kWheelRight) {
        // Down and right go on along the lake, as the player sees it.
        const bool on = key == kWheelDown || key == kWheelRight;
        if (portrait && (key == kWheelUp || key == kWheelDown))
          Scroll(portrait, on ? PlayerKey::kDown : PlayerKey::kUp);
        else
          Scroll(portrait, on ? PlayerKey::kRight : PlayerKey::kLeft);
        return true;
      }
      return false;
    case ShownScreen::kPauseMenu:
      if (key != kKeyEscape && key != 'p') return false;
      Tap({203 + 12, 226 + 44}, stylus);  // Resume
      return true;
    default:
      return false;
  }
}

void ApplyVolumeSteps() {
  if (g_volumeSteps == 0) return;
  int steps = g_volumeSteps;
  g_volumeSteps = 0;
  StepSoundVolume(steps);
}

}  // namespace detail

}  // namespace ce
