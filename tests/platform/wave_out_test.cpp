// Wave output: the calls' checks, the headless device playing in step with
// virtual time, its capture file, and (with SDL's dummy driver) the desktop.
#include "platform/wave_out.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/threads.h"

namespace {

constexpr ce::UINT kHeader = sizeof(ce::WAVEHDR);

ce::WAVEFORMATEX Format(ce::WORD channels = 2, ce::DWORD rate = 22050) {
  return ce::WAVEFORMATEX{ce::WAVE_FORMAT_PCM, channels, rate, rate * channels, channels, 8, 0};
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string TempPath(const std::string& name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/reedshot-wave-" +
         std::to_string(::getpid()) + "-" + name;
}

class WaveOutTest : public ::testing::Test {
 protected:
  void StartHeadless(bool mute = false, std::string audioOut = "") {
    ce::PlatformOptions options;
    options.headless = true;
    options.mute = mute;
    options.audioOut = std::move(audioOut);
    ASSERT_TRUE(ce::StartPlatform(options, nullptr));
  }
  void TearDown() override { ce::StopPlatform(); }
};

TEST_F(WaveOutTest, DevicesOnlyWithAStartedPlatformAndSound) {
  ce::StopPlatform();
  EXPECT_EQ(ce::waveOutGetNumDevs(), 0u);
  StartHeadless(true);
  EXPECT_EQ(ce::waveOutGetNumDevs(), 0u);
  ce::HWAVEOUT device = nullptr;
  ce::WAVEFORMATEX format = Format();
  EXPECT_EQ(ce::waveOutOpen(&device, 0, &format, 0, 0, ce::CALLBACK_NULL),
            ce::MMSYSERR_BADDEVICEID);
  StartHeadless();
  EXPECT_EQ(ce::waveOutGetNumDevs(), 1u);
}

TEST_F(WaveOutTest, OpenTakesOnly8BitPcmAndThreadCallbacks) {
  StartHeadless();
  ce::HWAVEOUT device = nullptr;
  ce::WAVEFORMATEX format = Format();
  format.wBitsPerSample = 16;
  EXPECT_EQ(ce::waveOutOpen(&device, 0, &format, 0, 0, 0), ce::WAVERR_BADFORMAT);
  format = Format(3);
  EXPECT_EQ(ce::waveOutOpen(&device, 0, &format, 0, 0, 0), ce::WAVERR_BADFORMAT);
  format = Format();
  EXPECT_EQ(ce::waveOutOpen(&device, 0, &format, 0, 0, ce::CALLBACK_FUNCTION),
            ce::MMSYSERR_INVALFLAG);
  EXPECT_EQ(ce::waveOutOpen(&device, 1, &format, 0, 0, 0), ce::MMSYSERR_BADDEVICEID);
  ASSERT_EQ(ce::waveOutOpen(&device, 0, &format, 0, 0, 0), ce::MMSYSERR_NOERROR);
  EXPECT_EQ(ce::waveOutClose(device), ce::MMSYSERR_NOERROR);
  EXPECT_EQ(ce::waveOutClose(device), ce::MMSYSERR_INVALHANDLE);
  EXPECT_EQ(ce::waveOutPause(device), ce::MMSYSERR_INVALHANDLE);
}

// Headers and their flags, without a callback: virtual time plays them.
TEST_F(WaveOutTest, HeadlessPlaysBuffersInStepWithVirtualTime) {
  std::string capture = TempPath("step.wav");
  StartHeadless(false, capture);
  ce::HWAVEOUT device = nullptr;
  ce::WAVEFORMATEX format = Format();
  ASSERT_EQ(ce::waveOutOpen(&device, 0, &format, 0, 0, ce::CALLBACK_NULL), 0u);

  // 441 frames = 20 ms, then 220.5 frames = 10 ms.
  std::vector<char> first(882), second(441 * 2);
  for (size_t i = 0; i < first.size(); ++i) first[i] = static_cast<char>(i % 200);
  for (size_t i = 0; i < second.size(); ++i) second[i] = static_cast<char>(7);
  ce::WAVEHDR a{}, b{};
  a.lpData = first.data();
  a.dwBufferLength = static_cast<ce::DWORD>(first.size());
  b.lpData = second.data();
  b.dwBufferLength = 441;

  EXPECT_EQ(ce::waveOutWrite(device, &a, kHeader), ce::WAVERR_UNPREPARED);
  ASSERT_EQ(ce::waveOutPrepareHeader(device, &a, kHeader), 0u);
  ASSERT_EQ(ce::waveOutPrepareHeader(device, &b, kHeader), 0u);
  ASSERT_EQ(ce::waveOutPause(device), 0u);
  ASSERT_EQ(ce::waveOutWrite(device, &a, kHeader), 0u);
  ASSERT_EQ(ce::waveOutWrite(device, &b, kHeader), 0u);
  EXPECT_EQ(ce::waveOutWrite(device, &a, kHeader), ce::WAVERR_STILLPLAYING);
  EXPECT_EQ(ce::waveOutUnprepareHeader(device, &a, kHeader), ce::WAVERR_STILLPLAYING);

  ce::Sleep(1000);  // paused: nothing plays
  EXPECT_EQ(a.dwFlags & ce::WHDR_DONE, 0u);
  ASSERT_EQ(ce::waveOutRestart(device), 0u);
  ce::Sleep(19);
  EXPECT_EQ(a.dwFlags & ce::WHDR_DONE, 0u);
  ce::Sleep(1);
  EXPECT_EQ(a.dwFlags & (ce::WHDR_DONE | ce::WHDR_INQUEUE), ce::WHDR_DONE);
  EXPECT_EQ(b.dwFlags & ce::WHDR_DONE, 0u);
  EXPECT_EQ(ce::waveOutClose(device), ce::WAVERR_STILLPLAYING);
  ASSERT_EQ(ce::waveOutReset(device), 0u);  // hands b back unplayed
  EXPECT_EQ(b.dwFlags & (ce::WHDR_DONE | ce::WHDR_INQUEUE), ce::WHDR_DONE);
  ce::Sleep(10);  // nothing queued: silence
  EXPECT_EQ(ce::waveOutUnprepareHeader(device, &a, kHeader), 0u);
  EXPECT_EQ(ce::waveOutUnprepareHeader(device, &b, kHeader), 0u);
  ASSERT_EQ(ce::waveOutClose(device), 0u);
  ce::StopPlatform();

  std::string wav = ReadFile(capture);
  std::remove(capture.c_str());
  // 20 ms of a, then 10 ms of silence: 661 frames in 30 ms.
  ASSERT_EQ(wav.size(), 44u + 882 + 440);
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(static_cast<unsigned char>(wav[22]), 2);  // stereo
  EXPECT_EQ(static_cast<unsigned char>(wav[24]) | (static_cast<unsigned char>(wav[25]) << 8),
            22050);
  EXPECT_EQ(static_cast<unsigned char>(wav[34]), 8);
  EXPECT_EQ(wav.substr(36, 4), "data");
  EXPECT_EQ(static_cast<unsigned char>(wav[40]) | (static_cast<unsigned char>(wav[41]) << 8),
            882 + 440);
  EXPECT_EQ(wav.compare(44, 882, first.data(), 882), 0);
  EXPECT_EQ(wav.substr(44 + 882), std::string(440, '\x80'));
}

// A callback thread that answers each MM_WOM_DONE by filling the buffer
// with the next value and writing it again, as the sound engine does.
struct Refiller {
  ce::HWAVEOUT device = nullptr;
  ce::HANDLE stop = nullptr;
  unsigned char next = 1;
  // Buffers handed back after the (virtual) tick at which the device was
  // lost, counted by when they were handed back, not when this thread got
  // round to them.
  std::atomic<bool> lost{false};
  std::atomic<ce::DWORD> lostAt{0};
  std::atomic<int> refillsAfterLoss{0};
};

ce::DWORD Refill(ce::LPVOID parameter) {
  auto* r = static_cast<Refiller*>(parameter);
  ce::MSG msg;
  auto refillWaiting = [&] {
    while (ce::PeekMessageW(&msg, nullptr, 0, 0, ce::PM_REMOVE)) {
      if (msg.message != ce::MM_WOM_DONE) continue;
      auto* header = reinterpret_cast<ce::WAVEHDR*>(msg.lParam);
      EXPECT_EQ(reinterpret_cast<ce::HWAVEOUT>(msg.wParam), r->device);
      std::fill_n(header->lpData, header->dwBufferLength, static_cast<char>(r->next++));
      ce::waveOutWrite(r->device, header, kHeader);
      if (r->lost && static_cast<std::int32_t>(msg.time - r->lostAt.load()) > 0)
        ++r->refillsAfterLoss;
    }
  };
  while (ce::WaitForSingleObject(r->stop, 5) == ce::WAIT_TIMEOUT) refillWaiting();
  refillWaiting();  // what was handed back before the stop
  return 0;
}

// `loseAtStep`: the device goes away before that step of time.
std::string PlayWithRefills(const std::string& capture, int loseAtStep = -1,
                            int* refillsAfterLoss = nullptr) {
  ce::PlatformOptions options;
  options.headless = true;
  options.audioOut = capture;
  ce::StartPlatform(options, nullptr);
  Refiller r;
  r.stop = ce::CreateEventW(nullptr, ce::FALSE, ce::FALSE, nullptr);
  ce::DWORD id = 0;
  ce::HANDLE thread = ce::CreateThread(nullptr, 0, &Refill, &r, ce::CREATE_SUSPENDED, &id);
  ce::WAVEFORMATEX format = Format(1);
  EXPECT_EQ(ce::waveOutOpen(&r.device, 0, &format, id, 0, ce::CALLBACK_THREAD), 0u);
  std::vector<char> memory(3 * 100, '\x80');
  ce::WAVEHDR headers[3] = {};
  for (int i = 0; i < 3; ++i) {
    headers[i].lpData = memory.data() + i * 100;
    headers[i].dwBufferLength = 100;
    ce::waveOutPrepareHeader(r.device, &headers[i], kHeader);
    ce::waveOutWrite(r.device, &headers[i], kHeader);
  }
  ce::ResumeThread(thread);
  // Uneven steps of virtual time; each buffer is 4.5 ms long.
  for (int i = 0; i < 40; ++i) {
    if (i == loseAtStep) {
      r.lostAt = ce::GetTickCount();
      r.lost = true;
      ce::headless::LoseWaveDevice();
    }
    ce::Sleep(1 + i % 7);
  }
  ce::SetEvent(r.stop);
  ce::WaitForSingleObject(thread, ce::INFINITE);
  if (refillsAfterLoss != nullptr) *refillsAfterLoss = r.refillsAfterLoss;
  ce::waveOutReset(r.device);
  ce::waveOutClose(r.device);
  ce::CloseHandle(thread);
  ce::CloseHandle(r.stop);
  ce::StopPlatform();
  std::string wav = ReadFile(capture);
  std::remove(capture.c_str());
  return wav;
}

TEST_F(WaveOutTest, HeadlessWaitsForEachRefillSoTheSameRunGivesTheSameBytes) {
  std::string wav = PlayWithRefills(TempPath("refill.wav"));
  // 40 steps of 1..7 ms: 155 ms, 3417 frames at 22050 Hz, mono.
  ASSERT_EQ(wav.size(), 44u + 3417);
  // Three buffers of silence, then every buffer of 100 bytes with the next
  // value: no gap, no buffer played before it was refilled.
  EXPECT_EQ(wav.substr(44, 300), std::string(300, '\x80'));
  for (size_t at = 344, value = 1; at < wav.size(); at += 100, ++value) {
    size_t n = std::min<size_t>(100, wav.size() - at);
    EXPECT_EQ(wav.substr(at, n), std::string(n, static_cast<char>(value))) << "at " << at;
  }
  EXPECT_EQ(PlayWithRefills(TempPath("refill2.wav")), wav);
}

TEST_F(WaveOutTest, ALostDeviceKeepsHandingBuffersBackAndPlaysSilence) {
  std::string wav = PlayWithRefills(TempPath("lost.wav"), 20, nullptr);
  int refills = 0;
  PlayWithRefills(TempPath("lost2.wav"), 20, &refills);
  // Steps 0..19 take 77 ms (1697 frames); the last 20 take 78 ms, 1720
  // frames: 17 or 18 buffers of 100.
  ASSERT_EQ(wav.size(), 44u + 3417);
  EXPECT_NE(wav.substr(44, 1697).find_first_not_of('\x80'), std::string::npos);
  EXPECT_EQ(wav.find_first_not_of('\x80', 44 + 1697), std::string::npos);
  EXPECT_GE(refills, 17);
  EXPECT_LE(refills, 18);
}

// The desktop device through SDL's dummy audio driver, in real time: two
// buffers of 26.7 ms queued, to be handed back to this thread.
class WaveOutDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ce::PlatformOptions options;
    std::string error;
    if (!ce::StartPlatform(options, &error)) GTEST_SKIP() << "no display: " << error;
    if (ce::waveOutGetNumDevs() == 0) GTEST_SKIP() << "no SDL audio";
    ce::WAVEFORMATEX format = Format();
    ASSERT_EQ(
        ce::waveOutOpen(&device, 0, &format, ce::GetCurrentThreadId(), 0, ce::CALLBACK_THREAD), 0u);
    for (int i = 0; i < 2; ++i) {
      headers[i].lpData = memory.data() + i * 1176;
      headers[i].dwBufferLength = 1176;
      ce::waveOutPrepareHeader(device, &headers[i], kHeader);
      ce::waveOutWrite(device, &headers[i], kHeader);
    }
  }
  void TearDown() override { ce::StopPlatform(); }

