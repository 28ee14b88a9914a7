// The picture font's glyph table and the edit field's rendering, on strips
// drawn by the test so that every glyph can be told apart.
#include "graphics/picture_font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/edit_field.h"
#include "graphics/picture.h"
#include "graphics/sprite.h"
#include "graphics/surface.h"

namespace {

constexpr std::uint16_t kBackground = 0x0841;
constexpr std::uint16_t kMarker = 0xF800;

// Glyph i is (2 + i % 5) rows high and painted with colour 100 + i in
// columns 1 and up; column 0 carries the markers. Returns the strip.
CPicture* MakeStrip(int glyphCount, int width, std::vector<int>* sizes,
                    bool markerInRowZero = false) {
  int total = 0;
  for (int i = 0; i < glyphCount; ++i) {
    sizes->push_back(2 + i % 5);
    total += sizes->back();
  }
  // Head room above the last marker; with none it lands in row 0.
  int height = total + (markerInRowZero ? 1 : 3);
  CPicture* strip = new CPicture;
  strip->Init();
  strip->Create(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) strip->surface->Row(y)[x] = kBackground;
  int distance = 0;
  for (int i = 0; i < glyphCount; ++i) {
    for (int r = 0; r < (*sizes)[i]; ++r) {
      int row = height - 1 - (distance + r);
      for (int x = 1; x < width; ++x)
        strip->surface->Row(row)[x] = static_cast<std::uint16_t>(100 + i);
    }
    distance += (*sizes)[i];
    // The marker row that ends glyph i starts glyph i + 1.
    if (distance < height) strip->surface->Row(height - 1 - distance)[0] = kMarker;
  }
  strip->surface->Row(height - 2)[0] = kMarker;  // the marker sample
  return strip;
}

// The glyph colours of a rendered picture, read from the bottom up, one
// entry per row (0 for a blank row).
std::vector<int> RowsBottomUp(const CPicture* picture) {
  std::vector<int> rows;
  for (int y = picture->height - 1; y >= 0; --y) {
    std::uint16_t p = picture->Pixel(1, y);
    rows.push_back(p == kBackground ? 0 : p - 100);
  }
  return rows;
}

// What RowsBottomUp gives for glyphs g (-1: a blank of `blankSize` rows).
std::vector<int> Expected(const std::vector<int>& glyphs, const std::vector<int>& sizes) {
  std::vector<int> rows;
  for (int g : glyphs)
    for (int r = 0; r < sizes[g]; ++r) rows.push_back(g);
  return rows;
}

TEST(PictureFontTest, GlyphTableFromMarkers) {
  std::vector<int> sizes;
  CPictureFont font;
  font.Setup(MakeStrip(44, 6, &sizes), 48);
  // 44 glyphs end at markers; the last marker opens an incomplete glyph.
  EXPECT_EQ(font.blankGlyph, 43);
  int start = 0;
  for (int i = 0; i < 44; ++i) {
    EXPECT_EQ(font.glyphs[i].start, start) << i;
    EXPECT_EQ(font.glyphs[i].size, sizes[i]) << i;
    start += sizes[i];
  }
  // The markers are gone from the picture.
  for (int y = 0; y < font.picture->height; ++y) EXPECT_NE(font.picture->Pixel(0, y), kMarker);
  font.ReleasePicture();
}

TEST(PictureFontTest, CharacterMapping) {
  std::vector<int> sizes;
  CPictureFont font;
  font.Setup(MakeStrip(44, 6, &sizes), 48);
  auto glyphOf = [&](char c) {
    Glyph g = font.GlyphOf(static_cast<std::uint8_t>(c - 48));
    for (int i = 0; i < 44; ++i)
      if (font.glyphs[i].start == g.start && font.glyphs[i].size == g.size) return i;
    return -1;
  };
  EXPECT_EQ(glyphOf('0'), 0);
  EXPECT_EQ(glyphOf(':'), 10);
  EXPECT_EQ(glyphOf('Z'), 42);
  EXPECT_EQ(glyphOf('\''), 14);  // the quotation mark
  EXPECT_EQ(glyphOf('('), 15);
  EXPECT_EQ(glyphOf(','), 13);  // the percent sign
  EXPECT_EQ(glyphOf('a'), 43);  // lower case: blank
  EXPECT_EQ(glyphOf('#'), 43);
  font.ReleasePicture();
}

TEST(PictureFontTest, StripsWithoutUsableMarkers) {
  // A marker in row 0 is not seen: the glyph below it is not complete.
  std::vector<int> sizes;
  CPictureFont font;
  CPicture* strip = MakeStrip(3, 4, &sizes, /*markerInRowZero=*/true);
  font.Setup(strip, 48);
  EXPECT_EQ(font.blankGlyph, 1);
  EXPECT_EQ(font.picture->Pixel(0, 0), kMarker);
  font.ReleasePicture();

  // A black strip: every examined row is a marker, up to 100 glyphs of one
  // row each.
  CPicture* black = new CPicture;
  black->Init();
  black->Create(4, 300);
  font.Setup(black, 48);
  EXPECT_EQ(font.blankGlyph, 99);
  EXPECT_EQ(font.glyphs[0].size, 2);
  EXPECT_EQ(font.glyphs[5].size, 1);

  // No marker at all: nothing to read, and no glyph read past the table.
  CPicture* plain = new CPicture;
  plain->Init();
  plain->Create(4, 20);
  for (int y = 0; y < 20; ++y)
    plain->surface->Row(y)[0] = static_cast<std::uint16_t>(y == 18 ? 1 : 2);
  font.Setup(plain, 48);
  EXPECT_EQ(font.blankGlyph, 0xFF);
  EXPECT_EQ(font.GlyphOf(200).size, 0);
  EXPECT_EQ(font.Blank().size, 0);
  font.ReleasePicture();
}

class EditFieldTest : public ::testing::Test {
 protected:
  void SetUp() override { font.Setup(MakeStrip(44, 6, &sizes), 48); }
  void TearDown() override {
    field.Clear();
    font.ReleasePicture();
  }
  std::vector<int> sizes;
  CPictureFont font;
  CEditField field;
};

TEST_F(EditFieldTest, TextRunsFromTheBottomUp) {
  field.Create(10, 20, &font, 10, 1, 0);
  EXPECT_EQ(field.sprite->keyColor, kBackground);
  field.SetText(u"NAME:");
  // N=30, A=17, M=29, E=21, colon=10.
  EXPECT_EQ(RowsBottomUp(field.picture), Expected({30, 17, 29, 21, 10}, sizes));
  EXPECT_EQ(field.sprite->picture, field.picture);
  EXPECT_EQ(field.sprite->x, 10);
  EXPECT_EQ(field.sprite->y, 20);
  EXPECT_EQ(field.sprite->hasSaveUnder, 1);

  // Lower-case letters are blanks; a space is the blank glyph; a comma is
  // the percent sign.
  field.SetText(u"ab");
  EXPECT_EQ(RowsBottomUp(field.picture), Expected({43, 43}, sizes));
  field.SetText(u"12 ,");
  EXPECT_EQ(RowsBottomUp(field.picture), Expected({1, 2, 43, 13}, sizes));
}

TEST_F(EditFieldTest, EmptyTextKeepsTheOldPictureAndLongTextIsCut) {
  field.Create(0, 0, &font, 3, 1, 0);
  field.SetText(u"42");
  const CPicture* before = field.picture;
  field.SetText(u"");
  EXPECT_EQ(field.picture, before);
  EXPECT_EQ(RowsBottomUp(field.picture), Expected({4, 2}, sizes));
  field.SetText(u"123456");
  EXPECT_EQ(RowsBottomUp(field.picture), Expected({1, 2, 3}, sizes));
}

}  // namespace
