// Plays a recording back headless: the same messages at the same tick
// counts, so the run takes the same course.
#pragma once

#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drivers/recording_reader.h"
#include "platform/headless/headless.h"

namespace drivers {

class ReplayDriver : public ce::headless::Driver {
 public:
  // Checks the whole recording, line by line, before anything runs;
  // nullptr (with *error) when it cannot be read, is not a regular file
  // (it is read twice), or is not a recording this program plays.
  static std::unique_ptr<ReplayDriver> FromFile(const std::string& path, std::string* error);

  // Once the platform runs: the data folder gets the data the recorded run
  // started with (a recording of version 2 carries it), and the device
  // takes its tick counts from the recording, starting with those read
  // before the first message. False when the data cannot be written.
  bool Begin();
  // The recording carries the data its run started with (version 2 on);
  // and how many rows of it.
  bool carriesData() const { return carriesData_; }
  size_t dataRows() const { return data_.size(); }
  void SetStateFunction(std::function<std::string()> state) { state_ = std::move(state); }
  void SetScreenshotDir(std::string dir) { screenshotDir_ = std::move(dir); }
  bool OnIdle() override;
  void OnTicksUsedUp() override;

 private:
  // One pass over the file, from its second line.
  struct Pass {
    std::ifstream file;
    std::unique_ptr<RecordingReader> reader;
    bool Open(const std::string& path);
    // The next entry, or false at the end.
    bool Next(RecordingEntry* entry);
  };

  // Reads ahead to the next entry that is not tick counts.
  void ReadAhead();

  std::string path_;
  bool carriesData_ = false;
  std::vector<std::string> data_;  // the data rows, read in the check
  // Two passes run side by side, so that only a line or two is held: one
  // over the entries the run takes in turn, one over the tick counts.
  Pass entries_, ticks_;
  RecordingEntry next_{RecordingEntry::kQuit};
  bool haveNext_ = false;
  // Tick counts on lines before this one may be read: those written before
  // the entry the run took last.
  int ticksBefore_ = 0;
  // The first tick count read while the entry taken next is handled.
  std::optional<ce::DWORD> passTick_;
  std::function<std::string()> state_;
  std::string screenshotDir_;  // empty: screenshots are not written
};

}  // namespace drivers
