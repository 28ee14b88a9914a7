#include "game/scenery.h"

#include "assets/resource_ids.h"
#include "graphics/image.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"

namespace {

struct Piece {
  int id, width, height, x, y;
  std::uint8_t layer;
};

constexpr Piece kPieces[CScenery::kPieces] = {
    {kPictureSceneryBushTop, 56, 36, 141, 530, 90},
    {kPictureSceneryBushLowRight, 38, 28, 164, 566, 90},
    {kPictureSceneryBushHighRight, 38, 28, 126, 566, 90},
    {kPictureSceneryBushHighLeft, 36, 38, 124, 594, 90},
    {kPictureSceneryBushLowLeft, 42, 44, 160, 594, 90},
    {kPictureSceneryBushFarLeft, 40, 34, 139, 638, 90},
    {kPictureSceneryBushReeds, 32, 16, 202, 590, 90},
    {kPictureSceneryTreeCrownTopRight, 34, 30, 57, 9, 90},
    {kPictureSceneryTreeCrownLowRight, 28, 30, 91, 9, 90},
    {kPictureSceneryTreeCrownTopMiddle, 38, 24, 56, 39, 90},
    {kPictureSceneryTreeCrownLowMiddle, 38, 24, 94, 39, 90},
    {kPictureSceneryTreeCrownTopLeft, 34, 32, 66, 63, 90},
    {kPictureSceneryTreeCrownLowLeft, 28, 32, 100, 63, 90},
    {kPictureSceneryTreeTrunk, 44, 12, 132, 48, 90},
    {kPictureSceneryHutPorch, 50, 34, 128, 830, 90},
    {kPictureSceneryHutLamp, 20, 16, 108, 848, 90},
    {kPictureSceneryHutFront, 70, 52, 108, 864, 90},
    {kPictureSceneryHutSide, 70, 44, 108, 916, 90},
    {kPictureSceneryHutChimney, 18, 38, 90, 922, 90},
    {kPictureSceneryReedsA, 40, 32, 200, 237, 90},
    {kPictureSceneryReedsB, 24, 10, 213, 336, 90},
    {kPictureSceneryReedsC, 32, 20, 201, 359, 90},
    {kPictureSceneryStone, 14, 14, 216, 400, 90},
    {kPictureSceneryReedsFront, 42, 50, 198, 92, 120},
    {kPictureSceneryHiddenFlower, 12, 10, 165, 914, 101},
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
