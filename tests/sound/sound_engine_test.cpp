// The engine on the headless wave device: opening and closing, channels,
// and what reaches the device.
#include "sound/sound_engine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/headless.h"
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
    EXPECT_EQ(engine.samplesPerBuffer, 298u);
    engine.Close();
    EXPECT_EQ(engine.Open(44100, 1), 1);
    EXPECT_EQ(engine.samplesPerBuffer, 1176u);
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
  EXPECT_EQ(engine.channels[0].step, 128u);
  EXPECT_EQ(engine.channels[0].end, 1000u << 8);
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
  EXPECT_EQ(engine.channels[2].step, 512u);
  EXPECT_EQ(engine.channels[2].effective, 32);
  EXPECT_EQ(engine.PlaySample(sound), 7);
  ce::Sleep(200);  // looping sounds play on
  EXPECT_EQ(engine.CountActiveSamples(), 8);
  engine.Close();
  EXPECT_EQ(engine.PlaySample(sound), SoundEngine::kRefused);
}

// Plays a sound and records what the device played; `lost`: the device
// goes away before the sound starts.
std::string CaptureOneSound(const std::string& path, const std::vector<std::uint8_t>& data,
                            int* activeAfter, bool lost = false) {
  StartHeadless(false, path);
  SoundEngine engine;
  EXPECT_EQ(engine.Open(22050, 1), 1);
  ce::Sleep(30);
  if (lost) ce::headless::LoseWaveDevice();
  SampleDescription sound;
  sound.data = const_cast<std::uint8_t*>(data.data());
  sound.sampleRate = 22050;
  sound.length = static_cast<ce::DWORD>(data.size());
  EXPECT_EQ(engine.PlaySample(sound), 2);
  for (int i = 0; i < 40; ++i) ce::Sleep(10);
  *activeAfter = engine.CountActiveSamples();
  engine.Close();
  ce::StopPlatform();
  return ReadAndRemove(path);
}

TEST_F(SoundEngineTest, DevicePlaysTheMixedSoundAndTheSameRunGivesTheSameBytes) {
  std::vector<std::uint8_t> data(2000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>((i * 37) % 256);
  int active = -1;
  std::string wav = CaptureOneSound(TempPath("one.wav"), data, &active);
  EXPECT_EQ(active, 0);  // 2000 frames is about 91 ms

  // The sound, mixed by the engine's rule, stands in the file as stereo
  // pairs, whole and in order.
  std::string expected;
  for (std::uint8_t s : data) {
    int v = ((static_cast<int>(s) - 128) * 64) >> 7;
    expected.append(2, static_cast<char>(v + 128));
  }
  ASSERT_GT(wav.size(), 44u);
  size_t at = wav.find(expected, 44);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ((at - 44) % 2, 0u);
  // Silence before and after.
  EXPECT_EQ(wav.find_first_not_of('\x80', 44), at);
  EXPECT_EQ(wav.find_first_not_of('\x80', at + expected.size()), std::string::npos);

  EXPECT_EQ(CaptureOneSound(TempPath("two.wav"), data, &active), wav);

  // A lost device: the sound runs its course unheard and frees its channel.
  active = -1;
  std::string lost = CaptureOneSound(TempPath("lost.wav"), data, &active, true);
  EXPECT_EQ(active, 0);
  ASSERT_EQ(lost.size(), wav.size());
  EXPECT_EQ(lost.find_first_not_of('\x80', 44), std::string::npos);
}

}  // namespace
