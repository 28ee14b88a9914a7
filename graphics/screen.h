// The back buffer, what changed in it since the last presentation, and the
// view origin that sprite positions are drawn relative to.
#pragma once

#include <cstdint>

#include "platform/types.h"

class CPicture;
class CPresenter;
class CSprite;
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

  // Drawing into the back buffer (screen_drawing.cpp). Sprite positions are
  // relative to the view origin except where the name says Absolute; the
  // Alpha form ignores the origin too.
  void DrawSprite(CSprite* sprite);
  void DrawSpriteAbsolute(CSprite* sprite);
  void DrawSpriteAlpha(CSprite* sprite, float alpha, int save);
  void RestoreSprite(CSprite* sprite);
  // Restores the save-under at `at` with the sprite's size (it has moved).
  void RestoreSpriteAt(CSprite* sprite, ce::POINT at);
  // Copies the back buffer under the picture placed at (x, y) into it.
  void SaveUnder(CPicture* picture, int x, int y);
  // Clipped blit by mode, then the drawn rectangle is marked dirty.
  void DrawPicture(CPicture* picture, int x, int y, int keyed, std::uint16_t keyColor, int blend);
  void DrawPictureAlpha(CPicture* picture, int x, int y, std::uint16_t keyColor, float alpha);
  // Whole-picture blits, nothing marked dirty.
  void BlitPicture(CPicture* picture, int x, int y);
  // Edge-softened keyed blit; the key is the picture's own pixel (keyX, keyY).
  void BlitPictureKeyed(CPicture* picture, int x, int y, int keyX, int keyY);
  // One picture into another, clipped to the destination; nothing marked dirty.
  void ComposePicture(CPicture* source, CPicture* destination, int x, int y, int keyed,
                      std::uint16_t keyColor, int blend);

  CPresenter* presenter;
  ce::RECT dirtyRects[kMaxDirtyRects];
  std::int32_t dirtyCount;
  std::int32_t originX;
  std::int32_t originY;
};

// The back buffer that every blit to the screen draws into.
extern CSurface* g_backBuffer;
