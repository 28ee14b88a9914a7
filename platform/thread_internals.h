// Inside the platform layer: what threads and message queues tell each other.
#pragma once

#include <chrono>
#include <vector>

#include "platform/types.h"

namespace ce::detail {

// Message queues (message_queue.cpp).
DWORD NewThreadId();
// Gives the calling thread an id handed out by NewThreadId.
void AdoptThreadId(DWORD id);
// The thread has ended: its queue goes, and posting to it fails from now on.
void EndThreadQueue(DWORD id);
bool HasMessages(DWORD threadId);

// Threads (threads.cpp).
// A message was posted to the thread's queue.
void MessagePosted(DWORD threadId);
// True while a thread made by CreateThread runs: resumed, and its function
// has not returned yet.
bool IsThreadRunning(DWORD threadId);
// Headless: a timed wait also ends when a message for the waiting thread
// arrives (see WaitForSingleObject).
void SetHeadlessTimeouts(bool on);
// Waits until every thread made by CreateThread has ended and been joined,
// at most `bound`; threads still suspended end without running. Returns the
// ids of those still running after the bound.
std::vector<DWORD> EndThreads(std::chrono::milliseconds bound);

}  // namespace ce::detail
