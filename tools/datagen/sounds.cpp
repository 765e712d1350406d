// The 28 sound effects, synthesised from oscillators, noise, filters and
// envelopes, written as 16-bit mono PCM WAV files at 44100 Hz. Each effect is
// shaped for its moment in the game: soft ticks for aiming and hovering, thuds
// and clanks for the anchor and the boxes, bells and fanfares for rewards. All
// but the warning loop fade in and out over a few milliseconds so they never
// click; the warning loop is built from whole periods so it repeats seamlessly.
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

// Scales to the wanted peak and fades both ends so playback never clicks.
void Finish(Samples& s, double peak, double fadeIn = 0.002, double fadeOut = 0.02) {
  float m = 0;
  for (float v : s) m = std::max(m, std::fabs(v));
  if (m > 0)
    for (float& v : s) v = static_cast<float>(v * peak / m);
  size_t in = static_cast<size_t>(fadeIn * RATE), out = static_cast<size_t>(fadeOut * RATE);
  for (size_t i = 0; i < in && i < s.size(); ++i) s[i] *= static_cast<float>(i) / in;
  for (size_t i = 0; i < out && i < s.size(); ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / out;
}

// --- the effects ---------------------------------------------------------------

Samples Dreher() { // the stones turn: a quick airy whoosh
  Samples s = Make(0.3);
  AddNoiseBand(
      s, 0, 2.5, [](double t) { return 700 + 2600 * std::sin(PI * t / 0.3); },
      [](double t) { return std::pow(std::sin(PI * t / 0.3), 1.5); });
  AddTone(
      s, 0, [](double t) { return 380 + 700 * t / 0.3; }, [](double t) { return 0.04 * Window(t, 0, 0.3); });
  Finish(s, 0.5);
  return s;
}

Samples Trankup() { // a drop reaches the potion: two bubbly gulps
  Samples s = Make(0.2);
  for (int b = 0; b < 2; ++b) {
    double f0 = b ? 720 : 480, at = b * 0.07;
    AddTone(
        s, at, [=](double t) { return f0 * std::exp(t * 9); },
        [](double t) { return Attack(t, 0.004) * Decay(t, 0.03); });
  }
  Finish(s, 0.55);
  return s;
}

Samples Anker() { // the anchor grabs: a metallic clank
  Samples s = Make(0.5);
  const double hz[] = {523, 1247, 1889, 2711, 3450};
  const double lv[] = {1, 0.7, 0.5, 0.35, 0.2};
  for (int k = 0; k < 5; ++k)
    AddTone(
        s, 0, [=](double) { return hz[k]; },
        [=](double t) { return lv[k] * Attack(t, 0.001) * Decay(t, 0.22 / (1 + k * 0.6)); });
  AddTone(
      s, 0, [](double t) { return 150 + 200 * Decay(t, 0.01); },
      [](double t) { return 0.8 * Attack(t, 0.001) * Decay(t, 0.05); });
  AddNoiseBand(
      s, 0, 1.0, [](double) { return 4000; }, [](double t) { return 1.5 * Decay(t, 0.006); });
  Finish(s, 0.6);
  return s;
}

Samples Box() { // a stone lands without clearing a line: a wooden thud
  Samples s = Make(0.3);
  AddThud(s, 0, 60, 1.0);
  AddTone(
      s, 0, [](double) { return 420; }, [](double t) { return 0.3 * Attack(t, 0.001) * Decay(t, 0.03); });
  Finish(s, 0.7);
  return s;
}

Samples Aim() { // the clamp moves to another box: a tiny tick
  Samples s = Make(0.05);
  AddTone(
      s, 0, [](double) { return 2200; }, [](double t) { return Attack(t, 0.001) * Decay(t, 0.008); });
  AddTone(
      s, 0, [](double) { return 3300; }, [](double t) { return 0.3 * Attack(t, 0.001) * Decay(t, 0.005); });
  Finish(s, 0.25, 0.001, 0.01);
  return s;
}

Samples Change() { // the anchor steps to another column: a light click
  Samples s = Make(0.05);
  AddTone(
      s, 0, [](double t) { return 1500 - 4000 * t; },
      [](double t) { return Attack(t, 0.001) * Decay(t, 0.006); });
  AddNoiseBand(
      s, 0, 1.5, [](double) { return 3000; }, [](double t) { return 0.8 * Decay(t, 0.003); });
  Finish(s, 0.3, 0.001, 0.01);
  return s;
}

Samples Tube() { // a tube row is cleared: a hollow pop and a rush of air
  Samples s = Make(0.6);
  for (int k = 1; k <= 3; ++k)
    AddTone(
        s, 0, [=](double t) { return k * 700 * std::exp(-t * 2.2); },
        [=](double t) { return Attack(t, 0.004) * Decay(t, 0.18) / k; });
  AddNoiseBand(
      s, 0, 1.2, [](double t) { return 2500 - 1800 * t; }, [](double t) { return 0.6 * Decay(t, 0.12); });
  Finish(s, 0.6);
  return s;
}

Samples Line() { // a line is cleared: a bright rising sweep with sparkles
  Samples s = Make(0.6);
  for (int k = 1; k <= 3; k += 2)
    AddTone(
        s, 0, [=](double t) { return k * (600 + 1400 * std::min(t / 0.25, 1.0)); },
        [=](double t) { return Attack(t, 0.01) * Decay(t, 0.12) / (k * k); });
  SeedRandom(8);
  for (int p = 0; p < 14; ++p) {
    double at = 0.04 + p * 0.03, hz = 2200 + Random(2800);
    AddTone(
        s, at, [=](double) { return hz; }, [](double t) { return 0.25 * Attack(t, 0.002) * Decay(t, 0.05); });
  }
  Finish(s, 0.6);
  return s;
}

Samples Bomb() { // a bomb blows its hole: boom, rumble and crackle
  Samples s = Make(1.4);
  OnePole lp, lp2;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = T(i);
    double cutoff = 300 + 5700 * Decay(t, 0.12);
    double n = lp2.Low(lp.Low(Noise(), cutoff), cutoff);
    s[i] += static_cast<float>(2.2 * n * Attack(t, 0.002) * Decay(t, 0.35));
    if (t < 0.6 && Random(1000) < 6) s[i] += static_cast<float>(0.5 * Noise() * (1 - t / 0.6));
  }
  AddTone(
      s, 0, [](double t) { return 35 + 45 * Decay(t, 0.15); },
      [](double t) { return 0.9 * Attack(t, 0.003) * Decay(t, 0.4); });
  for (float& v : s) v = std::tanh(v * 1.5f);
  Finish(s, 0.85);
  return s;
}

