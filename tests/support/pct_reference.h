// Test support: the PCT decoder written bit by bit as the format describes
// it, to check the game's fast decoder against.
#pragma once

#include <cstddef>
#include <cstdint>

namespace testsupport {

inline std::size_t ReferenceDecodePct(const std::uint8_t* data, std::size_t size,
                                      std::uint8_t* dest, std::size_t destSize) {
  if (size < 4) return 0;
  std::size_t length =
      data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::size_t>(data[3]) << 24);
  if (length > size - 4) length = size - 4;
  if (length == 0) return 0;
  const std::uint8_t* stream = data + 4;
  unsigned current = stream[0];
  int position = 7;
  std::size_t next = 1;
  bool end = false;
  auto bit = [&]() {
    unsigned b = position >= 0 && position <= 7 ? (current >> position) & 1 : 0;
    if (position-- == 0 && !end) {
      current = next < length ? stream[next] : 0;
      ++next;
      if (next >= length) end = true;
      position = 7;
    }
    return b;
  };
  auto field = [&](int n) {
    unsigned v = 0;
    while (n-- > 0) v = (v << 1) | bit();
    return v;
  };
  std::uint8_t history[512] = {};
  unsigned oldest = 0;
  std::size_t out = 0;
  auto emit = [&](std::uint8_t byte) {
    history[oldest] = byte;
    oldest = (oldest + 1) & 511;
    if (out < destSize) dest[out] = byte;
    ++out;
  };
  for (;;) {
    if (bit() != 0) {
      emit(static_cast<std::uint8_t>(field(8)));
    } else {
      unsigned count = field(5) + 1;
      unsigned position9 = field(9);
      for (unsigned k = 0; k < count; ++k) emit(history[(oldest + position9) & 511]);
    }
    if (end) break;
  }
  return out < destSize ? out : destSize;
}

}  // namespace testsupport
