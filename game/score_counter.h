// The score, shown as a number that rolls one unit a frame towards it.
#pragma once

#include <cstdint>

class CEditField;
class CPictureFont;
class CTileBackground;

class CScoreCounter {
 public:
  CScoreCounter() = default;
  virtual ~CScoreCounter() = default;
  CScoreCounter(const CScoreCounter&) = delete;
  CScoreCounter& operator=(const CScoreCounter&) = delete;

  // At screen (offsetX, offsetY), showing 0. Returns 1.
  int Create(int offsetX, int offsetY, CTileBackground* scene);
  // The score never falls below 0.
  void Add(std::int32_t delta);
  // Once a frame: the shown value moves one unit towards the score.
  void Update();
  void Follow();
  void Hide();
  void Show();
  void Destroy();

  CPictureFont* m_font = nullptr;     // owned
  CEditField* m_editField = nullptr;  // owned
  std::int16_t offsetX = 0;
  std::int16_t offsetY = 0;
  std::int32_t score = 0;
  std::int32_t shown = 0;
  std::int32_t direction = 1;

 private:
  void WriteText(std::int32_t value);

  CTileBackground* scene_ = nullptr;
};
