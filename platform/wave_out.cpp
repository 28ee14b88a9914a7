// The wave-output calls, and the queue of buffers that every device plays.
#include "platform/wave_out.h"

#include <algorithm>
#include <chrono>
#include <map>

#include "platform/device.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/thread_internals.h"
#include "platform/wave_device.h"

namespace ce {

namespace detail {

namespace {

// A headless buffer refill should take microseconds; this only keeps a
// stuck callback thread from hanging the run.
constexpr auto kRefillTimeout = std::chrono::seconds(2);

}  // namespace

WaveQueue::WaveQueue(HWAVEOUT handle, const WAVEFORMATEX& format, DWORD callbackThread)
    : handle_(handle), format_(format), callbackThread_(callbackThread) {}

MMRESULT WaveQueue::Write(WAVEHDR* header) {
  {
    std::lock_guard lock(mutex_);
    if ((header->dwFlags & WHDR_PREPARED) == 0) return WAVERR_UNPREPARED;
    if ((header->dwFlags & WHDR_INQUEUE) != 0) return WAVERR_STILLPLAYING;
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    queue_.push_back(header);
    handedBack_.erase(header);
  }
  written_.notify_all();
  return MMSYSERR_NOERROR;
}

void WaveQueue::Pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
}

void WaveQueue::Restart() {
  std::lock_guard lock(mutex_);
  paused_ = false;
}

bool WaveQueue::Idle() {
  std::lock_guard lock(mutex_);
  return queue_.empty();
}

bool WaveQueue::Paused() {
  std::lock_guard lock(mutex_);
  return paused_;
}

void WaveQueue::Reset() {
  std::deque<WAVEHDR*> done;
  {
    std::lock_guard lock(mutex_);
    while (!queue_.empty()) {
      HandBack(queue_.front(), &done);
      queue_.pop_front();
    }
    offset_ = 0;
  }
  Post(done);
}

void WaveQueue::Lose() {
  std::lock_guard lock(mutex_);
  lost_ = true;
}

size_t WaveQueue::Take(std::uint8_t* out, size_t bytes) {
  std::deque<WAVEHDR*> done;
  size_t copied = 0;
  {
    std::lock_guard lock(mutex_);
    while (!paused_ && copied < bytes && !queue_.empty()) {
      WAVEHDR* header = queue_.front();
      size_t left = header->dwBufferLength - offset_;
      size_t n = std::min(left, bytes - copied);
      if (n > 0 && header->lpData != nullptr && !lost_)
        std::copy_n(reinterpret_cast<const std::uint8_t*>(header->lpData) + offset_, n,
                    out + copied);
      else if (n > 0)
        std::fill_n(out + copied, n, 0x80);
      copied += n;
      offset_ += n;
      if (offset_ >= header->dwBufferLength) {
        offset_ = 0;
        queue_.pop_front();
        HandBack(header, &done);
      }
    }
  }
  Post(done);
  return copied;
}

bool WaveQueue::WaitForRefill() {
  std::unique_lock lock(mutex_);
  bool wait = callbackThread_ != 0 && callbackThread_ != GetCurrentThreadId();
  auto deadline = std::chrono::steady_clock::now() + kRefillTimeout;
  while (wait && !handedBack_.empty() && std::chrono::steady_clock::now() < deadline) {
    // The thread may end without writing again: look at it now and then.
    if (!IsThreadRunning(callbackThread_)) break;
    written_.wait_for(lock, std::chrono::milliseconds(1));
  }
  return !queue_.empty();
}

// Under mutex_.
void WaveQueue::HandBack(WAVEHDR* header, std::deque<WAVEHDR*>* done) {
  header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  if (callbackThread_ != 0) handedBack_.insert(header);
  done->push_back(header);
}

void WaveQueue::Post(const std::deque<WAVEHDR*>& done) {
  if (callbackThread_ == 0) return;
  for (WAVEHDR* header : done)
    if (!PostThreadMessageW(callbackThread_, MM_WOM_DONE, reinterpret_cast<WPARAM>(handle_),
                            reinterpret_cast<LPARAM>(header))) {
      std::lock_guard lock(mutex_);
      handedBack_.erase(header);
    }
}

}  // namespace detail

