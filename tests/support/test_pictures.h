// Test support: pictures made from pixel values, and reading them back.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "graphics/picture.h"
#include "graphics/surface.h"

namespace testsupport {

// A new picture of w x h pixels, all `fill`.
inline CPicture* MakePicture(int w, int h, std::uint16_t fill = 0) {
  auto* picture = new CPicture;
  picture->Init();
  picture->Create(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) picture->surface->Row(y)[x] = fill;
  }
  return picture;
}

// A one-column picture with the given pixels from the top down.
inline CPicture* MakeColumn(std::initializer_list<std::uint16_t> pixels) {
  CPicture* picture = MakePicture(1, static_cast<int>(pixels.size()));
  int y = 0;
  for (std::uint16_t p : pixels) picture->surface->Row(y++)[0] = p;
  return picture;
}

inline void DeletePicture(CPicture* picture) {
  picture->Release();
  delete picture;
}

inline std::uint16_t At(const CSurface* s, int x, int y) { return s->Row(y)[x]; }
inline void Put(CSurface* s, int x, int y, std::uint16_t p) { s->Row(y)[x] = p; }

}  // namespace testsupport
