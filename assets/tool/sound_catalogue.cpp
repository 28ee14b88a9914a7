#include "assets/tool/sound_catalogue.h"

#include <algorithm>

namespace sound_assets {

const std::vector<SoundSpec>& Sounds() {
  static const std::vector<SoundSpec> list = [] {
    std::vector<SoundSpec> all;
    AddEffects(all);
    AddMusic(all);
    std::sort(all.begin(), all.end(),
              [](const SoundSpec& a, const SoundSpec& b) { return a.id < b.id; });
    return all;
  }();
  return list;
}

std::vector<std::uint8_t> MakeSamples(const SoundSpec& spec) {
  return synth::ToSamples(spec.make(spec.rate), static_cast<std::uint32_t>(spec.id));
}

}  // namespace sound_assets
