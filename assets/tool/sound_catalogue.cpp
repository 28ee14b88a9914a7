#include "assets/tool/sound_catalogue.h"

#include <algorithm>

namespace sound_assets {

const std::vector<SoundEntry>& Sounds() {
  static const std::vector<SoundEntry> list = [] {
    std::vector<SoundEntry> all;
    AddEffects(all);
    AddMusic(all);
    std::sort(all.begin(), all.end(),
              [](const SoundEntry& a, const SoundEntry& b) { return a.id < b.id; });
    return all;
  }();
  return list;
}

std::vector<std::uint8_t> MakeSamples(const SoundEntry& sound) {
  return synth::ToSamples(sound.make(sound.rate), static_cast<std::uint32_t>(sound.id));
}

}  // namespace sound_assets
