#include "music_score.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "core/arith.h"
#include "synth.h"

namespace music {

const std::vector<int> MAJOR = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> DORIAN = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> PHRYGIAN_DOMINANT = {0, 1, 4, 5, 7, 8, 10};

namespace {

[[noreturn]] void ScoreError(char section, const std::string& what) {
  std::fprintf(stderr, "datagen: music score, section %c: %s\n", section, what.c_str());
  std::exit(1);
}

// A chord is one scale degree digit (0..6) and its marks.
Chord ParseChord(char section, const std::string& token) {
  Chord c;
  if (token.empty() || token[0] < '0' || token[0] > '6') ScoreError(section, "bad chord \"" + token + "\"");
  c.root = token[0] - '0';
  for (size_t i = 1; i < token.size(); ++i) {
    if (token[i] == '7')
      c.seventh = true;
    else if (token[i] == 's')
      c.sus = true;
    else
      ScoreError(section, "bad chord \"" + token + "\"");
  }
  return c;
}

} // namespace

Section MakeSection(char name, const char* chords, const char* tune) {
  Section s{name, {}, {}};
  std::istringstream chordIn(chords);
  std::string token;
  while (chordIn >> token) {
    size_t slash = token.find('/');
    Chord first = ParseChord(name, token.substr(0, slash));
    Chord second = slash == std::string::npos ? first : ParseChord(name, token.substr(slash + 1));
    s.chords.push_back(first);
    s.chords.push_back(second);
  }
  if (s.chords.empty()) ScoreError(name, "no chords");
  std::istringstream tuneIn(tune);
  int pos = 0;
  while (tuneIn >> token) {
    if (token == "|") {
      if (pos % 16 != 0) ScoreError(name, "bar line at sixteenth " + std::to_string(pos));
      continue;
    }
    size_t colon = token.find(':');
    if (colon == std::string::npos || colon == 0) ScoreError(name, "bad note \"" + token + "\"");
    int length = std::atoi(token.c_str() + colon + 1);
    if (length <= 0) ScoreError(name, "bad length in \"" + token + "\"");
    std::string pitch = token.substr(0, colon);
    if (pitch != "r") {
      TuneNote n{pos, length, 0, 0};
      while (!pitch.empty() && (pitch.back() == '#' || pitch.back() == 'b')) {
        n.shift += pitch.back() == '#' ? 1 : -1;
        pitch.pop_back();
      }
      size_t used = 0;
      try {
        n.degree = std::stoi(pitch, &used);
      } catch (...) {
        ScoreError(name, "bad note \"" + token + "\"");
      }
      if (used != pitch.size()) ScoreError(name, "bad note \"" + token + "\"");
      s.tune.push_back(n);
    }
    pos += length;
  }
  if (pos != 0 && pos != s.Bars() * 16)
    ScoreError(name,
               "tune of " + std::to_string(pos) + " sixteenths in " + std::to_string(s.Bars()) + " bars");
  return s;
}

size_t Song::StepSamples(double bpm) {
  return static_cast<size_t>(std::lround(synth::RATE * 60.0 / bpm / 4));
}

namespace {
size_t CountBars(const std::vector<Section>& parts) {
  size_t bars = 0;
  for (const Section& s : parts) bars += static_cast<size_t>(s.Bars());
  return bars;
}
} // namespace

Song::Song(double bpm, int tonicNote, std::vector<int> scaleSteps, double swingAmount,
           std::vector<Section> parts)
    : mix(StepSamples(bpm) * 16 * CountBars(parts)),
      step(static_cast<double>(StepSamples(bpm)) / synth::RATE), tonic(tonicNote),
      scale(std::move(scaleSteps)), swing(swingAmount), sections(std::move(parts)) {
  for (size_t i = 0; i < sections.size(); ++i)
    for (int b = 0; b < sections[i].Bars(); ++b) {
      barSection_.push_back(static_cast<int>(i));
      barInSection_.push_back(b);
    }
}

double Song::Seconds() const {
  return static_cast<double>(mix.n) / synth::RATE;
}

double Song::Time(int bar, double sixteenth) const {
  double s = sixteenth;
  if (static_cast<long>(std::floor(s)) % 2 != 0) s += swing;
  return (bar * 16 + s) * step;
}

int Song::Note(int degree, int octaveShift, int shift) const {
  int len = static_cast<int>(scale.size());
  int oct = degree >= 0 ? degree / len : -((-degree + len - 1) / len);
  return tonic + scale[degree - oct * len] + 12 * (oct + octaveShift) + shift;
}

const Chord& Song::ChordAt(int bar, double sixteenth) const {
  int b = ((bar % Bars()) + Bars()) % Bars();
  int half = sixteenth >= 8 ? 1 : 0;
  return SectionAt(b).chords[2 * BarInSection(b) + half];
}

int Song::ChordTone(int bar, double sixteenth, int index, int octave) const {
  const Chord& c = ChordAt(bar, sixteenth);
  const int size = c.seventh ? 4 : 3;
  // Steps above the root, in scale degrees: root, third (or fourth), fifth, seventh.
  const int steps[4] = {0, c.sus ? 3 : 2, 4, 6};
  int oct = index >= 0 ? index / size : -((-index + size - 1) / size);
  int k = index - oct * size;
  return Note(c.root + steps[k], octave + oct);
}

std::vector<int> Song::ChordNotes(int bar, double sixteenth, int octave) const {
  std::vector<int> notes;
  int size = ChordAt(bar, sixteenth).seventh ? 4 : 3;
  for (int k = 0; k < size; ++k) notes.push_back(ChordTone(bar, sixteenth, k, octave));
  return notes;
}

std::vector<Played> Song::Tune(int octave) const {
  std::vector<Played> out;
  int firstBar = 0;
  for (size_t i = 0; i < sections.size(); ++i) {
    for (const TuneNote& n : sections[i].tune)
      out.push_back({firstBar + n.start / 16, static_cast<double>(n.start % 16),
                     static_cast<double>(n.length), Note(n.degree, octave, n.shift), static_cast<int>(i)});
    firstBar += sections[i].Bars();
  }
  return out;
}

std::vector<Played> Song::CounterLine(const char* names, int low, int high) const {
  std::vector<Played> out;
  int last = (low + high) / 2;
  for (int bar = 0; bar < Bars(); ++bar) {
    if (!In(SectionAt(bar), names)) continue;
    for (int half = 0; half < 2; ++half) {
      double at = half * 8.0;
      // The nearest chord tone; on a tie the lower, so the line tends to sink
      // back rather than climb out of its range.
      int best = -1, bestDistance = 1000;
      for (int k = -8; k < 16; ++k) {
        int note = ChordTone(bar, at, k, 0);
        if (note < low || note > high) continue;
        int distance = std::abs(note - last);
        if (distance == 0 && half == 1) distance = 3; // move within the bar where the chord allows
        if (distance < bestDistance) best = note, bestDistance = distance;
      }
      if (best < 0) continue;
      out.push_back({bar, at, 8.0, best, SectionIndex(bar)});
      last = best;
    }
  }
  return out;
}

bool In(const Section& section, const char* names) {
  return std::strchr(names, section.name) != nullptr;
}

void Drums(Song& s, Drum d, const char* pattern, const char* names, double vel, float pan,
           const char* lastBar) {
  for (int bar = 0; bar < s.Bars(); ++bar) {
    if (!In(s.SectionAt(bar), names)) continue;
    const char* p = lastBar && s.LastBarOfSection(bar) ? lastBar : pattern;
    for (int k = 0; p[k] && k < 16; ++k) {
      char c = p[k];
      if (c != 'x' && c != 'o') continue;
      double v = vel * (c == 'x' ? 1.0 : 0.45) * (0.9 + Random(20) / 100.0);
      Hit(s.mix, d, s.Time(bar, k), v, pan);
    }
  }
}

double Hz(int note) {
  return synth::NoteHz(note);
}

} // namespace music
