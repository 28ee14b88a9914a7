// The back buffer, what changed in it since the last presentation, and the
// view origin that sprite positions are drawn relative to.
#pragma once

#include <cstdint>

#include "platform/types.h"

class CPresenter;
class CSurface;

// The screen's fixed geometry; every clipping test uses it.
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

class CScreen {
 public:
  static constexpr int kMaxDirtyRects = 20;

  explicit CScreen(ce::HWND window);
  CScreen(const CScreen&) = delete;
  CScreen& operator=(const CScreen&) = delete;
  virtual ~CScreen();

  void AddDirtyRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  void PresentDirty();
  void PresentAll();
  void PresentShifted(std::int32_t dx, std::int32_t dy);
  void Greyscale();

  CPresenter* presenter;
  ce::RECT dirtyRects[kMaxDirtyRects];
  std::int32_t dirtyCount;
  std::int32_t originX;
  std::int32_t originY;
};

// The back buffer that every blit to the screen draws into.
extern CSurface* g_backBuffer;
