// Every duck of a game: the ducks that cross the world, the V formations of
// far ducks, and the one swimming duck.
#pragma once

#include <cstdint>

#include "framework/input_event.h"
#include "game/random.h"

class CFrameSet;
class CMover;
class CTileBackground;

// Duck kinds (the mover's kind).
enum : std::uint8_t {
  kDuckNearDown = 1,  // near duck flying towards larger y
  kDuckNearUp = 2,    // near duck flying towards smaller y
  kDuckFarDown = 3,
  kDuckFarUp = 4,
  kDuckSwimming = 5,
};

// DuckResult types.
enum : std::uint32_t {
  kDuckNothing = 1,
  kDuckShot = 2,
  kDuckCreated = 3,
  kDuckScared = 4,
  kDuckVCreated = 5,
  kDuckVRefused = 6,
};

// Update modes.
enum : int {
  kDuckModeFrame = 0,
  kDuckModeV = 10,
};

struct DuckResult {
  std::uint32_t type;
  std::int32_t x;
  std::int32_t y;
  std::uint8_t kind;
};

class CDuckSet {
 public:
  static constexpr int kSlots = 35;

  // Seeds the set's generator, once for the whole run.
  CDuckSet() = default;
  virtual ~CDuckSet() = default;
  CDuckSet(const CDuckSet&) = delete;
  CDuckSet& operator=(const CDuckSet&) = delete;

  void Create(CTileBackground* scene);
  DuckResult Update(const InputEvent* event, int armed, int mode);
  void Hide();
  void Show();
  void Destroy();

  CMover* slots[kSlots] = {};  // owned
  std::uint8_t count = 0;
  std::uint8_t swimmingCount = 0;
  CRandom random;

 private:
  enum FrameSetIndex {
    kFramesKind1,
    kFramesKind2,
    kFramesKind3,
    kFramesKind4,
    kFramesSwimOut,
    kFramesSwimBack,
    kFrameSetCount
  };

  CFrameSet* FramesOf(std::uint8_t kind) const;
  static std::uint8_t LayerOf(std::uint8_t kind);
  // Creates a mover and puts it into the next slot and on the scene;
  // null (and nothing kept) when it cannot be set up.
  CMover* AddDuck(int x, int y, CFrameSet* frames, int framePeriod, std::uint8_t kind,
                  int stepInterval, std::uint8_t layer);
  void SpawnDuck();
  void SpawnV();
  void Scare(int x, int y, std::uint8_t kind);
  void TurnAround(CMover* duck);
  void Remove(int i);
  DuckResult LastDuck(std::uint32_t type) const;

  CFrameSet* frames_[kFrameSetCount] = {};  // owned
  CTileBackground* scene_ = nullptr;
};
