// Joins the back buffer to the main window: copies it there with BitBlt.
#pragma once

#include <cstdint>

#include "platform/types.h"

class CDibSurface;

class CPresenter {
 public:
  explicit CPresenter(ce::HWND window);
  CPresenter(const CPresenter&) = delete;
  CPresenter& operator=(const CPresenter&) = delete;
  virtual ~CPresenter();

  void PresentAll();
  void PresentShifted(std::int32_t dx, std::int32_t dy);
  void PresentRects(const ce::RECT* rects, std::uint16_t count);

  CDibSurface* backBuffer;
  ce::HWND window;
};
