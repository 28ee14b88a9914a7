// The games kept with the high scores, from the command line: the verdict
// of a record watched headless, and an entry's game written to a file.
#pragma once

#include "app/command_line.h"
#include "drivers/watch.h"

namespace app {

// 0 when the game played from the record scores what it claims, 1 when it
// does not (said in one line) or did not run to its end.
int WatchVerdict(const drivers::WatchDriver& watch);
// --export-game: 0 when the file is written; 2 when the place holds no game.
int ExportGame(const CommandLine& options);

}  // namespace app
