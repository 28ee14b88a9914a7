// Small pieces that every collection of objects of play uses: loading and
// freeing its frame sets, making a mover's sprite, taking animated sprites
// off the scene, and closing the gap a removed object leaves in its slots.
#pragma once

#include <cstdint>

class CAnimatedSprite;
class CFrameSet;
class CSprite;
class CTileBackground;

// A new frame set of PCT pictures firstId..lastId at width x height.
CFrameSet* LoadFrameSet(int firstId, int lastId, int width, int height);
// Releases the pictures and deletes the set; the pointer becomes null.
void DeleteFrameSet(CFrameSet*& frames);

// An animated sprite at (x, y) with save-under, keyed on its picture's
// top-left pixel; null when it cannot be set up.
CAnimatedSprite* NewPlaySprite(CFrameSet* frameSet, int x, int y, int blend, int framePeriod,
                               int mode);

// Takes an animated sprite off the scene and out of the animation list
// (when the list still exists).
void RemoveAnimated(CTileBackground* scene, CSprite* sprite);

// Moves the last of `count` slots into slot i, clears the last slot and
// decreases the count.
template <typename T>
void CloseGap(T** slots, int i, std::uint8_t* count) {
  slots[i] = slots[*count - 1];
  slots[*count - 1] = nullptr;
  *count -= 1;
}
