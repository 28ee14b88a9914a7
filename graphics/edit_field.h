// A line of text rendered with a picture font into a picture of its own and
// shown through a sprite. Text runs towards smaller y: the first character
// lies at the bottom.
#pragma once

#include <cstdint>

class CPicture;
class CPictureFont;
class CSprite;
class CTileBackground;

class CEditField {
 public:
  CEditField() = default;
  // Frees nothing: owners call Clear first.
  virtual ~CEditField() = default;
  CEditField(const CEditField&) = delete;
  CEditField& operator=(const CEditField&) = delete;

  void Create(int x, int y, CPictureFont* font, std::uint8_t maxLength, int keyed, int blend);
  // Renders the text; an empty text leaves the old picture as it was.
  void SetText(const char16_t* text);
  void SetTextAndMark(const char16_t* text, CTileBackground* scene);
  // Draws the text once at (x, y) and puts the sprite back where it was.
  void DrawAt(const char16_t* text, int x, int y, CTileBackground* scene);
  void Clear();

  CSprite* sprite = nullptr;     // owned
  CPictureFont* font = nullptr;  // not owned
  CPicture* picture = nullptr;   // owned: the rendered text
  std::uint8_t maxLength = 0;
};
