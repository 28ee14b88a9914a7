// A game controller on the desktop, as SDL's virtual controller (no
// hardware): the sticks move a pointer drawn over the picture, the south
// button is the pen, the other buttons are the device's keys, one stylus at
// a time, and a controller plugged out mid-game pauses it. Needs a display
// (./check runs it under a virtual one).
#include <cstring>

#include "tests/support/desktop_window.h"

namespace {

using testsupport::Posted;
using Messages = std::vector<Posted>;

Posted Key(ce::UINT message, ce::UINT vk) { return {message, static_cast<int>(vk), 0}; }

class DesktopGamepadTest : public testsupport::DesktopWindowTest {
 protected:
  void SetUp() override {
    DesktopWindowTest::SetUp();
    if (window_ == nullptr) return;
    PlugIn();
    ASSERT_NE(pad_, nullptr) << SDL_GetError();
  }
  void TearDown() override {
    if (pad_ != nullptr) SDL_JoystickClose(pad_);
    DesktopWindowTest::TearDown();
  }

  // A virtual controller with the buttons and axes of SDL's own layout.
  void PlugIn() {
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                          SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index < 0) return;
    pad_ = SDL_JoystickOpen(index);
    Pass(20);
  }
  void PlugOut() {
    int index = -1;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad_)) index = i;
    SDL_JoystickClose(pad_);
    pad_ = nullptr;
    SDL_JoystickDetachVirtual(index);
  }

  void Button(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(pad_, button, down ? 1 : 0);
  }
  void Tilt(SDL_GameControllerAxis axis, double share) {
    SDL_JoystickSetVirtualAxis(pad_, axis, static_cast<Sint16>(share * 32767));
  }
  Messages Press(SDL_GameControllerButton button, bool down) {
    Button(button, down);
    return Pass(20);
  }

  // Lets `ms` milliseconds pass on the main thread, where the window is
  // read, and returns what was posted meanwhile (taken every 10 ms, as a
  // pen move waiting in the queue gives way to the next).
  Messages Pass(int ms) {
    Messages posted;
    for (int slept = 0; slept < ms; slept += 10) {
      ce::Sleep(10);
      TakePosted(&posted, false);
    }
    return posted;
  }

  SDL_Event Mouse(Uint32 type, int x, int y) const {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
      e.motion.windowID = SDL_GetWindowID(window_);
      e.motion.x = x;
      e.motion.y = y;
      return e;
    }
    e.button.windowID = SDL_GetWindowID(window_);
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    return e;
  }
  Messages MouseDo(Uint32 type, int x, int y) {
    SDL_Event e = Mouse(type, x, y);
    SDL_PushEvent(&e);
    return Pass(20);
  }

  // The window's pixel at a point of the view (scale 1, no bars).
  Uint32 Shown(int x, int y) {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    Uint32 pixel = 0;
    SDL_LockSurface(surface);
    auto* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
    std::memcpy(&pixel, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    SDL_UnlockSurface(surface);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    return (r << 16) | (g << 8) | b;
  }

  SDL_Joystick* pad_ = nullptr;
};

// The window is 320 x 240: the player's (x, y) is the frame buffer's
// (y, 319 - x). The pointer starts in the middle, (160, 120).
TEST_F(DesktopGamepadTest, TheSticksMoveThePointerAndTheSouthButtonIsThePen) {
  // Inside the dead zone nothing moves.
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0.15);
  Pass(300);
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, true), (Messages{{ce::WM_LBUTTONDOWN, 120, 159}}));
  // Full tilt right: the pen follows, about 320 pixels a second.
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, 1.0);
  Messages moved = Pass(250);
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0);
  ASSERT_GE(moved.size(), 3u);
  for (size_t i = 0; i < moved.size(); ++i) {
    EXPECT_EQ(moved[i].message, static_cast<ce::UINT>(ce::WM_MOUSEMOVE));
    EXPECT_EQ(moved[i].x, 120);
    if (i > 0) {
      EXPECT_LT(moved[i].y, moved[i - 1].y);
    }
  }
  int travelled = 159 - moved.back().y;
  EXPECT_GE(travelled, 40);
  EXPECT_LE(travelled, 140);
  // Held still, the pen stays down where it is: the device posts nothing.
  EXPECT_EQ(Pass(200), Messages{});
  // A slight push (the right stick as well) aims finely: a few pixels in
  // half a second.
  Tilt(SDL_CONTROLLER_AXIS_RIGHTY, -0.3);
  Messages fine = Pass(500);
  Tilt(SDL_CONTROLLER_AXIS_RIGHTY, 0);
  ASSERT_FALSE(fine.empty());
  EXPECT_LE(fine.back().x - 120, 0);
  EXPECT_GE(fine.back().x - 120, -5);
  // Full tilt down-right reaches the corner within a second and a half and
  // stays on the picture.
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, 1.0);
  Tilt(SDL_CONTROLLER_AXIS_LEFTY, 1.0);
  Messages toCorner = Pass(1500);
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0);
  Tilt(SDL_CONTROLLER_AXIS_LEFTY, 0);
  ASSERT_FALSE(toCorner.empty());
  EXPECT_EQ(toCorner.back(), (Posted{ce::WM_MOUSEMOVE, 239, 0}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, false), (Messages{{ce::WM_LBUTTONUP, 239, 0}}));
  // Without the pen the pointer moves alone.
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, -1.0);
  EXPECT_EQ(Pass(300), Messages{});
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, 0);
}

