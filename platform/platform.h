// Bringing the device up and down, and the run's options.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ce {

struct PlatformOptions {
  bool headless = false;
  int scale = 0;  // 0: the largest that fits the display
  bool fullscreen = false;
  bool portrait = false;
  bool mute = false;
  std::string dataDir;   // empty: the user's data directory
  std::string audioOut;  // headless: write what the wave device plays here
  std::string screenshotsDir;
  // The window plays a game back: a driver feeds it (ce::headless's
  // calls), and the player's input only speeds it up or ends it.
  bool playback = false;
};

// Why a window cannot open here ("" when it may): no display to open it on,
// as far as the environment tells before the device starts. A video driver
// the user names in SDL_VIDEODRIVER is theirs to choose.
std::string NoDisplayReason();

// Starts the live device (SDL on the desktop, the page in a browser) or the
// headless one. On failure returns false and says why in *error. The calling thread becomes the
// main thread.
bool StartPlatform(const PlatformOptions& options, std::string* error);
// Waits until every thread made by CreateThread has ended (those never
// resumed end unrun); after five seconds it names on stderr the ones still
// running and goes on. Then the device goes down.
void StopPlatform();
bool PlatformStarted();
const PlatformOptions& GetPlatformOptions();
// True when the run ended because the window's display went away (the X
// server ended or the connection broke): it ended as closing the window
// ends it, and the program exits with a failure status.
bool DisplayLost();
// The main thread's tick count is the program's own clock (headless, or
// the desktop's, platform/program_clock.h): a game is decided by its input
// and the times it came alone.
bool ProgramClockIsExact();
// A label over the window's picture, outside it: neither the game nor a
// screenshot sees it. RGB565 frame-buffer pixels, `width` x `height`, its
// top-left corner at frame-buffer point (x, y).
void ShowWindowLabel(std::vector<std::uint16_t> pixels, int width, int height, int x, int y);

// Landscape view of the window (as the player holds the device), or the
// unturned frame buffer with --portrait. Writes a PNG; false on failure.
bool SaveWindowScreenshot(const std::string& path);

// A description of the run (one line of JSON), which a device may ask for
// on the main thread: the browser page's tests read the run through it.
void SetStateReporter(std::string (*reporter)());
std::string (*StateReporter())();

// What the program's teardown writes, written while the run goes on. A
// device whose program may be ended without a teardown (the browser may
// discard a hidden page) calls it on the main thread, between messages.
void SetTeardownSave(void (*save)());
void (*TeardownSave())();

// What the keyboard of a device with a player needs of the program: which
// screen is shown, and the sound volume stepped up or down as the options
// screen's slider steps it, the change kept as its OK keeps it.
enum class ShownScreen { kOther, kGame, kPauseMenu, kNameEntry, kOptions };
struct KeyboardHooks {
  ShownScreen (*shown)() = nullptr;
  void (*stepSoundVolume)(int steps) = nullptr;
};
void SetKeyboardHooks(const KeyboardHooks& hooks);
ShownScreen CurrentScreen();
void StepSoundVolume(int steps);

// Where settings and scores live: `configured` (the --data-dir option) or
// else $XDG_DATA_HOME/reedshot, or ~/.local/share/reedshot.
std::string DataDirectory(const std::string& configured);
// The home folder when the data directory would be made inside it but it
// does not exist (a home is never made); "" otherwise.
std::string MissingHome(const std::string& configured);

// The versions of the libraries in use, as loaded: "SDL 2.x.y, SQLite 3.x.y".
std::string LibraryVersions();

// Converts between UTF-16 device strings and UTF-8.
std::string ToUtf8(const char16_t* text);
std::u16string FromUtf8(const std::string& text);

}  // namespace ce
