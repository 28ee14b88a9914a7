// View 3: six pages of help with page-turn buttons, and the way to the
// About and Credits screens.
#pragma once

#include <cstdint>

#include "assets/resource_ids.h"
#include "framework/view.h"

class CButton;
class CImage;
class CSprite;
class CTileBackground;

class CHelpView : public CView {
 public:
  enum : std::uint16_t { kOk = 0, kCredits = 1, kNext = 2, kPrevious = 3, kAbout = 4 };
  static constexpr std::uint32_t kCrossFadeMs = 150;

  explicit CHelpView(CTileBackground* scene);
  ~CHelpView() override;

  void Enter() override;
  void Leave() override;
  int HandleEvent(InputEvent* event) override;

  CButton* buttons[5] = {};  // by id
  CImage* pageImage = nullptr;
  CSprite* pageSprite = nullptr;
  std::int32_t page = kPictureHelpPage1;  // the PCT id of the page shown

 private:
  // Shows the new page blended over the old one, then solid.
  void TurnTo(int newPage);
  void Release();
};
