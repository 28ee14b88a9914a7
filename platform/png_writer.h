// Writes 8-bit RGB pictures as PNG files (zlib for the compression).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ce {

// `pixels` holds 3 bytes a pixel (RGB), or 4 (RGBA) when channels is 4.
// The file is written beside `path` and renamed over it, never through a
// link that is there.
bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& pixels, int channels = 3);
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& pixels,
                                    int channels = 3);

// RGB565 to 8-bit components, with the low bits filled so white stays white.
inline void Rgb565ToRgb888(std::uint16_t p, std::uint8_t* out) {
  std::uint8_t r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
  out[0] = static_cast<std::uint8_t>((r << 3) | (r >> 2));
  out[1] = static_cast<std::uint8_t>((g << 2) | (g >> 4));
  out[2] = static_cast<std::uint8_t>((b << 3) | (b >> 2));
}

}  // namespace ce
