#include "graphics/sprite_scene.h"

#include "graphics/sprite.h"

CSortedList* g_animationList = nullptr;

namespace {

CSprite* SpriteOf(const CSortedList::Node* node) { return static_cast<CSprite*>(node->item); }

bool Overlap(const CSprite* a, const CSprite* b) {
  return a->x + a->width > b->x && a->y + a->height > b->y && a->x < b->x + b->width &&
         a->y < b->y + b->height;
}

// A static sprite that `mover` overlaps must be drawn again on top of it.
void MarkIfCovered(CSprite* item, const CSprite* mover) {
  if (!item->hasSaveUnder && !item->dirty && Overlap(item, mover)) item->dirty = 1;
}

}  // namespace

CSpriteScene::CSpriteScene(ce::HWND window) : screen(window) {}

CSpriteScene::~CSpriteScene() = default;

void CSpriteScene::Add(CSprite* sprite, std::uint8_t layer) {
  sprite->layer = layer;
  if (!sprite->hasSaveUnder) sprite->dirty = 1;
  sprites.Insert(sprite, layer);
}

void CSpriteScene::AddAnimated(CSprite* sprite, std::uint8_t layer) {
  Add(sprite, layer);
  if (g_animationList != nullptr) g_animationList->Insert(sprite, 0);
}

void CSpriteScene::Remove(CSprite* sprite) { sprites.Remove(sprite); }

void CSpriteScene::Invalidate(CSprite* sprite) {
  if (sprite->layer < minDirtyLayer) minDirtyLayer = sprite->layer;
  if (!sprite->hasSaveUnder) sprite->dirty = 1;
  for (CSortedList::Node* node = sprites.tail;
       node != nullptr && SpriteOf(node)->layer > sprite->layer; node = node->previous) {
    MarkIfCovered(SpriteOf(node), sprite);
  }
}

void CSpriteScene::Update() {
  for (sprites.First(); sprites.cursor != nullptr; sprites.Next()) {
    CSprite* sprite = SpriteOf(sprites.cursor);
    if (sprite->hasSaveUnder) {
      for (CSortedList::Node* node = sprites.cursor->next; node != nullptr; node = node->next) {
        if (SpriteOf(node)->layer > sprite->layer) MarkIfCovered(SpriteOf(node), sprite);
      }
      if (sprite->layer >= minDirtyLayer) screen.DrawSprite(sprite);
    } else if (sprite->dirty) {
      screen.DrawSprite(sprite);
    }
  }
  screen.PresentDirty();
  for (sprites.Last(); sprites.cursor != nullptr; sprites.Previous()) {
    CSprite* sprite = SpriteOf(sprites.cursor);
    if (sprite->hasSaveUnder) {
      if (sprite->layer >= minDirtyLayer) screen.RestoreSprite(sprite);
    } else {
      sprite->dirty = 0;
    }
  }
  minDirtyLayer = 255;
}

void CSpriteScene::Redraw() {
  DrawAll();
  screen.PresentDirty();
  for (sprites.Last(); sprites.cursor != nullptr; sprites.Previous()) {
    screen.RestoreSprite(SpriteOf(sprites.cursor));
  }
  minDirtyLayer = 255;
}

void CSpriteScene::RedrawShifted(int dx, int dy) {
  DrawAll();
  screen.PresentShifted(dx, dy);
  for (sprites.Last(); sprites.cursor != nullptr; sprites.Previous()) {
    screen.RestoreSprite(SpriteOf(sprites.cursor));
  }
  minDirtyLayer = 255;
}

void CSpriteScene::DrawSprite(CSprite* sprite) { screen.DrawSprite(sprite); }

void CSpriteScene::DrawSpriteAndPresent(CSprite* sprite) {
  screen.dirtyCount = 0;
  screen.DrawSprite(sprite);
  screen.PresentDirty();
}

void CSpriteScene::DrawAll() {
  for (CSortedList::Node* node = sprites.head; node != nullptr; node = node->next) {
    screen.DrawSprite(SpriteOf(node));
  }
}
