#include "graphics/tile_background.h"

#include "assets/resource_ids.h"
#include "graphics/image.h"
#include "graphics/sprite.h"

CTileBackground* g_scene = nullptr;

int WorldTileId(int, int row) { return kPictureTileRight - row; }

CTileBackground::CTileBackground(ce::HWND window, int columnCount, int rowCount, int width,
                                 int height)
    : CSpriteScene(window),
      tileWidth(width),
      tileHeight(height),
      columns(static_cast<std::int16_t>(columnCount)),
      rows(static_cast<std::int16_t>(rowCount)) {}

CTileBackground::~CTileBackground() { DestroyTiles(); }

void CTileBackground::CreateTiles(int (*tileId)(int column, int row)) {
  DestroyTiles();
  tileIds = tileId;
}

CSprite* CTileBackground::Tile(int c, int r) {
  if (tileIds == nullptr || c < 0 || c >= columns || c >= kMaxTiles || r < 0 || r >= rows ||
      r >= kMaxTiles)
    return nullptr;
  if (tileSprites[c][r] == nullptr) {
    tileImages[c][r] = new CImage(tileIds(c, r), tileWidth, tileHeight);
    tileSprites[c][r] = new CSprite(tileImages[c][r], 0, 0, 0, 0, 0, -1);
  }
  return tileSprites[c][r];
}

void CTileBackground::DestroyTiles() {
  tileIds = nullptr;
  for (int c = 0; c < kMaxTiles; ++c) {
    for (int r = 0; r < kMaxTiles; ++r) {
      delete tileSprites[c][r];
      tileSprites[c][r] = nullptr;
      delete tileImages[c][r];
      tileImages[c][r] = nullptr;
    }
  }
}

void CTileBackground::DrawTiles() {
  if (tileWidth > 0 && tileHeight > 0) {
    int qx = scrollX / tileWidth;
    int qy = scrollY / tileHeight;
    for (int r = qy; r <= qy + 1; ++r) {
      // Only tiles of the grid are drawn, whatever the scroll position.
      CSprite* tile = Tile(qx, r);
      if (tile == nullptr) continue;
      tile->x = static_cast<std::int16_t>(tileWidth * qx - scrollX);
      tile->y = static_cast<std::int16_t>(tileHeight * r - scrollY);
      screen.DrawSpriteAbsolute(tile);
    }
  }
  Redraw();
}

void CTileBackground::SetScroll(int x, int y) {
  scrollX = x;
  scrollY = y;
  screen.originX = x;
  screen.originY = y;
}

void CTileBackground::ScrollBy(int dx, int dy) {
  scrollX += dx;
  scrollY += dy;
  screen.originX += dx;
  screen.originY += dy;
}
