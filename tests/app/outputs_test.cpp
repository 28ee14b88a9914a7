// What the program writes (sound, recordings, extracted resources, the
// demo's files) replaces whatever is at the name: a link there is replaced,
// and what it points at stays as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/players_data.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

// Puts a link at each name, to a file of its own outside; checks after the
// run that each name is a file of the run's and each outside file as it was.
class Links {
 public:
  Links(const TempFolder& dir, const std::vector<std::string>& names)
      : outside_(dir / ("outside-" + std::to_string(names.size()))), names_(names) {
    fs::create_directories(outside_);
    for (size_t i = 0; i < names.size(); ++i) {
      fs::create_directories(fs::path(names[i]).parent_path());
      std::ofstream(Target(i)) << "precious " << i;
      fs::create_symlink(Target(i), names[i]);
    }
  }
  void ExpectUntouched() const {
    for (size_t i = 0; i < names_.size(); ++i) {
      EXPECT_EQ(ReadFile(Target(i)), "precious " + std::to_string(i)) << names_[i];
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(names_[i]))) << names_[i];
      EXPECT_GT(fs::file_size(names_[i]), 0u) << names_[i];
    }
  }

 private:
  std::string Target(size_t i) const { return outside_ + "/" + std::to_string(i); }
  std::string outside_;
  std::vector<std::string> names_;
};

TEST(OutputsTest, NoOutputWritesThroughALinkAtItsName) {
  TempFolder dir("output-links");
  const Links demo(dir, {dir / "demo/summary.json", dir / "demo/01-intro.png", dir / "sound.wav",
                         dir / "run.rec"});
  auto r = RunProgram(REEDSHOT_BINARY, {"--demo", dir / "demo", "--audio-out", dir / "sound.wav",
                                        "--record", dir / "run.rec"});
  EXPECT_EQ(r.status, 0) << r.err;
  demo.ExpectUntouched();
  EXPECT_EQ(ReadFile(dir / "run.rec").rfind("reedshot-recording 2\n", 0), 0u);

  const Links extract(dir, {dir / "x/manifest.tsv", dir / "x/wave/535.wav"});
  r = RunProgram(REEDSHOT_BINARY, {"--extract", dir / "x"});
  EXPECT_EQ(r.status, 0) << r.err;
  extract.ExpectUntouched();
}

}  // namespace
