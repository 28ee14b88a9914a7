#include "assets/tool/wave_writer.h"

#include <algorithm>

namespace tool {

std::vector<std::uint8_t> EncodeWave(const std::vector<std::uint8_t>& samples, int rate) {
  std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size() + 8);
  std::vector<std::uint8_t> out(44 + dataSize + (dataSize & 1), 0);
  std::size_t at = 0;
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) out[at++] = static_cast<std::uint8_t>(t[i]);
  };
  auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at++] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  auto u16 = [&](std::uint16_t v) {
    out[at++] = static_cast<std::uint8_t>(v);
    out[at++] = static_cast<std::uint8_t>(v >> 8);
  };
  tag("RIFF");
  u32(static_cast<std::uint32_t>(out.size() - 8));
  tag("WAVE");
  tag("fmt ");
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(static_cast<std::uint32_t>(rate));
  u32(static_cast<std::uint32_t>(rate));  // bytes per second
  u16(1);                                 // block align
  u16(8);                                 // bits per sample
  tag("data");
  u32(dataSize);
  std::copy(samples.begin(), samples.end(), out.begin() + 44);
  std::fill(out.begin() + 44 + samples.size(), out.begin() + 44 + dataSize, 128);
  return out;  // a pad byte keeps the RIFF chunk even
}

}  // namespace tool
