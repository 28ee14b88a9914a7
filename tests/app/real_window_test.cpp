// The desktop build in a real X window, driven with real X input, shows the
// same pixels as the headless run of the same steps. Needs a display and
// xdotool and ImageMagick (./check provides all three); skipped otherwise.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "tests/support/run_program.h"

namespace {

bool Have(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (fgets(buffer, sizeof(buffer), pipe) != nullptr) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// One step of both runs: a tap at a frame-buffer point, then a wait.
struct Step {
  int x, y, waitMs;
  const char* shot;  // screenshot after the wait, or null
};

const Step kSteps[] = {
    {-1, -1, 6000, "title"},                                    // the intro runs its course
    {120, 160, 3000, "menu"},                                   // the title: on to the main menu
    {77, 61, 2000, "options"}, {213, 161, 3000, "menu-again"},  // options: OK
    {31, 76, 1500, nullptr},                                    // new game
    {120, 100, 500, nullptr},                                   // a shot
};

TEST(RealWindowTest, ClickingThroughTheMenusShowsWhatTheHeadlessRunShows) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') GTEST_SKIP() << "no display";
  if (!Have("xdotool") || !Have("import") || !Have("compare")) GTEST_SKIP() << "no X tools";
  std::string dir = testsupport::MakeTempDir("realwindow");
  std::string runtime = dir + "/runtime";
  mkdir(runtime.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

  // The headless run of the same steps.
  std::string headless = dir + "/headless";
  mkdir(headless.c_str(), 0755);
  {
    std::ofstream script(dir + "/steps.txt");
    for (const Step& s : kSteps) {
      if (s.x >= 0) script << "tap " << s.x << " " << s.y << "\n";
      script << "wait " << s.waitMs << "\n";
      if (s.shot != nullptr) script << "shot " << s.shot << "\n";
    }
  }
  auto run =
      testsupport::RunProgram(REEDSHOT_BINARY, {"--script", dir + "/steps.txt", "--screenshots",
                                                headless, "--data-dir", dir + "/data1", "--mute"});
  ASSERT_EQ(run.status, 0) << run.err;

  // The real window.
  pid_t game = fork();
  if (game == 0) {
    execl(REEDSHOT_BINARY, REEDSHOT_BINARY, "--scale", "1", "--mute", "--data-dir",
          (dir + "/data2").c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Whatever happens below, the game does not outlive the test.
  struct Reaper {
    pid_t pid;
    ~Reaper() {
      if (pid <= 0) return;
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  } reaper{game};
  std::string window = Shell("xdotool search --sync --onlyvisible --name '^Reedshot$' | head -1");
  ASSERT_FALSE(window.empty());
  for (const Step& s : kSteps) {
    if (s.x >= 0) {
      // Frame-buffer (x, y) is seen by the player at (319 - y, x).
      Shell("xdotool mousemove --window " + window + " " + std::to_string(319 - s.y) + " " +
            std::to_string(s.x) + " click 1");
    }
    if (s.shot == nullptr) {
      Pause(s.waitMs);
      continue;
    }
    // Real time runs at its own pace: look until the picture is the
    // headless one (the title's sign blinks), or give up after a while.
    std::string real = dir + "/real-" + s.shot + ".png", differing;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    do {
      Pause(300);
      Shell("import -window " + window + " " + real);
      differing =
          Shell("compare -metric AE " + real + " " + headless + "/" + s.shot + ".png null: 2>&1");
    } while (differing != "0" && std::chrono::steady_clock::now() < deadline);
    EXPECT_EQ(differing, "0") << s.shot << ": pixels differ (see " << dir << ")";
  }
  // A second start while it runs exits at once, and the first window stays.
  auto second = testsupport::RunProgram(REEDSHOT_BINARY, {"--mute", "--data-dir", dir + "/data2"});
  EXPECT_EQ(second.status, 0) << second.err;
  int status = 0;
  EXPECT_EQ(waitpid(game, &status, WNOHANG), 0);
  kill(game, SIGTERM);
  ASSERT_EQ(waitpid(game, &status, 0), game);
  reaper.pid = 0;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
