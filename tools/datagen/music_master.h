// Mastering the music loops and writing them as Ogg Vorbis.
#pragma once
#include <cstdint>
#include <vector>

#include "music_mix.h"

namespace music {

// Every track is mastered to the same integrated loudness (so a theme change
// never jumps in level, and effects sit the same over all of them) with its
// sample peaks held under a ceiling that leaves room for the encoder's overshoot
// and for the effects mixed over the music.
constexpr double TARGET_LOUDNESS = -16.0; // LUFS
constexpr double PEAK_CEILING = -3.0;     // dBFS

struct Tone {
  double lowCut = 35; // Hz: rumble below the bass is only weight on the limiter
  double shelfDb = 0; // brightening above 3 kHz
};

// Shapes the tone, sets the loudness and limits the peaks, all treating the mix
// as the loop it is (filters and limiter run round from its end into its start).
void Master(Mix& m, const Tone& tone);

// Encodes the loop as Ogg Vorbis, 44100 Hz stereo, at Vorbis quality `quality`
// (-0.1..1). False when the encoder refuses its settings.
bool EncodeVorbis(const std::vector<float>& left, const std::vector<float>& right, int serial,
                  const char* title, float quality, std::vector<uint8_t>& out);

} // namespace music
