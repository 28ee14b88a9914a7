// The script parser on any bytes: it never crashes; what it accepts posts
// only input a recording may hold, and its screenshots land inside the
// screenshots folder.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "drivers/input_message.h"
#include "drivers/script_parser.h"
#include "fuzz/shot_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ShotFolder folder;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<drivers::ScriptStep> steps;
  drivers::LineError wrong;
  if (!drivers::ParseScript(in, &steps, &wrong)) {
    if (wrong.line < 1 || wrong.why.empty()) std::abort();
    return 0;
  }
  for (const drivers::ScriptStep& step : steps) {
    if (step.kind == drivers::ScriptStep::kShot) folder.Write(step.name);
    if (step.kind == drivers::ScriptStep::kPost &&
        !drivers::IsInputMessage(step.message, step.wParam, step.lParam))
      std::abort();
  }
  folder.CheckAndClear();
  return 0;
}
