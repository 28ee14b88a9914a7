// The desktop wave device: SDL's audio output, asked for the device's own
// format (8-bit unsigned), with a small buffer of its own so that a sound
// written now is heard within the writer's queue of buffers.
#include <SDL.h>

#include <algorithm>

#include "platform/wave_device.h"

namespace ce::detail {

namespace {

constexpr Uint16 kDeviceFrames = 512;

bool g_audioStarted = false;

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
    return true;
  }

  void Stop() override {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);  // waits for a running Fill to end
    device_ = 0;
  }

 private:
  // On SDL's audio thread.
  static void Fill(void* self, Uint8* stream, int length) {
    auto* player = static_cast<DesktopWavePlayer*>(self);
    auto bytes = static_cast<size_t>(length);
    size_t got = player->queue_->Take(stream, bytes);
    std::fill(stream + got, stream + bytes, 0x80);
  }

  WaveQueue* queue_ = nullptr;
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace

bool DesktopWaveAvailable() {
  if (!StartAudio()) return false;
  return SDL_GetNumAudioDevices(0) != 0;
}

std::unique_ptr<WavePlayer> CreateDesktopWavePlayer() {
  return std::make_unique<DesktopWavePlayer>();
}

void StopDesktopWave() {
  if (!g_audioStarted) return;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_audioStarted = false;
}

}  // namespace ce::detail
