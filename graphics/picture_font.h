// A picture font: glyphs cut out of one tall strip picture, stacked from the
// bottom and separated by marker pixels in column 0.
#pragma once

#include <cstdint>

class CPicture;

struct Glyph {
  std::uint16_t start;  // distance of the glyph from the strip's bottom, in rows
  std::uint16_t size;   // its height in rows
};

class CPictureFont {
 public:
  static constexpr int kMaxGlyphs = 100;

  CPictureFont() = default;
  virtual ~CPictureFont() = default;
  CPictureFont(const CPictureFont&) = delete;
  CPictureFont& operator=(const CPictureFont&) = delete;

  // Loads the strip and builds the glyph table. Always returns 0.
  int Setup(int id, int width, int height, std::uint16_t firstCode);
  // The same with a strip already in memory, which the font then owns.
  int Setup(CPicture* strip, std::uint16_t firstCode);
  // The glyph for offset (character code & 255) - firstCode, modulo 256.
  Glyph GlyphOf(std::uint8_t offset) const;
  // The glyph drawn for a space and for characters without one of their own.
  Glyph Blank() const { return Entry(blankGlyph); }
  void ReleasePicture();

  std::int32_t stripHeight = 0;
  CPicture* picture = nullptr;  // owned
  Glyph glyphs[kMaxGlyphs] = {};
  std::uint8_t blankGlyph = 0;
  std::uint8_t width = 0;
  std::uint16_t firstCode = 0;

 private:
  // A strip without any marker leaves no complete glyph: indexes outside
  // the table give an empty glyph instead of reading past it.
  Glyph Entry(int index) const { return index < kMaxGlyphs ? glyphs[index] : Glyph{0, 0}; }
};
