// The headless `state` line: what a script or a test can see of the run.
#pragma once

#include <string>

namespace app {

std::string StateJson();

}  // namespace app
