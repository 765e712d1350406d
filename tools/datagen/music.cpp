// The seven music tracks: one per theme, one for the title and menus, one for
// the level map and shop. Each is composed from its own seed: a chord
// progression in the track's key and scale, a bass line, accompaniment, a
// melody built from a repeated two-bar motif, and drums. Notes and reverb that
// ring past the end of the loop are wrapped round to its start, so the track
// loops without a seam. Encoded as Ogg Vorbis, 44100 Hz stereo.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <vorbis/vorbisenc.h>

#include "assets/sound.h"
#include "datagen.h"
#include "synth.h"

using namespace synth;

namespace {

// --- the mix -------------------------------------------------------------------

// A stereo loop of fixed length with a reverb send. Writes past the end wrap
// round to the start.
struct Mix {
  size_t n;
  std::vector<float> l, r, sendL, sendR;
  float lastPan = 2, gl = 0, gr = 0;
  explicit Mix(size_t length) : n(length), l(length), r(length), sendL(length), sendR(length) {}

  void Put(size_t i, float v, float pan, float send) {
    size_t k = i % n;
    if (pan != lastPan) { // equal-power panning; a note keeps its place, so it is worked out once
      lastPan = pan;
      gl = std::cos((pan + 1) * static_cast<float>(PI) / 4);
      gr = std::sin((pan + 1) * static_cast<float>(PI) / 4);
    }
    l[k] += v * gl;
    r[k] += v * gr;
    sendL[k] += v * gl * send;
    sendR[k] += v * gr * send;
  }
};

// Where a note sounds: start and length in seconds, loudness, stereo place and
// how much of it goes to the reverb.
struct NoteOn {
  double at, dur, hz, vel;
  float pan, send;
};

size_t Index(double seconds) {
  return static_cast<size_t>(std::max(0.0, seconds) * RATE);
}

// Release shape: full while the note is held, then a short fade.
double Held(double t, double dur, double release) {
  if (t < dur) return 1;
  return std::max(0.0, 1 - (t - dur) / release);
}

// --- instruments ---------------------------------------------------------------

// Plucked string (Karplus-Strong): a burst of noise circulating in a delay line
// one period long, softened a little on every pass. `bright` 0..1 colours the
// pluck; `ring` is how long the string sounds after the note ends.
void Pluck(Mix& m, const NoteOn& n, double bright, double ring, double decay = 2.5) {
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
  size_t write = 0;
  size_t whole = static_cast<size_t>(period);
  float prev = 0;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    size_t a = (write + len - whole) % len, b = (write + len - whole - 1) % len;
    float delayed = static_cast<float>(line[a] * (1 - frac) + line[b] * frac);
    float damp = t < n.dur ? static_cast<float>(loss) : static_cast<float>(loss * 0.995);
    float out = damp * 0.5f * (delayed + prev);
    prev = delayed;
    line[write] = out;
    write = (write + 1) % len;
    double env = std::min(1.0, (n.dur + ring - t) / 0.03) * Attack(t, 0.002);
    m.Put(start + i, static_cast<float>(out * n.vel * env), n.pan, n.send);
  }
}

// Electric piano by frequency modulation: a bell-like attack that mellows.
void EPiano(Mix& m, const NoteOn& n) {
  size_t total = Index(n.dur + 0.25), start = Index(n.at);
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double index = 1.2 * Decay(t, 0.35) + 0.25;
    double v = std::sin(TAU * n.hz * t + index * std::sin(TAU * n.hz * t));
    if (n.hz * 7 < 16000) v += 0.12 * std::sin(TAU * n.hz * 7 * t) * Decay(t, 0.04);
    double env = Attack(t, 0.003) * (0.3 + 0.7 * Decay(t, 0.8)) * Held(t, n.dur, 0.25);
    m.Put(start + i, static_cast<float>(v * env * n.vel), n.pan, n.send);
  }
}

// Soft pad: three slightly detuned saws through a gentle low-pass, slow swell.
void Pad(Mix& m, const NoteOn& n, double cutoff, double attack, double release) {
  size_t total = Index(n.dur + release), start = Index(n.at);
  double ph[3] = {0, 0.33, 0.67};
  const double detune[3] = {0.994, 1.0, 1.006};
  OnePole f1, f2;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double v = 0;
    for (int k = 0; k < 3; ++k) {
      v += 2 * ph[k] - 1;
      ph[k] += n.hz * detune[k] / RATE;
      if (ph[k] >= 1) ph[k] -= 1;
    }
    float x = f2.Low(f1.Low(static_cast<float>(v / 3), cutoff), cutoff);
    double env = Attack(t, attack) * Held(t, n.dur, release);
    m.Put(start + i, static_cast<float>(x * env * n.vel), n.pan, n.send);
  }
}

