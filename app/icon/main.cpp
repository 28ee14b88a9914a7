// Build tool: writes the program's icon from the game's own pictures.
#include <cstdio>

#include "app/asset_export.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s ICON.png\n", argv[0]);
    return 2;
  }
  return app::WriteIcon(argv[1]);
}
