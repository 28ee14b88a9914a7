#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace ce::detail {

namespace {

int g_listener = -1;
int g_otherInstance = -1;
std::string g_path;

std::string SocketPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string dir = runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
  const char* display = std::getenv("WAYLAND_DISPLAY");
  if (display == nullptr || *display == '\0') display = std::getenv("DISPLAY");
  std::string name = display != nullptr ? display : "";
  for (char& c : name)
    if (c == '/') c = '_';
  return dir + "/reedshot-" + std::to_string(getuid()) + "-" + name + ".sock";
}

bool FillAddress(sockaddr_un* address, const std::string& path) {
  if (path.size() >= sizeof(address->sun_path)) return false;
  std::memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

int Connect(const std::string& path) {
  sockaddr_un address;
  if (!FillAddress(&address, path)) return -1;
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool OtherInstanceRunning() {
  if (g_listener >= 0) return false;
  if (g_otherInstance < 0) g_otherInstance = Connect(SocketPath());
  return g_otherInstance >= 0;
}

bool RaiseOtherInstance() {
  if (g_otherInstance < 0) return false;
  const char request[] = "raise\n";
  bool sent = write(g_otherInstance, request, sizeof(request) - 1) == sizeof(request) - 1;
  close(g_otherInstance);
  g_otherInstance = -1;
  return sent;
}

void ListenForOtherInstances() {
  if (g_listener >= 0) return;
  g_path = SocketPath();
  sockaddr_un address;
  if (!FillAddress(&address, g_path)) return;
  // A socket file nobody answers on is left over from a crashed run.
  int probe = Connect(g_path);
  if (probe >= 0) {
    close(probe);
    return;
  }
  unlink(g_path.c_str());
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(fd, 4) != 0) {
    close(fd);
    return;
  }
  g_listener = fd;
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
  unlink(g_path.c_str());
}

}  // namespace ce::detail
