#include "graphics/surface.h"

#include <cstring>

CSurface::CSurface(std::uint32_t w, std::uint32_t h)
    : pixels(new Pixel[static_cast<std::size_t>(w) * h]()),
      width(w),
      height(h),
      stride(w * 2),
      ownsPixels(1) {}

CSurface::CSurface(Pixel* p, std::uint32_t w, std::uint32_t h, std::uint32_t s)
    : pixels(p), width(w), height(h), stride(s), ownsPixels(0) {}

CSurface::~CSurface() {
  if (ownsPixels == 1) delete[] pixels;
}

void Fill(CSurface* surface, Pixel c) {
  if (surface->pixels == nullptr) return;
  const std::uint8_t low = c & 0xFF, high = c >> 8;
  if (low == high) {
    std::memset(surface->pixels, low, static_cast<std::size_t>(surface->stride) * surface->height);
    return;
  }
  if (surface->width % 8 == 0) {
    // Two pixels to a 32-bit word; the same bytes as pixel by pixel.
    const std::uint32_t pair =
        static_cast<std::uint32_t>(c) | (static_cast<std::uint32_t>(c) << 16);
    for (std::uint32_t y = 0; y < surface->height; ++y) {
      auto* row = reinterpret_cast<std::uint8_t*>(surface->Row(static_cast<int>(y)));
      for (std::uint32_t x = 0; x < surface->width; x += 2) std::memcpy(row + x * 2, &pair, 4);
    }
    return;
  }
  for (std::uint32_t y = 0; y < surface->height; ++y) {
    Pixel* row = surface->Row(static_cast<int>(y));
    for (std::uint32_t x = 0; x < surface->width; ++x) row[x] = c;
  }
}
