#include <gtest/gtest.h>

#include <vector>

#include "graphics/image.h"
#include "graphics/sprite.h"
#include "graphics/surface.h"
#include "graphics/tile_background.h"
#include "platform/testing.h"
#include "tests/support/headless_window.h"
#include "tests/support/test_pictures.h"

namespace {

using testsupport::At;

constexpr std::uint16_t kGround = 0x0000;
constexpr std::uint16_t kMover = 0xF800;
constexpr std::uint16_t kStatic = 0x07E0;

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ce::HWND window = testsupport::OpenHeadlessWindow();
    ASSERT_NE(window, nullptr);
    scene_ = new CTileBackground(window, 1, 3, 240, 320);
    moverPicture_ = testsupport::MakePicture(20, 20, kMover);
    staticPicture_ = testsupport::MakePicture(30, 30, kStatic);
    ce::testing::RecordBitBlts(&blits_);
  }
  void TearDown() override {
    ce::testing::RecordBitBlts(nullptr);
    delete scene_;
    testsupport::DeletePicture(moverPicture_);
    testsupport::DeletePicture(staticPicture_);
    ce::StopPlatform();
  }
  bool Blitted(int x, int y, int w, int h) const {
    for (const auto& b : blits_) {
      if (b.x == x && b.y == y && b.width == w && b.height == h) return true;
    }
    return false;
  }
  CTileBackground* scene_ = nullptr;
  CPicture* moverPicture_ = nullptr;
  CPicture* staticPicture_ = nullptr;
  std::vector<ce::testing::BitBltRecord> blits_;
};

TEST_F(SceneTest, FrameCycleDrawsPresentsAndErasesMovingSprites) {
  CSprite mover;
  mover.SetPicture(moverPicture_, 50, 60, 1, 0, 0, 0);
  scene_->Add(&mover, 100);
  EXPECT_EQ(mover.dirty, 0);  // only static sprites are marked on Add

  scene_->Invalidate(&mover);
  EXPECT_EQ(scene_->minDirtyLayer, 1);
  scene_->Update();
  // Shown in the window, gone again from the back buffer, and the erase
  // rectangle waits in the dirty list for the next frame.
  EXPECT_TRUE(Blitted(50, 60, 20, 20));
  EXPECT_EQ(ce::testing::WindowPixel(55, 65), kMover);
  EXPECT_EQ(At(g_backBuffer, 55, 65), kGround);
  ASSERT_EQ(scene_->screen.dirtyCount, 1);
  EXPECT_EQ(scene_->screen.dirtyRects[0].left, 50);
  EXPECT_EQ(scene_->minDirtyLayer, 255);

  // Moved: the next frame presents the old place (now ground) and the new.
  blits_.clear();
  mover.x = 150;
  scene_->Invalidate(&mover);
  scene_->Update();
  EXPECT_TRUE(Blitted(50, 60, 20, 20));
  EXPECT_TRUE(Blitted(150, 60, 20, 20));
  EXPECT_EQ(ce::testing::WindowPixel(55, 65), kGround);
  EXPECT_EQ(ce::testing::WindowPixel(155, 65), kMover);

  // Nothing invalidated: the sprite is not drawn, only the erase goes out.
  blits_.clear();
  scene_->Update();
  ASSERT_EQ(blits_.size(), 1u);
  EXPECT_TRUE(Blitted(150, 60, 20, 20));
  EXPECT_EQ(ce::testing::WindowPixel(155, 65), kGround);
  blits_.clear();
  scene_->Update();
  EXPECT_TRUE(blits_.empty());

  // Layer 255 is drawn by every Update.
  scene_->Remove(&mover);
  scene_->Add(&mover, 255);
  scene_->Update();
  scene_->Update();
  EXPECT_EQ(ce::testing::WindowPixel(155, 65), kMover);
  scene_->Remove(&mover);
}

