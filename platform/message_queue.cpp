// Message queues, one per thread, and the main thread's message pump.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "platform/clock.h"
#include "platform/device.h"
#include "platform/messages.h"
#include "platform/program_clock.h"
#include "platform/run_observer.h"
#include "platform/thread_internals.h"

namespace ce {

namespace {

struct Queue {
  DWORD threadId = 0;
  std::mutex mutex;
  std::condition_variable arrived;
  std::deque<MSG> messages;
  bool quit = false;
};

// Never destroyed: a thread that ends while the process exits still uses them.
std::mutex& g_queuesMutex = *new std::mutex;
std::map<DWORD, std::shared_ptr<Queue>>& g_queues = *new std::map<DWORD, std::shared_ptr<Queue>>;
// Threads that have ended: posting to them fails.
std::set<DWORD>& g_endedThreads = *new std::set<DWORD>;
std::atomic<DWORD> g_nextThreadId{1};
thread_local DWORD t_threadId = 0;

// Ticks of the main window's timer.
DWORD g_nextTimerTick = 0;
bool g_timerPrimed = false;
// Once the run has ended, every further GetMessageW on the main thread sees
// WM_QUIT again, so that a modal loop cannot swallow the quit.
bool g_mainQuit = false;

// The platform's own reads of the clock are not the program's: they are
// neither recorded nor replayed.
DWORD RawTicks() {
  detail::Device* device = detail::CurrentDevice();
  return device != nullptr ? device->Now() : GetTickCount();
}

std::shared_ptr<Queue> QueueOf(DWORD threadId, bool create) {
  std::lock_guard lock(g_queuesMutex);
  auto it = g_queues.find(threadId);
  if (it != g_queues.end()) return it->second;
  if (!create || g_endedThreads.count(threadId) != 0) return nullptr;
  auto queue = std::make_shared<Queue>();
  queue->threadId = threadId;
  g_queues[threadId] = queue;
  return queue;
}

std::shared_ptr<Queue> OwnQueue() { return QueueOf(GetCurrentThreadId(), true); }

std::atomic<DWORD> g_mainThreadId{0};

bool Matches(UINT message, UINT filterMin, UINT filterMax) {
  if (filterMin == 0 && filterMax == 0) return true;
  return message >= filterMin && message <= filterMax;
}

bool TakeFrom(Queue& queue, MSG* msg, UINT filterMin, UINT filterMax, bool remove) {
  for (auto it = queue.messages.begin(); it != queue.messages.end(); ++it) {
    if (!Matches(it->message, filterMin, filterMax)) continue;
    *msg = *it;
    if (remove) queue.messages.erase(it);
    return true;
  }
  return false;
}

void Push(Queue& queue, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
          const DWORD* time = nullptr) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = time != nullptr ? *time : RawTicks();
  {
    std::lock_guard lock(queue.mutex);
    queue.messages.push_back(msg);
  }
  queue.arrived.notify_all();
  detail::MessagePosted(queue.threadId);
}

// True when the main window's timer tick has come (ticks that passed while
// nobody asked are coalesced into one, as on the device).
bool TimerDue() {
  if (!detail::TimerRunning()) return false;
  if (detail::Device* device = detail::CurrentDevice();
      device != nullptr && !device->MakesTimerMessages())
    return false;
  DWORD now = RawTicks();
  if (!g_timerPrimed) {
    g_nextTimerTick = now + detail::TimerPeriod();
    g_timerPrimed = true;
    return false;
  }
  return static_cast<std::int32_t>(now - g_nextTimerTick) >= 0;
}

bool HoldsMatching(Queue& queue, UINT filterMin, UINT filterMax) {
  std::lock_guard lock(queue.mutex);
  for (const MSG& m : queue.messages)
    if (Matches(m.message, filterMin, filterMax)) return true;
  return false;
}

// The timer message is made only when the queue holds nothing else that
// the caller asks for: the input the device already holds is read and
// queued first, so that a due tick never goes ahead of it.
void MakeDueTimer(Queue& queue, UINT filterMin, UINT filterMax) {
  if (!TimerDue()) return;
  if (HoldsMatching(queue, filterMin, filterMax)) return;
  if (detail::Device* device = detail::CurrentDevice(); device != nullptr) {
    if (!device->PollInput(g_nextTimerTick)) {
      g_mainQuit = true;
      detail::RecordQuit();
      return;
    }
    if (HoldsMatching(queue, filterMin, filterMax)) return;
  }
  if (!Matches(WM_TIMER, filterMin, filterMax)) return;
  DWORD now = RawTicks();
  DWORD period = detail::TimerPeriod();
  if (detail::ProgramClockPaced()) {
    // On the program's clock the tick comes on its beat (or at once when
    // the clock has passed it), and the next beat follows it.
    DWORD at = detail::ProgramClockTimerTime(g_nextTimerTick);
    while (static_cast<std::int32_t>(at - g_nextTimerTick) >= 0) g_nextTimerTick += period;
    Push(queue, detail::MainWindow(), WM_TIMER, detail::TimerId(), 0, &at);
    return;
  }
  while (static_cast<std::int32_t>(now - g_nextTimerTick) >= 0) g_nextTimerTick += period;
  Push(queue, detail::MainWindow(), WM_TIMER, detail::TimerId(), 0);
}

BOOL MainGetMessage(MSG* msg, UINT filterMin, UINT filterMax) {
  auto queue = OwnQueue();
  for (;;) {
    if (!g_mainQuit) MakeDueTimer(*queue, filterMin, filterMax);
    if (g_mainQuit) {
      *msg = MSG{};
      msg->message = WM_QUIT;
      return FALSE;
    }
    {
      std::lock_guard lock(queue->mutex);
      if (TakeFrom(*queue, msg, filterMin, filterMax, true)) {
        if (msg->message == WM_QUIT) {
          g_mainQuit = true;
          detail::RecordQuit();
          return FALSE;
        }
        if (detail::ProgramClockPaced()) {
          // Input that came while a tick was due is taken at the tick's time.
          DWORD time = msg->time;
          if (msg->message != WM_TIMER && detail::TimerRunning() && g_timerPrimed &&
              static_cast<std::int32_t>(time - g_nextTimerTick) > 0)
            time = g_nextTimerTick;
          msg->time = detail::ProgramClockTake(time);
        }
        detail::RecordMessage(*msg);
        return TRUE;
      }
    }
    detail::Device* device = detail::CurrentDevice();
    if (device == nullptr) {
      g_mainQuit = true;
      continue;
    }
    bool hasDeadline = detail::TimerRunning() && g_timerPrimed;
    if (!device->Pump(hasDeadline, g_nextTimerTick)) {
      g_mainQuit = true;
      detail::RecordQuit();
    }
  }
}

}  // namespace