// Flute or ney: a near-sine with breath and a vibrato that arrives late.
void Flute(Mix& m, const NoteOn& n, double vibrato, double breath) {
  size_t total = Index(n.dur + 0.12), start = Index(n.at);
  double ph = 0;
  Biquad air;
  air.Set(Biquad::BandPass, std::min(n.hz * 2, 9000.0), 2);
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double v = std::sin(TAU * ph) + 0.18 * std::sin(2 * TAU * ph) + 0.06 * std::sin(3 * TAU * ph);
    v += breath * air.Run(Noise()) * (0.5 + Decay(t, 0.08));
    ph += n.hz * (1 + vibrato * std::sin(TAU * 5.2 * t) * Attack(t - 0.2, 0.3)) / RATE;
    double env = Attack(t, 0.05) * Held(t, n.dur, 0.12);
    m.Put(start + i, static_cast<float>(v * env * n.vel), n.pan, n.send);
  }
}

// Saw or square lead through a low-pass whose opening follows the note.
// `square` picks the wave; `cutoff` is the open filter, `vibrato` its depth.
void Lead(Mix& m, const NoteOn& n, bool square, double cutoff, double vibrato, double attack) {
  size_t total = Index(n.dur + 0.15), start = Index(n.at);
  double ph = 0;
  OnePole f1, f2;
  double c = cutoff;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double frac = ph - std::floor(ph);
    double v = square ? (frac < 0.5 ? 1.0 : -1.0) : 2 * frac - 1;
    ph += n.hz * (1 + vibrato * std::sin(TAU * 5.5 * t) * Attack(t - 0.15, 0.25)) / RATE;
    if ((i & 63) == 0) c = n.hz + (cutoff - n.hz) * (0.55 + 0.45 * Decay(t, 0.3)) * Attack(t, attack * 2);
    float x = f2.Low(f1.Low(static_cast<float>(v), std::max(c, 200.0)), std::max(c, 200.0));
    double env = Attack(t, attack) * Held(t, n.dur, 0.15);
    m.Put(start + i, static_cast<float>(x * env * n.vel), n.pan, n.send);
  }
}

// Mallets: marimba (`hardness` low) to celesta and bells (`hardness` high).
void Mallet(Mix& m, const NoteOn& n, double hardness, double tau) {
  size_t total = Index(std::max(n.dur, tau * 5)), start = Index(n.at);
  // Each partial decays by a fixed factor per sample.
  double e1 = 1, e4 = 1, e3 = 1;
  const double k1 = std::exp(-1.0 / (tau * RATE)), k4 = std::exp(-1.0 / (tau * 0.3 * RATE)),
               k3 = std::exp(-1.0 / (tau * 0.5 * RATE));
  const double g4 = n.hz * 4 < 18000 ? 0.3 * hardness : 0, g3 = n.hz * 2.76 < 18000 ? 0.25 * hardness : 0;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double v = std::sin(TAU * n.hz * t) * e1;
    if (e4 > 1e-4 && g4 > 0) v += g4 * std::sin(TAU * n.hz * 4 * t) * e4;
    if (e3 > 1e-4 && g3 > 0) v += g3 * std::sin(TAU * n.hz * 2.76 * t) * e3;
    e1 *= k1, e4 *= k4, e3 *= k3;
    v *= Attack(t, 0.002) * std::min(1.0, (static_cast<double>(total) / RATE - t) / 0.02);
    m.Put(start + i, static_cast<float>(v * n.vel), n.pan, n.send);
  }
}

// Bass: a round sine with a touch of second harmonic; `pluck` adds a filtered
// saw with a snapping filter for funkier lines.
void Bass(Mix& m, const NoteOn& n, double pluck) {
  size_t total = Index(n.dur + 0.06), start = Index(n.at);
  double ph = 0;
  OnePole f;
  for (size_t i = 0; i < total; ++i) {
    double t = static_cast<double>(i) / RATE;
    double frac = ph - std::floor(ph);
    double v = std::sin(TAU * ph) + 0.25 * std::sin(2 * TAU * ph);
    if (pluck > 0) v += pluck * f.Low(static_cast<float>(2 * frac - 1), 250 + 2500 * Decay(t, 0.08));
    ph += n.hz / RATE;
    double env = Attack(t, 0.006) * (0.75 + 0.25 * Decay(t, 0.3)) * Held(t, n.dur, 0.06);
    m.Put(start + i, static_cast<float>(std::tanh(v * 0.9) * env * n.vel), n.pan, n.send);
  }
}

// --- drums ---------------------------------------------------------------------

