// Test support: one test window at a time on a display. Tests that run
// side by side would open their windows at the same place, each hiding the
// other from captures and taking its focus.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace testsupport {

class DisplayLock {
 public:
  DisplayLock() {
    const char* tmp = std::getenv("TMPDIR");
    const char* display = std::getenv("DISPLAY");
    std::string path = std::string(tmp != nullptr ? tmp : "/tmp") + "/reedshot-display" +
                       (display != nullptr ? display : "") + ".lock";
    fd_ = open(path.c_str(), O_CREAT | O_RDWR, 0666);
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  ~DisplayLock() {
    if (fd_ >= 0) close(fd_);
  }
  DisplayLock(const DisplayLock&) = delete;
  DisplayLock& operator=(const DisplayLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace testsupport
