#include "framework/input_event.h"

#include <cstring>

#include "platform/window.h"

InputState* g_inputState = nullptr;

namespace {

// Key codes in the order in which their bits are reported.
struct KeyBit {
  std::uint16_t bit;
  std::uint32_t code;
};
constexpr KeyBit kKeyOrder[] = {
    {kStateKeyLeft, KeyLeft}, {kStateKeyRight, KeyRight},   {kStateKeyUp, KeyUp},
    {kStateKeyDown, KeyDown}, {kStateKeyAction, KeyAction}, {kStateKeyApp1, KeyApp1},
    {kStateKeyApp2, KeyApp2}, {kStateKeyApp3, KeyApp3},     {kStateKeyApp4, KeyApp4},
};

std::uint16_t VirtualKeyBit(ce::WPARAM vk) {
  switch (vk) {
    case ce::VK_LEFT:
      return kStateKeyLeft;
    case ce::VK_RIGHT:
      return kStateKeyRight;
    case ce::VK_UP:
      return kStateKeyUp;
    case ce::VK_DOWN:
      return kStateKeyDown;
    case ce::VK_RETURN:
      return kStateKeyAction;
    default:
      return 0;
  }
}

std::uint16_t HardwareKeyBit(ce::WPARAM vk) {
  switch (vk) {
    case ce::VK_APP1:
      return kStateKeyApp1;
    case ce::VK_APP2:
      return kStateKeyApp2;
    case ce::VK_APP3:
      return kStateKeyApp3;
    case ce::VK_APP4:
      return kStateKeyApp4;
    default:
      return 0;
  }
}

// Applies one message to the state; true when it was a stylus message.
bool UpdateState(const ce::MSG& msg, InputState* state) {
  switch (msg.message) {
    case ce::WM_KEYDOWN:
      state->inputState |= VirtualKeyBit(msg.wParam);
      return false;
    case ce::WM_KEYUP:
      state->inputState &=
          static_cast<std::uint16_t>(~(VirtualKeyBit(msg.wParam) | HardwareKeyBit(msg.wParam)));
      return false;
    case ce::WM_HOTKEY:
      state->inputState |= HardwareKeyBit(msg.wParam);
      return false;
    case ce::WM_LBUTTONDOWN:
      state->inputState |= kStatePen;
      break;
    case ce::WM_LBUTTONUP:
      state->inputState &= static_cast<std::uint16_t>(~kStatePen);
      break;
    case ce::WM_MOUSEMOVE:
      break;
    default:
      return false;
  }
  state->penX = static_cast<std::int16_t>(ce::LOWORD(static_cast<std::uintptr_t>(msg.lParam)));
  state->penY = static_cast<std::int16_t>(ce::HIWORD(static_cast<std::uintptr_t>(msg.lParam)));
  return true;
}

void KeyStep(const InputState& state, InputEvent* event) {
  for (const KeyBit& key : kKeyOrder) {
    if ((state.inputState & key.bit) == 0) continue;
    event->type = kEventKeys;
    event->data[event->keyCount] = key.code;
    event->keyCount += 1;
  }
}

// Returns true when a pen event was reported.
bool PenStep(InputState* state, InputEvent* event, std::int16_t x, std::int16_t y) {
  bool penBit = (state->inputState & kStatePen) != 0;
  if (penBit && state->penIsDown == 0) {
    event->type = kEventPenDown;
    state->penIsDown = 1;
  } else if (!penBit && state->penIsDown == 1) {
    event->type = kEventPenUp;
    state->penIsDown = 0;
  } else if (penBit && state->penIsDown == 1) {
    event->type = kEventPenHeld;
  } else {
    return false;
  }
  event->x = x;
  event->y = y;
  return true;
}

}  // namespace

void BuildEvent(const ce::MSG& msg, InputState* state, InputEvent* event) {
  event->keyCount = 0;
  UpdateState(msg, state);
  if (state->inputState == 0) event->type = kEventNone;
  KeyStep(*state, event);
  PenStep(state, event, state->penX, state->penY);
  if (msg.message == ce::WM_ACTIVATE &&
      ce::LOWORD(static_cast<std::uintptr_t>(msg.wParam)) == ce::WA_INACTIVE)
    event->type = kEventLookedAway;
}

InputEvent* PollInputEvent(InputState* state, InputEvent* event) {
  ce::MSG msg{};
  ce::BOOL got = ce::GetMessageW(&msg, nullptr, 0, 0);
  std::memset(event, 0, sizeof(*event));
  if (got == 0) return nullptr;
  ce::TranslateMessage(&msg);
  bool stylus = UpdateState(msg, state);
  std::int16_t x = stylus ? state->penX : 0;
  std::int16_t y = stylus ? state->penY : 0;
  PenStep(state, event, x, y);
  KeyStep(*state, event);
  return event;
}
