#include "sound/sound_engine.h"

#include <algorithm>
#include <new>

#include "platform/clock.h"
#include "platform/messages.h"

SampleDescription::~SampleDescription() {
  if (owned) delete[] data;
}

SoundEngine::~SoundEngine() {
  Close();
  delete[] mixBuffer;
}

int SoundEngine::Open(ce::DWORD rate, int stereoFlag) {
  if (opened) return 0;
  switch (rate) {
    case 11025:
      outputRate = 11025;
      samplesPerBuffer = 298;
      break;
    case 44100:
      outputRate = 44100;
      samplesPerBuffer = 1176;
      break;
    default:
      outputRate = 22050;
      samplesPerBuffer = 588;
      break;
  }
  stereo = (stereoFlag & 0xFF) != 0 ? 1 : 0;
  masterVolume = 64;

  delete[] mixBuffer;
  mixBufferSize = kBufferCount * BytesPerBuffer();
  mixBuffer = new (std::nothrow) std::uint8_t[mixBufferSize];
  if (mixBuffer == nullptr) return 0;
  std::fill_n(mixBuffer, mixBufferSize, 0x80);

  ce::InitializeCriticalSection(&lock);
  thread =
      ce::CreateThread(nullptr, 0, &SoundEngine::MixThread, this, ce::CREATE_SUSPENDED, &threadId);
  if (thread == nullptr) {
    delete[] mixBuffer;
    mixBuffer = nullptr;
    return 0;
  }
  stopEvent = ce::CreateEventW(nullptr, ce::FALSE, ce::FALSE, nullptr);
  doneEvent = ce::CreateEventW(nullptr, ce::FALSE, ce::FALSE, nullptr);

  const ce::WORD channelCount = stereo ? 2 : 1;
  format.wFormatTag = ce::WAVE_FORMAT_PCM;
  format.nChannels = channelCount;
  format.nSamplesPerSec = outputRate;
  format.nAvgBytesPerSec = channelCount * outputRate;
  format.nBlockAlign = channelCount;
  format.wBitsPerSample = 8;
  format.cbSize = 0;

  bool found = false;
  for (ce::UINT id = 0; id < ce::waveOutGetNumDevs(); ++id) {
    if (ce::waveOutOpen(&device, id, &format, threadId, reinterpret_cast<ce::DWORD_PTR>(this),
                        ce::CALLBACK_THREAD) == ce::MMSYSERR_NOERROR) {
      found = true;
      break;
    }
  }
  if (!found) {
    ce::CloseHandle(stopEvent);
    ce::CloseHandle(doneEvent);
    ce::CloseHandle(thread);
    stopEvent = doneEvent = thread = nullptr;
    delete[] mixBuffer;
    mixBuffer = nullptr;
    return 0;
  }

  ce::waveOutPause(device);
  // Five short buffers of silence start the queue; the thread gives each its
  // full length when it first refills it.
  for (int i = 0; i < kBufferCount; ++i) {
    headers[i] = ce::WAVEHDR{};
    headers[i].dwBufferLength = 8;
    headers[i].lpData = reinterpret_cast<ce::LPSTR>(mixBuffer + i * BytesPerBuffer());
    ce::waveOutPrepareHeader(device, &headers[i], sizeof(ce::WAVEHDR));
    ce::waveOutWrite(device, &headers[i], sizeof(ce::WAVEHDR));
  }
  ce::SetThreadPriority(thread, ce::THREAD_PRIORITY_HIGHEST);
  ce::Sleep(100);
  ce::ResumeThread(thread);
  ce::waveOutRestart(device);
  opened = 1;
  return 1;
}

int SoundEngine::Close() {
  if (!opened) return 1;
  ce::EventModify(stopEvent, ce::EVENT_SET);
  ce::WaitForSingleObject(doneEvent, ce::INFINITE);
  ce::Sleep(100);
  ce::CloseHandle(stopEvent);
  ce::CloseHandle(doneEvent);
  ce::CloseHandle(thread);
  stopEvent = doneEvent = thread = nullptr;
  ce::DeleteCriticalSection(&lock);

  ce::waveOutReset(device);
  for (ce::WAVEHDR& header : headers)
    ce::waveOutUnprepareHeader(device, &header, sizeof(ce::WAVEHDR));
  ce::waveOutClose(device);
  device = nullptr;
  delete[] mixBuffer;
  mixBuffer = nullptr;
  fillTarget = nullptr;
  opened = 0;
  return 1;
}

