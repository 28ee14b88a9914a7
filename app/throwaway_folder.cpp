#include "app/throwaway_folder.h"

#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/output_file.h"

namespace app {

namespace {

namespace fs = std::filesystem;

constexpr char kPrefix[] = "reedshot-data-";
constexpr char kOwnerFile[] = "reedshot.owner";

// $TMPDIR when it is a folder, else /tmp (said once).
std::string TemporaryRoot() {
  const char* tmpdir = std::getenv("TMPDIR");
  if (tmpdir == nullptr || tmpdir[0] == 0) return "/tmp";
  struct stat info;
  if (stat(tmpdir, &info) == 0 && S_ISDIR(info.st_mode)) return tmpdir;
  std::fprintf(stderr, "reedshot: TMPDIR (%s) is not a folder; using /tmp\n", tmpdir);
  return "/tmp";
}

// Removes the folders in `root` whose owner has ended without removing
// them (it was killed). Only the user's own folders are looked at, and one
// without an owner's mark is left alone: its run may be making it now.
void RemoveOrphans(const std::string& root) {
  std::error_code ec;
  for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    struct stat info;
    if (name.rfind(kPrefix, 0) != 0 || lstat(it->path().c_str(), &info) != 0 ||
        !S_ISDIR(info.st_mode) || info.st_uid != geteuid())
      continue;
    std::ifstream owner(it->path() / kOwnerFile);
    long pid = 0;
    if (!(owner >> pid) || pid <= 0) continue;
    if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    std::error_code removing;
    fs::remove_all(it->path(), removing);
  }
}

}  // namespace

std::string MakeThrowawayFolder(const char* what) {
  const std::string root = TemporaryRoot();
  RemoveOrphans(root);
  std::string dir = root + "/" + kPrefix + "XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) {
    std::fprintf(stderr, "reedshot: cannot create a data directory for the %s in %s\n", what,
                 root.c_str());
    return "";
  }
  const std::string pid = std::to_string(getpid()) + "\n";
  if (!ce::WriteFileReplacing(dir + "/" + kOwnerFile, pid.data(), pid.size())) {
    std::fprintf(stderr, "reedshot: cannot write in %s\n", dir.c_str());
    RemoveThrowawayFolder(dir);
    return "";
  }
  return dir;
}

void RemoveThrowawayFolder(const std::string& dir) {
  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace app
