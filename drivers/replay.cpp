#include "drivers/replay.h"

#include <fstream>

#include "drivers/script.h"

namespace drivers {

std::unique_ptr<ReplayDriver> ReplayDriver::FromFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read recording " + path;
    return nullptr;
  }
  auto driver = std::unique_ptr<ReplayDriver>(new ReplayDriver);
  LineError wrong;
  if (!ParseRecording(in, &driver->entries_, &wrong)) {
    *error = wrong.Text(path);
    return nullptr;
  }
  return driver;
}

void ReplayDriver::Begin() {
  ce::headless::SetReplay(true);
  FeedTicks();
}

void ReplayDriver::FeedTicks() {
  for (; next_ < entries_.size() && entries_[next_].kind == RecordingEntry::kTicks; ++next_)
    ce::headless::FeedTicks(entries_[next_].tick, entries_[next_].count);
}

bool ReplayDriver::OnIdle() {
  while (next_ < entries_.size()) {
    const RecordingEntry& entry = entries_[next_++];
    // The tick counts read while this entry is handled follow it.
    FeedTicks();
    switch (entry.kind) {
      case RecordingEntry::kMessage:
        ce::headless::PostInput(entry.message, entry.wParam, entry.lParam);
        return true;
      case RecordingEntry::kShot:
        TakeScreenshot(screenshotDir_, entry.name);
        continue;
      case RecordingEntry::kState:
        PrintState(state_);
        continue;
      case RecordingEntry::kQuit:
        return false;
      case RecordingEntry::kTicks:
        continue;
    }
  }
  return false;
}

}  // namespace drivers
