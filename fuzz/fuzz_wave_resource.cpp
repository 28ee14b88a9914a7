// The WAVE reader on any resource bytes: it must never read outside the
// resource, and what it accepts must lie wholly inside it.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sound/sound_engine.h"
#include "sound/wave_resource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A buffer of exactly the resource's size, so that AddressSanitizer sees
  // any read past its end.
  std::vector<std::uint8_t> resource(data, data + size);
  SampleDescription sound;
  if (!ParseWaveResource(resource.data(), resource.size(), &sound)) {
    if (sound.data != nullptr) std::abort();
    return 0;
  }
  const std::uint8_t* begin = resource.data();
  const std::uint8_t* end = begin + resource.size();
  if (sound.data < begin || sound.data > end || sound.owned != 0 || sound.sampleRate == 0)
    std::abort();
  // The played samples and the 8 unplayed ones after them are inside.
  if (static_cast<std::size_t>(end - sound.data) < std::size_t{sound.length} + 8) std::abort();
  unsigned sum = 0;
  for (ce::DWORD i = 0; i < sound.length + 8; ++i) sum += sound.data[i];
  volatile unsigned sink = sum;
  (void)sink;
  return 0;
}
