#include "game/random.h"

#include "platform/clock.h"
#include "platform/runtime_random.h"

namespace {

// The handheld's runtime hands out rand values of 15 bits. The congruence
// relies on that: state * multiplier must stay within 32 bits, and a larger
// value would wrap to a negative state and draw negative numbers for ever.
constexpr int kRandRange = 0x8000;

}  // namespace

CRandom::CRandom() {
  std::uint32_t seed = (16807u * ce::GetTickCount()) >> 1;
  ce::srand(seed);
  state_ = ce::rand() % kRandRange;
}

void CRandom::Step() { state_ = (state_ * multiplier_ + increment_) % modulus_; }

std::int32_t CRandom::Next(std::int32_t n) {
  Step();
  return state_ * n / modulus_;
}

std::int32_t CRandom::Raw() {
  Step();
  return state_;
}
