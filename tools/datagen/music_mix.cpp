#include "music_mix.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

using namespace synth;

namespace music {

void Mix::Gains(float pan) {
  lastPan_ = pan;
  float p = std::clamp(pan * spread, -1.0f, 1.0f);
  gl_ = static_cast<float>(std::cos((p + 1) * PI / 4));
  gr_ = static_cast<float>(std::sin((p + 1) * PI / 4));
}

size_t Index(double seconds) {
  return static_cast<size_t>(std::max(0.0, seconds) * RATE);
}

namespace {

// Release shape: full while the note is held, then a short fade.
double Held(double t, double dur, double release) {
  if (t < dur) return 1;
  return std::max(0.0, 1 - (t - dur) / release);
}

// Advances an oscillator phase (in cycles), kept within 0..1.
double Step(double& phase, double hz) {
  double p = phase;
  phase += hz / RATE;
  if (phase >= 1) phase -= std::floor(phase);
  return p;
}

} // namespace

// Karplus-Strong: a burst of noise circulating in a delay line one period long,
// softened a little on every pass.
void Pluck(Mix& m, const NoteOn& n, double bright, double ring, double decay) {
  double period = RATE / n.hz;
  size_t len = static_cast<size_t>(period) + 2;
  std::vector<float> line(len);
  OnePole tone;
  double cutoff = 800 + bright * 7000;
  for (size_t i = 0; i < len; ++i) line[i] = tone.Low(Noise(), cutoff);
  double mean = 0;
  for (float v : line) mean += v;
  mean /= len;
  for (float& v : line) v = static_cast<float>(v - mean);
  // Loss per pass so the string falls by 60 dB after `decay` seconds.
  double loss = std::pow(0.001, 1.0 / (decay * n.hz));
  size_t total = Index(n.dur + ring), start = Index(n.at);
  double frac = period - std::floor(period);
  // Read `whole` and `whole + 1` samples behind the write position.
  const size_t whole = static_cast<size_t>(period);
  size_t write = 0, a = len - whole, b = len - whole - 1;
  float prev = 0;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    float delayed = static_cast<float>(line[a] * (1 - frac) + line[b] * frac);
    float damp = t < n.dur ? static_cast<float>(loss) : static_cast<float>(loss * 0.995);
    float out = damp * 0.5f * (delayed + prev);
    prev = delayed;
    line[write] = out;
    if (++write == len) write = 0;
    if (++a == len) a = 0;
    if (++b == len) b = 0;
    double env = std::min(1.0, (n.dur + ring - t) / 0.03) * Attack(t, 0.002);
    m.Put(start + i, static_cast<float>(out * n.vel * env), n.pan, n.send);
  }
}

// Frequency modulation: the index falls after the attack, so the tone mellows.
void EPiano(Mix& m, const NoteOn& n) {
  size_t total = Index(n.dur + 0.25), start = Index(n.at);
  double ph = 0, tine = 0;
  Fall index(0.35), body(0.8), click(0.04);
  const bool tineAudible = n.hz * 7 < 16000;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double p = Step(ph, n.hz);
    double v = SinCycles(p + (1.2 * index.Next() + 0.25) / TAU * SinCycles(p));
    double c = click.Next();
    if (tineAudible) v += 0.12 * SinCycles(Step(tine, n.hz * 7)) * c;
    double env = Attack(t, 0.003) * (0.3 + 0.7 * body.Next()) * Held(t, n.dur, 0.25);
    m.Put(start + i, static_cast<float>(v * env * n.vel), n.pan, n.send);
  }
}

void Pad(Mix& m, const NoteOn& n, double cutoff, double attack, double release, double width) {
  size_t total = Index(n.dur + release), start = Index(n.at);
  // Four detuned saws: the two flat ones lean left, the two sharp ones right,
  // so the chorus they make drifts between the speakers as it beats.
  double ph[4] = {0, 0.33, 0.67, 0.5};
  const double detune[4] = {0.993, 0.998, 1.002, 1.007};
  OnePole l1, l2, r1, r2;
  const double near = (1 + width) / 2, far = (1 - width) / 2;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double v[4];
    for (int k = 0; k < 4; ++k) v[k] = 2 * Step(ph[k], n.hz * detune[k]) - 1;
    double env = Attack(t, attack) * Held(t, n.dur, release) * n.vel / 2;
    double flat = v[0] + v[1], sharp = v[2] + v[3];
    float a = l2.Low(l1.Low(static_cast<float>(near * flat + far * sharp), cutoff), cutoff);
    float b = r2.Low(r1.Low(static_cast<float>(far * flat + near * sharp), cutoff), cutoff);
    m.PutStereo(start + i, static_cast<float>(a * env), static_cast<float>(b * env), n.pan, n.send);
  }
}

