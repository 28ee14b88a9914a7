// Everything besides ducks that the player may shoot: falling leaves with
// their bonuses, the sign duck, red birds and the creeper, with the
// fall-away animation of a hit target and the pop-up showing its worth.
#pragma once

#include <cstdint>

#include "framework/input_event.h"
#include "game/random.h"

class CEffectMover;
class CFrameSet;
class CImage;
class CMover;
class CSprite;
class CTileBackground;
class SettingsStore;

// Target kinds (the mover's kind).
enum : std::uint8_t {
  kTargetLeaf = 1,
  kTargetSignDuck = 5,
  kTargetRedBird = 6,
  kTargetCreeper = 7,
};

// TargetResult types.
enum : std::uint8_t {
  kTargetNothing = 0,
  kTargetPoints = 1,
  kTargetTime = 2,
  kTargetVFormation = 3,
};

struct TargetResult {
  std::uint8_t type;
  std::int16_t value;
};

class CTargetSet {
 public:
  static constexpr int kSlots = 10;

  // Seeds the set's generator, once for the whole run.
  CTargetSet() = default;
  virtual ~CTargetSet() = default;
  CTargetSet(const CTargetSet&) = delete;
  CTargetSet& operator=(const CTargetSet&) = delete;

  void Create(CTileBackground* scene);
  TargetResult Update(const InputEvent* event, int armed, int mode);
  void Hide();
  void Show();
  void Destroy();

  // The options, read for SpecialEffects whenever a target may appear.
  void SetSettings(SettingsStore* settings) { settings_ = settings; }

  CMover* slots[kSlots] = {};  // owned; slot 0 is the creeper
  std::uint8_t count = 0;
  CEffectMover* effects[kSlots] = {};  // owned
  std::uint8_t effectCount = 0;
  std::uint8_t signDuckPresent = 0;
  CSprite* popUp = nullptr;  // owned
  std::uint16_t popUpFrames = 0;
  std::uint16_t coinCooldown = 0;
  CRandom random;

 private:
  enum FrameSetIndex {
    kFramesLeaf,
    kFramesSign1,
    kFramesSign2,
    kFramesSign3,
    kFramesRedBirdUp,
    kFramesRedBirdDown,
    kFramesCreeper,
    kFramesLeafFall,
    kFramesSignFall,
    kFramesRedBirdFall,
    kFrameSetCount
  };
  enum ImageIndex {
    kImageClock,
    kImageRedCoin,
    kImageDuckCoin,
    kImageMinus50,
    kImagePlus1,
    kImagePlus50,
    kImageCount
  };

  CMover* AddTarget(int x, int y, CFrameSet* frames, int framePeriod, std::uint8_t kind,
                    std::uint8_t layer);
  void SpawnTarget();
  void SpawnLeaf();
  void SpawnSignDuck();
  void SpawnRedBird();
  void StartFallAway(int x, int y, std::uint8_t kind);
  TargetResult Score(int x, int y, std::uint8_t kind);
  void DropPopUp();
  void RemoveTarget(int i);
  void RemoveEffect(int j);

  CFrameSet* frames_[kFrameSetCount] = {};  // owned
  CImage* images_[kImageCount] = {};        // owned
  CTileBackground* scene_ = nullptr;
  SettingsStore* settings_ = nullptr;
};