enum Drum { KICK, SNARE, HAT, OPENHAT, SHAKER, CLAP, RIM, DUM, TEK, TOM, TAMBOURINE };

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
  Biquad bp;
  OnePole lp;
  double ph = 0;
  switch (d) {
  case KICK:
    render(0.35, 0.05f, [&](double t) {
      ph += (48 + 110 * Decay(t, 0.03)) / RATE;
      return std::sin(TAU * ph) * Decay(t, 0.22) + 0.3 * Noise() * Decay(t, 0.002);
    });
    break;
  case SNARE:
    bp.Set(Biquad::HighPass, 1500, 0.7);
    render(0.25, 0.2f, [&](double t) {
      ph += 190.0 / RATE;
      return 0.6 * bp.Run(Noise()) * Decay(t, 0.08) + 0.5 * std::sin(TAU * ph) * Decay(t, 0.04);
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
      return (std::sin(TAU * 1700 * t) * 0.6 + std::sin(TAU * 820 * t) * 0.5) * Decay(t, 0.012);
    });
    break;
  case DUM:
    render(0.45, 0.15f, [&](double t) {
      ph += (95 + 40 * Decay(t, 0.04)) / RATE;
      return std::sin(TAU * ph) * Decay(t, 0.18);
    });
    break;
  case TEK:
    bp.Set(Biquad::BandPass, 3200, 2);
    render(0.12, 0.2f, [&](double t) {
      return 0.9 * bp.Run(Noise()) * Decay(t, 0.015) + 0.5 * std::sin(TAU * 640 * t) * Decay(t, 0.025);
    });
    break;
  case TOM:
    render(1.2, 0.35f, [&](double t) {
      ph += (62 + 30 * Decay(t, 0.08)) / RATE;
      return std::sin(TAU * ph) * Decay(t, 0.45) + 0.25 * lp.Low(Noise(), 400) * Decay(t, 0.1);
    });
    break;
  case TAMBOURINE:
    bp.Set(Biquad::BandPass, 8500, 3);
    render(0.2, 0.15f, [&](double t) { return 2.0 * bp.Run(Noise()) * Attack(t, 0.003) * Decay(t, 0.05); });
    break;
  }
}

// --- composition ---------------------------------------------------------------

struct Song {
  Mix mix;
  double step; // seconds per sixteenth note
  int bars;
  int tonic; // MIDI note of scale degree 0 in the melody's octave
  std::vector<int> scale;
  std::vector<int> progression; // chord root degree of each bar, repeating
  double swing;                 // delay of every odd sixteenth, as a fraction of a sixteenth

  Song(double bpm, int barCount, int tonicNote, std::vector<int> scaleSteps, std::vector<int> chords,
       double swingAmount)
      : mix(StepSamples(bpm) * 16 * barCount), step(static_cast<double>(StepSamples(bpm)) / RATE),
        bars(barCount), tonic(tonicNote), scale(std::move(scaleSteps)), progression(std::move(chords)),
        swing(swingAmount) {}

  // A sixteenth is a whole number of samples so the loop length is exact.
  static size_t StepSamples(double bpm) { return static_cast<size_t>(std::lround(RATE * 60.0 / bpm / 4)); }

  double Time(int bar, double sixteenth) const {
    double s = sixteenth;
    if (static_cast<int>(std::floor(s)) % 2 == 1) s += swing;
    return (bar * 16 + s) * step;
  }
  // MIDI note of a scale degree (any integer; 7 steps up in a 7-note scale is an octave).
  int Note(int degree, int octaveShift = 0) const {
    int len = static_cast<int>(scale.size());
    int oct = degree >= 0 ? degree / len : -((-degree + len - 1) / len);
    return tonic + scale[degree - oct * len] + 12 * (oct + octaveShift);
  }
  int ChordRoot(int bar) const { return progression[bar % progression.size()]; }
  bool InChord(int degree, int bar) const {
    int len = static_cast<int>(scale.size());
    int rel = ((degree - ChordRoot(bar)) % len + len) % len;
    return rel == 0 || rel == 2 || rel == 4;
  }
  int NearestChordTone(int degree, int bar) const {
    for (int d = 0; d < 4; ++d) {
      if (InChord(degree - d, bar)) return degree - d;
      if (InChord(degree + d, bar)) return degree + d;
    }
    return degree;
  }
};

// Plays `pattern` (16 characters per bar: 'x' loud, 'o' soft, anything else
// silent) on `bars` from..to-1 with a light random humanisation of loudness.
void Drums(Song& s, Drum d, const char* pattern, int from, int to, double vel, float pan) {
  size_t len = std::strlen(pattern);
  for (int bar = from; bar < to; ++bar) {
    for (size_t k = 0; k < len; ++k) {
      char c = pattern[k];
      if (c != 'x' && c != 'o') continue;
      double v = vel * (c == 'x' ? 1.0 : 0.45) * (0.9 + Random(20) / 100.0);
      Hit(s.mix, d, s.Time(bar, static_cast<double>(k % 16) + 16.0 * (k / 16)), v, pan);
    }
  }
}

struct MelodyNote {
  int bar;
  int start;  // sixteenth in the bar
  int length; // in sixteenths
  int degree;
};

