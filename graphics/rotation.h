// The title's turning logo: a 180 x 180 picture drawn turned about its
// centre into a rectangle of the back buffer.
#pragma once

#include <cstdint>

#include "platform/types.h"

class CSurface;

// Source pixels exist only inside this square.
constexpr int kRotationSourceSize = 180;
// The per-call step tables and coordinate pairs; wider rectangles are cut.
constexpr int kRotationMaxWidth = 200;

// Draws source turned by angle degrees (positive angles turn clockwise on
// the screen) into rect of destination. Destination pixels whose source
// lies outside the square keep their value; nothing is marked dirty.
void RotatePicture(const CSurface* source, CSurface* destination, const ce::RECT& rect,
                   double angle);

// The effect's rounding: positive halves round up, and every negative value
// is simply truncated towards zero.
std::int32_t RotationRound(double d);
