// A small collection of one-shot effects on the scene: each plays its
// animation once and is removed when it has finished.
#pragma once

#include <cstdint>

class CEffectMover;
class CFrameSet;
class CTileBackground;

class CEffectSlots {
 public:
  static constexpr int kMaxSlots = 30;

  CEffectSlots() = default;
  virtual ~CEffectSlots() = default;
  CEffectSlots(const CEffectSlots&) = delete;
  CEffectSlots& operator=(const CEffectSlots&) = delete;

  // Updates every effect and removes those that have finished.
  void UpdateAll();
  void Hide();
  void Show();

  CEffectMover* slots[kMaxSlots] = {};  // owned
  std::uint8_t count = 0;

 protected:
  void Begin(CTileBackground* scene);
  // A blended effect played once at (x, y) on the given layer; nothing when
  // it cannot be set up.
  void Start(int x, int y, CFrameSet* frames, std::uint8_t kind, std::uint8_t layer);
  void DestroyAll();

  CTileBackground* scene_ = nullptr;

 private:
  void Remove(int i);
};
