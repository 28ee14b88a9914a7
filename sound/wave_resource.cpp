#include "sound/wave_resource.h"

#include <cstring>

#include "platform/resources.h"
#include "sound/sound_engine.h"

namespace {

constexpr std::size_t kFmtChunk = 12;      // after "RIFF", size, "WAVE"
constexpr std::size_t kFormatFields = 20;  // the fmt chunk's WAVEFORMATEX
constexpr std::uint32_t kFormatSize = 16;
constexpr std::uint32_t kUnplayedTail = 8;

std::uint16_t Read16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool IsId(const std::uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

}  // namespace

bool ParseWaveResource(const std::uint8_t* resource, std::size_t size,
                       SampleDescription* description) {
  if (resource == nullptr || size < kFormatFields + kFormatSize) return false;
  if (!IsId(resource + kFmtChunk, "fmt ")) return false;
  const std::uint32_t fmtSize = Read32(resource + kFmtChunk + 4);
  if (fmtSize < kFormatSize) return false;

  const std::uint8_t* fields = resource + kFormatFields;
  const std::uint16_t channels = Read16(fields + 2);
  const std::uint32_t sampleRate = Read32(fields + 4);
  const std::uint16_t bitsPerSample = Read16(fields + 14);
  if (channels != 1 || bitsPerSample != 8 || sampleRate == 0) return false;

  // Every chunk is skipped by its size until "data"; a chunk that runs past
  // the end of the resource ends the walk.
  std::uint64_t chunk = kFormatFields + static_cast<std::uint64_t>(fmtSize);
  while (chunk + 8 <= size) {
    const std::uint8_t* header = resource + chunk;
    const std::uint32_t chunkSize = Read32(header + 4);
    const std::uint64_t next = chunk + 8 + chunkSize;
    if (next > size) return false;
    if (IsId(header, "data")) {
      if (chunkSize < kUnplayedTail) return false;
      description->data = const_cast<std::uint8_t*>(header + 8);
      description->sampleRate = sampleRate;
      description->length = chunkSize - kUnplayedTail;
      description->owned = 0;
      return true;
    }
    chunk = next;
  }
  return false;
}

bool LoadWaveResource(int id, SampleDescription* description) {
  ce::HRSRC found = ce::FindResourceW(nullptr, ce::MAKEINTRESOURCEW(id), u"WAVE");
  if (found == nullptr) return false;
  ce::HGLOBAL loaded = ce::LoadResource(nullptr, found);
  if (loaded == nullptr) return false;
  const auto* bytes = static_cast<const std::uint8_t*>(ce::LockResource(loaded));
  return ParseWaveResource(bytes, ce::SizeofResource(nullptr, found), description);
}
