// The sound effects: gun, ducks, targets and the screens' small sounds.
#include <cmath>

#include "assets/tool/sound_catalogue.h"
#include "assets/tool/sound_instruments.h"

namespace sound_assets {
namespace {

using synth::Bell;
using synth::Buffer;
using synth::Knock;
using synth::kPi;
using synth::Noise;
using synth::OnePole;
using synth::Osc;
using synth::Perc;
using synth::Svf;

// Removes any offset, fades the last 50 ms out so that no ringing is cut off
// with a click, and scales to the given peak.
Buffer Finish(Buffer b, float peak) {
  OnePole dc(b.Rate());
  long fade = b.Index(0.05);
  for (int i = 0; i < b.Size(); ++i) {
    long left = b.Size() - 1 - i;
    float gain = left < fade ? static_cast<float>(left) / fade : 1.0f;
    b[i] = dc.High(b[i], 25.0) * gain;
  }
  b.Normalize(peak);
  return b;
}

// The gun: a sharp crack, a blast of falling brightness, a low thump, and the
// report coming back across the lake.
Buffer Shot(int rate) {
  Buffer b(rate, 0.95);
  Noise noise(550);
  Svf blast(rate);
  OnePole crackFilter(rate);
  Osc thump(Osc::kSine, rate);
  synth::Render(b, 0.0, 0.6, [&](double t) {
    float n = noise.Next();
    float crack = crackFilter.High(n, 1500.0) * Perc(t, 0.0003, 0.010);
    blast.Run(n, 300.0 + 6500.0 * std::exp(-t / 0.05), 0.8);
    float body = blast.Low() * Perc(t, 0.001, 0.085);
    float low = thump.Next(45.0 + 90.0 * std::exp(-t / 0.04)) * Perc(t, 0.001, 0.07);
    return 1.2f * crack + 1.6f * body + 0.9f * low;
  });
  synth::Echo(b, 0.16, 0.35, 0.3, 1400.0);
  for (int i = 0; i < b.Size(); ++i) b[i] = synth::SoftClip(1.6f * b[i]);
  return Finish(b, 0.95f);
}

// The last shell: the game plays it together with the shot, so it carries no
// blast of its own: the action locks open with a hollow clack, then the empty
// case rings as it bounces away.
Buffer LastShot(int rate) {
  Buffer b(rate, 0.7);
  Knock(b, 0.10, 700.0, 5.0, 0.03, 0.9f, 549);
  Knock(b, 0.102, 2400.0, 9.0, 0.02, 0.4f, 550);
  const double bounces[] = {0.24, 0.36, 0.44};
  const float gains[] = {0.50f, 0.30f, 0.16f};
  for (int k = 0; k < 3; ++k) {
    Bell(b, bounces[k], 3150.0, 1.41, 1.2, 0.035, gains[k]);
    Knock(b, bounces[k], 5200.0, 12.0, 0.02, gains[k] * 0.6f, 551 + k);
  }
  return Finish(b, 0.8f);
}

// The hammer falling on nothing: two dry clicks, no shot.
Buffer EmptyClick(int rate) {
  Buffer b(rate, 0.16);
  Knock(b, 0.0, 2300.0, 4.0, 0.006, 1.0f, 546);
  Knock(b, 0.045, 1700.0, 5.0, 0.008, 0.7f, 547);
  return Finish(b, 0.7f);
}

// A shell pushed in, then the pump drawn back and forward.
Buffer Reload(int rate) {
  Buffer b(rate, 0.55);
  Noise noise(543);
  Svf slide(rate);
  synth::Render(b, 0.0, 0.09, [&](double t) {
    slide.Run(noise.Next(), 2600.0, 2.0);
    float env = static_cast<float>(std::sin(kPi * t / 0.09));
    return 0.35f * slide.Band() * env * env;
  });
  Knock(b, 0.08, 1250.0, 8.0, 0.02, 0.7f, 544);
  Knock(b, 0.23, 850.0, 6.0, 0.03, 0.8f, 545);
  Knock(b, 0.235, 2900.0, 10.0, 0.015, 0.3f, 546);
  Knock(b, 0.36, 1500.0, 7.0, 0.03, 1.0f, 547);
  Knock(b, 0.362, 3300.0, 12.0, 0.02, 0.35f, 548);
  Osc thud(Osc::kSine, rate);
  synth::Render(b, 0.36, 0.12, [&](double t) {
    return 0.5f * thud.Next(120.0 + 80.0 * std::exp(-t / 0.02)) * Perc(t, 0.001, 0.03);
  });
  return Finish(b, 0.8f);
}

// A voiced call through three resonances: the voice of the ducks. f0 and the
// first two resonances follow the given curves over the call's length.
struct Call {
  double length;
  std::vector<std::pair<double, float>> pitch;
  std::vector<std::pair<double, float>> f1;
  std::vector<std::pair<double, float>> f2;
  double f3;
  float rasp;
  std::uint32_t seed;
};

void Voice(Buffer& b, double at, const Call& c, float gain) {
  Osc source(Osc::kSaw, b.Rate());
  Osc buzz(Osc::kSquare, b.Rate());
  buzz.SetWidth(0.2);
  Osc sub(Osc::kSine, b.Rate());
  Noise noise(c.seed);
  OnePole roughness(b.Rate());
  Svf r1(b.Rate()), r2(b.Rate()), r3(b.Rate());
  OnePole dcBlock(b.Rate());
  synth::Render(b, at, c.length, [&](double t) {
    double f0 = synth::Ramp(t, c.pitch);
    // A little fast wobble of pitch and amplitude makes the call rough.
    float rough = roughness.Low(noise.Next(), 60.0) * 6.0f;
    double hz = f0 * (1.0 + 0.04 * rough);
    float s = 0.6f * source.Next(hz) + 0.5f * buzz.Next(hz);
    // Every other pulse weaker (a subharmonic) gives the nasal rattle.
    float rattle = sub.Next(hz * 0.5) > 0.0f ? 1.0f : 1.0f - c.rasp;
    s *= rattle * (1.0f + c.rasp * rough);
    r1.Run(s, synth::Ramp(t, c.f1), 6.0);
    r2.Run(s, synth::Ramp(t, c.f2), 8.0);
    r3.Run(s, c.f3, 9.0);
    float v = 1.0f * r1.Band() + 0.9f * r2.Band() + 0.35f * r3.Band();
    double rel = c.length - t;
    float env = synth::Adsr(t, 0.01, c.length * 0.6, 0.55f, c.length, 1e9) *
                static_cast<float>(std::min(1.0, rel / 0.05));
    return gain * dcBlock.High(v, 120.0) * env;
  });
}

// One long quack.
Buffer Quack(int rate) {
  Buffer b(rate, 0.3);
  Voice(b, 0.0,
        {0.26,
         {{0.0, 290.0f}, {0.04, 320.0f}, {0.26, 240.0f}},
         {{0.0, 450.0f}, {0.05, 950.0f}, {0.26, 800.0f}},
         {{0.0, 1000.0f}, {0.05, 1600.0f}, {0.26, 1400.0f}},
         2700.0,
         0.35f,
         563},
        1.0f);
  return Finish(b, 0.85f);
}

// Two shorter quacks, higher and brighter, the second falling.
Buffer DoubleQuack(int rate) {
  Buffer b(rate, 0.45);
  Call first{0.15,
             {{0.0, 380.0f}, {0.04, 410.0f}, {0.15, 340.0f}},
             {{0.0, 500.0f}, {0.04, 1050.0f}, {0.15, 900.0f}},
             {{0.0, 1200.0f}, {0.04, 1750.0f}, {0.15, 1600.0f}},
             3000.0,
             0.45f,
             564};
  Voice(b, 0.0, first, 1.0f);
  Call second = first;
  second.length = 0.2;
  second.pitch = {{0.0, 360.0f}, {0.05, 380.0f}, {0.2, 280.0f}};
  second.f1 = {{0.0, 480.0f}, {0.05, 980.0f}, {0.2, 820.0f}};
  second.seed = 565;
  Voice(b, 0.2, second, 0.9f);
  return Finish(b, 0.85f);
}

// The duck is hit: a soft thump and a puff of feathers.
Buffer DuckHit(int rate) {
  Buffer b(rate, 0.42);
  Noise noise(544);
  Svf puff(rate);
  Osc thump(Osc::kSine, rate);
  synth::Render(b, 0.0, 0.42, [&](double t) {
    puff.Run(noise.Next(), 900.0 + 2500.0 * std::exp(-t / 0.06), 0.9);
    float feathers = puff.Low() * Perc(t, 0.006, 0.07);
    float low = thump.Next(55.0 + 140.0 * std::exp(-t / 0.03)) * Perc(t, 0.001, 0.05);
    return 1.3f * feathers + 1.0f * low;
  });
  Voice(b, 0.015,
        {0.09,
         {{0.0, 520.0f}, {0.09, 380.0f}},
         {{0.0, 900.0f}, {0.09, 700.0f}},
         {{0.0, 1600.0f}, {0.09, 1300.0f}},
         2500.0,
         0.6f,
         545},
        0.45f);
  return Finish(b, 0.9f);
}

// The hidden flower: a rising run of bells with a shimmer.
Buffer FlowerFound(int rate) {
  Buffer b(rate, 1.5);
  const double notes[] = {84, 88, 91, 96, 100, 103};  // C6 E6 G6 C7 E7 G7
  for (int k = 0; k < 6; ++k) {
    Bell(b, 0.07 * k, synth::NoteHz(notes[k]), 2.0, 1.5, 0.18, 0.5f);
    Bell(b, 0.07 * k, synth::NoteHz(notes[k]) * 1.003, 3.5, 0.8, 0.12, 0.18f);
  }
  Noise noise(545);
  OnePole airy(rate);
  synth::Render(b, 0.0, 1.0, [&](double t) {
    float sparkle = airy.High(noise.Next(), 6000.0);
    float flicker = 0.5f + 0.5f * static_cast<float>(std::sin(2.0 * kPi * 23.0 * t));
    return 0.15f * sparkle * flicker * Perc(t, 0.2, 0.25);
  });
  synth::Reverb(b, 0.35f, 0.7f, 5000.0);
  return Finish(b, 0.85f);
}

// +30 seconds: tick, tock, and a bright rising chime.
Buffer ClockBonus(int rate) {
  Buffer b(rate, 1.4);
  Knock(b, 0.0, 3200.0, 10.0, 0.01, 0.6f, 555);
  Knock(b, 0.13, 2200.0, 10.0, 0.012, 0.6f, 556);
  Bell(b, 0.27, synth::NoteHz(79), 1.0, 2.0, 0.2, 0.55f);   // G5
  Bell(b, 0.39, synth::NoteHz(86), 1.0, 2.0, 0.28, 0.6f);   // D6
  Bell(b, 0.39, synth::NoteHz(91), 2.0, 1.0, 0.25, 0.25f);  // G6
  synth::Reverb(b, 0.25f, 0.6f, 6000.0);
  return Finish(b, 0.85f);
}

// -30 seconds: a sad, sliding brass fall.
Buffer TimeLoss(int rate) {
  Buffer b(rate, 1.25);
  Osc saw(Osc::kSaw, rate);
  Osc vibrato(Osc::kSine, rate);
  Svf tone(rate);
  const double notes[] = {62, 61, 60, 59};  // D4 C#4 C4 B3
  const double starts[] = {0.0, 0.2, 0.4, 0.6};
  synth::Render(b, 0.0, 1.2, [&](double t) {
    int k = 0;
    while (k < 3 && t >= starts[k + 1]) ++k;
    double local = t - starts[k];
    double wobble = k == 3 ? 0.012 * vibrato.Next(6.0) * std::min(1.0, local / 0.15) : 0.0;
    double hz = synth::NoteHz(notes[k] - 12) * (1.0 + wobble);
    double length = k == 3 ? 0.58 : 0.19;
    float env = synth::Adsr(local, 0.02, 0.08, 0.8f, length - 0.05, 0.05);
    // The "wah": brightness opens with each note and closes again.
    tone.Run(saw.Next(hz), 250.0 + 1600.0 * env * std::exp(-local / 0.25), 2.5);
    return tone.Low() * env;
  });
  return Finish(b, 0.85f);
}

// A V formation: a flock calling, higher and higher, over beating wings.
Buffer Formation(int rate) {
  Buffer b(rate, 1.3);
  Noise noise(557);
  OnePole wing(rate);
  synth::Render(b, 0.0, 1.25, [&](double t) {
    float beat = static_cast<float>(std::pow(std::sin(kPi * 7.0 * t), 8.0));
    return 0.5f * wing.Low(noise.Next(), 500.0) * beat * Perc(t, 0.1, 0.6);
  });
  for (int k = 0; k < 5; ++k) {
    double f0 = 330.0 * std::pow(1.12, k);
    Voice(b, 0.13 * k,
          {0.16,
           {{0.0, float(f0)}, {0.04, float(f0 * 1.08)}, {0.16, float(f0 * 0.9)}},
           {{0.0, 500.0f}, {0.04, 1000.0f}, {0.16, 850.0f}},
           {{0.0, 1100.0f}, {0.04, 1600.0f}, {0.16, 1450.0f}},
           2600.0,
           0.4f,
           static_cast<std::uint32_t>(560 + k)},
          0.8f);
  }
  synth::Echo(b, 0.11, 0.3, 0.3, 2000.0);
  return Finish(b, 0.85f);
}

// The red bird is hit: an angry shriek falling away, kept below the
// frequencies that would fold over when it is played at half its rate.
Buffer RedBird(int rate) {
  Buffer b(rate, 0.6);
  Osc modulator(Osc::kSine, rate);
  double phase = 0.0;
  auto shriek = [&](double t, double from, double to, double len) {
    double f = from + (to - from) * (t / len);
    double m = modulator.Next(f * 0.5) * 2.5 * std::exp(-t / 0.1);
    phase += f / rate;
    return static_cast<float>(std::sin(2.0 * kPi * phase + m)) *
           synth::Adsr(t, 0.005, 0.03, 0.7f, len - 0.03, 0.03);
  };
  synth::Render(b, 0.0, 0.16, [&](double t) { return shriek(t, 2600.0, 1900.0, 0.16); });
  synth::Render(b, 0.2, 0.3, [&](double t) { return shriek(t, 2900.0, 1200.0, 0.3); });
  OnePole guard(rate);
  for (int i = 0; i < b.Size(); ++i) b[i] = guard.Low(b[i], 7000.0);
  return Finish(b, 0.7f);
}

// The creeper is hit: a rubbery boing and a grumpy croak.
Buffer CreeperHit(int rate) {
  Buffer b(rate, 0.75);
  Osc spring(Osc::kSine, rate);
  synth::Render(b, 0.0, 0.35, [&](double t) {
    double hz = 180.0 + 220.0 * std::exp(-t / 0.05) + 25.0 * std::sin(2.0 * kPi * 18.0 * t);
    return 0.8f * spring.Next(hz) * Perc(t, 0.002, 0.1);
  });
  Osc pulses(Osc::kSquare, rate);
  pulses.SetWidth(0.15);
  Svf throat(rate);
  OnePole dcBlock(rate);
  synth::Render(b, 0.25, 0.45, [&](double t) {
    double hz = 95.0 - 25.0 * t;
    throat.Run(pulses.Next(hz), 420.0, 4.0);
    // The croak stutters at about 22 Hz.
    float stutter = 0.3f + 0.7f * static_cast<float>(std::fabs(std::sin(kPi * 22.0 * t)));
    float env = synth::Adsr(t, 0.01, 0.05, 0.8f, 0.38, 0.07);
    return 1.2f * dcBlock.High(throat.Band(), 60.0) * stutter * env;
  });
  return Finish(b, 0.85f);
}

// Every button: a short, woody tick.
Buffer Click(int rate) {
  Buffer b(rate, 0.06);
  Knock(b, 0.0, 1900.0, 6.0, 0.005, 1.0f, 540);
  Knock(b, 0.0, 750.0, 4.0, 0.008, 0.6f, 541);
  return Finish(b, 0.7f);
}

// The effect volume's sample: a round, friendly "plock".
Buffer VolumePreview(int rate) {
  Buffer b(rate, 0.3);
  Bell(b, 0.0, synth::NoteHz(81), 1.0, 1.2, 0.06, 0.8f);  // A5
  Bell(b, 0.0, synth::NoteHz(69), 4.0, 0.5, 0.04, 0.4f);  // A4, woody overtone
  return Finish(b, 0.8f);
}

// A page is turned (and a game ends): a paper swish and a soft chime.
Buffer PageTurn(int rate) {
  Buffer b(rate, 0.8);
  Noise noise(578);
  Svf paper(rate);
  synth::Render(b, 0.0, 0.3, [&](double t) {
    double x = t / 0.3;
    paper.Run(noise.Next(), 1200.0 + 3500.0 * std::sin(kPi * x), 1.2);
    float env = static_cast<float>(std::sin(kPi * x));
    return 0.7f * paper.Band() * env * env;
  });
  Bell(b, 0.16, synth::NoteHz(88), 2.0, 0.7, 0.16, 0.35f);  // E6
  Bell(b, 0.24, synth::NoteHz(95), 2.0, 0.7, 0.2, 0.3f);    // B6
  return Finish(b, 0.75f);
}

// Hurry: four urgent beeps.
Buffer Hurry(int rate) {
  Buffer b(rate, 0.8);
  Osc beep(Osc::kSquare, rate);
  OnePole soften(rate);
  for (int k = 0; k < 4; ++k) {
    double hz = k % 2 == 0 ? synth::NoteHz(83) : synth::NoteHz(88);  // B5, E6
    synth::Render(b, 0.18 * k, 0.12, [&](double t) {
      return 0.8f * soften.Low(beep.Next(hz), 3500.0) *
             synth::Adsr(t, 0.004, 0.02, 0.8f, 0.1, 0.015);
    });
  }
  return Finish(b, 0.6f);
}

}  // namespace

void AddEffects(std::vector<SoundEntry>& list) {
  list.push_back({538, 22050, "volume preview", VolumePreview});
  list.push_back({540, 22050, "button click", Click});
  list.push_back({543, 11025, "reload", Reload});
  list.push_back({544, 11025, "duck hit", DuckHit});
  list.push_back({545, 22050, "hidden flower found", FlowerFound});
  list.push_back({546, 11025, "empty gun", EmptyClick});
  list.push_back({550, 22050, "shot", Shot});
  list.push_back({551, 22050, "last shell fired", LastShot});
  list.push_back({555, 22050, "clock bonus", ClockBonus});
  list.push_back({556, 22050, "time lost", TimeLoss});
  list.push_back({557, 11025, "V formation", Formation});
  list.push_back({558, 44100, "red bird hit", RedBird});
  list.push_back({562, 22050, "creeper hit", CreeperHit});
  list.push_back({563, 22050, "quack", Quack});
  list.push_back({564, 22050, "double quack", DoubleQuack});
  list.push_back({578, 22050, "page turn and game end", PageTurn});
  list.push_back({579, 11025, "hurry warning", Hurry});
}

}  // namespace sound_assets
