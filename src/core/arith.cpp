#include "core/arith.h"

#include <cmath>

int32_t Round(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return INT32_MAX;
  if (x <= -2147483648.0) return INT32_MIN;
  double lower = std::floor(x);
  double frac = x - lower;
  double result;
  if (frac > 0.5) {
    result = lower + 1.0;
  } else if (frac < 0.5) {
    result = lower;
  } else {
    // exactly half-way: pick the even neighbour
    result = (std::fmod(lower, 2.0) == 0.0) ? lower : lower + 1.0;
  }
  return static_cast<int32_t>(result);
}

namespace {
// xorshift64*: tiny, fast, no allocation, and good enough for choosing stones.
uint64_t RandomState = 0x9E3779B97F4A7C15ull;
}

void SeedRandom(uint64_t seed) { RandomState = seed ? seed : 0x9E3779B97F4A7C15ull; }

int32_t Random(int32_t n) {
  if (n <= 0) return 0;
  RandomState ^= RandomState >> 12;
  RandomState ^= RandomState << 25;
  RandomState ^= RandomState >> 27;
  uint64_t r = RandomState * 0x2545F4914F6CDD1Dull;
  // multiply-shift maps the top 32 bits uniformly enough onto 0..n-1
  return static_cast<int32_t>(((r >> 32) * static_cast<uint64_t>(n)) >> 32);
}
