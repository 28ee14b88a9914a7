// The desktop's display going away (the X server ends, its connection
// breaks). Xlib's answer is to end the process at once, running the static
// destructors under the program's own threads and skipping the exit save;
// here the loss is noted and the Xlib call returns instead, so that the run
// ends as closing the window ends it.
#pragma once

#include <SDL.h>

namespace ce::detail {

// Before the video subsystem starts. A connection lost before WatchDisplay
// (nothing is open to save yet), or one that is not the window's, ends the
// process at once (_exit) with one line on stderr.
void CatchDisplayLoss();
// The window's connection: its loss is only noted (DisplayGone).
void WatchDisplay(SDL_Window* window);
bool DisplayGone();

}  // namespace ce::detail
