// View 4: an on-screen keyboard of 38 keys for typing the player name.
#pragma once

#include <cstdint>

#include "framework/view.h"

class CButton;
class CEditField;
class CImage;
class CPictureFont;
class CSprite;
class CTileBackground;

class CNameEntryView : public CView {
 public:
  static constexpr int kKeys = 38;
  static constexpr int kMaxLength = 8;
  enum : std::uint16_t { kOk = 0, kCancel = 1, kFirstKey = 2, kSpace = 38, kDelete = 39 };

  explicit CNameEntryView(CTileBackground* scene);
  ~CNameEntryView() override;

  void Enter() override;
  void Leave() override;
  int HandleEvent(InputEvent* event) override;

  // The character that key `id` types (2 to 38).
  static char16_t KeyCharacter(int id);

  CButton* okButton = nullptr;
  CButton* cancelButton = nullptr;
  CImage* background = nullptr;
  CSprite* backgroundSprite = nullptr;
  CEditField* nameField = nullptr;
  char16_t text[kMaxLength + 1] = {};  // the name being typed
  CPictureFont* font = nullptr;
  CButton* keys[kKeys] = {};
  std::uint8_t length = 0;

 private:
  // Shows text, centred along the field.
  void ShowText();
  void Release();
};
