// The headless `state` line: what a script or a test can see of the run.
#pragma once

#include <string>
#include <vector>

#include "drivers/json_writer.h"
#include "drivers/state_snapshot.h"

namespace drivers {

// What the state line says of a game being watched.
struct WatchStatus {
  std::string name;
  int claimedScore = 0;
  int score = 0;  // as the game played from the record scores it
  bool finished = false;
};
// The watch under way (nullptr: none); not owned.
void SetWatchStatus(const WatchStatus* status);

std::string StateJson();
// The high-score table as a JSON array (also used by the demo's summary).
void WriteHighScores(JsonWriter& json, const std::vector<HighScoreSnapshot>& table);

}  // namespace drivers
