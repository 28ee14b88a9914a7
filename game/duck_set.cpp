#include "game/duck_set.h"

#include "assets/resource_ids.h"
#include "framework/animated_sprite.h"
#include "framework/frame_set.h"
#include "game/mover.h"
#include "game/paths.h"
#include "game/play_helpers.h"
#include "graphics/tile_background.h"
#include "sound/game_sounds.h"

namespace {

struct FrameSetSpec {
  int first, last, width, height;
};

constexpr FrameSetSpec kFrameSpecs[] = {
    {kPictureNearDuckLeft0, kPictureNearDuckLeft7, 68, 68},    // kind 1
    {kPictureNearDuckRight0, kPictureNearDuckRight7, 68, 68},  // kind 2
    {kPictureFarDuckLeft0, kPictureFarDuckLeft7, 48, 48},      // kind 3
    {kPictureFarDuckRight0, kPictureFarDuckRight7, 48, 48},    // kind 4
    // Swimming out, towards (214, 80), then back, towards (168, 669).
    {kPictureSwimmingDuckRight, kPictureSwimmingDuckRight, 36, 32},
    {kPictureSwimmingDuckLeft, kPictureSwimmingDuckLeft, 36, 32},
};

// Where the swimming duck turns.
constexpr PathPoint kPondNear = {168, 669};
constexpr PathPoint kPondFar = {214, 80};

}  // namespace

void CDuckSet::Create(CTileBackground* scene) {
  for (CMover*& slot : slots) slot = nullptr;
  count = 0;
  swimmingCount = 0;
  for (int i = 0; i < kFrameSetCount; ++i)
    frames_[i] = LoadFrameSet(kFrameSpecs[i].first, kFrameSpecs[i].last, kFrameSpecs[i].width,
                              kFrameSpecs[i].height);
  scene_ = scene;
}

CFrameSet* CDuckSet::FramesOf(std::uint8_t kind) const {
  switch (kind) {
    case kDuckNearDown:
      return frames_[kFramesKind1];
    case kDuckNearUp:
      return frames_[kFramesKind2];
    case kDuckFarDown:
      return frames_[kFramesKind3];
    default:
      return frames_[kFramesKind4];
  }
}

std::uint8_t CDuckSet::LayerOf(std::uint8_t kind) {
  return kind == kDuckNearDown || kind == kDuckNearUp ? 130 : 50;
}

CMover* CDuckSet::AddDuck(int x, int y, CFrameSet* frames, int framePeriod, std::uint8_t kind,
                          int stepInterval, std::uint8_t layer) {
  CMover* duck =
      CMover::New(x, y, frames, framePeriod, kind, static_cast<std::int16_t>(stepInterval));
  if (duck == nullptr) return nullptr;
  scene_->AddAnimated(duck->sprite, layer);
  slots[count] = duck;
  count += 1;
  return duck;
}

DuckResult CDuckSet::LastDuck(std::uint32_t type) const {
  DuckResult result{type, 0, 0, 0};
  if (count > 0) {
    const CMover* last = slots[count - 1];
    result.x = last->x();
    result.y = last->y();
    result.kind = last->kind;
  }
  return result;
}

DuckResult CDuckSet::Update(const InputEvent* event, int armed, int mode) {
  if (mode == kDuckModeV) {
    if (count + 6 >= kSlots) return DuckResult{kDuckVRefused, 0, 0, 0};
    SpawnV();
    return DuckResult{kDuckVCreated, 0, 0, 0};
  }

  DuckResult result{kDuckNothing, 0, 0, 0};
  bool shooting = event->type == kEventPenDown && armed == 1;
  int scrollX = scene_->GetScrollX();
  int scrollY = scene_->GetScrollY();
  for (int i = 0; i < count; ++i) {
    CMover* duck = slots[i];
    if (shooting) {
      int hit = duck->HitTest(event->x, event->y, scrollX, scrollY);
      if (duck->kind == kDuckSwimming) {
        if (hit != 0) {
          TurnAround(duck);
          PlayEffect(kSoundQuack1);
        }
      } else if (hit == 1) {
        result = DuckResult{kDuckShot, duck->x(), duck->y(), duck->kind};
        Remove(i);
        return result;
      } else if (hit == 2) {
        int x = duck->x(), y = duck->y();
        std::uint8_t kind = duck->kind;
        Remove(i);
        Scare(x, y, kind);
        return LastDuck(kDuckScared);
      }
    }
    duck->Update();
    if (duck->finished) {
      if (duck->kind == kDuckSwimming) {
        TurnAround(duck);
        duck->finished = 0;
      } else {
        Remove(i);
      }
    }
  }

  if ((count + 1 < 8 || count == 0) && random.Next(30) == 7) {
    SpawnDuck();
    result = LastDuck(kDuckCreated);
  }
  return result;
}

