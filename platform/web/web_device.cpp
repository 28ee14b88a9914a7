// The browser device: the program runs on a worker thread of the page;
// the page's own thread (web_device.js) draws the frames this device hands
// it on a canvas and passes the player's pointer, touches, keys and game
// controllers in.
#include <emscripten.h>
#include <emscripten/threading.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/data_store.h"
#include "platform/device.h"
#include "platform/device_input.h"
#include "platform/gamepad.h"
#include "platform/keyboard.h"
#include "platform/live_clock.h"
#include "platform/messages.h"
#include "platform/platform.h"

namespace ce::detail {

namespace {

constexpr int kViewPixels = kScreenWidth * kScreenHeight;

// What the page passes in, in the order it happened.
struct PageInput {
  enum Kind {
    kPenDown,
    kPenMove,
    kPenUp,
    kKey,
    kAway,
    kPad,
    kPadGone,
    kMouseMoved,
    kSave,          // the page is hidden: write what the teardown would
    kStoreRefused,  // the browser refused to keep the data folder
    kAnswer,        // the message box was answered
    kEnd,           // the game moved to another tab: end the run
    kTimeScale,     // a: how many times faster than real time the clock runs
    kTyped,         // a: a key pressed, as the keyboard layer names it (keyboard.h)
  } kind;
  int a;                    // pen: view x; key: PlayerKey; pad: the GamepadButton bits held
  int b;                    // pen: view y; key: 1 down, 0 up; pad: the left stick's x
  int pointer = -1;         // pen: the touch's identifier, or -1 for the mouse
  int c = 0, d = 0, e = 0;  // pad: the left stick's y, the right stick's x and y
};

std::mutex g_inputMutex;
std::condition_variable g_inputArrived;
std::deque<PageInput> g_input;

// The frame handed to the page: RGBA, as the player sees it. The flag is 1
// from the moment a frame is ready until the page has drawn it.
alignas(4) std::uint8_t g_frame[kViewPixels * 4];
alignas(4) std::atomic<std::int32_t> g_frameReady{0};
std::atomic<std::int32_t> g_frameWidth{0};

// The controller's pointer as the page draws it over the frame: 0 while it
// is not shown, otherwise kPointerShown | y << 15 | x (a point of the view).
constexpr std::int32_t kPointerShown = 1 << 30;
alignas(4) std::atomic<std::int32_t> g_padPointer{0};

// The run's description, asked for by the page: the count of answers
// grows by one each time the main thread has written a new one.
std::atomic<bool> g_stateWanted{false};
std::atomic<std::int32_t> g_stateAnswers{0};
std::mutex g_stateMutex;
std::string g_state;

// The count of saves asked for by the page (kSave) that are done.
std::atomic<std::int32_t> g_savesDone{0};

void Arrive(PageInput input) {
  {
    std::lock_guard lock(g_inputMutex);
    g_input.push_back(input);
  }
  g_inputArrived.notify_all();
}

// The data folder is copied to the browser's lasting storage (on the
// page's thread, where the file system lives) after every commit.
void SaveDataFolder() {
  MAIN_THREAD_ASYNC_EM_ASM({
    if (Module.reedshotSaveData) Module.reedshotSaveData();
  });
}

class WebDevice final : public Device, public GamepadTarget {
 public:
  explicit WebDevice(const PlatformOptions& options)
      : options_(options),
        pad_(this, options.portrait ? kScreenWidth : kScreenHeight,
             options.portrait ? kScreenHeight : kScreenWidth, options.portrait) {
    SetDataWrittenListener(&SaveDataFolder);
  }

  ~WebDevice() override { SetDataWrittenListener(nullptr); }

  DWORD Now() override {
    // A busy wait on the clock still shows the screen and reads the page.
    if (IsMainThread()) KeepAlive(std::chrono::milliseconds(0), kBusy);
    return Ticks();
  }

