// The sound engine: mixes up to eight 8-bit sounds in software and streams
// the result to the wave device through five small buffers, which one
// high-priority thread refills as the device hands them back.
#pragma once

#include <cstdint>

#include "platform/threads.h"
#include "platform/types.h"
#include "platform/wave_out.h"
#include "sound/sound_channel.h"

// A sound to play, as a caller hands it to PlaySample. The engine copies
// what it needs and does not keep the description.
struct SampleDescription {
  SampleDescription() = default;
  SampleDescription(const SampleDescription&) = delete;
  SampleDescription& operator=(const SampleDescription&) = delete;
  // Frees `data` when the description owns it.
  ~SampleDescription();

  std::uint8_t* data = nullptr;  // unsigned 8-bit PCM
  ce::DWORD sampleRate = 0;      // samples per second
  ce::DWORD length = 0;          // bytes
  int volume = 64;               // 0 to 64
  std::uint8_t loop = 0;
  std::uint8_t owned = 0;  // `data` was allocated with new[] and is freed here
};

class SoundEngine {
 public:
  static constexpr int kBufferCount = 5;
  static constexpr int kChannelCount = 8;
  static constexpr int kFirstHandle = 2;
  static constexpr int kRefused = 0xFFFF;
  static constexpr ce::DWORD kMaxSamplesPerBuffer = 1176;

  SoundEngine() = default;
  SoundEngine(const SoundEngine&) = delete;
  SoundEngine& operator=(const SoundEngine&) = delete;
  ~SoundEngine();

  // Opens the first wave device that takes the format and starts the
  // mixing thread: 1, or 0 on failure and when already open.
  int Open(ce::DWORD rate, int stereo);
  // Stops the thread and closes the device. Does nothing when closed.
  int Close();

  // Starts a sound on the lowest free channel: its handle, 2 to 9, or
  // kRefused when closed, without data, or with all channels busy.
  int PlaySample(const SampleDescription& description);
  // Stops the channel of handle 2 to 9; anything else is ignored.
  void StopSample(int handle);
  int CountActiveSamples() const;

  // The lock that guards the channels; it exists only while the engine is
  // open (when closed there is no mixing thread to keep out).
  void EnterLock();
  void LeaveLock();

  // Fills `fillTarget` with `samplesPerBuffer` frames of the channels'
  // mix. The caller holds the lock.
  void Mix();

  static ce::DWORD MixThread(ce::LPVOID engine);

  ce::HWAVEOUT device = nullptr;
  ce::WAVEFORMATEX format = {};
  ce::WAVEHDR headers[kBufferCount] = {};
  ce::HANDLE thread = nullptr;
  ce::DWORD threadId = 0;
  ce::CRITICAL_SECTION lock;
  ce::HANDLE stopEvent = nullptr;
  ce::HANDLE doneEvent = nullptr;
  std::uint8_t opened = 0;
  ce::DWORD outputRate = 22050;
  SampleChannel channels[kChannelCount];
  std::uint8_t* mixBuffer = nullptr;  // owned: the five buffers back to back
  ce::DWORD samplesPerBuffer = 588;
  ce::DWORD mixBufferSize = 0;
  std::uint8_t* fillTarget = nullptr;  // the buffer being filled
  int stereo = 1;
  int masterVolume = 64;

 private:
  ce::DWORD BytesPerBuffer() const { return samplesPerBuffer * (stereo ? 2 : 1); }
  void MixChannel(SampleChannel& channel);
  void Refill(ce::WAVEHDR* header);

  // One frame's sum of every channel, before clipping.
  std::int32_t sums_[kMaxSamplesPerBuffer] = {};
};
