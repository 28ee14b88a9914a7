// Inside the platform layer: the one SQLite file behind the registry and
// the object store, "reedshot.db" in the data directory (--data-dir, by
// default $XDG_DATA_HOME/reedshot or ~/.local/share/reedshot, made on first
// use). Every write is its own transaction, synced to the write-ahead log
// before it returns, so a process killed at any moment leaves the file
// consistent with every completed write in it. In the browser the store
// lives in memory and the whole file is written after each commit.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/types.h"

namespace ce::detail {

// One prepared statement; finalized when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return rc_ == SQLITE_OK || rc_ == SQLITE_ROW || rc_ == SQLITE_DONE; }
  int rc() const { return rc_; }

  Statement& Bind(int index, std::int64_t value);
  Statement& Bind(int index, const std::string& text);
  Statement& BindBlob(int index, const void* data, std::size_t bytes);
  Statement& BindReal(int index, double value);
  // Runs one step: true when a row came back. Check ok() after the last.
  bool Step();
  // Runs to the end; true when it succeeded.
  bool Run();

  int ColumnType(int column) const;
  std::int64_t Int(int column) const;
  std::string Text(int column) const;
  std::vector<BYTE> Blob(int column) const;
  double Real(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int rc_ = SQLITE_OK;
};

class DataStore {
 public:
  sqlite3* db() const { return db_; }
  // False when the file could not be opened for writing: every write fails.
  bool writable() const { return writable_; }

  // Runs `body` (which returns 0 or an error code) in one transaction and
  // commits it, or rolls it back on an error. Returns 0 or the error:
  // ERROR_DISK_FULL when the file is full or cannot be written.
  template <typename Body>
  DWORD Write(Body body) {
    DWORD error = Begin();
    if (error != ERROR_SUCCESS) return error;
    error = body();
    if (error != ERROR_SUCCESS) {
      Rollback();
      return error;
    }
    return Commit();
  }

  // The device's error code for a failed SQLite write.
  static DWORD WriteError(int sqliteCode);

  // The writes until the matching EndBatch are one transaction, committed
  // (or, when none was made, left) there; each Write in it stands or falls
  // on its own. Batches nest: the outermost one commits. The caller holds
  // DataStoreLock() throughout. EndBatch returns 0 or the commit's error.
  void BeginBatch();
  DWORD EndBatch();

  ~DataStore();

 private:
  friend DataStore* OpenDataStore();
  DWORD Begin();
  DWORD Commit();
  void Rollback();
  // Commits the open transaction to the file.
  DWORD CommitToFile();

  std::string directory_;
  sqlite3* db_ = nullptr;
  bool writable_ = false;
  // Kept in memory: the file is written whole after every commit.
  bool inMemory_ = false;
  std::string path_;
  int batches_ = 0;            // batches begun and not yet ended
  bool batchOpen_ = false;     // the outermost batch's transaction is open
  bool batchWritten_ = false;  // a write in it stood
};

// Every registry and object-store call holds this lock while it runs.
std::recursive_mutex& DataStoreLock();
// The store for the current data directory, opened (and the directory and
// file made) on first use. Never null: when no file can be used the store
// lives in memory and cannot be written.
DataStore* OpenDataStore();
void CloseDataStore();
// Called after every commit that reached the file, and when the store is
// opened (which may create or repair it): the browser copies the data
// folder to its lasting storage then. Null: nothing is called.
void SetDataWrittenListener(void (*listener)());
// Whether a store opened from now on lives in memory: its file is read
// whole when it opens and written whole (beside the name, then renamed over
// it) after every commit, a handful of file calls instead of one or more
// for each page SQLite touches. On by default in the browser, where every
// file call is a wait for the page's thread; off on the desktop, where the
// write-ahead log keeps each commit cheap.
void KeepDataStoreInMemory(bool inMemory);

// UTF-16 text as it is kept in the file: UTF-8 when it converts there and
// back unchanged, otherwise false (the caller keeps the raw bytes).
bool Utf16ToStoredText(const char16_t* text, std::size_t length, std::string* out);

}  // namespace ce::detail
