#include "sound/sound_channel.h"

void SoundChannel::SetVolume(int v) {
  if (v < 0 || v > 64) v = 64;
  volume = v;
  effective = (master * volume) >> 6;
}
