// View 5: the panel that slides in over the greyed game. Resume, Exit, and
// Options, Score and Help, which hide the game and come straight back to it.
// It draws into the back buffer itself and presents only the panel.
#pragma once

#include <cstdint>

#include "framework/view.h"
#include "platform/types.h"

class CButton;
class CImage;
class CSprite;
class CTileBackground;

class CPauseMenuView : public CView {
 public:
  // pressedItem values.
  enum : std::uint8_t {
    kNone = 0,
    kOptionsItem = 1,
    kExitItem = 2,
    kScoreItem = 3,
    kHelpItem = 4,
    kResumeItem = 5,
  };
  static constexpr std::uint32_t kSlideStepMs = 31;

  explicit CPauseMenuView(CTileBackground* scene);
  ~CPauseMenuView() override;

  void Enter() override;
  void Leave() override;
  // Always 0.
  int HandleEvent(InputEvent* event) override;

  // Used only for their pictures and hit tests.
  CButton* options = nullptr;
  CButton* exit = nullptr;
  CButton* score = nullptr;
  CButton* help = nullptr;
  CButton* resume = nullptr;
  CImage* panelImage = nullptr;
  CSprite* panelSprite = nullptr;
  std::uint8_t sliding = 0;
  std::uint32_t lastStepTick = 0;
  ce::RECT panelSource = {};  // the part of the panel picture drawn
  ce::RECT panelArea = {};    // where it is drawn; all of it is presented
  ce::RECT buttonSource = {};
  ce::RECT buttonArea = {};
  std::uint8_t pressedItem = kNone;  // the item under the last pen-down that hit one

 private:
  void Slide();
  void DrawPanel();
  void PresentPanel();
  void PenDown(const InputEvent* event);
  void PenUp(const InputEvent* event);
  // Hides the game and opens `view` without history.
  void Visit(int view);
  void Release();
};
