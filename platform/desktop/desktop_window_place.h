// Where the desktop window stood and how big it was, kept in a small text
// file beside the data file between runs (not among the game's settings).
#pragma once

#include <string>

namespace ce::detail {

struct WindowPlace {
  int width = 0, height = 0;  // the window's size when not in full screen
  bool placed = false;        // the system told where it stood
  int x = 0, y = 0;
  int scale = 0;  // the picture's scale in that size
  bool fullscreen = false;
};

// The file in the data folder `dataDir`.
std::string WindowPlacePath(const std::string& dataDir);
// False when there is no such file or it is not one this program wrote.
bool ReadWindowPlace(const std::string& path, WindowPlace* place);
// False, with the system's reason, when it cannot be written.
bool WriteWindowPlace(const std::string& path, const WindowPlace& place, std::string* error);

}  // namespace ce::detail
