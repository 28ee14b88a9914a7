// Recordings as text (see drivers/recorder.h for the format). Reading runs
// nothing: it turns lines into entries or says what is wrong.
#pragma once

#include <istream>
#include <set>
#include <string>
#include <vector>

#include "drivers/line_words.h"
#include "platform/types.h"

namespace drivers {

struct RecordingEntry {
  enum Kind { kTicks, kMessage, kQuit, kShot, kState, kData };
  explicit RecordingEntry(Kind k) : kind(k) {}
  Kind kind;
  ce::DWORD tick = 0;  // kTicks: count reads of the tick count gave tick
  unsigned long count = 0;
  ce::UINT message = 0;  // kMessage: only input (see IsInputMessage)
  ce::WPARAM wParam = 0;
  ce::LPARAM lParam = 0;
  std::string name;  // kShot: a plain file name; kData: a row of the data file
};

// Reads a recording one entry at a time, holding one line at most.
class RecordingReader {
 public:
  explicit RecordingReader(std::istream* in) : in_(in) {}
  // The first line, which must name the format and its version; false,
  // with *error, when it does not.
  bool ReadHeader(LineError* error);
  // The file's format version, once the first line is read. From version
  // 2 on, the data rows come first, as kData entries.
  int version() const { return version_; }
  // The next entry. False at the end (error->why empty) or at a line that
  // is not right (error->why says what, error->line which).
  bool Next(RecordingEntry* entry, LineError* error);
  // The line of the entry Next gave last.
  int line() const { return line_; }

 private:
  std::istream* in_;
  int line_ = 0;
  int version_ = 0;
  std::size_t dataRows_ = 0;
  std::set<std::string> dataKeys_;  // the keys of the data rows so far
  bool pastData_ = false;           // an entry of the run came: no more data rows
  std::string text_;
};

// Reads a whole recording into *entries; false at the first line that is
// not right, which *error names.
bool ParseRecording(std::istream& in, std::vector<RecordingEntry>* entries, LineError* error);

}  // namespace drivers
