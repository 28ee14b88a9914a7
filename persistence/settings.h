// The player's options, names and the statistics of the last game, kept in
// memory for the whole run and persisted under the registry key
// HKEY_CURRENT_USER "Tarnwick\Reedshot". The game and the screens read and
// write the fields directly.
#pragma once

#include "platform/registry.h"

class HighScoreTable;
class SoundPlayer;
struct HighScoreEntry;

// The persisted values, userName through specialEffects; the options screen
// copies them whole to put them back on Cancel.
struct SettingsValues {
  char16_t userName[9];        // "UserName": the name new scores are entered under
  char16_t playerName[9];      // "PlayerName": the player of the last finished game
  ce::LONG lastScore;          // "LastScores"
  ce::LONG soundVolume;        // "SoundVol", 0 to 70
  ce::LONG musicVolume;        // "MusicVol", 0 to 70
  ce::LONG killedDucks;        // "KilledDucks"
  ce::LONG killedLeafs;        // "KilledLeafs"
  ce::LONG negPoints;          // "NegPoints"
  ce::LONG persentageSuccess;  // "PersentageSuccess": hit percentage
  ce::BYTE menuAnimation;      // "MenuAnimation", 1 or 0
  ce::BYTE specialEffects;     // "SpecialEffects", 1 or 0
};

class SettingsStore : public SettingsValues {
 public:
  // Loads the high-score table (creating its database on the first run) and
  // the registry values, and hands the volumes to `soundPlayer`.
  explicit SettingsStore(SoundPlayer* soundPlayer);
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  // Saves, closes the key, then saves and destroys the high-score table.
  ~SettingsStore();

  // Writes every value, each on its own; each one that cannot be written
  // is told in a message box.
  void Save();
  // The defaults, with both default volumes handed to the sound player.
  void ApplyDefaults();
  // Enters the result of the game that has just ended into the high-score
  // table, once, as *entry: the newest, under userName. Nothing happens
  // while there is no result or no name (the result then waits).
  void EnterPendingResult(HighScoreEntry* entry);
  // The entry EnterPendingResult would enter, as *entry; false when there
  // is none. Changes nothing.
  bool PendingResult(HighScoreEntry* entry) const;

  SoundPlayer* soundPlayer;    // not owned
  HighScoreTable* highScores;  // owned
  ce::LONG pendingScore;       // score of a game just ended, not stored
  ce::BYTE resultPending;      // 1 until the high-score screen took it, not stored
  ce::HKEY key;                // null when the key could not be opened
};
