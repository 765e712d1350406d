// The 28 generated sound effects: well-formed 16-bit PCM WAV files, short,
// audible and never clipped, starting in silence and dying away on their own
// before they end, the two effects the game repeats every 10-20 ms over before
// they are asked for again, and the looping warning sample joining its end to
// its start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/sound.h"
#include "core/files.h"
#include "measure.h"
#include "support/generated_data.h"

namespace {

class GeneratedSounds : public ::testing::Test {
protected:
  void SetUp() override {
    std::string dir = GeneratedDataDir();
    if (dir.empty()) GTEST_SKIP() << "QUORBELS_DATA names no generated data folder";
    for (int n = 0; n < SAMPLE_COUNT; ++n) {
      std::string error;
      ASSERT_TRUE(measure::ReadWav(dir + "sound/" + SampleFiles[n], wavs[n], error)) << error;
      // The game's own check lets every generated effect through to the mixer.
      std::vector<uint8_t> bytes;
      ASSERT_TRUE(ReadWholeFile(dir + "sound/" + SampleFiles[n], bytes)) << SampleFiles[n];
      WavFormat format;
      std::string why;
      ASSERT_TRUE(CheckWav(bytes.data(), bytes.size(), format, why)) << SampleFiles[n] << ": " << why;
    }
  }
  // The first channel's samples.
  std::vector<int> Samples(int n) const {
    std::vector<int> out;
    for (size_t i = 0; i < wavs[n].Frames(); ++i) out.push_back(wavs[n].samples[i * wavs[n].channels]);
    return out;
  }
  measure::Pcm wavs[SAMPLE_COUNT];
};

TEST_F(GeneratedSounds, EveryEffectIsShortCdQualityPcm) {
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    SCOPED_TRACE(SampleFiles[n]);
    const measure::Pcm& w = wavs[n];
    EXPECT_EQ(w.rate, 44100);
    EXPECT_TRUE(w.channels == 1 || w.channels == 2);
    EXPECT_GE(w.Seconds(), 0.03);
    EXPECT_LE(w.Seconds(), 2.0);
  }
}

TEST_F(GeneratedSounds, EveryEffectIsAudibleAndNeverClips) {
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    SCOPED_TRACE(SampleFiles[n]);
    int peak = 0;
    for (int v : wavs[n].samples) peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 3000) << "too quiet to hear over the music";
    EXPECT_LT(peak, 31000) << "too close to full scale";
  }
}

TEST_F(GeneratedSounds, OneShotEffectsStartInSilenceAndDieAwayBeforeTheyEnd) {
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    if (n + 1 == SND_STONE) continue; // the loop never stops at its ends
    SCOPED_TRACE(SampleFiles[n]);
    std::vector<int> s = Samples(n);
    ASSERT_GE(s.size(), 2u);
    EXPECT_LE(std::abs(s.front()), 300);
    // Nothing is cut off: the last 20 ms hold no more than a whisper.
    EXPECT_LE(measure::TailPeak(wavs[n], 0.020), -50.0);
  }
}

TEST_F(GeneratedSounds, RepeatedEffectsAreOverBeforeTheyAreAskedForAgain) {
  // The coin sounds every 20 ms while money counts, the potion gulp for drops
  // arriving ticks apart: each copy must be complete in itself, or the mixer
  // restarting a busy channel cuts it mid-wave, 50 times a second.
  for (int n : {SND_COIN, SND_TRANKUP}) {
    SCOPED_TRACE(SampleFiles[n - 1]);
    EXPECT_LE(wavs[n - 1].Seconds(), 0.050);
    EXPECT_LE(measure::TailPeak(wavs[n - 1], 0.020), -50.0);
  }
}

TEST_F(GeneratedSounds, WarningLoopJoinsItsEndToItsStartWithoutAClick) {
  const std::vector<int> s = Samples(SND_STONE - 1);
  ASSERT_GT(s.size(), 1000u);
  // The largest step between neighbouring samples inside the loop...
  int largest = 0;
  for (size_t i = 1; i < s.size(); ++i) largest = std::max(largest, std::abs(s[i] - s[i - 1]));
  // ...bounds the step across the loop point, and the wave keeps its slope there:
  // the first sample is where the last two samples were heading.
  int across = std::abs(s.front() - s.back());
  EXPECT_LE(across, largest);
  int predicted = 2 * s[s.size() - 1] - s[s.size() - 2];
  EXPECT_LE(std::abs(s.front() - predicted), std::max(200, largest / 4));
  // It is a warning: heard all the way round, not a single blip.
  size_t quarter = s.size() / 4;
  for (int q = 0; q < 4; ++q) {
    int peak = 0;
    for (size_t i = q * quarter; i < (q + 1) * quarter; ++i) peak = std::max(peak, std::abs(s[i]));
    EXPECT_GT(peak, 1500) << "quarter " << q;
  }
}

TEST_F(GeneratedSounds, EffectsDifferFromEachOther) {
  // Each effect marks a different moment: no two files may hold the same sound.
  for (int a = 0; a < SAMPLE_COUNT; ++a)
    for (int b = a + 1; b < SAMPLE_COUNT; ++b)
      EXPECT_NE(wavs[a].samples, wavs[b].samples) << SampleFiles[a] << " and " << SampleFiles[b];
}

} // namespace
