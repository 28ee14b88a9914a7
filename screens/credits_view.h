// View 11: credit lines rolling over a black screen until the next tap.
#pragma once

#include <cstdint>

#include "framework/view.h"

class CImage;
class CSprite;
class CTileBackground;

class CCreditsView : public CView {
 public:
  static constexpr int kLines = 13;
  static constexpr std::uint32_t kStepMs = 51;

  explicit CCreditsView(CTileBackground* scene);
  ~CCreditsView() override;

  void Enter() override;
  void Leave() override;
  int HandleEvent(InputEvent* event) override;

  // How strongly a line is drawn at x: fading in below 220, solid from 129
  // to 100, fading out towards 10; 0 where it is not drawn, 1 for solid.
  static float LineAlpha(int x);

  CImage* lineImages[kLines] = {};
  CSprite* lineSprites[kLines] = {};
  CImage* logoImage = nullptr;
  CSprite* logoSprite = nullptr;
  std::uint32_t lastStepTick = 0;

 private:
  void Release();
};
