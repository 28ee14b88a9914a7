// The headless `state` line: what a script or a test can see of the run.
#pragma once

#include <string>
#include <vector>

#include "drivers/json_writer.h"
#include "drivers/state_snapshot.h"

namespace drivers {

std::string StateJson();
// The high-score table as a JSON array (also used by the demo's summary).
void WriteHighScores(JsonWriter& json, const std::vector<HighScoreSnapshot>& table);

}  // namespace drivers
