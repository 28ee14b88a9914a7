// The data folders the demo and a replay use and throw away: made in
// $TMPDIR (or /tmp), marked with the pid of the run that owns them, and
// removed at the end of that run; those of runs that were killed are
// removed by the next one.
#pragma once

#include <string>

namespace app {

// A fresh folder; "" with a message on standard error when none can be made.
std::string MakeThrowawayFolder(const char* what);
void RemoveThrowawayFolder(const std::string& dir);

}  // namespace app
