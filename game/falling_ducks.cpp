#include "game/falling_ducks.h"

#include <cstdio>

#include "assets/resource_ids.h"
#include "framework/animated_sprite.h"
#include "game/mover.h"
#include "game/paths.h"
#include "game/play_helpers.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"

namespace {

constexpr std::uint8_t kLayerLabel = 244;
constexpr std::uint32_t kStepInterval = 50;

// Whether more than the step interval has passed; notes the time when so.
bool StepDue(std::uint32_t* lastStepTick, std::uint32_t now) {
  if (now - *lastStepTick <= kStepInterval) return false;
  *lastStepTick = now;
  return true;
}

}  // namespace

CPointsLabel::~CPointsLabel() { delete path; }

void CFallingDucks::Create(CTileBackground* scene, CPictureFont* pointsFont) {
  for (int i = 0; i < kSlots; ++i) {
    ducks[i] = nullptr;
    labels[i] = nullptr;
  }
  count = 0;
  nearFrames_ = LoadFrameSet(kPictureFallingNearDuck, kPictureFallingNearDuck, 62, 68);
  farFrames_ = LoadFrameSet(kPictureFallingFarDuck, kPictureFallingFarDuck, 32, 34);
  scene_ = scene;
  font_ = pointsFont;
}

void CFallingDucks::Add(int x, int y, std::uint8_t kind, int points) {
  if (count >= kSlots) return;
  bool near = kind == 1 || kind == 2;
  CFallingDuck* duck = new CFallingDuck;
  if (!duck->Init(x, y, near ? nearFrames_ : farFrames_, near ? 130 : 50, 0, kind)) {
    delete duck;
    return;
  }
  duck->SetPath(kPathLine, PathParams{{x + 3, y, x + 35, y, 1}});

  CPointsLabel* label = new CPointsLabel;
  label->field.Create(x, y, font_, 7, 1, 0);
  char text[16];
  std::snprintf(text, sizeof text, "%d", points);
  char16_t wide[16] = {};
  for (int i = 0; text[i] != 0; ++i) wide[i] = static_cast<char16_t>(text[i]);
  label->field.SetText(wide);
  label->path = MakePath(kPathLine, PathParams{{x - 3, y, x - 15, y, 1}});
  scene_->Add(label->field.sprite, kLayerLabel);

  scene_->AddAnimated(duck->sprite, near ? 130 : 50);
  ducks[count] = duck;
  labels[count] = label;
  count += 1;
}

void CFallingDucks::Update(const InputEvent*) {
  int falling = count;
  for (int i = 0; i < falling; ++i) {
    CFallingDuck* duck = ducks[i];
    CPointsLabel* label = labels[i];
    if (duck == nullptr || label == nullptr) continue;
    std::uint32_t now = ce::GetTickCount();
    if (StepDue(&duck->lastStepTick, now)) {
      // The animation tick shows the new position.
      if (duck->path->IsFinished()) {
        duck->finished = 1;
      } else {
        PathPoint p = duck->path->Step();
        duck->sprite->x = p.x;
        duck->sprite->y = p.y;
      }
    }
    if (StepDue(&label->lastStepTick, now)) {
      if (label->path->IsFinished()) {
        label->done = 1;
      } else {
        PathPoint p = label->path->Step();
        label->field.sprite->x = p.x;
        label->field.sprite->y = p.y;
        scene_->Invalidate(label->field.sprite);
      }
    }
    if (duck->finished || label->done) {
      Remove(i);
      scene_->Redraw();
    }
  }
}

void CFallingDucks::Remove(int i) {
  CFallingDuck* duck = ducks[i];
  RemoveAnimated(scene_, duck->sprite);
  scene_->DrawTiles();
  delete duck;
  CPointsLabel* label = labels[i];
  scene_->Remove(label->field.sprite);
  label->field.Clear();
  delete label;
  std::uint8_t labelCount = count;
  CloseGap(ducks, i, &count);
  CloseGap(labels, i, &labelCount);
}

void CFallingDucks::Hide() {
  for (int i = 0; i < count; ++i) {
    RemoveAnimated(scene_, ducks[i]->sprite);
    scene_->Remove(labels[i]->field.sprite);
  }
}

void CFallingDucks::Show() {
  for (int i = 0; i < count; ++i) {
    scene_->AddAnimated(ducks[i]->sprite, ducks[i]->sprite->layer);
    scene_->Add(labels[i]->field.sprite, kLayerLabel);
  }
}

void CFallingDucks::Destroy() {
  for (int i = 0; i < count; ++i) {
    RemoveAnimated(scene_, ducks[i]->sprite);
    delete ducks[i];
    ducks[i] = nullptr;
    scene_->Remove(labels[i]->field.sprite);
    labels[i]->field.Clear();
    delete labels[i];
    labels[i] = nullptr;
  }
  count = 0;
  DeleteFrameSet(nearFrames_);
  DeleteFrameSet(farFrames_);
}
