// Build tool: writes the program's icon from the game's own pictures.
#include <cstdio>
#include <cstdlib>

#include "drivers/icon.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SIZE ICON.png | %s svg ICON.svg\n", argv[0], argv[0]);
    return 2;
  }
  return drivers::WriteIcon(argv[2], std::atoi(argv[1]));
}
