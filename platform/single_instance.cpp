#include "platform/single_instance.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

namespace ce {

namespace {

[[maybe_unused]] constexpr char kLockName[] = "reedshot.lock";  // unused in the browser
constexpr char kSocketName[] = "reedshot.sock";
// How long a second start waits for a run that holds the lock to answer:
// a game that is starting opens its window within this time.
constexpr auto kAnswerBound = std::chrono::seconds(3);

int g_lock = -1;      // the lock file while this run holds it
int g_folder = -1;    // the data folder, open while the lock is taken or held
bool g_held = false;  // another run holds the lock
int g_listener = -1;
std::string g_dir;

// The socket's address: its path in the folder, or, when that is too long
// for an address, the same file reached through this process's open folder.
bool SocketAddress(sockaddr_un* address) {
  if (g_folder < 0) return false;
  std::string full = g_dir + "/" + kSocketName;
  if (full.size() >= sizeof(address->sun_path))
    full = "/proc/self/fd/" + std::to_string(g_folder) + "/" + kSocketName;
  if (full.size() >= sizeof(address->sun_path)) return false;
  std::memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path, full.c_str(), full.size() + 1);
  return true;
}

#ifndef __EMSCRIPTEN__
// Opens the lock file of the open folder: a regular file of the user's,
// never reached through a link. Anything else at its name is replaced by a
// new file, renamed over it. -1 with errno when it cannot be opened;
// *replaceFailed when something is in its place that cannot be replaced.
int OpenLockFile(int folder, bool* replaceFailed) {
  *replaceFailed = false;
  for (int attempt = 0; attempt < 3; ++attempt) {
    int lock =
        openat(folder, kLockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (lock < 0 && (errno == EROFS || errno == EACCES))
      lock = openat(folder, kLockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (lock >= 0 && fstat(lock, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid())
      return lock;
    const int why = errno;
    if (lock >= 0) {
      close(lock);
    } else if (why != ELOOP && why != EISDIR && why != ENXIO && why != EACCES &&
               why != EWOULDBLOCK) {
      return -1;
    }
    // Ours to replace: a new file beside it, renamed over the name.
    const std::string temp = std::string(".") + kLockName + "." + std::to_string(getpid());
    int fresh =
        openat(folder, temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fresh < 0) {
      *replaceFailed = why != EROFS && errno != EROFS && errno != EACCES;
      errno = why;
      return -1;
    }
    close(fresh);
    if (renameat(folder, temp.c_str(), folder, kLockName) != 0) {
      unlinkat(folder, temp.c_str(), 0);
      *replaceFailed = true;
      return -1;
    }
  }
  *replaceFailed = true;
  return -1;
}

// True when the lock's name still leads to the open file `lock`: a run that
// replaced it meanwhile holds another file.
bool StillAtItsName(int folder, int lock) {
  struct stat open, named;
  return fstat(lock, &open) == 0 && fstatat(folder, kLockName, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}
#endif

}  // namespace

FolderLock LockDataFolder(const std::string& dir, std::string* why) {
  ReleaseDataFolder();
#ifdef __EMSCRIPTEN__
  // The browser's page is the only run on its storage.
  (void)dir;
  (void)why;
  return FolderLock::kTaken;
#else
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  int folder = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return FolderLock::kUnusable;
  const std::string name = dir + "/" + kLockName;
  auto refuse = [&](const std::string& reason) {
    if (why != nullptr) *why = reason;
    close(folder);
    return FolderLock::kRefused;
  };
  for (int attempt = 0; attempt < 5; ++attempt) {
    bool replaceFailed = false;
    int lock = OpenLockFile(folder, &replaceFailed);
    if (replaceFailed)
      return refuse(name + " is not a file of yours and cannot be replaced; remove it");
    if (lock < 0) {
      // A folder that cannot be written: nothing will be saved in it.
      close(folder);
      return FolderLock::kUnusable;
    }
    if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      close(lock);
      if (error != EWOULDBLOCK)
        return refuse("the file system of " + dir + " takes no locks; use another --data-dir");
      g_folder = folder;
      g_dir = dir;
      g_held = true;
      return FolderLock::kHeld;
    }
    if (StillAtItsName(folder, lock)) {
      g_folder = folder;
      g_dir = dir;
      g_lock = lock;
      return FolderLock::kTaken;
    }
    close(lock);
  }
  return refuse(name + " keeps changing; remove it");
#endif
}

void ReleaseDataFolder() {
  detail::StopListening();
  // Closing the file ends the lock.
  if (g_lock >= 0) close(g_lock);
  if (g_folder >= 0) close(g_folder);
  g_lock = g_folder = -1;
  g_held = false;
}

namespace detail {

bool OtherInstanceRunning() { return g_held; }

bool RaiseOtherInstance() {
  sockaddr_un address;
  if (!g_held || !SocketAddress(&address)) return false;
  auto deadline = std::chrono::steady_clock::now() + kAnswerBound;
  for (;;) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) {
      const char request[] = "raise\n";
      bool sent = write(fd, request, sizeof(request) - 1) == sizeof(request) - 1;
      close(fd);
      return sent;
    }
    close(fd);
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void ListenForOtherInstances() {
#ifndef __EMSCRIPTEN__
  sockaddr_un address;
  if (g_listener >= 0 || g_lock < 0 || !SocketAddress(&address)) return;
  // Only the holder of the lock makes the socket: one left there was a
  // crashed run's.
  unlinkat(g_folder, kSocketName, 0);
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return;
  // Nobody but the user may connect: the mode is set before it listens.
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      fchmodat(g_folder, kSocketName, 0600, 0) != 0 || listen(fd, 4) != 0) {
    close(fd);
    unlinkat(g_folder, kSocketName, 0);
    return;
  }
  g_listener = fd;
#endif
}

bool PollRaiseRequests() {
  if (g_listener < 0) return false;
  bool raise = false;
  for (;;) {
    int client = accept4(g_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) break;
    raise = true;  // any contact is a request to come to the front
    close(client);
  }
  return raise;
}

void StopListening() {
  if (g_listener < 0) return;
  close(g_listener);
  g_listener = -1;
  if (g_folder >= 0) unlinkat(g_folder, kSocketName, 0);
}

}  // namespace detail

}  // namespace ce
