// Pictures are stored as "PCT" resources: a 32-bit little-endian stream
// length L, then L bytes of an LZ77 bit stream (literal: bit 1 + 8 bits;
// match: bit 0 + 5 bits length-1 + 9 bits position in a 512-byte history
// that starts as zeros). The decoded bytes are raw RGB565 pixels.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes PCT resource `id` into `dest` (destSize bytes). Bytes past the end
// of the stream are left as they are; bytes past destSize are dropped. A
// missing resource leaves the destination untouched (black when it was
// freshly allocated).
void DecodePct(int id, void* dest, std::uint32_t destSize);

// Decodes a resource image held in memory (length field first), reading only
// the `size` bytes given. Returns the number of bytes written to dest.
std::size_t DecodePctData(const std::uint8_t* data, std::size_t size, std::uint8_t* dest,
                          std::size_t destSize);
