// Inside the platform layer: an open wave device's queue of buffers, and
// the players behind it (SDL's audio on the desktop, Web Audio in the
// browser, the virtual clock headless).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <set>

#include "platform/wave_out.h"

namespace ce {

struct PlatformOptions;

namespace detail {

// The buffers written to one open device, in the order they play.
class WaveQueue {
 public:
  WaveQueue(HWAVEOUT handle, const WAVEFORMATEX& format, DWORD callbackThread);

  const WAVEFORMATEX& format() const { return format_; }
  DWORD callbackThread() const { return callbackThread_; }

  MMRESULT Write(WAVEHDR* header);
  void Pause();
  void Restart();
  bool Paused();
  // No buffer is queued.
  bool Idle();
  // Hands every queued buffer back, marked done.
  void Reset();
  // The device has gone (a headset unplugged): its player goes on taking
  // the buffers in step with time, so they still come back, but plays
  // silence.
  void Lose();

  // Copies up to `bytes` of queued samples into `out` (nothing while
  // paused); each buffer played to its end is handed back to the callback
  // thread. Returns the bytes copied.
  size_t Take(std::uint8_t* out, size_t bytes);
  // Waits until the callback thread has written again every buffer handed
  // back to it, unless that thread is not running (or is the caller).
  // Returns true when buffers are queued.
  bool WaitForRefill();

 private:
  void HandBack(WAVEHDR* header, std::deque<WAVEHDR*>* done);
  void Post(const std::deque<WAVEHDR*>& done);

  HWAVEOUT handle_;
  WAVEFORMATEX format_;
  DWORD callbackThread_;
  std::mutex mutex_;
  std::condition_variable written_;
  std::deque<WAVEHDR*> queue_;
  size_t offset_ = 0;  // bytes of the first buffer already played
  bool paused_ = false;
  bool lost_ = false;
  std::set<WAVEHDR*> handedBack_;  // done, not written again yet
};

// What plays a queue: started when the device opens, stopped before it
// closes.
class WavePlayer {
 public:
  virtual ~WavePlayer() = default;
  virtual bool Start(WaveQueue* queue) = 0;
  virtual void Stop() = 0;
};

// The live output: SDL on the desktop (desktop/desktop_wave_device.cpp), Web Audio
// in the browser (web/web_wave_device.cpp).
bool LiveWaveAvailable();
std::unique_ptr<WavePlayer> CreateLiveWavePlayer();
void StopLiveWave();
// SDL reported the output device `sdlDevice` removed (main thread).
void DesktopWaveDeviceRemoved(std::uint32_t sdlDevice);

// Headless (headless/headless_wave_device.cpp).
std::unique_ptr<WavePlayer> CreateHeadlessWavePlayer();
// Virtual time moved on by `ms`: the open devices play that much.
void HeadlessWaveTimePassed(DWORD ms);
void StartHeadlessWave(const PlatformOptions& options);
void StopHeadlessWave();

// Both (wave_out.cpp): called by StartPlatform and StopPlatform.
void StartWave(const PlatformOptions& options);
void StopWave();

}  // namespace detail

}  // namespace ce
