#include <gtest/gtest.h>

#include "graphics/pixel_rules.h"
#include "graphics/screen.h"
#include "graphics/sprite.h"
#include "graphics/surface.h"
#include "tests/support/headless_window.h"
#include "tests/support/test_pictures.h"

namespace {

using testsupport::At;
using testsupport::Put;

constexpr std::uint16_t kGrey = 0x8410;
constexpr std::uint16_t kKey = 0xF81F;
constexpr std::uint16_t kRed = 0xF800;

class ScreenDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ce::HWND window = testsupport::OpenHeadlessWindow();
    ASSERT_NE(window, nullptr);
    screen_ = new CScreen(window);
    Fill(g_backBuffer, kGrey);
    // A 40 x 20 picture whose pixel (x, y) is x + 64 * y + 1, never grey.
    picture_ = testsupport::MakePicture(40, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) Put(picture_->surface, x, y, Source(x, y));
  }
  void TearDown() override {
    testsupport::DeletePicture(picture_);
    delete screen_;
    ce::StopPlatform();
  }
  static std::uint16_t Source(int x, int y) { return static_cast<std::uint16_t>(x + 64 * y + 1); }
  // Draws the picture opaque at (x, y) and returns the one dirty rectangle
  // added, or an empty one.
  ce::RECT DrawAt(int x, int y) {
    screen_->dirtyCount = 0;
    screen_->DrawPicture(picture_, x, y, 0, 0, 0);
    if (screen_->dirtyCount == 0) return {0, 0, 0, 0};
    EXPECT_EQ(screen_->dirtyCount, 1);
    return screen_->dirtyRects[0];
  }
  int CountNotGrey() const {
    int n = 0;
    for (int y = 0; y < 320; ++y)
      for (int x = 0; x < 240; ++x) n += At(g_backBuffer, x, y) != kGrey;
    return n;
  }
  CScreen* screen_ = nullptr;
  CPicture* picture_ = nullptr;
};

TEST_F(ScreenDrawingTest, ClippingAtEveryEdge) {
  ce::RECT r = DrawAt(-10, 50);  // left: source columns 10..39 at 0..29
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right, 30);
  EXPECT_EQ(r.bottom, 70);
  EXPECT_EQ(At(g_backBuffer, 0, 50), Source(10, 0));
  EXPECT_EQ(At(g_backBuffer, 29, 69), Source(39, 19));
  EXPECT_EQ(At(g_backBuffer, 30, 50), kGrey);

  r = DrawAt(230, 100);  // right
  EXPECT_EQ(r.left, 230);
  EXPECT_EQ(r.right, 240);
  EXPECT_EQ(At(g_backBuffer, 239, 100), Source(9, 0));

  r = DrawAt(100, -15);  // top
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.bottom, 5);
  EXPECT_EQ(At(g_backBuffer, 100, 0), Source(0, 15));

  r = DrawAt(100, 310);  // bottom
  EXPECT_EQ(r.top, 310);
  EXPECT_EQ(r.bottom, 320);
  EXPECT_EQ(At(g_backBuffer, 139, 319), Source(39, 9));

  r = DrawAt(-30, -15);  // a corner
  EXPECT_EQ(r.right, 10);
  EXPECT_EQ(r.bottom, 5);
  EXPECT_EQ(At(g_backBuffer, 0, 0), Source(30, 15));
  EXPECT_EQ(CountNotGrey(), 30 * 20 + 10 * 20 + 40 * 5 + 40 * 10 + 10 * 5);

  // Wholly outside: nothing drawn, nothing dirty.
  for (auto [x, y] : {std::pair{240, 0}, {-40, 0}, {0, 320}, {0, -20}, {500, -900}}) {
    r = DrawAt(x, y);
    EXPECT_EQ(screen_->dirtyCount, 0) << x << "," << y;
  }
  EXPECT_EQ(CountNotGrey(), 30 * 20 + 10 * 20 + 40 * 5 + 40 * 10 + 10 * 5);
}

