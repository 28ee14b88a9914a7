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

  SDL_Event KeyEvent(Uint32 type, SDL_Keycode code) const {
    SDL_Event e{};
    e.type = type;
    e.key.windowID = SDL_GetWindowID(window_);
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = code;
    return e;
  }
  // A key pressed and let go, and every message it became.
  std::vector<Posted> Type(SDL_Keycode code) {
    SDL_PushEvent(&Keep(KeyEvent(SDL_KEYDOWN, code)));
    SDL_PushEvent(&Keep(KeyEvent(SDL_KEYUP, code)));
    ce::Sleep(20);
    std::vector<Posted> posted;
    TakePosted(&posted, false);
    return posted;
  }
  static SDL_Event& Keep(SDL_Event e) {
    static SDL_Event kept;
    kept = e;
    return kept;
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

// The screen the keyboard sees, and the volume steps it asked for.
ce::ShownScreen g_shown = ce::ShownScreen::kOther;
int g_volumeSteps = 0;

// Keys act on the screen shown, as the on-screen keys, the menu corner and
// the direction keys would; elsewhere they keep the device's own meaning.
// (The real-window test types a whole name, pauses and resumes.)
TEST_F(DesktopInputTest, TheKeyboardActsOnTheScreenShown) {
  ce::SetKeyboardHooks({[] { return g_shown; }, [](int steps) { g_volumeSteps += steps; }});
  auto tap = [](int x, int y) {
    return std::vector<Posted>{{ce::WM_LBUTTONDOWN, x, y}, {ce::WM_LBUTTONUP, x, y}};
  };
  const Posted enterDown{ce::WM_KEYDOWN, 0x0D, 0}, enterUp{ce::WM_KEYUP, 0x0D, 0};

  g_shown = ce::ShownScreen::kNameEntry;
  EXPECT_EQ(Type(SDLK_a), tap(69, 297));
  EXPECT_EQ(Type(SDLK_KP_9), tap(176, 25));
  // The device's own key is let go on release, which changes nothing.
  std::vector<Posted> space = tap(210, 263);
  space.push_back({ce::WM_KEYUP, 0xC3, 0});
  EXPECT_EQ(Type(SDLK_SPACE), space);
  std::vector<Posted> ok = tap(216, 49);
  ok.push_back(enterUp);
  EXPECT_EQ(Type(SDLK_RETURN), ok);
  EXPECT_EQ(Type(SDLK_F5), std::vector<Posted>{});

  g_shown = ce::ShownScreen::kGame;
  EXPECT_EQ(Type(SDLK_ESCAPE), tap(234, 314));
  EXPECT_EQ(Type(SDLK_p), tap(234, 314));
  EXPECT_EQ(Type(SDLK_1), (std::vector<Posted>{{ce::WM_HOTKEY, 0xC1, 0}, {ce::WM_KEYUP, 0xC1, 0}}));
  // A notch of the wheel down: the lake goes on to the right, as with the
  // right arrow (the frame buffer's up) held for four passes; up, to the
  // left.
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.windowID = SDL_GetWindowID(window_);
  for (int notch : {-1, 1}) {
    wheel.wheel.y = notch;
    SDL_PushEvent(&wheel);
    ce::Sleep(20);
    std::vector<Posted> scrolled;
    TakePosted(&scrolled, false);
    const int vk = notch < 0 ? 0x26 : 0x28;
    const Posted held{ce::WM_KEYDOWN, vk, 0};
    EXPECT_EQ(scrolled, (std::vector<Posted>{held, held, held, held, {ce::WM_KEYUP, vk, 0}}));
  }
  // The mouse holds the pen: the key's tap is lost.
  Feed({Button(SDL_MOUSEBUTTONDOWN, 10, 10, 0)});
  EXPECT_EQ(Type(SDLK_ESCAPE), std::vector<Posted>{});
  Feed({Button(SDL_MOUSEBUTTONUP, 10, 10, 0)});

  g_shown = ce::ShownScreen::kOther;
  EXPECT_EQ(Type(SDLK_ESCAPE), std::vector<Posted>{});
  EXPECT_EQ(Type(SDLK_RETURN), (std::vector<Posted>{enterDown, enterUp}));

  // The volume keys step between two messages, not inside one; not on the
  // options screen, whose slider they would fight.
  EXPECT_EQ(Type(SDLK_MINUS), std::vector<Posted>{});
  EXPECT_EQ(Type(SDLK_MINUS), std::vector<Posted>{});
  EXPECT_EQ(Type(SDLK_EQUALS), std::vector<Posted>{});
  g_shown = ce::ShownScreen::kOptions;
  Type(SDLK_VOLUMEUP);
  EXPECT_EQ(g_volumeSteps, 0);
  SDL_Event click = Button(SDL_MOUSEBUTTONDOWN, 10, 10, 0);
  SDL_PushEvent(&click);
  ce::MSG msg;
  ASSERT_TRUE(ce::GetMessageW(&msg, nullptr, 0, 0));
  EXPECT_EQ(g_volumeSteps, -1);
  Feed({Button(SDL_MOUSEBUTTONUP, 10, 10, 0)});
  ce::SetKeyboardHooks({});
}

}  // namespace
