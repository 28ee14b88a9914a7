#include "platform/output_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace ce {

namespace {

// The folder of `path` with its slash ("" for the current one).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Syncs the folder so that a rename in it survives a power cut. Some file
// systems (the browser's) cannot open a folder; the rename still holds there.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Fail() {
  error_ = std::strerror(errno);
  return false;
}

void OutputFile::Discard() {
  if (fd_ < 0) return;
  close(fd_);
  unlink(temp_.c_str());
  fd_ = -1;
}

bool OutputFile::Open(const std::string& path) {
  Discard();
  error_.clear();
  path_ = path;
  const std::string folder = FolderOf(path);
  const std::string name = path.substr(folder.size());
  if (name.empty()) {
    errno = EISDIR;
    return Fail();
  }
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_ = folder + "." + name + "." + std::to_string(getpid()) + "-" + std::to_string(counter++) +
            ".tmp";
    fd_ = open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    end_ = 0;
    if (fd_ >= 0) return true;
    if (errno != EEXIST) return Fail();
  }
  return Fail();
}

bool OutputFile::Write(const void* data, std::size_t size) { return WriteAt(end_, data, size); }

bool OutputFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (fd_ < 0) return false;
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = pwrite(fd_, bytes, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return Fail();
    }
    bytes += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<std::uint64_t>(n);
    if (offset > end_) end_ = offset;
  }
  return true;
}

bool OutputFile::Commit() {
  if (fd_ < 0) return false;
  if (fsync(fd_) != 0 && errno != EINVAL) {
    Fail();
    Discard();
    return false;
  }
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0 || rename(temp_.c_str(), path_.c_str()) != 0) {
    Fail();
    unlink(temp_.c_str());
    return false;
  }
  SyncFolder(FolderOf(path_));
  return true;
}

bool WriteFileReplacing(const std::string& path, const void* data, std::size_t size,
                        std::string* error) {
  OutputFile file;
  const bool ok = file.Open(path) && file.Write(data, size) && file.Commit();
  if (!ok && error) *error = file.Error();
  return ok;
}

}  // namespace ce
