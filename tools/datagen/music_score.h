// The written music: a piece in a key, made of sections (each with its chords,
// one per half bar, and its tune), and the helpers that turn it into timed
// pitches for the band of music_mix.h.
//
// Chords are written as scale degrees 0..6, one per bar ("0 4 5 3"; "5/4"
// splits a bar into two halves), a "7" after the degree adding the seventh and
// an "s" suspending the fourth ("07" is the chord on degree 0 with its seventh,
// "4s/4" a suspension resolving in the second half).
//
// Tunes are written as degree:sixteenths tokens ("2:4 4:4 7:8"), degrees
// counted from the key note in the tune's octave (7 is an octave up in a
// seven-note scale, -1 the step below the key note), "#" or "b" after a degree
// to raise or lower it a semitone, "r" for a rest and "|" between bars, which
// is checked to fall on a bar line.
#pragma once
#include <string>
#include <vector>

#include "music_mix.h"

namespace music {

extern const std::vector<int> MAJOR, DORIAN, PHRYGIAN_DOMINANT;

struct Chord {
  int root = 0; // scale degree
  bool seventh = false;
  bool sus = false; // the fourth instead of the third
};

struct TuneNote {
  int start;  // sixteenths from the section's start
  int length; // sixteenths
  int degree;
  int shift; // semitones of a sharp or flat
};

struct Section {
  char name;                  // the arrangement picks its instruments and beat by this letter
  std::vector<Chord> chords;  // two per bar
  std::vector<TuneNote> tune; // may be empty
  int Bars() const { return static_cast<int>(chords.size() / 2); }
};

// Parses the chords and the tune; a tune that does not fill the section's bars
// exactly, or a malformed token, stops the generator with a message (the score
// is the generator's own, so this is a mistake to fix at once).
Section MakeSection(char name, const char* chords, const char* tune = "");

// One timed pitch of a line.
struct Played {
  int bar;       // absolute bar in the piece
  double start;  // sixteenth in that bar
  double length; // sixteenths
  int note;      // MIDI
  int section;   // index of the section it belongs to
};

class Song {
public:
  Song(double bpm, int tonic, std::vector<int> scale, double swing, std::vector<Section> parts);

  // A sixteenth is a whole number of samples, so the loop length is exact.
  static size_t StepSamples(double bpm);

  Mix mix;
  double step; // seconds per sixteenth note
  int tonic;   // MIDI note of degree 0 in the tune's octave
  std::vector<int> scale;
  double swing; // delay of every odd sixteenth, as a fraction of a sixteenth
  std::vector<Section> sections;

  int Bars() const { return static_cast<int>(barSection_.size()); }
  double Seconds() const;
  // Start of sixteenth `sixteenth` (may be fractional or beyond 16) of `bar`, seconds.
  double Time(int bar, double sixteenth) const;
  // MIDI note of a scale degree (any integer) with a semitone shift.
  int Note(int degree, int octaveShift = 0, int shift = 0) const;

  // The section playing at `bar`, its index, and the bar within it.
  const Section& SectionAt(int bar) const { return sections[barSection_[bar]]; }
  int SectionIndex(int bar) const { return barSection_[bar]; }
  int BarInSection(int bar) const { return barInSection_[bar]; }
  bool LastBarOfSection(int bar) const { return BarInSection(bar) == SectionAt(bar).Bars() - 1; }

  const Chord& ChordAt(int bar, double sixteenth = 0) const;
  // Chord tone `index` (0 root, 1 third or fourth, 2 fifth, 3 seventh or the
  // octave; higher indices climb on through the octaves) of the chord at that
  // moment, as a MIDI note `octave` octaves from the key note.
  int ChordTone(int bar, double sixteenth, int index, int octave) const;
  // The three (or four with a seventh) notes of the chord, `octave` octaves from the key note.
  std::vector<int> ChordNotes(int bar, double sixteenth, int octave) const;

  // Every note of every section's tune, `octave` octaves from where it is written.
  std::vector<Played> Tune(int octave = 0) const;
  // A second voice under or over the tune for the sections named in `names`: a
  // chord tone every half bar, each the one nearest the last (so the line moves
  // by small steps), kept within low..high (MIDI).
  std::vector<Played> CounterLine(const char* names, int low, int high) const;

private:
  std::vector<int> barSection_, barInSection_;
};

// Plays `pattern` (16 characters per bar: 'x' loud, 'o' soft, anything else
// silent) in every bar of the sections named in `names`, with a light random
// humanisation of loudness; `lastBar` (if given) is played instead in the last
// bar of each such section, for a fill or a break.
void Drums(Song& s, Drum d, const char* pattern, const char* names, double vel, float pan,
           const char* lastBar = nullptr);

// True when section `name` is one of the letters in `names`.
bool In(const Section& section, const char* names);

// Hz of a MIDI note.
double Hz(int note);

} // namespace music
