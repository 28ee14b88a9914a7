// Test fixture support: the headless device with the game's window open.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/window.h"

namespace testsupport {

inline ce::LRESULT NoWindowProc(ce::HWND, ce::UINT, ce::WPARAM, ce::LPARAM) { return 0; }

// Starts the headless platform and opens a window; returns it.
inline ce::HWND OpenHeadlessWindow() {
  ce::PlatformOptions options;
  options.headless = true;
  std::string error;
  ce::StartPlatform(options, &error);
  ce::WNDCLASSW wc{};
  wc.lpfnWndProc = &NoWindowProc;
  wc.lpszClassName = u"DUV";
  ce::RegisterClassW(&wc);
  return ce::CreateWindowExW(0, u"DUV", u"DUV", ce::WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             nullptr, nullptr);
}

}  // namespace testsupport
