#include "drivers/input_message.h"

#include "framework/timer_id.h"
#include "platform/messages.h"

namespace drivers {

namespace {

constexpr KeyName kKeys[] = {
    {"left", ce::VK_LEFT, false}, {"right", ce::VK_RIGHT, false},   {"up", ce::VK_UP, false},
    {"down", ce::VK_DOWN, false}, {"action", ce::VK_RETURN, false}, {"app1", ce::VK_APP1, true},
    {"app2", ce::VK_APP2, true},  {"app3", ce::VK_APP3, true},      {"app4", ce::VK_APP4, true},
};

const KeyName* KeyOf(ce::WPARAM vk) {
  for (const KeyName& k : kKeys)
    if (vk == k.vk) return &k;
  return nullptr;
}

}  // namespace

const KeyName* FindKey(const std::string& name) {
  for (const KeyName& k : kKeys)
    if (name == k.name) return &k;
  return nullptr;
}

void KeyMessage(const KeyName& key, bool down, ce::UINT* message, ce::WPARAM* wParam,
                ce::LPARAM* lParam) {
  *wParam = key.vk;
  *lParam = 0;
  if (!key.hardware) {
    *message = down ? ce::WM_KEYDOWN : ce::WM_KEYUP;
  } else if (down) {
    *message = ce::WM_HOTKEY;
    *lParam = ce::MAKELPARAM(0x0008, static_cast<ce::WORD>(key.vk));
  } else {
    *message = ce::WM_KEYUP;
  }
}

bool IsInputMessage(ce::UINT message, ce::WPARAM wParam, ce::LPARAM lParam) {
  switch (message) {
    case ce::WM_LBUTTONDOWN:
    case ce::WM_MOUSEMOVE:
    case ce::WM_LBUTTONUP:
      return wParam <= 1 && lParam >= 0 && lParam <= 0xFFFFFFFF &&
             ce::LOWORD(static_cast<std::uintptr_t>(lParam)) <= 239 &&
             ce::HIWORD(static_cast<std::uintptr_t>(lParam)) <= 319;
    case ce::WM_KEYDOWN:
    case ce::WM_KEYUP:
    case ce::WM_HOTKEY: {
      const KeyName* key = KeyOf(wParam);
      if (key == nullptr) return false;
      // A key's own message, down or up, exactly as its device sends it.
      ce::UINT expected = 0;
      ce::WPARAM vk = 0;
      ce::LPARAM expectedL = 0;
      KeyMessage(*key, message != ce::WM_KEYUP, &expected, &vk, &expectedL);
      if (message == ce::WM_KEYUP) return lParam == 0;
      return message == expected && lParam == expectedL;
    }
    case ce::WM_TIMER:
      return wParam == kTimerId && lParam == 0;
    case ce::WM_ACTIVATE:
      return wParam == ce::WA_INACTIVE && lParam == 0;
    default:
      return false;
  }
}

}  // namespace drivers
