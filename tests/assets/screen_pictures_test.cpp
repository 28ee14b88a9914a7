// The screens' pictures as the program loads them: all drawn, keys that
// match the name-entry background in place, keyed pictures with their key
// where the screens look for it, and the screen font's glyphs as the real
// font code reads them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assets/manifest.h"
#include "assets/resource_ids.h"
#include "graphics/picture.h"
#include "graphics/picture_font.h"

namespace {

struct Loaded {
  CPicture picture;
  explicit Loaded(int id) {
    const assets::ManifestEntry* e = assets::FindManifestEntry("pct", id);
    picture.Init();
    if (e) picture.Load(id, e->width, e->height);
  }
  ~Loaded() { picture.Release(); }
  std::uint16_t operator()(int x, int y) const { return picture.Pixel(x, y); }
};

// Every picture of the screens, by id.
std::vector<int> ScreenPictureIds() {
  std::vector<int> ids = {kPictureLogo,
                          kPictureTurnRequest,
                          kPictureSkip,
                          kPictureSkipPressed,
                          kPictureMenuBackground,
                          kPictureConfirmPanel,
                          kPictureConfirmOkPressed,
                          kPictureConfirmCancelPressed,
                          kPictureTitle,
                          kPictureTitleSign};
  for (int id = kPictureMenuOptions; id <= kPictureSliderTrackMusic; ++id) ids.push_back(id);
  for (int id = kPictureHelpBackground; id <= kPictureAbout; ++id) {
    // The gaps in the run: no picture between these.
    if (id > kPictureCreditsLine7 && id < kPictureCreditsLine8) continue;
    if (id > kPictureScoresTick && id < kPictureAbout) continue;
    ids.push_back(id);
  }
  for (int id = kPicturePausePanel; id <= kPicturePauseScorePressed; ++id) ids.push_back(id);
  return ids;
}

// The asset tool's stand-in for an undrawn picture is a checker board of
// two greys in 4-pixel squares.
bool IsPlaceholder(const Loaded& p) {
  std::uint16_t a = p(0, 0), b = p(4, 0);
  if (a == b) return false;
  for (int y = 0; y < p.picture.height; ++y)
    for (int x = 0; x < p.picture.width; ++x)
      if (p(x, y) != (((x / 4 + y / 4) & 1) ? b : a)) return false;
  return true;
}

TEST(ScreenPictures, EveryPictureIsInTheManifestAndDrawn) {
  for (int id : ScreenPictureIds()) {
    const assets::ManifestEntry* e = assets::FindManifestEntry("pct", id);
    ASSERT_NE(e, nullptr) << id;
    Loaded p(id);
    EXPECT_FALSE(IsPlaceholder(p)) << "picture " << id << " is not drawn yet";
  }
}

// Each key's normal picture, and OK and Cancel, lie on the keyboard
// background exactly as they look on their own; the pressed look differs.
TEST(ScreenPictures, NameEntryKeysMatchTheBackgroundInPlace) {
  struct Place {
    int id, x, y;
  };
  std::vector<Place> places = {{kPictureKey0, 200, 287},
                               {kPictureKeySpace, 200, 253},
                               {kPictureKeyDelete, 200, 219},
                               {kPictureNameOk, 203, 27},
                               {kPictureNameCancel, 203, 86}};
  for (int k = 0; k < 9; ++k) {
    places.push_back({kPictureKey1 + 2 * k, 166, 287 - 34 * k});
    places.push_back({kPictureKeyA + 2 * k, 59, 287 - 34 * k});
    places.push_back({kPictureKeyJ + 2 * k, 93, 287 - 34 * k});
    if (k < 8) places.push_back({kPictureKeyS + 2 * k, 127, 269 - 34 * k});
  }
  ASSERT_EQ(places.size(), 40u);
  Loaded background(kPictureNameBackground);
  for (const Place& place : places) {
    Loaded normal(place.id), pressed(place.id + 1);
    int differ = 0;
    for (int y = 0; y < normal.picture.height; ++y) {
      for (int x = 0; x < normal.picture.width; ++x) {
        ASSERT_EQ(normal(x, y), background(place.x + x, place.y + y))
            << "key " << place.id << " at " << x << ", " << y;
        differ += pressed(x, y) != normal(x, y);
      }
    }
    EXPECT_GT(differ, 20) << "key " << place.id << " has no visible pressed look";
  }
}

// Every button's pressed picture (the id after its normal one) shows a
// visible change, and the check box's two states differ.
TEST(ScreenPictures, EveryButtonHasAVisiblyPressedLook) {
  std::vector<int> normals = {
      kPictureSkip,          kPictureMenuOptions, kPictureMenuExit,    kPictureMenuHelp,
      kPictureMenuName,      kPictureMenuNewGame, kPictureMenuScore,   kPictureOptionsOk,
      kPictureOptionsCancel, kPictureCheckTicked, kPictureSliderThumb, kPictureHelpPrevious,
      kPictureHelpCredits,   kPictureHelpNext,    kPictureHelpOk,      kPictureScoresOk,
      kPictureScoresReset,   kPictureScoresStats, kPictureHelpAbout,   kPictureNameOk,
      kPictureNameCancel,    kPictureScoresScore, kPicturePauseExit,   kPicturePauseHelp,
      kPicturePauseOptions,  kPicturePauseResume, kPicturePauseScore};
  for (int id = kPictureKey0; id <= kPictureKeyDelete; id += 2) normals.push_back(id);
  for (int id : normals) {
    Loaded normal(id), pressed(id + 1);
    ASSERT_EQ(normal.picture.width, pressed.picture.width) << id;
    ASSERT_EQ(normal.picture.height, pressed.picture.height) << id;
    int differ = 0, total = normal.picture.width * normal.picture.height;
    for (int y = 0; y < normal.picture.height; ++y)
      for (int x = 0; x < normal.picture.width; ++x) differ += normal(x, y) != pressed(x, y);
    EXPECT_GT(differ, total / 10) << "button " << id;
  }
}

TEST(ScreenPictures, KeyedPicturesCarryTheirKeyWhereItIsRead) {
  // Panels and lines keyed on their top-left pixel: it appears at the
  // corners, outside the shape.
  for (int id : {kPicturePausePanel, kPictureScoresTick, kPictureSliderThumb,
                 kPictureSliderTrackSound, kPictureSliderTrackMusic, kPictureCreditsLogo,
                 kPictureCreditsLine1, kPictureCreditsLine13}) {
    Loaded p(id);
    int w = p.picture.width, h = p.picture.height;
    EXPECT_EQ(p(w - 1, 0), p(0, 0)) << id;
    EXPECT_EQ(p(0, h - 1), p(0, 0)) << id;
  }
  // The confirmation panel is keyed on its pixel (1, 1).
  Loaded panel(kPictureConfirmPanel);
  EXPECT_EQ(panel(1, 1), panel(0, 0));
  EXPECT_EQ(panel(98, 166), panel(1, 1));
  EXPECT_NE(panel(50, 84), panel(1, 1));
}

class ScreenFont : public ::testing::Test {
 protected:
  void SetUp() override { font.Setup(kPictureScreenFont, 18, 554, 48); }
  void TearDown() override { font.ReleasePicture(); }
  // The strip's rows of glyph g, from its bottom up.
  std::vector<std::vector<std::uint16_t>> GlyphRows(int g) const {
    std::vector<std::vector<std::uint16_t>> rows;
    for (int r = 0; r < font.glyphs[g].size; ++r) {
      int y = font.stripHeight - 1 - font.glyphs[g].start - r;
      std::vector<std::uint16_t> row;
      for (int x = 0; x < font.width; ++x) row.push_back(font.picture->Pixel(x, y));
      rows.push_back(row);
    }
    return rows;
  }
  bool Blank(int g) const {
    for (auto& row : GlyphRows(g))
      for (std::uint16_t p : row)
        if (p != font.picture->Pixel(0, font.stripHeight - 1)) return false;
    return true;
  }
  CPictureFont font;
};

TEST_F(ScreenFont, StripHoldsFortyFourGlyphsEndingInATenRowBlank) {
  EXPECT_EQ(font.width, 18);
  EXPECT_EQ(font.blankGlyph, 43);
  EXPECT_EQ(font.glyphs[43].size, 10);
  EXPECT_TRUE(Blank(43));
  for (int g = 0; g < 43; ++g) {
    EXPECT_GE(font.glyphs[g].size, 3) << g;
    EXPECT_FALSE(Blank(g)) << g;
  }
  // The order is the documented one: the digits share one width, the
  // colon, semicolon and full stop are narrow, I is the narrowest letter
  // and M and W the widest.
  for (int g = 1; g < 10; ++g) EXPECT_EQ(font.glyphs[g].size, font.glyphs[0].size);
  for (int g : {10, 11, 12}) EXPECT_LT(font.glyphs[g].size, font.glyphs[0].size);
  for (int g = 17; g <= 42; ++g) {
    EXPECT_GE(font.glyphs[g].size, font.glyphs[25].size);  // I
    EXPECT_LE(font.glyphs[g].size, font.glyphs[39].size);  // W
  }
  EXPECT_GT(font.glyphs[29].size, font.glyphs[20].size);  // M wider than D
}

}  // namespace
