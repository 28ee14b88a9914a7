// The PCT decoder on any resource bytes and any destination size: it must
// stay inside both buffers and agree with the bit-by-bit decoder.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/pct_decoder.h"
#include "tests/support/pct_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  // The first three bytes give the destination size (up to 240 x 320 x 2 and
  // a little more); the rest is the resource, in a buffer of its own size.
  std::size_t destSize = (data[0] | (data[1] << 8) | (data[2] << 16)) % 160000;
  std::vector<std::uint8_t> resource(data + 3, data + size);
  std::vector<std::uint8_t> fast(destSize, 0x5A);
  std::vector<std::uint8_t> slow(destSize, 0x5A);
  std::size_t a = DecodePctData(resource.data(), resource.size(), fast.data(), destSize);
  std::size_t b =
      testsupport::ReferenceDecodePct(resource.data(), resource.size(), slow.data(), destSize);
  if (a != b || fast != slow) std::abort();
  return 0;
}
