// The band that plays the generated music: a looping stereo mix with a reverb
// send, the instruments and drums that play into it, and the room they play in.
#pragma once
#include <cstddef>
#include <vector>

namespace music {

// A stereo loop of fixed length with a reverb send. Writes past the end wrap
// round to the start, so notes that ring over the loop point sound at its start.
class Mix {
public:
  explicit Mix(size_t length) : n(length), l(length), r(length), sendL(length), sendR(length) {}
  // Adds `v` at sample `i`, placed by `pan` (-1 left .. 1 right, equal power),
  // with `send` of it going to the reverb as well.
  void Put(size_t i, float v, float pan, float send) {
    size_t k = i < n ? i : i % n;
    if (pan != lastPan_) Gains(pan); // a note keeps its place, so the gains are worked out once
    l[k] += v * gl_;
    r[k] += v * gr_;
    sendL[k] += v * gl_ * send;
    sendR[k] += v * gr_ * send;
  }
  // Adds a sound that is stereo in itself, its balance shifted by `pan`: the
  // far side is turned down, the near side kept.
  void PutStereo(size_t i, float left, float right, float pan, float send) {
    size_t k = i < n ? i : i % n;
    float a = pan > 0 ? left * (1 - pan) : left, b = pan < 0 ? right * (1 + pan) : right;
    l[k] += a;
    r[k] += b;
    sendL[k] += a * send;
    sendR[k] += b * send;
  }

  size_t n;
  std::vector<float> l, r, sendL, sendR;
  // Every pan is multiplied by this (and kept within -1..1): how widely the
  // band is spread across the stereo field.
  float spread = 1.6f;

private:
  float lastPan_ = 2, gl_ = 0, gr_ = 0;
  void Gains(float pan);
};

// Where a note sounds: start and length in seconds, pitch, loudness, stereo
// place and how much of it goes to the reverb.
struct NoteOn {
  double at, dur, hz, vel;
  float pan, send;
};

size_t Index(double seconds);

// --- instruments (all add into the mix) ---------------------------------------

// Plucked string (guitar, harp, oud): `bright` 0..1 colours the pluck, `ring`
// is how long it sounds after the note ends, `decay` the seconds to fall 60 dB.
void Pluck(Mix& m, const NoteOn& n, double bright, double ring, double decay = 2.5);
// Electric piano: a bell-like attack that mellows.
void EPiano(Mix& m, const NoteOn& n);
// Soft pad of detuned saws through a gentle low-pass; `width` 0..1 spreads the
// voices from the middle out to both sides.
void Pad(Mix& m, const NoteOn& n, double cutoff, double attack, double release, double width = 0);
// Flute or ney: a near-sine with breath and a vibrato that arrives late.
void Flute(Mix& m, const NoteOn& n, double vibrato, double breath);
// Saw (violin, synth) or square (chip, clarinet) lead through a low-pass that
// opens with the note.
void Lead(Mix& m, const NoteOn& n, bool square, double cutoff, double vibrato, double attack);
// Horn: a brassy saw whose brightness swells in with the breath.
void Horn(Mix& m, const NoteOn& n, double brightness);
// Mallets: marimba (`hardness` low) to celesta and glockenspiel (`hardness` 1).
void Mallet(Mix& m, const NoteOn& n, double hardness, double tau);
// Bass: a round sine with a touch of second harmonic; `pluck` adds a snapping
// filtered saw for funkier lines.
void Bass(Mix& m, const NoteOn& n, double pluck);
// A tuned kettle drum.
void Timpani(Mix& m, double at, double hz, double vel, float pan);
// A wide noise swell rising into the next section.
void Riser(Mix& m, double at, double dur, double vel);

// --- drums ----------------------------------------------------------------------

enum Drum { KICK, SNARE, HAT, OPENHAT, SHAKER, CLAP, RIM, DUM, TEK, TOM, TAMBOURINE, CRASH, CONGA };
void Hit(Mix& m, Drum d, double at, double vel, float pan);

// --- the room ----------------------------------------------------------------

// A stereo room (parallel damped combs into series all-passes, tuned apart on
// the two sides so the reverb spreads wide) fed by the send, added at `wet`.
// `size` 0..1 from a small room to a hall. The room is run round the loop once
// to fill it, so the tail of the loop's end already rings into its start.
void AddReverb(Mix& m, float wet, float size);

} // namespace music
