#include "game/target_set.h"

#include "assets/resource_ids.h"
#include "framework/animated_sprite.h"
#include "framework/frame_set.h"
#include "game/effect_mover.h"
#include "game/mover.h"
#include "game/play_helpers.h"
#include "graphics/image.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "persistence/settings.h"
#include "sound/game_sounds.h"

namespace {

struct FrameSetSpec {
  int first, last, width, height;
};

constexpr FrameSetSpec kFrameSpecs[] = {
    {kPictureLeaf0, kPictureLeaf11, 22, 22},                    // leaf
    {kPictureSignDuckBonus, kPictureSignDuckBonus, 108, 80},    // sign duck, three signs
    {kPictureSignDuckThanks, kPictureSignDuckThanks, 108, 80},  //
    {kPictureSignDuckTarget, kPictureSignDuckTarget, 108, 80},  //
    {kPictureRedBirdLeft0, kPictureRedBirdLeft4, 18, 26},       // red bird flying towards larger y
    {kPictureRedBirdRight0, kPictureRedBirdRight4, 18, 26},     // red bird flying towards smaller y
    {kPictureCreeper, kPictureCreeper, 28, 38},                 // creeper
    {kPictureLeafFall0, kPictureLeafFall5, 22, 22},             // leaf falling away
    {kPictureSignDuckFall0, kPictureSignDuckFall5, 108, 80},    // sign duck falling away
    {kPictureRedBirdFall, kPictureRedBirdFall, 30, 38},         // red bird falling away
};

struct ImageSpec {
  int id, width, height;
};

constexpr ImageSpec kImageSpecs[] = {
    {kPicturePopupClock, 24, 24},        // clock: +30 s
    {kPicturePopupRedBirdCoin, 24, 24},  // red-bird coin: -30 s
    {kPicturePopupDuckCoin, 24, 24},     // duck coin: a V formation
    {kPicturePopupMinus50, 20, 48},      // -50
    {kPicturePopupPlus1, 20, 22},        // +1
    {kPicturePopupPlus50, 20, 48},       // +50
};

constexpr std::uint8_t kLayerLeaf = 231;
constexpr std::uint8_t kLayerLeafFall = 230;
constexpr std::uint8_t kLayerSignDuck = 141;
constexpr std::uint8_t kLayerRedBird = 40;
constexpr std::uint8_t kLayerCreeper = 10;
constexpr std::uint8_t kLayerPopUp = 231;

}  // namespace

void CTargetSet::Create(CTileBackground* scene) {
  for (int i = 0; i < kSlots; ++i) {
    slots[i] = nullptr;
    effects[i] = nullptr;
  }
  count = 0;
  effectCount = 0;
  signDuckPresent = 0;
  for (int i = 0; i < kFrameSetCount; ++i)
    frames_[i] = LoadFrameSet(kFrameSpecs[i].first, kFrameSpecs[i].last, kFrameSpecs[i].width,
                              kFrameSpecs[i].height);
  for (int i = 0; i < kImageCount; ++i)
    images_[i] = new CImage(kImageSpecs[i].id, kImageSpecs[i].width, kImageSpecs[i].height);
  scene_ = scene;

  // The creeper holds slot 0 for the whole game; it has no path.
  slots[0] = CMover::New(165, 620, frames_[kFramesCreeper], 1, kTargetCreeper, 200);
  if (slots[0] != nullptr) scene_->AddAnimated(slots[0]->sprite, kLayerCreeper);
  count = 1;
  popUp = nullptr;
  popUpFrames = 0;
  coinCooldown = 0;
}

CMover* CTargetSet::AddTarget(int x, int y, CFrameSet* frames, int framePeriod, std::uint8_t kind,
                              std::uint8_t layer) {
  CMover* target = CMover::New(x, y, frames, framePeriod, kind, 200);
  if (target == nullptr) return nullptr;
  scene_->AddAnimated(target->sprite, layer);
  slots[count] = target;
  count += 1;
  return target;
}

