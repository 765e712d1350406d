// The 28 sound effects, synthesised from oscillators, noise, filters and
// envelopes, written as 16-bit mono PCM WAV files at 44100 Hz. Each effect is
// shaped for its moment in the game: soft ticks for aiming and hovering, thuds
// and clanks for the anchor and the boxes, bells and fanfares for rewards.
//
// Every one-shot rings out on its own decay (bells are damped, as by a hand,
// rather than cut) and ends in silence; the warning loop is built from whole
// periods so it repeats seamlessly. The pitched rewards use only D, G and A,
// the notes every track's key has in common (G and D major, E and D dorian,
// D phrygian dominant, F and C major), so they never rub against the music.
// Peaks stay low enough that an effect over any track at the game's default
// volumes never clips the mix. The coin and the potion gulp last under 50 ms:
// the game repeats them every 10 to 20 ms, and a sound that is over before its
// channel is needed again never gets cut off mid-wave.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "assets/sound.h"
#include "core/binio.h"
#include "datagen.h"
#include "synth.h"

using namespace synth;

namespace {

using Samples = std::vector<float>;

Samples Make(double seconds) {
  return Samples(static_cast<size_t>(seconds * RATE + 0.5), 0.0f);
}
double T(size_t i) {
  return static_cast<double>(i) / RATE;
}

// Adds a sine whose frequency follows `hz(t)` with amplitude `amp(t)`.
void AddTone(Samples& s, double start, const std::function<double(double)>& hz,
             const std::function<double(double)>& amp) {
  double phase = 0;
  for (size_t i = static_cast<size_t>(start * RATE); i < s.size(); ++i) {
    double t = T(i) - start;
    s[i] += static_cast<float>(std::sin(TAU * phase) * amp(t));
    phase += hz(t) / RATE;
  }
}

// A struck bell or chime: inharmonic partials, the high ones dying first.
void AddBell(Samples& s, double start, double hz, double gain, double length) {
  static const double Ratio[] = {1.0, 2.0, 2.76, 4.07, 5.43, 6.8};
  static const double Level[] = {1.0, 0.55, 0.4, 0.25, 0.18, 0.1};
  for (int k = 0; k < 6; ++k) {
    double tau = length / (1 + k * 0.9);
    AddTone(
        s, start, [=](double) { return hz * Ratio[k]; },
        [=](double t) { return gain * Level[k] * Attack(t, 0.002) * Decay(t, tau); });
  }
}

// A soft mallet note: fundamental with a little octave, quick decay.
void AddMallet(Samples& s, double start, double hz, double gain, double tau) {
  AddTone(
      s, start, [=](double) { return hz; },
      [=](double t) { return gain * Attack(t, 0.003) * Decay(t, tau); });
  AddTone(
      s, start, [=](double) { return hz * 4; },
      [=](double t) { return gain * 0.2 * Attack(t, 0.002) * Decay(t, tau * 0.25); });
}

// A brassy note: harmonics 1..10 whose brightness swells with the attack.
void AddBrass(Samples& s, double start, double hz, double gain, double length, double vibrato) {
  for (int k = 1; k <= 10; ++k) {
    AddTone(
        s, start,
        [=](double t) { return hz * k * (1 + vibrato * std::sin(TAU * 5.5 * t) * Attack(t - 0.2, 0.2)); },
        [=](double t) {
          if (t > length) return 0.0;
          double bright = 0.35 + 0.65 * Attack(t, 0.06);
          double env = Attack(t, 0.02) * (t > length - 0.15 ? (length - t) / 0.15 : 1.0);
          return gain * env * std::pow(bright, k - 1) / k;
        });
  }
}

// A low thump, as of a box landing on wood.
void AddThud(Samples& s, double start, double hz, double gain) {
  AddTone(
      s, start, [=](double t) { return hz + 2 * hz * Decay(t, 0.025); },
      [=](double t) { return gain * Attack(t, 0.001) * Decay(t, 0.08); });
  OnePole lp;
  for (size_t i = static_cast<size_t>(start * RATE); i < s.size(); ++i) {
    double t = T(i) - start;
    s[i] += static_cast<float>(lp.Low(Noise(), 900) * gain * 1.2 * Decay(t, 0.02));
  }
}

// Noise through a band-pass whose centre follows `hz(t)`.
void AddNoiseBand(Samples& s, double start, double q, const std::function<double(double)>& hz,
                  const std::function<double(double)>& amp) {
  Biquad f;
  for (size_t i = static_cast<size_t>(start * RATE); i < s.size(); ++i) {
    double t = T(i) - start;
    f.Set(Biquad::BandPass, hz(t), q);
    s[i] += static_cast<float>(f.Run(Noise()) * amp(t));
  }
}

// The notes the pitched effects use (MIDI numbers of D, G and A).
constexpr int D4 = 62, G4 = 67, A4 = 69, D5 = 74, G5 = 79, A5 = 81, D6 = 86, G6 = 91, A6 = 93, D7 = 98,
              G7 = 103, A7 = 105;

// Fades the last `seconds` out along a raised cosine: a hand damping the ring,
// slow enough to sound natural, so a long decay ends in silence, not a cut.
void Damp(Samples& s, double seconds) {
  size_t n = std::min(s.size(), static_cast<size_t>(seconds * RATE));
  for (size_t i = 0; i < n; ++i) {
    double x = static_cast<double>(i) / static_cast<double>(n); // 0 at the end, 1 where damping starts
    s[s.size() - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(PI * x));
  }
}

// Scales to the wanted peak and fades the first `fadeIn` seconds in, so the
// onset never clicks; then the silence after the sound has died away is cut,
// leaving 20 ms after the last sample louder than -60 dBFS (faded out as well,
// though nothing audible is left in it).
void Finish(Samples& s, double peak, double fadeIn = 0.002) {
  float m = 0;
  for (float v : s) m = std::max(m, std::fabs(v));
  if (m > 0)
    for (float& v : s) v = static_cast<float>(v * peak / m);
  size_t in = static_cast<size_t>(fadeIn * RATE);
  for (size_t i = 0; i < in && i < s.size(); ++i) s[i] *= static_cast<float>(i) / in;
  size_t last = 0;
  for (size_t i = 0; i < s.size(); ++i)
    if (std::fabs(s[i]) > 0.001f) last = i;
  const size_t tail = static_cast<size_t>(0.02 * RATE);
  s.resize(std::min(s.size(), last + 1 + tail));
  for (size_t i = 0; i < tail && i < s.size(); ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / tail;
}

// A sparkle: a few short bell pings at random moments, each on D, G or A high up.
void AddSparkles(Samples& s, double from, double spacing, int count, double gain) {
  static const int Pitches[] = {D7, G7, A7, A6, D7, G6};
  for (int p = 0; p < count; ++p) {
    double hz = NoteHz(Pitches[Random(6)]);
    AddTone(
        s, from + p * spacing, [=](double) { return hz; },
        [=](double t) { return gain * Attack(t, 0.002) * Decay(t, 0.05); });
  }
}

// --- the effects ---------------------------------------------------------------

Samples Dreher() { // the stones turn: a quick airy whoosh
  Samples s = Make(0.35);
  AddNoiseBand(
      s, 0, 2.5, [](double t) { return 700 + 2600 * std::sin(PI * std::min(t / 0.3, 1.0)); },
      [](double t) { return t < 0.3 ? std::pow(std::sin(PI * t / 0.3), 1.5) : 0.0; });
  AddTone(
      s, 0, [](double t) { return 380 + 700 * t / 0.3; }, [](double t) { return 0.04 * Window(t, 0, 0.3); });
  Finish(s, 0.36);
  return s;
}

// A drop reaches the potion: one bubbly gulp, a sine bending upwards inside a
// 24 ms swell, so it is over long before the next drop can ask for it again.
Samples Trankup() {
  Samples s = Make(0.045);
  AddTone(
      s, 0, [](double t) { return 420 * std::exp(t * 38); },
      [](double t) { return t < 0.024 ? std::pow(std::sin(PI * t / 0.024), 2) : 0.0; });
  AddTone(
      s, 0, [](double t) { return 840 * std::exp(t * 38); },
      [](double t) { return t < 0.016 ? 0.25 * std::pow(std::sin(PI * t / 0.016), 2) : 0.0; });
  Finish(s, 0.32, 0.001);
  return s;
}

Samples Anker() { // the anchor grabs: a metallic clank
  Samples s = Make(0.9);
  const double hz[] = {523, 1247, 1889, 2711, 3450};
  const double lv[] = {1, 0.7, 0.5, 0.35, 0.2};
  for (int k = 0; k < 5; ++k)
    AddTone(
        s, 0, [=](double) { return hz[k]; },
        [=](double t) { return lv[k] * Attack(t, 0.001) * Decay(t, 0.16 / (1 + k * 0.6)); });
  AddTone(
      s, 0, [](double t) { return 150 + 200 * Decay(t, 0.01); },
      [](double t) { return 0.8 * Attack(t, 0.001) * Decay(t, 0.05); });
  AddNoiseBand(
      s, 0, 1.0, [](double) { return 4000; }, [](double t) { return 1.5 * Decay(t, 0.006); });
  Damp(s, 0.25);
  Finish(s, 0.42);
  return s;
}

Samples Box() { // a stone lands without clearing a line: a wooden thud
  Samples s = Make(0.6);
  AddThud(s, 0, 60, 1.0);
  AddTone(
      s, 0, [](double) { return 420; }, [](double t) { return 0.3 * Attack(t, 0.001) * Decay(t, 0.03); });
  Damp(s, 0.15);
  Finish(s, 0.5);
  return s;
}

Samples Aim() { // the clamp moves to another box: a tiny tick
  Samples s = Make(0.08);
  AddTone(
      s, 0, [](double) { return 2200; }, [](double t) { return Attack(t, 0.001) * Decay(t, 0.006); });
  AddTone(
      s, 0, [](double) { return 3300; }, [](double t) { return 0.3 * Attack(t, 0.001) * Decay(t, 0.004); });
  Finish(s, 0.18, 0.001);
  return s;
}

Samples Change() { // the anchor steps to another column: a light click
  Samples s = Make(0.08);
  AddTone(
      s, 0, [](double t) { return 1500 - 4000 * std::min(t, 0.03); },
      [](double t) { return Attack(t, 0.001) * Decay(t, 0.005); });
  AddNoiseBand(
      s, 0, 1.5, [](double) { return 3000; }, [](double t) { return 0.8 * Decay(t, 0.003); });
  Finish(s, 0.21, 0.001);
  return s;
}

Samples Tube() { // a tube row is cleared: a hollow pop and a rush of air
  Samples s = Make(1.0);
  for (int k = 1; k <= 3; ++k)
    AddTone(
        s, 0, [=](double t) { return k * 700 * std::exp(-t * 2.2); },
        [=](double t) { return Attack(t, 0.004) * Decay(t, 0.14) / k; });
  AddNoiseBand(
      s, 0, 1.2, [](double t) { return 2500 - 1800 * std::min(t, 1.0); },
      [](double t) { return 0.6 * Decay(t, 0.1); });
  Damp(s, 0.2);
  Finish(s, 0.42);
  return s;
}

Samples Line() { // a line is cleared: a bright sweep rising to A, with sparkles
  Samples s = Make(0.9);
  for (int k = 1; k <= 3; k += 2)
    AddTone(
        s, 0,
        [=](double t) {
          return k * NoteHz(A5) * std::pow(2.0, std::min(t / 0.25, 1.0));
        }, // up an octave to A
        [=](double t) { return Attack(t, 0.01) * Decay(t, 0.1) / (k * k); });
  AddSparkles(s, 0.04, 0.03, 14, 0.25);
  Damp(s, 0.25);
  Finish(s, 0.42);
  return s;
}

Samples Bomb() { // a bomb blows its hole: boom, rumble and crackle
  Samples s = Make(2.0);
  OnePole lp, lp2;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = T(i);
    double cutoff = 300 + 5700 * Decay(t, 0.12);
    double n = lp2.Low(lp.Low(Noise(), cutoff), cutoff);
    s[i] += static_cast<float>(2.2 * n * Attack(t, 0.002) * Decay(t, 0.3));
    if (t < 0.6 && Random(1000) < 6) s[i] += static_cast<float>(0.5 * Noise() * (1 - t / 0.6));
  }
  AddTone(
      s, 0, [](double t) { return 35 + 45 * Decay(t, 0.15); },
      [](double t) { return 0.9 * Attack(t, 0.003) * Decay(t, 0.35); });
  for (float& v : s) v = std::tanh(v * 1.5f);
  Damp(s, 0.6);
  Finish(s, 0.59);
  return s;
}

Samples Linefall() { // rows drop down: a tumble of soft thuds
  Samples s = Make(0.7);
  for (int k = 0; k < 3; ++k) AddThud(s, k * 0.09, 85 - k * 12, 1.0 - k * 0.2);
  OnePole lp;
  for (size_t i = 0; i < s.size(); ++i)
    s[i] += static_cast<float>(lp.Low(Noise(), 300) * 0.6 * Window(T(i), 0, 0.45));
  Damp(s, 0.15);
  Finish(s, 0.42);
  return s;
}

Samples Mline() { // several lines at once: a little brass fanfare in open fourths
  Samples s = Make(1.3);
  const int notes[] = {D5, G5, A5, D6};
  for (int k = 0; k < 4; ++k) AddBrass(s, k * 0.08, NoteHz(notes[k]), 0.3, 1.0 - k * 0.08, 0.006);
  Finish(s, 0.49);
  return s;
}

// The warning heard while the potion is almost empty: a heartbeat with a
// tense high pulse on A. Exactly 0.6 s long, and every frequency completes a
// whole number of cycles in it (multiples of 5/3 Hz), so the loop point is
// seamless.
Samples Stone() {
  const size_t n = static_cast<size_t>(0.6 * RATE);
  Samples s(n, 0.0f);
  for (size_t i = 0; i < n; ++i) {
    double t = T(i);
    double beat =
        std::sin(TAU * 55 * t) * Window(t, 0.02, 0.12) + 0.8 * std::sin(TAU * 45 * t) * Window(t, 0.18, 0.12);
    double tension = (std::sin(TAU * 880 * t) + 0.3 * std::sin(TAU * 1760 * t)) * 0.25 * Window(t, 0.34, 0.2);
    double drone = 0.12 * std::sin(TAU * 110 * t) * (0.6 + 0.4 * std::cos(TAU * t / 0.3));
    s[i] = static_cast<float>(beat + tension + drone);
  }
  float m = 0;
  for (float v : s) m = std::max(m, std::fabs(v));
  for (float& v : s) v = v * 0.49f / m;
  return s;
}

Samples Dc() { // a click in the dream editor: a soft pop
  Samples s = Make(0.08);
  AddTone(
      s, 0, [](double t) { return 1200 - 6000 * std::min(t, 0.15); },
      [](double t) { return Attack(t, 0.001) * Decay(t, 0.008); });
  Finish(s, 0.25, 0.001);
  return s;
}

Samples Buzz() { // game over: a buzzy, sinking "wah wah wah waaah"
  Samples s = Make(1.9);
  const double notes[] = {55, 54, 53, 52};
  const double at[] = {0, 0.3, 0.6, 0.9};
  const double len[] = {0.28, 0.28, 0.28, 0.95};
  for (int k = 0; k < 4; ++k) {
    double hz = NoteHz(notes[k]), l = len[k];
    bool last = k == 3;
    for (int h = 1; h <= 12; ++h)
      AddTone(
          s, at[k],
          [=](double t) { return h * hz * (1 + (last ? 0.012 * std::sin(TAU * 6 * t) - 0.03 * t : 0)); },
          [=](double t) {
            if (t > l) return 0.0;
            return 0.3 / h * Attack(t, 0.03) * std::min(1.0, (l - t) / 0.08) * (h % 2 ? 1.0 : 0.6);
          });
  }
  OnePole lp;
  for (float& v : s) v = lp.Low(v, 2200);
  Finish(s, 0.5);
  return s;
}

Samples Hit() { // the potion refills: an impact and a shimmer rising two octaves to A
  Samples s = Make(1.2);
  AddThud(s, 0, 70, 0.8);
  for (int k = 0; k < 4; ++k) {
    double detune = 1 + k * 0.004;
    AddTone(
        s, 0.02,
        [=](double t) { return detune * NoteHz(A4) * std::pow(4.0, std::min(t / 0.5, 1.0)); }, // A to A
        [](double t) { return 0.18 * Attack(t, 0.05) * Decay(t, 0.2); });
  }
  AddSparkles(s, 0.1, 0.05, 10, 0.12);
  Damp(s, 0.3);
  Finish(s, 0.49);
  return s;
}

Samples Mover() { // the pointer moves onto a button: a whisper of a blip on G
  Samples s = Make(0.07);
  AddTone(
      s, 0, [](double) { return NoteHz(G6); }, [](double t) { return Window(t, 0, 0.035); });
  Finish(s, 0.15, 0.001);
  return s;
}

Samples Select() { // a button is clicked: two quick blips rising a fourth, A to D
  Samples s = Make(0.15);
  for (int k = 0; k < 2; ++k) {
    double hz = NoteHz(k ? D6 : A5);
    AddTone(
        s, k * 0.05, [=](double) { return hz; }, [](double t) { return Window(t, 0, 0.06); });
    AddTone(
        s, k * 0.05, [=](double) { return hz * 3; }, [](double t) { return 0.1 * Window(t, 0, 0.06); });
  }
  Finish(s, 0.32, 0.001);
  return s;
}

Samples Win() { // level cleared: a bright run landing on a ringing open chord
  Samples s = Make(2.0);
  const int run[] = {D5, G5, A5, D6};
  for (int k = 0; k < 4; ++k) AddMallet(s, k * 0.11, NoteHz(run[k]), 0.5, 0.25);
  for (int note : {D6, G6, A6}) AddBell(s, 0.5, NoteHz(note), 0.25, 0.45);
  Damp(s, 0.5);
  Finish(s, 0.49);
  return s;
}

// Money counts up: a bright 30 ms ping on D and A. The game asks for it every
// 20 ms while the money counts, so its swell is built for that: 10 ms in, 10 ms
// full, 10 ms out, each fade the complement of the other, and its partials whole
// multiples of 50 Hz. Repeated every 20 ms the copies then add up to one steady
// shimmer, neither cutting each other off nor beating into a buzz.
Samples Coin() {
  Samples s = Make(0.05);
  const double partials[][2] = {
      {2350, 1.0}, {3500, 0.5}, {7050, 0.15}}; // D7, A7 (10 cents flat), D7's third harmonic
  for (const auto& p : partials) {
    const double hz = p[0], gain = p[1];
    AddTone(
        s, 0, [=](double) { return hz; },
        [=](double t) {
          if (t >= 0.03) return 0.0;
          double edge = t < 0.01   ? std::sin(PI / 2 * t / 0.01)
                        : t > 0.02 ? std::cos(PI / 2 * (t - 0.02) / 0.01)
                                   : 1;
          return gain * edge * edge;
        });
  }
  Finish(s, 0.2, 0);
  return s;
}

Samples Start() { // a game begins: a rising swoosh into an open chord of fifths
  Samples s = Make(1.6);
  AddNoiseBand(
      s, 0, 3, [](double t) { return 300 * std::pow(14.0, std::min(t / 0.35, 1.0)); },
      [](double t) { return Window(t, 0, 0.45); });
  for (int note : {D4, A4, D5, A5}) AddBell(s, 0.32, NoteHz(note), 0.3, 0.45);
  Damp(s, 0.45);
  Finish(s, 0.49);
  return s;
}

Samples Border() { // a box falls off the cylinder: a falling whistle
  Samples s = Make(0.6);
  AddTone(
      s, 0, [](double t) { return 1400 * std::pow(0.18, t / 0.55) * (1 + 0.01 * std::sin(TAU * 12 * t)); },
      [](double t) { return Attack(t, 0.02) * std::pow(1 - t / 0.6, 2); });
  Finish(s, 0.32);
  return s;
}

Samples Chime() { // a new level opens on the map: two bells, G rising to D
  Samples s = Make(1.8);
  AddBell(s, 0, NoteHz(G5), 0.5, 0.5);
  AddBell(s, 0.18, NoteHz(D6), 0.5, 0.6);
  Damp(s, 0.5);
  Finish(s, 0.42);
  return s;
}

Samples Buy() { // buying in the shop: ka-ching
  Samples s = Make(1.0);
  AddNoiseBand(
      s, 0, 2, [](double) { return 3500; }, [](double t) { return 1.2 * Decay(t, 0.008); });
  AddNoiseBand(
      s, 0.03, 2, [](double) { return 2500; }, [](double t) { return 1.0 * Decay(t, 0.008); });
  AddBell(s, 0.06, NoteHz(A6), 0.45, 0.25);
  AddBell(s, 0.1, NoteHz(D7), 0.45, 0.3);
  Damp(s, 0.3);
  Finish(s, 0.42);
  return s;
}

Samples Sell() { // selling: two coins, falling a fifth from A to D
  Samples s = Make(0.6);
  AddMallet(s, 0, NoteHz(A6), 0.5, 0.08);
  AddMallet(s, 0.09, NoteHz(D6), 0.5, 0.1);
  AddNoiseBand(
      s, 0, 2, [](double) { return 5000; }, [](double t) { return 0.5 * Decay(t, 0.004); });
  Damp(s, 0.15);
  Finish(s, 0.35);
  return s;
}

Samples Tubeline() { // a row of tubes pushes in from below: a heavy grind and clunk
  Samples s = Make(1.1);
  OnePole lp;
  double phase = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = T(i);
    double saw = 2 * (phase - std::floor(phase)) - 1;
    phase += (50 + 15 * std::min(t / 0.5, 1.0)) / RATE;
    double env = Attack(t, 0.12) * (t < 0.5 ? 1 : Decay(t - 0.5, 0.05));
    s[i] += static_cast<float>(lp.Low(static_cast<float>(saw + 0.5 * Noise()), 500) * env);
  }
  AddThud(s, 0.52, 55, 1.3);
  Damp(s, 0.2);
  Finish(s, 0.49);
  return s;
}

