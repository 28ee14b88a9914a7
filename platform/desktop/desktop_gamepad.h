// The desktop's game controllers, through SDL's game-controller interface
// and its database of mappings: plugged in and out while the game runs,
// read once a pass, and the pointer they move drawn over the picture.
#pragma once

#include <SDL.h>

#include <vector>

#include "platform/gamepad.h"
#include "platform/live_clock.h"

namespace ce::detail {

class DesktopGamepads {
 public:
  // A rectangle of the view, [left, right) x [top, bottom).
  struct Area {
    int left = 0, top = 0, right = 0, bottom = 0;
  };

  DesktopGamepads(GamepadTarget* target, int viewWidth, int viewHeight, bool portrait);
  ~DesktopGamepads();

  // Starts SDL's controller support; false (nothing else changes) when it
  // cannot: the game is then played without controllers.
  bool Init();

  // Takes a controller event (plugged in or out, a button); false for
  // every other event.
  bool Take(const SDL_Event& event);
  // Moves the pointer by the sticks for the time since the last pass.
  void Pass(LiveClock::Clock::time_point now);
  // The mouse or a finger was used.
  void MouseUsed();
  // A stick is deflected: passes should come often.
  bool Moving() const { return pad_.Moving(); }

  // Where the pointer was drawn and where it is now, when that changed
  // since the last call (an empty area where it is not drawn).
  bool PointerChanged(Area* was, Area* now);
  // Draws the pointer over the picture: at view pixel (x, y) the window
  // has the `scale` x `scale` block at (originX + x * scale, ...).
  void DrawPointer(SDL_Surface* surface, int originX, int originY, int scale) const;

 private:
  struct Controller {
    SDL_JoystickID id;
    SDL_GameController* handle;
    unsigned held;  // GamepadButton bits
  };

  void Open(int deviceIndex);
  void Close(SDL_JoystickID id);
  void Button(SDL_JoystickID id, Uint8 button, bool down);
  void UpdateButtons();
  Area PointerArea() const;

  Gamepad pad_;
  int width_, height_;
  bool started_ = false;
  std::vector<Controller> controllers_;
  LiveClock::Clock::time_point lastPass_;
  Area drawn_;
};

}  // namespace ce::detail
