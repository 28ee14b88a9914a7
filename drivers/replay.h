// Plays a recording back headless: the same messages at the same tick
// counts, so the run takes the same course.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "drivers/recording_reader.h"
#include "platform/headless/headless.h"

namespace drivers {

class ReplayDriver : public ce::headless::Driver {
 public:
  // Reads and checks the whole recording; nullptr (with *error) when it
  // cannot be read or is not a recording this program plays.
  static std::unique_ptr<ReplayDriver> FromFile(const std::string& path, std::string* error);

  // Once the platform runs: the device takes its tick counts from the
  // recording, starting with those read before the first message.
  void Begin();
  void SetStateFunction(std::function<std::string()> state) { state_ = std::move(state); }
  void SetScreenshotDir(std::string dir) { screenshotDir_ = std::move(dir); }
  bool OnIdle() override;

 private:
  // Hands the device the tick counts up to the next entry of another kind.
  void FeedTicks();

  std::vector<RecordingEntry> entries_;
  size_t next_ = 0;
  std::function<std::string()> state_;
  std::string screenshotDir_;  // empty: screenshots are not written
};

}  // namespace drivers
