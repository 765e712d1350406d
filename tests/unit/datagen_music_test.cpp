// The seven generated music loops as the game's mixer plays them (decoded with
// libvorbisfile, like SDL_mixer): long, equally loud, with true peaks under
// -1 dBFS, really stereo, joining end to start without a seam; and the mix: no
// effect, not even the coin repeated every 20 ms, clips over any track at the
// volumes a new player starts with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/sound.h"
#include "core/files.h"
#include "game/options.h"
#include "measure.h"
#include "support/generated_data.h"

namespace {

// Decoding minutes of Vorbis is the slow part: every file is read once for all tests.
class GeneratedMusic : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    std::string dir = GeneratedDataDir();
    if (dir.empty()) return;
    for (int t = 0; t < MUSIC_COUNT; ++t) {
      std::string path = dir + "music/" + MusicFiles[t];
      if (!measure::ReadOgg(path, tracks[t], errors[t])) errors[t] = path + ": " + errors[t];
    }
  }
  void SetUp() override {
    if (GeneratedDataDir().empty()) GTEST_SKIP() << "QUORBELS_DATA names no generated data folder";
    for (int t = 0; t < MUSIC_COUNT; ++t) ASSERT_TRUE(errors[t].empty()) << errors[t];
  }
  static measure::Pcm tracks[MUSIC_COUNT];
  static std::string errors[MUSIC_COUNT];
};
measure::Pcm GeneratedMusic::tracks[MUSIC_COUNT];
std::string GeneratedMusic::errors[MUSIC_COUNT];

TEST_F(GeneratedMusic, EveryTrackIsALongStereoLoopMasteredToTheSameLoudness) {
  for (int t = 0; t < MUSIC_COUNT; ++t) {
    SCOPED_TRACE(MusicFiles[t]);
    const measure::Pcm& m = tracks[t];
    EXPECT_EQ(m.rate, 44100);
    ASSERT_EQ(m.channels, 2);
    // Two minutes before a theme comes round again, so fifteen levels on one
    // theme do not wear it out.
    EXPECT_GE(m.Seconds(), 120.0);
    // EBU R128 practice for games: one loudness for every track, peaks with
    // room for a player's reconstruction filter.
    EXPECT_NEAR(measure::IntegratedLoudness(m), -16.0, 1.0);
    EXPECT_LE(measure::TruePeak(m, true), -1.0);
    // Instruments spread across the speakers, not a mono mix in two channels.
    EXPECT_GE(measure::SideToMid(m), -14.0);
  }
}

TEST_F(GeneratedMusic, LoopsJoinEndToStartWithoutASeam) {
  // The step from the last sample to the first is no larger than the steps the
  // music takes anyway (its 99.9th percentile): no click at the loop point.
  for (int t = 0; t < MUSIC_COUNT; ++t) {
    SCOPED_TRACE(MusicFiles[t]);
    const measure::Pcm& m = tracks[t];
    const size_t n = m.Frames();
    ASSERT_GT(n, 1u);
    for (int ch = 0; ch < 2; ++ch) {
      std::vector<size_t> count(65536, 0); // how often each step size occurs
      for (size_t i = 1; i < n; ++i) ++count[std::abs(m.samples[i * 2 + ch] - m.samples[(i - 1) * 2 + ch])];
      size_t usual = 0, below = 0;
      while (below + count[usual] < (n - 1) * 999 / 1000) below += count[usual++];
      EXPECT_LE(static_cast<size_t>(std::abs(m.samples[ch] - m.samples[(n - 1) * 2 + ch])), usual)
          << "channel " << ch;
    }
  }
}

// SDL_mixer's arithmetic on a 16-bit output (checked against the real mixer):
// the track scaled into the silent buffer, each effect channel scaled and added
// with clipping. Any moment of a loop can meet any moment of an effect, so the
// worst case is the loop's extreme plus the effect's; the coin and the potion
// gulp are taken as the game repeats them, three copies overlapping.
TEST_F(GeneratedMusic, NoEffectClipsOverAnyTrackAtTheDefaultVolumes) {
  std::vector<uint8_t> options;
  ASSERT_TRUE(ReadWholeFile(GeneratedDataDir() + "misc/opt.dat", options));
  ASSERT_GE(options.size(), static_cast<size_t>(OPTIONS_SIZE));
  const measure::MixVolumes volumes =
      measure::GameVolumes(options[OPT_MUSIC_VOLUME], options[OPT_SOUND_VOLUME]);
  ASSERT_GT(volumes.music, 0);
  ASSERT_GT(volumes.effects, 0);
  measure::Extremes music[MUSIC_COUNT];
  for (int t = 0; t < MUSIC_COUNT; ++t) music[t] = measure::ScaledExtremes(tracks[t], volumes.music);
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    measure::Pcm effect;
    std::string error;
    ASSERT_TRUE(measure::ReadWav(GeneratedDataDir() + "sound/" + SampleFiles[n], effect, error)) << error;
    measure::Extremes e =
        measure::ScaledExtremes(effect, volumes.effects, measure::WorstStacking(n + 1, effect.rate));
    for (int t = 0; t < MUSIC_COUNT; ++t) {
      measure::MixResult mix = measure::WorstMix(music[t], e);
      EXPECT_LE(mix.sum.highest, 32767) << SampleFiles[n] << " over " << MusicFiles[t];
      EXPECT_GE(mix.sum.lowest, -32768) << SampleFiles[n] << " over " << MusicFiles[t];
    }
  }
}

} // namespace