DWORD GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = g_nextThreadId.fetch_add(1);
  return t_threadId;
}

namespace detail {

void MarkMainThread() {
  g_mainThreadId.store(GetCurrentThreadId());
  ProgramClockReset();
  g_mainQuit = false;
  g_timerPrimed = false;
  std::lock_guard lock(g_queuesMutex);
  g_queues.erase(g_mainThreadId);
}

bool IsMainThread() {
  DWORD main = g_mainThreadId.load();
  return main != 0 && GetCurrentThreadId() == main;
}

DWORD NewThreadId() { return g_nextThreadId.fetch_add(1); }

void AdoptThreadId(DWORD id) { t_threadId = id; }

void EndThreadQueue(DWORD id) {
  std::lock_guard lock(g_queuesMutex);
  g_queues.erase(id);
  g_endedThreads.insert(id);
}

bool HasMessages(DWORD threadId) {
  auto queue = QueueOf(threadId, false);
  if (!queue) return false;
  std::lock_guard lock(queue->mutex);
  return !queue->messages.empty();
}

void PostToMain(UINT message, WPARAM wParam, LPARAM lParam) {
  Push(*QueueOf(g_mainThreadId, true), MainWindow(), message, wParam, lParam);
}

void PostMoveToMain(LPARAM lParam) {
  auto queue = QueueOf(g_mainThreadId, true);
  DWORD now = RawTicks();
  {
    std::lock_guard lock(queue->mutex);
    if (!queue->messages.empty() && queue->messages.back().message == WM_MOUSEMOVE) {
      queue->messages.back().lParam = lParam;
      queue->messages.back().time = now;
      return;
    }
  }
  Push(*queue, MainWindow(), WM_MOUSEMOVE, 1, lParam);
}

bool MainQueueEmpty() {
  auto queue = QueueOf(g_mainThreadId, true);
  std::lock_guard lock(queue->mutex);
  return queue->messages.empty();
}

}  // namespace detail

BOOL GetMessageW(MSG* msg, HWND, UINT filterMin, UINT filterMax) {
  if (detail::IsMainThread()) return MainGetMessage(msg, filterMin, filterMax);
  auto queue = OwnQueue();
  std::unique_lock lock(queue->mutex);
  for (;;) {
    if (TakeFrom(*queue, msg, filterMin, filterMax, true))
      return msg->message == WM_QUIT ? FALSE : TRUE;
    queue->arrived.wait(lock);
  }
}

BOOL PeekMessageW(MSG* msg, HWND, UINT filterMin, UINT filterMax, UINT remove) {
  auto queue = OwnQueue();
  if (detail::IsMainThread() && !g_mainQuit) MakeDueTimer(*queue, filterMin, filterMax);
  std::lock_guard lock(queue->mutex);
  return TakeFrom(*queue, msg, filterMin, filterMax, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageW(const MSG*) { return 0; }

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd != nullptr && hwnd != detail::MainWindow()) return FALSE;
  detail::PostToMain(message, wParam, lParam);
  return TRUE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  auto queue = threadId != 0 ? QueueOf(threadId, true) : nullptr;
  if (!queue) return FALSE;
  Push(*queue, nullptr, message, wParam, lParam);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  Push(*OwnQueue(), nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

}  // namespace ce