  void SleepFor(DWORD ms) override {
    if (!IsMainThread()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
      return;
    }
    // In slices: the screen is shown and the page's input queued meanwhile.
    LiveClock::SleepInSlices(ms, [this](Clock::time_point, Clock::time_point wake) {
      KeepAlive(std::chrono::milliseconds(0), kSleeping);
      return wake;
    });
  }

  bool PollInput(DWORD) override {
    KeepAlive(std::chrono::milliseconds(0), kBetweenMessages);
    return !ending_;
  }

  bool Pump(bool hasDeadline, DWORD deadline) override {
    int timeout = 50;
    if (hasDeadline) {
      auto left = static_cast<std::int32_t>(deadline - Now());
      timeout = std::clamp(left / timeScale_, 0, 50);
    }
    // A frame the page has not drawn yet: look again soon.
    if (changed_) timeout = std::min(timeout, 4);
    // A deflected stick moves the pointer smoothly.
    if (pad_.Moving()) timeout = std::min(timeout, 8);
    KeepAlive(std::chrono::milliseconds(timeout), kBetweenMessages);
    return !ending_;
  }

  bool OpenWindow() override {
    changed_ = true;
    Present();
    return true;
  }

  void RaiseWindow() override {}
  void WindowChanged(int, int, int, int) override { changed_ = true; }

  // Shown by the page; the call returns when the player has answered it
  // (or the run must end). Meanwhile the screen stays as it is and the
  // player's pen and keys are not taken, as under the device's own box.
  int ShowMessageBox(const std::string& caption, const std::string& text) override {
    std::string message = (caption.empty() ? std::string("Reedshot") : caption) + ": " + text;
    Present();
    MAIN_THREAD_EM_ASM({ Module.reedshotMessage(UTF8ToString($0)); }, message.c_str());
    answered_ = false;
    while (!answered_ && !ending_) KeepAlive(std::chrono::milliseconds(50), kMessageBox);
    return 1;  // IDOK
  }

  bool IsHeadless() const override { return false; }

 private:
  using Clock = LiveClock::Clock;

  // Where the main thread is when it looks at the page.
  enum Moment {
    kBusy,             // inside a message, busy-waiting on the clock
    kSleeping,         // inside a message, sleeping
    kMessageBox,       // waiting for the answer to a message box
    kBetweenMessages,  // its queue read to the end
  };

  // Shows the screen and posts the page's input, waiting for it up to
  // `wait`. Between two messages it also answers the page's question for
  // the run's state and tells of a refused save.
  void KeepAlive(std::chrono::milliseconds wait, Moment moment) {
    if (keepingAlive_) return;  // posting a message reads the clock again
    keepingAlive_ = true;
    Present();
    std::deque<PageInput> inputs;
    {
      std::unique_lock lock(g_inputMutex);
      if (wait.count() > 0)
        g_inputArrived.wait_for(lock, wait, [] { return !g_input.empty() || g_stateWanted; });
      inputs.swap(g_input);
    }
    for (const PageInput& input : inputs) Translate(input, moment);
    MovePointer();
    keepingAlive_ = false;
    if (savesWanted_ > 0) Save(moment);
    if (moment != kBetweenMessages) return;
    ApplyVolumeSteps();
    if (g_stateWanted.exchange(false)) {
      auto reporter = StateReporter();
      std::string state = reporter != nullptr ? reporter() : "{}";
      std::lock_guard lock(g_stateMutex);
      g_state = state;
      g_stateAnswers.fetch_add(1);
    }
    if (storeRefused_) {
      storeRefused_ = false;
      ShowMessageBox("Error",
                     "Settings and scores could not be saved: the browser's storage is full "
                     "or refused them.");
    }
  }

  // Writes what the teardown would write, once the player's input that came
  // before the page asked has been handled: between messages, or while the
  // program sleeps (the game-over picture stays a second), with an empty
  // queue. Under a message box nothing is written (the program is inside
  // some other work), and the page stores the data folder as it is.
  void Save(Moment moment) {
    int wanted = savesWanted_;
    if (moment == kBusy || (moment != kMessageBox && !MainQueueEmpty())) return;
    if (moment != kMessageBox) {
      if (void (*save)() = TeardownSave()) save();
    }
    savesWanted_ -= wanted;
    g_savesDone.fetch_add(wanted);
  }

