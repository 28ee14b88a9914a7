// Rectangle blitters. Each source pixel (u, v) of the source rectangle meets
// the destination pixel (dest.x + u - left, dest.y + v - top). They do not
// clip: callers pass rectangles that lie inside both surfaces.
#pragma once

#include <cstdint>

#include "platform/types.h"

class CSurface;

void CopyRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect);
// The whole source at `dest`, rows copied as blocks.
void CopyPicture(const CSurface* src, CSurface* dst, ce::POINT dest);
void BlendRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect);
void KeyedCopyRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                   std::uint16_t key);
void KeyedBlendRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                    std::uint16_t key);
// Keyed, with the top edge of each opaque run drawn half-transparent and the
// key colour mixed in one pixel below each lower edge; the first row of the
// rectangle is drawn as plain keyed.
void KeyedSoftRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                   std::uint16_t key);
void KeyedAlphaRect(const CSurface* src, CSurface* dst, ce::POINT dest, const ce::RECT& rect,
                    std::uint16_t key, float alpha);
