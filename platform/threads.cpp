// Threads and events over std::thread, with one lock and one condition for
// every wait: there are only a handful of threads.
#include "platform/threads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "platform/device.h"
#include "platform/error.h"
#include "platform/messages.h"
#include "platform/thread_internals.h"

namespace ce {

namespace {

// Never destroyed, like the other globals here: a thread may still be
// ending while the process exits.
std::mutex& g_mutex = *new std::mutex;
std::condition_variable& g_changed = *new std::condition_variable;

// A thread's state outlives its handle: closing the handle does not end
// the thread.
struct ThreadState {
  DWORD id = 0;
  LPTHREAD_START_ROUTINE start = nullptr;
  LPVOID parameter = nullptr;
  // Under g_mutex:
  DWORD suspendCount = 0;
  bool started = false;
  bool finished = false;
  // Its handle was closed while it was still suspended: nobody can resume
  // it any more, so it ends without running.
  bool abandoned = false;
  DWORD exitCode = STILL_ACTIVE;
  int priority = THREAD_PRIORITY_NORMAL;
};

class ThreadObject final : public detail::KernelObject {
 public:
  explicit ThreadObject(std::shared_ptr<ThreadState> s) : state(std::move(s)) {}
  ~ThreadObject() override {
    {
      std::lock_guard lock(g_mutex);
      if (!state->started && state->suspendCount > 0) state->abandoned = true;
    }
    g_changed.notify_all();
  }
  std::shared_ptr<ThreadState> state;
};

class EventObject final : public detail::KernelObject {
 public:
  bool manualReset = false;
  bool signalled = false;  // under g_mutex
};

// The threads made by CreateThread that have not ended, and (headless) how
// many messages each has been sent.
std::map<DWORD, std::shared_ptr<ThreadState>>& g_threads =
    *new std::map<DWORD, std::shared_ptr<ThreadState>>;
std::map<DWORD, unsigned long>& g_posted = *new std::map<DWORD, unsigned long>;
std::atomic<bool> g_headlessTimeouts{false};

// Every thread CreateThread started and nobody has joined yet, under
// g_mutex. A thread is joined once it has finished, so that nothing of it is
// left running when the platform stops.
struct StartedThread {
  std::shared_ptr<ThreadState> state;
  std::thread thread;
};
std::vector<StartedThread>& g_started = *new std::vector<StartedThread>;

// Joins the threads that have finished: they are past their last use of
// anything shared, so the joins return at once.
void JoinFinished() {
  std::vector<std::thread> finished;
  {
    std::lock_guard lock(g_mutex);
    std::erase_if(g_started, [&](StartedThread& t) {
      if (!t.state->finished) return false;
      finished.push_back(std::move(t.thread));
      return true;
    });
  }
  for (std::thread& t : finished) t.join();
}

void RunThread(std::shared_ptr<ThreadState> thread) {
  detail::AdoptThreadId(thread->id);
  bool run;
  {
    std::unique_lock lock(g_mutex);
    g_changed.wait(lock, [&] { return thread->suspendCount == 0 || thread->abandoned; });
    run = !thread->abandoned;
    thread->started = run;
  }
  DWORD code = run ? thread->start(thread->parameter) : 0;
  detail::EndThreadQueue(thread->id);
  {
    std::lock_guard lock(g_mutex);
    thread->finished = true;
    thread->exitCode = code;
    g_threads.erase(thread->id);
    g_posted.erase(thread->id);
  }
  g_changed.notify_all();
}

ThreadState* FindThread(HANDLE handle) {
  auto* object = detail::LookUpHandleAs<ThreadObject>(handle);
  if (object == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return object != nullptr ? object->state.get() : nullptr;
}

}  // namespace

HANDLE CreateThread(void*, DWORD, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                    DWORD* threadId) {
  if (start == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  JoinFinished();
  auto thread = std::make_shared<ThreadState>();
  thread->id = detail::NewThreadId();
  thread->start = start;
  thread->parameter = parameter;
  thread->suspendCount = (flags & CREATE_SUSPENDED) != 0 ? 1 : 0;
  HANDLE handle = detail::OpenHandle(new ThreadObject(thread));
  std::lock_guard lock(g_mutex);
  g_threads[thread->id] = thread;
  g_started.push_back({thread, std::thread(RunThread, thread)});
  if (threadId != nullptr) *threadId = thread->id;
  return handle;
}

DWORD ResumeThread(HANDLE handle) {
  ThreadState* thread = FindThread(handle);
  if (thread == nullptr) return 0xFFFFFFFF;
  DWORD previous;
  {
    std::lock_guard lock(g_mutex);
    previous = thread->suspendCount;
    if (thread->suspendCount > 0) --thread->suspendCount;
  }
  g_changed.notify_all();
  return previous;
}

// Priorities are kept for GetThreadPriority; the desktop's scheduler is
// left alone (raising a thread's priority needs privileges).
BOOL SetThreadPriority(HANDLE handle, int priority) {
  ThreadState* thread = FindThread(handle);
  if (thread == nullptr) return FALSE;
  if (priority < THREAD_PRIORITY_TIME_CRITICAL || priority > THREAD_PRIORITY_IDLE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard lock(g_mutex);
  thread->priority = priority;
  return TRUE;
}

int GetThreadPriority(HANDLE handle) {
  ThreadState* thread = FindThread(handle);
  if (thread == nullptr) return 0x7FFFFFFF;
  std::lock_guard lock(g_mutex);
  return thread->priority;
}

BOOL GetExitCodeThread(HANDLE handle, DWORD* exitCode) {
  ThreadState* thread = FindThread(handle);
  if (thread == nullptr || exitCode == nullptr) return FALSE;
  std::lock_guard lock(g_mutex);
  *exitCode = thread->exitCode;
  return TRUE;
}

HANDLE CreateEventW(void*, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  if (name != nullptr) {  // named events are not needed by the game
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* event = new EventObject;
  event->manualReset = manualReset != FALSE;
  event->signalled = initialState != FALSE;
  return detail::OpenHandle(event);
}

BOOL EventModify(HANDLE handle, DWORD operation) {
  auto* event = detail::LookUpHandleAs<EventObject>(handle);
  if (event == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (operation != EVENT_SET && operation != EVENT_RESET) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  {
    std::lock_guard lock(g_mutex);
    event->signalled = operation == EVENT_SET;
  }
  if (operation == EVENT_SET) g_changed.notify_all();
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs) {
  detail::KernelObject* object = detail::LookUpHandle(handle);
  auto* event = dynamic_cast<EventObject*>(object);
  auto* thread = dynamic_cast<ThreadObject*>(object);
  if (event == nullptr && thread == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  std::shared_ptr<ThreadState> state = thread != nullptr ? thread->state : nullptr;
  auto ready = [&] { return event != nullptr ? event->signalled : state->finished; };

  // Headless: a message for this thread ends a timed wait early.
  const DWORD self = GetCurrentThreadId();
  const bool earlyWake =
      timeoutMs != INFINITE && g_headlessTimeouts.load() && !detail::IsMainThread();

  std::unique_lock lock(g_mutex);
  auto posted = [&] {
    auto it = g_posted.find(self);
    return it == g_posted.end() ? 0UL : it->second;
  };
  const unsigned long postedBefore = posted();
  bool queued = false;
  if (earlyWake) {
    lock.unlock();
    queued = detail::HasMessages(self);
    lock.lock();
  }
  auto woken = [&] { return earlyWake && (queued || posted() != postedBefore); };

  if (timeoutMs == INFINITE) {
    g_changed.wait(lock, ready);
  } else {
    g_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                       [&] { return ready() || woken(); });
    if (!ready()) return WAIT_TIMEOUT;
  }
  if (event != nullptr && !event->manualReset) event->signalled = false;
  return WAIT_OBJECT_0;
}

namespace detail {

void MessagePosted(DWORD threadId) {
  if (!g_headlessTimeouts.load()) return;
  {
    std::lock_guard lock(g_mutex);
    if (g_threads.find(threadId) == g_threads.end()) return;
    ++g_posted[threadId];
  }
  g_changed.notify_all();
}

bool IsThreadRunning(DWORD threadId) {
  std::lock_guard lock(g_mutex);
  auto it = g_threads.find(threadId);
  return it != g_threads.end() && it->second->suspendCount == 0 && !it->second->abandoned &&
         !it->second->finished;
}

void SetHeadlessTimeouts(bool on) { g_headlessTimeouts.store(on); }

std::vector<DWORD> EndThreads(std::chrono::milliseconds bound) {
  std::vector<DWORD> running;
  {
    std::unique_lock lock(g_mutex);
    // A thread that was never resumed never will be: it ends unrun.
    for (auto& [id, thread] : g_threads)
      if (!thread->started && thread->suspendCount > 0) thread->abandoned = true;
    g_changed.notify_all();
    g_changed.wait_for(lock, bound, [] { return g_threads.empty(); });
    for (auto& [id, thread] : g_threads) running.push_back(id);
  }
  JoinFinished();
  return running;
}

}  // namespace detail

}  // namespace ce
