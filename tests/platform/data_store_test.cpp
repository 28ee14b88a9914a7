// A file that is not a database is moved aside, and where the file lives
// by default. (The other faults are tested through the settings store.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/registry.h"
#include "tests/support/data_dir.h"

namespace {

namespace fs = std::filesystem;
using DataStoreTest = testsupport::DataDirTest;

// Opens (creating) the game's key; returns the disposition, 0 on failure.
ce::DWORD OpenKey(ce::HKEY* key) {
  ce::DWORD disposition = 0;
  if (ce::RegCreateKeyExW(ce::HKEY_CURRENT_USER, u"Tarnwick\\Reedshot", 0, nullptr, 0, 0, nullptr,
                          key, &disposition) != 0)
    return 0;
  return disposition;
}

ce::LONG SetDword(ce::HKEY key, const char16_t* name, ce::DWORD v) {
  return ce::RegSetValueExW(key, name, 0, ce::REG_DWORD, reinterpret_cast<ce::BYTE*>(&v), 4);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST_F(DataStoreTest, AFileThatIsNotADatabaseIsMovedAsideAndKept) {
  fs::create_directories(dataDir);
  const std::string junk(5000, 'x');
  WriteFile(DataFile(), junk);
  WriteFile(DataFile() + ".damaged", "an older one");
  Restart();

  ::testing::internal::CaptureStderr();
  ce::HKEY key = nullptr;
  EXPECT_EQ(OpenKey(&key), ce::REG_CREATED_NEW_KEY);  // afresh
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(SetDword(key, u"LastScores", 5), 0);
  ce::RegCloseKey(key);

  // The earlier damaged file is not overwritten; the new one goes beside it.
  EXPECT_EQ(testsupport::ReadFile(DataFile() + ".damaged"), "an older one");
  EXPECT_EQ(testsupport::ReadFile(DataFile() + ".damaged.1"), junk);
  EXPECT_NE(err.find(DataFile() + ".damaged.1"), std::string::npos) << err;
}

TEST(DataDirectoryTest, OptionThenXdgDataHomeThenHome) {
  std::string oldXdg = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
  std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_DATA_HOME", "/srv/data", 1);
  setenv("HOME", "/home/player", 1);
  EXPECT_EQ(ce::DataDirectory("/opt/here"), "/opt/here");
  EXPECT_EQ(ce::DataDirectory(""), "/srv/data/reedshot");
  setenv("XDG_DATA_HOME", "relative/dir", 1);  // not absolute: ignored
  EXPECT_EQ(ce::DataDirectory(""), "/home/player/.local/share/reedshot");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(ce::DataDirectory(""), "/home/player/.local/share/reedshot");
  if (oldXdg.empty())
    unsetenv("XDG_DATA_HOME");
  else
    setenv("XDG_DATA_HOME", oldXdg.c_str(), 1);
  setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
