// View 12, the start view: asks the player to turn the device, then fades
// the maker's logo in and turns it, and leads to the title picture.
#pragma once

#include <cstdint>

#include "framework/view.h"

class CButton;
class CPicture;
class CScreen;
class CTileBackground;

class CIntroView : public CView {
 public:
  static constexpr std::uint32_t kSkipWindowMs = 2000;
  static constexpr std::uint32_t kFadeStepMs = 71;
  static constexpr std::uint32_t kTurnStepMs = 51;
  static constexpr double kLastAngle = 184.0;

  // Hides the cursor for the whole run.
  explicit CIntroView(CTileBackground* scene);
  ~CIntroView() override;

  void Enter() override;
  void Leave() override;
  int HandleEvent(InputEvent* event) override;

  // Program-wide, never reset: a second entry goes straight to the turning.
  static std::uint32_t startTick;
  static std::uint32_t lastFadeTick;
  static float alpha;
  static std::uint8_t logoPending;

  CPicture* picture = nullptr;  // owned: the request to turn, later the logo
  CScreen* screen = nullptr;    // the scene's, for drawing straight to the frame
  std::uint32_t lastStepTick = 0;
  double angle = 90.0;
  CButton* skipButton = nullptr;

 private:
  // Takes the skip button out and asks for the title picture.
  int Finish();
  void Release();
};