// A two-bar rhythm: note lengths in sixteenths, negative for rests. `busy`
// 0..1 favours shorter notes.
std::vector<int> Rhythm(double busy) {
  static const std::vector<std::vector<int>> Calm = {{4}, {4}, {8}, {6, 2}, {2, 2}, {-4}, {4}, {3, 1}};
  static const std::vector<std::vector<int>> Busy = {{2, 2},    {2, 2}, {3, 1},  {2, 1, 1},
                                                     {1, 1, 2}, {4},    {-2, 2}, {6, 2}};
  std::vector<int> r;
  int pos = 0;
  while (pos < 32) {
    int left = 32 - pos;
    if (left <= 8) {
      // The motif ends on a held note followed by a breath.
      if (left > 2) {
        r.push_back(left - 2);
        r.push_back(-2);
      } else {
        r.push_back(-left);
      }
      break;
    }
    const auto& pool = Random(100) < busy * 100 ? Busy : Calm;
    const std::vector<int>& cell = pool[Random(static_cast<int32_t>(pool.size()))];
    int total = 0;
    for (int v : cell) total += std::abs(v);
    if (total > left - 8 && left > 8) {
      r.push_back(left - 8);
      pos += left - 8;
      continue;
    }
    for (int v : cell) r.push_back(v);
    pos += total;
  }
  return r;
}

// Pitches for a rhythm starting at `bar`: a walk through the scale that lands
// on chord tones on the strong beats. `shape` (if given) repeats an earlier
// walk's intervals so a motif comes back recognisably over new chords.
std::vector<MelodyNote> Phrase(const Song& s, const std::vector<int>& rhythm, int bar, int startDegree,
                               int low, int high, const std::vector<int>* shape, std::vector<int>* shapeOut) {
  std::vector<MelodyNote> notes;
  int pos = 0, deg = startDegree, count = 0;
  for (int len : rhythm) {
    if (len < 0) {
      pos -= len;
      continue;
    }
    int b = bar + pos / 16, st = pos % 16;
    int move;
    if (shape && count < static_cast<int>(shape->size())) {
      move = (*shape)[count];
    } else {
      static const int Moves[] = {-1, -1, -1, 1, 1, 1, -2, 2, 0, 3, -3, -1, 1, 2};
      move = count == 0 ? 0 : Moves[Random(14)];
    }
    if (shapeOut) shapeOut->push_back(move);
    deg += move;
    if (deg > high) deg -= 2 * (deg - high);
    if (deg < low) deg += 2 * (low - deg);
    if (st % 8 == 0 || len >= 6) deg = s.NearestChordTone(deg, b);
    notes.push_back({b, st, len, deg});
    pos += len;
    ++count;
  }
  return notes;
}

// An eight-bar melody: motif A, A again over the next chords, a contrasting B,
// and A returning with a cadence on the tonic.
std::vector<MelodyNote> Melody(const Song& s, int bar, double busy, int low, int high) {
  std::vector<int> a = Rhythm(busy), b = Rhythm(busy * 0.7);
  std::vector<int> shape;
  std::vector<MelodyNote> all, part;
  int mid = (low + high) / 2;
  part = Phrase(s, a, bar, s.NearestChordTone(mid, bar), low, high, nullptr, &shape);
  all.insert(all.end(), part.begin(), part.end());
  part = Phrase(s, a, bar + 2, s.NearestChordTone(mid + 2, bar + 2), low, high, &shape, nullptr);
  all.insert(all.end(), part.begin(), part.end());
  part = Phrase(s, b, bar + 4, s.NearestChordTone(mid + 3, bar + 4), low, high, nullptr, nullptr);
  all.insert(all.end(), part.begin(), part.end());
  part = Phrase(s, a, bar + 6, s.NearestChordTone(mid, bar + 6), low, high, &shape, nullptr);
  if (!part.empty()) {
    int len = static_cast<int>(s.scale.size());
    int t = part.back().degree;
    int tonicDeg = static_cast<int>(std::lround(static_cast<double>(t) / len)) * len;
    part.back().degree = tonicDeg;
  }
  all.insert(all.end(), part.begin(), part.end());
  return all;
}

template <typename F>
void PlayMelody(const Song& s, const std::vector<MelodyNote>& notes, int octave, F&& play) {
  for (const MelodyNote& n : notes) {
    double at = s.Time(n.bar, n.start);
    double end = s.Time(n.bar, n.start + n.length);
    play(at, end - at, NoteHz(s.Note(n.degree, octave)));
  }
}

// Chord tones of a bar as MIDI notes, voiced around `octave` octaves from the tonic.
std::vector<int> ChordNotes(const Song& s, int bar, int octave) {
  int root = s.ChordRoot(bar);
  return {s.Note(root, octave), s.Note(root + 2, octave), s.Note(root + 4, octave)};
}

// --- the seven tracks ---------------------------------------------------------

const std::vector<int> MAJOR = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> MINOR = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> DORIAN = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> PHRYGIAN_DOMINANT = {0, 1, 4, 5, 7, 8, 10};

