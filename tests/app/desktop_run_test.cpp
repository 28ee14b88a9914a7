// The real program in a real window (run by ./check under a virtual X
// display; skipped where there is no display).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/display_lock.h"
#include "tests/support/piped_program.h"
#include "tests/support/run_program.h"

namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

pid_t Start(const std::vector<std::string>& args) {
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv{const_cast<char*>(REEDSHOT_BINARY)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(REEDSHOT_BINARY, argv.data());
    _exit(127);
  }
  return pid;
}

TEST(DesktopRunTest, OpensAWindowAndASecondStartBringsItForwardAndExits) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
  testsupport::DisplayLock lock;
  std::string data = testsupport::MakeTempDir("data");
  // The socket lives beside the data folder's lock, open to the user only
  // whatever the umask.
  std::string socket = data + "/reedshot.sock";
  mode_t mask = umask(0);
  pid_t first = Start({"--data-dir", data, "--mute", "--scale", "1"});
  umask(mask);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!Exists(socket) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_TRUE(Exists(socket)) << "the window never opened";
  struct stat info;
  ASSERT_EQ(stat(socket.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  auto second = testsupport::RunProgram(REEDSHOT_BINARY, {"--data-dir", data, "--mute"});
  EXPECT_EQ(second.status, 0) << second.err;
  int status = 0;
  EXPECT_EQ(waitpid(first, &status, WNOHANG), 0) << "the first game must keep running";

  // Closing (SIGTERM arrives as a quit request) ends it normally.
  kill(first, SIGTERM);
  ASSERT_EQ(waitpid(first, &status, 0), first);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(Exists(socket));
}

// A script holding the data folder has no window to bring forward: a
// desktop start on that folder says so and exits, and opens no game.
TEST(DesktopRunTest, AStartOnAFolderAScriptHoldsExits) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
  testsupport::DisplayLock lock;
  std::string data = testsupport::MakeTempDir("data");
  testsupport::PipedProgram script(REEDSHOT_BINARY, {"--mute", "--data-dir", data});
  ASSERT_NE(script.State(), "");
  auto desktop = testsupport::RunProgram(REEDSHOT_BINARY, {"--data-dir", data, "--mute"});
  EXPECT_EQ(desktop.status, 2);
  EXPECT_NE(desktop.err.find("another Reedshot is running on the data folder"), std::string::npos)
      << desktop.err;
  EXPECT_FALSE(Exists(data + "/reedshot.sock"));
  script.Send("quit\n");
  EXPECT_EQ(script.Finish(), 0);
}

// Without a display a window start says what to do instead, at once, and
// leaves the data folder free; a video driver the user names is theirs.
TEST(DesktopRunTest, WithoutADisplayAStartSaysWhatToDo) {
  testsupport::TempFolder dir("nodisplay");
  const std::string data = dir.path() + "/data";
  {
    testsupport::ScopedEnv display("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr),
        driver("SDL_VIDEODRIVER", nullptr);
    auto start = std::chrono::steady_clock::now();
    auto r = testsupport::RunProgram("/usr/bin/timeout",
                                     {"10", REEDSHOT_BINARY, "--data-dir", data, "--mute"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("cannot open a window: no display"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--headless --script FILE"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--demo"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    std::ofstream(dir.path() + "/script.txt") << "state\n";
    auto script = testsupport::RunProgram(
        REEDSHOT_BINARY, {"--data-dir", data, "--mute", "--script", dir.path() + "/script.txt"});
    EXPECT_EQ(script.status, 0) << script.err;
  }
  testsupport::ScopedEnv display("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr),
      driver("SDL_VIDEODRIVER", "dummy");
  pid_t game = Start({"--data-dir", data, "--mute"});
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!Exists(data + "/reedshot.sock") && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(Exists(data + "/reedshot.sock")) << "the asked-for driver was not used";
  // Only that it ran is asked here (a sanitizer's report on the way out
  // would change its status).
  kill(game, SIGKILL);
  ASSERT_EQ(waitpid(game, nullptr, 0), game);
}

}  // namespace
