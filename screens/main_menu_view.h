// View 0, the hub: New Game, Options, Score, Help, Exit and the player-name
// button. With menu animation on, the buttons slide in one after another.
#pragma once

#include <cstdint>

#include "framework/view.h"

class CButton;
class CEditField;
class CImage;
class CPicture;
class CPictureFont;
class CSprite;
class CTileBackground;

class CMainMenuView : public CView {
 public:
  static constexpr int kSliding = 5;  // the five menu bars
  static constexpr int kButtons = 6;  // the bars and the player-name button
  static constexpr int kSlideStep = 14;

  explicit CMainMenuView(CTileBackground* scene);
  ~CMainMenuView() override;

  void Enter() override;
  void Leave() override;
  int HandleEvent(InputEvent* event) override;

  // Program-wide: the animation stage (0 to 5) and the tick of its last step.
  static std::uint8_t stage;
  static std::uint32_t lastStepTick;

  std::int32_t animating = 0;
  CImage* slidingImages[kSliding] = {};
  CImage* nameImage = nullptr;
  CImage* nameImagePressed = nullptr;
  CSprite* slidingSprites[kSliding] = {};
  CSprite* nameSprite = nullptr;
  CSprite* nameSpritePressed = nullptr;
  CButton* buttons[kButtons] = {};
  CPicture* namePictures[2] = {};  // borrowed by button 5
  CEditField* nameField = nullptr;
  CPictureFont* nameFont = nullptr;

 private:
  // One step of the slide-in; ends it when the last picture is in place.
  void AnimationStep();
  void PlaceButtons();
  // Loads picture `id` with the name composed into it as a sprite at the
  // name button's sliding start.
  CSprite* MakeNameSprite(CImage** image, int id);
  void ReleaseSliding();
  void Release();
};
