#include "game/effect_slots.h"

#include "framework/animated_sprite.h"
#include "game/effect_mover.h"
#include "game/play_helpers.h"
#include "graphics/tile_background.h"

namespace {
constexpr int kFramePeriod = 75;
}  // namespace

void CEffectSlots::Begin(CTileBackground* scene) {
  for (CEffectMover*& slot : slots) slot = nullptr;
  count = 0;
  scene_ = scene;
}

void CEffectSlots::Start(int x, int y, CFrameSet* frames, std::uint8_t kind, std::uint8_t layer) {
  CEffectMover* effect = new CEffectMover;
  if (!effect->Init(x, y, frames, kFramePeriod, 1, kind)) {
    delete effect;
    return;
  }
  scene_->AddAnimated(effect->sprite, layer);
  slots[count] = effect;
  count += 1;
}

void CEffectSlots::UpdateAll() {
  for (int i = 0; i < count; ++i) {
    slots[i]->Update();
    if (slots[i]->finished) Remove(i);
  }
}

void CEffectSlots::Remove(int i) {
  CEffectMover* effect = slots[i];
  RemoveAnimated(scene_, effect->sprite);
  delete effect;
  CloseGap(slots, i, &count);
}

void CEffectSlots::Hide() {
  for (int i = 0; i < count; ++i) {
    RemoveAnimated(scene_, slots[i]->sprite);
  }
}

void CEffectSlots::Show() {
  for (int i = 0; i < count; ++i) scene_->AddAnimated(slots[i]->sprite, slots[i]->sprite->layer);
}

void CEffectSlots::DestroyAll() {
  while (count > 0) {
    count -= 1;
    RemoveAnimated(scene_, slots[count]->sprite);
    delete slots[count];
    slots[count] = nullptr;
  }
}
