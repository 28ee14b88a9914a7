#include "platform/object_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/local_memory.h"
#include "tests/support/data_dir.h"

namespace {

using ObjectStoreTest = testsupport::DataDirTest;

ce::CEOID Create(const char16_t* name) {
  ce::CEDBASEINFO info{};
  info.dwFlags = ce::CEDB_VALIDNAME | ce::CEDB_VALIDTYPE;
  std::u16string(name).copy(info.szDbaseName, ce::CEDB_MAXDBASENAMELEN - 1);
  info.dwDbaseType = 0x42524451;
  ce::CEGUID volume{};
  return ce::CeCreateDatabaseEx(&volume, &info);
}

ce::HANDLE Open(const char16_t* name, ce::DWORD flags = 0) {
  ce::CEOID oid = 0;
  return ce::CeOpenDatabase(&oid, name, 0, flags, nullptr);
}

// Writes a record of a number (index 1), a flag (index 0) and a name
// (index 4).
ce::CEOID Write(ce::HANDLE db, ce::CEOID record, ce::LONG number, ce::BOOL flag,
                const char16_t* name) {
  std::u16string text(name);
  ce::CEPROPVAL values[3] = {};
  values[0].propid = ce::MakePropId(1, ce::CEVT_I4);
  values[0].val.lVal = number;
  values[1].propid = ce::MakePropId(0, ce::CEVT_BOOL);
  values[1].val.boolVal = flag;
  values[2].propid = ce::MakePropId(4, ce::CEVT_LPWSTR);
  values[2].val.lpwstr = text.data();
  return ce::CeWriteRecordProps(db, record, 3, values);
}

struct Record {
  ce::CEOID oid = 0;
  std::vector<ce::CEPROPVAL> values;
  std::vector<std::u16string> texts;
};

// Reads the record at the seek position, every property.
Record Read(ce::HANDLE db) {
  Record r;
  ce::WORD count = 0;
  ce::BYTE* buffer = nullptr;
  ce::DWORD size = 0;
  r.oid =
      ce::CeReadRecordPropsEx(db, ce::CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr);
  const auto* values = reinterpret_cast<const ce::CEPROPVAL*>(buffer);
  for (int i = 0; r.oid != 0 && i < count; ++i) {
    r.values.push_back(values[i]);
    r.texts.push_back(ce::TypeFromPropId(values[i].propid) == ce::CEVT_LPWSTR
                          ? std::u16string(values[i].val.lpwstr)
                          : std::u16string());
  }
  ce::LocalFree(buffer);
  return r;
}

TEST_F(ObjectStoreTest, CreateOpenAndTheirErrors) {
  ce::SetLastError(ce::ERROR_DISK_FULL);
  ce::CEOID oid = Create(u"HISCORE");
  EXPECT_NE(oid, 0u);
  EXPECT_EQ(ce::GetLastError(), 0u);  // success clears an old error
  EXPECT_EQ(Create(u"HISCORE"), 0u);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_DUP_NAME);
  EXPECT_EQ(Create(u""), 0u);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_INVALID_PARAMETER);
  EXPECT_EQ(ce::CeCreateDatabaseEx(nullptr, nullptr), 0u);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_INVALID_PARAMETER);

  EXPECT_EQ(Open(u"SCORES"), ce::INVALID_HANDLE_VALUE);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_FILE_NOT_FOUND);
  ce::CEOID opened = 0;
  ce::HANDLE db = ce::CeOpenDatabase(&opened, u"HISCORE", 0, 0, nullptr);
  ASSERT_NE(db, ce::INVALID_HANDLE_VALUE);
  EXPECT_EQ(opened, oid);
  EXPECT_TRUE(ce::CloseHandle(db));
  EXPECT_FALSE(ce::CloseHandle(db));
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_INVALID_HANDLE);
  // A closed handle is refused, not used.
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_BEGINNING, 0, nullptr), 0u);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_INVALID_HANDLE);

  Restart();
  EXPECT_EQ(Create(u"hiscore"), 0u);  // still there, whatever the case
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_DUP_NAME);
}

TEST_F(ObjectStoreTest, RecordsStandInCreationOrderAndSeekAsAsked) {
  Create(u"HISCORE");
  ce::HANDLE db = Open(u"HISCORE");
  ce::DWORD index = 99;
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_END, 0, &index), 0u);  // empty
  EXPECT_EQ(index, 99u);
  std::vector<ce::CEOID> ids;
  for (int i = 0; i < 4; ++i) ids.push_back(Write(db, 0, i * 10, i == 2, u"N"));
  for (ce::CEOID id : ids) EXPECT_NE(id, 0u);

  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_END, 0, &index), ids[3]);
  EXPECT_EQ(index, 3u);
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_BEGINNING, 0, &index), ids[0]);
  EXPECT_EQ(index, 0u);
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_CURRENT, 2, &index), ids[2]);
  EXPECT_EQ(index, 2u);
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_CURRENT, static_cast<ce::DWORD>(-1), &index),
            ids[1]);
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_END, 1, &index), ids[2]);
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_CEOID, ids[3], &index), ids[3]);
  EXPECT_EQ(index, 3u);
  // Past the end: 0, and the position stays.
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_CURRENT, 1, &index), 0u);
  EXPECT_EQ(index, 3u);
  EXPECT_EQ(Read(db).oid, ids[3]);
  EXPECT_EQ(ce::CeSeekDatabase(db, 0x40, 0, &index), 0u);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_INVALID_PARAMETER);
  ce::CloseHandle(db);
}

