// The desktop wave device: SDL's audio output, asked for the device's own
// format (8-bit unsigned), with a small buffer of its own so that a sound
// written now is heard within the writer's queue of buffers. When SDL's
// device goes away, a thread of ours takes the buffers in its place, in
// step with the clock, so that they keep coming back.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/wave_device.h"

namespace ce::detail {

namespace {

constexpr Uint16 kDeviceFrames = 512;

bool g_audioStarted = false;

class DesktopWavePlayer;
std::mutex g_playersMutex;
std::set<DesktopWavePlayer*> g_players;

bool StartAudio() {
  if (g_audioStarted) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  g_audioStarted = true;
  return true;
}

class DesktopWavePlayer final : public WavePlayer {
 public:
  bool Start(WaveQueue* queue) override {
    if (!StartAudio()) return false;
    queue_ = queue;
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(queue->format().nSamplesPerSec);
    want.format = AUDIO_U8;
    want.channels = static_cast<Uint8>(queue->format().nChannels);
    want.samples = kDeviceFrames;
    want.callback = &DesktopWavePlayer::Fill;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) return false;
    SDL_PauseAudioDevice(device_, 0);
    std::lock_guard lock(g_playersMutex);
    g_players.insert(this);
    return true;
  }

  void Stop() override {
    {
      std::lock_guard lock(g_playersMutex);
      g_players.erase(this);
    }
    CloseDevice();
    if (silent_.joinable()) {
      stopSilent_ = true;
      silent_.join();
    }
  }

  SDL_AudioDeviceID device() const { return device_; }

  // SDL's device has gone: play on without it.
  void Lose() {
    if (device_ == 0) return;
    queue_->Lose();
    CloseDevice();
    silent_ = std::thread(&DesktopWavePlayer::PlaySilently, this);
  }

 private:
  // On SDL's audio thread.
  static void Fill(void* self, Uint8* stream, int length) {
    auto* player = static_cast<DesktopWavePlayer*>(self);
    auto bytes = static_cast<size_t>(length);
    size_t got = player->queue_->Take(stream, bytes);
    std::fill(stream + got, stream + bytes, 0x80);
  }

  void CloseDevice() {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);  // waits for a running Fill to end
    device_ = 0;
  }

  // Takes from the queue as fast as the lost device would have played.
  void PlaySilently() {
    const WAVEFORMATEX& format = queue_->format();
    auto start = std::chrono::steady_clock::now();
    std::uint64_t frames = 0;
    std::vector<std::uint8_t> scratch;
    while (!stopSilent_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - start)
                    .count();
      std::uint64_t due = static_cast<std::uint64_t>(ms) * format.nSamplesPerSec / 1000 - frames;
      frames += due;
      scratch.resize(static_cast<size_t>(due) * format.nBlockAlign);
      queue_->Take(scratch.data(), scratch.size());
    }
  }

  WaveQueue* queue_ = nullptr;
  SDL_AudioDeviceID device_ = 0;
  std::thread silent_;
  std::atomic<bool> stopSilent_{false};
};

}  // namespace

bool LiveWaveAvailable() {
  if (!StartAudio()) return false;
  return SDL_GetNumAudioDevices(0) != 0;
}

std::unique_ptr<WavePlayer> CreateLiveWavePlayer() { return std::make_unique<DesktopWavePlayer>(); }

void DesktopWaveDeviceRemoved(std::uint32_t sdlDevice) {
  std::lock_guard lock(g_playersMutex);
  for (DesktopWavePlayer* player : g_players)
    if (player->device() == sdlDevice) player->Lose();
}

void StopLiveWave() {
  if (!g_audioStarted) return;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_audioStarted = false;
}

}  // namespace ce::detail
