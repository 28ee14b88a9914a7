// Recording a run: every message the main loop takes and every tick count
// the main thread reads, so that a headless replay reproduces it exactly.
//
// The file is text, one entry a line, after a first line that names the
// format and its version ("reedshot-recording 1"):
//   T <tick> <n>                 n main-thread reads of the tick count gave tick
//   M <message> <wParam> <lParam> the main thread took this message
//   Q                            the run ended
//   S <name> / J                 a script's screenshot / state line
#pragma once

#include <string>

namespace drivers::recording {

constexpr const char* kFormatName = "reedshot-recording";
constexpr int kFormatVersion = 1;

// Starts writing the run into `path`; false when it cannot be created.
bool Start(const std::string& path);
void Stop();
bool Active();
// A line of the driver's own (a script's screenshot or state line).
void Note(const std::string& entry);

}  // namespace drivers::recording
