// Puffs of smoke where a shot hit nothing (special effects only).
#pragma once

#include "framework/input_event.h"
#include "game/effect_slots.h"

class CFrameSet;
class CTileBackground;

class CShotPuffs : public CEffectSlots {
 public:
  static constexpr int kSlots = 30;

  void Create(CTileBackground* scene);
  // Centred on the tap, given in screen coordinates.
  void Add(int penX, int penY);
  void Update(const InputEvent* event, int armed);
  void Destroy();

 private:
  CFrameSet* frames_ = nullptr;  // owned
};
