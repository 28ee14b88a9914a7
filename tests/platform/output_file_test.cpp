// The one file writer: a link at the name is replaced, never written
// through; a file dropped before its commit leaves the old one.
#include "platform/output_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/run_program.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { dir = testsupport::MakeTempDir("output"); }
  void TearDown() override { fs::remove_all(dir); }
  std::string dir;
};

TEST_F(OutputFileTest, ReplacesALinkAndLeavesItsTargetAlone) {
  const std::string target = dir + "/precious", name = dir + "/out";
  std::ofstream(target) << "keep me";
  ASSERT_EQ(symlink(target.c_str(), name.c_str()), 0);
  ASSERT_TRUE(ce::WriteFileReplacing(name, "new", 3));
  EXPECT_EQ(Read(target), "keep me");
  EXPECT_FALSE(fs::is_symlink(name));
  EXPECT_EQ(Read(name), "new");
  // Only the two files: no new file left beside them.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(OutputFileTest, AnUncommittedFileLeavesTheOldOneAndAHeaderCanBeFilledInLast) {
  const std::string name = dir + "/out";
  std::ofstream(name) << "old";
  {
    ce::OutputFile file;
    ASSERT_TRUE(file.Open(name));
    ASSERT_TRUE(file.Write("half", 4));
  }
  EXPECT_EQ(Read(name), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

  ce::OutputFile file;
  ASSERT_TRUE(file.Open(name));
  ASSERT_TRUE(file.Write("....body", 8));
  ASSERT_TRUE(file.WriteAt(0, "HEAD", 4));
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(Read(name), "HEADbody");
}

TEST_F(OutputFileTest, SaysWhyItCannotWrite) {
  std::string error;
  EXPECT_FALSE(ce::WriteFileReplacing(dir + "/missing/out", "x", 1, &error));
  EXPECT_EQ(error, "No such file or directory");
}

}  // namespace
