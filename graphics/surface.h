// A block of RGB565 pixels, and the pixel format's colour conversions.
#pragma once

#include <cstdint>

#include "platform/types.h"

using Pixel = std::uint16_t;

// 8-bit components to a pixel.
constexpr Pixel RGB565(unsigned r, unsigned g, unsigned b) {
  return static_cast<Pixel>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}
// A pixel to 8-bit-scaled components (the low bits stay zero).
constexpr unsigned Red8(Pixel p) { return (p >> 8) & 0xF8; }
constexpr unsigned Green8(Pixel p) { return (p >> 3) & 0xFC; }
constexpr unsigned Blue8(Pixel p) { return (p << 3) & 0xF8; }

class CSurface {
 public:
  // Allocates a black block of width x height pixels that it owns.
  CSurface(std::uint32_t width, std::uint32_t height);
  // Wraps a block owned elsewhere.
  CSurface(Pixel* pixels, std::uint32_t width, std::uint32_t height, std::uint32_t stride);
  CSurface(const CSurface&) = delete;
  CSurface& operator=(const CSurface&) = delete;
  virtual ~CSurface();

  virtual int Reserved() const { return 0; }
  // 1 when the surface can be handed to GDI.
  virtual int IsGdiSurface() const { return 0; }
  virtual ce::HDC AcquireDC() { return nullptr; }
  virtual void ReleaseDC(ce::HDC) {}

  Pixel* Row(int y) const {
    return reinterpret_cast<Pixel*>(reinterpret_cast<std::uint8_t*>(pixels) +
                                    static_cast<std::size_t>(y) * stride);
  }

  Pixel* pixels;
  std::uint32_t width;
  std::uint32_t height;
  std::uint32_t stride;  // bytes from one row to the next
  std::uint32_t ownsPixels;
};

// Sets every pixel of the surface to c.
void Fill(CSurface* surface, Pixel c);