  DWORD Ticks() {
    DWORD real = clock_.Ticks(Clock::now());
    return scaledFrom_ + (real - realFrom_) * static_cast<DWORD>(timeScale_);
  }

  // Hands the window to the page when it changed and the page has drawn
  // the frame before; otherwise it waits for a later call.
  void Present() {
    if (!changed_ || g_frameReady.load() != 0) return;
    changed_ = false;
    int width = 0, height = 0;
    ViewOfWindow(options_.portrait, &view_, &width, &height);
    for (int i = 0; i < width * height; ++i) {
      std::uint32_t p = view_[i];
      g_frame[i * 4] = static_cast<std::uint8_t>(p >> 16);
      g_frame[i * 4 + 1] = static_cast<std::uint8_t>(p >> 8);
      g_frame[i * 4 + 2] = static_cast<std::uint8_t>(p);
      g_frame[i * 4 + 3] = 0xFF;
    }
    g_frameWidth.store(width);
    g_frameReady.store(1);
  }

  // A point of the view as the frame-buffer point it shows; the page
  // keeps a drag that leaves the canvas on its edge.
  void Pen(UINT message, int vx, int vy) {
    int x = 0, y = 0;
    ViewToFrameBuffer(options_.portrait, vx, vy, &x, &y);
    PostPen(message, std::clamp(x, 0, kScreenWidth - 1), std::clamp(y, 0, kScreenHeight - 1));
  }

  // The sticks move the pointer for the time since the last pass, and the
  // page is told where to draw it.
  void MovePointer() {
    auto now = Clock::now();
    double seconds = std::chrono::duration<double>(now - lastPointerMove_).count();
    lastPointerMove_ = now;
    // A long stall (a message box) does not throw the pointer across.
    pad_.Advance(std::clamp(seconds, 0.0, 0.05));
    g_padPointer.store(pad_.PointerShown() ? kPointerShown | pad_.PointerY() << 15 | pad_.PointerX()
                                           : 0);
  }

  // The controller's pen takes the mouse's path from the view on: it is
  // the stylus only while neither the mouse nor a finger holds it.
  bool GamepadPen(UINT message, int vx, int vy) override {
    if (!stylus_.Takes(message, Stylus::kGamepad)) return false;
    Pen(message, vx, vy);
    return true;
  }

  void GamepadKey(PlayerKey key, bool down) override {
    PostPlayerKey(options_.portrait, key, down);
  }

  void GamepadBack() override { PressDesktopKey(options_.portrait, kKeyEscape, &stylus_); }

