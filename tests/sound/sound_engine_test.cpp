// The engine on the headless wave device: opening and closing, channels,
// and a device lost while a sound plays.
#include "sound/sound_engine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

std::string TempPath(const std::string& name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/reedshot-engine-" +
         std::to_string(::getpid()) + "-" + name;
}

std::string ReadAndRemove(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::remove(path.c_str());
  return bytes.str();
}

void StartHeadless(bool mute = false, const std::string& audioOut = "") {
  ce::PlatformOptions options;
  options.headless = true;
  options.mute = mute;
  options.audioOut = audioOut;
  ASSERT_TRUE(ce::StartPlatform(options, nullptr));
}

class SoundEngineTest : public ::testing::Test {
 protected:
  void TearDown() override { ce::StopPlatform(); }
};

TEST_F(SoundEngineTest, OpenChoosesRateAndBuffersAndOpensOnlyOnce) {
  StartHeadless();
  {
    SoundEngine engine;
    EXPECT_EQ(engine.Open(32000, 1), 1);  // an unknown rate: 22050
    EXPECT_EQ(engine.outputRate, 22050u);
    EXPECT_EQ(engine.samplesPerBuffer, 588u);
    EXPECT_EQ(engine.opened, 1);
    EXPECT_EQ(ce::GetThreadPriority(engine.thread), ce::THREAD_PRIORITY_HIGHEST);
    EXPECT_EQ(engine.Open(22050, 1), 0);  // already open
    EXPECT_EQ(engine.Close(), 1);
    EXPECT_EQ(engine.opened, 0);
    EXPECT_EQ(engine.mixBuffer, nullptr);
    EXPECT_EQ(engine.Close(), 1);  // twice is safe

    EXPECT_EQ(engine.Open(11025, 0x100), 1);  // only the low byte counts
    EXPECT_EQ(engine.stereo, 0);
    engine.Close();
    EXPECT_EQ(engine.Open(44100, 1), 1);
  }  // destroyed open: closes itself
}

TEST_F(SoundEngineTest, WithoutADeviceTheEngineStaysClosedAndRefusesSounds) {
  StartHeadless(/*mute=*/true);
  SoundEngine engine;
  EXPECT_EQ(engine.Open(22050, 1), 0);
  EXPECT_EQ(engine.opened, 0);
  EXPECT_EQ(engine.mixBuffer, nullptr);
  std::vector<std::uint8_t> data(100, 200);
  SampleDescription sound;
  sound.data = data.data();
  sound.sampleRate = 22050;
  sound.length = 100;
  EXPECT_EQ(engine.PlaySample(sound), SoundEngine::kRefused);
  engine.StopSample(2);
  EXPECT_EQ(engine.CountActiveSamples(), 0);
  EXPECT_EQ(engine.Close(), 1);
  // Opens once a device is there.
  StartHeadless();
  EXPECT_EQ(engine.Open(22050, 1), 1);
  EXPECT_EQ(engine.Close(), 1);
}

TEST_F(SoundEngineTest, EightChannelsThenRefusalAndStopByHandle) {
  StartHeadless();
  SoundEngine engine;
  ASSERT_EQ(engine.Open(22050, 1), 1);
  std::vector<std::uint8_t> data(1000, 140);
  SampleDescription sound;
  sound.data = data.data();
  sound.sampleRate = 11025;
  sound.length = 1000;
  sound.loop = 1;
  sound.volume = 70;

  SampleDescription empty;
  EXPECT_EQ(engine.PlaySample(empty), SoundEngine::kRefused);  // no data
  for (int handle = 2; handle <= 9; ++handle) EXPECT_EQ(engine.PlaySample(sound), handle);
  EXPECT_EQ(engine.CountActiveSamples(), 8);
  EXPECT_EQ(engine.PlaySample(sound), SoundEngine::kRefused);
  EXPECT_EQ(engine.channels[0].volume, 64);  // 70 plays as 64
  EXPECT_EQ(engine.channels[0].effective, 64);

  engine.StopSample(1);
  engine.StopSample(10);
  engine.StopSample(0xFFFF);
  EXPECT_EQ(engine.CountActiveSamples(), 8);
  engine.StopSample(4);
  engine.StopSample(7);
  EXPECT_EQ(engine.CountActiveSamples(), 6);
  sound.sampleRate = 44100;
  sound.volume = 32;
  EXPECT_EQ(engine.PlaySample(sound), 4);  // the lowest free channel
  EXPECT_EQ(engine.channels[2].effective, 32);
  EXPECT_EQ(engine.PlaySample(sound), 7);
  ce::Sleep(200);  // looping sounds play on
  EXPECT_EQ(engine.CountActiveSamples(), 8);
  engine.Close();
  EXPECT_EQ(engine.PlaySample(sound), SoundEngine::kRefused);
}

// A device lost just before a sound starts: the sound runs its course
// unheard and frees its channel. (What a working device plays is checked end
// to end, through the program's --play-sound.)
TEST_F(SoundEngineTest, ALostDevicePlaysSilenceAndFreesTheChannel) {
  std::string path = TempPath("lost.wav");
  StartHeadless(false, path);
  SoundEngine engine;
  ASSERT_EQ(engine.Open(22050, 1), 1);
  ce::Sleep(30);
  ce::headless::LoseWaveDevice();
  std::vector<std::uint8_t> data(2000, 200);  // about 91 ms
  SampleDescription sound;
  sound.data = data.data();
  sound.sampleRate = 22050;
  sound.length = static_cast<ce::DWORD>(data.size());
  EXPECT_EQ(engine.PlaySample(sound), 2);
  for (int i = 0; i < 40; ++i) ce::Sleep(10);
  EXPECT_EQ(engine.CountActiveSamples(), 0);
  engine.Close();
  ce::StopPlatform();
  std::string wav = ReadAndRemove(path);
  ASSERT_GT(wav.size(), 44u + 2 * 22050 / 10);
  EXPECT_EQ(wav.find_first_not_of('\x80', 44), std::string::npos);
}

}  // namespace