TEST_F(ObjectStoreTest, WritesOverwriteTheirPropertiesAndReadsReturnThemAll) {
  Create(u"HISCORE");
  ce::HANDLE db = Open(u"HISCORE");
  ce::CEOID first = Write(db, 0, 500, 1, u"Anna");
  ce::CEOID second = Write(db, 0, -3, 0, u"\u00c5sa \U0001F986");
  EXPECT_EQ(Write(db, first, 700, 0, u"Bob"), first);
  // A property not written again keeps its value.
  ce::CEPROPVAL extra{};
  extra.propid = ce::MakePropId(2, ce::CEVT_I4);
  extra.val.lVal = 9;
  EXPECT_EQ(ce::CeWriteRecordProps(db, second, 1, &extra), second);
  ce::CloseHandle(db);
  Restart();

  db = Open(u"HISCORE");
  Record r = Read(db);
  EXPECT_EQ(r.oid, first);
  ASSERT_EQ(r.values.size(), 3u);  // in index order
  EXPECT_EQ(r.values[0].propid, ce::MakePropId(0, ce::CEVT_BOOL));
  EXPECT_EQ(r.values[0].val.boolVal, 0);
  EXPECT_EQ(r.values[1].val.lVal, 700);
  EXPECT_EQ(r.texts[2], u"Bob");
  EXPECT_EQ(Read(db).oid, first);  // reading does not move on by itself
  ce::CeSeekDatabase(db, ce::CEDB_SEEK_CURRENT, 1, nullptr);
  r = Read(db);
  ASSERT_EQ(r.values.size(), 4u);
  EXPECT_EQ(r.values[0].val.boolVal, 0);
  EXPECT_EQ(r.values[1].val.lVal, -3);
  EXPECT_EQ(r.values[2].val.lVal, 9);
  EXPECT_EQ(r.texts[3], u"\u00c5sa \U0001F986");
  ce::CloseHandle(db);

  db = Open(u"HISCORE", ce::CEDB_AUTOINCREMENT);
  EXPECT_EQ(Read(db).oid, first);
  EXPECT_EQ(Read(db).oid, second);
  EXPECT_EQ(Read(db).oid, 0u);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_NO_MORE_ITEMS);
  ce::CloseHandle(db);
}

TEST_F(ObjectStoreTest, BuffersPropertyListsAndBadWrites) {
  Create(u"HISCORE");
  ce::HANDLE db = Open(u"HISCORE");
  ce::CEOID id = Write(db, 0, 42, 1, u"Carl");

  // A buffer that may not grow: the size needed comes back.
  ce::WORD count = 0;
  ce::BYTE small[8];
  ce::BYTE* buffer = small;
  ce::DWORD size = sizeof small;
  EXPECT_EQ(ce::CeReadRecordPropsEx(db, 0, &count, nullptr, &buffer, &size, nullptr), 0u);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(size, 3 * sizeof(ce::CEPROPVAL) + 5 * sizeof(char16_t));

  // Only the properties asked for, in that order; a missing one flagged.
  ce::CEPROPID wanted[2] = {ce::MakePropId(4, ce::CEVT_LPWSTR), ce::MakePropId(3, ce::CEVT_I4)};
  count = 2;
  buffer = nullptr;
  size = 0;
  EXPECT_EQ(
      ce::CeReadRecordPropsEx(db, ce::CEDB_ALLOWREALLOC, &count, wanted, &buffer, &size, nullptr),
      id);
  const auto* values = reinterpret_cast<const ce::CEPROPVAL*>(buffer);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(std::u16string(values[0].val.lpwstr), u"Carl");
  EXPECT_EQ(values[1].propid, wanted[1]);
  EXPECT_EQ(values[1].wFlags, ce::CEDB_PROPNOTFOUND);
  ce::LocalFree(buffer);

  ce::CEPROPVAL bad{};
  bad.propid = ce::MakePropId(1, 2);  // a 16-bit integer: not kept
  EXPECT_EQ(ce::CeWriteRecordProps(db, 0, 1, &bad), 0u);
  EXPECT_EQ(ce::GetLastError(), ce::ERROR_INVALID_PARAMETER);
  bad.propid = ce::MakePropId(1, ce::CEVT_LPWSTR);  // no string
  EXPECT_EQ(ce::CeWriteRecordProps(db, 0, 1, &bad), 0u);
  EXPECT_EQ(ce::CeWriteRecordProps(db, id + 100, 0, &bad), 0u);
  ce::CEPROPVAL erase{};
  erase.propid = ce::MakePropId(4, ce::CEVT_LPWSTR);
  erase.wFlags = ce::CEDB_PROPDELETE;
  EXPECT_EQ(ce::CeWriteRecordProps(db, id, 1, &erase), id);
  EXPECT_EQ(Read(db).values.size(), 2u);
  // Nothing failed was written: still one record.
  EXPECT_EQ(ce::CeSeekDatabase(db, ce::CEDB_SEEK_END, 0, nullptr), id);
  ce::CloseHandle(db);
}

}  // namespace
