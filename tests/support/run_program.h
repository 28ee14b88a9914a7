// Test support: runs the real program and collects what it printed.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct ProgramResult {
  int status = -1;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
  std::vector<std::string> lines() const {
    std::vector<std::string> result;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
  }
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The folders MakeTempDir made, removed with all they hold when the test
// program ends, whatever its tests' outcome. A forked child that ends
// leaves its parent's folders alone.
class MadeTempDirs {
 public:
  ~MadeTempDirs() {
    std::error_code ec;
    for (const auto& [owner, path] : dirs_)
      if (owner == getpid()) std::filesystem::remove_all(path, ec);
  }
  void Add(const std::string& path) { dirs_.emplace_back(getpid(), path); }

 private:
  std::vector<std::pair<pid_t, std::string>> dirs_;
};

inline MadeTempDirs& TempDirsMade() {
  static MadeTempDirs dirs;
  return dirs;
}

// A fresh directory under the system's temporary directory, removed when
// the test program ends.
inline std::string MakeTempDir(const std::string& tag) {
  std::string pattern = (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
  pattern += "/reedshot-" + tag + "-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const char* made = mkdtemp(buffer.data());
  if (made == nullptr) return "";
  TempDirsMade().Add(made);
  return made;
}

// A temporary folder, removed with everything in it when the test ends,
// whether it passed or not.
class TempFolder {
 public:
  explicit TempFolder(const std::string& tag) : path_(MakeTempDir(tag)) {}
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// An environment variable set (or with nullptr unset) for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

// Runs `binary args...` with `input` on standard input; waits for it.
inline ProgramResult RunProgram(const std::string& binary, const std::vector<std::string>& args,
                                const std::string& input = "") {
  std::string dir = MakeTempDir("run");
  std::string inPath = dir + "/in", outPath = dir + "/out", errPath = dir + "/err";
  std::ofstream(inPath, std::ios::binary) << input;
  pid_t pid = fork();
  if (pid == 0) {
    int in = open(inPath.c_str(), O_RDONLY);
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(binary.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
  ProgramResult result;
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  unlink(inPath.c_str());
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  rmdir(dir.c_str());
  return result;
}

}  // namespace testsupport
