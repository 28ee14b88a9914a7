#include "graphics/pct_decoder.h"

#include <cstring>

#include "platform/resources.h"

// The stream is read as an absolute bit position into it. Reading the last
// bit of byte L-2 (of byte 0 when L is 1) is what loads the stream's last
// byte, and the token under way then is the last one decoded; every bit past
// the stream's end reads as 0. The history window is the output itself: the
// 512 bytes before the output position, with zeros before the first byte.

namespace {

constexpr int kWindow = 512;

struct Stream {
  const std::uint8_t* bytes;
  std::size_t length;  // L

  // The 64 bits from bit `pos` on, most significant first, at least 57 of
  // them valid; bytes past the end read as 0.
  std::uint64_t Peek(std::size_t pos) const {
    std::size_t at = pos >> 3;
    std::uint64_t v = 0;
    if (at + 8 <= length) {
      std::memcpy(&v, bytes + at, 8);
      v = __builtin_bswap64(v);
    } else {
      for (int i = 0; i < 8; ++i) {
        v = (v << 8) | (at + i < length ? bytes[at + i] : 0);
      }
    }
    return v << (pos & 7);
  }
};

// Copies `count` bytes from `distance` back, byte by byte as the window
// slides; sources before the first output byte are the window's zeros.
void CopyMatchExact(std::uint8_t* dest, std::size_t out, std::size_t count, std::size_t distance) {
  for (std::size_t k = 0; k < count; ++k, ++out) {
    dest[out] = out >= distance ? dest[out - distance] : 0;
  }
}

// The same where there is room to write up to 32 bytes (the surplus is
// overwritten by the tokens that follow) and the source lies in the output.
inline void CopyMatchFast(std::uint8_t* to, unsigned count, unsigned distance) {
  const std::uint8_t* from = to - distance;
  if (distance >= 8) {
    // Each 8-byte step reads only bytes that are already final.
    for (unsigned k = 0; k < count; k += 8) std::memcpy(to + k, from + k, 8);
  } else if (distance == 1) {
    std::memset(to, from[0], 32);
  } else {
    for (unsigned k = 0; k < count; ++k) to[k] = from[k];
  }
}

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
  const Stream stream{data + 4, length};
  // The bit whose reading loads the last byte; the token holding it ends
  // the decoding.
  const std::size_t lastBit = 8 * (length >= 2 ? length - 1 : 1) - 1;

  std::size_t pos = 0;
  std::size_t out = 0;

  // Fast part: far enough from the stream's end that at least 32 more tokens
  // follow (so a match may write up to 32 bytes: what it writes too much is
  // overwritten), with room for three whole matches in the destination.
  constexpr std::size_t kMargin = 40 * 15;
  if (lastBit > kMargin && destSize > 96) {
    const std::size_t fastEnd = lastBit - kMargin;
    const std::size_t outEnd = destSize - 96;
    while (pos < fastEnd && out <= outEnd) {
      std::uint64_t v = stream.Peek(pos);
      for (int t = 0; t < 3; ++t) {
        if (v >> 63) {
          dest[out++] = static_cast<std::uint8_t>(v >> 55);
          v <<= 9;
          pos += 9;
        } else {
          unsigned count = static_cast<unsigned>((v >> 58) & 31) + 1;
          unsigned distance = kWindow - static_cast<unsigned>((v >> 49) & 511);
          v <<= 15;
          pos += 15;
          if (out >= distance) {
            CopyMatchFast(dest + out, count, distance);
          } else {
            CopyMatchExact(dest, out, count, distance);
          }
          out += count;
        }
      }
    }
  }

  // The rest, token by token, exactly.
  while (pos <= lastBit && out < destSize) {
    std::uint64_t v = stream.Peek(pos);
    if (v >> 63) {
      dest[out++] = static_cast<std::uint8_t>(v >> 55);
      pos += 9;
    } else {
      std::size_t count = static_cast<std::size_t>((v >> 58) & 31) + 1;
      std::size_t distance = kWindow - static_cast<std::size_t>((v >> 49) & 511);
      pos += 15;
      if (count > destSize - out) count = destSize - out;
      CopyMatchExact(dest, out, count, distance);
      out += count;
    }
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
