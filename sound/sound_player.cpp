#include "sound/sound_player.h"

#include <new>

#include "sound/sound_engine.h"
#include "sound/wave_resource.h"

namespace {

constexpr ce::DWORD kOutputRate = 22050;

}  // namespace

SoundPlayer::SoundPlayer() {
  engine = new (std::nothrow) SoundEngine;
  if (engine != nullptr) engine->Open(kOutputRate, 1);
}

SoundPlayer::~SoundPlayer() {
  if (engine != nullptr) engine->Close();
  delete engine;
  engine = nullptr;
}

void SoundPlayer::Play(int id, std::uint8_t music, std::uint8_t loop) {
  SampleDescription description;
  LoadWaveResource(id, &description);
  description.loop = loop;
  int volume = music == 1 ? musicVolume : soundVolume;
  if (volume < 0 || volume > 64) volume = 64;
  description.volume = volume;
  if (engine != nullptr) engine->PlaySample(description);
}

void SoundPlayer::StopAll() {
  if (engine == nullptr) return;
  engine->EnterLock();
  for (SampleChannel& channel : engine->channels) channel.Stop();
  engine->LeaveLock();
}
