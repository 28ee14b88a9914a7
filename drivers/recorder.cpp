#include "drivers/recorder.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/data_rows.h"
#include "platform/platform.h"
#include "platform/run_observer.h"

namespace drivers::recording {

namespace {

class Recorder : public ce::RunObserver {
 public:
  std::unique_ptr<FILE, int (*)(FILE*)> file{nullptr, &std::fclose};

  void FlushTicks() {
    if (reads_ == 0) return;
    std::fprintf(file.get(), "T %u %lu\n", static_cast<unsigned>(tick_), reads_);
    reads_ = 0;
  }

  void TickRead(ce::DWORD tick) override {
    if (reads_ > 0 && tick_ != tick) FlushTicks();
    tick_ = tick;
    reads_ += 1;
  }

  void MessageTaken(const ce::MSG& msg) override {
    FlushTicks();
    std::fprintf(file.get(), "M %u %llu %lld\n", msg.message,
                 static_cast<unsigned long long>(msg.wParam), static_cast<long long>(msg.lParam));
  }

  void RunEnded() override {
    FlushTicks();
    std::fputs("Q\n", file.get());
    std::fflush(file.get());
  }

 private:
  ce::DWORD tick_ = 0;
  unsigned long reads_ = 0;
};

std::unique_ptr<Recorder> g_recorder;

}  // namespace

bool Start(const std::string& path) {
  auto recorder = std::make_unique<Recorder>();
  recorder->file.reset(std::fopen(path.c_str(), "w"));
  if (!recorder->file) return false;
  std::fprintf(recorder->file.get(), "%s %d\n", kFormatName, kFormatVersion);
  std::string skipped;
  std::vector<std::string> rows;
  if (ce::PlatformStarted()) rows = ce::DataRows(&skipped);
  for (const std::string& row : rows) std::fprintf(recorder->file.get(), "D %s\n", row.c_str());
  if (!skipped.empty())
    std::fprintf(stderr, "reedshot: a row of %s is too long for the recording; left out\n",
                 skipped.c_str());
  if (std::fflush(recorder->file.get()) != 0) return false;
  g_recorder = std::move(recorder);
  ce::SetRunObserver(g_recorder.get());
  return true;
}

void Stop() {
  if (!g_recorder) return;
  ce::SetRunObserver(nullptr);
  g_recorder->FlushTicks();
  g_recorder.reset();
}

bool Active() { return g_recorder != nullptr; }

void Note(const std::string& entry) {
  if (!g_recorder) return;
  g_recorder->FlushTicks();
  std::fprintf(g_recorder->file.get(), "%s\n", entry.c_str());
}

}  // namespace drivers::recording
