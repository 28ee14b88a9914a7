// The results of finished games, kept in the store from the moment each
// game ends until a saved high-score table holds them: the value
// "KeptResults" under the settings' key, apart from the table's records. A
// run that ends without saving the table (killed, or its browser ended by
// the system) leaves them there, and the next start enters them.
#pragma once

class HighScoreTable;
class SettingsStore;

// The game has just ended: its result (SettingsStore::PendingResult) joins
// the kept ones.
void KeepPendingResult(const SettingsStore& settings);
// The table was saved: the kept results it holds, or would refuse, are
// dropped.
void ForgetSettledResults();
// The table was reset: every kept result is dropped.
void ForgetKeptResults();
// At the start, after the table was loaded: every kept result is entered
// into `table` as at the end of a run, the table saved, and the results
// dropped.
void EnterKeptResults(HighScoreTable* table);
