#include "graphics/edit_field.h"

#include "graphics/blitters.h"
#include "graphics/picture.h"
#include "graphics/picture_font.h"
#include "graphics/sprite.h"
#include "graphics/surface.h"
#include "graphics/tile_background.h"

void CEditField::Create(int x, int y, CPictureFont* textFont, std::uint8_t length, int keyed,
                        int blend) {
  font = textFont;
  maxLength = length;
  sprite = new CSprite;
  sprite->x = x;
  sprite->y = y;
  sprite->keyed = static_cast<std::uint8_t>(keyed);
  sprite->blend = static_cast<std::uint8_t>(blend);
  // The strip's background is the key colour of the rendered text.
  sprite->keyColor = font->picture->Pixel(0, 0);
  SetText(u" ");
}

void CEditField::SetText(const char16_t* text) {
  int length = 0;
  while (text[length] != 0) ++length;
  int n = length & 0xFF;
  if (n == 0) return;
  if (picture != nullptr) {
    picture->Release();
    delete picture;
    picture = nullptr;
  }
  if (n > maxLength) n = maxLength;

  Glyph glyphs[256];
  std::uint16_t total = 0;
  for (int i = 0; i < n; ++i) {
    char16_t c = text[i];
    glyphs[i] = c == u' ' ? font->Blank()
                          : font->GlyphOf(static_cast<std::uint8_t>((c & 255) - font->firstCode));
    total = static_cast<std::uint16_t>(total + glyphs[i].size);
  }
  picture = new CPicture;
  picture->Init();
  picture->Create(font->width, total);

  int pos = total;
  for (int i = 0; i < n; ++i) {
    pos -= glyphs[i].size;
    int bottom = font->stripHeight - glyphs[i].start;
    ce::RECT rows{0, bottom - glyphs[i].size, font->width, bottom};
    CopyRect(font->picture->surface, picture->surface, ce::POINT{0, pos}, rows);
  }
  sprite->SetPicture(picture, sprite->x, sprite->y, 1, sprite->keyed, sprite->blend,
                     sprite->keyColor);
}

void CEditField::SetTextAndMark(const char16_t* text, CTileBackground* scene) {
  SetText(text);
  scene->Invalidate(sprite);
}

void CEditField::DrawAt(const char16_t* text, int x, int y, CTileBackground* scene) {
  int oldX = sprite->x;
  int oldY = sprite->y;
  sprite->x = x;
  sprite->y = y;
  SetText(text);
  scene->DrawSprite(sprite);
  sprite->x = oldX;
  sprite->y = oldY;
}

void CEditField::Clear() {
  delete sprite;
  sprite = nullptr;
  if (picture != nullptr) {
    picture->Release();
    delete picture;
    picture = nullptr;
  }
}
