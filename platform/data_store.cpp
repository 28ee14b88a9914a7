#include "platform/data_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/output_file.h"
#include "platform/platform.h"

namespace ce::detail {

namespace {

constexpr char kFileName[] = "reedshot.db";
#ifdef SQLITE_OPEN_NOFOLLOW
// Never through a link at the file's name.
constexpr int kNoFollow = SQLITE_OPEN_NOFOLLOW;
#else
constexpr int kNoFollow = 0;
#endif
constexpr int kReadWrite =
    SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX | kNoFollow;
constexpr int kReadOnly = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | kNoFollow;
// Marks the file as ours ("RDSH").
constexpr int kApplicationId = 0x52445348;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS registry_keys("
    " path TEXT PRIMARY KEY COLLATE NOCASE);"
    "CREATE TABLE IF NOT EXISTS registry_values("
    " key TEXT NOT NULL COLLATE NOCASE,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " type INTEGER NOT NULL,"
    " value,"
    " PRIMARY KEY(key, name));"
    "CREATE TABLE IF NOT EXISTS databases("
    " oid INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL UNIQUE COLLATE NOCASE,"
    " type INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS records("
    " oid INTEGER PRIMARY KEY,"
    " database INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS records_by_database ON records(database, oid);"
    "CREATE TABLE IF NOT EXISTS properties("
    " record INTEGER NOT NULL,"
    " idx INTEGER NOT NULL,"
    " type INTEGER NOT NULL,"
    " value,"
    " PRIMARY KEY(record, idx));";

// Queries that a file of ours answers; one that fails marks a foreign file.
constexpr const char* kProbes[] = {
    "SELECT path FROM registry_keys LIMIT 0",
    "SELECT key, name, type, value FROM registry_values LIMIT 0",
    "SELECT oid, name, type FROM databases LIMIT 0",
    "SELECT oid, database FROM records LIMIT 0",
    "SELECT record, idx, type, value FROM properties LIMIT 0",
};

std::unique_ptr<DataStore> g_store;
void (*g_dataWritten)() = nullptr;
std::string g_storeDirectory;
#ifdef __EMSCRIPTEN__
bool g_inMemory = true;
#else
bool g_inMemory = false;
#endif

bool IsDamage(int rc) {
  int primary = rc & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// Outcome of trying one way of opening the file.
enum class OpenResult { kOpened, kDamaged, kUnusable };

OpenResult Check(sqlite3* db, bool writable) {
  Statement check(db, "PRAGMA quick_check");
  if (!check.Step()) return IsDamage(check.rc()) ? OpenResult::kDamaged : OpenResult::kUnusable;
  if (check.Text(0) != "ok") return OpenResult::kDamaged;
  Statement id(db, "PRAGMA application_id");
  std::int64_t appId = id.Step() ? id.Int(0) : 0;
  if (appId != 0 && appId != kApplicationId) return OpenResult::kDamaged;
  if (appId == 0) {
    // Unmarked: a new file, made ours now, or someone else's database,
    // moved aside untouched.
    Statement tables(db, "SELECT count(*) FROM sqlite_master");
    if (!tables.Step() || tables.Int(0) != 0) return OpenResult::kDamaged;
    if (!writable) return OpenResult::kUnusable;
    std::string sql = std::string("BEGIN IMMEDIATE;") + kSchema +
                      "PRAGMA application_id = " + std::to_string(kApplicationId) + ";COMMIT;";
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      return IsDamage(rc) ? OpenResult::kDamaged : OpenResult::kUnusable;
    }
  }
  for (const char* probe : kProbes) {
    Statement statement(db, probe);
    if (!statement.ok()) return OpenResult::kDamaged;
  }
  return OpenResult::kOpened;
}

OpenResult TryOpen(const std::string& path, int flags, sqlite3** out) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);
    return OpenResult::kUnusable;
  }
  bool writable = (flags & SQLITE_OPEN_READWRITE) != 0;
  sqlite3_busy_timeout(db, 2000);
  // Only a file found to be ours is changed.
  OpenResult result = Check(db, writable);
  if (result != OpenResult::kOpened) {
    sqlite3_close(db);
    return result;
  }
  if (writable) {
    // Write-ahead log synced at every commit: a commit that returned
    // survives a crash or power loss, and a killed process leaves the file
    // consistent.
    sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
  }
  *out = db;
  return result;
}

