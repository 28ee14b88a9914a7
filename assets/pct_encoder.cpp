#include "assets/pct_encoder.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kWindow = 512;
constexpr int kMaxMatch = 32;
constexpr int kLiteralBits = 9;
constexpr int kMatchBits = 15;

// For every input position, the longest match in the window (the history
// starts as 512 zero bytes) and its distance back.
struct Matches {
  std::vector<std::uint8_t> length;
  std::vector<std::uint16_t> distance;
};

Matches FindMatches(const std::uint8_t* data, std::size_t size) {
  // The input behind 512 zeros, so that the starting window is ordinary data.
  std::vector<std::uint8_t> v(kWindow + size, 0);
  std::copy(data, data + size, v.begin() + kWindow);
  auto total = static_cast<std::ptrdiff_t>(v.size());

  // Chains of earlier positions with the same two bytes, newest first.
  std::vector<std::int32_t> head(65536, -1);
  std::vector<std::int32_t> previous(v.size(), -1);
  auto key = [&](std::ptrdiff_t p) { return v[p] | (v[p + 1] << 8); };
  for (std::ptrdiff_t p = 0; p < kWindow && p + 1 < total; ++p) {
    previous[p] = head[key(p)];
    head[key(p)] = static_cast<std::int32_t>(p);
  }

  Matches m;
  m.length.assign(size, 0);
  m.distance.assign(size, 0);
  for (std::ptrdiff_t p = kWindow; p < total; ++p) {
    std::ptrdiff_t limit = std::min<std::ptrdiff_t>(kMaxMatch, total - p);
    if (limit >= 2) {
      int best = 0;
      int bestDistance = 0;
      for (std::int32_t c = head[key(p)]; c >= 0 && p - c <= kWindow; c = previous[c]) {
        int n = 0;
        while (n < limit && v[c + n] == v[p + n]) ++n;
        if (n > best) {
          best = n;
          bestDistance = static_cast<int>(p - c);
          if (n == limit) break;
        }
      }
      m.length[p - kWindow] = static_cast<std::uint8_t>(best);
      m.distance[p - kWindow] = static_cast<std::uint16_t>(bestDistance);
    }
    if (p + 1 < total) {
      previous[p] = head[key(p)];
      head[key(p)] = static_cast<std::int32_t>(p);
    }
  }
  return m;
}

class BitWriter {
 public:
  void Put(unsigned value, int bits) {
    while (bits-- > 0) {
      if (used_ == 0) bytes_.push_back(0);
      if ((value >> bits) & 1) bytes_.back() |= static_cast<std::uint8_t>(0x80 >> used_);
      used_ = (used_ + 1) & 7;
    }
  }
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  int used_ = 0;
};

}  // namespace

std::vector<std::uint8_t> EncodePct(const std::uint8_t* data, std::size_t size) {
  Matches matches = FindMatches(data, size);

  // cost[i]: fewest bits that encode data[i..size); choice[i]: the length of
  // the token that starts there (1 = literal).
  std::vector<std::uint64_t> cost(size + 1, 0);
  std::vector<std::uint8_t> choice(size, 1);
  for (std::size_t i = size; i-- > 0;) {
    std::uint64_t best = kLiteralBits + cost[i + 1];
    int bestLength = 1;
    // Among equal costs the longest match wins: fewer tokens to decode.
    for (int l = 2; l <= matches.length[i]; ++l) {
      std::uint64_t c = kMatchBits + cost[i + l];
      if (c <= best) {
        best = c;
        bestLength = l;
      }
    }
    cost[i] = best;
    choice[i] = static_cast<std::uint8_t>(bestLength);
  }

  BitWriter writer;
  for (std::size_t i = 0; i < size; i += choice[i]) {
    if (choice[i] == 1) {
      writer.Put(1, 1);
      writer.Put(data[i], 8);
    } else {
      writer.Put(0, 1);
      writer.Put(choice[i] - 1u, 5);
      writer.Put(static_cast<unsigned>(kWindow - matches.distance[i]), 9);
    }
  }
  std::vector<std::uint8_t>& stream = writer.bytes();
  auto length = static_cast<std::uint32_t>(stream.size());
  std::vector<std::uint8_t> out((4 + stream.size() + 3) & ~std::size_t{3}, 0);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(length >> (8 * i));
  std::copy(stream.begin(), stream.end(), out.begin() + 4);
  return out;
}

std::vector<std::uint8_t> EncodePctPixels(const std::uint16_t* pixels, std::size_t count) {
  std::vector<std::uint8_t> bytes(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(pixels[i]);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
  }
  return EncodePct(bytes.data(), bytes.size());
}
