// --extract and --contact-sheet of the real program.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "assets/manifest.h"
#include "platform/resources.h"
#include "tests/support/run_program.h"

namespace {

using testsupport::ReadFile;
using testsupport::RunProgram;

// Width and height from a PNG's header.
std::pair<unsigned, unsigned> PngSize(const std::string& png) {
  auto be32 = [&](std::size_t at) {
    return static_cast<unsigned>(
        static_cast<unsigned char>(png[at]) << 24 | static_cast<unsigned char>(png[at + 1]) << 16 |
        static_cast<unsigned char>(png[at + 2]) << 8 | static_cast<unsigned char>(png[at + 3]));
  };
  if (png.size() < 24 || png.substr(1, 3) != "PNG") return {0, 0};
  return {be32(16), be32(20)};
}

TEST(AssetExportTest, ExtractWritesEveryResourceAndTheManifest) {
  std::string dir = testsupport::MakeTempDir("extract");
  auto r = RunProgram(REEDSHOT_BINARY, {"--extract", dir});
  ASSERT_EQ(r.status, 0) << r.err;

  std::istringstream manifest(ReadFile(dir + "/manifest.tsv"));
  std::string line;
  std::getline(manifest, line);
  EXPECT_EQ(line, "kind\tid\twidth\theight\trate\tname");
  int rows = 0;
  while (std::getline(manifest, line)) ++rows;
  EXPECT_EQ(rows, assets::g_manifestCount);
  EXPECT_NE(ReadFile(dir + "/manifest.tsv").find("pct\t255\t22\t700\t0\tgame_font\n"),
            std::string::npos);

  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    std::string id = std::to_string(e.id);
    if (std::string(e.kind) == "pct") {
      // Frame-buffer orientation: the size the game loads.
      auto size = PngSize(ReadFile(dir + "/pct/" + id + ".png"));
      EXPECT_EQ(size.first, static_cast<unsigned>(e.width)) << id;
      EXPECT_EQ(size.second, static_cast<unsigned>(e.height)) << id;
    } else {
      ce::HRSRC found = ce::FindResourceW(nullptr, ce::MAKEINTRESOURCEW(e.id), u"WAVE");
      ASSERT_NE(found, nullptr) << id;
      std::string bytes(
          static_cast<const char*>(ce::LockResource(ce::LoadResource(nullptr, found))),
          ce::SizeofResource(nullptr, found));
      EXPECT_EQ(ReadFile(dir + "/wave/" + id + ".wav"), bytes) << id;
    }
  }
}

TEST(AssetExportTest, ContactSheetIsOnePicture) {
  std::string dir = testsupport::MakeTempDir("sheet");
  auto r = RunProgram(REEDSHOT_BINARY, {"--contact-sheet", dir + "/sheet.png"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto size = PngSize(ReadFile(dir + "/sheet.png"));
  EXPECT_EQ(size.first, 1400u);
  EXPECT_GT(size.second, 960u);  // at least the three tiles' rows and more
}

TEST(AssetExportTest, UnwritablePlacesFail) {
  // The sheet's folder is made when missing; here it cannot be.
  auto r = RunProgram(REEDSHOT_BINARY, {"--contact-sheet", "/proc/no/such/dir/sheet.png"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot create /proc/no/such/dir"), std::string::npos) << r.err;
  r = RunProgram(REEDSHOT_BINARY, {"--extract", "/proc/no/such/dir"});
  EXPECT_EQ(r.status, 1);
}

}  // namespace
