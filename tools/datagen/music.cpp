// The seven music tracks: one per theme, one for the title and menus, one for
// the level map and shop. Each is a written piece of two minutes or more in its
// own key: a main theme, a contrasting section on other chords with another
// lead, a bridge that thins out and builds back, the theme's return and a turn
// that leads into the start again, so the loop has no intro of its own and its
// end runs into its beginning. Instruments sit across the stereo field in a
// stereo room; every track is mastered to the same loudness. Encoded as Ogg
// Vorbis, 44100 Hz stereo.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "assets/sound.h"
#include "core/arith.h"
#include "datagen.h"
#include "music_master.h"
#include "music_score.h"

using namespace music;

namespace {

// Vorbis quality -0.1..1: 0.1 keeps the instruments clean at about 75 kbit/s.
constexpr float VORBIS_QUALITY = 0.1f;

// Plays the notes of `line` that lie in the sections named in `names`.
template <typename F> void Play(const Song& s, const std::vector<Played>& line, const char* names, F&& play) {
  for (const Played& p : line) {
    if (!In(s.sections[p.section], names)) continue;
    double at = s.Time(p.bar, p.start);
    play(at, s.Time(p.bar, p.start + p.length) - at, Hz(p.note));
  }
}

// A figure over the chords: "index:sixteenths" tokens, the index a chord tone
// (0 root, 1 third, 2 fifth, 3 seventh or octave, on up; negative below), "r" a
// rest. Each note takes the chord sounding when it starts; `play` gets the
// start and length in seconds and the MIDI note.
template <typename F> void Figure(const Song& s, int bar, const char* figure, int octave, F&& play) {
  int pos = 0;
  const char* p = figure;
  while (*p) {
    while (*p == ' ') ++p;
    if (!*p) break;
    bool rest = *p == 'r';
    int index = rest ? 0 : std::atoi(p);
    while (*p && *p != ':') ++p;
    int length = *p ? std::atoi(p + 1) : 0;
    while (*p && *p != ' ') ++p;
    if (!rest && length > 0) {
      double at = s.Time(bar, pos);
      play(at, s.Time(bar, pos + length) - at, s.ChordTone(bar, pos, index, octave));
    }
    pos += length;
  }
}

// A strummed chord: the strings a few milliseconds apart, low to high (or high
// to low on an up-stroke).
void Strum(Song& s, int bar, double sixteenth, double sixteenths, int octave, double vel, float pan,
           double bright, bool up = false) {
  std::vector<int> notes = s.ChordNotes(bar, sixteenth, octave);
  notes.push_back(notes[0] + 12);
  double at = s.Time(bar, sixteenth), dur = s.step * sixteenths;
  for (size_t k = 0; k < notes.size(); ++k) {
    size_t string = up ? notes.size() - 1 - k : k;
    Pluck(s.mix, {at + 0.012 * k, dur, Hz(notes[string]), vel, pan, 0.3f}, bright, 0.15, 1.5);
  }
}

bool Same(const Chord& a, const Chord& b) {
  return a.root == b.root && a.seventh == b.seventh && a.sus == b.sus;
}

// Sustained chords on the pad, one per chord change.
void PadChords(Song& s, int bar, int octave, double vel, double cutoff, double width, float send = 0.5f) {
  const bool split = !Same(s.ChordAt(bar, 0), s.ChordAt(bar, 8));
  for (int half = 0; half < (split ? 2 : 1); ++half)
    for (int note : s.ChordNotes(bar, half * 8, octave))
      Pad(s.mix, {s.Time(bar, half * 8), s.step * (split ? 8 : 16), Hz(note), vel, 0, send}, cutoff, 0.25,
          0.6, width);
}

// A noise swell over the last two bars of every section named in `names`.
void Risers(Song& s, const char* names, double vel) {
  for (int bar = 0; bar < s.Bars(); ++bar)
    if (In(s.SectionAt(bar), names) && s.BarInSection(bar) == s.SectionAt(bar).Bars() - 2)
      Riser(s.mix, s.Time(bar, 0), s.step * 32, vel);
}

// A crash at the first bar of every section named in `names`.
void Crashes(Song& s, const char* names, double vel) {
  for (int bar = 0; bar < s.Bars(); ++bar)
    if (s.BarInSection(bar) == 0 && In(s.SectionAt(bar), names)) Hit(s.mix, CRASH, s.Time(bar, 0), vel, 0.2f);
}

// --- Forest: pastoral. G major, fingerpicked guitar, a flute tune, strings. ---

Song Forest() {
  const char* chordsA = "0 4 5 3 0 3 4 0";
  const char* opening = "2:4 4:4 7:6 6:2 | 4:8 3:2 2:2 1:4 | 2:4 4:4 5:6 4:2 | 3:4 2:4 0:8 | ";
  Song s(90, 67, MAJOR, 0,
         {MakeSection(
              'A', chordsA,
              (std::string(opening) + "2:4 4:4 7:6 6:2 | 7:6 5:2 4:4 3:4 | 1:4 4:4 6:4 5:2 6:2 | 7:12 r:4")
                  .c_str()),
          MakeSection(
              'a', chordsA,
              (std::string(opening) + "4:4 7:4 9:6 8:2 | 7:4 5:4 3:8 | 4:2 5:2 6:4 8:4 6:4 | 7:16").c_str()),
          MakeSection('B', "5 2 3 0 5 2 3 4",
                      "5:6 4:2 2:8 | 6:6 4:2 2:8 | 3:6 4:2 5:8 | 4:12 r:4 | 5:4 7:4 9:6 8:2 | 9:6 8:2 6:8 | "
                      "7:4 5:4 4:4 3:4 | 1:8 -1:4 1:4"),
          MakeSection('C', "3 4 2 5 3 4 1 4",
                      "r:8 7:2 8:2 7:4 | r:8 6:2 8:2 6:4 | r:4 4:4 6:4 9:4 | 7:12 r:4 | r:8 10:2 11:2 10:4 | "
                      "r:8 8:2 9:2 8:4 | 7:4 5:4 3:4 1:4 | 4:4 6:4 8:8"),
          MakeSection(
              'F', chordsA,
              (std::string(opening) + "2:4 4:4 7:6 6:2 | 7:6 5:2 4:4 3:4 | 1:4 4:4 6:4 5:2 6:2 | 7:12 r:4")
                  .c_str()),
          MakeSection(
              'D', "3 0 1 4 3 0 4 4",
              "7:4 5:4 3:8 | 4:4 2:4 0:8 | 1:4 3:4 5:6 4:2 | 4:4 3:4 1:8 | 3:2 4:2 5:4 7:8 | 7:4 4:4 2:8 | "
              "1:4 -1:4 1:4 4:4 | 4:12 r:4")});
  for (int bar = 0; bar < s.Bars(); ++bar) {
    const Section& sec = s.SectionAt(bar);
    const int inSection = s.BarInSection(bar);
    PadChords(s, bar, -1, In(sec, "BC") ? 0.06 : 0.04, 1400, 0.8);
    auto bass = [&](const char* figure) {
      Figure(s, bar, figure, -2, [&](double at, double dur, int note) {
        Bass(s.mix, {at, dur, Hz(note), 0.24, 0, 0.05f}, 0);
      });
    };
    if (In(sec, "C")) {
      // The bridge: a harp rippling up and down, from side to side.
      Figure(s, bar, "0:2 1:2 2:2 3:2 4:2 5:2 4:2 3:2", -1, [&](double at, double dur, int note) {
        float pan = (note % 2) ? 0.55f : -0.55f;
        Pluck(s.mix, {at, dur, Hz(note), 0.16, pan, 0.45f}, 0.7, 1.2, 3.0);
      });
      if (inSection >= 4) bass("0:16");
      continue;
    }
    if (In(sec, "F")) {
      // The last return is strummed by two guitars, over a walking bass.
      for (int k : {0, 3, 6, 10, 12}) {
        Strum(s, bar, k, 3, -1, 0.07, -0.55f, 0.45, k == 6 || k == 12);
        Strum(s, bar, k + 1, 3, 0, 0.05, 0.55f, 0.55, k == 6 || k == 12);
      }
      bass("0:4 1:4 2:4 1:4");
      continue;
    }
    // Fingerpicked guitar on the left.
    Figure(s, bar, "-3:2 2:2 3:2 4:2 1:2 2:2 3:2 2:2", 0, [&](double at, double dur, int note) {
      Pluck(s.mix, {at, dur, Hz(note), 0.26, -0.5f, 0.3f}, 0.35, 0.8, 2.5);
    });
    if (In(sec, "B")) {
      // Strummed on the right, pizzicato strings picking out the chord.
      for (int k : {0, 6, 10}) Strum(s, bar, k, 4, -1, 0.07, 0.5f, 0.5, k == 6);
      Figure(s, bar, "4:2 r:2 2:2 r:2 3:2 r:2 2:2 r:2", -1, [&](double at, double dur, int note) {
        Pluck(s.mix, {at, dur, Hz(note), 0.14, 0.3f, 0.35f}, 0.5, 0.05, 0.6);
      });
      bass("0:6 2:4 0:6");
    } else if (In(sec, "D")) {
      bass("0:2 r:2 0:2 2:2 r:2 2:2 3:2 1:2");
    } else {
      bass(In(sec, "A") ? "0:7 r:1 2:7 r:1" : "0:6 0:2 2:6 1:2");
      if (In(sec, "a")) // a second guitar on the right answers on the off-beats
        for (int k : {2, 6, 10, 14}) Strum(s, bar, k, 2, 0, 0.045, 0.55f, 0.6, k % 4 == 2);
    }
  }
  std::vector<Played> tune = s.Tune();
  Play(s, tune, "AaFD", [&](double at, double dur, double hz) {
    Flute(s.mix, {at, dur, hz, 0.22, 0.2f, 0.4f}, 0.006, 0.05);
  });
  Play(s, tune, "F", [&](double at, double dur, double hz) { // glockenspiel doubling the last return
    Mallet(s.mix, {at, dur, hz * 2, 0.05, 0.4f, 0.4f}, 1, 0.4);
  });
  Play(s, tune, "B", [&](double at, double dur, double hz) { // a fiddle takes the second theme
    Lead(s.mix, {at, dur, hz, 0.12, 0.2f, 0.4f}, false, 3200, 0.006, 0.07);
  });
  Play(s, tune, "C", [&](double at, double dur, double hz) { // birdcalls over the harp
    Flute(s.mix, {at, dur, hz, 0.2, 0.3f, 0.45f}, 0.01, 0.04);
  });
  Play(s, s.CounterLine("aFD", 57, 69), "aFD", [&](double at, double dur, double hz) { // clarinet
    Lead(s.mix, {at, dur, hz, 0.07, -0.3f, 0.3f}, true, 1300, 0.003, 0.05);
  });
  // Each section its own beat: none under the first statement, a light folk
  // beat, congas under the fiddle, a frame drum and tambourine for the return,
  // brushes for the turn home.
  Drums(s, SHAKER, "x.o.x.o.x.o.x.o.", "aB", 0.11, 0.45f);
  Drums(s, KICK, "x.......x.......", "aB", 0.33, 0, "x.......x...x...");
  Drums(s, RIM, "....x.......x...", "a", 0.12, -0.25f);
  Drums(s, CONGA, "........x..o.ox.", "B", 0.18, -0.35f, "x.o.x.ox.ox.xoxo");
  Drums(s, TOM, "x..x..x.x..x..x.", "F", 0.28, 0.1f, "x..x..x.x.x.xxxx");
  Drums(s, TAMBOURINE, "x.o.x.o.x.o.x.o.", "F", 0.1, -0.45f);
  Drums(s, SNARE, "oooxoooooooxoooo", "D", 0.08, 0.2f);
  Drums(s, KICK, "x.........x.....", "D", 0.28, 0);
  Drums(s, SHAKER, "", "C", 0.1, 0.45f, "xoxoxoxoxoxxxxxx");
  Drums(s, CONGA, "", "C", 0.16, -0.35f, "..........x.xoxx");
  Risers(s, "C", 0.05);
  Crashes(s, "BF", 0.12);
  return s;
}

// --- City: funky and urban. E dorian, slap bass, electric piano, square lead. ---

Song City() {
  const char* chordsA = "07 07 3 3 07 07 6 4";
  const char* tuneA =
      "r:2 4:2 r:2 4:2 6:4 7:4 | 6:2 4:2 2:4 r:8 | r:2 3:2 r:2 3:2 5:4 4:2 3:2 | 2:6 3:2 r:8 | "
      "7:2 r:2 7:2 6:2 7:4 9:2 8:2 | 9:4 8:2 7:2 6:8 | 6:2 5:2 6:4 8:4 6:4 | 4:12 r:4";
  const char* chordsB = "2 6 3 0 2 6 3 3";
  const char* tuneB =
      "9:6 8:2 6:8 | 6:6 5:2 3:8 | 3:4 5:4 7:4 5:4 | 4:12 r:4 | 11:6 10:2 9:8 | 8:6 9:2 10:8 | "
      "10:4 9:4 7:4 5:4 | 3:16";
  Song s(
      104, 64, DORIAN, 0.12,
      {MakeSection('A', chordsA, tuneA), MakeSection('B', chordsB, tuneB), MakeSection('a', chordsA, tuneA),
       MakeSection('C', "07 07 07 07 3 3 4 4",
                   "r:16 | r:16 | r:16 | r:16 | r:8 5:2 4:2 3:4 | 2:8 3:8 | 4:4 r:2 4:2 6:4 8:4 | 8:12 r:4"),
       MakeSection('D', "17 47 07 3 17 47 6 3",
                   "1:2 3:2 5:2 7:2 8:4 7:4 | 6:2 4:2 6:2 8:2 10:4 8:4 | 7:4 6:2 4:2 2:8 | 3:4 5:4 7:8 | "
                   "8:2 7:2 5:2 3:2 1:4 3:4 | 4:2 6:2 8:2 10:2 11:8 | 10:4 8:4 6:8 | 5:4 3:4 r:8"),
       MakeSection('b', chordsB, tuneB), MakeSection('F', chordsA, tuneA)});
  for (int bar = 0; bar < s.Bars(); ++bar) {
    const Section& sec = s.SectionAt(bar);
    const int inSection = s.BarInSection(bar);
    // Each section has its own bass line (and its own beat, below).
    const char* bassLine = In(sec, "A")    ? "0:2 r:1 0:1 r:2 3:2 r:2 0:2 2:2 1:2"
                           : In(sec, "a")  ? "0:1 r:1 0:1 r:1 3:2 0:2 r:2 2:1 2:1 r:2 1:2"
                           : In(sec, "F")  ? "0:2 3:2 0:2 3:2 0:2 3:2 0:2 3:2"
                           : In(sec, "B")  ? "0:6 r:2 2:4 1:4"
                           : In(sec, "b")  ? "0:2 0:2 3:2 0:2 0:2 2:2 0:2 1:2"
                           : In(sec, "D")  ? "0:3 0:3 r:2 2:3 0:3 r:2"
                           : inSection < 4 ? ""
                                           : "0:6 r:2 0:2 2:2 1:4";
    Figure(s, bar, bassLine, -2, [&](double at, double dur, int note) {
      Bass(s.mix, {at, dur, Hz(note), 0.26, 0, 0.02f}, 0.6);
    });
    if (In(sec, "AaBbF")) { // electric piano stabs on the left
      for (int hit : {2, 7, 10, 14})
        for (int note : s.ChordNotes(bar, hit, -1))
          EPiano(s.mix, {s.Time(bar, hit), s.step * (hit == 7 ? 2.5 : 1.5), Hz(note), 0.06, -0.5f, 0.25f});
    }
    if (In(sec, "aD")) // a clavinet on the right
      for (int hit : {0, 3, 6, 11})
        for (int note : s.ChordNotes(bar, hit, 0))
          Pluck(s.mix, {s.Time(bar, hit), s.step * 1.2, Hz(note), 0.05, 0.5f, 0.2f}, 0.9, 0.04, 0.5);
    if (In(sec, "BCDb")) PadChords(s, bar, -1, In(sec, "C") ? 0.07 : 0.035, 1200, 0.9);
    if (In(sec, "C")) { // the breakdown: a piano figure over the pad, climbing bar by bar
      static const char* const Climb[4] = {"0:3 2:3 3:2 r:2 2:2 1:4", "1:3 3:3 4:2 r:2 3:2 2:4",
                                           "2:3 4:3 5:2 r:2 4:2 3:4", "3:3 5:3 6:2 r:2 7:2 4:4"};
      Figure(s, bar, Climb[inSection % 4], 0, [&](double at, double dur, int note) {
        EPiano(s.mix, {at, dur, Hz(note), 0.12, 0.35f, 0.45f});
      });
    }
  }
  std::vector<Played> tune = s.Tune();
  Play(s, tune, "AaFC", [&](double at, double dur, double hz) {
    Lead(s.mix, {at, dur, hz, 0.12, 0.2f, 0.3f}, true, 2600, 0.004, 0.01);
  });
  Play(s, tune, "F", [&](double at, double dur, double hz) {
    Lead(s.mix, {at, dur, hz * 2, 0.05, -0.3f, 0.3f}, false, 4000, 0.004, 0.01);
  });
  Play(s, tune, "Bb", [&](double at, double dur, double hz) { // the chorus: piano and lead together
    EPiano(s.mix, {at, dur, hz, 0.11, -0.2f, 0.3f});
    Lead(s.mix, {at, dur, hz, 0.07, 0.25f, 0.3f}, false, 3000, 0.005, 0.02);
  });
  Play(s, tune, "b", [&](double at, double dur, double hz) {
    Mallet(s.mix, {at, dur, hz * 2, 0.05, 0.45f, 0.35f}, 0.9, 0.3);
  });
  Play(s, tune, "D", [&](double at, double dur, double hz) {
    EPiano(s.mix, {at, dur, hz, 0.15, 0.15f, 0.3f});
  });
  Play(s, s.CounterLine("abF", 59, 71), "abF", [&](double at, double dur, double hz) {
    Horn(s.mix, {at, dur, hz, 0.06, -0.4f, 0.35f}, 0.8);
  });
  // The beats: a funk groove, a busier one with ghost notes, half time under
  // the first chorus, driving eighths under the second, four on the floor for
  // the last return, and a lighter shuffle under the piano solo.
  Drums(s, KICK, "x.....x...x..x..", "A", 0.45, 0);
  Drums(s, KICK, "x..x..x...x..x..", "a", 0.45, 0);
  Drums(s, KICK, "x...x...x...x...", "Fb", 0.42, 0);
  Drums(s, KICK, "x.........x.....", "B", 0.45, 0);
  Drums(s, KICK, "x.....x.x.....x.", "D", 0.42, 0);
  Drums(s, KICK, "", "C", 0.42, 0, "x.....x...x.x.x.");
  Drums(s, SNARE, "....x..o....x...", "AbD", 0.32, 0.05f, "....x..o..x.xxxx");
  Drums(s, SNARE, "..o.x.o..o.ox.o.", "a", 0.3, 0.05f, "..o.x.o..oxoxxxx");
  Drums(s, SNARE, "........x.......", "B", 0.34, 0.05f, "........x...x.xx");
  Drums(s, CLAP, "....x.......x...", "bF", 0.17, -0.15f);
  Drums(s, HAT, "xoxoxoxoxoxoxoxo", "Aa", 0.15, 0.4f);
  Drums(s, HAT, "x.x.x.x.x.x.x.x.", "BD", 0.14, 0.4f);
  Drums(s, HAT, "x.x.x.x.x.x.x.x.", "C", 0.13, 0.4f, "xxxxxxxxxxxxxxxx");
  Drums(s, OPENHAT, "..x...x...x...x.", "F", 0.11, 0.4f);
  Drums(s, OPENHAT, "..............x.", "a", 0.11, 0.4f);
  Drums(s, TAMBOURINE, "xoxoxoxoxoxoxoxo", "b", 0.09, -0.45f);
  Drums(s, RIM, "...x..x....x..x.", "CD", 0.1, -0.3f);
  Risers(s, "C", 0.05);
  Crashes(s, "BabF", 0.13);
  return s;
}

// --- Desert: D phrygian dominant, oud over a drone, a reedy ney, hand drums. ---

// The oud's running figure, scale degrees by sixteenth; its key notes (0) go
// to the root of the chord sounding, so the riff follows the harmony.
void Oud(Song& s, int bar, int octave, float pan, double vel) {
  constexpr int REST = -99;
  static const int Riff[16] = {0, REST, 4, REST, 2, 4, REST, 7, 0, REST, 4, 2, REST, 1, 0, REST};
  for (int k = 0; k < 16; ++k) {
    if (Riff[k] == REST) continue;
    int degree = Riff[k] == 0 ? s.ChordAt(bar, k).root : Riff[k];
    Pluck(s.mix, {s.Time(bar, k), s.step * 1.5, Hz(s.Note(degree, octave)), vel, pan, 0.25f}, 0.8, 0.4, 1.2);
  }
}

Song Desert() {
  const char* chordsA = "0 0 1 0 0 6 1 0";
  const char* opening = "4:4 5:2 4:2 2:4 1:2 2:2 | 0:12 r:4 | 1:4 2:2 3:2 5:8 | 4:6 5:2 4:2 2:2 1:2 2:2 | ";
  const std::string tuneA =
      std::string(opening) + "7:4 6:2 5:2 4:4 5:2 4:2 | 6:6 5:2 3:8 | 5:4 4:2 3:2 1:4 2:2 1:2 | 0:12 r:4";
  const std::string tuneA2 =
      std::string(opening) + "7:2 8:2 9:6 7:2 5:4 | 6:4 8:4 6:8 | 5:2 4:2 3:2 1:2 3:4 1:4 | 0:12 r:4";
  const char* chordsB = "3 3 6 1 3 3 1 0";
  const char* tuneB = "3:2 5:2 7:4 8:2 7:2 5:4 | 7:2 8:2 9:4 7:8 | 6:4 8:4 10:8 | 8:2 9:2 8:2 7:2 5:8 | "
                      "3:2 5:2 7:4 10:6 9:2 | 8:4 7:4 5:8 | 8:4 7:2 5:2 4:4 2:4 | 7:8 r:8";
  Song s(96, 62, PHRYGIAN_DOMINANT, 0.05,
         {MakeSection('A', chordsA, tuneA.c_str()), MakeSection('B', chordsB, tuneB),
          MakeSection(
              'C', "0 0 0 0 0 0 0 0 1 1 0 0",
              "r:8 4:8 | 5:2 4:2 5:4 7:8 | 8:6 7:2 5:4 4:4 | 4:16 | r:8 7:4 8:4 | 9:8 8:2 7:2 8:4 | "
              "7:4 5:4 4:4 2:4 | 1:4 2:4 0:8 | 1:8 3:4 5:4 | 8:12 7:4 | 4:6 5:2 4:4 2:4 | 1:2 2:2 1:4 0:8"),
          MakeSection('a', chordsA, tuneA2.c_str()), MakeSection('b', chordsB, tuneB),
          MakeSection('F', chordsA, tuneA.c_str())});
  for (int bar = 0; bar < s.Bars(); ++bar) {
    const Section& sec = s.SectionAt(bar);
    const int inSection = s.BarInSection(bar);
    if (In(sec, "AaFC")) { // the drone: key note and fifth, low and wide
      if (inSection % 2 == 0)
        for (int degree : {0, 4})
          Pad(s.mix, {s.Time(bar, 0), s.step * 32, Hz(s.Note(degree, -2)), degree ? 0.05 : 0.07, 0, 0.4f},
              700, 0.8, 0.8, 0.9);
    } else {
      PadChords(s, bar, -1, 0.04, 900, 0.9, 0.4f);
    }
    if (In(sec, "C")) {
      if (inSection >= 8) // a qanun runs up the mode under the last phrase
        for (int k = 0; k < 16; ++k)
          Pluck(
              s.mix,
              {s.Time(bar, k), s.step, Hz(s.Note(k % 8 + (k / 8) * 2, -1)), 0.09, k % 2 ? 0.6f : -0.2f, 0.4f},
              0.9, 0.3, 1.5);
      if (inSection % 4 == 0)
        Pluck(s.mix, {s.Time(bar, 0), s.step * 8, Hz(s.Note(0, -1)), 0.2, -0.4f, 0.4f}, 0.7, 1.5, 3);
      continue;
    }
    if (In(sec, "Bb")) { // the second theme: the oud strums a tremolo on the chord, the riff moves up
      for (int k = 0; k < 16; k += 2)
        Pluck(s.mix,
              {s.Time(bar, k), s.step * 2, Hz(s.ChordTone(bar, k, k % 4 ? 1 : 0, -1)), 0.13, -0.5f, 0.25f},
              0.7, 0.2, 1.0);
      Oud(s, bar, 0, 0.5f, 0.1);
    } else {
      Oud(s, bar, -1, -0.5f, 0.2);
      if (In(sec, "aF")) Oud(s, bar, 0, 0.55f, 0.08); // a second oud an octave up, on the other side
    }
    const char* bassLine = In(sec, "A")   ? "0:3 r:3 0:2 r:8"
                           : In(sec, "a") ? "0:3 r:3 0:2 r:2 2:2 1:2 0:2"
                           : In(sec, "F") ? "0:2 0:2 r:2 0:2 2:2 r:2 1:2 0:2"
                           : In(sec, "B") ? "0:6 2:2 0:8"
                                          : "0:2 r:2 0:2 2:2 r:2 0:2 1:4";
    Figure(s, bar, bassLine, -2, [&](double at, double dur, int note) {
      Bass(s.mix, {at, dur, Hz(note), 0.3, 0, 0.05f}, 0.2);
    });
  }
  std::vector<Played> tune = s.Tune();
  Play(s, tune, "AaFC", [&](double at, double dur, double hz) { // the ney, with a reed under it
    Flute(s.mix, {at, dur, hz, 0.2, 0.25f, 0.45f}, 0.012, 0.12);
    Lead(s.mix, {at, dur, hz, 0.04, 0.25f, 0.3f}, true, 1800, 0.01, 0.04);
  });
  Play(s, tune, "Bb", [&](double at, double dur, double hz) { // a violin takes the second theme
    Lead(s.mix, {at, dur, hz, 0.12, 0.25f, 0.4f}, false, 3000, 0.01, 0.05);
  });
  Play(s, tune, "b", [&](double at, double dur, double hz) {
    Flute(s.mix, {at, dur, hz / 2, 0.12, -0.3f, 0.4f}, 0.01, 0.1);
  });
  Play(s, s.CounterLine("aF", 57, 69), "aF", [&](double at, double dur, double hz) {
    Lead(s.mix, {at, dur, hz, 0.05, -0.4f, 0.4f}, false, 1600, 0.008, 0.1);
  });
  // A rhythm of its own for each section: maqsum, saidi, baladi for the return,
  // a fast malfuf under the violin, ayoub under its repeat.
  Drums(s, DUM, "x.....x.x.......", "A", 0.45, -0.1f, "x.....x.x.x.xxxx");
  Drums(s, TEK, "..x.......x.x.o.", "A", 0.3, 0.25f);
  Drums(s, DUM, "x..x....x.x.....", "a", 0.45, -0.1f, "x..x....x.x.xxxx");
  Drums(s, TEK, "..x...x.....x.o.", "a", 0.3, 0.25f);
  Drums(s, DUM, "xx....x.x.......", "F", 0.45, -0.1f, "xx....x.x.x.xxxx");
  Drums(s, TEK, "..x...x...x.x.x.", "F", 0.3, 0.25f);
  Drums(s, DUM, "x.....x.x.....x.", "B", 0.42, -0.1f);
  Drums(s, TEK, "...x..x....x..x.", "B", 0.28, 0.25f);
  Drums(s, DUM, "x..x..x.x..x..x.", "b", 0.42, -0.1f);
  Drums(s, TEK, "..x.....x.x.....", "b", 0.28, 0.25f);
  Drums(s, TAMBOURINE, "x.o.x.o.x.o.x.o.", "aB", 0.11, 0.5f);
  Drums(s, TAMBOURINE, "xoxoxoxoxoxoxoxo", "F", 0.09, 0.5f);
  Drums(s, CONGA, "......o.....o.o.", "b", 0.16, -0.45f);
  Drums(s, DUM, "x.......x.......", "C", 0.28, -0.1f, "x...x...x.x.xxxx");
  Drums(s, TAMBOURINE, "", "C", 0.1, 0.5f, "x.x.x.x.xxxxxxxx");
  Risers(s, "C", 0.04);
  return s;
}

// --- Beach: relaxed. F major, marimba, off-beat guitar, steel pan, shaker. ---

Song Beach() {
  const char* chordsA = "0 5 1 4 0 5 3 4";
  const char* tuneA = "4:4 5:2 4:2 2:8 | 0:4 2:4 5:8 | 3:4 5:2 4:2 1:8 | 4:4 1:4 -1:8 | 4:4 5:2 4:2 7:8 | "
                      "9:4 7:4 5:8 | 7:4 5:2 3:2 5:4 7:4 | 6:8 4:4 r:4";
  const char* chordsB = "3 4 2 5 3 4 0 0";
  const char* tuneB = "10:6 9:2 7:8 | 8:6 7:2 6:8 | 6:4 9:4 11:8 | 12:12 r:4 | 7:4 9:4 10:8 | 8:4 9:4 11:8 | "
                      "9:4 7:4 4:8 | 7:12 r:4";
  Song s(
      88, 65, MAJOR, 0.18,
      {MakeSection('A', chordsA, tuneA), MakeSection('B', chordsB, tuneB), MakeSection('a', chordsA, tuneA),
       MakeSection(
           'C', "5 2 3 0 5 2 1 4",
           "5:8 7:8 | 6:8 4:8 | 5:4 3:4 0:8 | 2:12 r:4 | 5:4 7:4 9:8 | 9:4 6:4 4:8 | 3:4 5:4 8:8 | 6:8 4:8"),
       MakeSection('b', chordsB, tuneB),
       MakeSection('D', "3 4 0 5 3 4 1 4",
                   "3:2 5:2 7:4 5:2 3:2 5:4 | 4:2 6:2 8:4 6:2 4:2 6:4 | 7:4 9:4 11:8 | 12:6 11:2 9:8 | "
                   "10:4 9:4 7:8 | 8:4 6:4 4:8 | 5:4 3:4 1:8 | 4:4 6:4 8:8")});
  for (int bar = 0; bar < s.Bars(); ++bar) {
    const Section& sec = s.SectionAt(bar);
    PadChords(s, bar, -1, In(sec, "C") ? 0.045 : 0.03, 1000, 0.9);
    const char* bassLine = In(sec, "A")   ? "0:5 r:1 2:2 r:2 3:4 r:2"
                           : In(sec, "a") ? "0:3 0:1 r:2 2:2 r:2 3:2 2:2 1:2"
                           : In(sec, "B") ? "0:4 2:4 3:4 2:4"
                           : In(sec, "b") ? "0:2 r:2 2:2 r:2 3:2 r:2 2:2 1:2"
                           : In(sec, "D") ? "0:6 2:2 3:6 1:2"
                                          : "0:8 2:8";
    Figure(s, bar, bassLine, -2, [&](double at, double dur, int note) {
      Bass(s.mix, {at, dur, Hz(note), 0.24, 0, 0.05f}, 0);
    });
    if (In(sec, "C")) { // the bridge: a ukulele strums softly instead of the chops
      for (int k : {0, 6, 8, 12}) Strum(s, bar, k, 3, 0, 0.05, k % 8 ? 0.5f : -0.5f, 0.5, k % 8 != 0);
      continue;
    }
    if (In(sec, "Bb")) { // calypso strums on both sides
      for (int k : {0, 3, 6, 10, 12}) Strum(s, bar, k, 2, 0, 0.045, k % 2 ? 0.55f : -0.55f, 0.6, k % 2 != 0);
      continue;
    }
    for (int chop : {4, 12}) // off-beat guitar chops on the right...
      for (int note : s.ChordNotes(bar, chop, 0))
        Pluck(s.mix, {s.Time(bar, chop), s.step * 1.2, Hz(note), 0.1, 0.55f, 0.3f}, 0.6, 0.1, 1.0);
    if (In(sec, "aD")) // ...answered on the left
      for (int chop : {6, 14})
        for (int note : s.ChordNotes(bar, chop, 0))
          Pluck(s.mix, {s.Time(bar, chop), s.step * 0.8, Hz(note), 0.06, -0.55f, 0.3f}, 0.7, 0.05, 0.8);
  }
  std::vector<Played> tune = s.Tune();
  Play(s, tune, "Aa", [&](double at, double dur, double hz) { // marimba, with its echo on the other side
    Mallet(s.mix, {at, dur, hz, 0.3, -0.25f, 0.35f}, 0.3, 0.35);
    Mallet(s.mix, {at + s.step * 3, dur, hz, 0.09, 0.55f, 0.35f}, 0.3, 0.3);
  });
  Play(s, tune, "Bb", [&](double at, double dur, double hz) { // steel pan
    Mallet(s.mix, {at, dur, hz, 0.22, 0.25f, 0.35f}, 0.7, 0.5);
    if (dur > s.step * 3) Mallet(s.mix, {at + s.step, dur, hz, 0.08, 0.25f, 0.35f}, 0.7, 0.4);
  });
  Play(s, tune, "C", [&](double at, double dur, double hz) {
    Flute(s.mix, {at, dur, hz, 0.2, 0.2f, 0.45f}, 0.006, 0.06);
  });
  Play(s, tune, "D", [&](double at, double dur, double hz) { // a guitar solo, marimba an octave under
    Pluck(s.mix, {at, dur, hz, 0.22, -0.2f, 0.35f}, 0.6, 0.25, 2.0);
    Mallet(s.mix, {at, dur, hz / 2, 0.08, 0.4f, 0.3f}, 0.2, 0.3);
  });
  Play(s, s.CounterLine("abD", 60, 72), "abD", [&](double at, double dur, double hz) { // vibraphone
    Mallet(s.mix, {at, dur, hz, 0.07, -0.45f, 0.45f}, 0.15, 0.8);
  });
  // One drop, steppers, calypso, a lighter calypso, a shuffle under the solo.
  Drums(s, KICK, "........x.......", "A", 0.38, 0);
  Drums(s, RIM, "........x.......", "A", 0.18, -0.3f, "....x...x...x.x.");
  Drums(s, KICK, "x...x...x...x...", "a", 0.36, 0);
  Drums(s, RIM, "....x.......x...", "a", 0.16, -0.3f);
  Drums(s, KICK, "x..x..x.x..x..x.", "B", 0.34, 0);
  Drums(s, KICK, "x.......x.x.....", "b", 0.36, 0);
  Drums(s, KICK, "x.....x...x.....", "D", 0.36, 0);
  Drums(s, SNARE, "....x.......x...", "D", 0.15, 0.1f);
  Drums(s, SHAKER, "xoxoxoxoxoxoxoxo", "AaBD", 0.11, 0.5f);
  Drums(s, SHAKER, "x.x.x.x.x.x.x.x.", "bC", 0.11, 0.5f);
  Drums(s, CONGA, "......x.o..x.o..", "BC", 0.15, -0.5f, "x.o.x.ox.ox.xoxo");
  Drums(s, CONGA, "x.o...x.x.o...o.", "b", 0.15, -0.5f, "x.o.x.ox.ox.xoxo");
  Crashes(s, "b", 0.08);
  return s;
}

// --- Mountain: bright and lively. D major, horn and fiddle over running
// celesta and harp, high strings, timpani at the peaks. ---

Song Mountain() {
  const char* chordsA = "0 4 5 3 0 4 3 4";
  const char* opening = "0:2 2:2 4:4 7:6 6:2 | 6:4 4:4 1:8 | 5:2 4:2 2:4 5:6 4:2 | 3:12 r:4 | ";
  const std::string tuneA =
      std::string(opening) + "0:2 2:2 4:4 7:6 8:2 | 8:4 6:4 4:8 | 7:4 5:4 3:4 2:4 | 1:8 -1:4 1:4";
  const std::string tuneA2 =
      std::string(opening) + "7:4 9:4 11:6 10:2 | 8:4 6:4 11:8 | 10:4 9:4 7:4 5:4 | 8:12 r:4";
  const char* chordsB = "5 3 0 4 5 3 1 4";
  const char* tuneB =
      "2:8 5:8 | 3:8 7:8 | 7:6 6:2 4:8 | 4:12 r:4 | 5:8 9:8 | 10:6 9:2 7:8 | 8:6 7:2 5:8 | 6:8 8:8";
  Song s(100, 74, MAJOR, 0,
         {MakeSection('A', chordsA, tuneA.c_str()), MakeSection('a', chordsA, tuneA2.c_str()),
          MakeSection('B', chordsB, tuneB), MakeSection('b', chordsB, tuneB),
          MakeSection('C', "3 3 0 0 1 1 4 4",
                      "7:16 | 5:8 3:8 | 4:16 | 2:8 0:8 | 1:16 | 3:8 5:8 | 6:16 | 4:8 8:8"),
          MakeSection('F', chordsA, tuneA.c_str()),
          MakeSection('T', "3 0 1 4", "5:4 3:4 7:8 | 7:4 4:4 2:8 | 1:4 3:4 5:4 4:4 | 6:4 8:4 4:8")});
  for (int bar = 0; bar < s.Bars(); ++bar) {
    const Section& sec = s.SectionAt(bar);
    // High strings, wide, and their octave below.
    PadChords(s, bar, -1, 0.03, 3000, 0.9);
    PadChords(s, bar, 0, In(sec, "C") ? 0.03 : 0.02, 4500, 0.9);
    if (In(sec, "C")) { // the summit: bells ringing out slowly
      Figure(s, bar, "3:4 4:4 5:4 4:4", 0, [&](double at, double dur, int note) {
        Mallet(s.mix, {at, dur, Hz(note), 0.07, note % 2 ? 0.5f : -0.5f, 0.55f}, 1, 0.8);
      });
      if (s.BarInSection(bar) % 2 == 0)
        Figure(s, bar, "0:16", -2, [&](double at, double dur, int note) {
          Pluck(s.mix, {at, dur, Hz(note), 0.2, 0, 0.3f}, 0.5, 1.0, 3.0);
        });
      continue;
    }
    // Celesta running in eighths on the right (in broken thirds for the
    // second theme).
    Figure(s, bar, In(sec, "Bb") ? "3:2 5:2 4:2 6:2 5:2 4:2 3:2 2:2" : "3:2 4:2 5:2 4:2 3:2 4:2 5:2 6:2", 0,
           [&](double at, double dur, int note) {
             Mallet(s.mix, {at, dur, Hz(note), 0.06, 0.55f, 0.35f}, 1, 0.35);
           });
    if (In(sec, "aFT")) // harp sixteenths on the left
      Figure(s, bar, "0:1 1:1 2:1 3:1 4:1 3:1 2:1 1:1 0:1 1:1 2:1 3:1 4:1 5:1 4:1 3:1", -1,
             [&](double at, double dur, int note) {
               Pluck(s.mix, {at, dur, Hz(note), 0.1, -0.55f, 0.35f}, 0.8, 0.25, 1.5);
             });
    // A light bass in the cello's range, bouncing, galloping or striding by section.
    const char* bassLine = In(sec, "AaT") ? "0:2 r:2 2:2 0:2 3:2 r:2 2:2 0:2"
                           : In(sec, "F") ? "0:2 0:1 0:1 2:2 2:1 2:1 3:2 3:1 3:1 2:2 1:2"
                           : In(sec, "B") ? "0:8 2:8"
                                          : "0:4 2:4 3:4 2:4";
    Figure(s, bar, bassLine, -2, [&](double at, double dur, int note) {
      Bass(s.mix, {at, dur, Hz(note), 0.22, 0, 0.1f}, 0.35);
    });
    if (In(sec, "Bb")) // pizzicato answering the fiddle
      Figure(s, bar, "r:2 2:2 r:2 3:2 r:2 4:2 r:2 3:2", -1, [&](double at, double dur, int note) {
        Pluck(s.mix, {at, dur, Hz(note), 0.12, -0.5f, 0.35f}, 0.5, 0.05, 0.6);
      });
  }
  std::vector<Played> tune = s.Tune();
  Play(s, tune, "AaFT", [&](double at, double dur, double hz) {
    Horn(s.mix, {at, dur, hz / 2, 0.17, -0.15f, 0.45f}, 1.0);
  });
  Play(s, tune, "aFb", [&](double at, double dur, double hz) { // the fiddle joins an octave up
    Lead(s.mix, {at, dur, hz, 0.07, 0.25f, 0.45f}, false, 5000, 0.006, 0.05);
  });
  Play(s, tune, "B", [&](double at, double dur, double hz) {
    Lead(s.mix, {at, dur, hz, 0.12, 0.2f, 0.45f}, false, 5000, 0.007, 0.06);
  });
  Play(s, tune, "b", [&](double at, double dur, double hz) {
    Horn(s.mix, {at, dur, hz / 2, 0.14, -0.2f, 0.45f}, 1.0);
  });
  Play(s, tune, "C", [&](double at, double dur, double hz) {
    Flute(s.mix, {at, dur, hz, 0.18, 0.2f, 0.5f}, 0.006, 0.05);
  });
  Play(s, s.CounterLine("abF", 62, 74), "abF", [&](double at, double dur, double hz) {
    Horn(s.mix, {at, dur, hz, 0.06, -0.45f, 0.45f}, 0.7);
  });
  for (int bar = 0; bar < s.Bars(); ++bar) // timpani on the key note where a section opens
    if (s.BarInSection(bar) == 0 && In(s.SectionAt(bar), "aBbF"))
      Timpani(s.mix, s.Time(bar, 0), Hz(s.ChordTone(bar, 0, 0, -3)), 0.4, -0.15f);
  // Tambourine and hats for the first statement, a backbeat when the harp
  // joins, half time under the fiddle, a march under the horn, a gallop for
  // the return, a roll into the start again.
  Drums(s, HAT, "x.x.x.x.x.x.x.x.", "AaBbT", 0.12, 0.5f);
  Drums(s, HAT, "xoxoxoxoxoxoxoxo", "F", 0.11, 0.5f);
  Drums(s, TAMBOURINE, "....x.......x...", "A", 0.1, -0.5f);
  Drums(s, KICK, "x.......x.......", "aT", 0.38, 0);
  Drums(s, SNARE, "....x.......x...", "a", 0.2, 0.1f, "....x.......x.xx");
  Drums(s, SHAKER, "x.o.x.o.x.o.x.o.", "aF", 0.1, -0.5f);
  Drums(s, KICK, "x.........x.....", "B", 0.38, 0);
  Drums(s, SNARE, "........x.......", "B", 0.22, 0.1f, "........x...x.xx");
  Drums(s, KICK, "x...x...x...x...", "b", 0.34, 0);
  Drums(s, SNARE, "x.xx....x.xx....", "b", 0.14, 0.1f, "x.xx..x.x.xxxxxx");
  Drums(s, KICK, "x..x..x.x..x..x.", "F", 0.36, 0);
  Drums(s, SNARE, "....x.......x...", "F", 0.2, 0.1f, "....x.......x.xx");
  Drums(s, SNARE, "o.o.o.o.o.o.o.o.", "T", 0.16, 0.1f, "oooooooxxxxxxxxx");
  Drums(s, TOM, "", "C", 0.3, 0.1f, "x.......x...x.x.");
  Risers(s, "C", 0.05);
  Crashes(s, "aBF", 0.12);
  return s;
}

// --- Title: catchy and bright. C major, bell-and-square lead, sparkling
// arpeggios, a pulsing bass and a steady beat. ---

Song Title() {
  const char* chordsA = "0 4 5 3 0 4 3 4";
  const char* tuneA = "0:2 2:2 4:4 7:4 4:4 | 6:4 4:2 6:2 8:8 | 7:4 5:2 4:2 2:4 5:4 | 3:8 5:4 3:4 | "
                      "0:2 2:2 4:4 7:4 9:4 | 8:4 6:4 4:8 | 3:2 4:2 5:4 7:4 5:4 | 4:4 6:4 8:8";
  const char* chordsB = "3 4 2 5 3 4 0 0";
  const char* tuneB = "5:6 4:2 3:8 | 4:6 6:2 8:8 | 6:4 4:4 2:8 | 5:12 r:4 | 7:6 5:2 3:8 | 8:6 6:2 4:8 | "
                      "9:4 8:4 7:8 | 7:12 r:4";
  Song s(116, 72, MAJOR, 0,
         {MakeSection('A', chordsA, tuneA), MakeSection('B', chordsB, tuneB),
          MakeSection('a', chordsA, tuneA),
          MakeSection('C', "5 3 0 4 5 3 1 4",
                      "r:4 2:2 4:2 5:8 | r:4 3:2 5:2 7:8 | r:4 4:2 7:2 9:8 | 8:8 6:8 | r:4 9:2 8:2 7:8 | "
                      "r:4 7:2 5:2 3:8 | 1:4 3:4 5:8 | 4:4 6:4 8:8"),
          MakeSection('D', "57 27 37 07 57 27 3 4",
                      "9:16 | 8:16 | 7:16 | 6:8 4:8 | 7:8 9:8 | 11:8 8:8 | 10:8 9:4 7:4 | 8:8 11:8"),
          MakeSection('b', chordsB, tuneB), MakeSection('F', chordsA, tuneA),
          MakeSection('T', "3 4 1 4", "5:4 7:4 10:8 | 11:4 8:4 6:8 | 8:4 5:4 3:8 | 4:4 6:4 8:4 11:4")});
  for (int bar = 0; bar < s.Bars(); ++bar) {
    const Section& sec = s.SectionAt(bar);
    PadChords(s, bar, -1, In(sec, "D") ? 0.045 : 0.025, 1500, 0.9);
    const bool soft = In(sec, "D") && s.BarInSection(bar) < 4;
    // Sparkling arpeggios, note by note from side to side; each section its own figure.
    const char* arpeggio = In(sec, "AaF")  ? "0:1 1:1 2:1 3:1 4:1 5:1 4:1 3:1 0:1 1:1 2:1 3:1 4:1 5:1 4:1 3:1"
                           : In(sec, "Bb") ? "0:2 2:2 1:2 3:2 2:2 4:2 3:2 5:2"
                           : In(sec, "C")  ? "3:2 2:2 1:2 0:2 3:2 2:2 1:2 0:2"
                           : In(sec, "D")  ? "0:4 1:4 2:4 3:4"
                                          : "0:1 2:1 4:1 6:1 0:1 2:1 4:1 6:1 1:1 3:1 5:1 7:1 1:1 3:1 5:1 7:1";
    int step = 0;
    Figure(s, bar, arpeggio, -1, [&](double at, double dur, int note) {
      float pan = step++ % 2 ? 0.55f : -0.55f;
      Pluck(s.mix, {at, dur, Hz(note), soft ? 0.08 : 0.1, pan, 0.3f}, soft ? 0.3 : 0.7, 0.15, 1.0);
    });
    if (soft) continue;
    const char* bassLine = In(sec, "A")   ? "0:2 3:2 0:2 3:2 0:2 3:2 0:2 3:2"
                           : In(sec, "a") ? "0:2 0:2 3:2 0:2 2:2 0:2 3:2 1:2"
                           : In(sec, "F") ? "0:1 0:1 3:2 0:1 0:1 3:2 0:1 0:1 3:2 2:2 1:2"
                           : In(sec, "B") ? "0:6 0:2 2:8"
                           : In(sec, "b") ? "0:2 3:2 2:2 3:2 0:2 3:2 2:2 1:2"
                           : In(sec, "C") ? "0:4 r:4 2:4 r:4"
                                          : "0:2 0:2 0:2 0:2 0:2 0:2 0:2 0:2";
    Figure(s, bar, bassLine, -2, [&](double at, double dur, int note) {
      Bass(s.mix, {at, dur * 0.8, Hz(note), 0.18, 0, 0.02f}, 0.4);
    });
  }
  std::vector<Played> tune = s.Tune();
  Play(s, tune, "AaFCT", [&](double at, double dur, double hz) {
    Mallet(s.mix, {at, dur, hz, 0.17, 0.35f, 0.35f}, 0.8, 0.4);
    Lead(s.mix, {at, dur, hz, 0.055, 0.15f, 0.3f}, true, 3000, 0.003, 0.005);
  });
  Play(s, tune, "F", [&](double at, double dur, double hz) {
    Mallet(s.mix, {at, dur, hz * 2, 0.08, 0.45f, 0.4f}, 1, 0.35);
  });
  Play(s, tune, "Bb", [&](double at, double dur, double hz) {
    Lead(s.mix, {at, dur, hz, 0.11, 0.2f, 0.35f}, false, 3500, 0.006, 0.02);
  });
  Play(s, tune, "b", [&](double at, double dur, double hz) {
    Mallet(s.mix, {at, dur, hz * 2, 0.07, 0.5f, 0.4f}, 0.9, 0.35);
  });
  Play(s, tune, "D", [&](double at, double dur, double hz) {
    Mallet(s.mix, {at, dur, hz, 0.18, 0.25f, 0.55f}, 1, 0.9);
  });
  Play(s, s.CounterLine("abF", 60, 72), "abF", [&](double at, double dur, double hz) { // strings
    Lead(s.mix, {at, dur, hz, 0.05, -0.45f, 0.45f}, false, 2200, 0.005, 0.12);
  });
  // Four on the floor, with a skip in the second statement and sixteenth hats
  // in the last; half time under the first chorus, disco under the second; toms
  // for the bridge; the breakdown and the turn build back up with rolls.
  Drums(s, KICK, "x...x...x...x...", "AF", 0.36, 0);
  Drums(s, KICK, "x...x...x...x.x.", "aT", 0.36, 0);
  Drums(s, KICK, "x.........x.....", "B", 0.36, 0);
  Drums(s, KICK, "x...x...x...x...", "b", 0.34, 0);
  Drums(s, KICK, "", "D", 0.34, 0, "x...x...x.x.x.x.");
  Drums(s, SNARE, "....x.......x...", "Aab", 0.3, 0.05f, "....x.......x.xx");
  Drums(s, SNARE, "........x.......", "B", 0.3, 0.05f, "........x...x.xx");
  Drums(s, CLAP, "....x.......x...", "F", 0.17, -0.15f);
  Drums(s, SNARE, "....x.......x...", "F", 0.26, 0.05f, "....x.......x.xx");
  Drums(s, SNARE, "", "D", 0.26, 0.05f, "x.x.x.x.xxxxxxxx");
  Drums(s, SNARE, "....x.......x.xx", "T", 0.3, 0.05f, "..x.x.x.xxxxxxxx");
  Drums(s, TOM, "x.....x...x.....", "C", 0.26, 0.15f, "x.....x...x.x.xx");
  Drums(s, RIM, "....x.......x...", "C", 0.14, -0.3f);
  Drums(s, HAT, "..x...x...x...x.", "AaBT", 0.15, 0.45f);
  Drums(s, HAT, "xoxoxoxoxoxoxoxo", "F", 0.12, 0.45f);
  Drums(s, OPENHAT, "..x...x...x...x.", "b", 0.1, 0.45f);
  Drums(s, HAT, "x.x.x.x.x.x.x.x.", "D", 0.1, 0.45f);
  Drums(s, SHAKER, "oxoxoxoxoxoxoxox", "aC", 0.07, -0.45f);
  Risers(s, "D", 0.05);
  Crashes(s, "BabF", 0.13);
  return s;
}

// --- Map: calm and adventurous. D dorian, harp, flute and clarinet, soft
// pads and a walking hand drum. ---

Song Map() {
  const char* chordsA = "0 3 0 6 0 3 4 6";
  const char* tuneA = "0:4 2:4 4:8 | 3:6 5:2 7:8 | 4:4 6:4 4:8 | 3:12 r:4 | 0:4 2:4 4:6 5:2 | 7:6 5:2 3:8 | "
                      "4:4 6:4 8:8 | 6:8 r:8";
  const char* chordsB = "2 6 3 0 2 6 3 4";
  const char* tuneB = "2:6 1:2 -1:8 | 1:6 2:2 3:8 | 3:4 5:4 7:8 | 4:12 r:4 | 6:6 4:2 2:8 | 6:6 4:2 3:8 | "
                      "5:4 3:4 7:4 5:4 | 1:4 -1:4 -3:8";
  Song s(84, 62, DORIAN, 0.1,
         {MakeSection('A', chordsA, tuneA), MakeSection('B', chordsB, tuneB),
          MakeSection(
              'C', "4 3 2 6 4 3 1 4",
              "4:8 8:8 | 7:8 5:8 | 6:4 4:4 2:8 | 3:12 r:4 | 4:4 6:4 8:8 | 7:4 5:4 3:8 | 5:4 3:4 1:8 | 4:16"),
          MakeSection('a', chordsA, tuneA), MakeSection('b', chordsB, tuneB),
          MakeSection('T', "3 6 3 4", "3:4 5:4 7:8 | 6:8 3:8 | 5:6 3:2 0:8 | 1:8 -1:8")});
  for (int bar = 0; bar < s.Bars(); ++bar) {
    const Section& sec = s.SectionAt(bar);
    // The harp: rising and falling eighths, broken chords for the second
    // theme, slow quarters in the bridge, sixteenths when the theme returns.
    const char* harp = In(sec, "AT")   ? "0:2 1:2 2:2 3:2 4:2 3:2 2:2 1:2"
                       : In(sec, "Bb") ? "0:2 2:2 1:2 3:2 2:2 4:2 3:2 1:2"
                       : In(sec, "C")  ? "0:4 2:4 4:4 3:4"
                                       : "0:1 1:1 2:1 3:1 4:1 3:1 2:1 1:1 0:1 1:1 2:1 3:1 4:1 5:1 4:1 3:1";
    int step = 0;
    Figure(s, bar, harp, -1, [&](double at, double dur, int note) {
      float pan = step++ % 2 ? 0.55f : -0.55f;
      Pluck(s.mix, {at, dur, Hz(note), In(sec, "a") ? 0.12 : 0.18, pan, 0.4f}, 0.3, 1.0, 3.0);
    });
    PadChords(s, bar, -1, In(sec, "C") ? 0.05 : 0.035, 900, 0.9);
    const char* bassLine = In(sec, "A")   ? "0:10 r:2 2:3 r:1"
                           : In(sec, "a") ? "0:6 2:4 1:6"
                           : In(sec, "B") ? "0:4 r:4 2:4 r:4"
                           : In(sec, "b") ? "0:6 0:2 2:4 3:4"
                                          : "0:16";
    Figure(s, bar, bassLine, -2, [&](double at, double dur, int note) {
      Bass(s.mix, {at, dur, Hz(note), 0.22, 0, 0.05f}, 0);
    });
    if (In(sec, "b")) // pizzicato strings answer the clarinet
      Figure(s, bar, "r:4 2:2 r:2 3:2 r:2 2:4", 0, [&](double at, double dur, int note) {
        Pluck(s.mix, {at, dur, Hz(note), 0.1, 0.5f, 0.35f}, 0.5, 0.05, 0.6);
      });
  }
  std::vector<Played> tune = s.Tune();
  Play(s, tune, "AaT", [&](double at, double dur, double hz) {
    Flute(s.mix, {at, dur, hz * 2, 0.18, 0.25f, 0.45f}, 0.007, 0.06);
  });
  Play(s, tune, "Bb", [&](double at, double dur, double hz) { // clarinet
    Lead(s.mix, {at, dur, hz * 2, 0.1, 0.25f, 0.4f}, true, 1700, 0.004, 0.05);
  });
  Play(s, tune, "C", [&](double at, double dur, double hz) { // oboe
    Lead(s.mix, {at, dur, hz, 0.1, 0.25f, 0.45f}, false, 2400, 0.007, 0.06);
  });
  Play(s, s.CounterLine("ab", 57, 69), "ab", [&](double at, double dur, double hz) { // strings
    Lead(s.mix, {at, dur, hz, 0.05, -0.45f, 0.45f}, false, 1800, 0.005, 0.15);
  });
  // A walking hand drum, joined by taps and a shaker as the journey goes on.
  Drums(s, DUM, "x.....x...x.....", "AB", 0.26, -0.1f);
  Drums(s, DUM, "x..x....x..x....", "ab", 0.26, -0.1f);
  Drums(s, DUM, "x.....x.....x...", "T", 0.26, -0.1f, "x.....x.x.x.x.x.");
  Drums(s, TEK, "....o.......o..o", "Ba", 0.14, 0.3f, "....o...o.o.o.oo");
  Drums(s, TEK, "..o...o...o...o.", "b", 0.13, 0.3f, "....o...o.o.o.oo");
  Drums(s, SHAKER, "x.o.x.o.x.o.x.o.", "BbT", 0.07, 0.5f);
  Drums(s, SHAKER, "xoxoxoxoxoxoxoxo", "a", 0.06, 0.5f);
  Drums(s, DUM, "x...............", "C", 0.2, -0.1f, "x.......x...x.x.");
  return s;
}

} // namespace