// The whole file, or false when it cannot be read; a missing file is empty.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
  bytes->clear();
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  struct stat info;
  bool ok = fstat(fd, &info) == 0;
  if (ok) bytes->resize(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (ok && done < bytes->size()) {
    ssize_t n = read(fd, bytes->data() + done, bytes->size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  close(fd);
  return ok;
}

// The database as its file's bytes.
std::vector<unsigned char> Serialize(sqlite3* db) {
  sqlite3_int64 size = 0;
  unsigned char* image = sqlite3_serialize(db, "main", &size, 0);
  std::vector<unsigned char> bytes(image, image + (image != nullptr ? size : 0));
  sqlite3_free(image);
  return bytes;
}

// Opens the file's contents as a database in memory (a new one when there
// is no file), checked as a file is. The file is written when the check
// made or changed it.
OpenResult TryOpenInMemory(const std::string& path, sqlite3** out) {
  std::error_code ec;
  if (std::filesystem::exists(path + "-journal", ec)) {
    // A commit cut short while the file was written page by page: SQLite
    // undoes it the first time it reads the file.
    sqlite3* file = nullptr;
    if (sqlite3_open_v2(path.c_str(), &file, kReadWrite & ~SQLITE_OPEN_CREATE, nullptr) ==
        SQLITE_OK)
      sqlite3_exec(file, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close(file);
  }
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, &bytes)) return OpenResult::kUnusable;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    sqlite3_close(db);
    return OpenResult::kUnusable;
  }
  if (!bytes.empty()) {
    // A file last written with a write-ahead log says so in its header; in
    // memory there is no log, and its contents are whole without one.
    std::vector<unsigned char> image = bytes;
    if (image.size() > 19 && image[18] == 2 && image[19] == 2) image[18] = image[19] = 1;
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(image.size()));
    if (copy != nullptr) std::memcpy(copy, image.data(), image.size());
    int rc = copy == nullptr ? SQLITE_NOMEM
                             : sqlite3_deserialize(
                                   db, "main", copy, image.size(), image.size(),
                                   SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
    if (rc != SQLITE_OK) {
      sqlite3_close(db);
      return rc == SQLITE_NOMEM ? OpenResult::kUnusable : OpenResult::kDamaged;
    }
  }
  OpenResult result = Check(db, true);
  if (result == OpenResult::kOpened) {
    std::vector<unsigned char> made = Serialize(db);
    if (made != bytes && !WriteFileReplacing(path, made.data(), made.size()))
      result = OpenResult::kUnusable;
  }
  if (result != OpenResult::kOpened) {
    sqlite3_close(db);
    return result;
  }
  *out = db;
  return result;
}

// The store's first way of opening its file, read and written.
OpenResult TryOpenWritable(const std::string& path, sqlite3** db) {
  if (g_inMemory) return TryOpenInMemory(path, db);
  return TryOpen(path, kReadWrite, db);
}

// A file name as the path of a "file:" URI.
std::string UriPath(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '%' || c == '?' || c == '#') {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out;
}

// Renames the file (and a journal that belongs to it) to a name that is not
// taken, so that nothing is ever lost. Returns the new name or "".
std::string MoveAside(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::string target = path + ".damaged";
  for (int n = 1; fs::exists(target, ec) || fs::exists(target + "-journal", ec); ++n)
    target = path + ".damaged." + std::to_string(n);
  fs::rename(path, target, ec);
  if (ec) return "";
  for (const char* suffix : {"-journal", "-wal", "-shm"})
    if (fs::exists(path + suffix, ec)) fs::rename(path + suffix, target + suffix, ec);
  return target;
}

// The first of the data file and its logs that is there but is not a
// regular file (a pipe, a device, a folder), or "". Nothing is opened.
std::string NotARegularFile(const std::string& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    struct stat info;
    std::string name = path + suffix;
    if (stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return name;
  }
  return "";
}

