// Hands every synthesised sound to the asset tool, which wraps the samples in
// a WAVE file at the manifest's rate.
#include <cstdio>
#include <cstdlib>

#include "assets/tool/registry.h"
#include "assets/tool/sound_catalogue.h"

namespace {

const bool registered = [] {
  for (const sound_assets::SoundEntry& sound : sound_assets::Sounds()) {
    tool::RegisterSound(sound.id, [sound](int rate) {
      if (rate != sound.rate) {
        std::fprintf(stderr, "asset tool: sound %d is made at %d Hz, the manifest says %d\n",
                     sound.id, sound.rate, rate);
        std::exit(1);
      }
      return sound_assets::MakeSamples(sound);
    });
  }
  return true;
}();

}  // namespace