// Forest: pastoral. G major, fingerpicked guitar, a flute tune, soft strings.
Song Forest() {
  Song s(92, 20, 67, MAJOR, {0, 4, 5, 3, 0, 3, 4, 0}, 0);
  for (int bar = 0; bar < s.bars; ++bar) {
    auto chord = ChordNotes(s, bar, -1);
    for (int note : chord)
      Pad(s.mix, {s.Time(bar, 0), s.step * 16, NoteHz(note), 0.05, 0, 0.5f}, 1200, 0.6, 0.8);
    const int order[8] = {0, 2, 1, 2, 0, 2, 1, 2};
    for (int k = 0; k < 8; ++k) {
      int note = k == 0 ? chord[0] - 12 : chord[order[k]] + (k % 2 ? 12 : 0);
      Pluck(s.mix, {s.Time(bar, k * 2), s.step * 2, NoteHz(note), 0.32, -0.35f, 0.3f}, 0.35, 0.8, 2.5);
    }
    Bass(s.mix, {s.Time(bar, 0), s.step * 7, NoteHz(s.Note(s.ChordRoot(bar), -2)), 0.35, 0, 0.05f}, 0);
    Bass(s.mix, {s.Time(bar, 8), s.step * 7, NoteHz(s.Note(s.ChordRoot(bar) + 4, -2)), 0.3, 0, 0.05f}, 0);
  }
  for (int start : {4, 12}) {
    auto mel = Melody(s, start, 0.35, -1, 9);
    PlayMelody(s, mel, 0, [&](double at, double dur, double hz) {
      Flute(s.mix, {at, dur, hz, 0.22, 0.25f, 0.35f}, 0.006, 0.05);
    });
  }
  Drums(s, SHAKER, "x.o.x.o.x.o.x.o.", 4, s.bars, 0.12, 0.4f);
  Drums(s, KICK, "x.......x.......", 4, s.bars, 0.35, 0);
  Drums(s, RIM, "............x...", 8, s.bars, 0.12, -0.3f);
  return s;
}

// City: funky and urban. E dorian, slap bass, electric piano stabs, square lead.
Song City() {
  Song s(104, 20, 64, DORIAN, {0, 0, 3, 3, 0, 0, 5, 4}, 0.12);
  const int bassLine[16] = {0, -1, -1, 0, -1, -1, 7, -1, 0, -1, 3, -1, 4, -1, 6, -1};
  for (int bar = 0; bar < s.bars; ++bar) {
    int root = s.ChordRoot(bar);
    for (int k = 0; k < 16; ++k) {
      if (bassLine[k] < 0) continue;
      double len = (k == 0 || k == 6) ? 2.5 : 1.5;
      Bass(s.mix, {s.Time(bar, k), s.step * len, NoteHz(s.Note(root + bassLine[k], -2)), 0.4, 0, 0.02f}, 0.6);
    }
    auto chord = ChordNotes(s, bar, -1);
    chord.push_back(s.Note(root + 6, -1)); // the seventh gives the stabs their colour
    for (int hit : {2, 7, 10, 14}) {
      for (int note : chord)
        EPiano(s.mix, {s.Time(bar, hit), s.step * (hit == 7 ? 2.5 : 1.5), NoteHz(note), 0.07, -0.3f, 0.25f});
    }
    if (bar % 4 == 0)
      for (int note : chord)
        Pad(s.mix, {s.Time(bar, 0), s.step * 64, NoteHz(note), 0.025, 0.3f, 0.5f}, 900, 1.0, 1.0);
  }
  for (int start : {4, 12}) {
    auto mel = Melody(s, start, 0.75, 0, 9);
    PlayMelody(s, mel, 0, [&](double at, double dur, double hz) {
      Lead(s.mix, {at, dur, hz, 0.13, 0.2f, 0.3f}, true, 2600, 0.004, 0.01);
    });
  }
  Drums(s, KICK, "x.....x...x..x..", 0, s.bars, 0.6, 0);
  Drums(s, SNARE, "....x..o....x...", 4, s.bars, 0.35, 0.05f);
  Drums(s, CLAP, "....x.......x...", 4, s.bars, 0.18, -0.1f);
  Drums(s, HAT, "xoxoxoxoxoxoxoxo", 0, s.bars, 0.16, 0.35f);
  Drums(s, OPENHAT, "..............x.", 4, s.bars, 0.12, 0.35f);
  return s;
}

