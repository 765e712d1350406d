// Small building blocks for the generated sound effects and music: a
// deterministic noise source, filters and envelope shapes. Everything runs at
// the game's mixing rate, 44100 samples per second.
#pragma once
#include <cmath>
#include <cstdint>

#include "core/arith.h"

namespace synth {

constexpr int RATE = 44100;
constexpr double PI = 3.14159265358979323846;
constexpr double TAU = 2 * PI;

// Sine of a phase counted in cycles (1 = one period), read from a table with
// linear interpolation: about -130 dB from the exact value and many times
// faster than std::sin, which matters for minutes of music sample by sample.
struct SineTable {
  static constexpr int SIZE = 4096;
  double v[SIZE + 1];
  SineTable() {
    for (int i = 0; i <= SIZE; ++i) v[i] = std::sin(TAU * i / SIZE);
  }
};
inline const SineTable SINE;
inline double SinCycles(double phase) {
  double x = (phase - std::floor(phase)) * SineTable::SIZE;
  int i = static_cast<int>(x);
  if (i >= SineTable::SIZE) i = SineTable::SIZE - 1; // a phase a hair below a whole number
  double f = x - i;
  return SINE.v[i] + (SINE.v[i + 1] - SINE.v[i]) * f;
}

// White noise in -1..1 from the game's seeded generator, so every file comes
// out identical on every run once the seed is set.
inline float Noise() {
  return static_cast<float>(Random(65536)) / 32768.0f - 1.0f;
}

// One-pole low-pass; `cutoff` in Hz may change from sample to sample.
struct OnePole {
  float y = 0;
  double lastCutoff = -1;
  float a = 0;
  float Low(float x, double cutoff) {
    if (cutoff != lastCutoff) { // the coefficient only changes with the cutoff
      lastCutoff = cutoff;
      a = static_cast<float>(1.0 - std::exp(-TAU * cutoff / RATE));
    }
    y += a * (x - y);
    return y;
  }
};

// Two-pole resonant filter (the usual cookbook biquad). Set() may be called
// every sample for sweeps.
struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  enum Kind { LowPass, HighPass, BandPass };
  void Set(Kind kind, double freq, double q) {
    if (freq > RATE * 0.45) freq = RATE * 0.45;
    double w = TAU * freq / RATE, c = std::cos(w), alpha = std::sin(w) / (2 * q);
    double a0 = 1 + alpha;
    switch (kind) {
    case LowPass:
      b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2;
      break;
    case HighPass:
      b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2;
      break;
    case BandPass:
      b0 = alpha, b1 = 0, b2 = -alpha;
      break;
    }
    a1 = -2 * c;
    a2 = 1 - alpha;
    b0 /= a0, b1 /= a0, b2 /= a0, a1 /= a0, a2 /= a0;
  }
  float Run(float x) {
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return static_cast<float>(y);
  }
};

// An exponential decay stepped one sample at a time (one multiplication
// instead of an exp per sample).
struct Fall {
  double v = 1, k;
  explicit Fall(double tau) : k(std::exp(-1.0 / (tau * RATE))) {}
  double Next() {
    double r = v;
    v *= k;
    return r;
  }
};

// Envelope shapes, t in seconds.
inline double Decay(double t, double tau) {
  return t < 0 ? 0 : std::exp(-t / tau);
}
inline double Attack(double t, double a) {
  return t <= 0 ? 0 : t >= a ? 1 : t / a;
}
// Smooth bump that is 0 outside start..start+length and 1 in its middle.
inline double Window(double t, double start, double length) {
  double x = (t - start) / length;
  if (x <= 0 || x >= 1) return 0;
  return 0.5 - 0.5 * std::cos(TAU * x);
}

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
inline double NoteHz(double note) {
  return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

} // namespace synth
