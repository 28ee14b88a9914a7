// The headless wave device: plays in step with the virtual clock, so that
// what it plays is fixed by the run alone. Each time virtual time moves on
// it takes that much from the queued buffers and then waits until the
// callback thread has refilled every buffer it handed back, before the run
// can go on. With --audio-out everything played goes to a WAV file.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/output_file.h"
#include "platform/platform.h"
#include "platform/wave_device.h"

namespace ce::detail {

namespace {

// The WAV file of --audio-out; its header is rewritten with the sizes when
// a device closes and when the platform stops.
class Capture {
 public:
  void Open(const std::string& path) {
    Close();
    if (path.empty()) return;
    file_ = std::make_unique<OutputFile>();
    if (!file_->Open(path)) {
      std::fprintf(stderr, "reedshot: cannot write %s: %s\n", path.c_str(), file_->Error().c_str());
      file_.reset();
      return;
    }
    format_ = WAVEFORMATEX{WAVE_FORMAT_PCM, 2, 22050, 44100, 2, 8, 0};
    bytes_ = 0;
    formatFixed_ = false;
    WriteHeader();
  }

  // The first device that plays sets the file's format.
  void Use(const WAVEFORMATEX& format) {
    if (!file_ || formatFixed_) return;
    format_ = format;
    formatFixed_ = true;
  }

  bool Matches(const WAVEFORMATEX& format) const {
    return file_ && format.nSamplesPerSec == format_.nSamplesPerSec &&
           format.nChannels == format_.nChannels;
  }

  void Append(const std::uint8_t* data, size_t size) {
    if (!file_ || size == 0) return;
    pending_.insert(pending_.end(), data, data + size);
    bytes_ += size;
    if (pending_.size() >= kPendingBytes) Flush();
  }

  void Flush() {
    if (!file_) return;
    if (!file_->Write(pending_.data(), pending_.size())) failed_ = true;
    pending_.clear();
    WriteHeader();
  }

  // The file takes its name only now, whole.
  void Close() {
    if (!file_) return;
    Flush();
    if (failed_ || !file_->Commit())
      std::fprintf(stderr, "reedshot: cannot write the sound file: %s\n", file_->Error().c_str());
    file_.reset();
    failed_ = false;
  }

 private:
  static void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  static void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
  }

  void WriteHeader() {
    std::uint8_t h[44] = {'R', 'I', 'F', 'F', 0,   0,   0,  0, 'W', 'A',
                          'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,   0};
    Put32(h + 4, static_cast<std::uint32_t>(36 + bytes_));
    Put16(h + 20, WAVE_FORMAT_PCM);
    Put16(h + 22, format_.nChannels);
    Put32(h + 24, format_.nSamplesPerSec);
    Put32(h + 28, format_.nSamplesPerSec * format_.nChannels);
    Put16(h + 32, format_.nChannels);
    Put16(h + 34, 8);
    std::copy_n("data", 4, h + 36);
    Put32(h + 40, static_cast<std::uint32_t>(bytes_));
    if (!file_->WriteAt(0, h, sizeof h)) failed_ = true;
  }

  static constexpr size_t kPendingBytes = 1 << 16;
  std::unique_ptr<OutputFile> file_;
  std::vector<std::uint8_t> pending_;
  bool failed_ = false;
  WAVEFORMATEX format_{};
  bool formatFixed_ = false;
  size_t bytes_ = 0;
};

class HeadlessWavePlayer;

// One lock for the open devices, the capture and playing: time passes on
// one thread at a time.
std::mutex g_mutex;
std::set<HeadlessWavePlayer*> g_players;
Capture g_capture;
HeadlessWavePlayer* g_capturing = nullptr;

class HeadlessWavePlayer final : public WavePlayer {
 public:
  bool Start(WaveQueue* queue) override {
    std::lock_guard lock(g_mutex);
    queue_ = queue;
    g_players.insert(this);
    if (g_capturing == nullptr) {
      g_capture.Use(queue->format());
      if (g_capture.Matches(queue->format())) g_capturing = this;
    }
    return true;
  }

  void Stop() override {
    std::lock_guard lock(g_mutex);
    g_players.erase(this);
    if (g_capturing == this) {
      g_capturing = nullptr;
      g_capture.Flush();
    }
  }

  // Under g_mutex.
  void Lose() { queue_->Lose(); }

  // Under g_mutex.
  void Play(DWORD ms) {
    if (queue_->Paused()) return;
    const WAVEFORMATEX& format = queue_->format();
    playedMs_ += ms;
    std::uint64_t due = playedMs_ * format.nSamplesPerSec / 1000 - frames_;
    frames_ += due;
    size_t bytes = static_cast<size_t>(due) * format.nBlockAlign;
    samples_.resize(bytes);
    size_t got = 0;
    while (got < bytes) {
      got += queue_->Take(samples_.data() + got, bytes - got);
      bool queued = queue_->WaitForRefill();
      if (got < bytes && !queued) break;
    }
    // Nothing queued: the device plays silence until something comes.
    std::fill(samples_.begin() + static_cast<std::ptrdiff_t>(got), samples_.end(), 0x80);
    if (g_capturing == this) g_capture.Append(samples_.data(), bytes);
  }

 private:
  WaveQueue* queue_ = nullptr;
  std::uint64_t playedMs_ = 0;  // virtual time spent playing (not paused)
  std::uint64_t frames_ = 0;    // frames played so far
  std::vector<std::uint8_t> samples_;
};

}  // namespace

std::unique_ptr<WavePlayer> CreateHeadlessWavePlayer() {
  return std::make_unique<HeadlessWavePlayer>();
}

void HeadlessWaveTimePassed(DWORD ms) {
  // Playing posts messages, and stamping a message reads the clock, which
  // may move it on: time that passes while playing is played afterwards.
  thread_local bool playing = false;
  thread_local DWORD pending = 0;
  pending += ms;
  if (playing) return;
  playing = true;
  while (pending > 0) {
    DWORD step = pending;
    pending = 0;
    std::lock_guard lock(g_mutex);
    for (HeadlessWavePlayer* player : g_players) player->Play(step);
  }
  playing = false;
}

void StartHeadlessWave(const PlatformOptions& options) {
  std::lock_guard lock(g_mutex);
  g_capture.Open(options.audioOut);
}

void StopHeadlessWave() {
  std::lock_guard lock(g_mutex);
  g_capture.Close();
  g_players.clear();
  g_capturing = nullptr;
}

}  // namespace ce::detail

namespace ce::headless {

void LoseWaveDevice() {
  std::lock_guard lock(detail::g_mutex);
  for (detail::HeadlessWavePlayer* player : detail::g_players) player->Lose();
}

}  // namespace ce::headless
