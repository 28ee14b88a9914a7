// The browser's wave device: the page (web_device.js) plays the open queue
// through Web Audio, taking the samples it needs as it needs them, so each
// buffer is handed back when it has been played. Browsers start sound only
// after the player's first gesture; until then the page takes the samples
// in real time and drops them, so that the game's sounds keep their time.
#include <emscripten.h>
#include <emscripten/threading.h>

#include <mutex>

#include "platform/wave_device.h"

namespace ce::detail {

namespace {

std::mutex g_playingMutex;
WaveQueue* g_playing = nullptr;  // under g_playingMutex

class WebWavePlayer final : public WavePlayer {
 public:
  bool Start(WaveQueue* queue) override {
    {
      std::lock_guard lock(g_playingMutex);
      if (g_playing != nullptr) return false;  // one device at a time
      g_playing = queue;
    }
    MAIN_THREAD_ASYNC_EM_ASM({ Module.reedshotAudioOpen($0, $1); }, queue->format().nSamplesPerSec,
                             queue->format().nChannels);
    return true;
  }

  void Stop() override {
    std::lock_guard lock(g_playingMutex);
    g_playing = nullptr;
  }
};

}  // namespace

bool LiveWaveAvailable() {
  return MAIN_THREAD_EM_ASM_INT({ return Module.reedshotAudioOpen ? 1 : 0; }) != 0;
}

std::unique_ptr<WavePlayer> CreateLiveWavePlayer() { return std::make_unique<WebWavePlayer>(); }

void StopLiveWave() {}

}  // namespace ce::detail

// Called by the page, on its own thread: copies up to `bytes` of samples
// (8-bit unsigned, the device's format) to `out`, silence where nothing is
// queued. Returns the bytes of real samples.
extern "C" EMSCRIPTEN_KEEPALIVE int reedshot_web_audio_take(std::uint8_t* out, int bytes) {
  std::lock_guard lock(ce::detail::g_playingMutex);
  size_t got = 0;
  if (ce::detail::g_playing != nullptr)
    got = ce::detail::g_playing->Take(out, static_cast<size_t>(bytes));
  for (int i = static_cast<int>(got); i < bytes; ++i) out[i] = 0x80;
  return static_cast<int>(got);
}
