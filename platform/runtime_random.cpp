#include "platform/runtime_random.h"

namespace ce {

namespace {

// r[i] = r[i - 31] + r[i - 3], kept in a ring of the last 32 values.
struct Generator {
  std::uint32_t ring[32];
  unsigned next = 0;  // index of r[i] for the next i

  void Seed(unsigned seed) {
    if (seed == 0) seed = 1;
    std::int32_t r[31];
    r[0] = static_cast<std::int32_t>(seed);
    // Lehmer's 16807 modulo 2^31 - 1 fills the table (Schrage's method).
    for (int i = 1; i < 31; ++i) {
      std::int32_t hi = r[i - 1] / 127773;
      std::int32_t lo = r[i - 1] % 127773;
      std::int32_t word = 16807 * lo - 2836 * hi;
      if (word < 0) word += 2147483647;
      r[i] = word;
    }
    for (int i = 0; i < 31; ++i) ring[i] = static_cast<std::uint32_t>(r[i]);
    next = 31;
    // r[31..33] repeat r[0..2]; the first 310 sums after them are dropped.
    for (int i = 31; i < 34; ++i) Put(ring[(i - 31) % 32]);
    for (int i = 0; i < 310; ++i) Step();
  }

  void Put(std::uint32_t value) {
    ring[next % 32] = value;
    ++next;
  }

  std::uint32_t Step() {
    std::uint32_t value = ring[(next - 31) % 32] + ring[(next - 3) % 32];
    Put(value);
    return value;
  }
};

Generator& TheGenerator() {
  static Generator* generator = [] {
    auto* g = new Generator;
    g->Seed(1);
    return g;
  }();
  return *generator;
}

}  // namespace

void srand(unsigned seed) { TheGenerator().Seed(seed); }

int rand() { return static_cast<int>(TheGenerator().Step() >> 1); }

}  // namespace ce
