// The versions of SDL and SQLite that the program runs with.
#include <SDL.h>
#include <sqlite3.h>

#include <string>

#include "platform/platform.h"

namespace ce {

std::string LibraryVersions() {
  SDL_version sdl;
  SDL_GetVersion(&sdl);
  return "SDL " + std::to_string(sdl.major) + "." + std::to_string(sdl.minor) + "." +
         std::to_string(sdl.patch) + ", SQLite " + sqlite3_libversion();
}

}  // namespace ce
