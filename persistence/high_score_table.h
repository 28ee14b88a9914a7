// The ten best results, in memory and in the "HISCORE" database of the
// object store, one record per entry.
#pragma once

#include "platform/object_store.h"

struct HighScoreEntry {
  ce::BYTE isNewest;  // 1 for the entry added last
  ce::LONG score;     // 0 in an empty slot
  ce::LONG reserved1;
  ce::LONG reserved2;
  char16_t name[10];  // terminated; empty in an empty slot
};

class HighScoreTable {
 public:
  static constexpr int kEntries = 10;

  HighScoreTable();  // all entries empty
  virtual ~HighScoreTable() = default;

  // Creates "HISCORE" with ten empty records unless it exists.
  void CreateDatabase();
  void Load();
  // Writes the entries over the ten records, each on its own; each one
  // that cannot be written is told.
  void Save();
  // Called by each Save with the table as saved, its writes in the same
  // transaction as the table's (null: nothing is).
  static void (*afterSave)(const HighScoreTable& table);
  // Empties all ten entries in memory.
  void Clear();
  // Returns 1 when the entry went into the table, 0 when it was refused.
  int InsertScore(const HighScoreEntry& entry);
  // Descending by score, equal scores by name, empty entries last.
  void SortByScore();
  // Index of the first empty entry, or 10.
  int FindFirstEmpty() const;
  // Copies entry `index`; an index outside the table shows a message and
  // copies nothing.
  void GetEntry(int index, HighScoreEntry* entry) const;

  HighScoreEntry entries[kEntries];
  ce::CEGUID volumeGuid;
};
