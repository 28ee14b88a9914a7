// The data file's faults: damaged files moved aside, directories that
// cannot be written, and where the file lives by default.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/error.h"
#include "platform/object_store.h"
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

bool GetDword(ce::HKEY key, const char16_t* name, ce::DWORD* v) {
  ce::DWORD size = 4;
  return ce::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<ce::BYTE*>(v), &size) ==
         0;
}

ce::CEOID CreateDatabase() {
  ce::CEDBASEINFO info{};
  info.dwFlags = ce::CEDB_VALIDNAME;
  std::u16string(u"HISCORE").copy(info.szDbaseName, 7);
  return ce::CeCreateDatabaseEx(nullptr, &info);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Makes a file with the key and one value in it.
void MakeFileWithValue(ce::DWORD v) {
  ce::HKEY key = nullptr;
  ASSERT_NE(OpenKey(&key), 0u);
  ASSERT_EQ(SetDword(key, u"LastScores", v), 0);
  ce::RegCloseKey(key);
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

TEST_F(DataStoreTest, ADamagedDatabaseIsMovedAsideAndTheGameStartsAfresh) {
  MakeFileWithValue(77);
  ASSERT_NE(CreateDatabase(), 0u);
  ce::StopPlatform();
  // Wreck every page after the first.
  std::string bytes = testsupport::ReadFile(DataFile());
  ASSERT_GT(bytes.size(), 8192u);
  for (size_t i = 4096; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  WriteFile(DataFile(), bytes);
  Restart();

  ::testing::internal::CaptureStderr();
  ce::HKEY key = nullptr;
  EXPECT_EQ(OpenKey(&key), ce::REG_CREATED_NEW_KEY);
  ::testing::internal::GetCapturedStderr();
  ce::DWORD v = 0;
  EXPECT_FALSE(GetDword(key, u"LastScores", &v));
  ce::RegCloseKey(key);
  EXPECT_NE(CreateDatabase(), 0u);  // the new file has none yet
  EXPECT_EQ(testsupport::ReadFile(DataFile() + ".damaged"), bytes);
}

TEST_F(DataStoreTest, AReadOnlyFileIsReadButRefusesEveryWrite) {
  MakeFileWithValue(1234);
  ASSERT_NE(CreateDatabase(), 0u);
  ce::StopPlatform();
  const std::string before = testsupport::ReadFile(DataFile());
  chmod(root.c_str(), 0755);
  chmod(DataFile().c_str(), 0444);
  chmod(dataDir.c_str(), 0555);

  int status = testsupport::RunUnprivileged([&] {
    Restart();
    ce::HKEY key = nullptr;
    ce::DWORD v = 0;
    bool ok = OpenKey(&key) == ce::REG_OPENED_EXISTING_KEY && GetDword(key, u"LastScores", &v) &&
              v == 1234;
    ok = ok && SetDword(key, u"LastScores", 1) == static_cast<ce::LONG>(ce::ERROR_DISK_FULL);
    ce::RegCloseKey(key);
    ce::CEOID oid = 0;
    ce::HANDLE db = ce::CeOpenDatabase(&oid, u"HISCORE", 0, 0, nullptr);
    ce::CEPROPVAL value{};
    value.propid = ce::MakePropId(1, ce::CEVT_I4);
    ok = ok && db != ce::INVALID_HANDLE_VALUE && ce::CeWriteRecordProps(db, 0, 1, &value) == 0 &&
         ce::GetLastError() == ce::ERROR_DISK_FULL;
    ce::CloseHandle(db);
    ok = ok && CreateDatabase() == 0 && ce::GetLastError() == ce::ERROR_DUP_NAME;
    ce::StopPlatform();
    return ok;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(testsupport::ReadFile(DataFile()), before);
}

TEST_F(DataStoreTest, ADirectoryThatCannotBeMadeLeavesAnEmptyStoreThatRefusesWrites) {
  chmod(root.c_str(), 0555);
  int status = testsupport::RunUnprivileged([&] {
    Restart();
    ce::HKEY key = nullptr;
    bool ok = OpenKey(&key) == 0;
    ok = ok && CreateDatabase() == 0 && ce::GetLastError() == ce::ERROR_DISK_FULL;
    ce::CEOID oid = 0;
    ok = ok && ce::CeOpenDatabase(&oid, u"HISCORE", 0, 0, nullptr) == ce::INVALID_HANDLE_VALUE &&
         ce::GetLastError() == ce::ERROR_FILE_NOT_FOUND;
    ce::StopPlatform();
    return ok;
  });
  chmod(root.c_str(), 0700);
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(fs::exists(dataDir));
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
