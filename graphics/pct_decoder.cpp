#include "graphics/pct_decoder.h"

#include <cstring>

#include "platform/resources.h"

namespace {

// The stream's bits, most significant first. Once the last byte has been
// loaded the end flag is set; bits past the last byte read as 0.
struct BitReader {
  const std::uint8_t* stream;
  std::size_t length;
  std::size_t next;
  unsigned current;
  int position;
  bool end;

  unsigned Bit() {
    unsigned bit = position >= 0 && position <= 7 ? (current >> position) & 1 : 0;
    if (position-- == 0 && !end) {
      current = next < length ? stream[next] : 0;
      ++next;
      if (next >= length) end = true;
      position = 7;
    }
    return bit;
  }

  unsigned Field(int bits) {
    unsigned value = 0;
    while (bits-- > 0) value = (value << 1) | Bit();
    return value;
  }
};

}  // namespace

std::size_t DecodePctData(const std::uint8_t* data, std::size_t size, std::uint8_t* dest,
                          std::size_t destSize) {
  if (data == nullptr || size < 4) return 0;
  std::size_t length =
      static_cast<std::size_t>(data[0]) | (static_cast<std::size_t>(data[1]) << 8) |
      (static_cast<std::size_t>(data[2]) << 16) | (static_cast<std::size_t>(data[3]) << 24);
  // A length field that claims more than the resource holds is cut to it.
  if (length > size - 4) length = size - 4;
  if (length == 0) return 0;

  BitReader reader{data + 4, length, 1, data[4], 7, false};
  std::uint8_t history[512];
  std::memset(history, 0, sizeof history);
  unsigned oldest = 0;  // history index of window position 0
  std::size_t out = 0;
  while (out < destSize) {
    if (reader.Bit() != 0) {
      std::uint8_t byte = static_cast<std::uint8_t>(reader.Field(8));
      history[oldest] = byte;
      oldest = (oldest + 1) & 511;
      dest[out++] = byte;
    } else {
      unsigned count = reader.Field(5) + 1;
      unsigned position = reader.Field(9);
      for (unsigned k = 0; k < count && out < destSize; ++k) {
        std::uint8_t byte = history[(oldest + position) & 511];
        history[oldest] = byte;
        oldest = (oldest + 1) & 511;
        dest[out++] = byte;
      }
    }
    if (reader.end) break;
  }
  return out;
}

void DecodePct(int id, void* dest, std::uint32_t destSize) {
  ce::HRSRC found = ce::FindResourceW(nullptr, ce::MAKEINTRESOURCEW(id), u"PCT");
  if (found == nullptr) return;  // a missing picture stays black
  const auto* data =
      static_cast<const std::uint8_t*>(ce::LockResource(ce::LoadResource(nullptr, found)));
  DecodePctData(data, ce::SizeofResource(nullptr, found), static_cast<std::uint8_t*>(dest),
                destSize);
}