TEST_F(DesktopGamepadTest, TheOtherButtonsAreTheDevicesKeysAndBackIsEsc) {
  // The direction pad turned with the picture: the player's right is the
  // frame buffer's up.
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true), (Messages{Key(ce::WM_KEYDOWN, 0x26)}));
  EXPECT_EQ(Pass(100), Messages{});  // held: the game sees it on every pass
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false), (Messages{Key(ce::WM_KEYUP, 0x26)}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_UP, true), (Messages{Key(ce::WM_KEYDOWN, 0x25)}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_UP, false), (Messages{Key(ce::WM_KEYUP, 0x25)}));
  // West and the right shoulder are one key, hardware key 3 (reload).
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_X, true), (Messages{Key(ce::WM_HOTKEY, 0xC3)}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true), Messages{});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_X, false), Messages{});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false), (Messages{Key(ce::WM_KEYUP, 0xC3)}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_START, true), (Messages{Key(ce::WM_KEYDOWN, 0x0D)}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_START, false), (Messages{Key(ce::WM_KEYUP, 0x0D)}));
  // Back is Esc: in a game a tap on the menu corner, nothing more; on a
  // screen where Esc means nothing, nothing.
  ce::SetKeyboardHooks({[] { return ce::ShownScreen::kGame; }, nullptr});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_BACK, true),
            (Messages{{ce::WM_LBUTTONDOWN, 234, 314}, {ce::WM_LBUTTONUP, 234, 314}}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_BACK, false), Messages{});
  ce::SetKeyboardHooks({});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_BACK, true), Messages{});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_BACK, false), Messages{});
  // Buttons the game has no use for do nothing.
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_B, true), Messages{});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_Y, true), Messages{});
}

TEST_F(DesktopGamepadTest, OneStylusAtATimeAndThePointerIsDrawnOnlyWhileTheControllerIsUsed) {
  // The mouse holds the pen: the controller's pen-down and Back (in a game)
  // are lost.
  ce::SetKeyboardHooks({[] { return ce::ShownScreen::kGame; }, nullptr});
  EXPECT_EQ(MouseDo(SDL_MOUSEBUTTONDOWN, 10, 10), (Messages{{ce::WM_LBUTTONDOWN, 10, 309}}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, true), Messages{});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_BACK, true), Messages{});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, false), Messages{});
  EXPECT_EQ(MouseDo(SDL_MOUSEBUTTONUP, 10, 10), (Messages{{ce::WM_LBUTTONUP, 10, 309}}));
  ce::SetKeyboardHooks({});
  // And the other way round.
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, true), (Messages{{ce::WM_LBUTTONDOWN, 120, 159}}));
  EXPECT_EQ(MouseDo(SDL_MOUSEBUTTONDOWN, 10, 10), Messages{});
  EXPECT_EQ(MouseDo(SDL_MOUSEBUTTONUP, 10, 10), Messages{});
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, false), (Messages{{ce::WM_LBUTTONUP, 120, 159}}));

  // The pointer, white with a black edge, over the picture at (160, 120)
  // once the controller is used again; the mouse's own pointer is hidden
  // meanwhile.
  Press(SDL_CONTROLLER_BUTTON_A, true);
  Press(SDL_CONTROLLER_BUTTON_A, false);
  Pass(50);
  EXPECT_EQ(Shown(160, 120), 0xFFFFFFu);
  EXPECT_EQ(Shown(160, 125), 0u);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  // The mouse moves: the pointer goes, the picture is whole again.
  MouseDo(SDL_MOUSEMOTION, 30, 30);
  Pass(50);
  EXPECT_FALSE(Shown(160, 120) == 0xFFFFFFu && Shown(160, 125) == 0u);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(DesktopGamepadTest, AControllerPluggedOutLetsGoAndPausesAndAnotherCanBePluggedIn) {
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, true), (Messages{{ce::WM_LBUTTONDOWN, 120, 159}}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true), (Messages{Key(ce::WM_KEYDOWN, 0x28)}));
  PlugOut();
  EXPECT_EQ(Pass(50), (Messages{{ce::WM_LBUTTONUP, 120, 159},
                                Key(ce::WM_KEYUP, 0x28),
                                Key(ce::WM_ACTIVATE, ce::WA_INACTIVE)}));
  PlugIn();
  ASSERT_NE(pad_, nullptr);
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, true), (Messages{{ce::WM_LBUTTONDOWN, 120, 159}}));
  EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A, false), (Messages{{ce::WM_LBUTTONUP, 120, 159}}));
}

}  // namespace
