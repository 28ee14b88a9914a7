// The desktop device: an SDL2 window that shows the emulated 240 x 320
// screen turned to landscape, integer-scaled, with the mouse, the first
// finger on a touch screen or a game controller as the stylus.
#include <SDL.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "platform/desktop/desktop_gamepad.h"
#include "platform/desktop/desktop_window_place.h"
#include "platform/desktop/display_loss.h"
#include "platform/device.h"
#include "platform/device_input.h"
#include "platform/ending_signals.h"
#include "platform/keyboard.h"
#include "platform/live_clock.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/playback_clock.h"
#include "platform/png_writer.h"
#include "platform/single_instance.h"
#include "platform/wave_device.h"

namespace ce::detail {

namespace {

constexpr char kNoWindowAdvice[] =
    "Is there a display? To play without one, run a script with --headless --script FILE, "
    "or watch the demo with --demo.";

// SDL shows a message box from a child process it forks: that child ends
// with the game (even when the game is killed), and an ending signal ends
// it at once.
bool g_showingBox = false;

void InMessageBoxChild() {
  if (!g_showingBox) return;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  SetModalChild(static_cast<int>(getpid()));
}

class DesktopDevice final : public Device, public GamepadTarget {
 public:
  explicit DesktopDevice(const PlatformOptions& options)
      : options_(options), gamepads_(this, ViewWidth(), ViewHeight(), options.portrait) {}

  ~DesktopDevice() override {
    // A display that went away is left alone: closing the window would
    // wait for its answer for ever.
    if (DisplayGone()) return;
    KeepPlace();
    if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  bool Init(std::string* error) {
    CatchDisplayLoss();
    // The program's own handlers end the run on a signal (ce::EndingSignal).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    static const bool forkWatched = pthread_atfork(nullptr, nullptr, &InMessageBoxChild) == 0;
    (void)forkWatched;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      *error = std::string("cannot open a window (") + SDL_GetError() + "). " + kNoWindowAdvice;
      return false;
    }
    // Without a display SDL may fall back to a driver that shows nothing:
    // the game would run unseen, holding the data folder. A display that
    // refused the connection for a moment is asked once more.
    for (int attempt = 1; InvisibleDriver(); ++attempt) {
      const std::string driver = SDL_GetCurrentVideoDriver();
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      if (attempt == 2) {
        *error = "cannot open a window (no display; SDL offers only its " + driver + " driver). " +
                 kNoWindowAdvice;
        return false;
      }
      SDL_Delay(200);
      if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *error = std::string("cannot open a window (") + SDL_GetError() + "). " + kNoWindowAdvice;
        return false;
      }
    }
    gamepads_.Init();  // without it, the game is played without controllers
    return true;
  }

  // SDL chose a video driver that shows nothing, which the user did not ask
  // for in SDL_VIDEODRIVER.
  static bool InvisibleDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return (asked == nullptr || *asked == '\0') && driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
  }

  DWORD Now() override {
    auto now = Clock::now();
    // A busy wait on the clock still lets the player see and be heard.
    if (IsMainThread() && now - lastKeepAlive_ >= std::chrono::milliseconds(1)) KeepAlive(now);
    if (options_.playback) return playback_.Read(IsMainThread());
    return clock_.Ticks(now);
  }

  void SleepFor(DWORD ms) override {
    if (!IsMainThread()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
      return;
    }
    if (options_.playback) {
      if (playbackDriver_ != nullptr) playbackDriver_->OnSleep(ms);
      PlaybackAdvance(ms);
      return;
    }
    // The window is shown and read all along; a frame due wakes it early.
    LiveClock::SleepInSlices(ms, [this](Clock::time_point now, Clock::time_point wake) {
      KeepAlive(now);
      return dirty_.Any() ? std::min(wake, std::max(now, nextPresent_)) : wake;
    });
  }

