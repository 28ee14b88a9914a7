// Threads, events, waits, thread message queues and critical sections.
#include "platform/threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/thread_internals.h"

namespace {

struct Probe {
  std::atomic<int> ran{0};
  std::atomic<ce::DWORD> seenId{0};
  ce::HANDLE go = nullptr;
  std::atomic<int> messages{0};
};

ce::DWORD RecordRun(ce::LPVOID parameter) {
  auto* probe = static_cast<Probe*>(parameter);
  probe->seenId = ce::GetCurrentThreadId();
  probe->ran = 1;
  return 42;
}

TEST(ThreadsTest, SuspendedThreadRunsOnlyWhenResumed) {
  Probe probe;
  ce::DWORD id = 0;
  ce::HANDLE thread = ce::CreateThread(nullptr, 0, &RecordRun, &probe, ce::CREATE_SUSPENDED, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(ce::WaitForSingleObject(thread, 30), ce::WAIT_TIMEOUT);
  EXPECT_EQ(probe.ran, 0);
  ce::DWORD code = 0;
  EXPECT_TRUE(ce::GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, ce::STILL_ACTIVE);

  EXPECT_TRUE(ce::SetThreadPriority(thread, ce::THREAD_PRIORITY_HIGHEST));
  EXPECT_EQ(ce::GetThreadPriority(thread), ce::THREAD_PRIORITY_HIGHEST);
  EXPECT_FALSE(ce::SetThreadPriority(thread, 8));

  EXPECT_EQ(ce::ResumeThread(thread), 1u);
  EXPECT_EQ(ce::WaitForSingleObject(thread, ce::INFINITE), ce::WAIT_OBJECT_0);
  EXPECT_EQ(probe.ran, 1);
  EXPECT_EQ(probe.seenId, id);  // the id is the thread's own from the start
  EXPECT_TRUE(ce::GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_EQ(ce::ResumeThread(thread), 0u);
  EXPECT_TRUE(ce::CloseHandle(thread));
  EXPECT_FALSE(ce::CloseHandle(thread));
  EXPECT_EQ(ce::ResumeThread(thread), 0xFFFFFFFFu);
}

TEST(ThreadsTest, ClosingASuspendedThreadsHandleEndsItUnrun) {
  Probe probe;
  ce::DWORD id = 0;
  ce::HANDLE thread = ce::CreateThread(nullptr, 0, &RecordRun, &probe, ce::CREATE_SUSPENDED, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(ce::CloseHandle(thread));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(probe.ran, 0);
  // Its queue is gone with it.
  for (int i = 0; i < 200 && ce::PostThreadMessageW(id, ce::WM_USER, 0, 0); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(ce::PostThreadMessageW(id, ce::WM_USER, 0, 0));
}

TEST(ThreadsTest, AutoResetAndManualResetEvents) {
  ce::HANDLE autoEvent = ce::CreateEventW(nullptr, ce::FALSE, ce::FALSE, nullptr);
  ce::HANDLE manual = ce::CreateEventW(nullptr, ce::TRUE, ce::TRUE, nullptr);
  ASSERT_NE(autoEvent, nullptr);
  ASSERT_NE(manual, nullptr);

  EXPECT_EQ(ce::WaitForSingleObject(autoEvent, 0), ce::WAIT_TIMEOUT);
  EXPECT_TRUE(ce::EventModify(autoEvent, ce::EVENT_SET));
  EXPECT_EQ(ce::WaitForSingleObject(autoEvent, 0), ce::WAIT_OBJECT_0);
  EXPECT_EQ(ce::WaitForSingleObject(autoEvent, 10), ce::WAIT_TIMEOUT);  // taken by the wait

  EXPECT_EQ(ce::WaitForSingleObject(manual, 0), ce::WAIT_OBJECT_0);
  EXPECT_EQ(ce::WaitForSingleObject(manual, 0), ce::WAIT_OBJECT_0);
  EXPECT_TRUE(ce::ResetEvent(manual));
  EXPECT_EQ(ce::WaitForSingleObject(manual, 0), ce::WAIT_TIMEOUT);
  EXPECT_FALSE(ce::EventModify(manual, 1));  // pulsing is not offered

  // Set from another thread while this one waits without a time-out.
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ce::SetEvent(autoEvent);
  });
  EXPECT_EQ(ce::WaitForSingleObject(autoEvent, ce::INFINITE), ce::WAIT_OBJECT_0);
  setter.join();

  EXPECT_TRUE(ce::CloseHandle(autoEvent));
  EXPECT_TRUE(ce::CloseHandle(manual));
  EXPECT_EQ(ce::WaitForSingleObject(autoEvent, 0), ce::WAIT_FAILED);
  EXPECT_FALSE(ce::EventModify(autoEvent, ce::EVENT_SET));
  EXPECT_EQ(ce::CreateEventW(nullptr, ce::FALSE, ce::FALSE, u"named"), nullptr);
}

// Counts WM_USER messages until the stop event is set, polling its queue
// between waits as the sound engine's thread does.
ce::DWORD CountMessages(ce::LPVOID parameter) {
  auto* probe = static_cast<Probe*>(parameter);
  ce::MSG msg;
  while (ce::WaitForSingleObject(probe->go, 5) == ce::WAIT_TIMEOUT)
    while (ce::PeekMessageW(&msg, nullptr, 0, 0, ce::PM_REMOVE))
      if (msg.message == ce::WM_USER) probe->messages += static_cast<int>(msg.wParam);
  return 0;
}

TEST(ThreadsTest, ThreadQueuesTakePostedMessagesAndCloseWithTheThread) {
  Probe probe;
  probe.go = ce::CreateEventW(nullptr, ce::FALSE, ce::FALSE, nullptr);
  ce::DWORD id = 0;
  ce::HANDLE thread = ce::CreateThread(nullptr, 0, &CountMessages, &probe, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(ce::PostThreadMessageW(id, ce::WM_USER, 2, 0));
  EXPECT_TRUE(ce::PostThreadMessageW(id, ce::WM_USER + 1, 100, 0));
  EXPECT_TRUE(ce::PostThreadMessageW(id, ce::WM_USER, 3, 0));
  for (int i = 0; i < 2000 && probe.messages != 5; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(probe.messages, 5);
  ce::SetEvent(probe.go);
  EXPECT_EQ(ce::WaitForSingleObject(thread, ce::INFINITE), ce::WAIT_OBJECT_0);
  EXPECT_FALSE(ce::PostThreadMessageW(id, ce::WM_USER, 1, 0));
  EXPECT_FALSE(ce::PostThreadMessageW(0, ce::WM_USER, 1, 0));
  ce::CloseHandle(thread);
  ce::CloseHandle(probe.go);
}

ce::DWORD TimeOneWait(ce::LPVOID parameter) {
  auto* probe = static_cast<Probe*>(parameter);
  auto start = std::chrono::steady_clock::now();
  ce::DWORD result = ce::WaitForSingleObject(probe->go, 20000);
  auto took = std::chrono::steady_clock::now() - start;
  probe->ran = result == ce::WAIT_TIMEOUT && took < std::chrono::seconds(10) ? 1 : -1;
  return 0;
}

TEST(ThreadsTest, HeadlessTimedWaitEndsWhenAMessageArrives) {
  ce::PlatformOptions options;
  options.headless = true;
  ASSERT_TRUE(ce::StartPlatform(options, nullptr));
  Probe probe;
  probe.go = ce::CreateEventW(nullptr, ce::FALSE, ce::FALSE, nullptr);
  ce::DWORD id = 0;
  ce::HANDLE thread = ce::CreateThread(nullptr, 0, &TimeOneWait, &probe, 0, &id);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(ce::PostThreadMessageW(id, ce::WM_USER, 0, 0));
  EXPECT_EQ(ce::WaitForSingleObject(thread, ce::INFINITE), ce::WAIT_OBJECT_0);
  EXPECT_EQ(probe.ran, 1);
  ce::CloseHandle(thread);
  ce::CloseHandle(probe.go);
  ce::StopPlatform();
}

// Takes its time to end, then says it ran.
ce::DWORD EndSlowly(ce::LPVOID parameter) {
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  static_cast<Probe*>(parameter)->ran = 1;
  return 0;
}

ce::DWORD WaitForGo(ce::LPVOID parameter) {
  auto* probe = static_cast<Probe*>(parameter);
  ce::WaitForSingleObject(probe->go, ce::INFINITE);
  probe->ran = 1;
  return 0;
}

TEST(ThreadsTest, StoppingThePlatformWaitsForEveryThreadOrNamesThoseStillRunning) {
  ce::PlatformOptions options;
  options.headless = true;
  ASSERT_TRUE(ce::StartPlatform(options, nullptr));
  Probe slow, suspended;
  ce::DWORD slowId = 0, suspendedId = 0;
  ce::CloseHandle(ce::CreateThread(nullptr, 0, &EndSlowly, &slow, 0, &slowId));
  ce::HANDLE never =
      ce::CreateThread(nullptr, 0, &RecordRun, &suspended, ce::CREATE_SUSPENDED, &suspendedId);
  ce::StopPlatform();
  // Both have ended, queues and all: a thread never resumed ends unrun.
  EXPECT_EQ(slow.ran, 1);
  EXPECT_EQ(suspended.ran, 0);
  EXPECT_EQ(ce::WaitForSingleObject(never, 0), ce::WAIT_OBJECT_0);
  EXPECT_FALSE(ce::PostThreadMessageW(slowId, ce::WM_USER, 0, 0));
  EXPECT_FALSE(ce::PostThreadMessageW(suspendedId, ce::WM_USER, 0, 0));
  ce::CloseHandle(never);

  // One that does not end within the bound is named, and ended later.
  Probe stuck;
  stuck.go = ce::CreateEventW(nullptr, ce::TRUE, ce::FALSE, nullptr);
  ce::DWORD stuckId = 0;
  ce::HANDLE thread = ce::CreateThread(nullptr, 0, &WaitForGo, &stuck, 0, &stuckId);
  EXPECT_EQ(ce::detail::EndThreads(std::chrono::milliseconds(50)), std::vector<ce::DWORD>{stuckId});
  ce::SetEvent(stuck.go);
  EXPECT_TRUE(ce::detail::EndThreads(std::chrono::seconds(5)).empty());
  EXPECT_EQ(stuck.ran, 1);
  ce::CloseHandle(thread);
  ce::CloseHandle(stuck.go);
}

TEST(ThreadsTest, CriticalSectionIsRecursiveAndExcludesOtherThreads) {
  ce::CRITICAL_SECTION section;
  ce::InitializeCriticalSection(&section);
  ce::EnterCriticalSection(&section);
  ce::EnterCriticalSection(&section);  // the owner may enter again
  std::atomic<bool> entered{false};
  std::thread other([&] {
    ce::EnterCriticalSection(&section);
    entered = true;
    ce::LeaveCriticalSection(&section);
  });
  ce::LeaveCriticalSection(&section);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(entered);  // still held once
  ce::LeaveCriticalSection(&section);
  other.join();
  EXPECT_TRUE(entered);
  ce::DeleteCriticalSection(&section);
}

}  // namespace
