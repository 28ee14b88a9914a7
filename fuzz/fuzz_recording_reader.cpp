// The recording reader on any bytes: it never crashes; what it accepts is
// only input inside the screen (or the window losing the focus), read back
// the same when written again, and its screenshots land inside the
// screenshots folder.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "drivers/recording_reader.h"
#include "fuzz/shot_folder.h"
#include "platform/messages.h"

namespace {

bool IsStylus(ce::UINT m) {
  return m == ce::WM_LBUTTONDOWN || m == ce::WM_MOUSEMOVE || m == ce::WM_LBUTTONUP;
}

bool IsKey(ce::UINT m) { return m == ce::WM_KEYDOWN || m == ce::WM_KEYUP || m == ce::WM_HOTKEY; }

std::string Write(const std::vector<drivers::RecordingEntry>& entries) {
  std::ostringstream out;
  out << "reedshot-recording 2\n";
  for (const drivers::RecordingEntry& e : entries) {
    switch (e.kind) {
      case drivers::RecordingEntry::kTicks:
        out << "T " << e.tick << " " << e.count << "\n";
        break;
      case drivers::RecordingEntry::kMessage:
        out << "M " << e.message << " " << e.wParam << " " << e.lParam << "\n";
        break;
      case drivers::RecordingEntry::kQuit:
        out << "Q\n";
        break;
      case drivers::RecordingEntry::kShot:
        out << "S " << e.name << "\n";
        break;
      case drivers::RecordingEntry::kState:
        out << "J\n";
        break;
      case drivers::RecordingEntry::kData:
        out << "D " << e.name << "\n";
        break;
    }
  }
  return out.str();
}

bool Same(const drivers::RecordingEntry& a, const drivers::RecordingEntry& b) {
  return a.kind == b.kind && a.tick == b.tick && a.count == b.count && a.message == b.message &&
         a.wParam == b.wParam && a.lParam == b.lParam && a.name == b.name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ShotFolder folder;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<drivers::RecordingEntry> entries;
  drivers::LineError wrong;
  if (!drivers::ParseRecording(in, &entries, &wrong)) {
    if (wrong.line < 1 || wrong.why.empty()) std::abort();
    return 0;
  }
  for (const drivers::RecordingEntry& e : entries) {
    if (e.kind == drivers::RecordingEntry::kTicks && e.count == 0) std::abort();
    if (e.kind == drivers::RecordingEntry::kShot) folder.Write(e.name);
    if (e.kind != drivers::RecordingEntry::kMessage) continue;
    if (IsStylus(e.message)) {
      if (e.lParam < 0 || (e.lParam & 0xFFFF) > 239 || (e.lParam >> 16) > 319) std::abort();
    } else if (IsKey(e.message)) {
      if (e.wParam > 0xFF) std::abort();
    } else if (e.message == ce::WM_ACTIVATE) {
      if (e.wParam != ce::WA_INACTIVE || e.lParam != 0) std::abort();
    } else if (e.message != ce::WM_TIMER) {
      std::abort();
    }
  }
  folder.CheckAndClear();
  std::istringstream again(Write(entries));
  std::vector<drivers::RecordingEntry> reread;
  if (!drivers::ParseRecording(again, &reread, &wrong) || reread.size() != entries.size())
    std::abort();
  for (size_t i = 0; i < entries.size(); ++i)
    if (!Same(entries[i], reread[i])) std::abort();
  return 0;
}
