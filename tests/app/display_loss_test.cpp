// The display going away under a running game (the X server ends): the
// game ends as when its window is closed, with its data saved, one line on
// stderr and a failure status; no crash, no hang. Needs Xvfb, xdotool and
// sqlite3 (./check provides them); skipped otherwise.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "tests/support/real_window.h"

namespace {

using testsupport::Shell;

// A private X server, so that killing it leaves the others alone.
class OwnXServer {
 public:
  OwnXServer() {
    for (int n = 50 + getpid() % 100; n < 250 && display_.empty(); ++n) {
      char lock[64], socket[64], display[16];
      std::snprintf(lock, sizeof lock, "/tmp/.X%d-lock", n);
      std::snprintf(socket, sizeof socket, "/tmp/.X11-unix/X%d", n);
      std::snprintf(display, sizeof display, ":%d", n);
      if (access(lock, F_OK) == 0 || access(socket, F_OK) == 0) continue;
      pid_ = fork();
      if (pid_ == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execlp("Xvfb", "Xvfb", display, "-nolisten", "tcp", "-screen", "0", "640x480x24",
               static_cast<char*>(nullptr));
        _exit(127);
      }
      for (int i = 0; i < 100 && access(socket, F_OK) != 0; ++i) testsupport::PauseMs(50);
      int status = 0;
      lock_ = lock;
      socket_ = socket;
      if (access(socket, F_OK) == 0 && waitpid(pid_, &status, WNOHANG) == 0)
        display_ = display;
      else
        Kill();
    }
  }
  ~OwnXServer() { Kill(); }
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
    // A killed server leaves its lock and socket behind: free the number.
    unlink(lock_.c_str());
    unlink(socket_.c_str());
  }
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = 0;
  std::string display_;
  std::string lock_, socket_;
};

TEST(DisplayLoss, TheGameEndsSavedAndSaysSo) {
  for (const char* tool : {"Xvfb", "xdotool", "sqlite3"})
    if (!testsupport::HaveTool(tool)) GTEST_SKIP() << "no " << tool;
  std::string dir = testsupport::MakeTempDir("displayloss");
  std::string data = dir + "/data", err = dir + "/err", runtime = dir + "/runtime";
  mkdir(runtime.c_str(), 0700);

  // Several times: how the loss is met depends on what the game is doing.
  for (int run = 0; run < 3; ++run) {
    std::string runData = data + std::to_string(run);
    OwnXServer server;
    ASSERT_FALSE(server.display().empty());
    pid_t game = fork();
    if (game == 0) {
      setenv("DISPLAY", server.display().c_str(), 1);
      setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
      if (std::freopen(err.c_str(), "w", stderr) == nullptr) _exit(127);
      execl(REEDSHOT_BINARY, REEDSHOT_BINARY, "--scale", "1", "--data-dir", runData.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::string window = Shell("DISPLAY=" + server.display() +
                               " timeout 20 xdotool search --sync --onlyvisible --pid " +
                               std::to_string(game) + " --name '^Reedshot$' | head -1");
    EXPECT_FALSE(window.empty()) << "the window never opened";
    testsupport::PauseMs(500 + 700 * run);
    server.Kill();

    int status = 0;
    pid_t ended = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((ended = waitpid(game, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() < deadline)
      testsupport::PauseMs(50);
    if (ended == 0) {
      kill(game, SIGKILL);
      waitpid(game, nullptr, 0);
      FAIL() << "the game hangs once its display is gone";
    }
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::string said = testsupport::ReadFile(err);
    EXPECT_EQ(said,
              "reedshot: the display went away; the game ended as when its window is closed\n");
    // The settings are written when the game ends; a fresh folder has none before.
    EXPECT_NE(Shell("sqlite3 " + runData + "/reedshot.db 'select count(*) from registry_values'"),
              "0");
  }
}

}  // namespace
