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

#include "platform/messages.h"

namespace ce::recording {

constexpr const char* kFormatName = "reedshot-recording";
constexpr int kFormatVersion = 1;

bool Start(const std::string& path);
void Stop();
bool Active();
void Note(const std::string& entry);

}  // namespace ce::recording

namespace ce::detail {

void RecordTick(DWORD tick);
void RecordMessage(const MSG& msg);
void RecordQuit();

}  // namespace ce::detail
