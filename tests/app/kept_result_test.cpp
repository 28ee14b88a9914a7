// A finished game's result survives a kill at the high-score table: the
// next start enters it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/players_data.h"

namespace {

using namespace testsupport;

TEST(KeptResultRunTest, AKillAtTheTableLosesNothing) {
  TempFolder dir("kept-result");
  std::string state;
  {
    PipedProgram run(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", dir.path()});
    state = PlayUntil(&run, [](const std::string& s) { return FieldOf(s, "view") == "7"; });
    ASSERT_EQ(FieldOf(state, "view"), "7") << state;
    EXPECT_TRUE(run.Kill());
  }
  EXPECT_EQ(ReadData(dir.path()).Scores(), "");  // the table itself was not saved
  std::ofstream(dir / "quit.txt") << "quit\n";
  auto next = RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", dir.path(),
                                           "--script", dir / "quit.txt"});
  EXPECT_EQ(next.status, 0) << next.err;
  const std::string entered = "NONAME " + FieldOf(state, "lastScore") + "; ";
  EXPECT_EQ(ReadData(dir.path()).Scores(), entered);
  // Entered once: the start after that finds nothing more to enter.
  next = RunProgram(REEDSHOT_BINARY, {"--headless", "--mute", "--data-dir", dir.path(), "--script",
                                      dir / "quit.txt"});
  EXPECT_EQ(ReadData(dir.path()).Scores(), entered);
}

}  // namespace
