#include "sound/sound_player.h"

// The engine and the resource lookup follow; until then nothing plays.
SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::Play(int, std::uint8_t, std::uint8_t) {}

void SoundPlayer::StopAll() {}
