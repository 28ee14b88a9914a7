// In a real window the program runs on its own clock, kept in step with the
// wall clock: the tick count moves only when a message is taken, each timer
// tick comes on the timer's beat, and the run's time follows the wall's.
// That is what lets a game played in the window be kept as a record.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/display_lock.h"
#include "tests/support/run_program.h"

namespace {

TEST(ProgramClockTest, AWindowsTicksMoveOnlyWithItsMessages) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
  testsupport::DisplayLock lock;
  const std::string dir = testsupport::MakeTempDir("program-clock");
  struct Remove {
    const std::string& dir;
    ~Remove() { std::filesystem::remove_all(dir); }
  } remove{dir};
  const std::string recording = dir + "/run.rec";
  pid_t pid = fork();
  if (pid == 0) {
    execl(REEDSHOT_BINARY, REEDSHOT_BINARY, "--data-dir", (dir + "/data").c_str(), "--mute",
          "--scale", "1", "--record", recording.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // The intro runs: wait until the recording holds two seconds of ticks.
  const auto start = std::chrono::steady_clock::now();
  auto ticks = [&] {
    std::ifstream in(recording);
    unsigned first = 0, last = 0;
    for (std::string line; std::getline(in, line);) {
      unsigned tick = 0;
      if (std::sscanf(line.c_str(), "T %u", &tick) != 1) continue;
      if (first == 0) first = tick;
      last = tick;
    }
    return last - first;
  };
  while (ticks() < 2000 && std::chrono::steady_clock::now() - start < std::chrono::seconds(30))
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const double wall =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  kill(pid, SIGTERM);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  // Every pass of a timer tick reads one time, on a beat of 10 ms from the
  // first tick's.
  std::ifstream in(recording);
  bool inTimerPass = false, haveBeat = false;
  unsigned beat = 0, passTick = 0, timerPasses = 0, checked = 0;
  for (std::string line; std::getline(in, line);) {
    unsigned message = 0, tick = 0;
    if (std::sscanf(line.c_str(), "M %u", &message) == 1) {
      inTimerPass = message == 0x0113;
      passTick = 0;
      timerPasses += inTimerPass;
      continue;
    }
    if (!inTimerPass || std::sscanf(line.c_str(), "T %u", &tick) != 1) continue;
    if (passTick == 0) {
      passTick = tick;
      if (!haveBeat) beat = tick;
      haveBeat = true;
      EXPECT_EQ((tick - beat) % 10, 0u) << line;
    }
    EXPECT_EQ(tick, passTick) << line;
    ++checked;
  }
  EXPECT_GT(timerPasses, 100u);
  EXPECT_GT(checked, 100u);
  // The program's two seconds took about two seconds of the wall's.
  EXPECT_GT(wall, 1500.0);
}

}  // namespace
