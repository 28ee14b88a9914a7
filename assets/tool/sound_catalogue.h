// The game's sounds: every WAVE resource id with its sample rate and the
// function that synthesises it.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/tool/sound_synth.h"

namespace sound_assets {

struct SoundEntry {
  int id;
  int rate;
  const char* name;
  synth::Buffer (*make)(int rate);
};

// Sorted by id.
const std::vector<SoundEntry>& Sounds();
// The 8-bit unsigned samples of one sound (the WAVE file's data).
std::vector<std::uint8_t> MakeSamples(const SoundEntry& sound);

// The two halves of the list, defined beside their sounds.
void AddEffects(std::vector<SoundEntry>& list);
void AddMusic(std::vector<SoundEntry>& list);

}  // namespace sound_assets