void CDuckSet::SpawnDuck() {
  static constexpr std::uint8_t kKinds[4] = {kDuckNearUp, kDuckFarUp, kDuckNearDown, kDuckFarDown};
  std::uint8_t kind = kKinds[random.Next(30) % 4];
  int x0, y0, x1, y1;
  if (kind == kDuckNearUp) {
    y0 = random.Next(100) + 960;
    x0 = random.Next(160) + 20;
    x1 = random.Next(240);
    y1 = -160;
  } else if (kind == kDuckFarUp) {
    y0 = random.Next(100) + 960;
    x0 = random.Next(80);
    x1 = random.Next(80);
    y1 = -160;
  } else {
    y0 = -100 - random.Next(100);
    random.Next(160);
    random.Next(240);
    if (kind == kDuckNearDown) {
      x0 = random.Next(220);
      x1 = random.Next(240);
    } else {
      x0 = random.Next(80);
      x1 = random.Next(80);
    }
    y1 = 1120;
  }
  int n = random.Next(10) + 2;
  CMover* duck = AddDuck(x0, y0, FramesOf(kind), 80 - n, kind, (n + 40) * 2, LayerOf(kind));
  if (duck == nullptr) return;
  int m = random.Next(30) % 3;
  duck->SetPath(m == 0 ? kPathLine : kPathZigzag, PathParams{{x0, y0, x1, y1, n}});

  int swim = random.Next(10);
  if (swimmingCount == 0 && swim % 2 == 0) {
    CMover* swimmer =
        AddDuck(kPondNear.x, kPondNear.y, frames_[kFramesSwimOut], 1, kDuckSwimming, 200, 50);
    if (swimmer == nullptr) return;
    swimmer->SetPath(kPathLine, PathParams{{kPondNear.x, kPondNear.y, kPondFar.x, kPondFar.y, 1}});
    swimmingCount += 1;
  }
}

void CDuckSet::Scare(int x, int y, std::uint8_t kind) {
  std::uint8_t newKind;
  int x1, y1;
  switch (kind) {
    case kDuckNearDown:
      newKind = kDuckNearUp;
      x1 = random.Next(240);
      y1 = -160;
      break;
    case kDuckNearUp:
      newKind = kDuckNearDown;
      x1 = random.Next(240);
      y1 = 1120;
      break;
    case kDuckFarDown:
      newKind = kDuckFarUp;
      x1 = random.Next(80);
      y1 = -160;
      break;
    default:
      newKind = kDuckFarDown;
      x1 = random.Next(80);
      y1 = 1120;
      break;
  }
  CMover* duck = AddDuck(x, y, FramesOf(newKind), 65, newKind, 95, LayerOf(newKind));
  if (duck == nullptr) return;
  int type = random.Next(30) % 2 == 1 ? kPathZigzag : kPathLine;
  duck->SetPath(type, PathParams{{x, y, x1, y1, 15}});
  PlayEffect(random.Raw() % 2 == 0 ? kSoundQuack1 : kSoundQuack2);
}

void CDuckSet::SpawnV() {
  int d = random.Next(30) % 2;
  std::uint8_t kind;
  int baseX, baseY, targetX, targetY;
  if (d == 0) {
    kind = kDuckFarDown;
    baseX = random.Next(160) + 20;
    baseY = -240;
    targetX = random.Next(240);
    targetY = 1280;
  } else {
    kind = kDuckFarUp;
    baseX = random.Next(120);
    baseY = 1280;
    targetX = random.Next(120);
    targetY = -320;
  }
  // (along y, across x) of the leader and its four followers.
  static constexpr int kOffsets[5][2] = {{0, 0}, {60, 40}, {60, -40}, {120, 80}, {120, -80}};
  for (const auto& offset : kOffsets) {
    int along = d == 0 ? -offset[0] : offset[0];
    int across = offset[1];
    CMover* duck =
        AddDuck(baseX + across, baseY + along, FramesOf(kind), 65, kind, 95, /*layer=*/5);
    if (duck == nullptr) return;
    duck->SetPath(kPathLine, PathParams{{baseX + across, baseY + along, targetX + across,
                                         targetY + along, 15}});
  }
}

void CDuckSet::TurnAround(CMover* duck) {
  bool goingOut = duck->sprite->picture == frames_[kFramesSwimOut]->pictures[0];
  CFrameSet* frames = frames_[goingOut ? kFramesSwimBack : kFramesSwimOut];
  PathPoint target = goingOut ? kPondNear : kPondFar;
  duck->sprite->SetFrames(frames);
  duck->SetPath(kPathLine, PathParams{{duck->x(), duck->y(), target.x, target.y, 1}});
}

void CDuckSet::Remove(int i) {
  CMover* duck = slots[i];
  RemoveAnimated(scene_, duck->sprite);
  scene_->DrawTiles();
  delete duck;
  CloseGap(slots, i, &count);
}

void CDuckSet::Hide() {
  for (int i = 0; i < count; ++i) {
    RemoveAnimated(scene_, slots[i]->sprite);
  }
}

void CDuckSet::Show() {
  for (int i = 0; i < count; ++i) scene_->AddAnimated(slots[i]->sprite, slots[i]->sprite->layer);
}

void CDuckSet::Destroy() {
  for (int i = 0; i < count; ++i) {
    RemoveAnimated(scene_, slots[i]->sprite);
    delete slots[i];
    slots[i] = nullptr;
  }
  count = 0;
  for (CFrameSet*& frames : frames_) DeleteFrameSet(frames);
}
