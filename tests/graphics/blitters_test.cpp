#include "graphics/blitters.h"

#include <gtest/gtest.h>

#include "graphics/pixel_rules.h"
#include "graphics/surface.h"
#include "tests/support/test_pictures.h"

namespace {

using testsupport::At;
using testsupport::Put;

constexpr std::uint16_t kWhite = 0xFFFF;
constexpr std::uint16_t kKey = 0xF81F;  // magenta
constexpr std::uint16_t kRed = 0xF800;
constexpr std::uint16_t kBlue = 0x001F;

TEST(PixelRules, HalfBlendIsTheFloorOfTheMeanPerComponent) {
  EXPECT_EQ(Blend50(kWhite, 0x0000), 0x7BEF);
  EXPECT_EQ(Blend50(0x0000, kWhite), 0x7BEF);
  // Odd sums round down in every field: r 1+2, g 1+2, b 1+2.
  std::uint16_t a = (1 << 11) | (1 << 5) | 1;
  std::uint16_t b = (2 << 11) | (2 << 5) | 2;
  EXPECT_EQ(Blend50(a, b), a);
  EXPECT_EQ(Blend50(kRed, kBlue), 0x780F);
}

class BlitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dst_ = new CSurface(8, 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) Put(dst_, x, y, static_cast<std::uint16_t>(0x0841 * (x + y)));
  }
  void TearDown() override { delete dst_; }
  std::uint16_t Under(int x, int y) const { return static_cast<std::uint16_t>(0x0841 * (x + y)); }
  CSurface* dst_ = nullptr;
};

TEST_F(BlitterTest, SoftenedColumnKSSKK) {
  CPicture* column = testsupport::MakeColumn({kKey, kRed, kRed, kKey, kKey});
  KeyedSoftRect(column->surface, dst_, {2, 1}, {0, 0, 1, 5}, kKey);
  EXPECT_EQ(At(dst_, 2, 1), Under(2, 1));                 // K on the first row: unchanged
  EXPECT_EQ(At(dst_, 2, 2), Blend50(Under(2, 2), kRed));  // top of the run: half
  EXPECT_EQ(At(dst_, 2, 3), kRed);                        // inside the run
  EXPECT_EQ(At(dst_, 2, 4), Blend50(Under(2, 4), kKey));  // below it: the key mixed in
  EXPECT_EQ(At(dst_, 2, 5), Under(2, 5));                 // key under key
  EXPECT_EQ(At(dst_, 1, 2), Under(1, 2));                 // neighbours untouched
  testsupport::DeletePicture(column);
}

TEST_F(BlitterTest, SoftenedFirstRowIsPlainKeyedAndLooksAboveWithinTheSource) {
  // The rectangle starts at source row 1: row 0 of the picture is the key,
  // but the first drawn row is not softened; the second row looks at the first.
  CPicture* column = testsupport::MakeColumn({kKey, kRed, kKey, kBlue});
  KeyedSoftRect(column->surface, dst_, {0, 0}, {0, 1, 1, 4}, kKey);
  EXPECT_EQ(At(dst_, 0, 0), kRed);
  EXPECT_EQ(At(dst_, 0, 1), Blend50(Under(0, 1), kKey));
  EXPECT_EQ(At(dst_, 0, 2), Blend50(Under(0, 2), kBlue));
  testsupport::DeletePicture(column);
}

TEST_F(BlitterTest, KeyedBlendedAndAlphaRules) {
  CPicture* row = testsupport::MakePicture(3, 1, kKey);
  Put(row->surface, 1, 0, kRed);
  Put(row->surface, 2, 0, kWhite);
  KeyedCopyRect(row->surface, dst_, {0, 0}, {0, 0, 3, 1}, kKey);
  EXPECT_EQ(At(dst_, 0, 0), Under(0, 0));
  EXPECT_EQ(At(dst_, 1, 0), kRed);
  EXPECT_EQ(At(dst_, 2, 0), kWhite);

  KeyedBlendRect(row->surface, dst_, {0, 1}, {0, 0, 3, 1}, kKey);
  EXPECT_EQ(At(dst_, 0, 1), Under(0, 1));
  EXPECT_EQ(At(dst_, 1, 1), Blend50(kRed, Under(1, 1)));

  KeyedAlphaRect(row->surface, dst_, {0, 2}, {0, 0, 3, 1}, kKey, 1.0f);
  EXPECT_EQ(At(dst_, 0, 2), Under(0, 2));
  EXPECT_EQ(At(dst_, 1, 2), kRed);
  KeyedAlphaRect(row->surface, dst_, {0, 3}, {0, 0, 3, 1}, kKey, 0.0f);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(At(dst_, x, 3), Under(x, 3));
  KeyedAlphaRect(row->surface, dst_, {0, 4}, {0, 0, 3, 1}, kKey, 0.5f);
  EXPECT_EQ(At(dst_, 2, 4), AlphaPixel(kWhite, Under(2, 4), 0.5f));
  testsupport::DeletePicture(row);
}

TEST_F(BlitterTest, OpaqueAndHalfBlendCopyTheRectangleOnly) {
  CPicture* src = testsupport::MakePicture(4, 4, kBlue);
  Put(src->surface, 1, 1, kRed);
  CopyRect(src->surface, dst_, {5, 6}, {1, 1, 3, 3});
  EXPECT_EQ(At(dst_, 5, 6), kRed);
  EXPECT_EQ(At(dst_, 6, 7), kBlue);
  EXPECT_EQ(At(dst_, 7, 7), Under(7, 7));
  EXPECT_EQ(At(dst_, 4, 6), Under(4, 6));
  EXPECT_EQ(At(dst_, 5, 5), Under(5, 5));
  BlendRect(src->surface, dst_, {0, 0}, {0, 0, 2, 1});
  EXPECT_EQ(At(dst_, 0, 0), Blend50(kBlue, Under(0, 0)));
  EXPECT_EQ(At(dst_, 1, 0), Blend50(kBlue, Under(1, 0)));
  EXPECT_EQ(At(dst_, 2, 0), Under(2, 0));
  CopyPicture(src->surface, dst_, {4, 4});
  EXPECT_EQ(At(dst_, 5, 5), kRed);
  EXPECT_EQ(At(dst_, 7, 7), kBlue);
  testsupport::DeletePicture(src);
}

}  // namespace
