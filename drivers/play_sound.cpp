#include "drivers/play_sound.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "assets/manifest.h"
#include "platform/clock.h"
#include "sound/sound_engine.h"
#include "sound/sound_player.h"
#include "sound/wave_resource.h"

namespace drivers {

std::string PlayableSoundIds() {
  std::string list;
  int first = -1, last = -1;
  auto flush = [&] {
    if (first < 0) return;
    if (!list.empty()) list += ", ";
    list += std::to_string(first);
    if (last > first) {
      list += '-';
      list += std::to_string(last);
    }
  };
  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    SampleDescription sound;
    if (std::strcmp(e.kind, "wave") != 0 || !LoadWaveResource(e.id, &sound)) continue;
    if (e.id != last + 1) {
      flush();
      first = e.id;
    }
    last = e.id;
  }
  flush();
  return list;
}

int PlaySoundResource(int id) {
  SampleDescription check;
  if (!LoadWaveResource(id, &check)) {
    std::fprintf(stderr, "reedshot: there is no playable sound %d; the sounds are %s\n", id,
                 PlayableSoundIds().c_str());
    return 1;
  }
  auto* player = new SoundPlayer;
  SoundEngine* engine = player->engine;
  if (engine == nullptr || !engine->opened) {
    delete player;
    std::fprintf(stderr, "reedshot: no sound output device; nothing played\n");
    return 1;
  }
  player->Play(id, 0, 0);
  while (engine->CountActiveSamples() > 0) ce::Sleep(10);
  // The device still holds the engine's queue of buffers: let it play out.
  ce::Sleep(SoundEngine::kBufferCount * engine->samplesPerBuffer * 1000 / engine->outputRate + 10);
  delete player;
  return 0;
}

}  // namespace drivers
