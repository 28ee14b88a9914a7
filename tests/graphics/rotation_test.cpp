#include "graphics/rotation.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "graphics/surface.h"

namespace {

constexpr Pixel kUntouched = 0xFFFF;

// Each source pixel names its own position, so a destination pixel tells
// where it was taken from.
Pixel Code(int x, int y) { return static_cast<Pixel>(y * 180 + x); }
int CodeX(Pixel p) { return p % 180; }
int CodeY(Pixel p) { return p / 180; }

struct Rotation : ::testing::Test {
  void SetUp() override {
    for (int y = 0; y < 180; ++y)
      for (int x = 0; x < 180; ++x) source.Row(y)[x] = Code(x, y);
    Fill(&destination, kUntouched);
  }
  Pixel At(int x, int y) const { return destination.Row(y)[x]; }

  CSurface source{180, 180};
  CSurface destination{240, 320};
};

TEST_F(Rotation, NinetyDegreesShowsTheSourceUprightShiftedRight) {
  RotatePicture(&source, &destination, ce::RECT{0, 0, 180, 180}, 90.0);
  // The documented pixels of row 0.
  EXPECT_EQ(At(0, 0), kUntouched);
  EXPECT_EQ(At(1, 0), Code(0, 0));
  EXPECT_EQ(At(2, 0), Code(1, 0));
  EXPECT_EQ(At(179, 0), Code(177, 0));
  for (int y = 0; y < 180; ++y) {
    EXPECT_EQ(At(0, y), kUntouched) << "row " << y;
    for (int x = 1; x < 180; ++x) {
      Pixel p = At(x, y);
      ASSERT_NE(p, kUntouched) << x << "," << y;
      EXPECT_EQ(CodeY(p), y);
      int shift = x - CodeX(p);
      EXPECT_TRUE(shift == 1 || shift == 2) << x << "," << y << " shift " << shift;
    }
  }
  // Nothing outside the rectangle's columns is written.
  for (int y = 0; y < 320; ++y) EXPECT_EQ(At(180, y), kUntouched);
}

TEST_F(Rotation, OneHundredEightyDegreesIsAQuarterTurnAnticlockwise) {
  RotatePicture(&source, &destination, ce::RECT{30, 70, 210, 250}, 180.0);
  int checked = 0;
  for (int y = 10; y < 170; y += 7) {
    for (int x = 10; x < 170; x += 7) {
      Pixel p = At(30 + x, 70 + y);
      ASSERT_NE(p, kUntouched);
      // Turned anticlockwise (to within the rounding of the walk): the
      // source's right edge is now at the top.
      EXPECT_LE(std::abs(CodeX(p) - (179 - y)), 3) << x << "," << y;
      EXPECT_LE(std::abs(CodeY(p) - x), 3) << x << "," << y;
      ++checked;
    }
  }
  EXPECT_GT(checked, 400);
}

TEST_F(Rotation, CornersOutsideTheSourceKeepTheDestination) {
  RotatePicture(&source, &destination, ce::RECT{30, 70, 210, 250}, 135.0);
  // Turned by 45 degrees, the rectangle's corners lie outside the square.
  EXPECT_EQ(At(31, 71), kUntouched);
  EXPECT_EQ(At(208, 71), kUntouched);
  EXPECT_EQ(At(31, 248), kUntouched);
  EXPECT_EQ(At(208, 248), kUntouched);
  EXPECT_NE(At(120, 160), kUntouched);
}

TEST_F(Rotation, RectanglesWiderThanTheTablesOrOffTheSurfaceStayInBounds) {
  // 240 columns: only the 200 at the right end are drawn.
  RotatePicture(&source, &destination, ce::RECT{0, 0, 240, 180}, 90.0);
  for (int y = 0; y < 180; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(At(x, y), kUntouched);
  // Partly outside the destination surface: clipped, nothing else changes.
  Fill(&destination, kUntouched);
  RotatePicture(&source, &destination, ce::RECT{150, 250, 330, 430}, 100.0);
  RotatePicture(&source, &destination, ce::RECT{-100, -100, 80, 80}, 100.0);
  EXPECT_NE(At(239, 319), kUntouched);
  EXPECT_EQ(At(100, 200), kUntouched);
}

}  // namespace
