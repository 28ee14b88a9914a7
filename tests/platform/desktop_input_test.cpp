// The desktop window's input, fed in as the window system sends it: the
// first finger on a touch screen is the stylus, through the same transform
// as the mouse. Needs a display (./check runs it under a virtual one).
#include "tests/support/desktop_window.h"

namespace {

using testsupport::Posted;

class DesktopInputTest : public testsupport::DesktopWindowTest {
 protected:
  void SetUp() override {
    DesktopWindowTest::SetUp();
    if (window_ != nullptr) Feed({});
  }

  // Pushes the events, lets the window read them, and returns the stylus
  // messages they became (frame-buffer coordinates).
  std::vector<Posted> Feed(const std::vector<SDL_Event>& events) {
    for (SDL_Event e : events) SDL_PushEvent(&e);
    ce::Sleep(20);
    std::vector<Posted> posted;
    TakePosted(&posted, true);
    return posted;
  }

  SDL_Event Finger(Uint32 type, SDL_FingerID id, float x, float y) const {
    SDL_Event e{};
    e.type = type;
    e.tfinger.touchId = 1;
    e.tfinger.fingerId = id;
    e.tfinger.x = x;
    e.tfinger.y = y;
    e.tfinger.windowID = SDL_GetWindowID(window_);
    return e;
  }

  // The mouse button SDL makes from a touch, or (which 0) the real mouse.
  SDL_Event Button(Uint32 type, int x, int y, Uint32 which) const {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = SDL_GetWindowID(window_);
    e.button.which = which;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    return e;
  }
};

// The window is 320 x 240: the player's (x, y) is the frame buffer's
// (y, 319 - x).
TEST_F(DesktopInputTest, TheFirstFingerIsTheStylusAndOtherFingersAreIgnored) {
  EXPECT_EQ(Feed({Finger(SDL_FINGERDOWN, 7, 0.25f, 0.5f),
                  Button(SDL_MOUSEBUTTONDOWN, 80, 120, SDL_TOUCH_MOUSEID),
                  Finger(SDL_FINGERDOWN, 8, 0.75f, 0.5f), Finger(SDL_FINGERMOTION, 8, 0.8f, 0.4f),
                  Finger(SDL_FINGERMOTION, 7, 0.5f, 0.25f), Finger(SDL_FINGERUP, 8, 0.8f, 0.4f),
                  Button(SDL_MOUSEBUTTONUP, 160, 60, SDL_TOUCH_MOUSEID),
                  Finger(SDL_FINGERUP, 7, 0.5f, 0.25f)}),
            (std::vector<Posted>{{ce::WM_LBUTTONDOWN, 120, 239},
                                 {ce::WM_MOUSEMOVE, 60, 159},
                                 {ce::WM_LBUTTONUP, 60, 159}}));
  // The finger that stayed on became the pen only after the first left.
  EXPECT_EQ(Feed({Finger(SDL_FINGERDOWN, 8, 0.5f, 0.5f), Finger(SDL_FINGERUP, 8, 0.5f, 0.5f)}),
            (std::vector<Posted>{{ce::WM_LBUTTONDOWN, 120, 159}, {ce::WM_LBUTTONUP, 120, 159}}));
  // The real mouse is still the stylus.
  EXPECT_EQ(Feed({Button(SDL_MOUSEBUTTONDOWN, 10, 10, 0), Button(SDL_MOUSEBUTTONUP, 10, 10, 0)}),
            (std::vector<Posted>{{ce::WM_LBUTTONDOWN, 10, 309}, {ce::WM_LBUTTONUP, 10, 309}}));
}

// One pointer is the stylus at a time: the mouse pressed while a finger
// holds it is ignored, and a finger while the mouse holds it.
TEST_F(DesktopInputTest, ASecondPointerWhileOneIsTheStylusIsIgnored) {
  EXPECT_EQ(Feed({Finger(SDL_FINGERDOWN, 7, 0.25f, 0.5f), Button(SDL_MOUSEBUTTONDOWN, 10, 10, 0),
                  Button(SDL_MOUSEBUTTONUP, 10, 10, 0), Finger(SDL_FINGERUP, 7, 0.25f, 0.5f)}),
            (std::vector<Posted>{{ce::WM_LBUTTONDOWN, 120, 239}, {ce::WM_LBUTTONUP, 120, 239}}));
  EXPECT_EQ(Feed({Button(SDL_MOUSEBUTTONDOWN, 10, 10, 0), Finger(SDL_FINGERDOWN, 7, 0.25f, 0.5f),
                  Finger(SDL_FINGERUP, 7, 0.25f, 0.5f), Button(SDL_MOUSEBUTTONUP, 10, 10, 0)}),
            (std::vector<Posted>{{ce::WM_LBUTTONDOWN, 10, 309}, {ce::WM_LBUTTONUP, 10, 309}}));
}

TEST_F(DesktopInputTest, AFingerDownInTheBarsIsNoStylus) {
  // 480 x 240: the picture at scale 1 in the middle, bars of 80 each side.
  SDL_SetWindowSize(window_, 480, 240);
  for (int i = 0; i < 100; ++i) {
    Feed({});
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (w == 480) break;
  }
  EXPECT_TRUE(Feed({Finger(SDL_FINGERDOWN, 1, 0.1f, 0.5f), Finger(SDL_FINGERMOTION, 1, 0.5f, 0.5f),
                    Finger(SDL_FINGERUP, 1, 0.5f, 0.5f)})
                  .empty());
  // The player's (160, 120) of the picture is the window's (240, 120).
  EXPECT_EQ(Feed({Finger(SDL_FINGERDOWN, 2, 0.5f, 0.5f), Finger(SDL_FINGERUP, 2, 0.99f, 0.5f)}),
            (std::vector<Posted>{{ce::WM_LBUTTONDOWN, 120, 159}, {ce::WM_LBUTTONUP, 120, 0}}));
}

}  // namespace
