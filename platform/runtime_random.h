// The C runtime's rand and srand, the same on every system: the additive
// feedback generator of the GNU C library, so that a seed gives the same
// numbers on the desktop, in the browser and wherever else the game runs.
#pragma once

#include <cstdint>

namespace ce {

constexpr int kRandMax = 2147483647;

void srand(unsigned seed);
// 0 to kRandMax. Without srand, as after srand(1).
int rand();

}  // namespace ce
