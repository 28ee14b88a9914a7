// Test support: the desktop device's window in the test's own process, fed
// the window system's events, and what it posts to the game. Needs a display
// (./check runs these under a virtual one); skipped without.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "tests/support/display_lock.h"
#include "tests/support/run_program.h"

namespace testsupport {

// A message the device posted: stylus messages with their frame-buffer
// point, others with their wParam in x.
struct Posted {
  ce::UINT message;
  int x, y;
  bool operator==(const Posted& o) const { return message == o.message && x == o.x && y == o.y; }
};

inline std::ostream& operator<<(std::ostream& out, const Posted& p) {
  return out << "{" << p.message << " " << p.x << "," << p.y << "}";
}

class DesktopWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
    setenv("XDG_RUNTIME_DIR", MakeTempDir("runtime").c_str(), 1);
    // A test's window need not have the focus to hear a game controller.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ce::PlatformOptions options;
    options.scale = 1;
    options.mute = true;
    options.dataDir = MakeTempDir("input");
    std::string error;
    ASSERT_TRUE(ce::StartPlatform(options, &error)) << error;
    ce::WNDCLASSW wc{};
    wc.lpszClassName = u"DUV";
    ASSERT_NE(ce::RegisterClassW(&wc), 0);
    ASSERT_NE(ce::CreateWindowExW(0, u"DUV", u"DUV", ce::WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                  nullptr, nullptr, nullptr),
              nullptr);
    for (Uint32 id = 1; id < 16 && window_ == nullptr; ++id) window_ = SDL_GetWindowFromID(id);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { ce::StopPlatform(); }

  // Takes what was posted so far: the stylus messages, and with
  // `stylusOnly` false every other message but the timer's too.
  static void TakePosted(std::vector<Posted>* posted, bool stylusOnly) {
    ce::MSG msg;
    while (ce::PeekMessageW(&msg, nullptr, 0, 0, ce::PM_REMOVE)) {
      if (msg.message >= ce::WM_MOUSEMOVE && msg.message <= ce::WM_LBUTTONUP)
        posted->push_back({msg.message, ce::LOWORD(static_cast<std::uintptr_t>(msg.lParam)),
                           ce::HIWORD(static_cast<std::uintptr_t>(msg.lParam))});
      else if (!stylusOnly && msg.message != ce::WM_TIMER)
        posted->push_back({msg.message, static_cast<int>(msg.wParam), 0});
    }
  }

  DisplayLock lock_;
  SDL_Window* window_ = nullptr;
};

}  // namespace testsupport
