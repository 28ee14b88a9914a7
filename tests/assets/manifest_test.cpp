// Every picture and sound of the manifest is built into the program at the
// size and rate the game loads it with.
#include "assets/manifest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "assets/resource_ids.h"
#include "graphics/pct_decoder.h"
#include "platform/resources.h"

namespace {

struct Resource {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

Resource Find(const char16_t* type, int id) {
  ce::HRSRC found = ce::FindResourceW(nullptr, ce::MAKEINTRESOURCEW(id), type);
  if (!found) return {};
  ce::HGLOBAL loaded = ce::LoadResource(nullptr, found);
  return {static_cast<const std::uint8_t*>(ce::LockResource(loaded)),
          ce::SizeofResource(nullptr, found)};
}

TEST(ManifestTest, ListsThePicturesAndSoundsOfTheGameOnce) {
  std::set<std::string> seen;
  int pictures = 0, sounds = 0;
  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    EXPECT_TRUE(seen.insert(std::string(e.kind) + std::to_string(e.id)).second) << e.id;
    (std::strcmp(e.kind, "pct") == 0 ? pictures : sounds) += 1;
  }
  EXPECT_EQ(sounds, 19);
  EXPECT_GE(pictures, 300);
  EXPECT_EQ(assets::FindManifestEntry("pct", 999), nullptr);
}

TEST(ManifestTest, EveryPictureDecodesToExactlyItsSize) {
  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    if (std::strcmp(e.kind, "pct") != 0) continue;
    Resource r = Find(u"PCT", e.id);
    ASSERT_NE(r.data, nullptr) << "picture " << e.id;
    std::size_t want = static_cast<std::size_t>(e.width) * e.height * 2;
    // Room for more than the picture: the stream must end at its size, not
    // run on (a surplus would be dropped) or stop short (black tail).
    std::vector<std::uint8_t> out(want + 64, 0);
    std::size_t n = DecodePctData(r.data, r.size, out.data(), out.size());
    EXPECT_GE(n, want) << "picture " << e.id;
    EXPECT_LE(n, want + 2) << "picture " << e.id;
  }
}

// The pictures of play that the game draws keyed (on their top-left pixel):
// each shows a shape and, unless it is a piece of the scenery (a wall may
// fill its piece), leaves room around it, so that neither a picture drawn
// off its canvas nor one drawn as a plain block slips through.
TEST(ManifestTest, EveryKeyedPictureOfPlayHasAShapeAndRoomAroundIt) {
  int checked = 0;
  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    // The font is its own test.
    bool ofPlay =
        e.id > kPictureTileRight && e.id <= kPicturePopupPlus50 && e.id != kPictureGameFont;
    if (std::strcmp(e.kind, "pct") != 0 || (!ofPlay && e.id != kPictureLoading)) continue;
    ASSERT_TRUE(e.keyed) << "picture " << e.id;
    Resource r = Find(u"PCT", e.id);
    std::vector<std::uint16_t> pixels(static_cast<std::size_t>(e.width) * e.height);
    DecodePctData(r.data, r.size, reinterpret_cast<std::uint8_t*>(pixels.data()),
                  pixels.size() * 2);
    std::size_t key = 0;
    for (std::uint16_t p : pixels) key += p == pixels[0];
    bool scenery = e.id >= kPictureSceneryBushTop && e.id <= kPictureSceneryHiddenFlower &&
                   (e.id <= kPictureSceneryBushReeds || e.id >= kPictureSceneryTreeCrownTopRight);
    if (!scenery) {
      EXPECT_GE(key * 100, pixels.size() * 3) << "picture " << e.id << " has no room around it";
    }
    EXPECT_GE((pixels.size() - key) * 100, pixels.size() * 3) << "picture " << e.id << " is empty";
    ++checked;
  }
  EXPECT_GT(checked, 120);
}

TEST(ManifestTest, AllResourcesTogetherStayUnderFourMegabytes) {
  std::size_t total = 0;
  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    total += Find(std::strcmp(e.kind, "pct") == 0 ? u"PCT" : u"WAVE", e.id).size;
  }
  EXPECT_LT(total, 4u * 1024 * 1024);
}

}  // namespace
