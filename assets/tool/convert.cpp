#include "assets/tool/convert.h"

#include <algorithm>

namespace tool {

namespace {

struct Rgba {
  double r, g, b, a;  // straight (not premultiplied), 0 to 255 and 0 to 1
};

Rgba Unpack(std::uint32_t argb) {
  double a = ((argb >> 24) & 0xFF) / 255.0;
  if (a <= 0.0) return {0, 0, 0, 0};
  return {((argb >> 16) & 0xFF) / a, ((argb >> 8) & 0xFF) / a, (argb & 0xFF) / a, a};
}

// 4 x 4 ordered dither thresholds, centred on zero.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

std::uint16_t Dithered565(double r, double g, double b, int x, int y) {
  double t = (kBayer[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
  auto level = [t](double v, int steps) {
    double s = v / 255.0 * steps + t;
    return std::clamp(static_cast<int>(s + 0.5), 0, steps);
  };
  return static_cast<std::uint16_t>((level(r, 31) << 11) | (level(g, 63) << 5) | level(b, 31));
}

}  // namespace

std::uint16_t To565(int r, int g, int b) {
  int r5 = (std::clamp(r, 0, 255) * 31 + 127) / 255;
  int g6 = (std::clamp(g, 0, 255) * 63 + 127) / 255;
  int b5 = (std::clamp(b, 0, 255) * 31 + 127) / 255;
  return static_cast<std::uint16_t>((r5 << 11) | (g6 << 5) | b5);
}

Pixels Convert(const Canvas& canvas, int width, int height, bool turned, Mode mode,
               const Canvas* matte) {
  Pixels out;
  out.width = width;
  out.height = height;
  out.rgb565.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int px = x, py = y;
      if (turned) PlayerPixelOf(x, y, height, &px, &py);
      Rgba c = Unpack(canvas.Pixel(px, py));
      std::uint16_t& p = out.rgb565[static_cast<std::size_t>(y) * width + x];
      if (mode == Mode::Opaque) {
        p = Dithered565(c.r * c.a, c.g * c.a, c.b * c.a, px, py);
        continue;
      }
      if (matte) {
        if (c.a < 0.3) {
          p = kKey565;
          continue;
        }
        Rgba m = Unpack(matte->Pixel(px, py));
        p = To565(static_cast<int>(c.r * c.a + m.r * (1 - c.a) + 0.5),
                  static_cast<int>(c.g * c.a + m.g * (1 - c.a) + 0.5),
                  static_cast<int>(c.b * c.a + m.b * (1 - c.a) + 0.5));
      } else {
        if (c.a < 0.5) {
          p = kKey565;
          continue;
        }
        p = To565(static_cast<int>(c.r + 0.5), static_cast<int>(c.g + 0.5),
                  static_cast<int>(c.b + 0.5));
      }
      if (p == kKey565) p ^= 1;  // the key colour stays outside the shape
    }
  }
  if (mode == Mode::Keyed) {
    out.rgb565[0] = kKey565;
    out.keyed = true;
  }
  return out;
}

}  // namespace tool