bool WriteMusic(const std::string& dataDir) {
  struct Track {
    Song (*compose)();
    const char* title;
    float reverb, room;
    Tone tone;
  };
  // In the order of the music catalogue (track number - 1).
  const Track tracks[MUSIC_COUNT] = {
      {Forest, "Forest", 1.0f, 0.6f, {}},
      {City, "City", 0.6f, 0.4f, {}},
      {Desert, "Desert", 1.0f, 0.65f, {}},
      {Beach, "Beach", 0.8f, 0.5f, {}},
      // The mountain track plays for fifteen levels: airy and bright, no rumble.
      {Mountain, "Mountain", 1.0f, 0.75f, {60, 2.0}},
      {Title, "Title", 0.9f, 0.5f, {}},
      {Map, "Map", 0.9f, 0.7f, {}},
  };
  // Each track is encoded while the next one is played and mixed: the encoder
  // takes as long as the band, and the two keep two cores busy. One encoder at a
  // time, so memory stays at two tracks.
  std::vector<uint8_t> bytes[MUSIC_COUNT];
  bool encoded[MUSIC_COUNT] = {};
  std::thread encoder;
  for (int t = 0; t < MUSIC_COUNT; ++t) {
    SeedRandom(7000 + 31 * t);
    Song song = tracks[t].compose();
    AddReverb(song.mix, tracks[t].reverb, tracks[t].room);
    Master(song.mix, tracks[t].tone);
    if (encoder.joinable()) encoder.join();
    auto encode = [t, &tracks, &bytes, &encoded, left = std::move(song.mix.l),
                   right = std::move(song.mix.r)] {
      encoded[t] = EncodeVorbis(left, right, 0x51000 + t, tracks[t].title, VORBIS_QUALITY, bytes[t]);
    };
    try {
      encoder = std::thread(std::move(encode));
    } catch (const std::system_error&) {
      encode(); // no thread to be had: encode here
    }
  }
  if (encoder.joinable()) encoder.join();
  for (int t = 0; t < MUSIC_COUNT; ++t) {
    std::string path = dataDir + "music/" + MusicFiles[t];
    if (!encoded[t]) {
      std::fprintf(stderr, "datagen: %s: the Vorbis encoder refused its settings\n", path.c_str());
      return false;
    }
    if (!WriteDataFile(path, bytes[t])) return false;
  }
  return true;
}