// Desert: exotic. D phrygian dominant, oud plucks over a drone, a reedy ney,
// hand drums in the maqsum rhythm and a tambourine.
Song Desert() {
  Song s(96, 20, 62, PHRYGIAN_DOMINANT, {0, 0, 1, 0, 0, 6, 1, 0}, 0.05);
  for (int bar = 0; bar < s.bars; bar += 2) {
    Pad(s.mix, {s.Time(bar, 0), s.step * 32, NoteHz(s.Note(0, -2)), 0.08, 0, 0.4f}, 600, 0.8, 0.8);
    Pad(s.mix, {s.Time(bar, 0), s.step * 32, NoteHz(s.Note(4, -2)), 0.05, 0, 0.4f}, 600, 0.8, 0.8);
  }
  const int oud[16] = {0, -9, 4, -9, 2, 4, -9, 7, 0, -9, 4, 2, -9, 1, 0, -9};
  for (int bar = 0; bar < s.bars; ++bar) {
    int root = s.ChordRoot(bar);
    for (int k = 0; k < 16; ++k) {
      if (oud[k] == -9) continue;
      int deg = (k % 8 == 0) ? root : oud[k];
      Pluck(s.mix, {s.Time(bar, k), s.step * 1.5, NoteHz(s.Note(deg, -1)), 0.22, -0.3f, 0.25f}, 0.8, 0.4,
            1.2);
    }
    Bass(s.mix, {s.Time(bar, 0), s.step * 3, NoteHz(s.Note(root, -2)), 0.35, 0, 0.05f}, 0.2);
    Bass(s.mix, {s.Time(bar, 6), s.step * 2, NoteHz(s.Note(root, -2)), 0.25, 0, 0.05f}, 0.2);
  }
  for (int start : {4, 12}) {
    auto mel = Melody(s, start, 0.5, -2, 8);
    PlayMelody(s, mel, 0, [&](double at, double dur, double hz) {
      Flute(s.mix, {at, dur, hz, 0.2, 0.25f, 0.4f}, 0.012, 0.12);
      Lead(s.mix, {at, dur, hz, 0.05, 0.25f, 0.3f}, true, 1800, 0.01, 0.04);
    });
  }
  Drums(s, DUM, "x.....x.x.......", 0, s.bars, 0.55, -0.1f);
  Drums(s, TEK, "..x.......x.x.o.", 0, s.bars, 0.35, 0.15f);
  Drums(s, TAMBOURINE, "x.o.x.o.x.o.x.o.", 4, s.bars, 0.12, 0.4f);
  return s;
}

// Beach: relaxed. F major, marimba tune, off-beat guitar chops, a round bass,
// shaker and rim clicks.
Song Beach() {
  Song s(88, 20, 65, MAJOR, {0, 5, 1, 4}, 0.18);
  for (int bar = 0; bar < s.bars; ++bar) {
    int root = s.ChordRoot(bar);
    auto chord = ChordNotes(s, bar, -1);
    for (int chop : {4, 12})
      for (int note : chord)
        Pluck(s.mix, {s.Time(bar, chop), s.step * 1.2, NoteHz(note + 12), 0.12, 0.3f, 0.3f}, 0.6, 0.1, 1.0);
    Bass(s.mix, {s.Time(bar, 0), s.step * 5, NoteHz(s.Note(root, -2)), 0.4, 0, 0.05f}, 0);
    Bass(s.mix, {s.Time(bar, 6), s.step * 2, NoteHz(s.Note(root + 4, -2)), 0.3, 0, 0.05f}, 0);
    Bass(s.mix, {s.Time(bar, 10), s.step * 4, NoteHz(s.Note(root, -1)), 0.28, 0, 0.05f}, 0);
    for (int note : chord)
      Pad(s.mix, {s.Time(bar, 0), s.step * 16, NoteHz(note), 0.03, -0.2f, 0.5f}, 1000, 0.5, 0.6);
  }
  for (int start : {4, 12}) {
    auto mel = Melody(s, start, 0.45, 0, 9);
    PlayMelody(s, mel, 0, [&](double at, double dur, double hz) {
      Mallet(s.mix, {at, dur, hz, 0.3, -0.15f, 0.35f}, 0.3, 0.35);
      if (dur > s.step * 3) Mallet(s.mix, {at + s.step, dur, hz, 0.12, -0.15f, 0.35f}, 0.3, 0.3);
    });
  }
  Drums(s, SHAKER, "xoxoxoxoxoxoxoxo", 0, s.bars, 0.12, 0.35f);
  Drums(s, KICK, "x.........x.....", 4, s.bars, 0.45, 0);
  Drums(s, RIM, "........x.......", 4, s.bars, 0.2, -0.2f);
  return s;
}

// Mountain: epic and airy. A minor, wide strings, a horn melody, timpani and
// high celesta sparkles.
Song Mountain() {
  Song s(76, 20, 69, MINOR, {0, 5, 2, 6}, 0);
  for (int bar = 0; bar < s.bars; ++bar) {
    auto chord = ChordNotes(s, bar, -1);
    for (int note : chord) {
      Pad(s.mix, {s.Time(bar, 0), s.step * 16, NoteHz(note), 0.07, -0.4f, 0.6f}, 1500, 0.4, 0.6);
      Pad(s.mix, {s.Time(bar, 0), s.step * 16, NoteHz(note + 12), 0.035, 0.4f, 0.6f}, 2200, 0.6, 0.6);
    }
    int root = s.ChordRoot(bar);
    Bass(s.mix, {s.Time(bar, 0), s.step * 15, NoteHz(s.Note(root, -2)), 0.35, 0, 0.1f}, 0.15);
    for (int k = 0; k < 16; k += 2) {
      static const int Climb[8] = {0, 1, 2, 1, 0, 2, 1, 2};
      int tone = Climb[k / 2];
      Mallet(s.mix, {s.Time(bar, k), s.step, NoteHz(chord[tone] + 24), bar < 4 ? 0.04 : 0.06, 0.5f, 0.6f}, 1,
             0.5);
    }
  }
  for (int start : {4, 12}) {
    auto mel = Melody(s, start, 0.2, -1, 8);
    PlayMelody(s, mel, 0, [&](double at, double dur, double hz) {
      Lead(s.mix, {at, dur, hz / 2, 0.18, 0, 0.45f}, false, 1400, 0.005, 0.06);
      Lead(s.mix, {at, dur, hz, 0.06, 0.1f, 0.5f}, false, 2000, 0.005, 0.08);
    });
  }
  Drums(s, TOM, "x.......x.x.....", 0, s.bars, 0.55, 0);
  Drums(s, TOM, "x...............", 4, s.bars, 0.3, -0.3f);
  Drums(s, SNARE, "............o.o.", 8, s.bars, 0.2, 0.1f);
  return s;
}

