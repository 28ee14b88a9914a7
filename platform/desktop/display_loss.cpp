#include "platform/desktop/display_loss.h"

#include <SDL_syswm.h>
#include <unistd.h>

#include <atomic>

namespace ce::detail {

namespace {

constexpr char kLostEarly[] = "reedshot: the display went away\n";

std::atomic<bool> g_gone{false};
#if defined(SDL_VIDEO_DRIVER_X11)
std::atomic<Display*> g_watched{nullptr};

// Xlib calls this, then the connection's exit handler, once a connection
// breaks. Only the window's connection has an exit handler that returns.
int OnIOError(Display* display) {
  g_gone = true;
  if (display != nullptr && display == g_watched.load()) return 0;
  ssize_t written = write(STDERR_FILENO, kLostEarly, sizeof kLostEarly - 1);
  (void)written;
  _exit(1);
}

// Returns to the Xlib call that found the connection broken; every later
// call on it returns at once.
void OnIOErrorExit(Display*, void*) {}
#endif

}  // namespace

void CatchDisplayLoss() {
  g_gone = false;
#if defined(SDL_VIDEO_DRIVER_X11)
  g_watched = nullptr;
  XSetIOErrorHandler(&OnIOError);
#endif
}

void WatchDisplay(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  g_watched = info.info.x11.display;
  XSetIOErrorExitHandler(info.info.x11.display, &OnIOErrorExit, nullptr);
  // Set again: the video subsystem may have put its own in place.
  XSetIOErrorHandler(&OnIOError);
#else
  (void)window;
#endif
}

bool DisplayGone() { return g_gone; }

}  // namespace ce::detail
