// The game's own random numbers: a multiplicative congruential generator
// seeded from the tick count through the runtime's srand and rand.
#pragma once

#include <cstdint>

class CRandom {
 public:
  CRandom();
  // A generator with a known state, for tests.
  explicit CRandom(std::int32_t state) : state_(state) {}

  // A value from 0 to n - 1 (n up to 127 000).
  std::int32_t Next(std::int32_t n);
  // The same state update; returns the new state.
  std::int32_t Raw();

  std::int32_t state() const { return state_; }

 private:
  void Step();

  std::int32_t multiplier_ = 2187;
  std::int32_t increment_ = 0;
  std::int32_t modulus_ = 16807;
  std::int32_t state_ = 0;
};
