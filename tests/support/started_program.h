// Test support: the real program started in the background, its standard
// error kept, ended by the test or waited for with a bound.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// Waits until `ready()` holds, looking every 20 ms; false after `seconds`.
inline bool WaitFor(const std::function<bool()>& ready, int seconds = 30) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The processes whose parent is `parent`.
inline std::vector<pid_t> ChildrenOf(pid_t parent) {
  std::vector<pid_t> children;
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return children;
  while (dirent* entry = readdir(proc)) {
    const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
    if (pid <= 0) continue;
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
      if (line.rfind("PPid:", 0) == 0) {
        if (std::atoi(line.c_str() + 5) == parent) children.push_back(pid);
        break;
      }
  }
  closedir(proc);
  return children;
}

// True when `pid` has ended (gone, or a zombie nobody has reaped yet).
inline bool Ended(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  if (!std::getline(stat, text)) return true;
  const size_t close = text.rfind(')');
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

class StartedProgram {
 public:
  // `shell`, when given, runs first in a shell that then becomes the
  // program (limits for it, say: "ulimit -f 0").
  StartedProgram(const std::string& binary, const std::vector<std::string>& args,
                 const std::string& shell = "") {
    int err[2];
    if (pipe(err) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      int null = open("/dev/null", O_RDWR);
      dup2(null, 0);
      dup2(null, 1);
      dup2(err[1], 2);
      close(err[0]);
      std::vector<std::string> all;
      if (!shell.empty()) all = {"/bin/sh", "-c", shell + "; exec \"$0\" \"$@\""};
      all.push_back(binary);
      all.insert(all.end(), args.begin(), args.end());
      std::vector<char*> argv;
      for (std::string& a : all) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(err[1]);
    err_ = err[0];
    fcntl(err_, F_SETFL, O_NONBLOCK);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  ~StartedProgram() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (err_ >= 0) close(err_);
  }

  pid_t pid() const { return pid_; }
  void Signal(int signal) { kill(pid_, signal); }

  // Its exit status once it ends within `seconds` (-1: ended by a signal);
  // -2 when it is still running then.
  int Wait(int seconds = 60) {
    int status = 0;
    if (!WaitFor([&] { return Read(), waitpid(pid_, &status, WNOHANG) == pid_; }, seconds))
      return -2;
    pid_ = 0;
    Read();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // What it wrote on standard error so far.
  const std::string& err() {
    Read();
    return text_;
  }

 private:
  void Read() {
    char buffer[4096];
    for (ssize_t n; (n = read(err_, buffer, sizeof buffer)) > 0;)
      text_.append(buffer, static_cast<size_t>(n));
  }

  pid_t pid_ = 0;
  int err_ = -1;
  std::string text_;
};

}  // namespace testsupport
