// reedshot --play-sound ID: plays one WAVE resource through the sound
// player and engine and returns when its channel is free again.
#pragma once

namespace app {

// The platform is started. Returns the program's exit status.
int PlaySoundResource(int id);

}  // namespace app
