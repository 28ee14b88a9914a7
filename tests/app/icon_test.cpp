// The icon at the package's sizes and as SVG, all showing the same duck.
#include "drivers/icon.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

namespace {

using Pixels = std::vector<std::uint8_t>;

const std::uint8_t* At(const Pixels& p, int size, int x, int y) {
  return &p[(static_cast<size_t>(y) * size + x) * 4];
}

double Coverage(const Pixels& p) {
  double alpha = 0;
  for (size_t i = 3; i < p.size(); i += 4) alpha += p[i] / 255.0;
  return alpha;
}

TEST(IconTest, WholeMultiplesRepeatPixelsAndOtherSizesKeepTheArea) {
  Pixels base = drivers::IconPixels(drivers::kIconSide);
  ASSERT_EQ(base.size(), 64u * 64 * 4);
  double covered = Coverage(base);
  EXPECT_GT(covered, 64 * 64 / 5);  // a duck, not an empty square
  EXPECT_LT(covered, 64 * 64 * 4 / 5);
  EXPECT_EQ(At(base, 64, 0, 0)[3], 0);  // transparent around it

  for (int scale : {2, 4}) {
    int size = 64 * scale;
    Pixels big = drivers::IconPixels(size);
    ASSERT_EQ(big.size(), static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        ASSERT_TRUE(std::equal(At(big, size, x, y), At(big, size, x, y) + 4,
                               At(base, 64, x / scale, y / scale)))
            << size << " at " << x << "," << y;
  }

  // 48 px: each 3 x 3 block of pixels covers a 4 x 4 block of the duck and
  // holds the same colour weighted by coverage, to rounding.
  Pixels small = drivers::IconPixels(48);
  ASSERT_EQ(small.size(), 48u * 48 * 4);
  for (int by = 0; by < 16; ++by) {
    for (int bx = 0; bx < 16; ++bx) {
      double source[4] = {0, 0, 0, 0}, scaled[4] = {0, 0, 0, 0};
      auto add = [](double* sum, const std::uint8_t* p, double weight) {
        for (int c = 0; c < 3; ++c) sum[c] += weight * p[c] * p[3] / 255;
        sum[3] += weight * p[3];
      };
      for (int i = 0; i < 16; ++i) add(source, At(base, 64, bx * 4 + i % 4, by * 4 + i / 4), 1);
      for (int i = 0; i < 9; ++i)
        add(scaled, At(small, 48, bx * 3 + i % 3, by * 3 + i / 3), 16.0 / 9);
      for (int c = 0; c < 4; ++c) ASSERT_NEAR(scaled[c], source[c], 16) << bx << "," << by;
    }
  }
}

TEST(IconTest, SvgDrawsEveryOpaquePixelOnce) {
  Pixels base = drivers::IconPixels(64);
  std::string svg = drivers::IconSvg();
  ASSERT_NE(svg.find("viewBox=\"0 0 64 64\""), std::string::npos);
  Pixels drawn(base.size(), 0);
  std::regex rect(
      "<rect x=\"(\\d+)\" y=\"(\\d+)\" width=\"(\\d+)\" height=\"1\" "
      "fill=\"#([0-9a-f]{6})\"/>");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), rect); it != std::sregex_iterator();
       ++it) {
    int x = std::stoi((*it)[1]), y = std::stoi((*it)[2]), w = std::stoi((*it)[3]);
    unsigned rgb = std::stoul((*it)[4], nullptr, 16);
    for (int i = x; i < x + w; ++i) {
      std::uint8_t* p = &drawn[(static_cast<size_t>(y) * 64 + i) * 4];
      ASSERT_EQ(p[3], 0) << "drawn twice at " << i << "," << y;
      p[0] = static_cast<std::uint8_t>(rgb >> 16);
      p[1] = static_cast<std::uint8_t>(rgb >> 8);
      p[2] = static_cast<std::uint8_t>(rgb);
      p[3] = 255;
    }
  }
  EXPECT_EQ(drawn, base);
}

}  // namespace
