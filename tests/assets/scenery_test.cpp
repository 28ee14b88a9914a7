// The scenery pieces stand on the background tiles exactly: drawing a piece
// with the game's keyed blit over its place on a tile changes no pixel, so
// the foreground looks the same whether or not a duck has just passed
// behind it.
#include <gtest/gtest.h>

#include "assets/resource_ids.h"
#include "assets/scenery_pieces.h"
#include "graphics/blitters.h"
#include "graphics/picture.h"
#include "graphics/surface.h"

namespace {

using Piece = assets::SceneryPiece;
constexpr const auto& kPieces = assets::kSceneryPieces;

TEST(SceneryTest, EveryPieceRedrawsOverItsTileUnchanged) {
  // The world: tile row 0 (kPictureTileRight) at the top.
  CSurface world(240, 960);
  for (int row = 0; row < 3; ++row) {
    CPicture tile;
    tile.Init();
    tile.Load(kPictureTileRight - row, 240, 320);
    CopyPicture(tile.surface, &world, {0, row * 320});
    tile.Release();
  }
  CSurface before(240, 960);
  CopyPicture(&world, &before, {0, 0});
  int opaque = 0;
  for (const Piece& p : kPieces) {
    CPicture piece;
    piece.Init();
    piece.Load(p.id, p.width, p.height);
    std::uint16_t key = piece.Pixel(0, 0);
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) opaque += piece.Pixel(x, y) != key;
    KeyedSoftRect(piece.surface, &world, {p.x, p.y}, {0, 0, p.width, p.height}, key);
    piece.Release();
  }
  EXPECT_GT(opaque, 5000);  // the pieces show something
  int changed = 0;
  for (int y = 0; y < 960; ++y)
    for (int x = 0; x < 240; ++x) changed += world.Row(y)[x] != before.Row(y)[x];
  EXPECT_EQ(changed, 0);
}

TEST(SceneryTest, TheHiddenFlowerIsNotPaintedOnItsTile) {
  CPicture flower, tile;
  flower.Init();
  tile.Init();
  flower.Load(kPictureSceneryHiddenFlower, 12, 10);
  tile.Load(kPictureTileLeft, 240, 320);
  std::uint16_t key = flower.Pixel(0, 0);
  int differs = 0, shown = 0;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      if (flower.Pixel(x, y) == key) continue;
      ++shown;
      differs += flower.Pixel(x, y) != tile.Pixel(165 + x, 914 - 640 + y);
    }
  }
  EXPECT_GT(shown, 20);
  EXPECT_GT(differs, shown / 2);  // shooting it away leaves the plain bank
  flower.Release();
  tile.Release();
}

}  // namespace
