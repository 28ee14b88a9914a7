// The program's icon, drawn from a duck of the game: turned upright, the
// middle 64 x 64 of its picture, on a transparent background.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drivers {

constexpr int kIconSide = 64;

// RGBA pixels of the icon at `size` x `size`: each source pixel repeated
// when size is a multiple of 64, otherwise the area each output pixel
// covers averaged. Empty when the duck's picture is missing.
std::vector<std::uint8_t> IconPixels(int size);

// The icon as SVG: one rectangle per run of same-coloured pixels in a row.
std::string IconSvg();

// Writes the icon as a PNG of `size` pixels, or as SVG when the file's
// name ends in ".svg". Returns 0, or 1 with a message on stderr.
int WriteIcon(const std::string& file, int size);

}  // namespace drivers
