// One run per data folder. Every run of the game holds an advisory lock on
// "reedshot.lock" in its data folder while it runs; a second run on the
// same folder finds it held. Beside the lock, a desktop run listens on the
// socket "reedshot.sock" (mode 0600), through which a second start asks it
// to come to the front.
#pragma once

#include <string>

namespace ce {

enum class FolderLock {
  kTaken,     // this run holds the lock now
  kHeld,      // another run holds it
  kUnusable,  // no lock file can be made there (the folder cannot be written)
  kRefused,   // something in the lock's place cannot be replaced, or locks fail
};

// Takes the lock of `dir` (made when missing) until ReleaseDataFolder or
// the end of the process. Whatever is at the lock's name that is not a
// regular file of the user's (a link, a folder, another user's file) is
// replaced by one; when that cannot be done, or the file system takes no
// locks, the result is kRefused and *why says what to remove.
FolderLock LockDataFolder(const std::string& dir, std::string* why = nullptr);
void ReleaseDataFolder();

}  // namespace ce

namespace ce::detail {

// True when another run holds the lock of this run's data folder.
bool OtherInstanceRunning();
// Asks that run to come to the front; false when it has no window that
// answers within a few seconds.
bool RaiseOtherInstance();
// Starts listening beside the lock this run holds; the running game
// answers through PollRaiseRequests.
void ListenForOtherInstances();
// True when another start asked this one to come to the front.
bool PollRaiseRequests();
void StopListening();

}  // namespace ce::detail
