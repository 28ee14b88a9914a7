#include "app/play_sound.h"

#include <cstdio>

#include "platform/clock.h"
#include "sound/sound_engine.h"
#include "sound/sound_player.h"
#include "sound/wave_resource.h"

namespace app {

int PlaySoundResource(int id) {
  SampleDescription check;
  if (!LoadWaveResource(id, &check)) {
    std::fprintf(stderr, "reedshot: there is no playable sound %d\n", id);
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

}  // namespace app
