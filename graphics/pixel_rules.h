// The per-pixel rules of the blitters, on RGB565 values.
#pragma once

#include <cstdint>

// Each of red, green and blue becomes the floor of the mean of the two.
inline std::uint16_t Blend50(std::uint16_t a, std::uint16_t b) {
  // Halve both without letting a low bit leak into the next field, then add
  // the carry where both low bits were set: floor((a + b) / 2) per field.
  return static_cast<std::uint16_t>(((a & 0xF7DE) >> 1) + ((b & 0xF7DE) >> 1) + (a & b & 0x0821));
}

// Keyed alpha: each 8-bit-scaled component c = trunc(cS * a + cD * (1 - a)),
// cS * a in single precision, the rest in double precision.
inline std::uint16_t AlphaPixel(std::uint16_t s, std::uint16_t d, float alpha) {
  double inverse = 1.0 - static_cast<double>(alpha);
  auto mix = [&](unsigned cs, unsigned cd) {
    float scaled = static_cast<float>(cs) * alpha;
    return static_cast<unsigned>(static_cast<int>(static_cast<double>(scaled) + cd * inverse));
  };
  unsigned r = mix((s >> 8) & 0xF8, (d >> 8) & 0xF8);
  unsigned g = mix((s >> 3) & 0xFC, (d >> 3) & 0xFC);
  unsigned b = mix((s << 3) & 0xF8, (d << 3) & 0xF8);
  return static_cast<std::uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | ((b & 0xFF) >> 3));
}
