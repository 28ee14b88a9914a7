// Hooks for tests: what the device was asked to do.
#pragma once

#include <string>
#include <vector>

namespace ce::testing {

struct BitBltRecord {
  int x, y, width, height, srcX, srcY;
  bool toWindow;
};

// Records every BitBlt while a log is set (nullptr stops recording).
void RecordBitBlts(std::vector<BitBltRecord>* log);

struct MessageBoxRecord {
  void* owner;
  std::string text;
  std::string caption;  // "" when there was none
  unsigned type;
};

// Records every MessageBoxW while a log is set (nullptr stops recording).
void RecordMessageBoxes(std::vector<MessageBoxRecord>* log);

// Pixel (x, y) of the window as last blitted (frame-buffer coordinates).
unsigned short WindowPixel(int x, int y);

}  // namespace ce::testing
