// A picture placed in the scene: position, drawing mode, layer and, for
// sprites that move, a save-under picture that restores what was beneath.
#pragma once

#include <cstdint>

class CImage;
class CPicture;

// Pass as the key colour to take the picture's top-left pixel as the key.
constexpr int kKeyFromPicture = -1;

class CSprite {
 public:
  CSprite() = default;
  // The last argument is accepted for the callers' sake and ignored.
  CSprite(CImage* image, int x, int y, int saveUnder, int keyed, int blend, int keyColor,
          void* unused = nullptr);
  virtual ~CSprite();
  CSprite(const CSprite&) = delete;
  CSprite& operator=(const CSprite&) = delete;

  // Both return 1, or 0 when there is no picture to show (the sprite is then
  // left cleared).
  int Set(CImage* image, int x, int y, int saveUnder, int keyed, int blend, int keyColor);
  int SetPicture(CPicture* picture, int x, int y, int saveUnder, int keyed, int blend,
                 int keyColor);
  void AllocSaveUnder();
  // Frees the save-under; a cleared sprite draws nothing.
  void Clear();

  void FreeSaveUnder();

  std::uint8_t dirty = 0;
  CPicture* saveUnder = nullptr;  // owned when hasSaveUnder
  CPicture* picture = nullptr;    // not owned
  CImage* image = nullptr;        // not owned
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint8_t hasSaveUnder = 0;
  std::uint8_t keyed = 0;
  std::uint8_t blend = 0;
  std::uint16_t keyColor = 0;
  std::uint8_t layer = 0;
};
