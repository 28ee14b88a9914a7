// Reading WAVE resources: good ones, and ones that must not play.
#include "sound/wave_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/sound_engine.h"
#include "tests/support/wave_file.h"

namespace {

using testsupport::Wave;

bool Parse(const std::vector<std::uint8_t>& bytes, SampleDescription* d, size_t size = SIZE_MAX) {
  return ParseWaveResource(bytes.data(), std::min(size, bytes.size()), d);
}

TEST(WaveResourceTest, GoodResourcePlaysAllButItsLastEightBytes) {
  auto bytes = Wave{}.Build();
  SampleDescription d;
  ASSERT_TRUE(Parse(bytes, &d));
  EXPECT_EQ(d.data, bytes.data() + 44);
  EXPECT_EQ(d.data[0], 1);
  EXPECT_EQ(d.length, 12u);
  EXPECT_EQ(d.sampleRate, 22050u);
  EXPECT_EQ(d.owned, 0);

  Wave rate;
  rate.rate = 11025;
  ASSERT_TRUE(Parse(rate.Build(), &d));
  EXPECT_EQ(d.sampleRate, 11025u);
}

TEST(WaveResourceTest, ChunksAreWalkedByTheirSizes) {
  Wave w;
  w.fmtExtra = 2;  // a WAVEFORMATEX with its cbSize
  w.chunksBefore = {{"fact", 4}, {"LIST", 26}, {"dat ", 0}};
  auto bytes = w.Build();
  SampleDescription d;
  ASSERT_TRUE(Parse(bytes, &d));
  EXPECT_EQ(d.data, bytes.data() + bytes.size() - 20);
  EXPECT_EQ(d.length, 12u);
}

TEST(WaveResourceTest, OnlyEightBitMonoWithARateIsTaken) {
  auto format = [](std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    Wave w;
    w.channels = channels;
    w.rate = rate;
    w.bits = bits;
    return w;
  };
  for (const Wave& w : {format(2, 22050, 8), format(1, 22050, 16), format(1, 0, 8)}) {
    SampleDescription d;
    EXPECT_FALSE(Parse(w.Build(), &d));
    EXPECT_EQ(d.data, nullptr);
  }
  auto bytes = Wave{}.Build();
  bytes[12] = 'F';  // the first chunk must be "fmt "
  SampleDescription d;
  EXPECT_FALSE(Parse(bytes, &d));
  bytes = Wave{}.Build();
  bytes[16] = 14;  // a fmt chunk too short for its fields
  EXPECT_FALSE(Parse(bytes, &d));
  EXPECT_EQ(d.data, nullptr);
}

TEST(WaveResourceTest, NothingIsReadPastTheEndOfTheResource) {
  auto bytes = Wave{}.Build();
  SampleDescription d;
  // Cut anywhere before the data chunk's end: refused.
  for (size_t size = 0; size < bytes.size(); ++size) {
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
    EXPECT_FALSE(Parse(cut, &d)) << size;
  }
  EXPECT_EQ(d.data, nullptr);
  // A chunk size pointing past the end ends the walk, wherever it is.
  Wave w;
  w.chunksBefore = {{"LIST", 4}};
  bytes = w.Build();
  bytes[40] = 0xFF;
  bytes[43] = 0x7F;
  EXPECT_FALSE(Parse(bytes, &d));
  bytes = Wave{}.Build();
  bytes[16] = 0xF0;
  bytes[19] = 0xFF;  // fmt size near 4 GB
  EXPECT_FALSE(Parse(bytes, &d));
  EXPECT_FALSE(ParseWaveResource(nullptr, 100, &d));
}

TEST(WaveResourceTest, DataShorterThanItsUnplayedTailPlaysNothing) {
  SampleDescription d;
  for (std::uint32_t size : {0u, 1u, 7u}) {
    Wave w;
    w.dataSize = size;
    EXPECT_FALSE(Parse(w.Build(), &d)) << size;
  }
  Wave eight;
  eight.dataSize = 8;
  ASSERT_TRUE(Parse(eight.Build(), &d));
  EXPECT_EQ(d.length, 0u);
}

}  // namespace