// Title: catchy and bright. C major, a bell-and-square lead, sparkling
// arpeggios, a pulsing bass and a steady beat.
Song Title() {
  Song s(116, 24, 72, MAJOR, {0, 4, 5, 3}, 0);
  for (int bar = 0; bar < s.bars; ++bar) {
    int root = s.ChordRoot(bar);
    auto chord = ChordNotes(s, bar, -1);
    for (int k = 0; k < 16; ++k) {
      int note = chord[k % 3] + (k % 6 >= 3 ? 12 : 0);
      Pluck(s.mix, {s.Time(bar, k), s.step, NoteHz(note), 0.1, (k % 2) ? 0.4f : -0.4f, 0.3f}, 0.7, 0.15, 1.0);
    }
    for (int k = 0; k < 16; k += 2)
      Bass(s.mix,
           {s.Time(bar, k), s.step * 1.6, NoteHz(s.Note(root, -2) + (k % 4 == 2 ? 12 : 0)), 0.3, 0, 0.02f},
           0.4);
    for (int note : chord)
      Pad(s.mix, {s.Time(bar, 0), s.step * 16, NoteHz(note), 0.025, 0, 0.5f}, 1500, 0.2, 0.4);
  }
  // The catchy part: one tune played twice, the second time with a high
  // bell doubling it an octave up.
  auto mel = Melody(s, 4, 0.55, -2, 8);
  auto again = mel;
  for (auto& n : again) n.bar += 8;
  for (const auto* tune : {&mel, &again}) {
    PlayMelody(s, *tune, 0, [&](double at, double dur, double hz) {
      Mallet(s.mix, {at, dur, hz, 0.22, 0.15f, 0.35f}, 0.8, 0.4);
      Lead(s.mix, {at, dur, hz, 0.07, -0.15f, 0.3f}, true, 3000, 0.003, 0.005);
    });
  }
  PlayMelody(s, again, 1, [&](double at, double dur, double hz) {
    Mallet(s.mix, {at, dur, hz, 0.1, 0.3f, 0.4f}, 1, 0.35);
  });
  // A lighter answer in the last bars leads back to the start.
  auto answer = Melody(s, 16, 0.4, 0, 9);
  PlayMelody(s, answer, 0, [&](double at, double dur, double hz) {
    Mallet(s.mix, {at, dur, hz, 0.2, -0.1f, 0.35f}, 0.6, 0.35);
  });
  Drums(s, KICK, "x...x...x...x...", 4, s.bars, 0.55, 0);
  Drums(s, SNARE, "....x.......x...", 4, s.bars, 0.35, 0.05f);
  Drums(s, HAT, "..x...x...x...x.", 0, s.bars, 0.16, 0.3f);
  Drums(s, SHAKER, "oxoxoxoxoxoxoxox", 4, s.bars, 0.06, -0.3f);
  return s;
}

// Map: calm and adventurous. D dorian, harp arpeggios, a gentle flute,
// soft pads and a walking hand drum.
Song Map() {
  Song s(84, 16, 62, DORIAN, {0, 3, 0, 6, 0, 3, 4, 6}, 0.1);
  for (int bar = 0; bar < s.bars; ++bar) {
    int root = s.ChordRoot(bar);
    auto chord = ChordNotes(s, bar, 0);
    const int up[8] = {0, 1, 2, 3, 4, 3, 2, 1};
    for (int k = 0; k < 8; ++k) {
      int idx = up[k];
      int note = chord[idx % 3] + 12 * (idx / 3) - 12;
      Pluck(s.mix, {s.Time(bar, k * 2), s.step * 2, NoteHz(note), 0.2, 0.3f, 0.4f}, 0.3, 1.0, 3.0);
    }
    for (int note : ChordNotes(s, bar, -1))
      Pad(s.mix, {s.Time(bar, 0), s.step * 16, NoteHz(note), 0.04, -0.3f, 0.5f}, 900, 0.5, 0.7);
    Bass(s.mix, {s.Time(bar, 0), s.step * 10, NoteHz(s.Note(root, -2)), 0.32, 0, 0.05f}, 0);
    Bass(s.mix, {s.Time(bar, 12), s.step * 3, NoteHz(s.Note(root + 4, -2)), 0.22, 0, 0.05f}, 0);
  }
  auto mel = Melody(s, 4, 0.3, -1, 8);
  PlayMelody(s, mel, 0, [&](double at, double dur, double hz) {
    Flute(s.mix, {at, dur, hz, 0.2, -0.1f, 0.45f}, 0.007, 0.06);
  });
  auto answer = Melody(s, 12, 0.3, 1, 10); // runs on over the loop point into the intro
  PlayMelody(s, answer, 0, [&](double at, double dur, double hz) {
    Flute(s.mix, {at, dur, hz, 0.18, 0.1f, 0.45f}, 0.007, 0.06);
  });
  Drums(s, DUM, "x.....x...x.....", 0, s.bars, 0.3, -0.1f);
  Drums(s, TEK, "....o.......o..o", 4, s.bars, 0.15, 0.2f);
  Drums(s, SHAKER, "x.o.x.o.x.o.x.o.", 4, s.bars, 0.07, 0.4f);
  return s;
}

