// The input a script or a recording may post to the main window: the
// stylus on the screen, the keys of the device, the window's timer, and
// the window losing the focus.
#pragma once

#include <string>

#include "platform/types.h"

namespace drivers {

struct KeyName {
  const char* name;
  ce::UINT vk;
  bool hardware;  // a hot key: WM_HOTKEY down, WM_KEYUP up
};

// The key called name (left right up down action app1 app2 app3 app4), or
// nullptr.
const KeyName* FindKey(const std::string& name);

// The message a key sends when it goes down or up.
void KeyMessage(const KeyName& key, bool down, ce::UINT* message, ce::WPARAM* wParam,
                ce::LPARAM* lParam);

// True for the messages the devices post: a stylus message inside the
// screen (x 0..239, y 0..319), a known key going down or up, the tick of
// the window's timer, or the window left (WM_ACTIVATE, WA_INACTIVE).
// Anything else never reaches the game from outside.
bool IsInputMessage(ce::UINT message, ce::WPARAM wParam, ce::LPARAM lParam);

}  // namespace drivers