TEST_F(ScreenDrawingTest, SpritesSkipOffScreenAndRespectTheOrigin) {
  CSprite sprite;
  sprite.SetPicture(picture_, 240, 10, 0, 0, 0, 0);
  screen_->DrawSprite(&sprite);
  sprite.x = -40;  // x + width = 0
  screen_->DrawSprite(&sprite);
  sprite.x = 0;
  sprite.y = 320;
  screen_->DrawSprite(&sprite);
  EXPECT_EQ(screen_->dirtyCount, 0);
  EXPECT_EQ(CountNotGrey(), 0);

  // The origin is subtracted by DrawSprite and ignored by DrawSpriteAlpha.
  screen_->originX = 100;
  screen_->originY = 200;
  sprite.x = 110;
  sprite.y = 220;
  screen_->DrawSprite(&sprite);
  EXPECT_EQ(At(g_backBuffer, 10, 20), Source(0, 0));
  sprite.x = 150;
  sprite.y = 250;
  screen_->DrawSpriteAlpha(&sprite, 1.0f, 1);
  EXPECT_EQ(At(g_backBuffer, 150, 250), Source(0, 0));
  EXPECT_EQ(At(g_backBuffer, 50, 50), kGrey);
  screen_->DrawSpriteAbsolute(&sprite);
  EXPECT_EQ(At(g_backBuffer, 189, 269), Source(39, 19));
}

TEST_F(ScreenDrawingTest, KeyColourFromTheTopLeftPixel) {
  Put(picture_->surface, 0, 0, kKey);
  CSprite sprite;
  sprite.SetPicture(picture_, 0, 0, 0, 1, 0, -1);
  EXPECT_EQ(sprite.keyColor, kKey);
  sprite.SetPicture(picture_, 0, 0, 0, 1, 0, kRed);
  EXPECT_EQ(sprite.keyColor, kRed);
  EXPECT_EQ(sprite.SetPicture(nullptr, 0, 0, 0, 1, 0, -1), 0);
  EXPECT_EQ(sprite.picture, nullptr);
  screen_->DrawSprite(&sprite);  // a cleared sprite draws nothing
  EXPECT_EQ(CountNotGrey(), 0);
}

TEST_F(ScreenDrawingTest, SaveUnderAndRestoreGiveTheBackgroundBack) {
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 240; ++x) Put(g_backBuffer, x, y, static_cast<std::uint16_t>(x * 7 + y));
  CSprite sprite;
  sprite.SetPicture(picture_, -5, 310, 1, 0, 0, 0);
  ASSERT_NE(sprite.saveUnder, nullptr);
  screen_->DrawSprite(&sprite);
  EXPECT_EQ(At(g_backBuffer, 0, 310), Source(5, 0));
  // The screen part went to the same place in the save-under.
  EXPECT_EQ(At(sprite.saveUnder->surface, 5, 0), 310);
  EXPECT_EQ(At(sprite.saveUnder->surface, 6, 9), 7 + 319);
  screen_->dirtyCount = 0;
  screen_->RestoreSprite(&sprite);
  EXPECT_EQ(screen_->dirtyCount, 1);
  for (int y = 300; y < 320; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(At(g_backBuffer, x, y), x * 7 + y) << x << "," << y;

  // RestoreSpriteAt uses the old place of a sprite that has moved on.
  screen_->DrawSprite(&sprite);
  sprite.x = 100;
  screen_->RestoreSpriteAt(&sprite, ce::POINT{-5, 310});
  EXPECT_EQ(At(g_backBuffer, 0, 310), 310);
}

TEST_F(ScreenDrawingTest, ComposeAndWholePictureBlits) {
  CPicture* target = testsupport::MakePicture(10, 10, kGrey);
  CPicture* stamp = testsupport::MakeColumn({kKey, kRed, kKey});
  // Keyed composing is plain keyed: no softened edges.
  screen_->ComposePicture(stamp, target, 9, 8, 1, kKey, 0);
  EXPECT_EQ(At(target->surface, 9, 8), kGrey);
  EXPECT_EQ(At(target->surface, 9, 9), kRed);
  screen_->ComposePicture(stamp, target, 10, 0, 0, 0, 0);  // past the right edge
  screen_->ComposePicture(stamp, target, 0, -3, 0, 0, 0);  // wholly above
  EXPECT_EQ(At(target->surface, 0, 0), kGrey);
  EXPECT_EQ(screen_->dirtyCount, 0);

  // The keyed whole-picture blit softens, with the key read at (1, 1).
  CPicture* sign = testsupport::MakePicture(3, 3, kKey);
  Put(sign->surface, 0, 2, kRed);
  screen_->BlitPictureKeyed(sign, 10, 10, 1, 1);
  EXPECT_EQ(At(g_backBuffer, 10, 12), Blend50(kGrey, kRed));
  EXPECT_EQ(At(g_backBuffer, 11, 12), kGrey);
  screen_->BlitPicture(sign, 0, 0);
  EXPECT_EQ(At(g_backBuffer, 2, 2), kKey);
  EXPECT_EQ(screen_->dirtyCount, 0);
  for (CPicture* p : {target, stamp, sign}) testsupport::DeletePicture(p);
}

}  // namespace