namespace {

struct OpenDevice {
  std::unique_ptr<detail::WaveQueue> queue;
  std::unique_ptr<detail::WavePlayer> player;
};

std::mutex g_devicesMutex;
std::map<HWAVEOUT, std::shared_ptr<OpenDevice>> g_devices;
std::uintptr_t g_nextHandle = 1;

std::shared_ptr<OpenDevice> Lookup(HWAVEOUT handle) {
  std::lock_guard lock(g_devicesMutex);
  auto it = g_devices.find(handle);
  return it == g_devices.end() ? nullptr : it->second;
}

bool HeaderOk(const WAVEHDR* header, UINT size) {
  return header != nullptr && size >= sizeof(WAVEHDR);
}

MMRESULT OnQueue(HWAVEOUT device, void (detail::WaveQueue::*action)()) {
  auto open = Lookup(device);
  if (!open) return MMSYSERR_INVALHANDLE;
  (open->queue.get()->*action)();
  return MMSYSERR_NOERROR;
}

}  // namespace

UINT waveOutGetNumDevs() {
  if (!PlatformStarted() || GetPlatformOptions().mute) return 0;
  if (detail::CurrentDevice()->IsHeadless()) return 1;
  return detail::LiveWaveAvailable() ? 1 : 0;
}

MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format,
                     DWORD_PTR callback, DWORD_PTR, DWORD flags) {
  if (deviceId >= waveOutGetNumDevs()) return MMSYSERR_BADDEVICEID;
  if (device == nullptr || format == nullptr) return MMSYSERR_INVALPARAM;
  DWORD kind = flags & CALLBACK_TYPEMASK;
  if (kind != CALLBACK_NULL && kind != CALLBACK_THREAD) return MMSYSERR_INVALFLAG;
  if (format->wFormatTag != WAVE_FORMAT_PCM || format->wBitsPerSample != 8 ||
      format->nChannels < 1 || format->nChannels > 2 || format->nBlockAlign != format->nChannels ||
      format->nSamplesPerSec < 1000 || format->nSamplesPerSec > 192000)
    return WAVERR_BADFORMAT;

  HWAVEOUT handle;
  {
    std::lock_guard lock(g_devicesMutex);
    handle = reinterpret_cast<HWAVEOUT>(g_nextHandle++);
  }
  auto open = std::make_shared<OpenDevice>();
  DWORD thread = kind == CALLBACK_THREAD ? static_cast<DWORD>(callback) : 0;
  open->queue = std::make_unique<detail::WaveQueue>(handle, *format, thread);
  open->player = detail::CurrentDevice()->IsHeadless() ? detail::CreateHeadlessWavePlayer()
                                                       : detail::CreateLiveWavePlayer();
  if (!open->player || !open->player->Start(open->queue.get())) return MMSYSERR_ALLOCATED;
  {
    std::lock_guard lock(g_devicesMutex);
    g_devices[handle] = open;
  }
  *device = handle;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
  if (!Lookup(device)) return MMSYSERR_INVALHANDLE;
  if (!HeaderOk(header, size)) return MMSYSERR_INVALPARAM;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
  if (!Lookup(device)) return MMSYSERR_INVALHANDLE;
  if (!HeaderOk(header, size)) return MMSYSERR_INVALPARAM;
  if ((header->dwFlags & WHDR_INQUEUE) != 0) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size) {
  auto open = Lookup(device);
  if (!open) return MMSYSERR_INVALHANDLE;
  if (!HeaderOk(header, size)) return MMSYSERR_INVALPARAM;
  return open->queue->Write(header);
}

MMRESULT waveOutPause(HWAVEOUT device) { return OnQueue(device, &detail::WaveQueue::Pause); }

MMRESULT waveOutRestart(HWAVEOUT device) { return OnQueue(device, &detail::WaveQueue::Restart); }

MMRESULT waveOutReset(HWAVEOUT device) { return OnQueue(device, &detail::WaveQueue::Reset); }

MMRESULT waveOutClose(HWAVEOUT device) {
  std::shared_ptr<OpenDevice> open;
  {
    std::lock_guard lock(g_devicesMutex);
    auto it = g_devices.find(device);
    if (it == g_devices.end()) return MMSYSERR_INVALHANDLE;
    if (!it->second->queue->Idle()) return WAVERR_STILLPLAYING;
    open = it->second;
    g_devices.erase(it);
  }
  open->player->Stop();
  return MMSYSERR_NOERROR;
}

namespace detail {

void StartWave(const PlatformOptions& options) {
  SetHeadlessTimeouts(options.headless);
  if (options.headless) StartHeadlessWave(options);
}

void StopWave() {
  std::map<HWAVEOUT, std::shared_ptr<OpenDevice>> left;
  {
    std::lock_guard lock(g_devicesMutex);
    left.swap(g_devices);
  }
  for (auto& [handle, open] : left) open->player->Stop();
  StopHeadlessWave();
  StopLiveWave();
  SetHeadlessTimeouts(false);
}

}  // namespace detail

}  // namespace ce