  ce::HWAVEOUT device = nullptr;
  std::vector<char> memory = std::vector<char>(2 * 1176, '\x80');
  ce::WAVEHDR headers[2] = {};
};

TEST_F(WaveOutDesktopTest, BuffersComeBackInOrder) {
  std::vector<ce::WAVEHDR*> done;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  ce::MSG msg;
  while (done.size() < 2 && std::chrono::steady_clock::now() < deadline) {
    if (ce::PeekMessageW(&msg, nullptr, ce::MM_WOM_DONE, ce::MM_WOM_DONE, ce::PM_REMOVE))
      done.push_back(reinterpret_cast<ce::WAVEHDR*>(msg.lParam));
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ASSERT_EQ(done.size(), 2u);
  EXPECT_EQ(done[0], &headers[0]);
  EXPECT_EQ(done[1], &headers[1]);
  EXPECT_NE(headers[1].dwFlags & ce::WHDR_DONE, 0u);
  EXPECT_EQ(ce::waveOutClose(device), 0u);
}

// SDL reports the device removed (a headset unplugged): SDL's device is
// closed, and the buffers keep coming back in real time, unheard.
TEST_F(WaveOutDesktopTest, ARemovedDeviceKeepsHandingBuffersBack) {
  SDL_AudioDeviceID sdl = 0;
  for (SDL_AudioDeviceID id = 1; id < 64 && sdl == 0; ++id)
    if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) sdl = id;
  ASSERT_NE(sdl, 0u);
  SDL_Event removed{};
  removed.type = SDL_AUDIODEVICEREMOVED;
  removed.adevice.which = sdl;
  ASSERT_EQ(SDL_PushEvent(&removed), 1);

  // GetMessageW reads the window system's events; a watchdog wakes it if
  // the buffers stop coming.
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 50 && !done; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      ce::PostMessageW(nullptr, ce::WM_NULL, 0, 0);
    }
  });
  auto start = std::chrono::steady_clock::now();
  int back = 0;
  ce::MSG msg;
  while (back < 20 && std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
    ce::GetMessageW(&msg, nullptr, 0, 0);
    if (msg.message != ce::MM_WOM_DONE) continue;
    ++back;
    ce::waveOutWrite(device, reinterpret_cast<ce::WAVEHDR*>(msg.lParam), kHeader);
  }
  auto elapsed = std::chrono::steady_clock::now() - start;
  done = true;
  watchdog.join();
  EXPECT_EQ(back, 20);
  EXPECT_EQ(SDL_GetAudioDeviceStatus(sdl), SDL_AUDIO_STOPPED);
  // 20 buffers of 26.7 ms, less the two written before the loss.
  EXPECT_GE(elapsed, std::chrono::milliseconds(450));
  EXPECT_EQ(ce::waveOutReset(device), 0u);
  EXPECT_EQ(ce::waveOutClose(device), 0u);
}

}  // namespace
