// Inside the platform layer: the device behind the calls (desktop, headless or
// browser; one folder each below platform/).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/run_driver.h"
#include "platform/types.h"

namespace ce::detail {

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

class Device {
 public:
  virtual ~Device() = default;

  // The tick count. On the main thread a device with a window also keeps it
  // shown and read while the program busy-waits on the clock.
  virtual DWORD Now() = 0;
  // Lets ms milliseconds pass. On the main thread the window goes on being
  // shown and its input read (and queued) meanwhile.
  virtual void SleepFor(DWORD ms) = 0;
  // Main thread, its queue empty: waits for input, posting what arrives to
  // the main queue, until input came or the tick count reached `deadline`
  // (no deadline: until input). Returns false when the run must end.
  virtual bool Pump(bool hasDeadline, DWORD deadline) = 0;
  // Main thread, the timer message of tick `dueTick` due: posts the input
  // the device already holds, without waiting, so that it goes ahead of the
  // timer message. Returns false when the run must end.
  virtual bool PollInput(DWORD dueTick) = 0;
  virtual bool OpenWindow() = 0;
  virtual void RaiseWindow() = 0;
  // The window's pixels changed inside the frame-buffer rectangle
  // [left, right) x [top, bottom); shown when time next passes.
  virtual void WindowChanged(int left, int top, int right, int bottom) = 0;
  virtual int ShowMessageBox(const std::string& caption, const std::string& text) = 0;
  virtual bool IsHeadless() const = 0;
  // False while a replay brings the recorded timer messages itself.
  virtual bool MakesTimerMessages() const { return true; }
  // The main thread's tick count is the program's own clock, kept in step
  // with the wall clock (platform/program_clock.h).
  virtual bool PacesProgramClock() const { return false; }
  // The window's display went away (see ce::DisplayLost).
  virtual bool DisplayLost() const { return false; }
  // A game played back in a window (PlatformOptions::playback): the
  // driver's calls, taken as the headless device takes them.
  virtual void SetPlaybackDriver(RunDriver*) {}
  virtual void PlaybackWait(DWORD) {}
  virtual void PlaybackRunClockTo(DWORD) {}
  virtual void SetPlaybackFeeding(bool) {}
  // See ce::ShowWindowLabel; a device without a window shows none.
  virtual void ShowLabel(std::vector<std::uint16_t>, int, int, int, int) {}
};

Device* CurrentDevice();
bool IsMainThread();

// The emulated window: what BitBlt has put on the screen, RGB565, 240 x 320.
std::uint16_t* WindowPixels();

// The window as the player sees it (landscape, 320 x 240; with `portrait`
// the frame buffer unturned, 240 x 320), as 0x00RRGGBB pixels. The desktop
// shows exactly these colours and screenshots save them.
void ViewOfWindow(bool portrait, std::vector<std::uint32_t>* out, int* width, int* height);

// Posting to the main thread's queue from inside the platform layer.
void PostToMain(UINT message, WPARAM wParam, LPARAM lParam);
// A pen move replaces one still waiting at the end of the queue, as the
// device keeps only the newest position.
void PostMoveToMain(LPARAM lParam);
bool MainQueueEmpty();

// The game's window (there is only one) and its timer.
HWND MainWindow();
bool TimerRunning();
UINT TimerId();
DWORD TimerPeriod();

}  // namespace ce::detail