void Flute(Mix& m, const NoteOn& n, double vibrato, double breath) {
  size_t total = Index(n.dur + 0.12), start = Index(n.at);
  double ph = 0;
  Biquad air;
  air.Set(Biquad::BandPass, std::min(n.hz * 2, 9000.0), 2);
  Fall chiff(0.08);
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double v = SinCycles(ph) + 0.18 * SinCycles(2 * ph) + 0.06 * SinCycles(3 * ph);
    v += breath * air.Run(Noise()) * (0.5 + chiff.Next());
    Step(ph, n.hz * (1 + vibrato * SinCycles(5.2 * t) * Attack(t - 0.2, 0.3)));
    double env = Attack(t, 0.05) * Held(t, n.dur, 0.12);
    m.Put(start + i, static_cast<float>(v * env * n.vel), n.pan, n.send);
  }
}

void Lead(Mix& m, const NoteOn& n, bool square, double cutoff, double vibrato, double attack) {
  size_t total = Index(n.dur + 0.15), start = Index(n.at);
  double ph = 0;
  OnePole f1, f2;
  double c = cutoff;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double frac = Step(ph, n.hz * (1 + vibrato * SinCycles(5.5 * t) * Attack(t - 0.15, 0.25)));
    double v = square ? (frac < 0.5 ? 1.0 : -1.0) : 2 * frac - 1;
    if ((i & 63) == 0) c = n.hz + (cutoff - n.hz) * (0.55 + 0.45 * Decay(t, 0.3)) * Attack(t, attack * 2);
    float x = f2.Low(f1.Low(static_cast<float>(v), std::max(c, 200.0)), std::max(c, 200.0));
    double env = Attack(t, attack) * Held(t, n.dur, 0.15);
    m.Put(start + i, static_cast<float>(x * env * n.vel), n.pan, n.send);
  }
}

void Horn(Mix& m, const NoteOn& n, double brightness) {
  size_t total = Index(n.dur + 0.2), start = Index(n.at);
  double ph = 0;
  OnePole f1, f2;
  double c = n.hz;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double frac = Step(ph, n.hz * (1 + 0.004 * SinCycles(5 * t) * Attack(t - 0.3, 0.4)));
    // The lips open the tone over the first tenth of a second, then it settles a little.
    if ((i & 31) == 0) c = n.hz * (1.2 + brightness * (2.5 * Attack(t, 0.09) - 0.8 * Attack(t - 0.1, 0.4)));
    float x = f2.Low(f1.Low(static_cast<float>(2 * frac - 1), c), c * 1.5);
    double env = Attack(t, 0.04) * Held(t, n.dur, 0.2);
    m.Put(start + i, static_cast<float>(x * env * n.vel), n.pan, n.send);
  }
}

void Mallet(Mix& m, const NoteOn& n, double hardness, double tau) {
  size_t total = Index(std::max(n.dur, tau * 5)), start = Index(n.at);
  double p1 = 0, p4 = 0, p3 = 0;
  Fall e1(tau), e4(tau * 0.3), e3(tau * 0.5);
  const double g4 = n.hz * 4 < 18000 ? 0.3 * hardness : 0, g3 = n.hz * 2.76 < 18000 ? 0.25 * hardness : 0;
  const double seconds = static_cast<double>(total) / RATE;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double v = SinCycles(Step(p1, n.hz)) * e1.Next();
    double a4 = e4.Next(), a3 = e3.Next();
    // The upper partials die first; once they are 80 dB down they are left out.
    if (g4 > 0 && a4 > 1e-4) v += g4 * SinCycles(Step(p4, n.hz * 4)) * a4;
    if (g3 > 0 && a3 > 1e-4) v += g3 * SinCycles(Step(p3, n.hz * 2.76)) * a3;
    v *= Attack(t, 0.002) * std::min(1.0, (seconds - t) / 0.02);
    m.Put(start + i, static_cast<float>(v * n.vel), n.pan, n.send);
  }
}

void Bass(Mix& m, const NoteOn& n, double pluck) {
  size_t total = Index(n.dur + 0.06), start = Index(n.at);
  double ph = 0;
  OnePole f;
  Fall body(0.3), snap(0.08);
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double p = Step(ph, n.hz);
    double v = SinCycles(p) + 0.25 * SinCycles(2 * p);
    double s = snap.Next();
    if (pluck > 0) v += pluck * f.Low(static_cast<float>(2 * p - 1), 250 + 2500 * s);
    double env = Attack(t, 0.006) * (0.75 + 0.25 * body.Next()) * Held(t, n.dur, 0.06);
    m.Put(start + i, static_cast<float>(std::tanh(v * 0.9) * env * n.vel), n.pan, n.send);
  }
}

