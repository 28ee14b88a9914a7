#include "app/script.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/recorder.h"

namespace app {

namespace {

bool ToNumber(const std::string& text, long low, long high, long* out) {
  long v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  *out = v;
  return true;
}

struct KeyName {
  const char* name;
  ce::UINT vk;
  bool hardware;  // a hot key: WM_HOTKEY down, WM_KEYUP up
};

constexpr KeyName kKeys[] = {
    {"left", ce::VK_LEFT, false}, {"right", ce::VK_RIGHT, false},   {"up", ce::VK_UP, false},
    {"down", ce::VK_DOWN, false}, {"action", ce::VK_RETURN, false}, {"app1", ce::VK_APP1, true},
    {"app2", ce::VK_APP2, true},  {"app3", ce::VK_APP3, true},      {"app4", ce::VK_APP4, true},
};

ScriptStep Post(ce::UINT message, ce::WPARAM wParam, ce::LPARAM lParam) {
  ScriptStep step(ScriptStep::kPost);
  step.message = message;
  step.wParam = wParam;
  step.lParam = lParam;
  return step;
}

ScriptStep KeyStep(const KeyName& key, bool down) {
  if (key.hardware)
    return down ? Post(ce::WM_HOTKEY, key.vk, ce::MAKELPARAM(0x0008, static_cast<ce::WORD>(key.vk)))
                : Post(ce::WM_KEYUP, key.vk, 0);
  return Post(down ? ce::WM_KEYDOWN : ce::WM_KEYUP, key.vk, 0);
}

ScriptStep WaitStep(ce::DWORD ms) {
  ScriptStep step(ScriptStep::kWait);
  step.ms = ms;
  return step;
}

}  // namespace

bool ParseScriptLine(const std::string& raw, std::vector<ScriptStep>* steps, std::string* error) {
  std::string line = raw.substr(0, raw.find('#'));
  std::istringstream words(line);
  std::vector<std::string> w;
  for (std::string word; words >> word;) w.push_back(word);
  if (w.empty()) return true;
  const std::string& command = w[0];
  auto arity = [&](size_t n) {
    if (w.size() == n + 1) return true;
    *error = "'" + command + "' takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s");
    return false;
  };
  auto point = [&](ce::LPARAM* lParam) {
    long x = 0, y = 0;
    if (!ToNumber(w[1], 0, 239, &x) || !ToNumber(w[2], 0, 319, &y)) {
      *error = "coordinates must be x 0..239 and y 0..319";
      return false;
    }
    *lParam = ce::MAKELPARAM(static_cast<ce::WORD>(x), static_cast<ce::WORD>(y));
    return true;
  };
  auto key = [&](const std::string& name) -> const KeyName* {
    for (const KeyName& k : kKeys)
      if (name == k.name) return &k;
    *error = "unknown key '" + name + "' (left right up down action app1 app2 app3 app4)";
    return nullptr;
  };

  if (command == "wait") {
    long ms = 0;
    if (!arity(1)) return false;
    if (!ToNumber(w[1], 0, 100000000, &ms)) {
      *error = "wait needs milliseconds";
      return false;
    }
    steps->push_back(WaitStep(static_cast<ce::DWORD>(ms)));
  } else if (command == "tap" || command == "down" || command == "move" || command == "up") {
    ce::LPARAM at = 0;
    if (!arity(2) || !point(&at)) return false;
    if (command == "tap") {
      steps->push_back(Post(ce::WM_LBUTTONDOWN, 1, at));
      steps->push_back(WaitStep(10));
      steps->push_back(Post(ce::WM_LBUTTONUP, 0, at));
    } else {
      ce::UINT message = command == "down"   ? ce::WM_LBUTTONDOWN
                         : command == "move" ? ce::WM_MOUSEMOVE
                                             : ce::WM_LBUTTONUP;
      steps->push_back(Post(message, command == "up" ? 0 : 1, at));
    }
  } else if (command == "key") {
    if (!arity(2)) return false;
    const KeyName* k = key(w[1]);
    if (k == nullptr) return false;
    if (w[2] != "down" && w[2] != "up") {
      *error = "key NAME needs 'down' or 'up'";
      return false;
    }
    steps->push_back(KeyStep(*k, w[2] == "down"));
  } else if (command == "press") {
    if (!arity(1)) return false;
    const KeyName* k = key(w[1]);
    if (k == nullptr) return false;
    steps->push_back(KeyStep(*k, true));
    steps->push_back(WaitStep(10));
    steps->push_back(KeyStep(*k, false));
  } else if (command == "shot") {
    if (!arity(1)) return false;
    for (char c : w[1]) {
      if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.')) {
        *error = "a shot's name may hold letters, digits, '-', '_' and '.'";
        return false;
      }
    }
    ScriptStep step(ScriptStep::kShot);
    step.name = w[1];
    steps->push_back(step);
  } else if (command == "state") {
    if (!arity(0)) return false;
    steps->push_back(ScriptStep(ScriptStep::kState));
  } else if (command == "quit") {
    if (!arity(0)) return false;
    steps->push_back(ScriptStep(ScriptStep::kQuit));
  } else {
    *error = "unknown command '" + command + "'";
    return false;
  }
  return true;
}

void TakeScreenshot(const std::string& dir, const std::string& name) {
  std::string path = dir + "/" + name + ".png";
  if (!ce::SaveWindowScreenshot(path))
    std::fprintf(stderr, "cannot write screenshot %s\n", path.c_str());
}

void PrintState(const std::function<std::string()>& state) {
  std::cout << (state ? state() : std::string("{}")) << std::endl;
}

std::unique_ptr<ScriptDriver> ScriptDriver::FromFile(const std::string& path, std::string* error) {
  std::ifstream file(path);
  if (!file) {
    *error = "cannot read script " + path;
    return nullptr;
  }
  auto driver = std::unique_ptr<ScriptDriver>(new ScriptDriver);
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    std::string why;
    if (!ParseScriptLine(line, &driver->steps_, &why)) {
      *error = path + ":" + std::to_string(number) + ": " + why;
      return nullptr;
    }
  }
  return driver;
}

std::unique_ptr<ScriptDriver> ScriptDriver::FromStream(std::istream* in) {
  auto driver = std::unique_ptr<ScriptDriver>(new ScriptDriver);
  driver->in_ = in;
  return driver;
}

bool ScriptDriver::NextSteps() {
  if (in_ == nullptr) return false;
  std::string line;
  while (std::getline(*in_, line)) {
    ++lineNumber_;
    std::string why;
    size_t before = steps_.size();
    if (!ParseScriptLine(line, &steps_, &why)) {
      std::fprintf(stderr, "script line %d: %s\n", lineNumber_, why.c_str());
      failed_ = true;
      return false;
    }
    if (steps_.size() > before) return true;
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
        ce::recording::Note("S " + step.name);
        TakeScreenshot(screenshotDir_, step.name);
        continue;
      case ScriptStep::kState:
        ce::recording::Note("J");
        PrintState(state_);
        continue;
      case ScriptStep::kQuit:
        return false;
    }
  }
}

}  // namespace app