  void Translate(const PageInput& input, Moment moment) {
    // Under a message box the game takes no new press; a press that began
    // before it still ends.
    bool press = input.kind == PageInput::kPenDown || input.kind == PageInput::kTyped ||
                 (input.kind == PageInput::kKey && input.b);
    if (press && moment == kMessageBox) return;
    switch (input.kind) {
      case PageInput::kPenDown:
      case PageInput::kPenMove:
      case PageInput::kPenUp: {
        UINT message = input.kind == PageInput::kPenDown ? WM_LBUTTONDOWN
                       : input.kind == PageInput::kPenUp ? WM_LBUTTONUP
                                                         : WM_MOUSEMOVE;
        // The mouse or a finger is used: the controller's pointer goes.
        if (message == WM_LBUTTONDOWN) pad_.Hide();
        if (stylus_.Takes(message, input.pointer < 0 ? Stylus::kMouse : input.pointer))
          Pen(message, input.a, input.b);
        return;
      }
      case PageInput::kTyped:
        // The page tells every key pressed here first, then, for the
        // player's keys, the key itself: a key that meant something on the
        // screen shown is not pressed as the player's key too.
        typedTaken_ = PressDesktopKey(options_.portrait, input.a, &stylus_);
        return;
      case PageInput::kKey:
        if (input.b != 0 && typedTaken_) {
          typedTaken_ = false;
          return;
        }
        if (input.a < 0 || input.a > static_cast<int>(PlayerKey::kApp4)) return;
        PostPlayerKey(options_.portrait, static_cast<PlayerKey>(input.a), input.b != 0);
        return;
      case PageInput::kAway:
        // The player left the page (another tab or program came forward):
        // the program is told, as the handheld tells it.
        PostToMain(WM_ACTIVATE, WA_INACTIVE, 0);
        return;
      case PageInput::kPad:
        pad_.SetButtons(static_cast<unsigned>(input.a));
        pad_.SetSticks(input.b / 32767.0, input.c / 32767.0, input.d / 32767.0, input.e / 32767.0);
        return;
      case PageInput::kPadGone:
        // The controller went away: what it held is let go and, as when
        // the player leaves the page, a game pauses.
        pad_.LetGo();
        PostToMain(WM_ACTIVATE, WA_INACTIVE, 0);
        return;
      case PageInput::kMouseMoved:
        pad_.Hide();
        return;
      case PageInput::kSave:
        savesWanted_ += 1;
        return;
      case PageInput::kStoreRefused:
        storeRefused_ = true;
        return;
      case PageInput::kAnswer:
        answered_ = true;
        return;
      case PageInput::kEnd:
        // As the desktop window closed: the run ends and tears down.
        ending_ = true;
        return;
      case PageInput::kTimeScale: {
        DWORD now = Ticks();
        realFrom_ = clock_.Ticks(Clock::now());
        scaledFrom_ = now;
        timeScale_ = std::clamp(input.a, 1, 1000);
        return;
      }
    }
  }

  PlatformOptions options_;
  LiveClock clock_;
  std::vector<std::uint32_t> view_;
  bool changed_ = false;
  Stylus stylus_;  // the mouse or the touch that is the pen
  bool keepingAlive_ = false;
  Gamepad pad_;
  Clock::time_point lastPointerMove_ = Clock::now();
  int savesWanted_ = 0;
  bool storeRefused_ = false;
  bool answered_ = false;
  bool ending_ = false;
  bool typedTaken_ = false;  // the last key told meant something on the screen shown
  // The clock: real time since `realFrom_`, `timeScale_` times as fast.
  int timeScale_ = 1;
  DWORD realFrom_ = 0;
  DWORD scaledFrom_ = 0;
};

}  // namespace

std::unique_ptr<Device> CreateWindowDevice(const PlatformOptions& options, std::string* error) {
  bool page = MAIN_THREAD_EM_ASM_INT({ return typeof document != 'undefined' ? 1 : 0; }) != 0;
  if (!page) {
    *error = "there is no page to show the game in. To run without one, use --headless.";
    return nullptr;
  }
  return std::make_unique<WebDevice>(options);
}

}  // namespace ce::detail

namespace ce {

// The versions the program runs with: the browser's own, and SQLite.
std::string LibraryVersions() { return std::string("SQLite ") + sqlite3_libversion(); }

}  // namespace ce

