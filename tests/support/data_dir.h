// Test support: the headless device with its data file in a fresh
// temporary directory, and the message boxes shown meanwhile.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/object_store.h"
#include "platform/platform.h"
#include "platform/testing.h"
#include "tests/support/run_program.h"

namespace testsupport {

// Set in a child started by DataDirTest::RunChildPart: the parent test's
// directory.
constexpr char kChildRootVariable[] = "REEDSHOT_TEST_CHILD_ROOT";

inline const char* ChildRoot() { return std::getenv(kChildRootVariable); }

// Starts the headless, mute device on the data folder `dir`.
inline void StartHeadless(const std::string& dir) {
  ce::PlatformOptions options;
  options.headless = true;
  options.mute = true;
  options.dataDir = dir;
  std::string error;
  EXPECT_TRUE(ce::StartPlatform(options, &error)) << error;
}

class DataDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = ChildRoot() != nullptr ? ChildRoot() : MakeTempDir("data");
    dataDir = root + "/data";
    Restart();
    ce::testing::RecordMessageBoxes(&messages);
  }

  void TearDown() override {
    if (ChildRoot() != nullptr) return;  // the parent cleans up
    ce::testing::RecordMessageBoxes(nullptr);
    ce::StopPlatform();
    std::error_code ec;
    std::filesystem::permissions(dataDir, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(root, ec);
  }

  // A new run of the device: the data file is closed and opened again on
  // its next use.
  void Restart() {
    ce::StopPlatform();
    StartHeadless(dataDir);
  }

  std::string DataFile() const { return dataDir + "/reedshot.db"; }

  // The part of the test that runs in a child process (RunChildPart). In
  // that child, runs `part` and ends the process with status 0 when it
  // returned true, 1 otherwise; in the test itself does nothing.
  template <typename Part>
  void ChildPart(Part part) {
    if (ChildRoot() == nullptr) return;
    bool ok = part();
    std::fflush(nullptr);
    _exit(ok ? 0 : 1);
  }

  // Runs the current test again in a fresh process of this test binary,
  // which shares this test's directory and does only its ChildPart; as a
  // user other than root when `unprivileged` and this process is root (so
  // that files it does not own stay closed to it). The process is exec'd,
  // never a bare fork of this one, whose threads may hold locks. Returns its
  // exit status, or -1 when it did not exit.
  int RunChildPart(bool unprivileged) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::vector<std::string> args = {
        "test", std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name(),
        "--gtest_brief=1"};
    std::vector<std::string> env = {std::string(kChildRootVariable) + "=" + root};
    for (char** e = environ; *e != nullptr; ++e)
      if (std::strncmp(*e, kChildRootVariable, std::strlen(kChildRootVariable)) != 0)
        env.push_back(*e);
    auto pointers = [](std::vector<std::string>& strings) {
      std::vector<char*> out;
      for (std::string& s : strings) out.push_back(s.data());
      out.push_back(nullptr);
      return out;
    };
    std::vector<char*> argv = pointers(args), envp = pointers(env);
    // Opened before the privileges go: the binary's folders may be closed
    // to the other user.
    int binary = open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
    if (binary < 0) return -1;
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
      // Only calls that are safe between fork and exec.
      if (unprivileged && geteuid() == 0 &&
          (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        _exit(100);
      fexecve(binary, argv.data(), envp.data());
      _exit(127);
    }
    close(binary);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string root;
  std::string dataDir;
  std::vector<ce::testing::MessageBoxRecord> messages;
};

// The number of records in the object-store database `name`.
inline int CountRecords(const char16_t* name) {
  ce::CEOID oid = 0;
  ce::HANDLE db = ce::CeOpenDatabase(&oid, name, 0, 0, nullptr);
  ce::DWORD index = 0;
  int count = ce::CeSeekDatabase(db, ce::CEDB_SEEK_END, 0, &index) != 0 ? index + 1 : 0;
  ce::CloseHandle(db);
  return count;
}

}  // namespace testsupport
