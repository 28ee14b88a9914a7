// Bursts of feathers where a duck was shot (special effects only).
#pragma once

#include <cstdint>

#include "framework/input_event.h"
#include "game/effect_slots.h"

class CFrameSet;
class CTileBackground;

class CFeatherBursts : public CEffectSlots {
 public:
  static constexpr int kSlots = 3;

  void Create(CTileBackground* scene);
  // At most two bursts play at once.
  void Add(int x, int y, std::uint8_t kind);
  void Update(const InputEvent* event, int armed);
  void Destroy();

 private:
  CFrameSet* nearFrames_ = nullptr;  // owned
  CFrameSet* farFrames_ = nullptr;   // owned
};
