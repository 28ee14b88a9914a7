#include "drivers/recorder.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/data_rows.h"
#include "platform/output_file.h"
#include "platform/platform.h"
#include "platform/run_observer.h"

namespace drivers::recording {

namespace {

class Recorder : public ce::RunObserver {
 public:
  ce::OutputFile file;
  bool failed = false;

  // Lines wait here and go to the file in large writes.
  void Line(const std::string& line) {
    pending_ += line;
    pending_ += '\n';
    if (pending_.size() >= kPendingBytes) Flush();
  }

  bool Flush() {
    if (!file.Write(pending_.data(), pending_.size())) failed = true;
    pending_.clear();
    return !failed;
  }

  void FlushTicks() {
    if (reads_ == 0) return;
    Line("T " + std::to_string(tick_) + " " + std::to_string(reads_));
    reads_ = 0;
  }

  void TickRead(ce::DWORD tick) override {
    if (reads_ > 0 && tick_ != tick) FlushTicks();
    tick_ = tick;
    reads_ += 1;
  }

  void MessageTaken(const ce::MSG& msg) override {
    FlushTicks();
    Line("M " + std::to_string(msg.message) + " " +
         std::to_string(static_cast<unsigned long long>(msg.wParam)) + " " +
         std::to_string(static_cast<long long>(msg.lParam)));
  }

  void RunEnded() override {
    FlushTicks();
    Line("Q");
    Flush();
  }

 private:
  static constexpr std::size_t kPendingBytes = 1 << 16;
  std::string pending_;
  ce::DWORD tick_ = 0;
  unsigned long reads_ = 0;
};

std::unique_ptr<Recorder> g_recorder;

}  // namespace

bool Start(const std::string& path, std::string* error) {
  auto recorder = std::make_unique<Recorder>();
  if (!recorder->file.Open(path)) {
    if (error != nullptr) *error = recorder->file.Error();
    return false;
  }
  recorder->Line(std::string(kFormatName) + " " + std::to_string(kFormatVersion));
  std::string skipped;
  std::vector<std::string> rows;
  if (ce::PlatformStarted()) rows = ce::DataRows(&skipped);
  for (const std::string& row : rows) recorder->Line("D " + row);
  if (!skipped.empty())
    std::fprintf(stderr, "reedshot: a row of %s is too long for the recording; left out\n",
                 skipped.c_str());
  if (!recorder->Flush()) {
    if (error != nullptr) *error = recorder->file.Error();
    return false;
  }
  g_recorder = std::move(recorder);
  ce::SetRunObserver(g_recorder.get());
  return true;
}

bool Stop() {
  if (!g_recorder) return true;
  ce::SetRunObserver(nullptr);
  g_recorder->FlushTicks();
  // The recording takes its name only now, whole.
  bool written = g_recorder->Flush() && g_recorder->file.Commit();
  if (!written)
    std::fprintf(stderr, "reedshot: cannot write the recording: %s\n",
                 g_recorder->file.Error().c_str());
  g_recorder.reset();
  return written;
}

bool Active() { return g_recorder != nullptr; }

void Note(const std::string& entry) {
  if (!g_recorder) return;
  g_recorder->FlushTicks();
  g_recorder->Line(entry);
}

}  // namespace drivers::recording
