#include "graphics/rotation.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "graphics/surface.h"

namespace {

// Centre of the source square.
constexpr int kCentre = 89;
// Degrees to radians, negated so that a growing angle turns the picture the
// other way from the usual mathematical sense.
// (Copied from its bits; not every standard library has std::bit_cast.)
double FromBits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
const double kDegreesToRadians = FromBits(0xBF91DF46A2506B91ull);

// Step codes of the tables: no change, one down, one up.
enum : std::uint8_t { kStay = 0, kLess = 1, kMore = 2 };

int Half(int n) { return n / 2; }

int Step(std::uint8_t code) { return code == kLess ? -1 : code == kMore ? 1 : 0; }

std::uint8_t Compare(int now, int before) {
  if (now == before) return kStay;
  return now > before ? kLess : kMore;
}

}  // namespace

std::int32_t RotationRound(double d) {
  std::int32_t r = static_cast<std::int32_t>(d);
  return d - r >= 0.5 ? r + 1 : r;
}

void RotatePicture(const CSurface* source, CSurface* destination, const ce::RECT& rect,
                   double angle) {
  if (source == nullptr || destination == nullptr || source->pixels == nullptr ||
      destination->pixels == nullptr)
    return;
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height < 0) return;
  // The tables hold 200 columns: in a wider rectangle the columns beyond
  // them (at its left end) keep their value.
  int columns = width < kRotationMaxWidth ? width : kRotationMaxWidth;

  double a = angle * kDegreesToRadians;
  double s = std::sin(a);
  double c = std::cos(a);

  // How the source position moves from one destination column to the next,
  // taken once from the middle row.
  std::uint8_t rowStep[kRotationMaxWidth] = {};
  std::uint8_t colStep[kRotationMaxWidth] = {};
  int v0 = 2 * (Half(height) - kCentre) + 1;
  int lastX = 0, lastY = 0;
  for (int k = 0; k < columns; ++k) {
    int p = width - 1 - k;
    int u = 2 * (p - kCentre) + 1;
    int x = kCentre + Half(RotationRound(u * c - v0 * s) - 1);
    int y = kCentre + Half(RotationRound(u * s + v0 * c) - 1);
    if (k > 0) {
      rowStep[k] = Compare(y, lastY);
      colStep[k] = Compare(x, lastX);
    }
    lastX = x;
    lastY = y;
  }

  // Only source pixels inside both the square and the source surface exist.
  int sourceWidth = static_cast<int>(source->width) < kRotationSourceSize
                        ? static_cast<int>(source->width)
                        : kRotationSourceSize;
  int sourceHeight = static_cast<int>(source->height) < kRotationSourceSize
                         ? static_cast<int>(source->height)
                         : kRotationSourceSize;
  // The same steps as pixel offsets, and the columns that lie on the
  // destination surface.
  int stepX[kRotationMaxWidth], stepY[kRotationMaxWidth];
  for (int k = 0; k < columns; ++k) {
    stepX[k] = Step(rowStep[k]);
    stepY[k] = Step(colStep[k]);
  }
  int firstColumn = rect.left + width - static_cast<int>(destination->width);
  if (firstColumn < 0) firstColumn = 0;
  int lastColumn = rect.left + width - 1;
  if (lastColumn > columns - 1) lastColumn = columns - 1;

  const int rightEnd = rect.left + width - 1;
  const int u0 = 1 - 2 * kCentre;
  const auto* sourceBytes = reinterpret_cast<const std::uint8_t*>(source->pixels);
  for (int j = height; j >= 0; --j) {
    int destY = rect.top + j;
    if (destY < 0 || destY >= static_cast<int>(destination->height)) continue;
    int v = 2 * (j - kCentre) + 1;
    int sx = kCentre + Half(RotationRound(v * c + u0 * s) - 1);
    int sy = kCentre + Half(RotationRound(u0 * c - v * s) - 1);
    Pixel* out = destination->Row(destY);
    for (int i = 0; i <= lastColumn; ++i) {
      sx += stepX[i];
      sy += stepY[i];
      if (i < firstColumn) continue;
      if (static_cast<unsigned>(sx) >= static_cast<unsigned>(sourceWidth) ||
          static_cast<unsigned>(sy) >= static_cast<unsigned>(sourceHeight))
        continue;
      out[rightEnd - i] = *reinterpret_cast<const Pixel*>(
          sourceBytes + static_cast<std::size_t>(sy) * source->stride +
          2 * static_cast<std::size_t>(sx));
    }
  }
}
