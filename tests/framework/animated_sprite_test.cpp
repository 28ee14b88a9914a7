#include "framework/animated_sprite.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/animation_list.h"
#include "framework/frame_set.h"
#include "graphics/picture.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"
#include "platform/resource_table.h"
#include "platform/testing.h"
#include "tests/support/headless_window.h"
#include "tests/support/test_pictures.h"

namespace {

class AnimationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testsupport::OpenHeadlessWindow();
    ASSERT_NE(window_, nullptr);
    for (int i = 0; i < 6; ++i) pictures_[i] = testsupport::MakePicture(4, 4, 0x100 + i);
    set_.BorrowFrames(pictures_, 6);
  }
  void TearDown() override {
    set_.ReleaseFrames();
    for (CPicture* p : pictures_) testsupport::DeletePicture(p);
    ce::StopPlatform();
  }
  // The frame numbers shown over n ticks, the first included.
  std::vector<int> Cycle(CAnimatedSprite& sprite, int n) {
    std::vector<int> shown;
    for (int i = 0; i < n; ++i) {
      shown.push_back(Shown(sprite));
      sprite.Advance();
    }
    return shown;
  }
  int Shown(const CAnimatedSprite& sprite) const {
    for (int i = 0; i < 6; ++i)
      if (sprite.picture == pictures_[i]) return i;
    return -1;
  }
  ce::HWND window_ = nullptr;
  CPicture* pictures_[6] = {};
  CFrameSet set_;
};

TEST_F(AnimationTest, LoopOnceAndPingPongCycles) {
  CAnimatedSprite loop;
  set_.count = 4;
  ASSERT_EQ(loop.InitAnimation(&set_, 0, 0, 1, 1, 0, -1, 100, kAnimateLoop), 1);
  EXPECT_EQ(Cycle(loop, 6), (std::vector<int>{0, 1, 2, 3, 0, 1}));
  loop.StepBack();  // from 2 back to 1
  EXPECT_EQ(Shown(loop), 1);
  loop.SetFrame(0);
  loop.StepBack();
  EXPECT_EQ(Shown(loop), 3);
  loop.SetFrame(9);
  EXPECT_EQ(Shown(loop), 1);

  CAnimatedSprite once;
  ASSERT_EQ(once.InitAnimation(&set_, 0, 0, 0, 0, 0, 0, 100, kAnimateOnce), 1);
  EXPECT_EQ(Cycle(once, 6), (std::vector<int>{0, 1, 2, 3, 3, 3}));

  CAnimatedSprite pingPong;
  set_.count = 3;
  ASSERT_EQ(pingPong.InitAnimation(&set_, 0, 0, 0, 0, 0, 0, 100, kAnimatePingPong), 1);
  EXPECT_EQ(pingPong.frameCount, 6);
  EXPECT_EQ(Cycle(pingPong, 12), (std::vector<int>{0, 0, 1, 2, 2, 1, 0, 0, 1, 2, 2, 1}));

  // A set switched in starts again at frame 0 (shown from the next change).
  set_.count = 2;
  loop.SetFrames(&set_);
  EXPECT_EQ(loop.frameCount, 2);
  loop.Advance();
  EXPECT_EQ(Shown(loop), 1);
}

TEST_F(AnimationTest, LongPingPongIsCutToTheSlots) {
  CPicture* many[30];
  for (int i = 0; i < 30; ++i) many[i] = pictures_[i % 6];
  CFrameSet big;
  big.BorrowFrames(many, 40);
  EXPECT_EQ(big.count, 30);
  CAnimatedSprite sprite;
  ASSERT_EQ(sprite.InitAnimation(&big, 0, 0, 0, 0, 0, 0, 1, kAnimatePingPong), 1);
  EXPECT_EQ(sprite.frameCount, 29);
  for (int i = 0; i < 100; ++i) sprite.Advance();  // stays inside the slots
  EXPECT_LT(sprite.frameIndex, 29);

  CFrameSet empty;
  CAnimatedSprite none;
  EXPECT_EQ(none.InitAnimation(&empty, 0, 0, 0, 0, 0, 0, 1, kAnimateLoop), 0);
}

TEST_F(AnimationTest, TickWaitsForThePeriodAndSurvivesTheWrap) {
  CAnimatedSprite sprite;
  ASSERT_EQ(sprite.InitAnimation(&set_, 0, 0, 0, 0, 0, 0, 100, kAnimateLoop), 1);
  ce::Sleep(99);
  EXPECT_EQ(sprite.Tick(), 0);
  ce::Sleep(1);
  EXPECT_EQ(sprite.Tick(), 1);
  EXPECT_EQ(Shown(sprite), 1);
  EXPECT_EQ(sprite.Tick(), 0);
  ce::Sleep(150);
  EXPECT_EQ(sprite.Tick(), 1);
  // The tick count wrapped: the last change seems to lie in the future. The
  // next Tick takes the present as its start and changes nothing.
  sprite.lastTick = ce::GetTickCount() + 50;
  EXPECT_EQ(sprite.Tick(), 0);
  EXPECT_EQ(sprite.lastTick, ce::GetTickCount());
  EXPECT_EQ(Shown(sprite), 2);
  ce::Sleep(100);
  EXPECT_EQ(sprite.Tick(), 1);
}

TEST_F(AnimationTest, AnimationListAdvancesAndRedrawsTheScene) {
  CTileBackground scene(window_, 1, 3, 240, 320);
  CAnimationList list;
  EXPECT_EQ(g_animationList, &list);
  list.SetTarget(&scene);
  CAnimatedSprite fast, slow;
  ASSERT_EQ(fast.InitAnimation(&set_, 0, 0, 1, 0, 0, 0, 10, kAnimateLoop), 1);
  ASSERT_EQ(slow.InitAnimation(&set_, 100, 0, 1, 0, 0, 0, 1000, kAnimateLoop), 1);
  scene.AddAnimated(&fast, 50);
  scene.AddAnimated(&slow, 60);
  EXPECT_EQ(list.count, 2);
  EXPECT_EQ(list.Update(), 0);
  std::vector<ce::testing::BitBltRecord> blits;
  ce::testing::RecordBitBlts(&blits);
  ce::Sleep(10);
  EXPECT_EQ(list.Update(), 1);
  ce::testing::RecordBitBlts(nullptr);
  EXPECT_EQ(Shown(fast), 1);
  EXPECT_EQ(Shown(slow), 0);
  EXPECT_FALSE(blits.empty());  // the scene was redrawn
  EXPECT_EQ(ce::testing::WindowPixel(1, 1), 0x101);
  list.Clear();
  scene.Remove(&fast);
  scene.Remove(&slow);
}

TEST(FrameSet, LoadsConsecutiveIdsAndBorrowedSetsFreeNothing) {
  CFrameSet set;
  set.LoadFrames(60000, 60013, 8, 6);  // no such pictures: black ones
  EXPECT_EQ(set.count, 14);
  EXPECT_EQ(set.borrowed, 0);
  ASSERT_NE(set.pictures[13], nullptr);
  EXPECT_EQ(set.pictures[13]->width, 8);
  EXPECT_EQ(set.pictures[13]->Pixel(7, 5), 0);
  CFrameSet borrowed;
  borrowed.BorrowFrames(set.pictures, set.count);
  borrowed.ReleaseFrames();
  EXPECT_NE(set.pictures[0]->surface, nullptr);
  set.ReleaseFrames();
  EXPECT_EQ(set.pictures[0], nullptr);
}

}  // namespace
