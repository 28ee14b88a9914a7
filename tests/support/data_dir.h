// Test support: the headless device with its data file in a fresh
// temporary directory, and the message boxes shown meanwhile.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/object_store.h"
#include "platform/platform.h"
#include "platform/testing.h"
#include "tests/support/run_program.h"

namespace testsupport {

class DataDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = MakeTempDir("data");
    dataDir = root + "/data";
    Restart();
    ce::testing::RecordMessageBoxes(&messages);
  }

  void TearDown() override {
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
    ce::PlatformOptions options;
    options.headless = true;
    options.mute = true;
    options.dataDir = dataDir;
    std::string error;
    ASSERT_TRUE(ce::StartPlatform(options, &error)) << error;
  }

  std::string DataFile() const { return dataDir + "/reedshot.db"; }

  // The texts of the message boxes shown so far.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
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

// Runs `body` in a child process that cannot write to files it does not
// own (as a user other than root), and returns its exit status. The
// child's failures show up as a non-zero status.
template <typename Body>
int RunUnprivileged(Body body) {
  pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testsupport
