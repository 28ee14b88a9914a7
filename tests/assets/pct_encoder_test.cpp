#include "assets/pct_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "graphics/pct_decoder.h"

namespace {

std::vector<std::uint8_t> RoundTrip(const std::vector<std::uint8_t>& input) {
  std::vector<std::uint8_t> resource = EncodePct(input.data(), input.size());
  EXPECT_EQ(resource.size() % 4, 0u);
  std::vector<std::uint8_t> out(input.size(), 0xA5);
  std::size_t n = DecodePctData(resource.data(), resource.size(), out.data(), out.size());
  EXPECT_EQ(n, input.size());
  return out;
}

std::size_t StreamLength(const std::vector<std::uint8_t>& resource) {
  return resource[0] | (resource[1] << 8) | (resource[2] << 16) | (resource[3] << 24);
}

// The fewest bits for `data`, by brute force over every match in the window.
std::size_t OptimalBits(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> v(512, 0);
  v.insert(v.end(), data.begin(), data.end());
  std::size_t n = data.size();
  std::vector<std::size_t> cost(n + 1, 0);
  for (std::size_t i = n; i-- > 0;) {
    cost[i] = 9 + cost[i + 1];
    for (std::size_t d = 1; d <= 512; ++d) {
      for (std::size_t l = 1; l <= 32 && i + l <= n && v[512 + i + l - 1 - d] == v[512 + i + l - 1];
           ++l) {
        cost[i] = std::min(cost[i], 15 + cost[i + l]);
      }
    }
  }
  return cost[0];
}

TEST(PctEncoder, RoundTripsRandomAndStructuredData) {
  std::mt19937 rng(1234);
  std::vector<std::vector<std::uint8_t>> cases = {
      {}, {0}, {0x61}, {1, 2}, std::vector<std::uint8_t>(33, 0)};
  for (int size : {3, 17, 100, 511, 512, 513, 1000, 5000}) {
    for (int alphabet : {2, 4, 256}) {
      std::vector<std::uint8_t> data(size);
      for (auto& b : data) b = static_cast<std::uint8_t>(rng() % alphabet);
      cases.push_back(data);
    }
  }
  // Repeats at every distance around the window's reach, runs and a picture
  // with flat areas, gradients and edges.
  for (int period : {1, 2, 3, 31, 32, 33, 255, 511, 512, 513, 600}) {
    std::vector<std::uint8_t> data(3000);
    for (std::size_t i = 0; i < data.size(); ++i)
      data[i] = static_cast<std::uint8_t>((i % period) * 37 + 1);
    cases.push_back(data);
  }
  std::vector<std::uint16_t> pixels(120 * 90);
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 120; ++x)
      pixels[y * 120 + x] = x < 40 ? 0x07E0
                                   : (x < 80 ? static_cast<std::uint16_t>(y * 64 + x)
                                             : (((x / 7 + y / 5) % 2) ? 0xFFFF : 0));
  std::vector<std::uint8_t> bytes(pixels.size() * 2);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(pixels[i]);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(pixels[i] >> 8);
  }
  cases.push_back(bytes);
  EXPECT_EQ(EncodePctPixels(pixels.data(), pixels.size()), EncodePct(bytes.data(), bytes.size()));

  for (std::size_t c = 0; c < cases.size(); ++c) {
    ASSERT_EQ(RoundTrip(cases[c]), cases[c]) << "case " << c;
  }
}

TEST(PctEncoder, ParseIsOptimalForTheTokenCosts) {
  // 64 zeros: two matches of 32 from the zero window, 30 bits.
  std::vector<std::uint8_t> zeros(64, 0);
  EXPECT_EQ(StreamLength(EncodePct(zeros.data(), zeros.size())), 4u);
  std::mt19937 rng(99);
  for (int round = 0; round < 30; ++round) {
    std::vector<std::uint8_t> data(50 + rng() % 300);
    int alphabet = 1 + round % 5;
    for (auto& b : data) b = static_cast<std::uint8_t>(rng() % alphabet);
    std::size_t bytes = StreamLength(EncodePct(data.data(), data.size()));
    EXPECT_EQ(bytes, (OptimalBits(data) + 7) / 8) << "round " << round;
  }
}

}  // namespace