// --- mastering and encoding ---------------------------------------------------

// A small stereo reverb (parallel damped combs into series all-passes). It is
// run over the loop twice and only the second pass kept, so the tail of the
// end of the loop already rings into its start.
void AddReverb(Mix& m, float wet) {
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
  const size_t combLen[4] = {1557, 1617, 1491, 1422}, apLen[2] = {556, 441};
  for (int ch = 0; ch < 2; ++ch) {
    std::vector<float>& send = ch ? m.sendR : m.sendL;
    std::vector<float>& out = ch ? m.r : m.l;
    size_t spread = ch ? 23 : 0;
    Comb combs[4];
    AllPass aps[2];
    for (int k = 0; k < 4; ++k) combs[k].buf.assign(combLen[k] + spread, 0.0f);
    for (int k = 0; k < 2; ++k) aps[k].buf.assign(apLen[k] + spread, 0.0f);
    for (size_t i = 0; i < 2 * m.n; ++i) {
      float x = send[i % m.n] * 0.015f;
      float y = 0;
      for (Comb& c : combs) y += c.Run(x, 0.84f, 0.25f);
      for (AllPass& a : aps) y = a.Run(y);
      if (i >= m.n) out[i - m.n] += y * wet;
    }
  }
}

// Brings the loudest peak just under full scale with a soft knee, so the
// tracks sit at a similar loudness under the effects.
void Master(Mix& m) {
  float peak = 0;
  for (size_t i = 0; i < m.n; ++i) peak = std::max({peak, std::fabs(m.l[i]), std::fabs(m.r[i])});
  if (peak <= 0) return;
  const float drive = 1.6f, norm = std::tanh(drive);
  for (size_t i = 0; i < m.n; ++i) {
    m.l[i] = 0.72f * std::tanh(drive * m.l[i] / peak) / norm;
    m.r[i] = 0.72f * std::tanh(drive * m.r[i] / peak) / norm;
  }
}

bool EncodeVorbis(const Mix& m, int serial, const char* title, std::vector<uint8_t>& out) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, RATE, 0.3f) != 0) {
    vorbis_info_clear(&vi);
    return false;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", title);
  vorbis_comment_add_tag(&vc, "ARTIST", "Quorbels");
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, serial);
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  auto emit = [&](const ogg_page& p) {
    out.insert(out.end(), p.header, p.header + p.header_len);
    out.insert(out.end(), p.body, p.body + p.body_len);
  };
  while (ogg_stream_flush(&os, &page)) emit(page);

  size_t pos = 0;
  bool eos = false;
  while (!eos) {
    const size_t chunk = 4096;
    size_t count = std::min(chunk, m.n - pos);
    if (count == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(count));
      std::memcpy(buffer[0], m.l.data() + pos, count * sizeof(float));
      std::memcpy(buffer[1], m.r.data() + pos, count * sizeof(float));
      vorbis_analysis_wrote(&vd, static_cast<int>(count));
      pos += count;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page)) {
          emit(page);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return true;
}

} // namespace

bool WriteMusic(const std::string& dataDir) {
  struct Track {
    Song (*compose)();
    const char* title;
    float reverb;
  };
  // In the order of the music catalogue (track number - 1).
  const Track tracks[MUSIC_COUNT] = {
      {Forest, "Forest", 0.35f}, {City, "City", 0.2f},         {Desert, "Desert", 0.35f},
      {Beach, "Beach", 0.3f},    {Mountain, "Mountain", 0.5f}, {Title, "Title", 0.25f},
      {Map, "Map", 0.4f},
  };
  for (int t = 0; t < MUSIC_COUNT; ++t) {
    SeedRandom(7000 + 31 * t);
    Song song = tracks[t].compose();
    AddReverb(song.mix, tracks[t].reverb);
    Master(song.mix);
    std::vector<uint8_t> bytes;
    std::string path = dataDir + "music/" + MusicFiles[t];
    if (!EncodeVorbis(song.mix, 0x51000 + t, tracks[t].title, bytes)) {
      std::fprintf(stderr, "datagen: %s: the Vorbis encoder refused its settings\n", path.c_str());
      return false;
    }
    if (!WriteDataFile(path, bytes)) return false;
  }
  return true;
}
