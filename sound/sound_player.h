// The application's sound player: plays WAVE resources by id as effects or
// as looping music, each at its own volume, through the mixing engine.
#pragma once

#include <cstdint>

class SoundEngine;

class SoundPlayer {
 public:
  // Creates the engine and opens it at 22050 Hz stereo. Without a wave
  // device the engine stays closed and every Play is silently refused.
  SoundPlayer();
  // Closes the engine (mixing thread stopped, device closed), destroys it.
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Plays WAVE resource `id` once, or repeating until stopped when `loop`
  // is 1, at the music volume when `music` is 1 and the effect volume
  // otherwise. A missing or malformed sound is not played.
  void Play(int id, std::uint8_t music, std::uint8_t loop);
  // Stops every channel of the engine, playing or not.
  void StopAll();

  // The volumes as the options screen sets them (0 to 70; Play plays any
  // value above 64 as 64). A change affects only sounds started afterwards.
  void SetMusicVolume(int v) { musicVolume = v; }
  void SetSoundVolume(int v) { soundVolume = v; }
  int GetSoundVolume() const { return soundVolume; }

  SoundEngine* engine = nullptr;  // owned; null when it could not be made
  int musicVolume = 64;
  int soundVolume = 64;
};