// True when the file at `path` is certainly not ours, by its first bytes
// alone: a link, or a header that is not an SQLite file's, or one marked by
// another program. An empty or missing file is not foreign.
bool ForeignByHeader(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return false;
  if (S_ISLNK(info.st_mode)) return true;
  if (!S_ISREG(info.st_mode) || info.st_size == 0) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  unsigned char header[100];
  const ssize_t got = read(fd, header, sizeof header);
  close(fd);
  if (got != static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
    return true;
  const std::uint32_t appId =
      (std::uint32_t{header[68]} << 24) | (header[69] << 16) | (header[70] << 8) | header[71];
  return appId != 0 && appId != static_cast<std::uint32_t>(kApplicationId);
}

void Open(const std::string& directory, sqlite3** db, bool* writable, bool* inMemory) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(directory, ec);
  const std::string path = (fs::path(directory) / kFileName).string();

  // A pipe or a device in the file's place (or its log's) would block the
  // start or feed it endless bytes: only regular files are opened.
  OpenResult result = OpenResult::kUnusable;
  if (ForeignByHeader(path)) {
    result = OpenResult::kDamaged;
  } else if (std::string odd = NotARegularFile(path); !odd.empty()) {
    std::fprintf(stderr,
                 "reedshot: %s is not a regular file; settings and scores will not be kept\n",
                 odd.c_str());
  } else {
    result = TryOpenWritable(path, db);
  }
  if (result == OpenResult::kDamaged) {
    std::string moved = MoveAside(path);
    if (!moved.empty()) {
      std::fprintf(stderr,
                   "reedshot: %s is not a usable data file; moved it to %s and starting afresh\n",
                   path.c_str(), moved.c_str());
      result = TryOpenWritable(path, db);
    } else {
      std::fprintf(stderr,
                   "reedshot: %s is not a usable data file and cannot be moved aside; "
                   "settings and scores will not be kept\n",
                   path.c_str());
    }
  }
  if (result == OpenResult::kOpened) {
    *writable = true;
    *inMemory = g_inMemory;
    return;
  }
  *writable = false;
  // Read-only: as it is, or when its log cannot be opened in a directory
  // that cannot be written, as it was last checkpointed.
  if (result == OpenResult::kUnusable && fs::exists(path, ec) && NotARegularFile(path).empty() &&
      (TryOpen(path, kReadOnly, db) == OpenResult::kOpened ||
       TryOpen("file:" + UriPath(path) + "?immutable=1",
               SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
               db) == OpenResult::kOpened)) {
    std::fprintf(stderr, "reedshot: cannot write %s; settings and scores will not be saved\n",
                 path.c_str());
    return;
  }
  if (result == OpenResult::kUnusable && NotARegularFile(path).empty())
    std::fprintf(stderr, "reedshot: cannot write in %s; settings and scores will not be saved\n",
                 directory.c_str());
  // Nothing on disk can be used: an empty store in memory that refuses writes.
  sqlite3_open_v2(":memory:", db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  sqlite3_exec(*db, kSchema, nullptr, nullptr, nullptr);
  sqlite3_exec(*db, "PRAGMA query_only = 1", nullptr, nullptr, nullptr);
}

}  // namespace

