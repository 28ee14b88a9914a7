// The synthesised sounds as the program embeds them: every WAVE id at its
// rate, well-formed files that the player reads, sensible levels, clean ends
// and seamless music loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "assets/manifest.h"
#include "assets/resource_ids.h"
#include "assets/tool/sound_catalogue.h"
#include "assets/tool/sound_instruments.h"
#include "platform/resources.h"
#include "sound/sound_engine.h"
#include "sound/wave_resource.h"

namespace {

using sound_assets::SoundEntry;

// The samples the player plays, as the player's own reader finds them, and
// the eight bytes after them that it leaves unplayed.
struct Parsed {
  int rate = 0;
  std::vector<int> played;  // centred on 0
  std::vector<std::uint8_t> tail;
};

Parsed Parse(const std::vector<std::uint8_t>& w) {
  Parsed p;
  SampleDescription d;
  if (!ParseWaveResource(w.data(), w.size(), &d)) {
    ADD_FAILURE() << "a sound the player does not read";
    return p;
  }
  p.rate = static_cast<int>(d.sampleRate);
  for (ce::DWORD i = 0; i < d.length; ++i) p.played.push_back(d.data[i] - 128);
  p.tail.assign(d.data + d.length, d.data + d.length + 8);
  return p;
}

// The embedded WAVE resource of each sound the synthesiser knows.
std::map<int, std::vector<std::uint8_t>>& Waves() {
  static std::map<int, std::vector<std::uint8_t>> waves = [] {
    std::map<int, std::vector<std::uint8_t>> m;
    for (const SoundEntry& s : sound_assets::Sounds()) {
      ce::HRSRC r = ce::FindResourceW(nullptr, ce::MAKEINTRESOURCEW(s.id), u"WAVE");
      if (r == nullptr) continue;
      const auto* bytes =
          static_cast<const std::uint8_t*>(ce::LockResource(ce::LoadResource(nullptr, r)));
      m[s.id].assign(bytes, bytes + ce::SizeofResource(nullptr, r));
    }
    return m;
  }();
  return waves;
}

std::map<int, Parsed>& All() {
  static std::map<int, Parsed> all = [] {
    std::map<int, Parsed> m;
    for (auto& [id, wave] : Waves()) m[id] = Parse(wave);
    return m;
  }();
  return all;
}

bool IsMusic(int id) { return id == kSoundMenuMusic || id == kSoundGameMusic; }

// The synthesiser makes each sound of the manifest once, at the manifest's
// rate, and the program carries it at that rate.
TEST(SoundAssets, EveryIdAtItsRate) {
  std::map<int, int> listed, built, embedded;
  for (int i = 0; i < assets::g_manifestCount; ++i) {
    const assets::ManifestEntry& e = assets::g_manifest[i];
    if (std::strcmp(e.kind, "wave") == 0) listed[e.id] = e.rate;
  }
  for (const SoundEntry& s : sound_assets::Sounds()) {
    EXPECT_EQ(built.count(s.id), 0u) << s.id;
    built[s.id] = s.rate;
  }
  for (auto& [id, p] : All()) embedded[id] = p.rate;
  EXPECT_EQ(built, listed);
  EXPECT_EQ(embedded, listed);
}

TEST(SoundAssets, DataEndsWithEightSilentBytes) {
  for (auto& [id, p] : All()) {
    EXPECT_EQ(p.tail, std::vector<std::uint8_t>(8, 128)) << id;
    EXPECT_FALSE(p.played.empty()) << id;
  }
}

TEST(SoundAssets, LevelsLeaveRoomForMixing) {
  for (auto& [id, p] : All()) {
    int peak = 0;
    for (int v : p.played) peak = std::max(peak, std::abs(v));
    // Loud enough to hear, never at the limits (the mixer adds up to eight).
    EXPECT_GE(peak, 60) << id;
    EXPECT_LE(peak, 124) << id;
    if (IsMusic(id)) {
      EXPECT_LE(peak, 110) << id;
    }
  }
}

TEST(SoundAssets, EffectsStartAndEndQuietly) {
  for (auto& [id, p] : All()) {
    if (IsMusic(id)) continue;
    size_t n = p.played.size();
    ASSERT_GT(n, 64u);
    // A sound cut off while loud would click; every effect dies away.
    for (size_t i = n - 32; i < n; ++i) EXPECT_LE(std::abs(p.played[i]), 2) << id << " at " << i;
    EXPECT_LE(std::abs(p.played[0]), 8) << id;
  }
}

TEST(SoundAssets, MusicLoopsWithoutAClick) {
  for (int id : {kSoundMenuMusic, kSoundGameMusic}) {
    const Parsed& p = All()[id];
    double seconds = p.played.size() / static_cast<double>(p.rate);
    EXPECT_GE(seconds, 20.0) << id;
    EXPECT_LE(seconds, 60.0) << id;
    // The step from the last played sample back to the first must be an
    // ordinary step of the music, not one of its rare large jumps.
    std::vector<int> steps;
    for (size_t i = 1; i < p.played.size(); ++i)
      steps.push_back(std::abs(p.played[i] - p.played[i - 1]));
    std::sort(steps.begin(), steps.end());
    int ordinary = steps[steps.size() * 999 / 1000];
    EXPECT_LE(std::abs(p.played.front() - p.played.back()), ordinary) << id;
  }
}

// The program carries exactly what the synthesiser makes, and making it
// again gives the same bytes.
TEST(SoundAssets, EmbeddedBytesAreTheSynthesisersOwn) {
  for (const SoundEntry& s : sound_assets::Sounds()) {
    std::vector<std::uint8_t> samples = sound_assets::MakeSamples(s);
    std::vector<int> centred;
    for (std::uint8_t v : samples) centred.push_back(v - 128);
    EXPECT_EQ(centred, All()[s.id].played) << s.id;
  }
}

TEST(SoundAssets, AllSoundsFitTheirShareOfTheBudget) {
  size_t total = 0;
  for (auto& [id, wave] : Waves()) total += wave.size();
  EXPECT_LT(total, 1600u * 1024u);
}

// Dominant period by autocorrelation, in samples.
double Period(const synth::Buffer& b, int from, int minLag, int maxLag) {
  double best = -1e30;
  int bestLag = minLag;
  for (int lag = minLag; lag <= maxLag; ++lag) {
    double sum = 0.0;
    for (int i = from; i < from + 4096; ++i) sum += b[i] * b[i + lag];
    if (sum > best) best = sum, bestLag = lag;
  }
  // Parabolic refinement around the peak.
  auto at = [&](int lag) {
    double sum = 0.0;
    for (int i = from; i < from + 4096; ++i) sum += b[i] * b[i + lag];
    return sum;
  };
  double l = at(bestLag - 1), c = at(bestLag), r = at(bestLag + 1);
  return bestLag + 0.5 * (l - r) / (l - 2.0 * c + r);
}

TEST(SoundSynth, InstrumentsPlayInTune) {
  const int rate = 22050;
  for (double midi : {55.0, 67.0, 79.0, 86.0}) {
    double hz = synth::NoteHz(midi);
    double expected = rate / hz;
    synth::Buffer pluck(rate, 1.0);
    synth::Pluck(pluck, 0.0, hz, 0.9, 1.5, 0.5f, 0.5f, 7);
    synth::Buffer flute(rate, 1.0);
    synth::Flute(flute, 0.0, hz, 0.9, 0.5f, 7);
    int lo = static_cast<int>(expected * 0.8), hi = static_cast<int>(expected * 1.2) + 1;
    // Within 10 cents.
    EXPECT_NEAR(Period(pluck, 2000, lo, hi) / expected, 1.0, 0.006) << midi;
    EXPECT_NEAR(Period(flute, 8000, lo, hi) / expected, 1.0, 0.006) << midi;
  }
  EXPECT_DOUBLE_EQ(synth::NoteHz(69), 440.0);
}

// (The loop and the filters are checked on the sounds they make: the music
// loops without a click and the red bird has nothing above half its rate.)
TEST(SoundSynth, SilenceStaysExactlySilent) {
  // Dither must not turn quiet ends into hiss: samples within a step and a
  // half of zero are rounded plainly.
  synth::Buffer b(1000, 1.0);
  for (int i = 500; i < 1000; ++i) b[i] = 0.008f;  // about one step
  std::vector<std::uint8_t> out = synth::ToSamples(b, 3);
  for (int i = 0; i < 500; ++i) EXPECT_EQ(out[i], 128) << i;
  for (int i = 500; i < 1000; ++i) EXPECT_EQ(out[i], 129) << i;
}

// The red bird's cry is stored at 44100 Hz and played at 22050 Hz by taking
// every other sample; anything above 11 kHz would fold back as noise.
TEST(SoundAssets, RedBirdHasNothingAboveHalfItsRate) {
  const Parsed& p = All()[kSoundRedBirdHit];
  // Compare the energy of the signal with that of its difference from a
  // two-sample average, which keeps mostly what lies near the top band.
  double all = 0.0, top = 0.0;
  for (size_t i = 2; i < p.played.size(); ++i) {
    double x = p.played[i];
    double hp = (p.played[i] - 2.0 * p.played[i - 1] + p.played[i - 2]) / 4.0;
    all += x * x;
    top += hp * hp;
  }
  EXPECT_LT(top / all, 0.05);
}

}  // namespace
