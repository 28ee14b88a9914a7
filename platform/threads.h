// Threads, events, waits and critical sections.
#pragma once

#include <mutex>
#include <new>

#include "platform/handle.h"
#include "platform/types.h"

namespace ce {

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID);

constexpr DWORD CREATE_SUSPENDED = 0x00000004;
constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 0x00000103;

// The handheld's eight thread priorities, highest first.
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 0;
constexpr int THREAD_PRIORITY_HIGHEST = 1;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 2;
constexpr int THREAD_PRIORITY_NORMAL = 3;
constexpr int THREAD_PRIORITY_IDLE = 7;

// EventModify operations (pulsing is not offered).
constexpr DWORD EVENT_RESET = 2;
constexpr DWORD EVENT_SET = 3;

// Starts `start(parameter)` on a new thread; with CREATE_SUSPENDED it waits
// for ResumeThread. The thread's id (also its message queue's) is known at
// once. Returns null on failure.
HANDLE CreateThread(void* security, DWORD stackSize, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, DWORD* threadId);
// Returns the previous suspend count, or 0xFFFFFFFF for a bad handle.
DWORD ResumeThread(HANDLE thread);
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);

HANDLE CreateEventW(void* security, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL EventModify(HANDLE event, DWORD operation);
inline BOOL SetEvent(HANDLE event) { return EventModify(event, EVENT_SET); }
inline BOOL ResetEvent(HANDLE event) { return EventModify(event, EVENT_RESET); }

// Waits for an event to be set (an auto-reset event is reset by the wait
// that takes it) or a thread to end, at most `timeoutMs` (INFINITE: no
// limit). Returns WAIT_OBJECT_0, WAIT_TIMEOUT or WAIT_FAILED.
// Time-outs are real time. On the headless device a timed wait on any
// thread but the main one also ends, as a time-out, when a message for the
// waiting thread is in its queue: such a thread polls its queue between
// waits and must answer at once, as the virtual clock waits for it.
DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs);

// A recursive lock, as on the device. Needs no clean-up beyond
// DeleteCriticalSection, which may be left out.
struct CRITICAL_SECTION {
  alignas(std::recursive_mutex) unsigned char storage[sizeof(std::recursive_mutex)];
};
inline std::recursive_mutex& CriticalSectionMutex(CRITICAL_SECTION* section) {
  return *std::launder(reinterpret_cast<std::recursive_mutex*>(section->storage));
}
inline void InitializeCriticalSection(CRITICAL_SECTION* section) {
  new (section->storage) std::recursive_mutex;
}
inline void DeleteCriticalSection(CRITICAL_SECTION* section) {
  CriticalSectionMutex(section).~recursive_mutex();
}
inline void EnterCriticalSection(CRITICAL_SECTION* section) {
  CriticalSectionMutex(section).lock();
}
inline void LeaveCriticalSection(CRITICAL_SECTION* section) {
  CriticalSectionMutex(section).unlock();
}

}  // namespace ce
