// The mixer: eight looping 8-bit sounds into one buffer of 22050 Hz stereo
// (588 frames), ours against SDL_MixAudioFormat doing the same mix.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "sound/sound_engine.h"

namespace {

constexpr int kChannels = 8;
constexpr int kFrames = 588;

// Eight different sounds of different lengths, so that loops wrap at
// different frames.
std::vector<std::vector<std::uint8_t>> MakeSounds() {
  std::vector<std::vector<std::uint8_t>> sounds(kChannels);
  for (int c = 0; c < kChannels; ++c) {
    sounds[c].resize(1000 + 137 * c);
    std::uint32_t x = 12345u + c;
    for (auto& s : sounds[c]) {
      x = x * 1103515245u + 12345u;
      s = static_cast<std::uint8_t>(96 + ((x >> 16) % 64));  // moderate level, some clipping
    }
  }
  return sounds;
}

void BM_ours_mix_vs_sdl(benchmark::State& state) {
  auto sounds = MakeSounds();
  auto* engine = new SoundEngine;
  engine->outputRate = 22050;
  engine->samplesPerBuffer = kFrames;
  engine->stereo = 1;
  for (int c = 0; c < kChannels; ++c) {
    SampleChannel& channel = engine->channels[c];
    channel.data = sounds[c].data();
    channel.end = static_cast<ce::DWORD>(sounds[c].size()) << 8;
    channel.position = 0;
    channel.step = 256;  // a 22050 Hz sound
    channel.loop = 1;
    channel.master = 64;
    channel.SetVolume(64);
    channel.Start();
  }
  std::vector<std::uint8_t> out(kFrames * 2);
  engine->fillTarget = out.data();
  for (auto _ : state) {
    engine->Mix();
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  delete engine;
}
BENCHMARK(BM_ours_mix_vs_sdl);

// SDL mixes same-format data, so each sound is handed to it already as
// 22050 Hz stereo bytes (the expansion is not timed); each call adds one
// sound, at half volume like the engine's single sound, wrapping its loop.
void BM_ref_mix_vs_sdl(benchmark::State& state) {
  auto sounds = MakeSounds();
  std::vector<std::vector<Uint8>> stereo(kChannels);
  for (int c = 0; c < kChannels; ++c)
    for (std::uint8_t s : sounds[c]) stereo[c].insert(stereo[c].end(), 2, s);
  std::vector<size_t> position(kChannels, 0);
  std::vector<Uint8> out(kFrames * 2);
  const Uint32 bytes = kFrames * 2;
  for (auto _ : state) {
    std::fill(out.begin(), out.end(), 0x80);
    for (int c = 0; c < kChannels; ++c) {
      Uint32 done = 0;
      while (done < bytes) {
        Uint32 n =
            static_cast<Uint32>(std::min<size_t>(bytes - done, stereo[c].size() - position[c]));
        SDL_MixAudioFormat(out.data() + done, stereo[c].data() + position[c], AUDIO_U8, n,
                           SDL_MIX_MAXVOLUME / 2);
        done += n;
        position[c] = (position[c] + n) % stereo[c].size();
      }
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ref_mix_vs_sdl);

}  // namespace
