#include "drivers/script_parser.h"

#include "drivers/input_message.h"
#include "drivers/line_words.h"
#include "drivers/screenshot_name.h"
#include "platform/messages.h"

namespace drivers {

namespace {

ScriptStep Post(ce::UINT message, ce::WPARAM wParam, ce::LPARAM lParam) {
  ScriptStep step(ScriptStep::kPost);
  step.message = message;
  step.wParam = wParam;
  step.lParam = lParam;
  return step;
}

ScriptStep KeyStep(const KeyName& key, bool down) {
  ScriptStep step(ScriptStep::kPost);
  KeyMessage(key, down, &step.message, &step.wParam, &step.lParam);
  return step;
}

ScriptStep WaitStep(ce::DWORD ms) {
  ScriptStep step(ScriptStep::kWait);
  step.ms = ms;
  return step;
}

}  // namespace

bool ParseScriptLine(const std::string& raw, std::vector<ScriptStep>* steps, std::string* error) {
  if (!CheckLength(raw, error)) return false;
  std::vector<std::string> w = Words(raw.substr(0, raw.find('#')));
  if (w.empty()) return true;
  const std::string& command = w[0];
  auto arity = [&](size_t n) {
    if (w.size() == n + 1) return true;
    *error = "'" + command + "' takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s");
    return false;
  };
  auto point = [&](ce::LPARAM* lParam) {
    long x = 0, y = 0;
    if (!ToNumber(w[1], 0L, 239L, &x) || !ToNumber(w[2], 0L, 319L, &y)) {
      *error = "coordinates must be x 0..239 and y 0..319";
      return false;
    }
    *lParam = ce::MAKELPARAM(static_cast<ce::WORD>(x), static_cast<ce::WORD>(y));
    return true;
  };
  auto key = [&](const std::string& name) {
    const KeyName* k = FindKey(name);
    if (k == nullptr)
      *error = "unknown key '" + Shown(name) + "' (left right up down action app1 app2 app3 app4)";
    return k;
  };

  if (command == "wait") {
    long ms = 0;
    if (!arity(1)) return false;
    if (!ToNumber(w[1], 0L, 100000000L, &ms)) {
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
    if (!arity(1) || !CheckScreenshotName(w[1], error)) return false;
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
    *error = "unknown command '" + Shown(command) + "'";
    return false;
  }
  return true;
}

bool ParseScript(std::istream& in, std::vector<ScriptStep>* steps, LineError* error) {
  return ParseLines(
      in, 1, [&](const std::string& l, std::string* why) { return ParseScriptLine(l, steps, why); },
      error);
}

}  // namespace drivers
