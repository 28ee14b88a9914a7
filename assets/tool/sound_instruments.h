// The instruments shared by the effects and the music: each renders one note
// (or one hit) into a buffer at a given time.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/tool/sound_synth.h"

namespace synth {

// A short metallic knock: a noise burst exciting one resonance.
void Knock(Buffer& b, double at, double hz, double q, double tau, float gain, std::uint32_t seed);
// A bell, chime or mallet note: two sine operators (frequency modulation)
// whose brightness fades faster than the note.
void Bell(Buffer& b, double at, double hz, double ratio, double index, double tau, float gain);
// A plucked string (Karplus-Strong): brightness 0..1, ring = seconds to fade
// by 60 dB; the string is damped after `length` seconds.
void Pluck(Buffer& b, double at, double hz, double length, double ring, float brightness,
           float gain, std::uint32_t seed);
// A breathy flute with a soft attack and delayed vibrato.
void Flute(Buffer& b, double at, double hz, double length, float gain, std::uint32_t seed);
// A round bass: sine and triangle with a plucked envelope.
void Bass(Buffer& b, double at, double hz, double length, float gain);
// A soft pad chord of detuned saws through a gentle low-pass.
void Pad(Buffer& b, double at, const std::vector<double>& hz, double length, float gain);
// Drums.
void Kick(Buffer& b, double at, float gain);
void Snare(Buffer& b, double at, float gain, std::uint32_t seed);
void HiHat(Buffer& b, double at, double decay, float gain, std::uint32_t seed);

}  // namespace synth
