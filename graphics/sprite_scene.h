// The layered sprite scene: the back buffer's screen, the sprites of the
// current screen ordered by layer, and the frame cycle that draws what
// changed, presents only the dirty rectangles and erases moving sprites again.
#pragma once

#include <cstdint>

#include "graphics/screen.h"
#include "graphics/sorted_list.h"
#include "platform/types.h"

class CSprite;

// The application's animation list (animated sprites, key 0); AddAnimated
// puts sprites on it. Set while the list exists.
extern CSortedList* g_animationList;

class CSpriteScene {
 public:
  explicit CSpriteScene(ce::HWND window);
  virtual ~CSpriteScene();
  CSpriteScene(const CSpriteScene&) = delete;
  CSpriteScene& operator=(const CSpriteScene&) = delete;

  virtual int GetScrollX() = 0;
  virtual int GetScrollY() = 0;

  void Add(CSprite* sprite, std::uint8_t layer);
  // Add, then onto the animation list with key 0.
  void AddAnimated(CSprite* sprite, std::uint8_t layer);
  // Out of the list; nothing is erased or presented.
  void Remove(CSprite* sprite);
  // Records that the sprite changed; nothing is drawn.
  void Invalidate(CSprite* sprite);
  // The incremental frame: draw what changed, present, erase moving sprites.
  void Update();
  // Draws every sprite, presents, erases.
  void Redraw();
  // Redraw with the back buffer presented displaced by (dx, dy).
  void RedrawShifted(int dx, int dy);
  void DrawSprite(CSprite* sprite);
  // Drops the pending dirty rectangles, draws the sprite and presents it.
  void DrawSpriteAndPresent(CSprite* sprite);
  // Draws every sprite; no present, no erase.
  void DrawAll();

  CScreen screen;
  CSortedList sprites;  // CSprite*, keyed by layer; not owned
  std::uint8_t minDirtyLayer = 1;
};
