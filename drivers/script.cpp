#include "drivers/script.h"

#include <cstdio>
#include <iostream>

#include "drivers/recorder.h"
#include "drivers/screenshot_name.h"
#include "platform/platform.h"

namespace drivers {

void TakeScreenshot(const std::string& dir, const std::string& name) {
  std::string why;
  if (!CheckScreenshotName(name, &why)) {
    std::fprintf(stderr, "screenshot not written: %s\n", why.c_str());
    return;
  }
  std::string path = ScreenshotPath(dir, name);
  if (path.empty()) {
    std::fprintf(stderr, "screenshot %s.png not written: no --screenshots folder was given\n",
                 name.c_str());
    return;
  }
  if (!ce::SaveWindowScreenshot(path))
    std::fprintf(stderr, "cannot write screenshot %s\n", path.c_str());
}

void PrintState(const std::function<std::string()>& state) {
  std::cout << (state ? state() : std::string("{}")) << std::endl;
}

std::unique_ptr<ScriptDriver> ScriptDriver::FromFile(const std::string& path, std::string* error) {
  auto driver = std::unique_ptr<ScriptDriver>(new ScriptDriver);
  bool regular = false;
  std::string why;
  if (!OpenLines(path, &driver->file_, &regular, &why)) {
    *error = "cannot read script " + path + ": " + why;
    return nullptr;
  }
  driver->in_ = &driver->file_;
  // A pipe or a device is read as it comes, as standard input is.
  if (!regular) return driver;
  // A file is checked whole first, a line at a time, then read again to run.
  std::vector<ScriptStep> steps;
  LineError wrong;
  bool ok = ParseLines(
      driver->file_, 1,
      [&](const std::string& line, std::string* lineWhy) {
        steps.clear();
        return ParseScriptLine(line, &steps, lineWhy);
      },
      &wrong);
  if (!ok) {
    *error = wrong.Text(path);
    return nullptr;
  }
  driver->file_.clear();
  driver->file_.seekg(0);
  return driver;
}

std::unique_ptr<ScriptDriver> ScriptDriver::FromStream(std::istream* in) {
  auto driver = std::unique_ptr<ScriptDriver>(new ScriptDriver);
  driver->in_ = in;
  return driver;
}

bool ScriptDriver::NextSteps() {
  if (in_ == nullptr) return false;
  // Only the steps of the line being run are held, however long the script.
  steps_.clear();
  nextStep_ = 0;
  std::string line;
  while (ReadLine(*in_, &line)) {
    ++lineNumber_;
    std::string why;
    if (!ParseScriptLine(line, &steps_, &why)) {
      std::fprintf(stderr, "script line %d: %s\n", lineNumber_, why.c_str());
      failed_ = true;
      return false;
    }
    if (!steps_.empty()) return true;
  }
  return false;
}

bool ScriptDriver::OnIdle() {
  for (;;) {
    if (nextStep_ >= steps_.size() && !NextSteps()) return false;
    const ScriptStep step = steps_[nextStep_++];
    switch (step.kind) {
      case ScriptStep::kPost:
        ce::headless::PostInput(step.message, step.wParam, step.lParam);
        return true;
      case ScriptStep::kWait:
        if (step.ms == 0) continue;
        ce::headless::Wait(step.ms);
        return true;
      case ScriptStep::kShot:
        drivers::recording::Note("S " + step.name);
        TakeScreenshot(screenshotDir_, step.name);
        continue;
      case ScriptStep::kState:
        drivers::recording::Note("J");
        PrintState(state_);
        continue;
      case ScriptStep::kQuit:
        return false;
    }
  }
}

}  // namespace drivers
