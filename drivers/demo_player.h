// The demo's player: decides its next move in a game from what it can see
// (a read-only snapshot of the state), as a person would: it shoots at
// ducks and leaves, reloads an empty gun, scrolls towards the ducks and
// leaves red birds and the creeper alone.
#pragma once

#include "drivers/state_snapshot.h"

namespace drivers {

struct DemoMove {
  enum Kind { kNone, kShoot, kReload, kScrollUp, kScrollDown } kind = kNone;
  int x = 0, y = 0;  // screen point of a shot or a reload tap
};

class DemoPlayer {
 public:
  DemoMove Decide(const StateSnapshot& state);

 private:
  int lastX_ = 120, lastY_ = 160;
  int reloads_ = 0;
};

}  // namespace drivers
