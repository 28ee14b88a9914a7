// Screenshot names from scripts and recordings. They come from files that
// players share, so a name is a plain file name and its picture is written
// only inside the folder the player chose.
#pragma once

#include <string>

namespace drivers {

// True when name is a plain file name: not empty, at most 200 bytes, with no
// '/', no "..", and no control characters. Otherwise *why says what is wrong.
bool CheckScreenshotName(const std::string& name, std::string* why);

// Where the screenshot called name goes: dir/name.png. Empty when there is
// no folder or the name is not a plain file name: nothing is written then.
std::string ScreenshotPath(const std::string& dir, const std::string& name);

}  // namespace drivers
