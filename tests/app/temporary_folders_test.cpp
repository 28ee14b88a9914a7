// The throwaway data folders of the demo and of a replay: gone when the run
// ends however it ends, those of killed runs removed by the next start,
// and a TMPDIR that is not a folder no reason to fail.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/players_data.h"
#include "tests/support/started_program.h"

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

bool Empty(const std::string& dir) { return FilesIn(dir).empty(); }

// The shell's line that gives the program its TMPDIR.
std::string WithTmpdir(const std::string& dir) { return "export TMPDIR='" + dir + "'"; }

TEST(TemporaryFoldersTest, EveryEndingRemovesTheThrowawayFolder) {
  TempFolder dir("throwaway");
  const std::string tmp = dir / "tmp";
  fs::create_directories(tmp);
  std::string killed;
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGKILL}) {
    StartedProgram demo(REEDSHOT_BINARY, {"--demo", dir / "demo"}, WithTmpdir(tmp));
    // Its folder is made and marked as its own.
    std::string folder;
    ASSERT_TRUE(WaitFor([&] {
      return !Empty(tmp) && fs::exists((folder = tmp + "/" + FilesIn(tmp)[0]) + "/reedshot.owner");
    }));
    demo.Signal(signal);
    EXPECT_EQ(demo.Wait(), signal == SIGKILL ? -1 : 1) << signal << demo.err();
    if (signal == SIGKILL)
      killed = folder;
    else
      EXPECT_TRUE(Empty(tmp)) << signal;
  }
  // The killed run's folder goes with the next start.
  ASSERT_TRUE(fs::exists(killed));
  std::ofstream(dir / "quit.txt") << "quit\n";
  StartedProgram next(REEDSHOT_BINARY, {"--demo", dir / "demo", "--script", dir / "quit.txt"},
                      WithTmpdir(tmp));
  next.Wait();
  EXPECT_TRUE(Empty(tmp)) << next.err();
}

TEST(TemporaryFoldersTest, ATmpdirThatIsNotAFolderFallsBackToTmp) {
  TempFolder dir("tmpdir");
  std::ofstream(dir / "file") << "x";
  std::ofstream(dir / "script.txt") << "wait 100\nquit\n";
  auto made = RunProgram(REEDSHOT_BINARY, {"--script", dir / "script.txt", "--record",
                                           dir / "run.rec", "--data-dir", dir / "data", "--mute"});
  ASSERT_EQ(made.status, 0) << made.err;
  for (const std::string& tmpdir : {dir / "missing", dir / "file"}) {
    StartedProgram replay(REEDSHOT_BINARY, {"--replay", dir / "run.rec", "--mute"},
                          WithTmpdir(tmpdir));
    EXPECT_EQ(replay.Wait(), 0) << replay.err();
    EXPECT_NE(replay.err().find("TMPDIR (" + tmpdir + ") is not a folder; using /tmp"),
              std::string::npos)
        << replay.err();
  }
}

}  // namespace
