// The demo plays a whole session by itself, the same way every time.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/run_program.h"

namespace {

std::vector<std::string> Files(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

int Field(const std::string& json, const std::string& key) {
  size_t at = json.find("\"" + key + "\":");
  if (at == std::string::npos) return -1;
  return std::stoi(json.substr(at + key.size() + 3));
}

TEST(DemoTest, PlaysAWholeSessionTheSameWayEveryTime) {
  const testsupport::TempFolder a("demo1"), b("demo2");
  const std::string one = a.path(), two = b.path();
  auto first = testsupport::RunProgram(REEDSHOT_BINARY, {"--demo", one, "--mute"});
  ASSERT_EQ(first.status, 0) << first.err;
  auto second = testsupport::RunProgram(REEDSHOT_BINARY, {"--demo", two, "--mute"});
  ASSERT_EQ(second.status, 0) << second.err;

  std::vector<std::string> files = Files(one);
  ASSERT_EQ(files, Files(two));
  for (const char* stage : {"intro", "title", "main-menu", "play-1", "play-2", "play-3",
                            "pause-menu", "game-over", "high-scores", "statistics"}) {
    EXPECT_TRUE(std::any_of(files.begin(), files.end(), [&](const std::string& f) {
      return f.find(stage) != std::string::npos;
    })) << stage;
  }
  for (const std::string& f : files)
    EXPECT_EQ(testsupport::ReadFile(one + "/" + f), testsupport::ReadFile(two + "/" + f)) << f;

  std::string summary = testsupport::ReadFile(one + "/summary.json");
  EXPECT_NE(summary.find("\"completed\":true"), std::string::npos) << summary;
  // A player who aims scores, hits ducks, and leaves the red birds alone.
  EXPECT_GT(Field(summary, "score"), 100) << summary;
  EXPECT_GT(Field(summary, "ducks"), 10) << summary;
  EXPECT_EQ(Field(summary, "penalties"), 0) << summary;
  EXPECT_GE(Field(summary, "shots"), Field(summary, "ducks")) << summary;
  // The game's score entered the high-score table as the newest entry.
  std::string top = "{\"name\":\"NONAME\",\"score\":" + std::to_string(Field(summary, "score")) +
                    ",\"newest\":true}";
  EXPECT_NE(summary.find(top), std::string::npos) << summary;
}

}  // namespace
