#include "sound/game_sounds.h"

#include "sound/sound_player.h"

namespace {
SoundPlayer* g_player = nullptr;
SoundObserver g_observer = nullptr;
}  // namespace

void SetGameSoundPlayer(SoundPlayer* player) { g_player = player; }

void SetSoundObserver(SoundObserver observer) { g_observer = observer; }

void PlayEffect(int id) {
  if (g_observer != nullptr) g_observer(id, 0);
  if (g_player != nullptr) g_player->Play(id, 0, 0);
}

void StartMusic(int id) {
  StopAllSounds();
  PlayMusic(id);
}

void PlayMusic(int id) {
  if (g_observer != nullptr) g_observer(id, 1);
  if (g_player != nullptr) g_player->Play(id, 1, 1);
}

void StopAllSounds() {
  if (g_player != nullptr) g_player->StopAll();
}