Samples Item() { // an item is used: a magic sparkle climbing D, G, A through the octaves
  Samples s = Make(1.1);
  const int climb[] = {D5, G5, A5, D6, G6, A6, D7, G7, A7, D7, G7, A7};
  for (int k = 0; k < 12; ++k) AddMallet(s, k * 0.035, NoteHz(climb[k]), 0.3, 0.12);
  AddTone(
      s, 0, [](double) { return NoteHz(D4); }, [](double t) { return 0.15 * Window(t, 0, 0.75); });
  Damp(s, 0.2);
  Finish(s, 0.42);
  return s;
}

Samples Clock() { // the hourglass: a clock ticking
  Samples s = Make(1.2);
  for (int k = 0; k < 4; ++k) {
    double hz = k % 2 ? 2100 : 2800;
    AddNoiseBand(
        s, k * 0.3, 8, [=](double) { return hz; }, [](double t) { return 3.0 * Decay(t, 0.01); });
    AddTone(
        s, k * 0.3, [=](double) { return hz * 0.5; },
        [](double t) { return 0.3 * Attack(t, 0.001) * Decay(t, 0.012); });
  }
  Finish(s, 0.35);
  return s;
}

Samples Bell() { // aim help or the dream box: a clear bell on A
  Samples s = Make(1.8);
  AddBell(s, 0, NoteHz(A5), 1.0, 0.5);
  Damp(s, 0.5);
  Finish(s, 0.42);
  return s;
}

