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

}  // namespace

FolderLock LockDataFolder(const std::string& dir) {
  ReleaseDataFolder();
#ifdef __EMSCRIPTEN__
  // The browser's page is the only run on its storage.
  (void)dir;
  return FolderLock::kTaken;
#else
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  int folder = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return FolderLock::kUnusable;
  // Never through a link: the lock is a file of the folder itself.
  int lock = openat(folder, kLockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  struct stat info;
  if (lock < 0 || fstat(lock, &info) != 0 || info.st_uid != geteuid()) {
    if (lock >= 0) close(lock);
    close(folder);
    return FolderLock::kUnusable;
  }
  g_folder = folder;
  g_dir = dir;
  if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
    // A file system without locks takes none: the run goes on unlocked.
    const bool held = errno == EWOULDBLOCK;
    close(lock);
    g_held = held;
    return held ? FolderLock::kHeld : FolderLock::kUnusable;
  }
  g_lock = lock;
  return FolderLock::kTaken;
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