ce::DWORD SoundEngine::MixThread(ce::LPVOID parameter) {
  auto* engine = static_cast<SoundEngine*>(parameter);
  if (engine == nullptr) return static_cast<ce::DWORD>(-1);
  ce::MSG msg;
  while (ce::WaitForSingleObject(engine->stopEvent, 5) == ce::WAIT_TIMEOUT) {
    while (ce::PeekMessageW(&msg, nullptr, 0, 0, ce::PM_REMOVE)) {
      if (msg.message != ce::MM_WOM_DONE) continue;
      auto* header = reinterpret_cast<ce::WAVEHDR*>(msg.lParam);
      if (header == nullptr) break;
      engine->Refill(header);
    }
  }
  ce::EventModify(engine->doneEvent, ce::EVENT_SET);
  return 0;
}

// On the mixing thread: a buffer came back from the device.
void SoundEngine::Refill(ce::WAVEHDR* header) {
  fillTarget = reinterpret_cast<std::uint8_t*>(header->lpData);
  ce::EnterCriticalSection(&lock);
  Mix();
  ce::LeaveCriticalSection(&lock);
  ce::waveOutUnprepareHeader(device, header, sizeof(ce::WAVEHDR));
  *header = ce::WAVEHDR{};
  header->dwBufferLength = BytesPerBuffer();
  header->lpData = reinterpret_cast<ce::LPSTR>(fillTarget);
  ce::waveOutPrepareHeader(device, header, sizeof(ce::WAVEHDR));
  ce::waveOutWrite(device, header, sizeof(ce::WAVEHDR));
}

// Each playing channel adds (sample - 128) x effective to every frame it
// covers; a frame's sum, shifted right by 7 and clipped to a signed byte,
// is the output sample. Sounds are not panned: both sides get the same.
void SoundEngine::Mix() {
  const ce::DWORD frames = samplesPerBuffer;
  std::fill_n(sums_, frames, 0);
  for (SampleChannel& channel : channels)
    if (channel.IsPlaying()) MixChannel(channel);

  std::uint8_t* out = fillTarget;
  for (ce::DWORD i = 0; i < frames; ++i) {
    std::int32_t v = std::clamp(sums_[i] >> 7, -128, 127) + 128;
    *out++ = static_cast<std::uint8_t>(v);
    if (stereo) *out++ = static_cast<std::uint8_t>(v);
  }
}

// Adds one channel over the whole buffer: runs of frames that stay inside
// the sound, with the end checked (and a looping sound wrapped) between
// runs, as if frame by frame.
void SoundEngine::MixChannel(SampleChannel& channel) {
  const ce::DWORD frames = samplesPerBuffer;
  const std::uint8_t* data = channel.data;
  const std::int32_t effective = channel.effective;
  const ce::DWORD step = channel.step;
  const ce::DWORD end = channel.end;
  ce::DWORD position = channel.position;
  ce::DWORD i = 0;
  while (i < frames) {
    if (channel.loop && position >= end) position -= end;
    if (position >= end) {
      channel.Stop();
      break;
    }
    ce::DWORD run = frames - i;
    if (step > 0) {
      std::uint64_t untilEnd = (static_cast<std::uint64_t>(end - position) + step - 1) / step;
      if (untilEnd < run) run = static_cast<ce::DWORD>(untilEnd);
    }
    std::int32_t* sum = sums_ + i;
    for (ce::DWORD n = 0; n < run; ++n) {
      sum[n] += (static_cast<std::int32_t>(data[position >> 8]) - 128) * effective;
      position += step;
    }
    i += run;
  }
  channel.position = position;
}

int SoundEngine::PlaySample(const SampleDescription& description) {
  if (!opened || description.data == nullptr) return kRefused;
  int index = 0;
  while (index < kChannelCount && !channels[index].IsFree()) ++index;
  if (index == kChannelCount) return kRefused;

  SampleChannel& channel = channels[index];
  ce::EnterCriticalSection(&lock);
  channel.data = description.data;
  channel.step = static_cast<ce::DWORD>((static_cast<std::uint64_t>(description.sampleRate) << 16) /
                                        (static_cast<std::uint64_t>(outputRate) << 8));
  channel.position = 0;
  channel.end = description.length << 8;
  channel.loop = description.loop;
  channel.master = masterVolume;
  channel.SetVolume(description.volume);
  channel.Start();
  ce::LeaveCriticalSection(&lock);
  return index + kFirstHandle;
}

void SoundEngine::StopSample(int handle) {
  if (!opened || handle < kFirstHandle || handle >= kFirstHandle + kChannelCount) return;
  ce::EnterCriticalSection(&lock);
  channels[handle - kFirstHandle].Stop();
  ce::LeaveCriticalSection(&lock);
}

int SoundEngine::CountActiveSamples() const {
  int count = 0;
  for (const SampleChannel& channel : channels)
    if (channel.IsPlaying()) ++count;
  return count;
}

void SoundEngine::EnterLock() {
  if (opened) ce::EnterCriticalSection(&lock);
}

void SoundEngine::LeaveLock() {
  if (opened) ce::LeaveCriticalSection(&lock);
}
