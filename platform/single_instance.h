// One game per user and display: a second start finds the first through a
// socket in the runtime directory and asks it to come to the front.
#pragma once

namespace ce::detail {

bool OtherInstanceRunning();
bool RaiseOtherInstance();
// Starts listening; the running game answers through PollRaiseRequests.
void ListenForOtherInstances();
// True when another start asked this one to come to the front.
bool PollRaiseRequests();
void StopListening();

}  // namespace ce::detail
