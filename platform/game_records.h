// The games behind the high-score table's entries: one game record (the
// bytes of a .reedshot file) per entry that has one, kept in the data file
// in a table of its own, game_records(name, score, record), beside the
// table's own records, which keep their format. A file from before has no
// such table: its entries simply have no game.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace ce {

using GameRecordKey = std::pair<std::u16string, LONG>;  // the entry's name and score

// Keeps `record` for the entry (name, score), in one durable transaction.
// False when it cannot be written.
bool KeepGameRecord(const GameRecordKey& entry, const std::vector<BYTE>& record);
// Drops the records of the entries not among `entries` (pushed off the
// table, or the table reset). False when it cannot be written.
bool KeepOnlyGameRecords(const std::vector<GameRecordKey>& entries);
// The record kept for the entry, or false.
bool FindGameRecord(const GameRecordKey& entry, std::vector<BYTE>* record);

}  // namespace ce
