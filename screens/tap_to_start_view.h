// View 14: the game's title picture with a blinking sign asking for a tap;
// a tap opens the main menu.
#pragma once

#include <cstdint>

#include "framework/view.h"

class CPicture;
class CTileBackground;

class CTapToStartView : public CView {
 public:
  static constexpr std::uint32_t kBlinkMs = 230;

  explicit CTapToStartView(CTileBackground* scene);
  ~CTapToStartView() override;

  void Enter() override;
  void Leave() override;
  int HandleEvent(InputEvent* event) override;

  CPicture* titlePicture = nullptr;
  CPicture* signPicture = nullptr;
  std::uint32_t lastBlinkTick = 0;
  std::int32_t signShown = 0;

 private:
  void Release();
};
