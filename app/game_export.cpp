#include "app/game_export.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "persistence/high_score_table.h"
#include "platform/game_records.h"
#include "platform/output_file.h"
#include "platform/platform.h"

namespace app {

namespace {

// 2587 as "2,587".
std::string Grouped(int value) {
  std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return value < 0 ? "-" + out : out;
}

}  // namespace

int WatchVerdict(const drivers::WatchDriver& watch) {
  const drivers::WatchStatus& status = watch.status();
  if (watch.late()) {
    std::fprintf(stderr,
                 "reedshot: the record's game begins before the main menu can be reached\n");
    return 1;
  }
  if (!watch.finished()) {
    std::fprintf(stderr, "reedshot: the record's game did not run to its end\n");
    return 1;
  }
  if (status.score != status.claimedScore) {
    std::fprintf(stderr, "reedshot: this record claims %s; its game scores %s\n",
                 Grouped(status.claimedScore).c_str(), Grouped(status.score).c_str());
    return 1;
  }
  return 0;
}

int ExportGame(const CommandLine& options) {
  // Reading the table makes nothing: a folder without a data file has none.
  const std::string dataDir = ce::DataDirectory(options.dataDir);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(dataDir + "/reedshot.db", ec)) {
    std::fprintf(stderr, "reedshot: there is no high-score table in %s\n", dataDir.c_str());
    return 2;
  }
  ce::PlatformOptions platform;
  platform.headless = true;
  platform.mute = true;
  platform.dataDir = options.dataDir;
  std::string error;
  if (!ce::StartPlatform(platform, &error)) {
    std::fprintf(stderr, "reedshot: %s\n", error.c_str());
    return 1;
  }
  // The table as the high-score screen shows it, best first.
  HighScoreTable table;
  table.Load();
  table.SortByScore();
  const HighScoreEntry& entry = table.entries[options.exportRank - 1];
  std::vector<ce::BYTE> record;
  const bool kept = ce::FindGameRecord(ce::GameRecordKey(entry.name, entry.score), &record);
  ce::StopPlatform();
  if (entry.score == 0 && entry.name[0] == 0) {
    std::fprintf(stderr, "reedshot: place %d of the high-score table is empty\n",
                 options.exportRank);
    return 2;
  }
  if (!kept) {
    std::fprintf(stderr, "reedshot: the game of place %d was not kept\n", options.exportRank);
    return 2;
  }
  if (!ce::WriteFileReplacing(options.exportFile, record.data(), record.size(), &error)) {
    std::fprintf(stderr, "reedshot: cannot write %s: %s\n", options.exportFile.c_str(),
                 error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace app
