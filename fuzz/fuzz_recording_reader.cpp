// The recording reader on any bytes: it never crashes; what it accepts is
// only input inside the screen, read back the same when written again, and
// its screenshots land inside the screenshots folder.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/recording_reader.h"
#include "fuzz/shot_folder.h"
#include "platform/messages.h"

namespace {

bool IsStylus(ce::UINT m) {
  return m == ce::WM_LBUTTONDOWN || m == ce::WM_MOUSEMOVE || m == ce::WM_LBUTTONUP;
}

bool IsKey(ce::UINT m) { return m == ce::WM_KEYDOWN || m == ce::WM_KEYUP || m == ce::WM_HOTKEY; }

std::string Write(const std::vector<app::RecordingEntry>& entries) {
  std::ostringstream out;
  out << "reedshot-recording 1\n";
  for (const app::RecordingEntry& e : entries) {
    switch (e.kind) {
      case app::RecordingEntry::kTicks:
        out << "T " << e.tick << " " << e.count << "\n";
        break;
      case app::RecordingEntry::kMessage:
        out << "M " << e.message << " " << e.wParam << " " << e.lParam << "\n";
        break;
      case app::RecordingEntry::kQuit:
        out << "Q\n";
        break;
      case app::RecordingEntry::kShot:
        out << "S " << e.name << "\n";
        break;
      case app::RecordingEntry::kState:
        out << "J\n";
        break;
    }
  }
  return out.str();
}

bool Same(const app::RecordingEntry& a, const app::RecordingEntry& b) {
  return a.kind == b.kind && a.tick == b.tick && a.count == b.count && a.message == b.message &&
         a.wParam == b.wParam && a.lParam == b.lParam && a.name == b.name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ShotFolder folder;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<app::RecordingEntry> entries;
  app::LineError wrong;
  if (!app::ParseRecording(in, &entries, &wrong)) {
    if (wrong.line < 1 || wrong.why.empty()) std::abort();
    return 0;
  }
  for (const app::RecordingEntry& e : entries) {
    if (e.kind == app::RecordingEntry::kTicks && e.count == 0) std::abort();
    if (e.kind == app::RecordingEntry::kShot) folder.Write(e.name);
    if (e.kind != app::RecordingEntry::kMessage) continue;
    if (IsStylus(e.message)) {
      if (e.lParam < 0 || (e.lParam & 0xFFFF) > 239 || (e.lParam >> 16) > 319) std::abort();
    } else if (IsKey(e.message)) {
      if (e.wParam > 0xFF) std::abort();
    } else if (e.message != ce::WM_TIMER) {
      std::abort();
    }
  }
  folder.CheckAndClear();
  std::istringstream again(Write(entries));
  std::vector<app::RecordingEntry> reread;
  if (!app::ParseRecording(again, &reread, &wrong) || reread.size() != entries.size()) std::abort();
  for (size_t i = 0; i < entries.size(); ++i)
    if (!Same(entries[i], reread[i])) std::abort();
  return 0;
}
