// Wraps 8-bit unsigned mono samples in a RIFF WAVE file.
#pragma once

#include <cstdint>
#include <vector>

namespace tool {

// The player never plays the last eight bytes of a sound, so eight samples
// of silence (128) are appended after `samples`.
std::vector<std::uint8_t> EncodeWave(const std::vector<std::uint8_t>& samples, int rate);

}  // namespace tool
