// The program's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app {

struct CommandLine {
  int scale = 0;
  bool fullscreen = false;
  bool portrait = false;
  std::string dataDir;
  bool mute = false;
  bool headless = false;
  std::string script;  // "-" reads standard input
  std::string screenshots;
  std::string audioOut;
  std::optional<int> playSound;
  std::string extractDir;
  std::string contactSheet;
  std::optional<std::string> demoDir;
  std::string record;
  std::string replay;
  std::string watch;   // a game record to watch
  int exportRank = 0;  // --export-game: the table's place, 1 to 10
  std::string exportFile;
  bool help = false;
  bool version = false;
};

struct ParseResult {
  bool ok = true;
  std::string error;  // one line, when !ok
  CommandLine options;
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);
const char* Usage();

}  // namespace app
