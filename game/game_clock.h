// The seconds left in a game, shown as minutes:seconds, and the menu icon
// in the bottom-right corner.
#pragma once

#include <cstdint>

class CEditField;
class CImage;
class CPictureFont;
class CSprite;
class CTileBackground;

class CGameClock {
 public:
  CGameClock() = default;
  virtual ~CGameClock() = default;
  CGameClock(const CGameClock&) = delete;
  CGameClock& operator=(const CGameClock&) = delete;

  // The text at screen (x, y), stopped.
  void Create(int x, int y, int seconds, CTileBackground* scene);
  void Start();
  void Stop();
  // Counts a second when more than 1000 ms have passed; returns the
  // seconds left.
  std::int32_t Tick();
  void AddSeconds(std::int8_t delta);
  void Follow();
  void Hide();
  void Show();
  void Destroy();

  // "mm:ss" for the given seconds.
  static void FormatTime(std::int32_t seconds, char16_t text[8]);

  CPictureFont* m_font = nullptr;     // owned
  CEditField* m_editField = nullptr;  // owned
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t secondsLeft = 0;
  std::uint32_t lastTick = 0;
  std::uint8_t running = 0;
  CImage* menuIconImage = nullptr;  // owned
  CSprite* menuIcon = nullptr;      // owned

 private:
  void ShowTime();

  CTileBackground* scene_ = nullptr;
};

// The game's font (digits and colon) as the clock, the score and the points
// labels use it.
CPictureFont* NewGameFont();
// Releases a font and its edit field, saying so when one of them is missing.
void ReleaseFontAndField(CPictureFont** font, CEditField** field);
