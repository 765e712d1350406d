// The three pieces of arithmetic the whole game shares. Every rule that says
// "round", "random" or "div" goes through these, so the results agree everywhere.
#pragma once
#include <cstdint>

// Nearest integer; a value exactly half-way goes to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Independent of the FPU rounding mode.
int32_t Round(double x);

// A uniform integer in 0..n-1 (0 when n <= 0). The source is a small
// deterministic generator so that recorded games replay exactly.
int32_t Random(int32_t n);

// Restarts the random source; the program seeds it from the clock at start-up,
// tests and replays seed it with a fixed value.
void SeedRandom(uint64_t seed);

constexpr double kPi = 3.14159265358979323846;

// Integer division truncating towards zero (-7 div 2 = -3). Division by zero gives 0.
constexpr int32_t DivTrunc(int32_t a, int32_t b) { return b == 0 ? 0 : a / b; }
