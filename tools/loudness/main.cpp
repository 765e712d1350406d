// loudness DATA_DIR
//   The loudness table of a generated data folder: for every music track its
//   integrated loudness, true peak, loop length and stereo width; for every
//   effect its peak, the level of its last 20 ms and its length; then how close
//   each effect comes to clipping over the worst track at the volumes of the
//   folder's options file.
// loudness --profile FILE.ogg [SECONDS]
//   A track in windows of SECONDS (default 8; a bar's length lines them up with
//   the bars): RMS level, spectral centroid and the window that sounds most like
//   it (spectrogram correlation, 1 for a literal repeat), to compare the
//   sections of a piece and find bars that merely repeat.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/sound.h"
#include "core/files.h"
#include "game/options.h"
#include "measure.h"

namespace {

int Usage(const char* self) {
  std::fprintf(stderr, "usage: %s DATA_DIR\n       %s --profile FILE.ogg [SECONDS]\n", self, self);
  return 2;
}

int Profile(const std::string& path, double seconds) {
  measure::Pcm pcm;
  std::string error;
  if (!measure::ReadOgg(path, pcm, error)) {
    std::fprintf(stderr, "loudness: %s\n", error.c_str());
    return 1;
  }
  size_t window = static_cast<size_t>(std::lround(seconds * pcm.rate));
  if (window == 0) return Usage("loudness");
  std::printf("%s: %.1f s, centroid %.0f Hz over the whole loop\n", path.c_str(), pcm.Seconds(),
              measure::SpectralCentroid(pcm, 0, pcm.Frames()));
  std::printf("  from     RMS dBFS  centroid Hz  most alike\n");
  // Each window's spectrogram less the track's average spectrum, so that what
  // is compared is what changes: notes, chords, instruments.
  size_t count = pcm.Frames() / window, repeats = 0;
  std::vector<std::vector<double>> prints(count);
  std::vector<double> mean(measure::PRINT_BANDS, 0.0);
  size_t slices = 0;
  for (size_t w = 0; w < count; ++w) {
    prints[w] = measure::SpectralPrint(pcm, w * window, window);
    for (size_t i = 0; i < prints[w].size(); ++i) mean[i % measure::PRINT_BANDS] += prints[w][i];
    slices += prints[w].size() / measure::PRINT_BANDS;
  }
  for (double& m : mean) m /= static_cast<double>(std::max<size_t>(slices, 1));
  for (auto& p : prints)
    for (size_t i = 0; i < p.size(); ++i) p[i] -= mean[i % measure::PRINT_BANDS];
  for (size_t w = 0; w < count; ++w) {
    size_t from = w * window, twin = w;
    double best = -1;
    for (size_t o = 0; o < count; ++o) {
      if (o == w) continue;
      double c = measure::Correlate(prints[w], prints[o]);
      if (c > best) best = c, twin = o;
    }
    repeats += best >= 0.9;
    std::printf("  %6.1f s %8.1f %10.0f   %.2f (%.1f s)\n", static_cast<double>(from) / pcm.rate,
                measure::RmsLevel(pcm, from, from + window),
                measure::SpectralCentroid(pcm, from, from + window), best,
                static_cast<double>(twin * window) / pcm.rate);
  }
  std::printf("%zu of %zu windows repeat another (similarity 0.9 or more)\n", repeats, count);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--profile")
    return Profile(argv[2], argc >= 4 ? std::atof(argv[3]) : 8.0);
  if (argc != 2 || argv[1][0] == '-') return Usage(argv[0]);
  std::string dir = argv[1];
  if (dir.back() != '/') dir += '/';
  std::string error;

  std::vector<measure::Pcm> tracks(MUSIC_COUNT);
  std::vector<measure::Extremes> mixed(MUSIC_COUNT);
  std::printf("%-14s %8s %9s %9s %9s\n", "music", "LUFS", "TP dBFS", "loop s", "S/M dB");
  for (int t = 0; t < MUSIC_COUNT; ++t) {
    if (!measure::ReadOgg(dir + "music/" + MusicFiles[t], tracks[t], error)) {
      std::fprintf(stderr, "loudness: %s\n", error.c_str());
      return 1;
    }
    const measure::Pcm& m = tracks[t];
    std::printf("%-14s %8.1f %9.1f %9.1f %9.1f\n", MusicFiles[t], measure::IntegratedLoudness(m),
                measure::TruePeak(m, true), m.Seconds(), measure::SideToMid(m));
  }

  std::vector<uint8_t> options;
  int musicOption = 7, soundOption = 7;
  if (ReadWholeFile(dir + "misc/opt.dat", options) && options.size() >= OPTIONS_SIZE) {
    musicOption = options[OPT_MUSIC_VOLUME];
    soundOption = options[OPT_SOUND_VOLUME];
  }
  measure::MixVolumes volumes = measure::GameVolumes(musicOption, soundOption);
  for (int t = 0; t < MUSIC_COUNT; ++t) mixed[t] = measure::ScaledExtremes(tracks[t], volumes.music);
  std::printf("\n%-14s %9s %13s %9s %12s %20s\n", "effect", "peak dBFS", "tail 20ms dBFS", "length ms",
              "LUFS max 400ms", "worst mix headroom dB");
  double worstHeadroom = 1e9;
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    measure::Pcm e;
    if (!measure::ReadWav(dir + "sound/" + SampleFiles[n], e, error)) {
      std::fprintf(stderr, "loudness: %s\n", error.c_str());
      return 1;
    }
    measure::Stacking stacking = measure::WorstStacking(n + 1, e.rate);
    double headroom = 1e9;
    const char* against = "";
    measure::Extremes effect = measure::ScaledExtremes(e, volumes.effects, stacking);
    for (int t = 0; t < MUSIC_COUNT; ++t) {
      double h = measure::WorstMix(mixed[t], effect).HeadroomDb();
      if (h < headroom) headroom = h, against = MusicFiles[t];
    }
    worstHeadroom = std::min(worstHeadroom, headroom);
    // The warning loop never ends, so its last 20 ms run straight into its first.
    char tail[16] = "loop";
    if (n + 1 != SND_STONE) std::snprintf(tail, sizeof tail, "%.1f", measure::TailPeak(e, 0.020));
    std::printf("%-14s %9.1f %13s %9.0f %12.1f %9.1f (%s%s)\n", SampleFiles[n], measure::SamplePeak(e), tail,
                e.Seconds() * 1000, measure::MaxMomentaryLoudness(e), headroom, against,
                stacking.copies > 1 ? ", retriggered" : "");
  }
  std::printf("\nmixed at music %d, sound %d (Mix_VolumeMusic %d, effect channels %d of 128): %s, worst "
              "headroom %.1f dB\n",
              musicOption, soundOption, volumes.music, volumes.effects,
              worstHeadroom >= 0 ? "no clipping" : "CLIPS", worstHeadroom);
  return worstHeadroom >= 0 ? 0 : 1;
}
