#include "drivers/replay.h"

#include <climits>
#include <cstdio>

#include "drivers/script.h"
#include "platform/data_rows.h"

namespace drivers {

std::unique_ptr<ReplayDriver> ReplayDriver::FromFile(const std::string& path, std::string* error) {
  auto driver = std::unique_ptr<ReplayDriver>(new ReplayDriver);
  driver->path_ = path;
  std::ifstream in;
  bool regular = false;
  std::string why;
  if (!OpenLines(path, &in, &regular, &why)) {
    *error = "cannot read recording " + path + ": " + why;
    return nullptr;
  }
  if (!regular) {
    *error = "cannot read recording " + path + ": not a regular file";
    return nullptr;
  }
  RecordingReader reader(&in);
  LineError wrong;
  if (reader.ReadHeader(&wrong)) {
    RecordingEntry entry(RecordingEntry::kQuit);
    while (reader.Next(&entry, &wrong))
      if (entry.kind == RecordingEntry::kData) driver->data_.push_back(entry.name);
  }
  driver->carriesData_ = reader.version() >= 2;
  if (!wrong.why.empty()) {
    *error = wrong.Text(path);
    return nullptr;
  }
  if (!driver->entries_.Open(path) || !driver->ticks_.Open(path)) {
    *error = "cannot read recording " + path;
    return nullptr;
  }
  return driver;
}

bool ReplayDriver::Pass::Open(const std::string& path) {
  file.open(path, std::ios::binary);
  reader = std::make_unique<RecordingReader>(&file);
  LineError wrong;
  return file && reader->ReadHeader(&wrong);
}

bool ReplayDriver::Pass::Next(RecordingEntry* entry) {
  LineError wrong;
  if (reader->Next(entry, &wrong)) return true;
  // The file was checked whole; it changed since.
  if (!wrong.why.empty())
    std::fprintf(stderr, "reedshot: %s\n", wrong.Text("the recording").c_str());
  return false;
}

void ReplayDriver::ReadAhead() {
  haveNext_ = false;
  passTick_.reset();
  while (entries_.Next(&next_)) {
    if (next_.kind == RecordingEntry::kTicks && !passTick_) passTick_ = next_.tick;
    if (next_.kind == RecordingEntry::kTicks || next_.kind == RecordingEntry::kData) continue;
    haveNext_ = true;
    ticksBefore_ = entries_.reader->line();
    return;
  }
  ticksBefore_ = INT_MAX;
}

bool ReplayDriver::Begin() {
  if (carriesData_ && !ce::RestoreDataRows(data_)) return false;
  data_.clear();
  ce::headless::SetReplay(true);
  ReadAhead();
  return true;
}

void ReplayDriver::OnTicksUsedUp() {
  RecordingEntry entry(RecordingEntry::kQuit);
  while (ticks_.reader->line() + 1 < ticksBefore_ && ticks_.Next(&entry)) {
    if (entry.kind != RecordingEntry::kTicks) continue;
    ce::headless::FeedTicks(entry.tick, entry.count);
    return;
  }
}

bool ReplayDriver::OnIdle() {
  while (haveNext_) {
    const RecordingEntry entry = next_;
    // The tick counts read while this entry is handled follow it.
    ReadAhead();
    switch (entry.kind) {
      case RecordingEntry::kMessage:
        // The time that passed before the message was taken is played
        // first, so that sound keeps its place among the messages.
        if (passTick_) ce::headless::RunClockTo(*passTick_);
        ce::headless::PostInput(entry.message, entry.wParam, entry.lParam);
        return true;
      case RecordingEntry::kShot:
        TakeScreenshot(screenshotDir_, entry.name);
        continue;
      case RecordingEntry::kState:
        PrintState(state_);
        continue;
      case RecordingEntry::kQuit:
        return false;
      case RecordingEntry::kTicks:
      case RecordingEntry::kData:
        continue;
    }
  }
  return false;
}

}  // namespace drivers
