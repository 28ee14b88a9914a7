#include "graphics/blitters.h"

#include <cstring>

#include "graphics/pixel_rules.h"
#include "graphics/surface.h"

namespace {

const std::uint16_t* Row(const CSurface* s, int x, int y) {
  return reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(s->pixels) +
                                                static_cast<std::ptrdiff_t>(y) * s->stride) +
         x;
}

std::uint16_t* Row(CSurface* s, int x, int y) {
  return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(s->pixels) +
                                          static_cast<std::ptrdiff_t>(y) * s->stride) +
         x;
}

// Calls rowOp(source row, destination row, width, row index) for each row of
// the rectangle.
template <class RowOp>
void ForEachRow(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                RowOp rowOp) {
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  for (int j = 0; j < height; ++j) {
    rowOp(Row(src, rect.left, rect.top + j), Row(dst, dest.x, dest.y + j), width, j);
  }
}

}  // namespace

void CopyRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect) {
  ForEachRow(src, dst, dest, rect, [](const std::uint16_t* s, std::uint16_t* d, int w, int) {
    std::memcpy(d, s, static_cast<std::size_t>(w) * 2);
  });
}

void CopyPicture(const CSurface* src, CSurface* dst, ce::POINT dest) {
  ce::RECT all{0, 0, static_cast<ce::LONG>(src->width), static_cast<ce::LONG>(src->height)};
  CopyRect(src, dst, dest, all);
}

void BlendRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect) {
  ForEachRow(src, dst, dest, rect, [](const std::uint16_t* s, std::uint16_t* d, int w, int) {
    for (int i = 0; i < w; ++i) d[i] = Blend50(s[i], d[i]);
  });
}

void KeyedCopyRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                   std::uint16_t key) {
  ForEachRow(src, dst, dest, rect, [key](const std::uint16_t* s, std::uint16_t* d, int w, int) {
    for (int i = 0; i < w; ++i) {
      std::uint16_t v = s[i];
      std::uint16_t under = d[i];
      d[i] = v == key ? under : v;
    }
  });
}

void KeyedBlendRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                    std::uint16_t key) {
  ForEachRow(src, dst, dest, rect, [key](const std::uint16_t* s, std::uint16_t* d, int w, int) {
    for (int i = 0; i < w; ++i) {
      std::uint16_t v = s[i];
      std::uint16_t under = d[i];
      d[i] = v == key ? under : Blend50(v, under);
    }
  });
}

void KeyedSoftRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                   std::uint16_t key) {
  std::ptrdiff_t up = -static_cast<std::ptrdiff_t>(src->stride / 2);
  ForEachRow(src, dst, dest, rect,
             [key, up](const std::uint16_t* s, std::uint16_t* d, int w, int j) {
               if (j == 0) {
                 for (int i = 0; i < w; ++i) {
                   std::uint16_t v = s[i];
                   std::uint16_t under = d[i];
                   d[i] = v == key ? under : v;
                 }
                 return;
               }
               // Where the pixel above differs in keyness the result is the blend of
               // the destination with the source pixel (which is the key itself below
               // a lower edge); elsewhere plain keyed.
               const std::uint16_t* above = s + up;
               for (int i = 0; i < w; ++i) {
                 std::uint16_t v = s[i];
                 std::uint16_t under = d[i];
                 bool isKey = v == key;
                 bool edge = isKey != (above[i] == key);
                 std::uint16_t plain = isKey ? under : v;
                 d[i] = edge ? Blend50(under, v) : plain;
               }
             });
}

void KeyedAlphaRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                    std::uint16_t key, float alpha) {
  ForEachRow(src, dst, dest, rect,
             [key, alpha](const std::uint16_t* s, std::uint16_t* d, int w, int) {
               for (int i = 0; i < w; ++i) {
                 if (s[i] != key) d[i] = AlphaPixel(s[i], d[i], alpha);
               }
             });
}
