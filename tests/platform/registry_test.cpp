#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/data_dir.h"

namespace {

using RegistryTest = testsupport::DataDirTest;

ce::HKEY Create(const char16_t* path, ce::DWORD* disposition = nullptr) {
  ce::HKEY key = nullptr;
  ce::DWORD d = 0;
  EXPECT_EQ(ce::RegCreateKeyExW(ce::HKEY_CURRENT_USER, path, 0, nullptr, 0, 0, nullptr, &key, &d),
            0);
  if (disposition != nullptr) *disposition = d;
  return key;
}

ce::LONG SetDword(ce::HKEY key, const char16_t* name, ce::DWORD v) {
  return ce::RegSetValueExW(key, name, 0, ce::REG_DWORD, reinterpret_cast<ce::BYTE*>(&v), 4);
}

ce::LONG SetText(ce::HKEY key, const char16_t* name, const std::u16string& text) {
  return ce::RegSetValueExW(key, name, 0, ce::REG_SZ,
                            reinterpret_cast<const ce::BYTE*>(text.c_str()),
                            static_cast<ce::DWORD>((text.size() + 1) * 2));
}

TEST_F(RegistryTest, KeysAreCreatedOnceThenOpenedAcrossRuns) {
  ce::DWORD disposition = 0;
  ce::HKEY key = Create(u"Tarnwick\\Reedshot", &disposition);
  EXPECT_EQ(disposition, ce::REG_CREATED_NEW_KEY);
  EXPECT_EQ(ce::RegCloseKey(key), 0);
  EXPECT_EQ(ce::RegCloseKey(key), static_cast<ce::LONG>(ce::ERROR_INVALID_HANDLE));

  key = Create(u"Tarnwick\\Reedshot", &disposition);
  EXPECT_EQ(disposition, ce::REG_OPENED_EXISTING_KEY);
  ce::RegCloseKey(key);
  // The key on the way was made too; names are not case-sensitive.
  key = Create(u"TARNWICK", &disposition);
  EXPECT_EQ(disposition, ce::REG_OPENED_EXISTING_KEY);
  ce::RegCloseKey(key);

  Restart();
  key = Create(u"tarnwick\\reedshot", &disposition);
  EXPECT_EQ(disposition, ce::REG_OPENED_EXISTING_KEY);
  ce::RegCloseKey(key);

  ce::HKEY bad = nullptr;
  EXPECT_EQ(ce::RegCreateKeyExW(ce::HKEY_CURRENT_USER, u"a\\\\b", 0, nullptr, 0, 0, nullptr, &bad,
                                nullptr),
            static_cast<ce::LONG>(ce::ERROR_INVALID_PARAMETER));
  EXPECT_EQ(bad, nullptr);
}

TEST_F(RegistryTest, ValuesReadBackAsWrittenAndSurviveARestart) {
  ce::HKEY key = Create(u"Tarnwick\\Reedshot");
  EXPECT_EQ(SetDword(key, u"SoundVol", 0xFFFFFFFFu), 0);
  EXPECT_EQ(SetText(key, u"UserName", u"Zo\u00eb"), 0);
  // Bytes that are not a terminated string stay as they are.
  const ce::BYTE odd[] = {'A', 0, 0, 0, 'B', 0};
  EXPECT_EQ(ce::RegSetValueExW(key, u"Odd", 0, ce::REG_SZ, odd, sizeof odd), 0);
  EXPECT_EQ(SetDword(key, u"SoundVol", 42), 0);  // overwrites
  ce::RegCloseKey(key);
  Restart();

  key = Create(u"Tarnwick\\Reedshot");
  ce::DWORD type = 0, v = 0, size = sizeof v;
  EXPECT_EQ(ce::RegQueryValueExW(key, u"soundvol", nullptr, &type, reinterpret_cast<ce::BYTE*>(&v),
                                 &size),
            0);
  EXPECT_EQ(type, ce::REG_DWORD);
  EXPECT_EQ(v, 42u);
  EXPECT_EQ(size, 4u);

  char16_t text[8] = {};
  size = sizeof text;
  EXPECT_EQ(ce::RegQueryValueExW(key, u"UserName", nullptr, &type,
                                 reinterpret_cast<ce::BYTE*>(text), &size),
            0);
  EXPECT_EQ(type, ce::REG_SZ);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(std::u16string(text), u"Zo\u00eb");

  ce::BYTE raw[16] = {};
  size = sizeof raw;
  EXPECT_EQ(ce::RegQueryValueExW(key, u"Odd", nullptr, nullptr, raw, &size), 0);
  ASSERT_EQ(size, sizeof odd);
  EXPECT_EQ(std::memcmp(raw, odd, sizeof odd), 0);
  ce::RegCloseKey(key);
}

TEST_F(RegistryTest, SizeQueriesShortBuffersAndMissingValues) {
  ce::HKEY key = Create(u"Tarnwick\\Reedshot");
  SetText(key, u"PlayerName", u"ABCDEFGHIJ");
  ce::DWORD size = 0;
  EXPECT_EQ(ce::RegQueryValueExW(key, u"PlayerName", nullptr, nullptr, nullptr, &size), 0);
  EXPECT_EQ(size, 22u);

  char16_t small[9];
  std::memset(small, 0x55, sizeof small);
  size = sizeof small;
  EXPECT_EQ(ce::RegQueryValueExW(key, u"PlayerName", nullptr, nullptr,
                                 reinterpret_cast<ce::BYTE*>(small), &size),
            static_cast<ce::LONG>(ce::ERROR_MORE_DATA));
  EXPECT_EQ(size, 22u);
  EXPECT_EQ(small[0], 0x5555);  // nothing copied

  size = 4;
  ce::DWORD v = 7;
  EXPECT_EQ(ce::RegQueryValueExW(key, u"NegPoints", nullptr, nullptr,
                                 reinterpret_cast<ce::BYTE*>(&v), &size),
            static_cast<ce::LONG>(ce::ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(v, 7u);
  EXPECT_EQ(ce::RegQueryValueExW(key, u"PlayerName", nullptr, nullptr,
                                 reinterpret_cast<ce::BYTE*>(&v), nullptr),
            static_cast<ce::LONG>(ce::ERROR_INVALID_PARAMETER));
  ce::RegCloseKey(key);
}

}  // namespace
