#include "graphics/pct_decoder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/resource_table.h"
#include "tests/support/pct_reference.h"

namespace {

// A resource image: the stream's length, then the stream.
std::vector<std::uint8_t> Resource(const std::vector<std::uint8_t>& stream) {
  auto n = static_cast<std::uint32_t>(stream.size());
  std::vector<std::uint8_t> data(4 + stream.size());
  for (int i = 0; i < 4; ++i) data[i] = static_cast<std::uint8_t>(n >> (8 * i));
  for (std::size_t i = 0; i < stream.size(); ++i) data[4 + i] = stream[i];
  return data;
}

// Decodes into `size` bytes that start as 0xEE, to see what was written.
std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& resource, std::size_t size,
                                 std::size_t* written = nullptr) {
  std::vector<std::uint8_t> out(size, 0xEE);
  std::size_t n = DecodePctData(resource.data(), resource.size(), out.data(), out.size());
  if (written != nullptr) *written = n;
  return out;
}

// Tokens as bits, for streams written by hand.
struct Bits {
  std::vector<std::uint8_t> bytes;
  int used = 0;
  Bits& Put(unsigned value, int n) {
    while (n-- > 0) {
      if (used == 0) bytes.push_back(0);
      if ((value >> n) & 1) bytes.back() |= static_cast<std::uint8_t>(0x80 >> used);
      used = (used + 1) & 7;
    }
    return *this;
  }
  Bits& Literal(unsigned byte) { return Put(1, 1).Put(byte, 8); }
  Bits& Match(unsigned length, unsigned position) {
    return Put(0, 1).Put(length - 1, 5).Put(position, 9);
  }
};

TEST(PctDecoder, WorkedExamples) {
  std::size_t n = 0;
  auto out = Decode(Resource({0xB0, 0x80}), 8, &n);
  EXPECT_EQ(n, 1u);
  EXPECT_EQ(out[0], 0x61);
  EXPECT_EQ(out[1], 0xEE);

  out = Decode(Resource({0xB0, 0x80, 0x00}), 8, &n);
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(out[0], 0x61);
  EXPECT_EQ(out[1], 0x00);
  EXPECT_EQ(out[2], 0xEE);

  out = Decode(Resource({0x7F, 0xFE, 0x00}), 40, &n);
  EXPECT_EQ(n, 33u);
  for (int i = 0; i < 33; ++i) EXPECT_EQ(out[i], 0) << i;
  EXPECT_EQ(out[33], 0xEE);
}

TEST(PctDecoder, MatchesCopyFromTheSlidingWindow) {
  // A first match copies zeros of the initial window; a match right after a
  // literal from position 511 repeats it; a length-1 match copies one byte.
  Bits bits;
  bits.Match(3, 100).Literal(0x5A).Match(32, 511).Match(1, 479).Literal(0x11).Literal(0x22);
  bits.Literal(0x33).Match(4, 510);  // 11 22 33 then 22 33 22 33 (overlapping)
  bits.Put(0, 16);                   // enough stream to finish every token
  std::size_t n = 0;
  auto out = Decode(Resource(bits.bytes), 64, &n);
  ASSERT_GE(n, 3u + 1 + 32 + 1 + 3 + 4);
  std::vector<std::uint8_t> expected = {0, 0, 0, 0x5A};
  expected.insert(expected.end(), 32, 0x5A);
  expected.push_back(0x5A);  // 32 back from the newest byte: the literal
  expected.insert(expected.end(), {0x11, 0x22, 0x33, 0x22, 0x33, 0x22, 0x33});
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(out[i], expected[i]) << i;
}

TEST(PctDecoder, BrokenResourcesStayInsideTheirBytes) {
  std::size_t n = 9;
  // Shorter than the length field; an empty stream; a length beyond the data.
  Decode({0x01, 0x00}, 8, &n);
  EXPECT_EQ(n, 0u);
  Decode(Resource({}), 8, &n);
  EXPECT_EQ(n, 0u);
  std::vector<std::uint8_t> lying = {0xFF, 0xFF, 0xFF, 0x7F, 0xB0, 0x80};
  auto out = Decode(lying, 8, &n);
  EXPECT_EQ(n, 1u);
  EXPECT_EQ(out[0], 0x61);
  // One byte: its token finishes from zero bits.
  out = Decode(Resource({0xFF}), 8, &n);
  EXPECT_EQ(n, 1u);
  EXPECT_EQ(out[0], 0xFE);
}

TEST(PctDecoder, DecodesResourcesByIdAndLeavesMissingOnesBlack) {
  static const std::vector<std::uint8_t> data = Resource({0xB0, 0x80});
  static const ce::ResourceRecord records[] = {{u"PCT", 200, data.data(), 6},
                                               {u"WAVE", 201, data.data(), 6}};
  ce::testing::UseResourceTable(records, 2);
  std::uint8_t out[4] = {0, 0, 0, 0};
  DecodePct(200, out, 4);
  EXPECT_EQ(out[0], 0x61);
  out[0] = 0;
  DecodePct(201, out, 4);  // a sound, not a picture
  DecodePct(202, out, 4);
  EXPECT_EQ(out[0], 0);
  ce::testing::UseResourceTable(nullptr, 0);
}

TEST(PctDecoder, AgreesWithTheBitByBitDecoderOnAnyStream) {
  // Random streams biased towards long matches or literals, at every kind of
  // destination size; the bytes beyond what is decoded must stay untouched.
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    std::size_t length = rng() % (round < 2000 ? 64 : 4000);
    std::vector<std::uint8_t> stream(length);
    unsigned mask = (round % 3 == 0) ? 0x7F : (round % 3 == 1 ? 0xFF : 0x83);
    for (auto& b : stream)
      b = static_cast<std::uint8_t>((rng() & mask) | (rng() % 5 == 0 ? 0x80 : 0));
    std::vector<std::uint8_t> resource = Resource(stream);
    if (round % 7 == 0 && !resource.empty()) resource.resize(rng() % resource.size());
    std::size_t destSize = rng() % (round % 2 ? 200 : 70000);
    std::vector<std::uint8_t> expected(destSize, 0xEE), actual(destSize, 0xEE);
    std::size_t n1 = testsupport::ReferenceDecodePct(resource.data(), resource.size(),
                                                     expected.data(), destSize);
    std::size_t n2 = DecodePctData(resource.data(), resource.size(), actual.data(), destSize);
    ASSERT_EQ(n1, n2) << "round " << round;
    ASSERT_EQ(expected, actual) << "round " << round;
  }
}

}  // namespace
