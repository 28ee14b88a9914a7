// Encoder of the game's PCT picture resources (a tool of the build): the
// LZ77 bit stream that the game's decoder reads, with the 32-bit length field
// in front and padding to a multiple of 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Encodes `size` bytes with an optimal parse: the fewest bits over the
// format's fixed token costs (literal 9 bits, match of 1 to 32 bytes 15
// bits), preferring longer matches among equal costs. Decoding the result
// with a destination of exactly `size` bytes gives the input back.
std::vector<std::uint8_t> EncodePct(const std::uint8_t* data, std::size_t size);

// The same for RGB565 pixels (stored little-endian).
std::vector<std::uint8_t> EncodePctPixels(const std::uint16_t* pixels, std::size_t count);
