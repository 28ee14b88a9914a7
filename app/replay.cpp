#include "app/replay.h"

#include <cstdio>
#include <sstream>

#include "app/script.h"

namespace app {

std::unique_ptr<ReplayDriver> ReplayDriver::Open(const std::string& path, std::string* error) {
  auto driver = std::unique_ptr<ReplayDriver>(new ReplayDriver);
  driver->in_.open(path);
  if (!driver->in_) {
    *error = "cannot read recording " + path;
    return nullptr;
  }
  ce::headless::SetReplay(true);
  driver->ReadUpToNextEvent();
  return driver;
}

bool ReplayDriver::ReadUpToNextEvent() {
  pending_.clear();
  for (std::string line; std::getline(in_, line);) {
    if (line.empty()) continue;
    if (line[0] != 'T') {
      pending_ = line;
      return true;
    }
    std::istringstream fields(line.substr(1));
    unsigned long tick = 0, count = 0;
    if (fields >> tick >> count) ce::headless::FeedTicks(static_cast<ce::DWORD>(tick), count);
  }
  return false;
}

bool ReplayDriver::OnIdle() {
  for (;;) {
    if (pending_.empty()) return false;
    std::string entry = pending_;
    std::istringstream fields(entry.substr(1));
    // The tick counts read while this entry is handled follow it.
    ReadUpToNextEvent();
    switch (entry[0]) {
      case 'M': {
        unsigned message = 0;
        unsigned long long wParam = 0;
        long long lParam = 0;
        if (!(fields >> message >> wParam >> lParam)) continue;
        ce::headless::PostInput(message, static_cast<ce::WPARAM>(wParam),
                                static_cast<ce::LPARAM>(lParam));
        return true;
      }
      case 'S': {
        std::string name;
        fields >> name;
        TakeScreenshot(screenshotDir_, name);
        continue;
      }
      case 'J':
        PrintState(state_);
        continue;
      case 'Q':
        return false;
      default:
        continue;
    }
  }
}

}  // namespace app