// Called by the page (web_device.js), on its own thread.
extern "C" {

EMSCRIPTEN_KEEPALIVE void reedshot_web_pen(int kind, int pointer, int x, int y) {
  using ce::detail::PageInput;
  if (kind < PageInput::kPenDown || kind > PageInput::kPenUp) return;
  ce::detail::Arrive({static_cast<PageInput::Kind>(kind), x, y, pointer});
}

EMSCRIPTEN_KEEPALIVE void reedshot_web_key(int key, int down) {
  ce::detail::Arrive({ce::detail::PageInput::kKey, key, down});
}

// A key pressed or a notch of the wheel, as the keyboard layer names it.
EMSCRIPTEN_KEEPALIVE void reedshot_web_typed(int key) {
  ce::detail::Arrive({ce::detail::PageInput::kTyped, key, 1});
}

EMSCRIPTEN_KEEPALIVE void reedshot_web_away() {
  ce::detail::Arrive({ce::detail::PageInput::kAway, 0, 0});
}

// The game controllers' buttons held (GamepadButton bits) and sticks, as
// they changed; or that the controllers went away; or that the mouse moved
// while the controller's pointer was shown.
EMSCRIPTEN_KEEPALIVE void reedshot_web_pad(int held, int leftX, int leftY, int rightX, int rightY) {
  ce::detail::Arrive({ce::detail::PageInput::kPad, held, leftX, -1, leftY, rightX, rightY});
}

EMSCRIPTEN_KEEPALIVE void reedshot_web_pad_gone() {
  ce::detail::Arrive({ce::detail::PageInput::kPadGone, 0, 0});
}

EMSCRIPTEN_KEEPALIVE void reedshot_web_mouse_moved() {
  ce::detail::Arrive({ce::detail::PageInput::kMouseMoved, 0, 0});
}

EMSCRIPTEN_KEEPALIVE std::int32_t* reedshot_web_pad_pointer() {
  return reinterpret_cast<std::int32_t*>(&ce::detail::g_padPointer);
}

// The page is being hidden: asks the main thread to write what the
// teardown would write. Returns the count of such saves done so far, which
// grows past it when this one is done.
EMSCRIPTEN_KEEPALIVE int reedshot_web_request_save() {
  int done = ce::detail::g_savesDone.load();
  ce::detail::Arrive({ce::detail::PageInput::kSave, 0, 0});
  return done;
}

EMSCRIPTEN_KEEPALIVE int reedshot_web_saves_done() { return ce::detail::g_savesDone.load(); }

EMSCRIPTEN_KEEPALIVE void reedshot_web_store_refused() {
  ce::detail::Arrive({ce::detail::PageInput::kStoreRefused, 0, 0});
}

EMSCRIPTEN_KEEPALIVE void reedshot_web_answer() {
  ce::detail::Arrive({ce::detail::PageInput::kAnswer, 0, 0});
}

EMSCRIPTEN_KEEPALIVE void reedshot_web_end() {
  ce::detail::Arrive({ce::detail::PageInput::kEnd, 0, 0});
}

// Lets the clock run `times` as fast as real time (1: real time again).
// The browser tests end a three-minute game with it in seconds; a player
// who calls it from the browser's console only hurries the game on.
EMSCRIPTEN_KEEPALIVE void reedshot_web_time_scale(int times) {
  ce::detail::Arrive({ce::detail::PageInput::kTimeScale, times, 0});
}

EMSCRIPTEN_KEEPALIVE std::uint8_t* reedshot_web_frame() { return ce::detail::g_frame; }

EMSCRIPTEN_KEEPALIVE std::int32_t* reedshot_web_frame_ready() {
  return reinterpret_cast<std::int32_t*>(&ce::detail::g_frameReady);
}

EMSCRIPTEN_KEEPALIVE int reedshot_web_frame_width() { return ce::detail::g_frameWidth.load(); }

// Asks the main thread for the run's description; returns the count of
// answers so far, which grows by one when the new one is there.
EMSCRIPTEN_KEEPALIVE int reedshot_web_request_state() {
  int answers = ce::detail::g_stateAnswers.load();
  ce::detail::g_stateWanted.store(true);
  ce::detail::g_inputArrived.notify_all();
  return answers;
}

EMSCRIPTEN_KEEPALIVE int reedshot_web_state_answers() { return ce::detail::g_stateAnswers.load(); }

// The last description, copied to `out` (at most `size` bytes, terminated).
EMSCRIPTEN_KEEPALIVE int reedshot_web_state(char* out, int size) {
  std::lock_guard lock(ce::detail::g_stateMutex);
  int n = std::min(static_cast<int>(ce::detail::g_state.size()), size - 1);
  std::memcpy(out, ce::detail::g_state.data(), static_cast<size_t>(n));
  out[n] = 0;
  return n;
}

}  // extern "C"
