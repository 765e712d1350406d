// Measuring the generated sounds the way a mastering engineer would: integrated
// loudness (ITU-R BS.1770 with EBU R128 gating), true peak (4x oversampled),
// stereo width, the level a sound ends on, and what SDL_mixer makes of an
// effect played over a music track at given volumes. Used by the loudness tool
// and by the tests of the generated data.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace measure {

// Interleaved signed 16-bit PCM, as the game's mixer plays it.
struct Pcm {
  int rate = 0;
  int channels = 0;
  std::vector<int16_t> samples;
  size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
  double Seconds() const { return rate > 0 ? static_cast<double>(Frames()) / rate : 0; }
  // Sample `frame` of channel `ch`, scaled to -1..1.
  double At(size_t frame, int ch) const { return samples[frame * channels + ch] / 32768.0; }
};

// A 16-bit PCM WAV file (RIFF chunks in any order, unknown ones skipped). On
// failure `error` says what is wrong and `out` is left empty.
bool ParseWav(const std::vector<uint8_t>& bytes, Pcm& out, std::string& error);
bool ReadWav(const std::string& path, Pcm& out, std::string& error);
// An Ogg Vorbis file decoded with libvorbisfile, the decoder the game's mixer uses.
bool ReadOgg(const std::string& path, Pcm& out, std::string& error);

// Level in dB of a linear amplitude or power ratio; very small values give -200.
double AmplitudeDb(double linear);
double PowerDb(double ratio);

// Integrated loudness in LUFS over the whole sound (one shorter than a 400 ms
// block counts as one block); -200 when every block is below the -70 LUFS gate.
double IntegratedLoudness(const Pcm& pcm);
// The same for float samples in -1..1, one channel or two (`right` null for one).
double IntegratedLoudness(const float* left, const float* right, size_t frames, int rate);
// The loudest 400 ms block in LUFS (momentary maximum); -200 for silence.
double MaxMomentaryLoudness(const Pcm& pcm);
// Highest sample magnitude, dBFS.
double SamplePeak(const Pcm& pcm);
// Highest magnitude between the samples as well, from 4x oversampling, dBFS.
// `looped` treats the sound as a loop whose end runs into its start.
double TruePeak(const Pcm& pcm, bool looped);
// Energy of the side signal (L-R)/2 against the mid signal (L+R)/2, dB; -200 for mono.
double SideToMid(const Pcm& pcm);
// Highest sample magnitude in the last `seconds`, dBFS.
double TailPeak(const Pcm& pcm, double seconds);
// Time from the start to the last sample above `floorDb` dBFS, seconds.
double AudibleLength(const Pcm& pcm, double floorDb);
// Root-mean-square level of frames from..to-1 over all channels, dBFS.
double RmsLevel(const Pcm& pcm, size_t from, size_t to);
// Spectral centroid of frames from..to-1 (mono sum), Hz: where the weight of the
// spectrum lies; higher is brighter.
double SpectralCentroid(const Pcm& pcm, size_t from, size_t to);
// A spectrogram of `length` frames from `from` (mono sum): the levels in dB of
// PRINT_BANDS third-octave bands from 40 Hz up, for consecutive 2048-frame
// slices, one slice after another.
constexpr int PRINT_BANDS = 36;
std::vector<double> SpectralPrint(const Pcm& pcm, size_t from, size_t length);
// Pearson correlation of two equally long series; 0 when either is constant.
double Correlate(const std::vector<double>& x, const std::vector<double>& y);

// What SDL_mixer does with a music stream and effect channels on a 16-bit output:
// the stream is scaled by its volume/128 into the silent buffer, then every
// playing channel is scaled by its volume/128 (master volume x channel volume x
// chunk volume, each /128) and added with clipping at the 16-bit limits.
struct MixVolumes {
  int music;   // as given to Mix_VolumeMusic, 0..128
  int effects; // Mix_MasterVolume x Mix_Volume / 128, 0..128
};
// The volumes the game hands the mixer for the options' music and sound values
// 0..9: the track at level 100 times music x 10 %, the master volume at
// sound x 10 % over effect channels at full volume.
MixVolumes GameVolumes(int musicOption, int soundOption);

// How the game can stack playbacks of effect `sample` (1..28): the coin sounds
// every second 10 ms tick while money counts up, the potion gulp for drops that
// may arrive one tick apart; a sample's three channels are all that can overlap.
struct Stacking {
  int copies = 1;
  size_t spacing = 0; // frames between the starts
};
Stacking WorstStacking(int sample, int rate);

// The highest and lowest values a sound contributes to the output once the
// mixer has scaled it by `volume`/128 (truncating, as SDL does); with
// `stacking`, of its overlapping copies at their worst moment. The channels are
// added one after another with clipping in between, so only same-signed parts
// can push a sum past a limit: positive and negative parts are summed apart. A
// mono sound plays alike on both sides; a stereo one is taken side by side.
struct Extremes {
  int64_t highest = 0, lowest = 0;
};
Extremes ScaledExtremes(const Pcm& pcm, int volume, Stacking stacking = {});
// The output's extremes when an effect sounds over music at the worst moment of
// both (every moment of a loop can meet every moment of an effect), and how far
// the worse of the two stays below full scale, in dB (negative: it clips).
struct MixResult {
  Extremes sum;
  double HeadroomDb() const;
};
MixResult WorstMix(const Extremes& music, const Extremes& effect);

} // namespace measure
