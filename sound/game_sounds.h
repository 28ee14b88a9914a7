// The sounds of play, through the application's sound player: the game and the
// screens play their effects and music here.
#pragma once

class SoundPlayer;

// The player that the game plays through; null plays nothing.
void SetGameSoundPlayer(SoundPlayer* player);

// Once, at the effect volume.
void PlayEffect(int id);
// Stops every sound, then loops the music at the music volume.
void StartMusic(int id);
// Loops the music without stopping what plays.
void PlayMusic(int id);
void StopAllSounds();

// Tells `observer` of every sound the game starts (tests listen here).
using SoundObserver = void (*)(int id, int music);
void SetSoundObserver(SoundObserver observer);
