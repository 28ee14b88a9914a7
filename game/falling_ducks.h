// Shot ducks dropping towards the ground, with their points rising beside
// them.
#pragma once

#include <cstdint>

#include "framework/input_event.h"
#include "game/effect_mover.h"
#include "graphics/edit_field.h"

class CFrameSet;
class CPath;
class CPictureFont;
class CTileBackground;

// A dead duck: an effect mover stepped every 50 ms.
class CFallingDuck : public CEffectMover {
 public:
  std::uint32_t lastStepTick = 0;
};

// The points of a shot, written in the points font, drifting the other way.
class CPointsLabel {
 public:
  CPointsLabel() = default;
  ~CPointsLabel();
  CPointsLabel(const CPointsLabel&) = delete;
  CPointsLabel& operator=(const CPointsLabel&) = delete;

  CEditField field;
  CPath* path = nullptr;  // owned
  std::uint8_t done = 0;
  std::uint32_t lastStepTick = 0;
};

class CFallingDucks {
 public:
  static constexpr int kSlots = 35;

  CFallingDucks() = default;
  virtual ~CFallingDucks() = default;
  CFallingDucks(const CFallingDucks&) = delete;
  CFallingDucks& operator=(const CFallingDucks&) = delete;

  void Create(CTileBackground* scene, CPictureFont* pointsFont);
  void Add(int x, int y, std::uint8_t kind, int points);
  void Update(const InputEvent* event);
  void Hide();
  void Show();
  void Destroy();

  CFallingDuck* ducks[kSlots] = {};   // owned
  CPointsLabel* labels[kSlots] = {};  // owned
  std::uint8_t count = 0;

 private:
  void Remove(int i);

  CFrameSet* nearFrames_ = nullptr;  // owned
  CFrameSet* farFrames_ = nullptr;   // owned
  CTileBackground* scene_ = nullptr;
  CPictureFont* font_ = nullptr;  // the game controller's
};