Statement::Statement(sqlite3* db, const char* sql) {
  rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::Bind(int index, std::int64_t value) {
  if (ok()) rc_ = sqlite3_bind_int64(stmt_, index, value);
  return *this;
}

Statement& Statement::Bind(int index, const std::string& text) {
  if (ok())
    rc_ = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::BindBlob(int index, const void* data, std::size_t bytes) {
  if (ok())
    rc_ = sqlite3_bind_blob(stmt_, index, bytes == 0 ? "" : data, static_cast<int>(bytes),
                            SQLITE_TRANSIENT);
  return *this;
}

bool Statement::Step() {
  if (!ok() || stmt_ == nullptr) return false;
  rc_ = sqlite3_step(stmt_);
  return rc_ == SQLITE_ROW;
}

bool Statement::Run() {
  while (Step()) {
  }
  return rc_ == SQLITE_DONE;
}

int Statement::ColumnType(int column) const { return sqlite3_column_type(stmt_, column); }

std::int64_t Statement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string Statement::Text(int column) const {
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  int bytes = sqlite3_column_bytes(stmt_, column);
  return text != nullptr ? std::string(reinterpret_cast<const char*>(text), bytes) : std::string();
}

Statement& Statement::BindReal(int index, double value) {
  if (ok()) rc_ = sqlite3_bind_double(stmt_, index, value);
  return *this;
}

double Statement::Real(int column) const { return sqlite3_column_double(stmt_, column); }

std::vector<BYTE> Statement::Blob(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  int bytes = sqlite3_column_bytes(stmt_, column);
  const BYTE* begin = static_cast<const BYTE*>(data);
  return data != nullptr ? std::vector<BYTE>(begin, begin + bytes) : std::vector<BYTE>();
}

DataStore::~DataStore() { sqlite3_close(db_); }

DWORD DataStore::WriteError(int sqliteCode) {
  switch (sqliteCode & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
      return ERROR_SUCCESS;
    case SQLITE_NOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      // Full, read-only, unreachable or locked: the device has a medium that
      // cannot take the write, which it reports as full.
      return ERROR_DISK_FULL;
  }
}

DWORD DataStore::Begin() {
  if (!writable_) return ERROR_DISK_FULL;
  // A batch whose transaction SQLite ended after a failed write: each
  // write from then on is its own transaction again.
  if (batchOpen_ && sqlite3_get_autocommit(db_) != 0) batchOpen_ = false;
  if (batchOpen_)
    return WriteError(sqlite3_exec(db_, "SAVEPOINT write", nullptr, nullptr, nullptr));
  return WriteError(sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
}

DWORD DataStore::Commit() {
  if (!batchOpen_) return CommitToFile();
  int rc = sqlite3_exec(db_, "RELEASE write", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    Rollback();
    return WriteError(rc);
  }
  batchWritten_ = true;
  return ERROR_SUCCESS;
}

DWORD DataStore::CommitToFile() {
  int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) {
    // Kept in memory: the commit reaches the file when the whole file is
    // written. A file that cannot be written is reported as full; the
    // next commit writes all of it again.
    if (inMemory_) {
      std::vector<unsigned char> bytes = Serialize(db_);
      if (bytes.empty() || !WriteFileReplacing(path_, bytes.data(), bytes.size()))
        return ERROR_DISK_FULL;
    }
    if (g_dataWritten != nullptr) g_dataWritten();
    return ERROR_SUCCESS;
  }
  DWORD error = WriteError(rc);
  Rollback();
  return error;
}

void DataStore::Rollback() {
  // SQLite may have rolled back already after a failed write.
  if (sqlite3_get_autocommit(db_) != 0) return;
  if (batchOpen_)
    sqlite3_exec(db_, "ROLLBACK TO write; RELEASE write", nullptr, nullptr, nullptr);
  else
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void DataStore::BeginBatch() {
  if (batches_++ > 0 || !writable_) return;
  batchOpen_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  batchWritten_ = false;
}

DWORD DataStore::EndBatch() {
  if (batches_ == 0 || --batches_ > 0) return ERROR_SUCCESS;
  bool open = batchOpen_ && sqlite3_get_autocommit(db_) == 0;
  bool written = batchWritten_;
  batchOpen_ = batchWritten_ = false;
  // SQLite ended the transaction after a failed write: the writes that had
  // stood in it went with it.
  if (!open) return written ? ERROR_DISK_FULL : ERROR_SUCCESS;
  if (!written) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return ERROR_SUCCESS;
  }
  return CommitToFile();
}

std::recursive_mutex& DataStoreLock() {
  static std::recursive_mutex lock;
  return lock;
}

DataStore* OpenDataStore() {
  std::string directory = ce::DataDirectory(GetPlatformOptions().dataDir);
  if (g_store && g_storeDirectory == directory) return g_store.get();
  g_store.reset(new DataStore);
  g_storeDirectory = directory;
  g_store->directory_ = directory;
  g_store->path_ = (std::filesystem::path(directory) / kFileName).string();
  Open(directory, &g_store->db_, &g_store->writable_, &g_store->inMemory_);
  if (g_dataWritten != nullptr && g_store->writable_) g_dataWritten();
  return g_store.get();
}

void SetDataWrittenListener(void (*listener)()) { g_dataWritten = listener; }

void KeepDataStoreInMemory(bool inMemory) { g_inMemory = inMemory; }

void CloseDataStore() {
  std::lock_guard<std::recursive_mutex> lock(DataStoreLock());
  g_store.reset();
  g_storeDirectory.clear();
}

bool Utf16ToStoredText(const char16_t* text, std::size_t length, std::string* out) {
  std::u16string original(text, length);
  *out = ToUtf8(original.c_str());
  return FromUtf8(*out) == original;
}

}  // namespace ce::detail

namespace ce {

namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == 0) {
    const passwd* user = getpwuid(getuid());
    home = user != nullptr ? user->pw_dir : "/tmp";
  }
  return home;
}

bool FromXdgDataHome() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  return xdg != nullptr && xdg[0] == '/';
}

}  // namespace

std::string DataDirectory(const std::string& configured) {
  if (!configured.empty()) return configured;
  if (FromXdgDataHome()) return std::string(std::getenv("XDG_DATA_HOME")) + "/reedshot";
  return HomeFolder() + "/.local/share/reedshot";
}

std::string MissingHome(const std::string& configured) {
  if (!configured.empty() || FromXdgDataHome()) return "";
  std::string home = HomeFolder();
  struct stat info;
  return stat(home.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? "" : home;
}

}  // namespace ce
