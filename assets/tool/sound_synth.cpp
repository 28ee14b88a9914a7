#include "assets/tool/sound_synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

double NoteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

float Noise::Next() { return Unit() * 2.0f - 1.0f; }

float Noise::Unit() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ >> 8) / 16777216.0f;
}

namespace {

// Correction around a step of the naive waveform (t in [0, 1), dt per sample).
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

float Osc::Next(double hz) {
  double dt = std::clamp(hz / rate_, 0.0, 0.5);
  double out = 0.0;
  switch (shape_) {
    case kSine:
      out = std::sin(2.0 * kPi * phase_);
      break;
    case kTriangle:
      out = 1.0 - 4.0 * std::fabs(phase_ - 0.5);
      break;
    case kSaw:
      out = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
      break;
    case kSquare: {
      out = phase_ < width_ ? 1.0 : -1.0;
      out += PolyBlep(phase_, dt);
      out -= PolyBlep(std::fmod(phase_ + 1.0 - width_, 1.0), dt);
      break;
    }
  }
  phase_ += dt;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return static_cast<float>(out);
}

float Adsr(double t, double attack, double decay, float sustain, double hold, double release) {
  if (t < 0.0) return 0.0f;
  float level;
  if (t < attack) {
    level = static_cast<float>(t / attack);
  } else if (t < attack + decay) {
    level = 1.0f - (1.0f - sustain) * static_cast<float>((t - attack) / decay);
  } else {
    level = sustain;
  }
  if (t > hold) {
    // Release from whatever level the note had reached when it was let go.
    float atHold = Adsr(hold, attack, decay, sustain, hold + 1.0, release);
    double r = (t - hold) / release;
    return r >= 1.0 ? 0.0f : atHold * static_cast<float>(1.0 - r);
  }
  return level;
}

float Perc(double t, double attack, double decayTau) {
  if (t < 0.0) return 0.0f;
  if (t < attack) return static_cast<float>(t / attack);
  return static_cast<float>(std::exp(-(t - attack) / decayTau));
}

float Ramp(double t, const std::vector<std::pair<double, float>>& points) {
  if (points.empty()) return 0.0f;
  if (t <= points.front().first) return points.front().second;
  for (size_t i = 1; i < points.size(); ++i) {
    if (t < points[i].first) {
      const auto& a = points[i - 1];
      const auto& b = points[i];
      double f = (t - a.first) / (b.first - a.first);
      return a.second + static_cast<float>(f) * (b.second - a.second);
    }
  }
  return points.back().second;
}

namespace {

float OnePoleCoefficient(double cutoffHz, int rate) {
  double c = std::clamp(cutoffHz, 1.0, 0.49 * rate);
  return static_cast<float>(1.0 - std::exp(-2.0 * kPi * c / rate));
}

}  // namespace

float OnePole::Low(float x, double cutoffHz) {
  y_ += OnePoleCoefficient(cutoffHz, rate_) * (x - y_);
  return y_;
}

float OnePole::High(float x, double cutoffHz) { return x - Low(x, cutoffHz); }

void Svf::Run(float x, double cutoffHz, double q) {
  double fc = std::clamp(cutoffHz, 10.0, 0.45 * rate_);
  float g = static_cast<float>(std::tan(kPi * fc / rate_));
  float k = static_cast<float>(1.0 / std::max(q, 0.1));
  float a1 = 1.0f / (1.0f + g * (g + k));
  float a2 = g * a1;
  float a3 = g * a2;
  float v3 = x - ic2_;
  float v1 = a1 * ic1_ + a2 * v3;
  float v2 = ic2_ + a2 * ic1_ + a3 * v3;
  ic1_ = 2.0f * v1 - ic1_;
  ic2_ = 2.0f * v2 - ic2_;
  low_ = v2;
  band_ = v1;
  high_ = x - k * v1 - v2;
}

Buffer::Buffer(int rate, double seconds, bool looped)
    : rate_(rate),
      looped_(looped),
      samples_(static_cast<size_t>(std::lround(seconds * rate)), 0.0f) {}

long Buffer::Index(double seconds) const { return std::lround(seconds * rate_); }

void Buffer::Add(long i, float v) {
  long n = Size();
  if (n == 0) return;
  if (looped_) {
    i %= n;
    if (i < 0) i += n;
  } else if (i < 0 || i >= n) {
    return;
  }
  samples_[i] += v;
}

void Buffer::Mix(const Buffer& other, double at, float gain) {
  long start = Index(at);
  for (int i = 0; i < other.Size(); ++i) Add(start + i, other[i] * gain);
}

float Buffer::Peak() const {
  float peak = 0.0f;
  for (float s : samples_) peak = std::max(peak, std::fabs(s));
  return peak;
}

float Buffer::Rms() const {
  if (samples_.empty()) return 0.0f;
  double sum = 0.0;
  for (float s : samples_) sum += static_cast<double>(s) * s;
  return static_cast<float>(std::sqrt(sum / samples_.size()));
}

void Buffer::Scale(float gain) {
  for (float& s : samples_) s *= gain;
}

void Buffer::Normalize(float peak) {
  float p = Peak();
  if (p > 0.0f) Scale(peak / p);
}

void Buffer::RemoveDc() {
  if (samples_.empty()) return;
  double sum = 0.0;
  for (float s : samples_) sum += s;
  float mean = static_cast<float>(sum / samples_.size());
  for (float& s : samples_) s -= mean;
}

float SoftClip(float x) { return std::tanh(x); }

namespace {

// Runs a stateful per-sample process over a buffer. A looped buffer is run
// twice and only the second pass is kept, so the state at its start is the
// state its end left behind.
template <typename Step>
void Process(Buffer& b, Step step) {
  int n = b.Size();
  if (n == 0) return;
  std::vector<float> in(n);
  for (int i = 0; i < n; ++i) in[i] = b[i];
  int passes = b.Looped() ? 2 : 1;
  for (int pass = 0; pass < passes; ++pass) {
    bool keep = pass == passes - 1;
    for (int i = 0; i < n; ++i) {
      float out = step(in[i]);
      if (keep) b[i] = out;
    }
  }
}

class DelayLine {
 public:
  explicit DelayLine(int length) : line_(std::max(length, 1), 0.0f) {}
  float Read() const { return line_[pos_]; }
  void Write(float v) {
    line_[pos_] = v;
    pos_ = (pos_ + 1) % line_.size();
  }

