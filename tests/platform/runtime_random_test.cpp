// The runtime's rand is the same generator everywhere: known values, and
// on the GNU C library the very sequence of its own rand.
#include "platform/runtime_random.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(RuntimeRandomTest, KnownSequencesAndSeeds) {
  // Without srand, as after srand(1); seed 0 is taken as 1.
  EXPECT_EQ(ce::rand(), 1804289383);
  for (unsigned seed : {1u, 0u}) {
    ce::srand(seed);
    EXPECT_EQ(ce::rand(), 1804289383);
    EXPECT_EQ(ce::rand(), 846930886);
    EXPECT_EQ(ce::rand(), 1681692777);
  }
  // Seeding again starts the sequence again.
  ce::srand(12345);
  int first = ce::rand();
  ce::srand(12345);
  EXPECT_EQ(ce::rand(), first);
}

#ifdef __GLIBC__
TEST(RuntimeRandomTest, SameAsTheGnuCLibrary) {
  // Seeds as the game makes them from tick counts, and the extremes.
  for (unsigned seed : {2u, 12345u, 840350000u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    std::srand(seed);
    ce::srand(seed);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(ce::rand(), std::rand()) << seed << " " << i;
  }
}
#endif

}  // namespace
