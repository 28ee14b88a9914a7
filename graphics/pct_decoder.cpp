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

// The same where there is room to write 40 bytes (the surplus is
// overwritten by the tokens that follow) and the source lies in the output.
// Fixed amounts of work, so that the branches stay predictable.
inline void CopyMatchFast(std::uint8_t* to, unsigned distance) {
  const std::uint8_t* from = to - distance;
  if (distance >= 8) {
    // Each 8-byte step reads only bytes that are already final.
    for (unsigned k = 0; k < 32; k += 8) std::memcpy(to + k, from + k, 8);
    return;
  }
  // A short period: the first 8 bytes one by one, then 8-byte steps from
  // a whole number of periods back (at least 8 bytes).
  static constexpr unsigned kStep[8] = {0, 8, 8, 9, 8, 10, 12, 14};
  for (unsigned k = 0; k < 8; ++k) to[k] = from[k];
  unsigned step = kStep[distance];
  for (unsigned k = 8; k < 32; k += 8) std::memcpy(to + k, to + k - step, 8);
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
  // follow (what a step writes past its own bytes, 32 at most, is then
  // overwritten), and with room in the destination for a whole step. Each
  // step takes a run of up to six literals at once, then one match.
  constexpr std::size_t kMargin = 40 * 15;
  constexpr std::uint64_t kLiteralFlags =
      (1ull << 63) | (1ull << 54) | (1ull << 45) | (1ull << 36) | (1ull << 27) | (1ull << 18);
  if (lastBit > kMargin && destSize > 96) {
    const std::size_t fastEnd = lastBit - kMargin;
    const std::size_t outEnd = destSize - 96;
    while (pos < fastEnd && out <= outEnd) {
      std::uint64_t v = stream.Peek(pos);
      // Literals before the first match flag (six when there is none).
      unsigned run = static_cast<unsigned>(__builtin_clzll((~v & kLiteralFlags) | (1ull << 9))) / 9;
      std::uint64_t bytes = 0;
      for (unsigned i = 0; i < 6; ++i) bytes |= ((v >> (55 - 9 * i)) & 0xFF) << (8 * i);
      std::memcpy(dest + out, &bytes, 8);
      out += run;
      pos += 9 * run;
      if (run == 6) continue;

      v = stream.Peek(pos);
      unsigned count = static_cast<unsigned>((v >> 58) & 31) + 1;
      unsigned distance = kWindow - static_cast<unsigned>((v >> 49) & 511);
      pos += 15;
      if (out >= distance) {
        CopyMatchFast(dest + out, distance);
      } else {
        CopyMatchExact(dest, out, count, distance);
      }
      out += count;
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
