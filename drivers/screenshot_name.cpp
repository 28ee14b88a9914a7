#include "drivers/screenshot_name.h"

namespace drivers {

namespace {

// Leaves room for ".png" within the usual 255-byte limit of a file name.
constexpr size_t kLongestName = 200;

}  // namespace

bool CheckScreenshotName(const std::string& name, std::string* why) {
  if (name.empty() || name.size() > kLongestName) {
    *why = "a screenshot's name must hold 1 to 200 characters";
    return false;
  }
  if (name.find('/') != std::string::npos || name.find("..") != std::string::npos) {
    *why = "a screenshot's name is a plain file name, with no '/' and no '..'";
    return false;
  }
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      *why = "a screenshot's name may not hold control characters";
      return false;
    }
  }
  return true;
}

std::string ScreenshotPath(const std::string& dir, const std::string& name) {
  std::string why;
  if (dir.empty() || !CheckScreenshotName(name, &why)) return "";
  return dir + "/" + name + ".png";
}

}  // namespace drivers