TargetResult CTargetSet::Update(const InputEvent* event, int armed, int) {
  TargetResult result{kTargetNothing, 0};

  if (popUpFrames == 1) {
    scene_->Remove(popUp);
    scene_->Redraw();
    delete popUp;
    popUp = nullptr;
    popUpFrames = 0;
  } else if (popUpFrames > 1) {
    popUpFrames -= 1;
  }

  bool shooting = event->type == kEventPenDown && armed == 1;
  int scrollX = scene_->GetScrollX();
  int scrollY = scene_->GetScrollY();
  int targets = count;
  for (int i = 1; i < targets; ++i) {
    CMover* target = slots[i];
    if (target == nullptr) continue;
    // Transparent pixels inside the picture count as hits too.
    if (shooting && target->HitTest(event->x, event->y, scrollX, scrollY) != 0) {
      int x = target->x(), y = target->y();
      std::uint8_t kind = target->kind;
      StartFallAway(x, y, kind);
      RemoveTarget(i);
      return Score(x, y, kind);
    }
    target->Update();
    if (target->finished) RemoveTarget(i);
  }

  int running = effectCount;
  for (int j = 0; j < running; ++j) {
    CEffectMover* effect = effects[j];
    if (effect == nullptr) continue;
    effect->Update();
    if (effect->finished) {
      RemoveEffect(j);
      if (effectCount > 0) effectCount -= 1;
      scene_->Redraw();
    }
  }

  CMover* creeper = slots[0];
  if (creeper != nullptr && shooting && creeper->HitTest(event->x, event->y, scrollX, scrollY) != 0)
    return Score(creeper->x(), creeper->y(), kTargetCreeper);
  // About one pixel in 25 frames from y 620 up to y 250; shows when the
  // sprite is next drawn.
  int r = random.Next(100);
  if (creeper != nullptr && r < 30 && r % 8 == 0 && creeper->y() >= 251) creeper->sprite->y -= 1;

  if (count + 1 < kSlots && random.Next(30) == 7) SpawnTarget();
  return result;
}

void CTargetSet::SpawnTarget() {
  int r = random.Next(197) % 17;
  if (r == 7) {
    if (signDuckPresent == 0) SpawnSignDuck();
  } else if (r == 8 || r == 11 || r == 12 || r == 14) {
    if (random.Next(20) % 5 == 0) SpawnRedBird();
  } else if (settings_ != nullptr && settings_->specialEffects) {
    SpawnLeaf();
  }
}

void CTargetSet::SpawnLeaf() {
  int y0 = random.Next(960);
  int y1 = random.Next(960);
  int steps = random.Next(4) + 1;
  CMover* leaf = AddTarget(-50, y0, frames_[kFramesLeaf], 80, kTargetLeaf, kLayerLeaf);
  if (leaf != nullptr) leaf->SetPath(kPathLine, PathParams{{-50, y0, 290, y1, steps}});
}

void CTargetSet::SpawnSignDuck() {
  int y = scene_->GetScrollY() + random.Next(320);
  int sign = random.Next(197) % 3;
  CMover* duck =
      AddTarget(240, y, frames_[kFramesSign1 + sign], 4, kTargetSignDuck, kLayerSignDuck);
  if (duck == nullptr) return;
  duck->SetPath(kPathPopUp, PathParams{{240, y, 240 - duck->width, y, -10, 0, 10}});
  signDuckPresent = 1;
}

void CTargetSet::SpawnRedBird() {
  int x0, y0, x1, y1;
  CFrameSet* frames;
  if (random.Next(30) % 2 == 0) {
    y0 = 960 + random.Next(100);
    x0 = random.Next(106);
    x1 = random.Next(106);
    frames = frames_[kFramesRedBirdDown];
    y1 = -160;
  } else {
    x0 = random.Next(220);
    y0 = -100 - random.Next(100);
    x1 = random.Next(240);
    frames = frames_[kFramesRedBirdUp];
    y1 = 1120;
  }
  int steps = random.Next(15);
  CMover* bird = AddTarget(x0, y0, frames, 1, kTargetRedBird, kLayerRedBird);
  if (bird != nullptr) bird->SetPath(kPathLine, PathParams{{x0, y0, x1, y1, steps}});
}

void CTargetSet::StartFallAway(int x, int y, std::uint8_t kind) {
  int frames, period, blend, sound = 0;
  std::uint8_t layer;
  switch (kind) {
    case kTargetLeaf:
      frames = kFramesLeafFall, period = 80, blend = 1, layer = kLayerLeafFall;
      break;
    case kTargetSignDuck:
      frames = kFramesSignFall, period = 70, blend = 0, layer = kLayerSignDuck;
      sound = kSoundDuckHit;
      break;
    case kTargetRedBird:
      frames = kFramesRedBirdFall, period = 130, blend = 1, layer = kLayerRedBird;
      sound = kSoundRedBirdHit;
      break;
    default:
      return;
  }
  if (sound != 0) PlayEffect(sound);
  // With every slot in use the hit still scores, without the animation.
  if (effectCount >= kSlots) return;
  CEffectMover* effect = new CEffectMover;
  if (!effect->Init(x, y, frames_[frames], period, blend, 1)) {
    delete effect;
    return;
  }
  if (kind == kTargetRedBird) effect->SetPath(kPathLine, PathParams{{x + 3, y, x + 43, y, 1}});
  scene_->AddAnimated(effect->sprite, layer);
  effects[effectCount] = effect;
  effectCount += 1;
}

