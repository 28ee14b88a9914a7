#include "graphics/picture.h"

#include "graphics/pct_decoder.h"
#include "graphics/surface.h"

void CPicture::Init() {
  surface = nullptr;
  width = 0;
  height = 0;
}

void CPicture::Create(int w, int h) {
  width = static_cast<std::uint16_t>(w);
  height = static_cast<std::uint16_t>(h);
  delete surface;
  surface = new CSurface(width, height);
}

void CPicture::Load(int id, int w, int h) {
  Create(w, h);
  DecodePct(id, surface->pixels, surface->stride * surface->height);
}

void CPicture::Release() {
  delete surface;
  surface = nullptr;
}

std::uint16_t CPicture::Pixel(int x, int y) const {
  const auto* row = reinterpret_cast<const std::uint8_t*>(surface->pixels) + y * surface->stride;
  return reinterpret_cast<const std::uint16_t*>(row)[x];
}
