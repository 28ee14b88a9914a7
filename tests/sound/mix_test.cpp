// The mixer against frames computed by hand: each sound adds
// (sample - 128) x effective, the sum is shifted right by 7, clipped to a
// signed byte and offset by 128; both sides of a frame are the same.
#include <gtest/gtest.h>

#include <vector>

#include "sound/sound_engine.h"

namespace {

class MixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.samplesPerBuffer = 8;
    engine.stereo = 1;
  }

  SampleChannel& Arm(int index, std::vector<std::uint8_t>* data, ce::DWORD step, int effective,
                     bool loop = false) {
    SampleChannel& channel = engine.channels[index];
    channel.data = data->data();
    channel.end = static_cast<ce::DWORD>(data->size()) << 8;
    channel.position = 0;
    channel.step = step;
    channel.effective = effective;
    channel.loop = loop ? 1 : 0;
    channel.Start();
    return channel;
  }

  // One buffer; returns the left bytes after checking the right ones match.
  std::vector<int> Mix() {
    std::vector<std::uint8_t> out(engine.samplesPerBuffer * (engine.stereo ? 2 : 1), 0xAA);
    engine.fillTarget = out.data();
    engine.Mix();
    std::vector<int> left;
    for (ce::DWORD i = 0; i < engine.samplesPerBuffer; ++i) {
      if (engine.stereo) {
        EXPECT_EQ(out[2 * i], out[2 * i + 1]) << "frame " << i;
        left.push_back(out[2 * i]);
      } else {
        left.push_back(out[i]);
      }
    }
    return left;
  }

  SoundEngine engine;
};

TEST_F(MixTest, OneSoundPlaysAtHalfRangeAndFreesItsChannelAtTheEnd) {
  std::vector<std::uint8_t> data = {200, 56, 128, 255, 0};
  SampleChannel& channel = Arm(0, &data, 256, 64);
  // 72 x 64 >> 7 = 36; -72 -> -36; 127 -> 63; -128 -> -64; then silence.
  EXPECT_EQ(Mix(), (std::vector<int>{164, 92, 128, 191, 64, 128, 128, 128}));
  EXPECT_FALSE(channel.IsPlaying());
  EXPECT_TRUE(channel.IsFree());
  EXPECT_EQ(Mix(), std::vector<int>(8, 128));
}

TEST_F(MixTest, TwoSoundsAddAndNegativeSumsRoundDown) {
  std::vector<std::uint8_t> a = {228, 127, 228, 228}, b = {78, 128, 78};
  Arm(0, &a, 256, 64);
  Arm(3, &b, 256, 32);
  // 100 x 64 - 50 x 32 = 4800 -> 37; -1 x 64 = -64 -> -1 (floor);
  // 100 x 64 alone -> 50 once b has ended.
  EXPECT_EQ(Mix(), (std::vector<int>{165, 127, 165, 178, 128, 128, 128, 128}));
}

TEST_F(MixTest, EightLoudSoundsClipAtTheEndsOfTheRange) {
  std::vector<std::uint8_t> high = {255, 255}, low = {0, 0};
  for (int i = 0; i < 8; ++i) Arm(i, i < 4 ? &high : &low, 256, 64, true);
  // Four up and four down: (4 x 127 - 4 x 128) x 64 >> 7 = -2.
  EXPECT_EQ(Mix(), std::vector<int>(8, 126));
  for (int i = 0; i < 8; ++i) Arm(i, &high, 256, 64, true);
  EXPECT_EQ(Mix(), std::vector<int>(8, 255));  // 8 x 127 x 64 >> 7 = 508
  for (int i = 0; i < 8; ++i) Arm(i, &low, 256, 64, true);
  EXPECT_EQ(Mix(), std::vector<int>(8, 0));  // -512
  engine.stereo = 0;
  EXPECT_EQ(Mix(), std::vector<int>(8, 0));
}

TEST_F(MixTest, LoopingSoundWrapsToItsStartAndPlaysOn) {
  std::vector<std::uint8_t> data = {138, 118, 168};
  SampleChannel& channel = Arm(0, &data, 256, 64, true);
  // 10 -> 5, -10 -> -5, 40 -> 20.
  EXPECT_EQ(Mix(), (std::vector<int>{133, 123, 148, 133, 123, 148, 133, 123}));
  EXPECT_TRUE(channel.IsPlaying());
  EXPECT_EQ(Mix(), (std::vector<int>{148, 133, 123, 148, 133, 123, 148, 133}));

  // A step of 1.5: positions 0, 1.5, 3 -> 0, 1.5, 3 -> 0 ...
  Arm(0, &data, 384, 64, true);
  EXPECT_EQ(Mix(), (std::vector<int>{133, 123, 133, 123, 133, 123, 133, 123}));
}

TEST_F(MixTest, SoundLongerThanABufferGoesOnInTheNext) {
  std::vector<std::uint8_t> data(12);
  for (int i = 0; i < 12; ++i) data[i] = static_cast<std::uint8_t>(128 + 2 * i);
  Arm(0, &data, 256, 64);
  EXPECT_EQ(Mix(), (std::vector<int>{128, 129, 130, 131, 132, 133, 134, 135}));
  EXPECT_EQ(Mix(), (std::vector<int>{136, 137, 138, 139, 128, 128, 128, 128}));
}

TEST_F(MixTest, ChannelVolumeScalesWithTheMasterVolume) {
  SampleChannel channel;
  channel.master = 32;
  channel.SetVolume(32);
  EXPECT_EQ(channel.effective, 16);
  channel.SetVolume(70);
  EXPECT_EQ(channel.volume, 64);
  EXPECT_EQ(channel.effective, 32);
  channel.SetVolume(-1);
  EXPECT_EQ(channel.volume, 64);
  channel.SetVolume(0);
  EXPECT_EQ(channel.effective, 0);
}

}  // namespace
