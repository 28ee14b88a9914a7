// Plays a recording back headless: the same messages at the same tick
// counts, so the run takes the same course.
#pragma once

#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "platform/headless.h"

namespace app {

class ReplayDriver : public ce::headless::Driver {
 public:
  // Opens the recording and hands the device the tick counts read before
  // the first message; nullptr (with *error) when it cannot be read.
  static std::unique_ptr<ReplayDriver> Open(const std::string& path, std::string* error);

  void SetStateFunction(std::function<std::string()> state) { state_ = std::move(state); }
  void SetScreenshotDir(std::string dir) { screenshotDir_ = std::move(dir); }
  bool OnIdle() override;

 private:
  // Reads the next entry that is not a tick count into pending_, feeding
  // the tick counts on the way. False at the end of the recording.
  bool ReadUpToNextEvent();

  std::ifstream in_;
  std::string pending_;
  std::function<std::string()> state_;
  std::string screenshotDir_ = ".";
};

}  // namespace app
