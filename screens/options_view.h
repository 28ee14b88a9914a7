// View 10: music and sound volume, menu animation and special effects.
// Changes take effect at once; OK saves them, Cancel puts back what the
// settings held on entry.
#pragma once

#include <cstdint>

#include "framework/view.h"
#include "persistence/settings.h"

// The volume sliders' range and the step of one press on their track.
constexpr int kVolumeMax = 70;
constexpr int kVolumeStep = 6;

class CButton;
class CCheckBox;
class CSlider;
class CTileBackground;

class COptionsView : public CView {
 public:
  // Control ids.
  enum : std::uint16_t { kOk = 3, kCancel = 4, kAnims = 7, kEffects = 8 };

  explicit COptionsView(CTileBackground* scene);
  ~COptionsView() override;

  void Enter() override;
  void Leave() override;
  int HandleEvent(InputEvent* event) override;

  CSlider* musicSlider = nullptr;
  CSlider* soundSlider = nullptr;
  CButton* okButton = nullptr;
  CButton* cancelButton = nullptr;
  CCheckBox* animCheckBox = nullptr;
  CCheckBox* effectsCheckBox = nullptr;
  SettingsValues saved = {};  // the settings as they were on entry
  std::uint8_t touched = 0;   // a control has handled an event since Enter

 private:
  // Draws the other slider's sprites again so that a moved thumb shows.
  void RedrawSliders(CSlider* other);
  void Release();
};
