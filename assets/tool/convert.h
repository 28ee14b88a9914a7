// From a drawn canvas to frame-buffer pixels: turning, RGB565 and keying.
#pragma once

#include <cstdint>

#include "assets/tool/canvas.h"
#include "assets/tool/registry.h"

namespace tool {

// 8-bit components to RGB565, rounded to the nearest step.
std::uint16_t To565(int r, int g, int b);

// The player's pixel that frame-buffer pixel (x, y) of a turned picture of
// frame-buffer height h shows: frame-buffer x = 0 is the player's top edge,
// frame-buffer y = h - 1 the player's left edge.
inline void PlayerPixelOf(int x, int y, int h, int* px, int* py) {
  *px = h - 1 - y;
  *py = x;
}

// Converts a canvas drawn in the player's orientation into frame-buffer
// pixels of size width x height (turned unless `turned` is false).
// Opaque: the canvas is put over black and dithered to RGB565.
// Keyed: a pixel covered less than half becomes the key colour and every
// other pixel is opaque, so that a keyed blit shows no half-drawn pixel;
// pixel (0, 0) is the key and no other pixel takes its value. With a matte
// (an opaque canvas of the same size: what lies behind the picture in the
// game) the edge pixels are mixed with the matte instead, so that the
// picture fits its background exactly.
Pixels Convert(const Canvas& canvas, int width, int height, bool turned, Mode mode,
               const Canvas* matte = nullptr);

}  // namespace tool