Samples Linefall() { // rows drop down: a tumble of soft thuds
  Samples s = Make(0.5);
  for (int k = 0; k < 3; ++k) AddThud(s, k * 0.09, 85 - k * 12, 1.0 - k * 0.2);
  OnePole lp;
  for (size_t i = 0; i < s.size(); ++i)
    s[i] += static_cast<float>(lp.Low(Noise(), 300) * 0.6 * Window(T(i), 0, 0.45));
  Finish(s, 0.6);
  return s;
}

Samples Mline() { // several lines at once: a little brass fanfare
  Samples s = Make(1.2);
  const double notes[] = {72, 76, 79, 84};
  for (int k = 0; k < 4; ++k) AddBrass(s, k * 0.08, NoteHz(notes[k]), 0.3, 1.0 - k * 0.08, 0.006);
  Finish(s, 0.7);
  return s;
}

// The warning heard while the potion is almost empty: a heartbeat with a
// tense high pulse. Exactly 0.6 s long, and every frequency completes a whole
// number of cycles in it (multiples of 5/3 Hz), so the loop point is seamless.
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
  for (float& v : s) v = v * 0.7f / m;
  return s;
}

Samples Dc() { // a click in the dream editor: a soft pop
  Samples s = Make(0.06);
  AddTone(
      s, 0, [](double t) { return 1200 - 6000 * t; },
      [](double t) { return Attack(t, 0.001) * Decay(t, 0.012); });
  Finish(s, 0.35, 0.001, 0.01);
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
  Finish(s, 0.65);
  return s;
}

Samples Hit() { // the potion refills: an impact and a rising shimmer
  Samples s = Make(0.8);
  AddThud(s, 0, 70, 0.8);
  for (int k = 0; k < 4; ++k) {
    double detune = 1 + k * 0.004;
    AddTone(
        s, 0.02, [=](double t) { return detune * (400 + 1400 * std::min(t / 0.5, 1.0)); },
        [](double t) { return 0.18 * Attack(t, 0.05) * Decay(t, 0.25); });
  }
  SeedRandom(15);
  for (int p = 0; p < 10; ++p) {
    double hz = 2500 + Random(3000);
    AddTone(
        s, 0.1 + p * 0.05, [=](double) { return hz; },
        [](double t) { return 0.12 * Attack(t, 0.002) * Decay(t, 0.06); });
  }
  Finish(s, 0.7);
  return s;
}

Samples Mover() { // the pointer moves onto a button: a whisper of a blip
  Samples s = Make(0.05);
  AddTone(
      s, 0, [](double) { return 1600; }, [](double t) { return Window(t, 0, 0.045); });
  Finish(s, 0.22, 0.001, 0.005);
  return s;
}

