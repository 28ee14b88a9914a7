// The encoder on any bytes: the decoder must give them back exactly.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "assets/pct_encoder.h"
#include "graphics/pct_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> resource = EncodePct(data, size);
  std::vector<std::uint8_t> out(size, 0xA5);
  std::size_t n = DecodePctData(resource.data(), resource.size(), out.data(), out.size());
  if (n != size || !std::equal(out.begin(), out.end(), data)) std::abort();
  return 0;
}