 private:
  std::vector<float> line_;
  size_t pos_ = 0;
};

}  // namespace

void Echo(Buffer& b, double delaySeconds, float feedback, float mix, double dampHz) {
  DelayLine line(static_cast<int>(b.Index(delaySeconds)));
  OnePole damp(b.Rate());
  Process(b, [&](float x) {
    float d = line.Read();
    line.Write(x + feedback * damp.Low(d, dampHz));
    return x + mix * d;
  });
}

void Reverb(Buffer& b, float mix, float decay, double dampHz) {
  const double combMs[] = {29.7, 37.1, 41.1, 43.7};
  const double passMs[] = {5.0, 1.7};
  std::vector<DelayLine> combs;
  std::vector<OnePole> damps;
  for (double ms : combMs) {
    combs.emplace_back(static_cast<int>(b.Index(ms / 1000.0)));
    damps.emplace_back(b.Rate());
  }
  std::vector<DelayLine> passes;
  for (double ms : passMs) passes.emplace_back(static_cast<int>(b.Index(ms / 1000.0)));
  Process(b, [&](float x) {
    float wet = 0.0f;
    for (size_t c = 0; c < combs.size(); ++c) {
      float d = combs[c].Read();
      combs[c].Write(x + decay * damps[c].Low(d, dampHz));
      wet += d;
    }
    wet *= 0.25f;
    for (DelayLine& p : passes) {
      float d = p.Read();
      float v = wet + 0.5f * d;
      p.Write(v);
      wet = d - 0.5f * v;
    }
    return x + mix * wet;
  });
}

std::vector<std::uint8_t> ToSamples(const Buffer& b, std::uint32_t ditherSeed) {
  std::vector<std::uint8_t> out;
  out.reserve(b.Size());
  Noise dither(ditherSeed);
  for (int i = 0; i < b.Size(); ++i) {
    float v = b[i] * 127.0f;
    // Triangular dither hides the 8-bit steps in quiet passages; near silence
    // it is left out so that faded ends really become silent.
    if (std::fabs(v) > 1.5f) v += 0.5f * (dither.Next() + dither.Next());
    long q = std::lround(v);
    out.push_back(static_cast<std::uint8_t>(std::clamp(q, -128L, 127L) + 128));
  }
  return out;
}

}  // namespace synth
