#include "graphics/screen.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphics/dib_surface.h"
#include "graphics/presenter.h"
#include "platform/testing.h"
#include "tests/support/headless_window.h"

namespace {

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testsupport::OpenHeadlessWindow();
    ASSERT_NE(window_, nullptr);
    screen_ = new CScreen(window_);
    ce::testing::RecordBitBlts(&blits_);
  }
  void TearDown() override {
    ce::testing::RecordBitBlts(nullptr);
    delete screen_;
    ce::StopPlatform();
  }
  ce::HWND window_ = nullptr;
  CScreen* screen_ = nullptr;
  std::vector<ce::testing::BitBltRecord> blits_;
};

// Which rectangles merge only changes how much is copied; what must hold is
// that every changed area still reaches the window.
TEST_F(ScreenTest, TwentyFirstRectangleGrowsTheLastAndNothingIsLost) {
  for (int i = 0; i < 20; ++i) screen_->AddDirtyRect(i * 12, i * 16, i * 12 + 2, i * 16 + 2);
  ASSERT_EQ(screen_->dirtyCount, 20);
  screen_->AddDirtyRect(0, 310, 2, 312);
  EXPECT_EQ(screen_->dirtyCount, 20);
  const ce::RECT& last = screen_->dirtyRects[19];
  EXPECT_LE(last.left, 0);
  EXPECT_GE(last.bottom, 312);
  EXPECT_EQ(last.right, 19 * 12 + 2);
}

TEST_F(ScreenTest, PresentDirtyBlitsEachRectangleAndEmptiesTheList) {
  screen_->PresentDirty();
  EXPECT_TRUE(blits_.empty());
  screen_->AddDirtyRect(0, 0, 10, 10);
  screen_->AddDirtyRect(100, 200, 130, 220);
  screen_->PresentDirty();
  ASSERT_EQ(blits_.size(), 2u);
  EXPECT_EQ(blits_[1].x, 100);
  EXPECT_EQ(blits_[1].y, 200);
  EXPECT_EQ(blits_[1].width, 30);
  EXPECT_EQ(blits_[1].height, 20);
  EXPECT_EQ(blits_[1].srcX, 100);
  EXPECT_EQ(blits_[1].srcY, 200);
  EXPECT_TRUE(blits_[1].toWindow);
  EXPECT_EQ(screen_->dirtyCount, 0);
}

TEST_F(ScreenTest, ShiftedPresentCopiesTheDisplacedBlockAndKeepsTheUncoveredStrip) {
  Fill(g_backBuffer, 0x1234);
  screen_->PresentAll();
  Fill(g_backBuffer, 0xABCD);
  screen_->AddDirtyRect(0, 0, 5, 5);
  screen_->PresentShifted(4, -3);
  ASSERT_EQ(blits_.size(), 2u);
  const auto& b = blits_[1];
  EXPECT_EQ((std::vector<int>{b.x, b.y, b.width, b.height, b.srcX, b.srcY}),
            (std::vector<int>{4, 0, 236, 317, 0, 3}));
  EXPECT_EQ(screen_->dirtyCount, 1);                    // untouched
  EXPECT_EQ(ce::testing::WindowPixel(3, 100), 0x1234);  // the uncovered strip
  EXPECT_EQ(ce::testing::WindowPixel(4, 100), 0xABCD);
  EXPECT_EQ(ce::testing::WindowPixel(100, 319), 0x1234);

  blits_.clear();
  screen_->PresentShifted(0, 0);
  screen_->PresentAll();
  ASSERT_EQ(blits_.size(), 2u);
  EXPECT_EQ((std::vector<int>{blits_[0].x, blits_[0].y, blits_[0].width, blits_[0].height}),
            (std::vector<int>{blits_[1].x, blits_[1].y, blits_[1].width, blits_[1].height}));
}

TEST_F(ScreenTest, GreyscaleAndFill) {
  Fill(g_backBuffer, 0xFFFF);
  screen_->Greyscale();
  EXPECT_EQ(g_backBuffer->Row(319)[239], 0xBDD7);
  Fill(g_backBuffer, 0xF800);  // pure red: L = 248 >> 2 = 62
  screen_->Greyscale();
  EXPECT_EQ(g_backBuffer->Row(0)[0], RGB565(62, 62, 62));
  // The three fill paths agree: equal bytes, 32-bit words, pixel by pixel.
  for (Pixel c : {Pixel{0x4242}, Pixel{0x1234}}) {
    CSurface wide(16, 3), narrow(5, 3);
    Fill(&wide, c);
    Fill(&narrow, c);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 16; ++x) EXPECT_EQ(wide.Row(y)[x], c);
      for (int x = 0; x < 5; ++x) EXPECT_EQ(narrow.Row(y)[x], c);
    }
  }
}

}  // namespace
