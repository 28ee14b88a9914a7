// A surface whose pixels live in a GDI DIB section, so that GDI can copy
// them to the window.
#pragma once

#include "graphics/surface.h"

class CDibSurface : public CSurface {
 public:
  CDibSurface(std::uint32_t width, std::uint32_t height);
  ~CDibSurface() override;

  int IsGdiSurface() const override { return 1; }
  // A memory device context with the bitmap selected, for one presentation.
  ce::HDC AcquireDC() override;
  void ReleaseDC(ce::HDC dc) override;

  ce::HBITMAP bitmap;
};
