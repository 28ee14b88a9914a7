// Paths and the game's generator on their documented sequences.
#include "game/paths.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/random.h"

namespace {

TEST(RandomTest, CongruenceAndRange) {
  CRandom r(1);
  EXPECT_EQ(r.Raw(), 2187);
  EXPECT_EQ(r.Raw(), 2187 * 2187 % 16807);
  // Over the whole cycle Next(30) gives every value from 0 to 29, and 7
  // about once in thirty draws.
  CRandom full(1);
  int sevens = 0, draws = 0, low = 30, high = -1;
  for (; draws < 16806; ++draws) {
    int v = full.Next(30);
    low = std::min(low, v);
    high = std::max(high, v);
    if (v == 7) ++sevens;
  }
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 29);
  EXPECT_NEAR(sevens, draws / 30, draws / 300);
}

TEST(RandomTest, ZeroStateStaysZero) {
  for (int seed : {0, 16807}) {
    CRandom r(seed);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(r.Next(1000), 0);
  }
}

TEST(RandomTest, SeededGeneratorsStayInRange) {
  // Whatever the runtime's rand hands out, the draws stay within 0..n-1.
  for (int i = 0; i < 50; ++i) {
    CRandom r;
    for (int j = 0; j < 200; ++j) {
      int v = r.Next(240);
      ASSERT_GE(v, 0);
      ASSERT_LT(v, 240);
    }
  }
}

std::vector<PathPoint> Walk(CPath* path, int calls) {
  std::vector<PathPoint> points;
  for (int i = 0; i < calls; ++i) points.push_back(path->Step());
  return points;
}

TEST(LinePathTest, BresenhamSteps) {
  // One step along the major axis a call, the minor one on the carries.
  CLinePath path(0, 0, 10, 3, 1);
  std::vector<PathPoint> p = Walk(&path, 5);
  EXPECT_EQ(p[4].x, 5);
  EXPECT_EQ(p[4].y, 2);
  // Going the other way along y, x on the carries.
  CLinePath back(0, 0, -3, -10, 2);
  PathPoint q = back.Step();
  EXPECT_EQ(q.y, -2);
  EXPECT_EQ(q.x, -1);
}

TEST(LinePathTest, FinishesNearItsEnd) {
  CLinePath path(100, -160, 100, 1360, 15);
  int calls = 0;
  while (!path.IsFinished()) {
    path.Step();
    ++calls;
    ASSERT_LT(calls, 200);
  }
  EXPECT_EQ(calls, 101);
  EXPECT_EQ(path.y(), 1355);
  EXPECT_EQ(path.IsFinished(), 1);
}

TEST(LinePathTest, FastPathThatStepsOverItsEndFinishes) {
  // 15 a call from y 0 to 1000: y goes 990, then 1005, never within 5.
  CLinePath path(20, 0, 20, 1000, 15);
  for (int i = 0; i < 66; ++i) {
    EXPECT_EQ(path.IsFinished(), 0);
    path.Step();
  }
  EXPECT_EQ(path.y(), 990);
  EXPECT_EQ(path.IsFinished(), 0);
  path.Step();
  EXPECT_EQ(path.IsFinished(), 1);
  // The same towards smaller x along a major x axis.
  CLinePath left(300, 10, -22, 12, 15);
  int calls = 0;
  while (!left.IsFinished() && calls < 100) {
    left.Step();
    ++calls;
  }
  EXPECT_EQ(calls, 22);
  EXPECT_LE(left.x(), -22);
}

TEST(LinePathTest, PathThatCannotMoveFinishes) {
  CLinePath still(0, 960, 50, -160, 0);
  PathPoint p = still.Step();
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 960);
  EXPECT_EQ(still.IsFinished(), 1);
  CLinePath negative(0, 0, 100, 100, -3);
  EXPECT_EQ(negative.IsFinished(), 1);
  // A path that starts on its end is over at once.
  CLinePath point(7, 7, 7, 7, 1);
  EXPECT_EQ(point.IsFinished(), 1);
}

TEST(PopUpPathTest, OutHoldBack) {
  CPopUpPath path(240, 400, 132, 400, -10, 0, 10);
  int steps = 0;
  PathPoint p{};
  // The mover asks IsFinished once a frame and steps when it is not.
  while (path.IsFinished() == 0) {
    p = path.Step();
    ++steps;
    if (p.x == 130) break;
  }
  EXPECT_EQ(steps, 11);
  EXPECT_EQ(p.x, 130);
  // The hold starts at the next call and lasts 11 more calls.
  EXPECT_EQ(path.IsFinished(), 0);
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(path.Step().x, 130) << i;
    EXPECT_EQ(path.IsFinished(), 0);
  }
  // Now back out: it finishes within 5 of 240.
  int back = 0;
  while (path.IsFinished() == 0) {
    p = path.Step();
    ++back;
    ASSERT_LT(back, 50);
  }
  EXPECT_GE(p.x, 235);
  EXPECT_EQ(back, 11);
}

TEST(ZigzagPathTest, SwingsAroundItsStartColumn) {
  CZigzagPath path(120, -150, 0, 1120, 3);
  int minX = 1000, maxX = -1000, prevY = -1000;
  int sideChanges = 0, lastSide = 0;
  for (int i = 0; i < 2000 && !path.IsFinished(); ++i) {
    PathPoint p = path.Step();
    EXPECT_GE(p.y, prevY);  // always along +y
    prevY = p.y;
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    int side = p.x < 120 ? -1 : (p.x > 120 ? 1 : 0);
    if (side != 0 && lastSide != 0 && side != lastSide) ++sideChanges;
    if (side != 0) lastSide = side;
    if (i == 0) {
      EXPECT_LE(p.x, 120);  // the first leg goes towards smaller x
    }
  }
  EXPECT_EQ(path.IsFinished(), 1);
  EXPECT_GE(prevY, 1110);
  EXPECT_GE(minX, 120 - 49 - 49);
  EXPECT_LE(maxX, 120 + 49 + 49);
  EXPECT_GE(sideChanges, 2);
}

TEST(ZigzagPathTest, NeverFinishesInsideTheWorld) {
  // The exit line lies inside the world: passing it near the start column
  // does not end the path.
  CZigzagPath path(120, 100, 0, 500, 2);
  for (int i = 0; i < 400; ++i) {
    PathPoint p = path.Step();
    if (p.x >= 1 && p.x <= 239 && p.y >= 1 && p.y <= 959) {
      EXPECT_EQ(path.IsFinished(), 0);
    }
  }
}

}  // namespace