std::vector<uint8_t> EncodeWav(const Samples& s) {
  const size_t dataBytes = s.size() * 2;
  ByteWriter w(44 + dataBytes);
  w.Bytes(0, "RIFF", 4);
  w.U32(4, static_cast<uint32_t>(36 + dataBytes));
  w.Bytes(8, "WAVE", 4);
  w.Bytes(12, "fmt ", 4);
  w.U32(16, 16);
  w.U16(20, 1); // PCM
  w.U16(22, 1); // mono
  w.U32(24, RATE);
  w.U32(28, RATE * 2);
  w.U16(32, 2);
  w.U16(34, 16);
  w.Bytes(36, "data", 4);
  w.U32(40, static_cast<uint32_t>(dataBytes));
  for (size_t i = 0; i < s.size(); ++i) {
    double v = std::clamp(static_cast<double>(s[i]), -1.0, 1.0) * 32767.0;
    w.U16(44 + 2 * i, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v))));
  }
  return w.Result();
}

} // namespace

bool WriteSounds(const std::string& dataDir) {
  // In the order of the sample catalogue (sample number - 1).
  Samples (*const makers[SAMPLE_COUNT])() = {
      Dreher, Trankup, Anker, Box,  Aim,   Change, Tube,  Line, Bomb, Linefall, Mline, Stone, Dc,  Buzz, Hit,
      Mover,  Select,  Win,   Coin, Start, Border, Chime, Buy,  Sell, Tubeline, Item,  Clock, Bell};
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    SeedRandom(1000 + n);
    std::vector<uint8_t> bytes = EncodeWav(makers[n]());
    std::string path = dataDir + "sound/" + SampleFiles[n];
    if (!WriteDataFile(path, bytes)) return false;
  }
  return true;
}