void Timpani(Mix& m, double at, double hz, double vel, float pan) {
  size_t total = Index(1.6), start = Index(at);
  double p1 = 0, p2 = 0;
  Fall body(0.5), overtone(0.25), strike(0.015);
  OnePole lp;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double bend = 1 + 0.04 * Decay(t, 0.05);
    double v = SinCycles(Step(p1, hz * bend)) * body.Next() +
               0.35 * SinCycles(Step(p2, hz * 1.5 * bend)) * overtone.Next();
    v += 0.4 * lp.Low(Noise(), 1200) * strike.Next();
    double fade = std::min(1.0, (1.6 - t) / 0.2);
    m.Put(start + i, static_cast<float>(v * vel * Attack(t, 0.002) * fade), pan, 0.35f);
  }
}

void Riser(Mix& m, double at, double dur, double vel) {
  size_t total = Index(dur), start = Index(at);
  Biquad bl, br;
  for (size_t i = 0; i < total; ++i) {
    double x = static_cast<double>(i) / static_cast<double>(total);
    if ((i & 31) == 0) {
      double hz = 400 * std::pow(15.0, x);
      bl.Set(Biquad::BandPass, hz, 1.5);
      br.Set(Biquad::BandPass, hz * 1.07, 1.5);
    }
    double env = vel * x * x * std::min(1.0, (1 - x) / 0.03);
    // One noise value after the other: the order of two draws inside one call
    // would be the compiler's choice, and the data must not depend on it.
    float left = Noise(), right = Noise();
    m.PutStereo(start + i, static_cast<float>(bl.Run(left) * env), static_cast<float>(br.Run(right) * env), 0,
                0.4f);
  }
}

void Hit(Mix& m, Drum d, double at, double vel, float pan) {
  size_t start = Index(at);
  auto render = [&](double seconds, float send, auto&& fn) {
    size_t total = Index(seconds);
    for (size_t i = 0; i < total; ++i) {
      double t = static_cast<double>(i) / RATE;
      double fade = std::min(1.0, (seconds - t) / 0.01);
      m.Put(start + i, static_cast<float>(fn(t) * vel * fade), pan, send);
    }
  };
  Biquad bp, bp2;
  OnePole lp;
  double ph = 0, ph2 = 0;
  switch (d) {
  case KICK:
    render(0.35, 0.05f, [&](double t) {
      return SinCycles(Step(ph, 48 + 110 * Decay(t, 0.03))) * Decay(t, 0.22) +
             0.3 * Noise() * Decay(t, 0.002);
    });
    break;
  case SNARE:
    bp.Set(Biquad::HighPass, 1500, 0.7);
    render(0.25, 0.2f, [&](double t) {
      return 0.6 * bp.Run(Noise()) * Decay(t, 0.08) + 0.5 * SinCycles(Step(ph, 190)) * Decay(t, 0.04);
    });
    break;
  case HAT:
  case OPENHAT:
    bp.Set(Biquad::HighPass, 7000, 0.7);
    render(d == HAT ? 0.08 : 0.35, 0.1f,
           [&](double t) { return bp.Run(Noise()) * Decay(t, d == HAT ? 0.02 : 0.12); });
    break;
  case SHAKER:
    bp.Set(Biquad::BandPass, 6500, 1.2);
    render(0.1, 0.1f, [&](double t) { return 1.5 * bp.Run(Noise()) * Attack(t, 0.012) * Decay(t, 0.03); });
    break;
  case CLAP:
    bp.Set(Biquad::BandPass, 1300, 1.5);
    render(0.25, 0.3f, [&](double t) {
      double bursts = Decay(std::fmod(t, 0.011), 0.003) * (t < 0.033 ? 1 : 0) + Decay(t - 0.033, 0.06);
      return 2.0 * bp.Run(Noise()) * bursts;
    });
    break;
  case RIM:
    render(0.06, 0.15f, [&](double t) {
      return (SinCycles(Step(ph, 1700)) * 0.6 + SinCycles(Step(ph2, 820)) * 0.5) * Decay(t, 0.012);
    });
    break;
  case DUM:
    render(0.45, 0.15f,
           [&](double t) { return SinCycles(Step(ph, 95 + 40 * Decay(t, 0.04))) * Decay(t, 0.18); });
    break;
  case TEK:
    bp.Set(Biquad::BandPass, 3200, 2);
    render(0.12, 0.2f, [&](double t) {
      return 0.9 * bp.Run(Noise()) * Decay(t, 0.015) + 0.5 * SinCycles(Step(ph, 640)) * Decay(t, 0.025);
    });
    break;
  case TOM:
    render(1.2, 0.35f, [&](double t) {
      return SinCycles(Step(ph, 62 + 30 * Decay(t, 0.08))) * Decay(t, 0.45) +
             0.25 * lp.Low(Noise(), 400) * Decay(t, 0.1);
    });
    break;
  case TAMBOURINE:
    bp.Set(Biquad::BandPass, 8500, 3);
    render(0.2, 0.15f, [&](double t) { return 2.0 * bp.Run(Noise()) * Attack(t, 0.003) * Decay(t, 0.05); });
    break;
  case CONGA:
    render(0.3, 0.15f, [&](double t) {
      return SinCycles(Step(ph, 210 + 60 * Decay(t, 0.015))) * Decay(t, 0.09) +
             0.2 * Noise() * Decay(t, 0.004);
    });
    break;
  case CRASH: {
    // Two independent washes, one for each side: a cymbal is as wide as the kit.
    bp.Set(Biquad::HighPass, 4500, 0.7);
    bp2.Set(Biquad::HighPass, 4800, 0.7);
    size_t total = Index(1.8);
    Fall tail(0.55);
    for (size_t i = 0; i < total; ++i) {
      double t = static_cast<double>(i) / RATE;
      double env = vel * tail.Next() * Attack(t, 0.002) * std::min(1.0, (1.8 - t) / 0.2);
      float left = Noise(), right = Noise(); // drawn in a fixed order, as in Riser
      m.PutStereo(start + i, static_cast<float>(bp.Run(left) * env), static_cast<float>(bp2.Run(right) * env),
                  pan, 0.3f);
    }
    break;
  }
  }
}