void CTargetSet::DropPopUp() {
  if (popUp != nullptr) {
    scene_->Remove(popUp);
    delete popUp;
  }
  popUp = nullptr;
  popUpFrames = 0;
}

TargetResult CTargetSet::Score(int x, int y, std::uint8_t kind) {
  if (popUpFrames != 0) DropPopUp();
  TargetResult result{kTargetPoints, 0};
  int image;
  int blend = 1;
  int frames = 20;
  int popX = x + 20, popY = y - 10;
  int sound = 0;
  switch (kind) {
    case kTargetSignDuck:
      result.value = 50, image = kImagePlus50, blend = 0;
      signDuckPresent = 0;
      break;
    case kTargetRedBird:
      result.value = -50, image = kImageMinus50, blend = 0;
      break;
    case kTargetCreeper:
      result.value = -50, image = kImageMinus50, blend = 0, frames = 10, popY = y + 20;
      sound = kSoundCreeperHit;
      break;
    default: {
      int r = random.Next(100) % 13;
      if (r == 0) {
        result = TargetResult{kTargetTime, 30}, image = kImageClock, sound = kSoundTimeBonus;
      } else if (r == 1) {
        result = TargetResult{kTargetTime, -30}, image = kImageRedCoin, sound = kSoundTimePenalty;
      } else if (r == 2 && coinCooldown < 2) {
        result = TargetResult{kTargetVFormation, 0}, image = kImageDuckCoin;
        sound = kSoundDuckCoin;
        coinCooldown = 6;
      } else {
        if (r == 2) coinCooldown -= 1;
        result.value = 1, image = kImagePlus1;
      }
      break;
    }
  }
  popUp = new CSprite(images_[image], popX, popY, 1, 1, blend, kKeyFromPicture);
  scene_->Add(popUp, kLayerPopUp);
  popUpFrames = static_cast<std::uint16_t>(frames);
  if (sound != 0) PlayEffect(sound);
  return result;
}

void CTargetSet::RemoveTarget(int i) {
  CMover* target = slots[i];
  RemoveAnimated(scene_, target->sprite);
  scene_->Redraw();
  delete target;
  CloseGap(slots, i, &count);
}

void CTargetSet::RemoveEffect(int j) {
  CEffectMover* effect = effects[j];
  RemoveAnimated(scene_, effect->sprite);
  delete effect;
  // The caller lowers the count.
  effects[j] = effects[effectCount - 1];
  effects[effectCount - 1] = nullptr;
}

void CTargetSet::Hide() {
  if (popUp != nullptr) scene_->Remove(popUp);
  for (int i = 0; i < count; ++i) {
    if (slots[i] == nullptr) continue;
    RemoveAnimated(scene_, slots[i]->sprite);
  }
  for (int j = 0; j < effectCount; ++j) {
    RemoveAnimated(scene_, effects[j]->sprite);
  }
}

void CTargetSet::Show() {
  if (popUp != nullptr) scene_->Add(popUp, kLayerPopUp);
  for (int i = 0; i < count; ++i)
    if (slots[i] != nullptr) scene_->AddAnimated(slots[i]->sprite, slots[i]->sprite->layer);
  for (int j = 0; j < effectCount; ++j)
    scene_->AddAnimated(effects[j]->sprite, effects[j]->sprite->layer);
}

void CTargetSet::Destroy() {
  DropPopUp();
  for (int i = 0; i < kSlots; ++i) {
    if (slots[i] != nullptr) {
      RemoveAnimated(scene_, slots[i]->sprite);
      delete slots[i];
      slots[i] = nullptr;
    }
    if (effects[i] != nullptr) {
      RemoveAnimated(scene_, effects[i]->sprite);
      delete effects[i];
      effects[i] = nullptr;
    }
  }
  count = 0;
  effectCount = 0;
  for (CFrameSet*& frames : frames_) DeleteFrameSet(frames);
  for (CImage*& image : images_) {
    delete image;
    image = nullptr;
  }
}
