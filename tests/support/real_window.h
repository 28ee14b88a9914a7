// Test support: the desktop build in a real X window, driven with real X
// input (xdotool) and watched by capturing the window's pixels over time.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/display_lock.h"
#include "tests/support/run_program.h"

// Last, and its macros that clash with the test framework's names undone.
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef None
#undef Bool
#undef Status
#undef True
#undef False
// clang-format on

namespace testsupport {

inline bool HaveTool(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; what it printed, without the trailing newline.
inline std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof(buffer), pipe) != nullptr) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

inline void PauseMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Why real-window tests cannot run here, or empty when they can.
inline std::string RealWindowUnavailable() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return "no display";
  for (const char* tool : {"xdotool", "import", "compare"})
    if (!HaveTool(tool)) return std::string("no ") + tool;
  return "";
}

// The main menu at rest, as a headless run of `binary` shows it after the
// intro and the title: the path of its picture in `dir`, or "" with the
// run's complaint in *error.
inline std::string MainMenuPicture(const std::string& binary, const std::string& dir,
                                   std::string* error) {
  std::ofstream(dir + "/menu.txt") << "wait 6000\ntap 120 160\nwait 3000\nshot menu\n";
  auto headless = RunProgram(binary, {"--script", dir + "/menu.txt", "--screenshots", dir,
                                      "--data-dir", dir + "/menu-data", "--mute"});
  *error = headless.err;
  return headless.status == 0 ? dir + "/menu.png" : "";
}

// One picture of the window: 0x00RRGGBB pixels, and when it was taken.
struct Capture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::chrono::steady_clock::time_point at;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The game in a real window, started with `args`; killed when the test ends.
class RealGame {
 public:
  RealGame(const std::string& binary, const std::vector<std::string>& args) {
    dir_ = MakeTempDir("realwindow");
    std::string runtime = dir_ + "/runtime";
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    pid_ = fork();
    if (pid_ == 0) {
      std::vector<char*> argv{const_cast<char*>(binary.c_str())};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(binary.c_str(), argv.data());
      _exit(127);
    }
    // Its own window: another test's may be open under the same name.
    window_ = Shell("xdotool search --sync --all --onlyvisible --pid " + std::to_string(pid_) +
                    " --name '^Reedshot$' | head -1");
    display_ = XOpenDisplay(nullptr);
  }

  ~RealGame() {
    if (display_ != nullptr) XCloseDisplay(display_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    unsetenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  bool Started() const { return !window_.empty() && display_ != nullptr; }
  const std::string& window() const { return window_; }
  const std::string& dir() const { return dir_; }
  pid_t pid() const { return pid_; }

  // xdotool at a frame-buffer point: the player sees (x, y) at (319 - y, x)
  // of a window at scale 1.
  void At(int x, int y, const std::string& then) {
    Shell("xdotool mousemove --window " + window_ + " " + std::to_string(319 - y) + " " +
          std::to_string(x) + " " + then);
  }
  void Click(int x, int y) { At(x, y, "click 1"); }

  Capture Grab() {
    Capture c;
    c.at = std::chrono::steady_clock::now();
    Window w = static_cast<Window>(std::stoul(window_));
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, w, &attributes) == 0) return c;
    XImage* image =
        XGetImage(display_, w, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr) return c;
    c.width = image->width;
    c.height = image->height;
    c.pixels.resize(static_cast<size_t>(c.width) * c.height);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x)
        c.pixels[static_cast<size_t>(y) * c.width + x] = XGetPixel(image, x, y) & 0xFFFFFF;
    XDestroyImage(image);
    return c;
  }

  // Captures the window as often as it can for `ms` milliseconds.
  std::vector<Capture> Watch(int ms) {
    std::vector<Capture> captures;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
      captures.push_back(Grab());
      PauseMs(2);
    }
    return captures;
  }

  // Waits until the window shows the picture `png` (ImageMagick's compare),
  // which real time reaches at its own pace; false after `seconds`.
  bool WaitUntilShows(const std::string& png, int seconds = 30) {
    std::string real = dir_ + "/real.png";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    do {
      PauseMs(300);
      Shell("import -window " + window_ + " " + real);
      if (Shell("compare -metric AE " + real + " " + png + " null: 2>&1") == "0") return true;
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
  }

  // Waits until the part of the window at (x, y), w x h pixels, shows what
  // `png` shows there; false after `seconds`.
  bool WaitUntilPartShows(const std::string& png, int x, int y, int w, int h, int seconds = 30) {
    std::string real = dir_ + "/real.png";
    char part[64];
    std::snprintf(part, sizeof(part), "[%dx%d+%d+%d]", w, h, x, y);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    do {
      PauseMs(100);
      Shell("import -window " + window_ + " " + real);
      if (Shell("compare -metric AE '" + real + part + "' '" + png + part + "' null: 2>&1") == "0")
        return true;
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
  }

  // Keys typed on the real keyboard into the window (xdotool's key names).
  void Keys(const std::string& names) {
    Shell("xdotool windowfocus --sync " + window_ + " key --delay 60 " + names);
  }

  // Waits for it to end by itself; its exit status, or -1 when it is still
  // running after `seconds`.
  int WaitForExit(int seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return -1;
      PauseMs(50);
    }
    pid_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Closes it as the window manager would; its exit status.
  int Close() {
    kill(pid_, SIGTERM);
    int status = 0;
    if (waitpid(pid_, &status, 0) != pid_) return -1;
    pid_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  DisplayLock lock_;  // first: held while the window lives
  std::string dir_;
  std::string window_;
  pid_t pid_ = 0;
  Display* display_ = nullptr;
};

}  // namespace testsupport
