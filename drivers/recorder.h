// Recording a run: every message the main loop takes and every tick count
// the main thread reads, so that a headless replay reproduces it exactly.
//
// The file is text, one entry a line, after a first line that names the
// format and its version ("reedshot-recording 2"). The data the run started
// with follows it, one row of the data file a line (platform/data_rows.h),
// so that a replay starts from the same settings and high scores:
//   D <row>
// then the run:
//   T <tick> <n>                 n main-thread reads of the tick count gave tick
//   M <message> <wParam> <lParam> the main thread took this message
//   Q                            the run ended
//   S <name> / J                 a script's screenshot / state line
#pragma once

#include <string>

namespace drivers::recording {

constexpr const char* kFormatName = "reedshot-recording";
constexpr int kFormatVersion = 2;
// Recordings of version 1 carry no data; they still replay.
constexpr int kOldestFormatVersion = 1;

// Starts writing the run into `path`, with the data of the running
// platform (none when it does not run); false when it cannot be created,
// with the system's reason in *error.
bool Start(const std::string& path, std::string* error = nullptr);
// Ends the recording and gives it its name; false (and said on standard
// error) when it could not be written.
bool Stop();
bool Active();
// A line of the driver's own (a script's screenshot or state line).
void Note(const std::string& entry);

}  // namespace drivers::recording
