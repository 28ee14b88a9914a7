#include "drivers/game_archive.h"

#include <algorithm>

#include "drivers/state_snapshot.h"
#include "persistence/high_score_table.h"
#include "persistence/settings.h"

namespace drivers {

GameArchive::GameArchive() : recorder_([this](const GameRecord& record) { waiting_ = record; }) {
  ce::AddRunObserver(this);
  current_ = this;
  HighScoreTable::afterSave = &GameArchive::TableSaved;
}

GameArchive::~GameArchive() {
  HighScoreTable::afterSave = nullptr;
  current_ = nullptr;
  ce::RemoveRunObserver(this);
}

GameArchive* GameArchive::current_ = nullptr;

void GameArchive::TableSaved(const HighScoreTable& table) {
  std::vector<ce::GameRecordKey> entries;
  for (const HighScoreEntry& e : table.entries)
    if (e.score != 0 || e.name[0] != 0) entries.emplace_back(e.name, e.score);
  auto& entered = current_->entered_;
  if (entered && std::find(entries.begin(), entries.end(), entered->first) != entries.end() &&
      ce::KeepGameRecord(entered->first, entered->second))
    entered.reset();
  ce::KeepOnlyGameRecords(entries);
}

void GameArchive::MessageTaken(const ce::MSG&) {
  if (!waiting_) return;
  const SettingsStore* settings = CurrentProgramParts().settings;
  if (settings == nullptr || settings->highScores == nullptr || settings->resultPending != 0)
    return;
  // The high-score screen took the result: the game is kept when it went
  // in, as the newest entry.
  const ce::GameRecordKey key(waiting_->name, waiting_->claimedScore);
  bool entered = false;
  for (const HighScoreEntry& e : settings->highScores->entries)
    entered = entered || (e.isNewest != 0 && ce::GameRecordKey(e.name, e.score) == key);
  if (entered) entered_.emplace(key, EncodeGameRecord(*waiting_));
  waiting_.reset();
}

void GameArchive::RunEnded() { waiting_.reset(); }

}  // namespace drivers
