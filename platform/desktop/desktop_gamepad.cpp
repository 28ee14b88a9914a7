#include "platform/desktop/desktop_gamepad.h"

#include <algorithm>

#include "platform/device.h"
#include "platform/messages.h"

namespace ce::detail {

namespace {

unsigned ButtonBit(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return kPadSouth;
    case SDL_CONTROLLER_BUTTON_X:
      return kPadWest;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return kPadRightShoulder;
    case SDL_CONTROLLER_BUTTON_START:
      return kPadStart;
    case SDL_CONTROLLER_BUTTON_BACK:
      return kPadBack;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return kPadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return kPadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return kPadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return kPadRight;
    default:
      return 0;
  }
}

double Axis(SDL_GameController* controller, SDL_GameControllerAxis axis) {
  return std::max(-1.0, SDL_GameControllerGetAxis(controller, axis) / 32767.0);
}

}  // namespace

DesktopGamepads::DesktopGamepads(GamepadTarget* target, int viewWidth, int viewHeight,
                                 bool portrait)
    : pad_(target, viewWidth, viewHeight, portrait), width_(viewWidth), height_(viewHeight) {}

DesktopGamepads::~DesktopGamepads() {
  for (const Controller& c : controllers_) SDL_GameControllerClose(c.handle);
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool DesktopGamepads::Init() {
  // The buttons by where they are, not by what they are labelled: the
  // south one is the pen on every controller.
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  // The controllers already there arrive as plugged in.
  lastPass_ = LiveClock::Clock::now();
  return started_;
}

bool DesktopGamepads::Take(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Close(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      Button(event.cbutton.which, event.cbutton.button, event.type == SDL_CONTROLLERBUTTONDOWN);
      return true;
    case SDL_CONTROLLERAXISMOTION:  // read once a pass
    case SDL_CONTROLLERDEVICEREMAPPED:
      return true;
    default:
      return false;
  }
}

void DesktopGamepads::Open(int deviceIndex) {
  SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  for (const Controller& c : controllers_)
    if (c.id == id) return;
  SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
  if (handle != nullptr) controllers_.push_back({id, handle, 0});
}

// A controller that goes away lets go of what it held and, as the window
// losing the focus does, pauses a game.
void DesktopGamepads::Close(SDL_JoystickID id) {
  auto it = std::find_if(controllers_.begin(), controllers_.end(),
                         [id](const Controller& c) { return c.id == id; });
  if (it == controllers_.end()) return;
  SDL_GameControllerClose(it->handle);
  controllers_.erase(it);
  UpdateButtons();
  if (controllers_.empty()) pad_.LetGo();
  PostToMain(WM_ACTIVATE, WA_INACTIVE, 0);
}

void DesktopGamepads::Button(SDL_JoystickID id, Uint8 button, bool down) {
  for (Controller& c : controllers_) {
    if (c.id != id) continue;
    unsigned bit = ButtonBit(button);
    c.held = down ? c.held | bit : c.held & ~bit;
    UpdateButtons();
    return;
  }
}

void DesktopGamepads::UpdateButtons() {
  unsigned held = 0;
  for (const Controller& c : controllers_) held |= c.held;
  pad_.SetButtons(held);
}

void DesktopGamepads::Pass(LiveClock::Clock::time_point now) {
  double sticks[4] = {};
  static constexpr SDL_GameControllerAxis kAxes[4] = {
      SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_AXIS_RIGHTX,
      SDL_CONTROLLER_AXIS_RIGHTY};
  for (const Controller& c : controllers_)
    for (int i = 0; i < 4; ++i)
      sticks[i] = std::clamp(sticks[i] + Axis(c.handle, kAxes[i]), -1.0, 1.0);
  pad_.SetSticks(sticks[0], sticks[1], sticks[2], sticks[3]);
  // A long stall (a message box) does not throw the pointer across.
  double seconds = std::chrono::duration<double>(now - lastPass_).count();
  lastPass_ = now;
  pad_.Advance(std::clamp(seconds, 0.0, 0.05));
}

void DesktopGamepads::MouseUsed() { pad_.Hide(); }

DesktopGamepads::Area DesktopGamepads::PointerArea() const {
  if (!pad_.PointerShown()) return {};
  int x = pad_.PointerX(), y = pad_.PointerY();
  return {std::max(0, x - kPointerReach), std::max(0, y - kPointerReach),
          std::min(width_, x + kPointerReach + 1), std::min(height_, y + kPointerReach + 1)};
}

bool DesktopGamepads::PointerChanged(Area* was, Area* now) {
  Area area = PointerArea();
  if (area.left == drawn_.left && area.top == drawn_.top && area.right == drawn_.right &&
      area.bottom == drawn_.bottom)
    return false;
  bool appeared = drawn_.left == drawn_.right, gone = area.left == area.right;
  // The mouse's own pointer is shown while the controller's is not.
  if (appeared != gone) SDL_ShowCursor(gone ? SDL_ENABLE : SDL_DISABLE);
  *was = drawn_;
  *now = drawn_ = area;
  return true;
}

void DesktopGamepads::DrawPointer(SDL_Surface* surface, int originX, int originY, int scale) const {
  if (!pad_.PointerShown()) return;
  for (const PointerBar& bar : kPointerBars) {
    // Kept on the picture: what falls on the bars beside it is left out.
    int left = std::max(0, pad_.PointerX() + bar.x);
    int top = std::max(0, pad_.PointerY() + bar.y);
    int right = std::min(width_, pad_.PointerX() + bar.x + bar.width);
    int bottom = std::min(height_, pad_.PointerY() + bar.y + bar.height);
    if (left >= right || top >= bottom) continue;
    SDL_Rect rect{originX + left * scale, originY + top * scale, (right - left) * scale,
                  (bottom - top) * scale};
    Uint8 level = bar.white ? 255 : 0;
    SDL_FillRect(surface, &rect, SDL_MapRGB(surface->format, level, level, level));
  }
}

}  // namespace ce::detail
