// The script parser on any bytes: it never crashes; what it accepts posts
// only input a recording may hold, and its screenshots land inside the
// screenshots folder.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/input_message.h"
#include "app/script_parser.h"
#include "fuzz/shot_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ShotFolder folder;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<app::ScriptStep> steps;
  app::LineError wrong;
  if (!app::ParseScript(in, &steps, &wrong)) {
    if (wrong.line < 1 || wrong.why.empty()) std::abort();
    return 0;
  }
  for (const app::ScriptStep& step : steps) {
    if (step.kind == app::ScriptStep::kShot) folder.Write(step.name);
    if (step.kind == app::ScriptStep::kPost &&
        !app::IsInputMessage(step.message, step.wParam, step.lParam))
      std::abort();
  }
  folder.CheckAndClear();
  return 0;
}
