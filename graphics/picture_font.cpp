#include "graphics/picture_font.h"

#include "graphics/picture.h"
#include "graphics/surface.h"

int CPictureFont::Setup(int id, int stripWidth, int height, std::uint16_t code) {
  CPicture* strip = new CPicture;
  strip->Init();
  strip->Load(id, stripWidth, height);
  return Setup(strip, code);
}

int CPictureFont::Setup(CPicture* loaded, std::uint16_t code) {
  if (loaded != picture) ReleasePicture();
  picture = loaded;
  int height = picture->height;
  stripHeight = height;
  firstCode = code;
  width = static_cast<std::uint8_t>(picture->width);

  for (Glyph& glyph : glyphs) glyph = Glyph{0, 0};
  blankGlyph = 0xFF;
  if (height < 3) return 0;

  CSurface* strip = picture->surface;
  std::uint16_t marker = strip->Row(height - 2)[0];
  std::uint16_t background = strip->Row(height - 1)[0];
  strip->Row(height - 2)[0] = background;

  glyphs[0].start = 0;
  int count = 0;
  int distance = 2;
  for (int row = height - 3; row >= 1; --row, ++distance) {
    std::uint16_t* pixel = &strip->Row(row)[0];
    if (*pixel != marker) continue;
    glyphs[count].size = static_cast<std::uint16_t>(distance - glyphs[count].start);
    ++count;
    if (count == kMaxGlyphs) break;
    glyphs[count].start = static_cast<std::uint16_t>(distance);
    *pixel = background;
  }
  blankGlyph = static_cast<std::uint8_t>(count - 1);
  return 0;
}

Glyph CPictureFont::GlyphOf(std::uint8_t offset) const {
  int code = offset + firstCode;
  // Lower-case letters would follow Z directly in a strip that had them.
  if (code >= 91 && code <= 122) offset = static_cast<std::uint8_t>(offset - 6);
  if (offset < blankGlyph) return Entry(offset);
  switch (offset) {
    case 247:
      return Entry(14);
    case 248:
      return Entry(15);
    case 249:
      return Entry(16);
    case 252:
      return Entry(13);
    case 254:
      return Entry(12);
    default:
      return Entry(blankGlyph);
  }
}

void CPictureFont::ReleasePicture() {
  if (picture == nullptr) return;
  picture->Release();
  delete picture;
  picture = nullptr;
}