// Parallel damped combs into series all-passes on each side, the right side's
// delays a little longer than the left's so the two tails are unlike each other.
void AddReverb(Mix& m, float wet, float size) {
  struct Comb {
    std::vector<float> buf;
    size_t pos = 0;
    float store = 0;
    float Run(float x, float feedback, float damp) {
      float y = buf[pos];
      store = y * (1 - damp) + store * damp;
      buf[pos] = x + store * feedback;
      if (++pos == buf.size()) pos = 0;
      return y;
    }
  };
  struct AllPass {
    std::vector<float> buf;
    size_t pos = 0;
    float Run(float x) {
      float b = buf[pos];
      buf[pos] = x + b * 0.5f;
      if (++pos == buf.size()) pos = 0;
      return b - x;
    }
  };
  // Early reflections first: a few echoes off near walls, each side hearing
  // both sides at its own delays, which is most of what makes a room wide.
  struct Tap {
    double ms;
    float gain;
    bool fromLeft;
  };
  const Tap taps[2][4] = {{{11, 0.5f, true}, {17, 0.35f, false}, {29, 0.3f, true}, {37, 0.2f, false}},
                          {{13, 0.5f, false}, {19, 0.35f, true}, {31, 0.3f, false}, {41, 0.2f, true}}};
  for (int ch = 0; ch < 2; ++ch) {
    std::vector<float>& out = ch ? m.r : m.l;
    for (const Tap& tap : taps[ch]) {
      const std::vector<float>& send = tap.fromLeft ? m.sendL : m.sendR;
      const size_t delay = Index(tap.ms / 1000);
      const float g = tap.gain * wet * 0.5f;
      for (size_t i = 0, k = delay % m.n; i < m.n; ++i, k = k + 1 == m.n ? 0 : k + 1) out[k] += send[i] * g;
    }
  }
  const size_t combLen[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617}, apLen[4] = {556, 441, 341, 225};
  const float feedback = 0.7f + 0.28f * size, damp = 0.3f;
  const size_t preDelay = Index(0.018);
  // Filling the room: the loop's last seconds first, then the loop itself.
  const size_t warm = std::min(m.n, Index(6.0));
  for (int ch = 0; ch < 2; ++ch) {
    const std::vector<float>& send = ch ? m.sendR : m.sendL;
    std::vector<float>& out = ch ? m.r : m.l;
    const size_t spread = ch ? 23 : 0;
    Comb combs[8];
    AllPass aps[4];
    for (int k = 0; k < 8; ++k) combs[k].buf.assign(combLen[k] + spread, 0.0f);
    for (int k = 0; k < 4; ++k) aps[k].buf.assign(apLen[k] + spread, 0.0f);
    size_t i = m.n - warm, k = (i + preDelay) % m.n;
    for (size_t j = 0; j < warm + m.n; ++j) {
      float x = send[i] * 0.015f;
      float y = 0;
      for (Comb& c : combs) y += c.Run(x, feedback, damp);
      for (AllPass& a : aps) y = a.Run(y);
      if (j >= warm) out[k] += y * wet;
      if (++i == m.n) i = 0;
      if (++k == m.n) k = 0;
    }
  }
}

} // namespace music
