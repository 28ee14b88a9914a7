// The data folder's lock and its data file: one run at a time, whatever is
// at the lock's name replaced by a lock that holds, or the run says what to
// remove; the data file is never opened through a link, a file of another
// program is moved aside as it was, and a missing home is not made.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/players_data.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

TEST(LockAndStoreTest, ALockThatIsNotAFileOfTheUsersIsReplacedAndHolds) {
  TempFolder dir("lock");
  std::ofstream(dir / "precious") << "keep me";
  std::ofstream(dir / "script.txt") << "state\n";
  const std::string data = dir / "data", lock = dir / "data/reedshot.lock";
  auto makeLink = [&] { fs::create_symlink(dir / "precious", lock); };
  auto makeDangling = [&] { fs::create_symlink(dir / "missing", lock); };
  auto makePipe = [&] { mkfifo(lock.c_str(), 0600); };
  auto makeOthers = [&] {
    std::ofstream(lock) << "";
    if (chown(lock.c_str(), 65534, 65534) != 0) GTEST_LOG_(INFO) << "no other user's file here";
  };
  for (const auto& make :
       std::vector<std::function<void()>>{[] {}, makeLink, makeDangling, makePipe, makeOthers}) {
    fs::remove_all(data);
    fs::create_directories(data);
    make();
    PipedProgram first(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", data});
    ASSERT_NE(first.State("wait 100\n"), "");
    auto second = RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", data,
                                               "--script", dir / "script.txt"});
    EXPECT_EQ(second.status, 2) << second.err;
    EXPECT_NE(second.err.find("close the other Reedshot, or give --data-dir another folder"),
              std::string::npos)
        << second.err;
    EXPECT_EQ(second.out, "");
    first.Send("quit\n");
    EXPECT_EQ(first.Finish(), 0);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(lock)));
    // Once the first has ended, the folder is free.
    EXPECT_EQ(RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", data, "--script",
                                           dir / "script.txt"})
                  .status,
              0);
  }
  EXPECT_EQ(ReadFile(dir / "precious"), "keep me");
  EXPECT_FALSE(fs::exists(dir / "missing"));

  // A folder cannot be replaced: the run stops and says so.
  fs::remove_all(data);
  fs::create_directories(lock);
  auto r = RunProgram(REEDSHOT_BINARY,
                      {"--headless", "--mute", "--data-dir", data, "--script", dir / "script.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(lock + " is not a file of yours and cannot be replaced; remove it"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(LockAndStoreTest, AForeignOrLinkedDataFileIsMovedAsideUntouched) {
  TempFolder dir("foreign");
  std::ofstream(dir / "script.txt") << "quit\n";
  // Another program's SQLite file, and a link to an empty file outside.
  const std::string foreign = dir / "foreign/reedshot.db", linked = dir / "linked/reedshot.db";
  fs::create_directories(dir / "foreign");
  fs::create_directories(dir / "linked");
  ASSERT_EQ(RunProgram("/usr/bin/sqlite3", {foreign, "CREATE TABLE t(x); INSERT INTO t VALUES(1)"})
                .status,
            0);
  const std::string bytes = ReadFile(foreign);
  std::ofstream(dir / "empty").close();
  fs::create_symlink(dir / "empty", linked);
  for (const std::string& file : {foreign, linked}) {
    auto r =
        RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir",
                                     fs::path(file).parent_path(), "--script", dir / "script.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("moved it to " + file + ".damaged"), std::string::npos) << r.err;
  }
  EXPECT_TRUE(ReadFile(foreign + ".damaged") == bytes);
  EXPECT_TRUE(fs::is_symlink(linked + ".damaged"));
  EXPECT_EQ(fs::file_size(dir / "empty"), 0u);
}

TEST(LockAndStoreTest, AMissingHomeIsNotMade) {
  TempFolder dir("home");
  ScopedEnv home("HOME", (dir / "gone/home").c_str());
  ScopedEnv xdg("XDG_DATA_HOME", "");
  std::ofstream(dir / "script.txt") << "quit\n";
  auto r = RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--script", dir / "script.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("the home folder " + dir / "gone/home" + " does not exist"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(dir / "gone"));
}

}  // namespace
