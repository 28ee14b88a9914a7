// Reading a WAVE resource (a RIFF WAVE file of 8-bit mono PCM) in place.
#pragma once

#include <cstddef>
#include <cstdint>

struct SampleDescription;

// Walks the chunks by their sizes to the fmt and data chunks. On success
// sets the description's `data` (into `resource`, not owned), `sampleRate`
// and `length` (the data chunk's size less its last 8 bytes, which are not
// played) and returns true. A resource that is not 8-bit mono, has no
// sample rate, or whose chunks run past its end leaves `data` null.
bool ParseWaveResource(const std::uint8_t* resource, std::size_t size,
                       SampleDescription* description);

// Finds WAVE resource `id` of the program and reads it as above.
bool LoadWaveResource(int id, SampleDescription* description);
