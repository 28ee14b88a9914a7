// Inside the platform layer: what a computer's keyboard and mouse wheel mean
// to the game beyond the device's own keys, shared by the devices that have
// a player (desktop and browser). Each key becomes the input the handheld
// already has: a tap on the on-screen key of the name screen, a tap on the
// menu corner, the direction keys; so that recordings hold only that input.
#pragma once

#include "platform/device_input.h"

namespace ce::detail {

// The keys it knows: a character ('a' to 'z', '0' to '9', ' ', '-', '+',
// 'p'), or one of these.
enum DesktopKey : int {
  kKeyBackspace = 8,
  kKeyEnter = 13,
  kKeyEscape = 27,
  kKeyVolumeDown = 0x100,
  kKeyVolumeUp,
  kWheelUp,
  kWheelDown,
  kWheelLeft,
  kWheelRight,
};

// The menu corner's middle, as the frame buffer has it: a tap there in a
// game opens the pause menu.
constexpr int kMenuCornerX = 234;
constexpr int kMenuCornerY = 314;

// A key pressed (or a notch of the wheel): posts what it means on the screen
// shown now, its taps through `stylus` (none while another pointer holds
// the pen). False when it means nothing there, so that the device's own
// meaning of the key (Enter as the action button, 1 to 4 as the hardware
// keys) holds.
bool PressDesktopKey(bool portrait, int key, Stylus* stylus);

// Main thread, between messages: the volume steps pressed since the last
// call are made.
void ApplyVolumeSteps();

}  // namespace ce::detail
