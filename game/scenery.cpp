#include "game/scenery.h"

#include "graphics/image.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"

namespace {

struct Piece {
  int id, width, height, x, y;
  std::uint8_t layer;
};

constexpr Piece kPieces[CScenery::kPieces] = {
    {261, 56, 36, 141, 530, 90},  {262, 38, 28, 164, 566, 90}, {263, 38, 28, 126, 566, 90},
    {264, 36, 38, 124, 594, 90},  {265, 42, 44, 160, 594, 90}, {266, 40, 34, 139, 638, 90},
    {267, 32, 16, 202, 590, 90},  {284, 34, 30, 57, 9, 90},    {285, 28, 30, 91, 9, 90},
    {286, 38, 24, 56, 39, 90},    {287, 38, 24, 94, 39, 90},   {289, 34, 32, 66, 63, 90},
    {290, 28, 32, 100, 63, 90},   {291, 44, 12, 132, 48, 90},  {292, 50, 34, 128, 830, 90},
    {293, 20, 16, 108, 848, 90},  {294, 70, 52, 108, 864, 90}, {295, 70, 44, 108, 916, 90},
    {296, 18, 38, 90, 922, 90},   {297, 40, 32, 200, 237, 90}, {298, 24, 10, 213, 336, 90},
    {299, 32, 20, 201, 359, 90},  {300, 14, 14, 216, 400, 90}, {301, 42, 50, 198, 92, 120},
    {302, 12, 10, 165, 914, 101},  // the hidden flower
};

}  // namespace

void CScenery::Create(CTileBackground* scene) {
  scene_ = scene;
  for (int i = 0; i < kPieces; ++i) {
    const Piece& piece = ::kPieces[i];
    images[i] = new CImage(piece.id, piece.width, piece.height);
    sprites[i] = new CSprite(images[i], piece.x, piece.y, 0, 1, 0, kKeyFromPicture);
    scene_->Add(sprites[i], piece.layer);
  }
  flowerShot = 0;
}

void CScenery::ShootFlower() { scene_->Remove(sprites[kFlower]); }

void CScenery::Hide() {
  for (CSprite* sprite : sprites) scene_->Remove(sprite);
}

void CScenery::Show() {
  for (int i = 0; i < kPieces; ++i) {
    if (i == kFlower && flowerShot) continue;
    scene_->Add(sprites[i], ::kPieces[i].layer);
  }
}

void CScenery::Destroy() {
  for (int i = 0; i < kPieces; ++i) {
    if (sprites[i] != nullptr) scene_->Remove(sprites[i]);
    delete sprites[i];
    sprites[i] = nullptr;
    delete images[i];
    images[i] = nullptr;
  }
}