TEST_F(SceneTest, StaticSpritesAreDrawnOnceAndRedrawnOverAMoverBelow) {
  CSprite still;
  still.SetPicture(staticPicture_, 100, 100, 0, 0, 0, 0);
  CSprite mover;
  mover.SetPicture(moverPicture_, 10, 105, 1, 0, 0, 0);
  scene_->Add(&still, 200);
  scene_->Add(&mover, 100);
  EXPECT_EQ(still.dirty, 1);
  scene_->Update();
  EXPECT_EQ(still.dirty, 0);
  EXPECT_EQ(At(g_backBuffer, 110, 110), kStatic);  // stays in the back buffer

  // The mover passes under the static sprite of a higher layer: that one is
  // made dirty and drawn again on top in the same Update.
  mover.x = 95;
  scene_->Invalidate(&mover);
  EXPECT_EQ(still.dirty, 1);
  blits_.clear();
  scene_->Update();
  EXPECT_EQ(ce::testing::WindowPixel(105, 110), kStatic);
  EXPECT_EQ(ce::testing::WindowPixel(97, 110), kMover);
  EXPECT_EQ(still.dirty, 0);
  // The erase brings back what was under the mover: the static sprite's
  // pixels where it overlapped, as they were before.
  EXPECT_EQ(At(g_backBuffer, 105, 110), kStatic);
  EXPECT_EQ(At(g_backBuffer, 97, 110), kGround);

  // Redraw leaves static flags alone; the next Update draws and clears them.
  still.dirty = 1;
  scene_->Redraw();
  EXPECT_EQ(still.dirty, 1);
  scene_->Update();
  EXPECT_EQ(still.dirty, 0);
  scene_->Remove(&still);
  scene_->Remove(&mover);
}

TEST_F(SceneTest, DrawSpriteAndPresentDropsPendingRectangles) {
  CSprite mover;
  mover.SetPicture(moverPicture_, 0, 0, 1, 0, 0, 0);
  scene_->Add(&mover, 100);
  scene_->Redraw();  // leaves the erase rectangle pending
  ASSERT_EQ(scene_->screen.dirtyCount, 1);
  CSprite other;
  other.SetPicture(staticPicture_, 200, 200, 0, 0, 0, 0);
  blits_.clear();
  scene_->DrawSpriteAndPresent(&other);
  ASSERT_EQ(blits_.size(), 1u);
  EXPECT_TRUE(Blitted(200, 200, 30, 30));
  scene_->Remove(&mover);
}

TEST_F(SceneTest, RedrawShiftedPresentsTheWholeBufferDisplaced) {
  CSprite mover;
  mover.SetPicture(moverPicture_, 0, 0, 1, 0, 0, 0);
  scene_->Add(&mover, 100);
  scene_->RedrawShifted(4, -3);
  ASSERT_EQ(blits_.size(), 1u);
  EXPECT_TRUE(Blitted(4, 0, 236, 317));
  EXPECT_EQ(ce::testing::WindowPixel(5, 0), kMover);
  EXPECT_EQ(At(g_backBuffer, 5, 5), kGround);
  scene_->Remove(&mover);
}

TEST_F(SceneTest, TilesFollowTheScrollAndStayInsideTheGrid) {
  scene_->CreateTiles(&WorldTileId);
  for (int r = 0; r < 3; ++r) {
    ASSERT_NE(scene_->Tile(0, r), nullptr);
    CSurface* s = scene_->tileImages[0][r]->picture->surface;
    Fill(s, static_cast<std::uint16_t>(0x1000 * (r + 1)));
  }
  scene_->SetScroll(0, 330);
  EXPECT_EQ(scene_->screen.originY, 330);
  scene_->DrawTiles();
  EXPECT_EQ(scene_->tileSprites[0][1]->y, -10);
  EXPECT_EQ(scene_->tileSprites[0][2]->y, 310);
  EXPECT_EQ(At(g_backBuffer, 0, 309), 0x2000);
  EXPECT_EQ(At(g_backBuffer, 0, 310), 0x3000);
  EXPECT_EQ(At(g_backBuffer, 239, 319), 0x3000);

  // Beyond the world: only tiles that exist are drawn.
  Fill(g_backBuffer, 0x0001);
  scene_->SetScroll(0, 700);
  scene_->DrawTiles();
  EXPECT_EQ(At(g_backBuffer, 0, 0), 0x3000);
  EXPECT_EQ(At(g_backBuffer, 0, 300), 0x0001);
  for (auto [x, y] : {std::pair{0, 960}, {0, -5}, {-240, 0}, {300, 100}, {0, 100000}}) {
    scene_->SetScroll(x, y);
    scene_->DrawTiles();
  }
  scene_->ScrollBy(0, 5);
  EXPECT_EQ(scene_->GetScrollY(), 100005);
  EXPECT_EQ(scene_->screen.originY, 100005);
}

}  // namespace
