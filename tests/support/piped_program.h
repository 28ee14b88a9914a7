// Test support: the real program reading a script from a pipe, driven a
// line at a time, its standard output read back as it comes.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace testsupport {

class PipedProgram {
 public:
  // Starts `binary --script - args...`.
  PipedProgram(const std::string& binary, const std::vector<std::string>& args) {
    // A program that ended early must fail the test, not end it.
    signal(SIGPIPE, SIG_IGN);
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      close(in[1]);
      close(out[0]);
      std::vector<char*> argv{const_cast<char*>(binary.c_str()), const_cast<char*>("--script"),
                              const_cast<char*>("-")};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(binary.c_str(), argv.data());
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    in_ = in[1];
    out_ = out[0];
  }
  PipedProgram(const PipedProgram&) = delete;
  PipedProgram& operator=(const PipedProgram&) = delete;
  ~PipedProgram() {
    if (pid_ > 0) Kill();
    if (in_ >= 0) close(in_);
    if (out_ >= 0) close(out_);
  }

  bool Send(const std::string& lines) {
    return in_ >= 0 && write(in_, lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
  }

  // The next line it prints; "" when it ended or printed nothing for a minute.
  std::string ReadLine() {
    for (;;) {
      size_t end = pending_.find('\n');
      if (end != std::string::npos) {
        std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        return line;
      }
      pollfd readable{out_, POLLIN, 0};
      char buffer[8192];
      if (poll(&readable, 1, 60000) != 1) return "";
      ssize_t n = read(out_, buffer, sizeof buffer);
      if (n <= 0) return "";
      pending_.append(buffer, static_cast<size_t>(n));
    }
  }

  // Sends `state` and returns the line it prints.
  std::string State(const std::string& before = "") {
    return Send(before + "state\n") ? ReadLine() : "";
  }

  // Closes its input and waits; its exit status, or -1.
  int Finish() {
    close(in_);
    in_ = -1;
    return Wait();
  }

  // Sends each of `signals` at once, then waits; its exit status, or -1.
  int EndWith(const std::vector<int>& signals) {
    for (int s : signals) kill(pid_, s);
    return Wait();
  }

  // Ends it with SIGKILL; true when it was still running until then.
  bool Kill() {
    kill(pid_, SIGKILL);
    int status = 0;
    bool killed = waitpid(pid_, &status, 0) == pid_ && WIFSIGNALED(status);
    pid_ = -1;
    return killed;
  }

 private:
  int Wait() {
    int status = 0;
    bool ended = waitpid(pid_, &status, 0) == pid_;
    pid_ = -1;
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string pending_;
};

// The text of field `key` in a state line (up to the next comma or brace).
inline std::string FieldOf(const std::string& line, const std::string& key) {
  std::string tag = "\"" + key + "\":";
  size_t at = line.find(tag);
  if (at == std::string::npos) return "?";
  at += tag.size();
  size_t end = line.find_first_of(",}", at);
  return line.substr(at, end - at);
}

}  // namespace testsupport
