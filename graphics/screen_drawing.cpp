// Drawing sprites and pictures into the back buffer: clipping against the
// 240 x 320 screen, the blitter chosen by mode, and the dirty rectangles.
#include "graphics/blitters.h"
#include "graphics/picture.h"
#include "graphics/screen.h"
#include "graphics/sprite.h"
#include "graphics/surface.h"

namespace {

// The part of a w x h picture placed at (x, y) that lies inside a
// boundsWidth x boundsHeight surface: where it goes and what of the picture
// it is. False when nothing of it is inside.
bool ClipTo(int x, int y, int w, int h, int boundsWidth, int boundsHeight, ce::POINT* dest,
            ce::RECT* source) {
  int left = x > 0 ? x : 0;
  int top = y > 0 ? y : 0;
  int right = x + w < boundsWidth ? x + w : boundsWidth;
  int bottom = y + h < boundsHeight ? y + h : boundsHeight;
  if (right <= left || bottom <= top) return false;
  *dest = {left, top};
  *source = {left - x, top - y, right - x, bottom - y};
  return true;
}

bool OffScreen(const CSprite* sprite, int sx, int sy) {
  return sx + sprite->width < 1 || sx >= kScreenWidth || sy + sprite->height < 1 ||
         sy >= kScreenHeight;
}

// Keyed without blend is softened on the screen and plain keyed when one
// picture is composed into another.
void BlitByMode(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect, int keyed,
                std::uint16_t keyColor, int blend, bool soften) {
  if (keyed && blend) {
    KeyedBlendRect(src, dst, dest, rect, keyColor);
  } else if (keyed && soften) {
    KeyedSoftRect(src, dst, dest, rect, keyColor);
  } else if (keyed) {
    KeyedCopyRect(src, dst, dest, rect, keyColor);
  } else if (blend) {
    BlendRect(src, dst, dest, rect);
  } else {
    CopyRect(src, dst, dest, rect);
  }
}

void DrawSpriteAt(CScreen* screen, CSprite* sprite, int sx, int sy) {
  if (sprite->picture == nullptr || OffScreen(sprite, sx, sy)) return;
  if (sprite->hasSaveUnder && sprite->saveUnder != nullptr) {
    screen->SaveUnder(sprite->saveUnder, sx, sy);
  }
  screen->DrawPicture(sprite->picture, sx, sy, sprite->keyed, sprite->keyColor, sprite->blend);
}

}  // namespace

void CScreen::DrawSprite(CSprite* sprite) {
  DrawSpriteAt(this, sprite, sprite->x - originX, sprite->y - originY);
}

void CScreen::DrawSpriteAbsolute(CSprite* sprite) {
  DrawSpriteAt(this, sprite, sprite->x, sprite->y);
}

void CScreen::DrawSpriteAlpha(CSprite* sprite, float alpha, int save) {
  if (sprite->picture == nullptr) return;
  if (sprite->hasSaveUnder && sprite->saveUnder != nullptr && save == 1) {
    SaveUnder(sprite->saveUnder, sprite->x, sprite->y);
  }
  DrawPictureAlpha(sprite->picture, sprite->x, sprite->y, sprite->keyColor, alpha);
}

void CScreen::RestoreSprite(CSprite* sprite) {
  RestoreSpriteAt(sprite, ce::POINT{sprite->x, sprite->y});
}

void CScreen::RestoreSpriteAt(CSprite* sprite, ce::POINT at) {
  int sx = at.x - originX;
  int sy = at.y - originY;
  if (OffScreen(sprite, sx, sy)) return;
  if (sprite->hasSaveUnder && sprite->saveUnder != nullptr) {
    DrawPicture(sprite->saveUnder, sx, sy, 0, 0, 0);
  }
}

void CScreen::SaveUnder(CPicture* picture, int x, int y) {
  ce::POINT dest;
  ce::RECT source;
  if (picture == nullptr || picture->surface == nullptr) return;
  if (!ClipTo(x, y, picture->width, picture->height, kScreenWidth, kScreenHeight, &dest, &source)) {
    return;
  }
  // The screen part of the rectangle goes to the same place in the picture.
  ce::RECT screenPart{dest.x, dest.y, dest.x + (source.right - source.left),
                      dest.y + (source.bottom - source.top)};
  CopyRect(g_backBuffer, picture->surface, ce::POINT{source.left, source.top}, screenPart);
}

void CScreen::DrawPicture(CPicture* picture, int x, int y, int keyed, std::uint16_t keyColor,
                          int blend) {
  ce::POINT dest;
  ce::RECT source;
  if (picture == nullptr || picture->surface == nullptr) return;
  if (!ClipTo(x, y, picture->width, picture->height, kScreenWidth, kScreenHeight, &dest, &source)) {
    return;
  }
  BlitByMode(picture->surface, g_backBuffer, dest, source, keyed, keyColor, blend, true);
  AddDirtyRect(dest.x, dest.y, dest.x + (source.right - source.left),
               dest.y + (source.bottom - source.top));
}

void CScreen::DrawPictureAlpha(CPicture* picture, int x, int y, std::uint16_t keyColor,
                               float alpha) {
  ce::POINT dest;
  ce::RECT source;
  if (picture == nullptr || picture->surface == nullptr) return;
  if (!ClipTo(x, y, picture->width, picture->height, kScreenWidth, kScreenHeight, &dest, &source)) {
    return;
  }
  KeyedAlphaRect(picture->surface, g_backBuffer, dest, source, keyColor, alpha);
  AddDirtyRect(dest.x, dest.y, dest.x + (source.right - source.left),
               dest.y + (source.bottom - source.top));
}

// The two whole-picture blits add no dirty rectangle. They are meant for
// pictures that lie inside the back buffer; anything outside it is cut off.
void CScreen::BlitPicture(CPicture* picture, int x, int y) {
  ce::POINT dest;
  ce::RECT source;
  if (picture == nullptr || picture->surface == nullptr) return;
  if (ClipTo(x, y, picture->width, picture->height, static_cast<int>(g_backBuffer->width),
             static_cast<int>(g_backBuffer->height), &dest, &source)) {
    CopyRect(picture->surface, g_backBuffer, dest, source);
  }
}

void CScreen::BlitPictureKeyed(CPicture* picture, int x, int y, int keyX, int keyY) {
  ce::POINT dest;
  ce::RECT source;
  if (picture == nullptr || picture->surface == nullptr) return;
  if (keyX < 0 || keyY < 0 || keyX >= picture->width || keyY >= picture->height) return;
  std::uint16_t key = picture->Pixel(keyX, keyY);
  if (ClipTo(x, y, picture->width, picture->height, static_cast<int>(g_backBuffer->width),
             static_cast<int>(g_backBuffer->height), &dest, &source)) {
    KeyedSoftRect(picture->surface, g_backBuffer, dest, source, key);
  }
}

void CScreen::ComposePicture(CPicture* source, CPicture* destination, int x, int y, int keyed,
                             std::uint16_t keyColor, int blend) {
  ce::POINT dest;
  ce::RECT rect;
  if (source == nullptr || destination == nullptr || source->surface == nullptr ||
      destination->surface == nullptr) {
    return;
  }
  if (!ClipTo(x, y, source->width, source->height, destination->width, destination->height, &dest,
              &rect)) {
    return;
  }
  BlitByMode(source->surface, destination->surface, dest, rect, keyed, keyColor, blend, false);
}
