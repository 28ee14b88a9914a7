// Headless scripts as text: one command a line, '#' starts a comment.
// Parsing runs nothing: it turns lines into steps or says what is wrong.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "drivers/line_words.h"
#include "platform/types.h"

namespace drivers {

struct ScriptStep {
  enum Kind { kPost, kWait, kShot, kState, kQuit };
  explicit ScriptStep(Kind k) : kind(k) {}
  Kind kind;
  ce::UINT message = 0;
  ce::WPARAM wParam = 0;
  ce::LPARAM lParam = 0;
  ce::DWORD ms = 0;
  std::string name;
};

// Parses one line into steps; false (with *error) when the line is wrong.
// A blank line or a comment gives no steps.
bool ParseScriptLine(const std::string& line, std::vector<ScriptStep>* steps, std::string* error);

// Parses a whole script; false at the first wrong line, which *error names.
bool ParseScript(std::istream& in, std::vector<ScriptStep>* steps, LineError* error);

}  // namespace drivers
