// A file that is not a database is moved aside, the store kept in memory
// (as in the browser) reads and writes the same file, and where the file
// lives by default. (The other faults are tested through the settings
// store.)
#include "platform/data_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

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

ce::DWORD GetDword(ce::HKEY key, const char16_t* name) {
  ce::DWORD value = 0, type = 0, size = sizeof value;
  if (ce::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<ce::BYTE*>(&value), &size) !=
      0)
    return 0;
  return value;
}

// How many values named `name` the file on disk holds now, read by SQLite
// itself beside the running store.
int ValuesInFile(const std::string& path, const char* name) {
  sqlite3* db = nullptr;
  int count = -1;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM registry_values WHERE name = ?", -1, &query,
                       nullptr);
    sqlite3_bind_text(query, 1, name, -1, SQLITE_STATIC);
    if (sqlite3_step(query) == SQLITE_ROW) count = sqlite3_column_int(query, 0);
    sqlite3_finalize(query);
  }
  sqlite3_close(db);
  return count;
}

// A file written commit by commit (with its log) loads into memory; each
// commit there reaches the file whole at once; and that file opens as
// before, with everything in it.
TEST_F(DataStoreTest, KeptInMemoryTheSameFileIsReadAndWrittenWhole) {
  struct InMemory {
    InMemory() { ce::detail::KeepDataStoreInMemory(true); }
    ~InMemory() { ce::detail::KeepDataStoreInMemory(false); }
  };
  ce::HKEY key = nullptr;
  ASSERT_NE(OpenKey(&key), 0u);
  ASSERT_EQ(SetDword(key, u"Before", 7), 0);
  ce::RegCloseKey(key);
  {
    InMemory inMemory;
    Restart();
    ASSERT_NE(OpenKey(&key), 0u);
    EXPECT_EQ(GetDword(key, u"Before"), 7u);
    ASSERT_EQ(SetDword(key, u"After", 9), 0);
    EXPECT_EQ(ValuesInFile(DataFile(), "After"), 1);
    ASSERT_EQ(SetDword(key, u"Later", 11), 0);
    EXPECT_EQ(ValuesInFile(DataFile(), "Later"), 1);
    EXPECT_FALSE(fs::exists(DataFile() + "-journal"));
    ce::RegCloseKey(key);
    ce::StopPlatform();
  }
  Restart();
  ASSERT_NE(OpenKey(&key), 0u);
  EXPECT_EQ(GetDword(key, u"Before"), 7u);
  EXPECT_EQ(GetDword(key, u"After"), 9u);
  EXPECT_EQ(GetDword(key, u"Later"), 11u);
  ce::RegCloseKey(key);
  // Only the file: no new file left beside it.
  for (const auto& entry : fs::directory_iterator(dataDir))
    EXPECT_EQ(entry.path().filename().string().rfind(".reedshot.db", 0), std::string::npos)
        << entry.path();
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
