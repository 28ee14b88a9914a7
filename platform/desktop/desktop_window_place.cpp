#include "platform/desktop/desktop_window_place.h"

#include <charconv>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/output_file.h"

namespace ce::detail {

namespace {

constexpr char kHeader[] = "reedshot window 1";
// Beyond any screen there is, either way.
constexpr int kFarthest = 1 << 20;

bool ToInt(const std::string& text, int low, int high, int* value) {
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  *value = v;
  return true;
}

}  // namespace

std::string WindowPlacePath(const std::string& dataDir) { return dataDir + "/reedshot.window"; }

bool ReadWindowPlace(const std::string& path, WindowPlace* place) {
  std::ifstream in(path);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return false;
  std::map<std::string, std::string> values;
  for (int lines = 0; lines < 16 && std::getline(in, line); ++lines) {
    size_t space = line.find(' ');
    if (space != std::string::npos) values[line.substr(0, space)] = line.substr(space + 1);
  }
  WindowPlace read;
  int fullscreen = 0;
  if (!ToInt(values["width"], 1, kFarthest, &read.width) ||
      !ToInt(values["height"], 1, kFarthest, &read.height) ||
      !ToInt(values["scale"], 1, 64, &read.scale) ||
      !ToInt(values["fullscreen"], 0, 1, &fullscreen))
    return false;
  read.fullscreen = fullscreen == 1;
  read.placed = ToInt(values["x"], -kFarthest, kFarthest, &read.x) &&
                ToInt(values["y"], -kFarthest, kFarthest, &read.y);
  *place = read;
  return true;
}

bool WriteWindowPlace(const std::string& path, const WindowPlace& place, std::string* error) {
  std::ostringstream text;
  text << kHeader << "\nwidth " << place.width << "\nheight " << place.height << "\n";
  if (place.placed) text << "x " << place.x << "\ny " << place.y << "\n";
  text << "scale " << place.scale << "\nfullscreen " << (place.fullscreen ? 1 : 0) << "\n";
  const std::string bytes = text.str();
  return WriteFileReplacing(path, bytes.data(), bytes.size(), error);
}

}  // namespace ce::detail
