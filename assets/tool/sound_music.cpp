// The two music loops: a calm tune for the menus and a lively one for play.
// Each is written as a chord chart and a melody line, played by the
// instruments into a looped buffer so that its end flows into its start.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include "assets/tool/sound_catalogue.h"
#include "assets/tool/sound_instruments.h"

namespace sound_assets {
namespace {

using synth::Buffer;
using synth::NoteHz;

// "C4" = 60; accidentals '#' and 'b'.
int Midi(const std::string& name) {
  static const int kSteps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  int note = kSteps[std::toupper(name[0]) - 'A'];
  size_t i = 1;
  if (name[i] == '#') ++note, ++i;
  if (name[i] == 'b') --note, ++i;
  return note + 12 * (std::atoi(name.c_str() + i) + 1);
}

struct Note {
  double beat;
  double length;
  int midi;  // -1 for a rest
};

// A melody line: "B4:1 D5:0.5 r:0.5 ..." (note or r, then length in beats);
// '|' between bars is only for the reader.
std::vector<Note> Line(const char* text) {
  std::vector<Note> notes;
  std::istringstream in(text);
  std::string token;
  double beat = 0.0;
  while (in >> token) {
    if (token == "|") continue;
    size_t colon = token.find(':');
    std::string name = token.substr(0, colon);
    double length = std::atof(token.c_str() + colon + 1);
    notes.push_back({beat, length, name == "r" ? -1 : Midi(name)});
    beat += length;
  }
  return notes;
}

// A chord by name: root, then m (minor) and/or 7 (added minor seventh).
std::vector<int> Chord(const std::string& name, int octave) {
  size_t i = 1;
  if (i < name.size() && (name[i] == '#' || name[i] == 'b')) ++i;
  int root = Midi(name.substr(0, i) + std::to_string(octave));
  bool minor = name.find('m') != std::string::npos;
  bool seventh = name.find('7') != std::string::npos;
  std::vector<int> tones = {root, root + (minor ? 3 : 4), root + 7};
  if (seventh) tones.push_back(root + 10);
  return tones;
}

std::vector<std::string> Words(const char* text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

// A gentle limiter for the finished mix, then the level the engine expects:
// music sits below the effects, which are mixed on top of it.
void Master(Buffer& b, float peak) {
  b.RemoveDc();
  b.Normalize(1.2f);
  for (int i = 0; i < b.Size(); ++i) b[i] = synth::SoftClip(b[i]);
  b.Normalize(peak);
}

// "Morning on the lake": G major, 80 beats a minute, eight bars. Flute over a
// finger-picked guitar, soft pad and bass.
Buffer MenuMusic(int rate) {
  const double bpm = 80.0;
  const double beat = 60.0 / bpm;
  const auto chords = Words("G Em C D Em C Am D");
  const int bars = static_cast<int>(chords.size());
  Buffer lead(rate, bars * 4 * beat, true);
  Buffer band(rate, bars * 4 * beat, true);
  Buffer low(rate, bars * 4 * beat, true);

  for (int bar = 0; bar < bars; ++bar) {
    double t0 = bar * 4 * beat;
    std::vector<int> tones = Chord(chords[bar], 3);
    // Guitar: a rolling eighth-note pattern over the chord.
    const int pattern[] = {0, 2, 4, 1, 3, 2, 4, 1};  // indexes into the voicing below
    std::vector<int> voicing = {tones[0], tones[2], tones[0] + 12, tones[1] + 12, tones[2] + 12};
    for (int k = 0; k < 8; ++k) {
      int midi = voicing[pattern[k]];
      float accent = k % 2 == 0 ? 0.5f : 0.38f;
      synth::Pluck(band, t0 + k * 0.5 * beat, NoteHz(midi), 1.5 * beat, 1.6, 0.45f, accent,
                   static_cast<std::uint32_t>(1000 + bar * 8 + k));
    }
    // Pad: the chord held through the bar, an octave up.
    std::vector<double> padHz;
    for (int m : tones) padHz.push_back(NoteHz(m + 12));
    synth::Pad(band, t0, padHz, 4 * beat - 0.2, 0.22f);
    // Bass: root on one, fifth on three.
    synth::Bass(low, t0, NoteHz(tones[0] - 12), 1.8 * beat, 0.8f);
    synth::Bass(low, t0 + 2 * beat, NoteHz(tones[2] - 12), 1.8 * beat, 0.65f);
  }

  const auto melody = Line(
      "B4:1 D5:1 G5:1.5 F#5:0.5 | E5:2 D5:1 B4:1 | C5:1 E5:1 G5:1 E5:1 | D5:2.5 r:0.5 A4:0.5 "
      "B4:0.5 | G5:1.5 F#5:0.5 E5:1 B4:1 | C5:1 E5:1 D5:1 C5:1 | A4:1 C5:1 E5:1.5 D5:0.5 | "
      "D5:1.5 C5:0.5 B4:1 A4:1");
  std::uint32_t seed = 1500;
  for (const Note& n : melody) {
    if (n.midi < 0) continue;
    synth::Flute(lead, n.beat * beat, NoteHz(n.midi), n.length * beat - 0.06, 0.55f, seed++);
  }

  synth::Echo(lead, 3 * beat / 4, 0.3f, 0.25f, 2500.0);
  synth::Reverb(lead, 0.35f, 0.75f, 4000.0);
  synth::Reverb(band, 0.25f, 0.7f, 3500.0);
  Buffer mix(rate, bars * 4 * beat, true);
  mix.Mix(lead, 0.0, 1.0f);
  mix.Mix(band, 0.0, 0.9f);
  mix.Mix(low, 0.0, 0.5f);
  Master(mix, 0.8f);
  return mix;
}

// "Flight over the reeds": D major, 140 beats a minute, sixteen bars of a
// bouncy country reel: whistle lead, banjo rolls, guitar chops, bass and a
// light kit.
Buffer GameMusic(int rate) {
  const double bpm = 140.0;
  const double beat = 60.0 / bpm;
  const auto chords = Words("D D G D D Bm E7 A7 G D G D Bm G A7 D");
  const int bars = static_cast<int>(chords.size());
  const double length = bars * 4 * beat;
  Buffer lead(rate, length, true);
  Buffer band(rate, length, true);
  Buffer low(rate, length, true);
  Buffer kit(rate, length, true);

  for (int bar = 0; bar < bars; ++bar) {
    double t0 = bar * 4 * beat;
    std::vector<int> tones = Chord(chords[bar], 3);
    int root = tones[0];
    // Banjo: a forward roll of eighth notes, bright and short.
    std::vector<int> roll = {root + 12, tones[1] + 12, tones[2] + 12, root + 24};
    const int order[] = {0, 1, 3, 0, 2, 3, 1, 3};
    for (int k = 0; k < 8; ++k) {
      float accent = k % 3 == 0 ? 0.42f : 0.3f;
      synth::Pluck(band, t0 + k * 0.5 * beat, NoteHz(roll[order[k]]), 0.45 * beat, 0.5, 0.85f,
                   accent, static_cast<std::uint32_t>(3000 + bar * 8 + k));
    }
    // Guitar chops on two and four.
    for (int k : {1, 3}) {
      for (size_t v = 0; v < tones.size(); ++v) {
        synth::Pluck(band, t0 + k * beat + 0.008 * v, NoteHz(tones[v] + 12), 0.35 * beat, 0.6, 0.5f,
                     0.18f, static_cast<std::uint32_t>(4000 + bar * 16 + k * 4 + v));
      }
    }
    // Bass: root and fifth, with a walk up into the next bar's last beat.
    synth::Bass(low, t0, NoteHz(tones[0] - 12), 0.9 * beat, 0.85f);
    synth::Bass(low, t0 + beat, NoteHz(tones[2] - 24), 0.9 * beat, 0.6f);
    synth::Bass(low, t0 + 2 * beat, NoteHz(tones[2] - 12), 0.9 * beat, 0.75f);
    synth::Bass(low, t0 + 3 * beat, NoteHz(tones[1] - 12), 0.9 * beat, 0.6f);
    // Kit: kick on one and three, snare on two and four, hats on the eighths.
    for (int k = 0; k < 4; ++k) {
      double t = t0 + k * beat;
      if (k % 2 == 0) synth::Kick(kit, t, 0.9f);
      if (k % 2 == 1) synth::Snare(kit, t, 0.45f, static_cast<std::uint32_t>(5000 + bar * 4 + k));
      synth::HiHat(kit, t, 0.02, 0.22f, static_cast<std::uint32_t>(6000 + bar * 8 + 2 * k));
      synth::HiHat(kit, t + 0.5 * beat, k == 3 ? 0.08 : 0.015, 0.16f,
                   static_cast<std::uint32_t>(6001 + bar * 8 + 2 * k));
    }
  }

  const auto melody = Line(
      "F#4:0.5 A4:0.5 D5:1 F#5:0.5 E5:0.5 D5:1 | A4:0.5 B4:0.5 A4:0.5 F#4:0.5 A4:2 | "
      "B4:0.5 D5:0.5 G5:1 F#5:0.5 E5:0.5 D5:1 | F#5:0.5 E5:0.5 D5:0.5 E5:0.5 F#5:2 | "
      "A5:1 F#5:0.5 D5:0.5 A4:1 D5:1 | B4:0.5 D5:0.5 F#5:1 E5:0.5 D5:0.5 B4:1 | "
      "E5:0.5 F#5:0.5 G#5:1 E5:1 D5:1 | C#5:1 E5:0.5 D5:0.5 C#5:0.5 B4:0.5 A4:1 | "
      "B4:1 D5:0.5 B4:0.5 G4:1 B4:1 | A4:0.5 B4:0.5 A4:0.5 F#4:0.5 D4:2 | "
      "G4:0.5 A4:0.5 B4:0.5 C#5:0.5 D5:1 G5:1 | F#5:1.5 E5:0.5 D5:2 | "
      "D5:0.5 E5:0.5 F#5:0.5 D5:0.5 B4:1 F#5:1 | G5:1 F#5:0.5 E5:0.5 D5:1 B4:1 | "
      "A4:0.5 C#5:0.5 E5:0.5 G5:0.5 F#5:1 E5:1 | D5:1.5 A4:0.5 D5:1 r:1");
  std::uint32_t seed = 7000;
  for (const Note& n : melody) {
    if (n.midi < 0) continue;
    // The whistle: the flute an octave up, clipped short for a lively feel.
    synth::Flute(lead, n.beat * beat, NoteHz(n.midi + 12), n.length * beat * 0.85, 0.45f, seed++);
  }

  synth::Echo(lead, 1.5 * beat, 0.25f, 0.2f, 3000.0);
  synth::Reverb(lead, 0.2f, 0.6f, 5000.0);
  synth::Reverb(band, 0.15f, 0.55f, 4000.0);
  Buffer mix(rate, length, true);
  mix.Mix(lead, 0.0, 0.9f);
  mix.Mix(band, 0.0, 0.85f);
  mix.Mix(low, 0.0, 0.5f);
  mix.Mix(kit, 0.0, 0.5f);
  Master(mix, 0.8f);
  return mix;
}

}  // namespace

void AddMusic(std::vector<SoundEntry>& list) {
  list.push_back({535, 22050, "menu music", MenuMusic});
  list.push_back({537, 22050, "game music", GameMusic});
}

}  // namespace sound_assets
