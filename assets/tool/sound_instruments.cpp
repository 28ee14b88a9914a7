#include "assets/tool/sound_instruments.h"

#include <algorithm>
#include <cmath>

namespace synth {

void Knock(Buffer& b, double at, double hz, double q, double tau, float gain, std::uint32_t seed) {
  Noise noise(seed);
  Svf body(b.Rate());
  Osc ring(Osc::kSine, b.Rate());
  Render(b, at, tau * 8.0, [&](double t) {
    float burst = noise.Next() * Perc(t, 0.0005, 0.004);
    body.Run(burst, hz, q);
    float tone = ring.Next(hz) * Perc(t, 0.0005, tau) * 0.25f;
    return gain * (body.Band() * 2.0f + tone);
  });
}

void Bell(Buffer& b, double at, double hz, double ratio, double index, double tau, float gain) {
  Osc modulator(Osc::kSine, b.Rate());
  double phase = 0.0;
  Render(b, at, tau * 6.0, [&](double t) {
    double depth = index * std::exp(-t / (tau * 0.4));
    double m = modulator.Next(hz * ratio) * depth;
    phase += hz / b.Rate();
    return gain * Perc(t, 0.002, tau) * static_cast<float>(std::sin(2.0 * kPi * phase + m));
  });
}

void Pluck(Buffer& b, double at, double hz, double length, double ring, float brightness,
           float gain, std::uint32_t seed) {
  const double period = b.Rate() / hz;
  const double delay = period - 0.5;  // the averaging filter adds half a sample
  const int size = static_cast<int>(period) + 4;
  std::vector<float> line(size);
  Noise noise(seed);
  OnePole soften(b.Rate());
  double cutoff = 300.0 + brightness * 9000.0;
  float mean = 0.0f;
  for (float& v : line) {
    v = soften.Low(noise.Next(), cutoff);
    mean += v;
  }
  mean /= size;
  for (float& v : line) v -= mean;
  const float loss = static_cast<float>(std::pow(0.001, 1.0 / (ring * hz)));
  const float damped = static_cast<float>(std::pow(0.001, 1.0 / (0.04 * hz)));
  int write = 0;
  float previous = 0.0f;
  // Pluck position: a comb on the output softens the attack like a finger
  // plucking away from the bridge.
  Render(b, at, length + 0.08, [&](double t) {
    double read = write - delay;
    while (read < 0) read += size;
    int i0 = static_cast<int>(read);
    float f = static_cast<float>(read - i0);
    float out = line[i0 % size] * (1.0f - f) + line[(i0 + 1) % size] * f;
    float next = 0.5f * (out + previous) * (t < length ? loss : damped);
    previous = out;
    line[write] = next;
    write = (write + 1) % size;
    return gain * out;
  });
}

void Flute(Buffer& b, double at, double hz, double length, float gain, std::uint32_t seed) {
  Noise noise(seed);
  Svf breath(b.Rate());
  Osc vibrato(Osc::kSine, b.Rate());
  double phase = 0.0;
  Render(b, at, length + 0.1, [&](double t) {
    // A slight scoop up into the note, then vibrato once it has settled.
    double scoop = -0.015 * std::exp(-t / 0.03);
    double vib = 0.006 * vibrato.Next(5.2) * std::clamp((t - 0.18) / 0.2, 0.0, 1.0);
    phase += hz * (1.0 + scoop + vib) / b.Rate();
    double p = 2.0 * kPi * phase;
    float tone =
        static_cast<float>(std::sin(p) + 0.22 * std::sin(2.0 * p) + 0.07 * std::sin(3.0 * p));
    breath.Run(noise.Next(), hz * 2.0, 1.5);
    float env = Adsr(t, 0.045, 0.12, 0.8f, length, 0.09);
    float chiff = Perc(t, 0.005, 0.03);
    return gain * env * (tone + breath.Band() * (0.12f + 0.5f * chiff));
  });
}

void Bass(Buffer& b, double at, double hz, double length, float gain) {
  Osc sine(Osc::kSine, b.Rate());
  Osc tri(Osc::kTriangle, b.Rate());
  OnePole warm(b.Rate());
  Render(b, at, length + 0.05, [&](double t) {
    float env = Perc(t, 0.006, 0.5) * Adsr(t, 0.0, 0.0, 1.0f, length, 0.05);
    float s = sine.Next(hz) + 0.45f * tri.Next(hz * 2.0);
    return gain * env * warm.Low(s, 900.0);
  });
}

void Pad(Buffer& b, double at, const std::vector<double>& hz, double length, float gain) {
  std::vector<Osc> saws;
  for (size_t i = 0; i < hz.size() * 2; ++i) saws.emplace_back(Osc::kSaw, b.Rate(), 0.37 * i);
  Svf tone(b.Rate());
  Render(b, at, length + 0.4, [&](double t) {
    float s = 0.0f;
    for (size_t i = 0; i < hz.size(); ++i) {
      s += saws[2 * i].Next(hz[i] * 0.997);
      s += saws[2 * i + 1].Next(hz[i] * 1.003);
    }
    tone.Run(s, 900.0 + 300.0 * std::sin(2.0 * kPi * 0.3 * t), 0.7);
    return gain * Adsr(t, 0.35, 0.5, 0.8f, length, 0.4) * tone.Low() /
           static_cast<float>(hz.size());
  });
}

void Kick(Buffer& b, double at, float gain) {
  Osc body(Osc::kSine, b.Rate());
  Render(b, at, 0.3, [&](double t) {
    return gain * body.Next(48.0 + 110.0 * std::exp(-t / 0.03)) * Perc(t, 0.002, 0.09);
  });
}

void Snare(Buffer& b, double at, float gain, std::uint32_t seed) {
  Noise noise(seed);
  Svf wires(b.Rate());
  Osc shell(Osc::kSine, b.Rate());
  Render(b, at, 0.25, [&](double t) {
    wires.Run(noise.Next(), 3500.0, 0.8);
    float n = (wires.Band() + 0.4f * wires.High()) * Perc(t, 0.001, 0.06);
    float tone = shell.Next(185.0) * Perc(t, 0.001, 0.03);
    return gain * (n + 0.6f * tone);
  });
}

void HiHat(Buffer& b, double at, double decay, float gain, std::uint32_t seed) {
  Noise noise(seed);
  Svf metal(b.Rate());
  Render(b, at, decay * 6.0, [&](double t) {
    metal.Run(noise.Next(), 8000.0, 1.0);
    return gain * (metal.High() + 0.5f * metal.Band()) * Perc(t, 0.0005, decay);
  });
}

}  // namespace synth
