// reedshot --play-sound ID: plays one WAVE resource through the sound
// player and engine and returns when its channel is free again.
#pragma once

#include <string>

namespace drivers {

// The ids of the built-in sounds, in order, runs of ids as "first-last":
// "535, 537-538, ...".
std::string PlayableSoundIds();

// The platform is started. Returns the program's exit status.
int PlaySoundResource(int id);

}  // namespace drivers
