// Headless scripts: one command a line, run against virtual time.
#pragma once

#include <fstream>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "drivers/script_parser.h"
#include "platform/headless/headless.h"

namespace drivers {

// The two script actions that also appear in recordings: a screenshot of
// the window, written as dir/name.png (nowhere, with a note, when there is
// no folder or name is not a plain file name), and one state line on
// standard output.
void TakeScreenshot(const std::string& dir, const std::string& name);
void PrintState(const std::function<std::string()>& state);

// Feeds the headless device from a script. Commands come from a parsed file
// or are read from a stream one line at a time, as they arrive.
class ScriptDriver : public ce::headless::Driver {
 public:
  using StateFunction = std::function<std::string()>;

  // A file, checked whole before anything runs, then read again a line at
  // a time as the run goes; a pipe or a device is read as a stream.
  static std::unique_ptr<ScriptDriver> FromFile(const std::string& path, std::string* error);
  // Commands read as they arrive (no look-ahead), a line at a time.
  static std::unique_ptr<ScriptDriver> FromStream(std::istream* in);

  void SetStateFunction(StateFunction state) { state_ = std::move(state); }
  void SetScreenshotDir(std::string dir) { screenshotDir_ = std::move(dir); }
  bool OnIdle() override;
  // A line read from the stream was wrong: the run ends with status 2.
  bool failed() const { return failed_; }

 private:
  bool NextSteps();

  std::vector<ScriptStep> steps_;
  size_t nextStep_ = 0;
  std::ifstream file_;  // FromFile's
  std::istream* in_ = nullptr;
  int lineNumber_ = 0;
  bool failed_ = false;
  StateFunction state_;
  std::string screenshotDir_;  // empty: screenshots are not written
};

}  // namespace drivers
