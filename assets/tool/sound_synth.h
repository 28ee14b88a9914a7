// A small deterministic synthesiser for the game's sounds: oscillators, noise,
// envelopes, filters and a mono float buffer that becomes 8-bit samples.
// Everything is computed in float from fixed seeds, so the same source always
// gives the same bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace synth {

constexpr double kPi = 3.14159265358979323846;

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double NoteHz(double midi);

// xorshift32 noise, uniform in [-1, 1).
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  float Next();
  // Uniform in [0, 1).
  float Unit();

 private:
  std::uint32_t state_;
};

// Band-limited oscillator (polyBLEP for the edges of saw and square waves).
class Osc {
 public:
  enum Shape { kSine, kTriangle, kSaw, kSquare };
  Osc(Shape shape, int rate, double phase = 0.0) : shape_(shape), rate_(rate), phase_(phase) {}
  // One sample at the given frequency; the phase then advances.
  float Next(double hz);
  // Pulse width for kSquare, 0.05 to 0.95.
  void SetWidth(double width) { width_ = width; }

 private:
  Shape shape_;
  int rate_;
  double phase_;
  double width_ = 0.5;
};

// Attack, decay to a sustain level, hold, release; times in seconds.
float Adsr(double t, double attack, double decay, float sustain, double hold, double release);
// Linear attack then exponential decay with the given time constant.
float Perc(double t, double attack, double decayTau);
// Linear interpolation through (time, value) pairs; flat outside them.
float Ramp(double t, const std::vector<std::pair<double, float>>& points);

// One-pole low-pass and high-pass filters.
class OnePole {
 public:
  explicit OnePole(int rate) : rate_(rate) {}
  float Low(float x, double cutoffHz);
  float High(float x, double cutoffHz);
  void Reset() { y_ = 0.0f; }

 private:
  int rate_;
  float y_ = 0.0f;
};

// State-variable filter (topology-preserving transform): low, band and high
// outputs of one stage with a cutoff that may change every sample.
class Svf {
 public:
  explicit Svf(int rate) : rate_(rate) {}
  void Run(float x, double cutoffHz, double q);
  float Low() const { return low_; }
  float Band() const { return band_; }
  float High() const { return high_; }

 private:
  int rate_;
  float ic1_ = 0.0f, ic2_ = 0.0f;
  float low_ = 0.0f, band_ = 0.0f, high_ = 0.0f;
};

// A mono signal at one sample rate. A looped buffer wraps everything written
// past its end back to its start, so a sound rendered into it repeats without
// a seam.
class Buffer {
 public:
  Buffer(int rate, double seconds, bool looped = false);
  int Rate() const { return rate_; }
  int Size() const { return static_cast<int>(samples_.size()); }
  bool Looped() const { return looped_; }
  long Index(double seconds) const;
  // Adds v at sample index i (wrapping when looped, dropped otherwise).
  void Add(long i, float v);
  float& operator[](int i) { return samples_[i]; }
  float operator[](int i) const { return samples_[i]; }
  // Mixes another buffer of the same rate in at a time, scaled.
  void Mix(const Buffer& other, double at, float gain);
  float Peak() const;
  float Rms() const;
  void Scale(float gain);
  // Scales so that the largest magnitude becomes peak.
  void Normalize(float peak);
  // Removes the mean (a looped buffer must not drift).
  void RemoveDc();

 private:
  int rate_;
  bool looped_;
  std::vector<float> samples_;
};

// Calls f(t) for every sample of a span starting at `at` (t in seconds from
// the span's start) and adds what it returns into the buffer.
template <typename F>
void Render(Buffer& b, double at, double seconds, F f) {
  long start = b.Index(at);
  long count = b.Index(seconds);
  for (long i = 0; i < count; ++i) b.Add(start + i, f(static_cast<double>(i) / b.Rate()));
}

// Soft saturation that keeps small signals linear.
float SoftClip(float x);

// Feedback echo; a looped buffer is processed twice so that its start already
// carries the echoes of its end.
void Echo(Buffer& b, double delaySeconds, float feedback, float mix, double dampHz);
// Small room reverb (parallel combs into all-passes), same looping rule.
void Reverb(Buffer& b, float mix, float decay, double dampHz);

// Unsigned 8-bit samples (128 = silence), rounded with a deterministic
// triangular dither.
std::vector<std::uint8_t> ToSamples(const Buffer& b, std::uint32_t ditherSeed = 1);

}  // namespace synth
