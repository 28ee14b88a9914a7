// The sound player over a table of test sounds: volumes, looping music,
// StopAll, and sounds that must not play.
#include "sound/sound_player.h"

#include <gtest/gtest.h>

#include <vector>

#include "assets/resource_ids.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/resource_table.h"
#include "sound/sound_engine.h"
#include "tests/support/wave_file.h"

namespace {

std::vector<unsigned char> MakeWave(std::uint16_t channels, std::uint32_t rate,
                                    std::uint32_t fmtExtra, std::uint32_t dataSize) {
  testsupport::Wave w;
  w.channels = channels;
  w.rate = rate;
  w.fmtExtra = fmtExtra;
  w.dataSize = dataSize;
  return w.Build();
}

class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    click = MakeWave(1, 22050, 0, 408);   // 400 samples played
    music = MakeWave(1, 22050, 2, 2008);  // fmt chunk with cbSize
    reload = MakeWave(1, 11025, 0, 108);
    stereo = MakeWave(2, 22050, 0, 108);
    records = {{u"PCT", kSoundClick, click.data(), static_cast<unsigned>(click.size())},
               {u"WAVE", kSoundMenuMusic, music.data(), static_cast<unsigned>(music.size())},
               {u"WAVE", kSoundClick, click.data(), static_cast<unsigned>(click.size())},
               {u"WAVE", kSoundReload, reload.data(), static_cast<unsigned>(reload.size())},
               {u"WAVE", 600, stereo.data(), static_cast<unsigned>(stereo.size())}};
    ce::testing::UseResourceTable(records.data(), static_cast<unsigned>(records.size()));
    Start(false);
  }
  void TearDown() override {
    ce::testing::UseResourceTable(nullptr, 0);
    ce::StopPlatform();
  }
  void Start(bool mute) {
    ce::PlatformOptions options;
    options.headless = true;
    options.mute = mute;
    ASSERT_TRUE(ce::StartPlatform(options, nullptr));
  }

  std::vector<unsigned char> click, music, reload, stereo;
  std::vector<ce::ResourceRecord> records;
};

TEST_F(SoundPlayerTest, EffectsOverlapAtTheSoundVolumeAndEndByThemselves) {
  SoundPlayer player;
  ASSERT_NE(player.engine, nullptr);
  ASSERT_EQ(player.engine->opened, 1);
  player.SetSoundVolume(40);
  EXPECT_EQ(player.GetSoundVolume(), 40);
  player.Play(kSoundClick, 0, 0);
  player.Play(kSoundClick, 0, 0);
  EXPECT_EQ(player.engine->CountActiveSamples(), 2);
  const SampleChannel& first = player.engine->channels[0];
  EXPECT_EQ(first.effective, 40);
  EXPECT_EQ(first.loop, 0);
  player.Play(kSoundReload, 0, 0);
  ce::Sleep(300);
  EXPECT_EQ(player.engine->CountActiveSamples(), 0);
}

TEST_F(SoundPlayerTest, MusicLoopsAtTheMusicVolumeUntilStopAll) {
  SoundPlayer player;
  player.SetMusicVolume(70);  // plays as 64
  player.SetSoundVolume(10);
  player.Play(kSoundMenuMusic, 1, 1);
  const SampleChannel& channel = player.engine->channels[0];
  EXPECT_EQ(channel.effective, 64);
  EXPECT_EQ(channel.loop, 1);
  EXPECT_EQ(channel.end, 2000u << 8);  // found past the longer fmt chunk
  player.SetMusicVolume(20);           // only for sounds started afterwards
  ce::Sleep(500);                      // several times the sound's length
  EXPECT_EQ(player.engine->CountActiveSamples(), 1);
  EXPECT_EQ(channel.effective, 64);
  player.StopAll();
  EXPECT_EQ(player.engine->CountActiveSamples(), 0);
  player.Play(kSoundMenuMusic, 1, 1);
  EXPECT_EQ(player.engine->channels[0].effective, 20);
}

TEST_F(SoundPlayerTest, StopAllStopsWhateverPlaysOnAnyChannel) {
  SoundPlayer player;
  player.Play(kSoundMenuMusic, 1, 1);  // channel 0
  player.Play(kSoundReload, 0, 0);     // channel 1, short
  player.Play(kSoundMenuMusic, 1, 1);  // channel 2
  ce::Sleep(200);                      // the short one has ended
  EXPECT_FALSE(player.engine->channels[1].IsPlaying());
  EXPECT_EQ(player.engine->CountActiveSamples(), 2);
  player.StopAll();
  EXPECT_EQ(player.engine->CountActiveSamples(), 0);
  player.StopAll();
}

TEST_F(SoundPlayerTest, MissingOrUnplayableSoundsAreNotPlayed) {
  SoundPlayer player;
  player.Play(599, 0, 0);                            // no such sound
  player.Play(600, 0, 0);                            // stereo
  ce::testing::UseResourceTable(records.data(), 1);  // the click only as a picture
  player.Play(kSoundClick, 0, 0);
  EXPECT_EQ(player.engine->CountActiveSamples(), 0);
}

TEST_F(SoundPlayerTest, WithoutADeviceEverythingIsSilentlyRefused) {
  Start(/*mute=*/true);
  SoundPlayer player;
  ASSERT_NE(player.engine, nullptr);
  EXPECT_EQ(player.engine->opened, 0);
  player.Play(kSoundClick, 0, 0);
  player.Play(kSoundMenuMusic, 1, 1);
  EXPECT_EQ(player.engine->CountActiveSamples(), 0);
  player.StopAll();
  player.SetMusicVolume(3);
  EXPECT_EQ(player.musicVolume, 3);
}

}  // namespace
