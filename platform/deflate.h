// Compressed bytes for the files the program hands around (zlib's format):
// whole buffers in, whole buffers out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ce {

// `data` compressed as tightly as zlib can.
std::vector<std::uint8_t> Deflate(const std::uint8_t* data, std::size_t size);
// The bytes `data` was made of; false when it is not one whole compressed
// stream with nothing after it, or would grow beyond `limit` bytes.
bool Inflate(const std::uint8_t* data, std::size_t size, std::size_t limit,
             std::vector<std::uint8_t>* out);

}  // namespace ce
