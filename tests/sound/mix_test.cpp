// The mixer where the program's own sounds do not reach: many sounds at
// once, clipped at the ends of the range, and a loop wrapping to its start.
// (One sound at a time is checked end to end through --play-sound.)
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
}

}  // namespace
