// The engine's channels: a volume scaled by the master volume, and a
// sampled sound played from memory in 8.8 fixed-point steps.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/types.h"

class SoundChannel {
 public:
  virtual ~SoundChannel() = default;

  // A value below 0 or above 64 becomes 64; `effective` follows.
  virtual void SetVolume(int v);

  int volume = 64;     // 0 to 64
  int master = 64;     // the engine's master volume when the sound started
  int effective = 64;  // master x volume / 64
};

class SampleChannel : public SoundChannel {
 public:
  void Start() {
    stopped.store(0, std::memory_order_relaxed);
    paused.store(0, std::memory_order_relaxed);
  }
  void Stop() { stopped.store(1, std::memory_order_relaxed); }
  bool IsPlaying() const {
    return paused.load(std::memory_order_relaxed) == 0 &&
           stopped.load(std::memory_order_relaxed) == 0;
  }
  // Free for a new sound.
  bool IsFree() const {
    return stopped.load(std::memory_order_relaxed) == 1 &&
           paused.load(std::memory_order_relaxed) == 0;
  }

  std::uint8_t loop = 0;
  // The two flags are read without the engine's lock (to count the
  // playing channels and find a free one), so they are atomic.
  std::atomic<std::uint8_t> paused{0};
  std::atomic<std::uint8_t> stopped{1};
  const std::uint8_t* data = nullptr;  // unsigned 8-bit samples, not owned
  ce::DWORD step = 0;                  // 8.8: source samples per output frame
  ce::DWORD position = 0;              // 8.8, in source samples
  ce::DWORD end = 0;                   // 8.8: the length in samples x 256
};
