// The headless `state` line: what a script or a test can see of the run.
#pragma once

#include <string>
#include <vector>

#include "app/json_writer.h"
#include "app/state_snapshot.h"

namespace app {

std::string StateJson();
// The high-score table as a JSON array (also used by the demo's summary).
void WriteHighScores(JsonWriter& json, const std::vector<HighScoreSnapshot>& table);

}  // namespace app
