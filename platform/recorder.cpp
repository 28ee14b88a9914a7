#include "platform/recorder.h"

#include <cstdio>
#include <memory>

#include "platform/device.h"

namespace ce {

namespace {

struct Recorder {
  std::unique_ptr<FILE, int (*)(FILE*)> file{nullptr, &std::fclose};
  DWORD tick = 0;
  unsigned long reads = 0;

  void FlushTicks() {
    if (reads == 0) return;
    std::fprintf(file.get(), "T %u %lu\n", static_cast<unsigned>(tick), reads);
    reads = 0;
  }
};

std::unique_ptr<Recorder> g_recorder;

}  // namespace

namespace recording {

bool Start(const std::string& path) {
  auto recorder = std::make_unique<Recorder>();
  recorder->file.reset(std::fopen(path.c_str(), "w"));
  if (!recorder->file) return false;
  std::fprintf(recorder->file.get(), "%s %d\n", recording::kFormatName, recording::kFormatVersion);
  g_recorder = std::move(recorder);
  return true;
}

void Stop() {
  if (!g_recorder) return;
  g_recorder->FlushTicks();
  g_recorder.reset();
}

bool Active() { return g_recorder != nullptr; }

void Note(const std::string& entry) {
  if (!g_recorder) return;
  g_recorder->FlushTicks();
  std::fprintf(g_recorder->file.get(), "%s\n", entry.c_str());
}

}  // namespace recording

namespace detail {

void RecordTick(DWORD tick) {
  if (!g_recorder) return;
  if (g_recorder->reads > 0 && g_recorder->tick != tick) g_recorder->FlushTicks();
  g_recorder->tick = tick;
  g_recorder->reads += 1;
}

void RecordMessage(const MSG& msg) {
  if (!g_recorder) return;
  g_recorder->FlushTicks();
  std::fprintf(g_recorder->file.get(), "M %u %llu %lld\n", msg.message,
               static_cast<unsigned long long>(msg.wParam), static_cast<long long>(msg.lParam));
}

void RecordQuit() {
  if (!g_recorder) return;
  g_recorder->FlushTicks();
  std::fputs("Q\n", g_recorder->file.get());
  std::fflush(g_recorder->file.get());
}

}  // namespace detail

}  // namespace ce
