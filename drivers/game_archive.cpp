#include "drivers/game_archive.h"

#include "drivers/state_snapshot.h"
#include "persistence/high_score_table.h"
#include "persistence/settings.h"

namespace drivers {

GameArchive::GameArchive() : recorder_([this](const GameRecord& record) { waiting_ = record; }) {
  ce::AddRunObserver(this);
}

GameArchive::~GameArchive() { ce::RemoveRunObserver(this); }

std::vector<ce::GameRecordKey> GameArchive::Entries() {
  std::vector<ce::GameRecordKey> out;
  const SettingsStore* settings = CurrentProgramParts().settings;
  if (settings == nullptr || settings->highScores == nullptr) return out;
  for (const HighScoreEntry& e : settings->highScores->entries)
    if (e.score != 0 || e.name[0] != 0) out.emplace_back(e.name, e.score);
  return out;
}

void GameArchive::MessageTaken(const ce::MSG&) {
  const SettingsStore* settings = CurrentProgramParts().settings;
  if (settings == nullptr || settings->highScores == nullptr) return;
  std::vector<ce::GameRecordKey> entries = Entries();
  if (waiting_ && settings->resultPending == 0) {
    // The high-score screen took the result: the game is kept when it
    // went in, as the newest entry.
    const ce::GameRecordKey key(waiting_->name, waiting_->claimedScore);
    bool entered = false;
    for (const HighScoreEntry& e : settings->highScores->entries)
      entered = entered || (e.isNewest != 0 && ce::GameRecordKey(e.name, e.score) == key);
    if (entered) ce::KeepGameRecord(key, EncodeGameRecord(*waiting_), entries);
    waiting_.reset();
    seen_ = entries;
    return;
  }
  if (entries == seen_) return;
  // Entries changed otherwise (the table reset): their games go with them.
  if (!seen_.empty()) ce::KeepOnlyGameRecords(entries);
  seen_ = entries;
}

void GameArchive::RunEnded() { waiting_.reset(); }

}  // namespace drivers
