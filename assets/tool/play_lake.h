// The lakeside panorama behind play: 960 x 240 pixels as the player sees it
// (player x = 959 - world y, player y = world x). The three background tiles
// are its thirds; the scenery pieces are cut from its foreground, so that
// each piece fits the background behind it exactly.
#pragma once

#include "assets/tool/canvas.h"

namespace tool {

constexpr int kWorldLength = 960;  // player width of the panorama
constexpr int kWorldDepth = 240;   // player height

struct Panorama {
  Canvas backdrop{kWorldLength, kWorldDepth};  // sky, hills, banks, water
  Canvas front{kWorldLength, kWorldDepth};     // hut, tree, bush, reeds: scenery
  Canvas full{kWorldLength, kWorldDepth};      // the backdrop with the front on it
};

const Panorama& ThePanorama();

// Draws the backdrop; DrawReflections then mirrors the objects on the bank
// in the water.
void DrawBackdrop(const Canvas& c);
void DrawReflections(const Canvas& c, const Canvas& bankObjects);

// The foreground objects standing on the far bank, and those in the water.
void DrawBankObjects(const Canvas& c);
void DrawWaterObjects(const Canvas& c);

// Player y of the waterline at player x.
double ShoreAt(double px);

// Small deterministic random numbers for scattering details.
class Dice {
 public:
  explicit Dice(unsigned seed) : state_(seed * 2654435761u + 1) {}
  double Next() {  // 0 <= value < 1
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / 16777216.0;
  }
  double In(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  unsigned state_;
};

}  // namespace tool