Samples Select() { // a button is clicked: two quick rising blips
  Samples s = Make(0.13);
  for (int k = 0; k < 2; ++k) {
    double hz = k ? 990 : 660;
    AddTone(
        s, k * 0.05, [=](double) { return hz; }, [](double t) { return Window(t, 0, 0.06); });
    AddTone(
        s, k * 0.05, [=](double) { return hz * 3; }, [](double t) { return 0.1 * Window(t, 0, 0.06); });
  }
  Finish(s, 0.45, 0.001, 0.01);
  return s;
}

Samples Win() { // level cleared: a bright arpeggio landing on a chord
  Samples s = Make(1.7);
  const double run[] = {72, 76, 79, 84};
  for (int k = 0; k < 4; ++k) AddMallet(s, k * 0.11, NoteHz(run[k]), 0.5, 0.25);
  for (double note : {84.0, 88.0, 91.0}) AddBell(s, 0.5, NoteHz(note), 0.25, 0.7);
  Finish(s, 0.7);
  return s;
}

Samples Coin() { // money counts up: the classic two-note coin
  Samples s = Make(0.22);
  for (int k = 0; k < 2; ++k) {
    double hz = k ? 1319 : 988, at = k * 0.055;
    for (int h = 1; h <= 5; h += 2)
      AddTone(
          s, at, [=](double) { return hz * h; },
          [=](double t) {
            if (k == 0 && t > 0.055) return 0.0;
            return Attack(t, 0.001) * Decay(t, k ? 0.08 : 0.2) / h;
          });
  }
  Finish(s, 0.4);
  return s;
}

Samples Start() { // a game begins: a rising swoosh into an open chord
  Samples s = Make(1.0);
  AddNoiseBand(
      s, 0, 3, [](double t) { return 300 * std::pow(14.0, std::min(t / 0.35, 1.0)); },
      [](double t) { return Window(t, 0, 0.45); });
  for (double note : {60.0, 67.0, 72.0, 79.0}) AddBell(s, 0.32, NoteHz(note), 0.3, 0.6);
  Finish(s, 0.7);
  return s;
}

Samples Border() { // a box falls off the cylinder: a falling whistle
  Samples s = Make(0.6);
  AddTone(
      s, 0, [](double t) { return 1400 * std::pow(0.18, t / 0.55) * (1 + 0.01 * std::sin(TAU * 12 * t)); },
      [](double t) { return Attack(t, 0.02) * (1 - t / 0.6); });
  Finish(s, 0.45);
  return s;
}

Samples Chime() { // a new level opens on the map
  Samples s = Make(1.5);
  AddBell(s, 0, NoteHz(79), 0.5, 0.8);
  AddBell(s, 0.18, NoteHz(84), 0.5, 1.0);
  Finish(s, 0.6);
  return s;
}

Samples Buy() { // buying in the shop: ka-ching
  Samples s = Make(0.7);
  AddNoiseBand(
      s, 0, 2, [](double) { return 3500; }, [](double t) { return 1.2 * Decay(t, 0.008); });
  AddNoiseBand(
      s, 0.03, 2, [](double) { return 2500; }, [](double t) { return 1.0 * Decay(t, 0.008); });
  AddBell(s, 0.06, 2093, 0.45, 0.35);
  AddBell(s, 0.1, 2637, 0.45, 0.4);
  Finish(s, 0.6);
  return s;
}

Samples Sell() { // selling: two coins, falling
  Samples s = Make(0.45);
  AddMallet(s, 0, 1319, 0.5, 0.08);
  AddMallet(s, 0.09, 988, 0.5, 0.12);
  AddNoiseBand(
      s, 0, 2, [](double) { return 5000; }, [](double t) { return 0.5 * Decay(t, 0.004); });
  Finish(s, 0.5);
  return s;
}

Samples Tubeline() { // a row of tubes pushes in from below: a heavy grind and clunk
  Samples s = Make(0.85);
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
  Finish(s, 0.7);
  return s;
}

Samples Item() { // an item is used: a magic sparkle rising through a scale
  Samples s = Make(0.8);
  const double scale[] = {0, 2, 4, 7, 9, 12, 14, 16, 19, 21, 24, 26};
  for (int k = 0; k < 12; ++k) AddMallet(s, k * 0.035, NoteHz(76 + scale[k]), 0.3, 0.15);
  AddTone(
      s, 0, [](double) { return NoteHz(64); }, [](double t) { return 0.15 * Window(t, 0, 0.75); });
  Finish(s, 0.6);
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
  Finish(s, 0.5);
  return s;
}

Samples Bell() { // aim help or the dream box: a clear bell
  Samples s = Make(1.2);
  AddBell(s, 0, 880, 1.0, 0.9);
  Finish(s, 0.6);
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
