// The one record that carries every stylus and key input, and the widgets'
// notifications, to screens, widgets and the game.
#pragma once

#include <cstdint>

#include "platform/messages.h"

// Event types.
enum : std::uint32_t {
  kEventNone = 0,
  kEventPenDown = 1,
  kEventPenUp = 2,
  kEventPenHeld = 3,
  kEventKeys = 4,
  kEventButtonClicked = 10,
  kEventCheckBoxToggled = 11,
  kEventSliderMoved = 14,
  kEventSliderReleased = 15,
  kEventViewEntered = 20,
  // The player looked away: the window lost the focus or was minimised.
  kEventLookedAway = 30,
};

// Key codes reported in InputEvent::data for type 4.
enum : std::uint32_t {
  KeyLeft = 1,
  KeyRight = 2,
  KeyUp = 3,
  KeyDown = 4,
  KeyAction = 5,
  KeyApp1 = 6,
  KeyApp2 = 7,
  KeyApp3 = 8,
  KeyApp4 = 9,
};

struct InputEvent {
  std::uint32_t type;
  std::int16_t x;
  std::int16_t y;
  std::int16_t keyCount;
  std::uint32_t data[11];
};

// The key and pen state that the message loop keeps between messages.
struct InputState {
  std::uint16_t inputState;  // bit mask of held keys and the pen
  std::uint8_t penIsDown;    // a pen-down was reported, its pen-up not yet
  std::int16_t penX;         // last stylus position
  std::int16_t penY;
};

// Bits of InputState::inputState.
enum : std::uint16_t {
  kStateKeyLeft = 0x0400,
  kStateKeyRight = 0x0100,
  kStateKeyUp = 0x0200,
  kStateKeyDown = 0x0080,
  kStateKeyAction = 0x0040,
  kStateKeyApp1 = 0x4000,
  kStateKeyApp2 = 0x2000,
  kStateKeyApp3 = 0x1000,
  kStateKeyApp4 = 0x0800,
  kStatePen = 0x8000,
};

// Updates the state from one message and rewrites the loop's persistent event.
void BuildEvent(const ce::MSG& msg, InputState* state, InputEvent* event);

// Takes one message itself (blocking) for a modal loop, updates the same
// state and fills the caller's record; the message reaches no dispatcher.
// Fields that it does not set are 0. Returns nullptr when the run is
// ending (the window was closed): the caller answers as if cancelled.
InputEvent* PollInputEvent(InputState* state, InputEvent* event);

// The application's input state, for the modal loops of the screens.
extern InputState* g_inputState;