  bool OpenWindow() override {
    int scale = options_.scale;
    if (scale <= 0) {
      SDL_Rect usable;
      scale = 3;
      if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
        scale = std::clamp(std::min((usable.w - 40) / ViewWidth(), (usable.h - 80) / ViewHeight()),
                           1, 6);
    }
    // Where the window was at the end of the last run, unless told
    // otherwise: --scale sets the size, --fullscreen full screen.
    int width = ViewWidth() * scale, height = ViewHeight() * scale;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    WindowPlace saved;
    const bool haveSaved = ReadWindowPlace(PlacePath(), &saved);
    if (haveSaved && options_.scale <= 0) {
      width = std::max(saved.width, ViewWidth());
      height = std::max(saved.height, ViewHeight());
    }
    if (haveSaved && saved.placed && OnADisplay(saved.x, saved.y, width, height)) {
      x = saved.x;
      y = saved.y;
    }
    fullscreen_ = options_.fullscreen || (haveSaved && saved.fullscreen);
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen_) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow("Reedshot", x, y, width, height, flags);
    if (window_ == nullptr) return false;
    windowed_ = {width, height, x != SDL_WINDOWPOS_CENTERED, x, y, scale, false};
    WatchDisplay(window_);
    SDL_SetWindowMinimumSize(window_, ViewWidth(), ViewHeight());
    // Presents follow the display's refresh, never faster; they are not tied
    // to its vertical blank, so that showing a frame never holds a pass back.
    SDL_DisplayMode mode;
    int hz = SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(window_), &mode) == 0 &&
                     mode.refresh_rate > 0
                 ? mode.refresh_rate
                 : 60;
    presentInterval_ = std::chrono::microseconds(1000000 / std::clamp(hz, 30, 240));
    // The stylus needs no pointer, but a mouse player aims with one.
    cursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_CROSSHAIR);
    if (cursor_ != nullptr) SDL_SetCursor(cursor_);
    if (!Layout()) return false;
    Present();
    return true;
  }

  void RaiseWindow() override {
    if (window_ == nullptr || DisplayGone()) return;
    SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
  }

  void WindowChanged(int left, int top, int right, int bottom) override {
    // Frame-buffer rectangle to the rectangle of the view that shows it.
    if (options_.portrait)
      dirty_.Add(left, top, right, bottom);
    else
      dirty_.Add(kScreenHeight - bottom, left, kScreenHeight - top, right);
  }

  int ShowMessageBox(const std::string& caption, const std::string& text) override {
    if (DisplayGone()) {
      std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
      return 1;  // IDOK
    }
    Present();
    g_showingBox = true;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION,
                             caption.empty() ? "Reedshot" : caption.c_str(), text.c_str(), window_);
    g_showingBox = false;
    SetModalChild(0);
    return 1;  // IDOK
  }

  bool IsHeadless() const override { return false; }
  // A game played back runs on the driver's clock instead.
  bool PacesProgramClock() const override { return !options_.playback; }
  bool DisplayLost() const override { return DisplayGone(); }
  bool MakesTimerMessages() const override { return !(options_.playback && feeding_); }

  void SetPlaybackDriver(RunDriver* driver) override {
    if (options_.playback) playbackDriver_ = driver;
  }
  void PlaybackWait(DWORD ms) override { playback_.Wait(ms); }
  void PlaybackRunClockTo(DWORD tick) override {
    const DWORD now = playback_.now();
    if (static_cast<std::int32_t>(tick - now) > 0) PlaybackAdvance(tick - now);
  }
  void SetPlaybackFeeding(bool on) override {
    feeding_ = on;
    paceDue_ = Clock::now();
  }

  void ShowLabel(std::vector<std::uint16_t> pixels, int width, int height, int x, int y) override {
    label_ = std::move(pixels);
    labelWidth_ = width;
    labelHeight_ = height;
    labelX_ = x;
    labelY_ = y;
    AddLabel();
  }

  bool PollInput(DWORD dueTick) override {
    KeepAlive(Clock::now());
    ApplyVolumeSteps();
    if (Ending()) return false;
    if (!options_.playback || feeding_ || playbackDriver_ == nullptr) return true;
    // Before the game is fed: as headless, the driver's input that is due
    // before the timer's tick goes ahead of it.
    playback_.ResetReads();
    while (!playback_.Waiting() && static_cast<std::int32_t>(playback_.waitUntil() - dueTick) < 0 &&
           MainQueueEmpty())
      if (!playbackDriver_->OnIdle()) return false;
    return true;
  }

  bool Pump(bool hasDeadline, DWORD deadline) override {
    KeepAlive(Clock::now());
    if (Ending()) return false;
    if (options_.playback) {
      playback_.ResetReads();
      if (playback_.Waiting()) {
        // Time runs on to the next timer tick or the end of the wait.
        PlaybackAdvance(playback_.StepTo(hasDeadline, deadline));
        return true;
      }
      return playbackDriver_ != nullptr && playbackDriver_->OnIdle();
    }
    int timeout = 50;
    if (hasDeadline) {
      auto left = static_cast<std::int32_t>(deadline - Now());
      timeout = std::clamp(left, 0, 50);
    }
    if (dirty_.Any()) {
      auto untilPresent = std::chrono::ceil<std::chrono::milliseconds>(nextPresent_ - Clock::now());
      timeout = std::clamp(static_cast<int>(untilPresent.count()), 0, timeout);
    }
    // A deflected stick moves the pointer smoothly.
    if (gamepads_.Moving()) timeout = std::min(timeout, 8);
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout) != 0) {
      keepingAlive_ = true;  // posting reads the clock, which must not read events
      Translate(event);
      keepingAlive_ = false;
    }
    KeepAlive(Clock::now());
    ApplyVolumeSteps();
    return !Ending();
  }

 private:
  using Clock = LiveClock::Clock;

  // A rectangle of the view that waits to be shown.
  struct Dirty {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Any() const { return left < right && top < bottom; }
    void Add(int l, int t, int r, int b) {
      if (l >= r || t >= b) return;
      if (!Any()) {
        *this = {l, t, r, b};
        return;
      }
      left = std::min(left, l);
      top = std::min(top, t);
      right = std::max(right, r);
      bottom = std::max(bottom, b);
    }
  };

  // A game played back: its virtual time passes at once until the game is
  // fed, then at the wall clock's pace (four times as fast while the
  // watcher holds the action button), the window shown and read meanwhile.
  void PlaybackAdvance(DWORD ms) {
    playback_.Advance(ms);
    if (!feeding_) return;
    auto now = Clock::now();
    // A pass that took longer than its time is not made up for.
    if (now - paceDue_ > std::chrono::milliseconds(100)) paceDue_ = now;
    paceDue_ += std::chrono::microseconds(1000 * static_cast<long>(ms) / (fastForward_ ? 4 : 1));
    while ((now = Clock::now()) < paceDue_ && !Ending()) {
      KeepAlive(now);
      Clock::time_point wake = std::min(paceDue_, now + std::chrono::milliseconds(4));
      if (dirty_.Any()) wake = std::min(wake, std::max(now, nextPresent_));
      std::this_thread::sleep_until(wake);
    }
  }

  // The watcher's input: the action button (Enter, Space, a controller's
  // Start) held plays fast; any other key or a press ends the watching.
  bool Watching() const { return options_.playback; }
  void WatcherKey(bool action, bool down) {
    if (action)
      fastForward_ = down;
    else if (down)
      closeRequested_ = true;
  }

  // What the watcher's mouse, fingers and keys do; true when the event is
  // taken (the game never sees them, nor the window losing the focus).
  bool Watcher(const SDL_Event& event) {
    switch (event.type) {
      case SDL_MOUSEBUTTONDOWN:
      case SDL_FINGERDOWN:
        WatcherKey(false, true);
        return true;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        if (event.key.repeat != 0) return true;
        SDL_Keycode code = event.key.keysym.sym;
        WatcherKey(code == SDLK_RETURN || code == SDLK_KP_ENTER || code == SDLK_SPACE,
                   event.type == SDL_KEYDOWN);
        return true;
      }
      case SDL_MOUSEBUTTONUP:
      case SDL_MOUSEMOTION:
      case SDL_FINGERUP:
      case SDL_FINGERMOTION:
        return true;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
            event.window.event == SDL_WINDOWEVENT_MINIMIZED)
          return true;
        return false;
      default:
        return false;
    }
  }

  // The window was closed, or its display went away.
  bool Ending() const { return closeRequested_ || EndingSignal() != 0 || DisplayGone(); }

  int ViewWidth() const { return options_.portrait ? kScreenWidth : kScreenHeight; }
  int ViewHeight() const { return options_.portrait ? kScreenHeight : kScreenWidth; }

  // Reads the window's events and shows the screen when a frame is due. Runs
  // whenever the program lets time pass, so that nothing it shows is missed.
  void KeepAlive(Clock::time_point now) {
    // Posting a message reads the clock again.
    if (keepingAlive_ || DisplayGone()) return;
    keepingAlive_ = true;
    lastKeepAlive_ = now;
    if (PollRaiseRequests()) RaiseWindow();
    ReadEvents();
    gamepads_.Pass(now);
    DesktopGamepads::Area was, is;
    if (gamepads_.PointerChanged(&was, &is)) {
      dirty_.Add(was.left, was.top, was.right, was.bottom);
      dirty_.Add(is.left, is.top, is.right, is.bottom);
    }
    if (dirty_.Any() && now >= nextPresent_) Present();
    keepingAlive_ = false;
  }

  void ReadEvents() {
    SDL_Event event;
    while (!DisplayGone() && SDL_PollEvent(&event) != 0) Translate(event);
  }

  // Fits the picture into the window: the largest whole scale, centred, the
  // rest black bars.
  bool Layout() {
    // The picture is scaled here, a few rectangles a frame: the system's own
    // frame buffer takes them as they are, where a texture would be drawn
    // anew (in software, on a machine without a graphics processor).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    surface_ = SDL_GetWindowSurface(window_);
    if (surface_ == nullptr) return false;
    int points = 0, unused = 0;
    SDL_GetWindowSize(window_, &points, &unused);
    pixelsPerPoint_ = points > 0 ? static_cast<double>(surface_->w) / points : 1.0;
    scale_ = std::max(1, std::min(surface_->w / ViewWidth(), surface_->h / ViewHeight()));
    originX_ = (surface_->w - ViewWidth() * scale_) / 2;
    originY_ = (surface_->h - ViewHeight() * scale_) / 2;
    for (std::uint32_t c = 0; c < 0x10000; ++c) {
      std::uint8_t rgb[3];
      Rgb565ToRgb888(static_cast<std::uint16_t>(c), rgb);
      colours_[c] = SDL_MapRGB(surface_->format, rgb[0], rgb[1], rgb[2]);
    }
    SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 0, 0, 0));
    wholeWindow_ = true;
    dirty_ = Dirty{0, 0, ViewWidth(), ViewHeight()};
    return true;
  }

  // Writes the waiting rectangle of the view, scaled, into the window and
  // shows it.
  void Present() {
    if (surface_ == nullptr || DisplayGone()) return;
    nextPresent_ = Clock::now() + presentInterval_;
    if (!dirty_.Any() && !wholeWindow_) return;
    // The label is drawn over whatever of the picture is shown again.
    if (dirty_.Any() || wholeWindow_) AddLabel();
    Dirty d = dirty_;
    dirty_ = Dirty{};
    if (d.Any()) {
      if (SDL_MUSTLOCK(surface_)) SDL_LockSurface(surface_);
      switch (surface_->format->BytesPerPixel) {
        case 4:
          Scale<std::uint32_t>(d);
          break;
        case 2:
          Scale<std::uint16_t>(d);
          break;
        default:
          ScaleAnyDepth(d);
          break;
      }
      DrawLabel();
      gamepads_.DrawPointer(surface_, originX_, originY_, scale_);
      if (SDL_MUSTLOCK(surface_)) SDL_UnlockSurface(surface_);
    }
    if (wholeWindow_) {
      wholeWindow_ = false;
      SDL_UpdateWindowSurface(window_);
      return;
    }
    SDL_Rect rect{originX_ + d.left * scale_, originY_ + d.top * scale_,
                  (d.right - d.left) * scale_, (d.bottom - d.top) * scale_};
    SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
  }

  // The label's rectangle waits to be shown.
  void AddLabel() {
    if (label_.empty()) return;
    WindowChanged(labelX_, labelY_, labelX_ + labelWidth_, labelY_ + labelHeight_);
  }

  // Each pixel of the label as a block of the scaled picture.
  void DrawLabel() {
    for (int ly = 0; ly < labelHeight_; ++ly)
      for (int lx = 0; lx < labelWidth_; ++lx) {
        const int fx = labelX_ + lx, fy = labelY_ + ly;
        if (fx < 0 || fy < 0 || fx >= kScreenWidth || fy >= kScreenHeight) continue;
        const int vx = options_.portrait ? fx : kScreenHeight - 1 - fy;
        const int vy = options_.portrait ? fy : fx;
        SDL_Rect block{originX_ + vx * scale_, originY_ + vy * scale_, scale_, scale_};
        SDL_FillRect(surface_, &block,
                     colours_[label_[static_cast<std::size_t>(ly * labelWidth_ + lx)]]);
      }
  }

  // The frame-buffer pixel that the view shows at (vx, vy).
  std::uint16_t ViewPixel(const std::uint16_t* fb, int vx, int vy) const {
    if (options_.portrait) return fb[vy * kScreenWidth + vx];
    return fb[(kScreenHeight - 1 - vx) * kScreenWidth + vy];
  }

  template <typename Pixel>
  void Scale(const Dirty& d) {
    const std::uint16_t* fb = WindowPixels();
    const int width = (d.right - d.left) * scale_;
    auto* base = static_cast<std::uint8_t*>(surface_->pixels);
    for (int vy = d.top; vy < d.bottom; ++vy) {
      auto* first = reinterpret_cast<Pixel*>(base + static_cast<size_t>(originY_ + vy * scale_) *
                                                        surface_->pitch) +
                    originX_ + d.left * scale_;
      Pixel* out = first;
      for (int vx = d.left; vx < d.right; ++vx) {
        auto c = static_cast<Pixel>(colours_[ViewPixel(fb, vx, vy)]);
        for (int i = 0; i < scale_; ++i) *out++ = c;
      }
      for (int row = 1; row < scale_; ++row)
        std::memcpy(reinterpret_cast<std::uint8_t*>(first) + row * surface_->pitch, first,
                    static_cast<size_t>(width) * sizeof(Pixel));
    }
  }

  void ScaleAnyDepth(const Dirty& d) {
    const std::uint16_t* fb = WindowPixels();
    for (int vy = d.top; vy < d.bottom; ++vy)
      for (int vx = d.left; vx < d.right; ++vx) {
        SDL_Rect block{originX_ + vx * scale_, originY_ + vy * scale_, scale_, scale_};
        SDL_FillRect(surface_, &block, colours_[ViewPixel(fb, vx, vy)]);
      }
  }

  // Window point to frame-buffer point. A point in the bars beside the
  // picture is outside it (false), or with `clamp` moved onto its edge.
  bool ToFrameBuffer(int wx, int wy, bool clamp, int* x, int* y) const {
    int px = static_cast<int>(wx * pixelsPerPoint_) - originX_;
    int py = static_cast<int>(wy * pixelsPerPoint_) - originY_;
    int vx = px >= 0 ? px / scale_ : -1;
    int vy = py >= 0 ? py / scale_ : -1;
    if (vx < 0 || vy < 0 || vx >= ViewWidth() || vy >= ViewHeight()) {
      if (!clamp) return false;
      vx = std::clamp(vx, 0, ViewWidth() - 1);
      vy = std::clamp(vy, 0, ViewHeight() - 1);
    }
    ViewToFrameBuffer(options_.portrait, vx, vy, x, y);
    return true;
  }

  // A pen-down in the bars is ignored; once the pen is down, its moves and
  // its pen-up are kept on the picture so that a drag always ends. Only
  // the pointer that holds the stylus moves it.
  void PostPen(UINT message, std::int64_t pointer, int wx, int wy) {
    int x = 0, y = 0;
    if (!ToFrameBuffer(wx, wy, message != WM_LBUTTONDOWN, &x, &y)) return;
    if (stylus_.Takes(message, pointer)) ce::detail::PostPen(message, x, y);
  }

  std::string PlacePath() const { return WindowPlacePath(DataDirectory(options_.dataDir)); }

  // Whether a window at (x, y) of that size shows at least a corner of
  // itself on one of the displays.
  static bool OnADisplay(int x, int y, int width, int height) {
    constexpr int kCorner = 32;
    SDL_Rect window{x, y, std::min(width, kCorner), std::min(height, kCorner)};
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
      SDL_Rect bounds, common;
      if (SDL_GetDisplayBounds(i, &bounds) == 0 && SDL_IntersectRect(&window, &bounds, &common))
        return true;
    }
    return false;
  }

  // The window's size and place while it is not in full screen: what is
  // kept for the next run.
  void NoteWindowed() {
    if (window_ == nullptr || fullscreen_ ||
        (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0)
      return;
    SDL_GetWindowSize(window_, &windowed_.width, &windowed_.height);
    SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
    windowed_.placed = true;
  }

  void KeepPlace() {
    if (window_ == nullptr) return;
    NoteWindowed();
    WindowPlace place = windowed_;
    place.scale = scale_;
    place.fullscreen = fullscreen_;
    std::string error;
    if (!WriteWindowPlace(PlacePath(), place, &error))
      std::fprintf(stderr, "reedshot: cannot keep the window's size and place in %s: %s\n",
                   PlacePath().c_str(), error.c_str());
  }

  // The player's key behind an SDL key, if it is one.
  static bool KeyOf(SDL_Keycode code, PlayerKey* key) {
    switch (code) {
      case SDLK_LEFT:
        *key = PlayerKey::kLeft;
        return true;
      case SDLK_RIGHT:
        *key = PlayerKey::kRight;
        return true;
      case SDLK_UP:
        *key = PlayerKey::kUp;
        return true;
      case SDLK_DOWN:
        *key = PlayerKey::kDown;
        return true;
      case SDLK_RETURN:
      case SDLK_KP_ENTER:
        *key = PlayerKey::kAction;
        return true;
      case SDLK_1:
        *key = PlayerKey::kApp1;
        return true;
      case SDLK_2:
        *key = PlayerKey::kApp2;
        return true;
      case SDLK_3:
      case SDLK_SPACE:
        *key = PlayerKey::kApp3;
        return true;
      case SDLK_4:
        *key = PlayerKey::kApp4;
        return true;
      default:
        return false;
    }
  }

  void Translate(const SDL_Event& event) {
    if (Watching() && Watcher(event)) return;
    switch (event.type) {
      case SDL_QUIT:
        closeRequested_ = true;
        return;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) closeRequested_ = true;
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) Layout();
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            event.window.event == SDL_WINDOWEVENT_MOVED)
          NoteWindowed();
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
          wholeWindow_ = true;
          dirty_.Add(0, 0, ViewWidth(), ViewHeight());
        }
        LookingAway(event.window.event);
        return;
      case SDL_FINGERDOWN:
      case SDL_FINGERMOTION:
      case SDL_FINGERUP:
        Finger(event.type, event.tfinger);
        return;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.which == SDL_TOUCH_MOUSEID) return;  // made from a finger
        if (event.button.button == SDL_BUTTON_LEFT) {
          gamepads_.MouseUsed();
          PostPen(WM_LBUTTONDOWN, Stylus::kMouse, event.button.x, event.button.y);
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
          PostPlayerKey(options_.portrait, PlayerKey::kApp3, true);
        }
        return;
      case SDL_MOUSEBUTTONUP:
        if (event.button.which == SDL_TOUCH_MOUSEID) return;
        if (event.button.button == SDL_BUTTON_LEFT)
          PostPen(WM_LBUTTONUP, Stylus::kMouse, event.button.x, event.button.y);
        else if (event.button.button == SDL_BUTTON_RIGHT)
          PostPlayerKey(options_.portrait, PlayerKey::kApp3, false);
        return;
      case SDL_MOUSEMOTION:
        if (event.motion.which != SDL_TOUCH_MOUSEID) {
          gamepads_.MouseUsed();
          PostPen(WM_MOUSEMOVE, Stylus::kMouse, event.motion.x, event.motion.y);
        }
        return;
      case SDL_MOUSEWHEEL:
        Wheel(event.wheel);
        return;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        Key(event.key, event.type == SDL_KEYDOWN);
        return;
      case SDL_AUDIODEVICEREMOVED:
        if (event.adevice.iscapture == 0) DesktopWaveDeviceRemoved(event.adevice.which);
        return;
      default:
        gamepads_.Take(event);
        return;
    }
  }

  // The controller's pen takes the mouse's path from the view on: it is
  // the stylus only while neither the mouse nor a finger holds it.
  bool GamepadPen(UINT message, int vx, int vy) override {
    if (Watching()) {
      if (message == WM_LBUTTONDOWN) WatcherKey(false, true);
      return true;
    }
    if (!stylus_.Takes(message, Stylus::kGamepad)) return false;
    int x = 0, y = 0;
    ViewToFrameBuffer(options_.portrait, vx, vy, &x, &y);
    ce::detail::PostPen(message, x, y);
    return true;
  }

  void GamepadKey(PlayerKey key, bool down) override {
    if (Watching()) {
      WatcherKey(key == PlayerKey::kAction, down);
      return;
    }
    PostPlayerKey(options_.portrait, key, down);
  }

  void GamepadBack() override { PressDesktopKey(options_.portrait, kKeyEscape, &stylus_); }

  // The window left (another took the focus) or minimised: the program is
  // told, as the handheld tells it when another program comes forward.
  void LookingAway(Uint8 windowEvent) {
    if (windowEvent == SDL_WINDOWEVENT_FOCUS_LOST || windowEvent == SDL_WINDOWEVENT_MINIMIZED)
      PostToMain(WM_ACTIVATE, WA_INACTIVE, 0);
  }

  // A finger's place (0..1 across the window) goes through the same
  // transform as the mouse's.
  void Finger(Uint32 type, const SDL_TouchFingerEvent& finger) {
    if (type == SDL_FINGERDOWN) gamepads_.MouseUsed();
    UINT message = type == SDL_FINGERDOWN ? WM_LBUTTONDOWN
                   : type == SDL_FINGERUP ? WM_LBUTTONUP
                                          : WM_MOUSEMOVE;
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    PostPen(message, static_cast<std::int64_t>(finger.fingerId),
            static_cast<int>(finger.x * static_cast<float>(w)),
            static_cast<int>(finger.y * static_cast<float>(h)));
  }

  void Key(const SDL_KeyboardEvent& key, bool down) {
    SDL_Keycode code = key.keysym.sym;
    if (down && key.repeat != 0) return;
    if (down && (code == SDLK_F11 || (code == SDLK_RETURN && (key.keysym.mod & KMOD_ALT) != 0))) {
      NoteWindowed();
      fullscreen_ = !fullscreen_;
      SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
      return;
    }
    // A key that means something on the screen shown goes there; on key
    // up the device's own key is let go, which is harmless when it was not
    // pressed.
    int desktopKey = 0;
    if (down && DesktopKeyOf(code, &desktopKey) &&
        PressDesktopKey(options_.portrait, desktopKey, &stylus_))
      return;
    PlayerKey player;
    if (KeyOf(code, &player)) PostPlayerKey(options_.portrait, player, down);
  }

  // The key as the keyboard layer names it, if it knows it.
  static bool DesktopKeyOf(SDL_Keycode code, int* key) {
    if ((code >= SDLK_a && code <= SDLK_z) || (code >= SDLK_0 && code <= SDLK_9) ||
        code == SDLK_SPACE || code == SDLK_MINUS)
      *key = static_cast<int>(code);
    else if (code >= SDLK_KP_1 && code <= SDLK_KP_9)
      *key = '1' + static_cast<int>(code - SDLK_KP_1);
    else if (code == SDLK_KP_0)
      *key = '0';
    else if (code == SDLK_KP_MINUS)
      *key = '-';
    else if (code == SDLK_PLUS || code == SDLK_EQUALS || code == SDLK_KP_PLUS)
      *key = '+';
    else if (code == SDLK_BACKSPACE)
      *key = kKeyBackspace;
    else if (code == SDLK_RETURN || code == SDLK_KP_ENTER)
      *key = kKeyEnter;
    else if (code == SDLK_ESCAPE)
      *key = kKeyEscape;
    else if (code == SDLK_VOLUMEDOWN)
      *key = kKeyVolumeDown;
    else if (code == SDLK_VOLUMEUP)
      *key = kKeyVolumeUp;
    else
      return false;
    return true;
  }

  // Each notch of the wheel, in the direction the player turned it.
  void Wheel(const SDL_MouseWheelEvent& wheel) {
    const int sign = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
    const int down = -wheel.y * sign, right = wheel.x * sign;
    for (int i = 0; i < std::abs(down); ++i)
      PressDesktopKey(options_.portrait, down > 0 ? kWheelDown : kWheelUp, &stylus_);
    for (int i = 0; i < std::abs(right); ++i)
      PressDesktopKey(options_.portrait, right > 0 ? kWheelRight : kWheelLeft, &stylus_);
  }

  PlatformOptions options_;
  LiveClock clock_;
  SDL_Window* window_ = nullptr;
  SDL_Surface* surface_ = nullptr;
  SDL_Cursor* cursor_ = nullptr;
  // Every RGB565 colour as the window surface's pixel: the same colours
  // that screenshots save.
  std::vector<Uint32> colours_ = std::vector<Uint32>(0x10000);
  int scale_ = 1;
  int originX_ = 0;
  int originY_ = 0;
  double pixelsPerPoint_ = 1.0;
  Dirty dirty_;
  bool wholeWindow_ = false;
  std::chrono::microseconds presentInterval_{16666};
  Clock::time_point nextPresent_;
  Clock::time_point lastKeepAlive_;
  bool keepingAlive_ = false;
  bool closeRequested_ = false;
  Stylus stylus_;  // the mouse or the finger that is the pen
  bool fullscreen_ = false;
  WindowPlace windowed_;  // the window out of full screen, as last seen
  DesktopGamepads gamepads_;
  // A game played back (options_.playback).
  PlaybackClock playback_;
  RunDriver* playbackDriver_ = nullptr;
  bool feeding_ = false;
  bool fastForward_ = false;
  Clock::time_point paceDue_;
  // The label over the picture (ShowLabel).
  std::vector<std::uint16_t> label_;
  int labelWidth_ = 0, labelHeight_ = 0, labelX_ = 0, labelY_ = 0;
};

}  // namespace

std::unique_ptr<Device> CreateWindowDevice(const PlatformOptions& options, std::string* error) {
  auto device = std::make_unique<DesktopDevice>(options);
  if (!device->Init(error)) return nullptr;
  return device;
}

}  // namespace ce::detail
