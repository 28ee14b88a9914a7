// Recordings as text (see platform/recorder.h for the format). Reading
// runs nothing: the whole file is checked and turned into entries first,
// so that a file that is not a recording is refused before the game starts.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "drivers/line_words.h"
#include "platform/types.h"

namespace drivers {

struct RecordingEntry {
  enum Kind { kTicks, kMessage, kQuit, kShot, kState };
  explicit RecordingEntry(Kind k) : kind(k) {}
  Kind kind;
  ce::DWORD tick = 0;  // kTicks: count reads of the tick count gave tick
  unsigned long count = 0;
  ce::UINT message = 0;  // kMessage: only input (see IsInputMessage)
  ce::WPARAM wParam = 0;
  ce::LPARAM lParam = 0;
  std::string name;  // kShot: a plain file name
};

// Reads a whole recording; false at the first line that is not right
// (the first line must name the format and its version), which *error names.
bool ParseRecording(std::istream& in, std::vector<RecordingEntry>* entries, LineError* error);

}  // namespace drivers
