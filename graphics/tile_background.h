// The one scene of the program: the sprite scene over a grid of full-screen
// picture tiles that scrolls (one column of three 240 x 320 tiles, so the
// world is 240 x 960).
#pragma once

#include <cstdint>

#include "graphics/sprite_scene.h"

class CImage;
class CSprite;

class CTileBackground : public CSpriteScene {
 public:
  static constexpr int kMaxTiles = 40;

  CTileBackground(ce::HWND window, int columns, int rows, int tileWidth, int tileHeight);
  ~CTileBackground() override;

  int GetScrollX() override { return scrollX; }
  int GetScrollY() override { return scrollY; }

  // Names the tile pictures; tileId(column, row) gives each one's PCT id.
  // Each is loaded when it is first drawn (or asked for with Tile), so
  // that a start that shows no lake does not wait for its pictures.
  void CreateTiles(int (*tileId)(int column, int row));
  void DestroyTiles();
  // The sprite of tile (column, row), its picture loaded now if it was not
  // yet; null outside the grid or before CreateTiles.
  CSprite* Tile(int column, int row);
  // Draws the tiles under the scroll position, then Redraw.
  void DrawTiles();
  void SetScroll(int x, int y);
  void ScrollBy(int dx, int dy);

  std::int32_t tileWidth;
  std::int32_t tileHeight;
  CSprite* tileSprites[kMaxTiles][kMaxTiles] = {};  // [column][row], owned
  CImage* tileImages[kMaxTiles][kMaxTiles] = {};    // [column][row], owned
  std::int16_t columns;
  std::int16_t rows;
  std::int32_t scrollX = 0;
  std::int32_t scrollY = 0;
  int (*tileIds)(int column, int row) = nullptr;
};

// The scene every screen and the game draw into.
extern CTileBackground* g_scene;

// PCT id of tile (column, row) of the game's world: kPictureTileRight at the
// top, down to kPictureTileLeft at the bottom.
int WorldTileId(int column, int row);
