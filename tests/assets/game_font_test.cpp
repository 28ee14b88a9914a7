// The game's picture font, kPictureGameFont, set up by the game's own font code: 42
// glyphs with the digits first and the colon next, and a blank last. (How an
// edit field renders a text glyph by glyph is the font code's own test.)
#include <gtest/gtest.h>

#include <vector>

#include "assets/resource_ids.h"
#include "graphics/picture.h"
#include "graphics/picture_font.h"

namespace {

class GameFontTest : public testing::Test {
 protected:
  void SetUp() override { font_.Setup(kPictureGameFont, 22, 700, 48); }
  void TearDown() override { font_.ReleasePicture(); }

  // Pixels of glyph g, row by row from its bottom (its first column for the
  // reader) upwards.
  std::vector<std::uint16_t> GlyphPixels(int g) const {
    std::vector<std::uint16_t> pixels;
    const Glyph& glyph = font_.glyphs[g];
    for (int d = glyph.start; d < glyph.start + glyph.size; ++d)
      for (int x = 0; x < 22; ++x) pixels.push_back(font_.picture->Pixel(x, 699 - d));
    return pixels;
  }

  int Inked(int g) const {
    int n = 0;
    std::uint16_t background = font_.picture->Pixel(0, 0);
    for (std::uint16_t p : GlyphPixels(g)) n += p != background;
    return n;
  }

  CPictureFont font_;
};

TEST_F(GameFontTest, FortyTwoGlyphsWithTheBlankLast) {
  EXPECT_EQ(font_.blankGlyph, 41);
  EXPECT_EQ(font_.glyphs[0].start, 0);
  for (int g = 0; g < 42; ++g) {
    EXPECT_GT(font_.glyphs[g].size, 3) << g;
    if (g > 0) {
      EXPECT_EQ(font_.glyphs[g].start, font_.glyphs[g - 1].start + font_.glyphs[g - 1].size);
    }
    if (g < 41) {
      EXPECT_GT(Inked(g), 20) << "glyph " << g << " is empty";
    }
  }
  EXPECT_EQ(Inked(41), 0);
  // Digits share one width so that a rolling score keeps its place.
  for (int g = 1; g < 10; ++g) EXPECT_EQ(font_.glyphs[g].size, font_.glyphs[0].size);
  // Every digit and the colon look different.
  for (int a = 0; a <= 10; ++a)
    for (int b = a + 1; b <= 10; ++b) EXPECT_NE(GlyphPixels(a), GlyphPixels(b)) << a << " " << b;
}

TEST_F(GameFontTest, TheKeyIsTheBackgroundAndNoGlyphUsesIt) {
  // The edit field keys on the strip's top-left pixel: it must be the
  // background, and glyphs keep their ink and fill out of column 0, where
  // the markers were.
  std::uint16_t key = font_.picture->Pixel(0, 0);
  for (int y = 0; y < 700; ++y) EXPECT_EQ(font_.picture->Pixel(0, y), key) << y;
}

}  // namespace
