// Colours and shapes shared by the pictures of play.
#pragma once

#include "assets/tool/canvas.h"

namespace tool {

// The hazy blue of the far sky, mixed into far things.
inline const Colour kSkyHaze = Hex(0xBFD8E8);

// A flying mallard filling a canvas, facing right or left; wing 1 raised to
// -1 lowered; haze 0 for a near duck, more for a far one.
void DrawFlyingDuck(const Canvas& c, double size, bool right, double wing, double haze);

}  // namespace tool
