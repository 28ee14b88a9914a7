#include "framework/animation_list.h"

#include "framework/animated_sprite.h"
#include "graphics/sprite_scene.h"

CAnimationList::CAnimationList() {
  if (g_animationList == nullptr) g_animationList = this;
}

CAnimationList::~CAnimationList() {
  if (g_animationList == this) g_animationList = nullptr;
}

int CAnimationList::Update() {
  int changed = 0;
  for (Node* node = head; node != nullptr; node = node->next) {
    auto* sprite = static_cast<CAnimatedSprite*>(node->item);
    if (sprite->Tick() == 0) continue;
    ++changed;
    if (target != nullptr) target->Invalidate(sprite);
  }
  if (changed > 0 && target != nullptr) target->Redraw();
  return changed;
}
