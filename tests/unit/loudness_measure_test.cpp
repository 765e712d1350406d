// The measuring tools the sound tests and the loudness table rely on, against
// signals whose answers are known: BS.1770 loudness with its gate, true peak
// between the samples, stereo width, and SDL_mixer's volume arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "measure.h"

namespace {

// `seconds` of a sine at `amplitude` (0..1), on the left, the right or both sides.
measure::Pcm Sine(double hz, double amplitude, double seconds, bool left, bool right, int rate = 48000,
                  double phase = 0) {
  measure::Pcm p;
  p.rate = rate;
  p.channels = 2;
  size_t n = static_cast<size_t>(seconds * rate);
  for (size_t i = 0; i < n; ++i) {
    auto v =
        static_cast<int16_t>(std::lround(amplitude * 32767 * std::sin(2 * M_PI * hz * i / rate + phase)));
    p.samples.push_back(left ? v : 0);
    p.samples.push_back(right ? v : 0);
  }
  return p;
}

TEST(LoudnessMeasure, KnownSignalsReadAsTheStandardSays) {
  // A 997 Hz sine at full scale in one channel reads -3.01 LUFS; both channels
  // add 3 dB; half the amplitude takes 6 dB off.
  EXPECT_NEAR(measure::IntegratedLoudness(Sine(997, 1.0, 5, true, false)), -3.01, 0.05);
  EXPECT_NEAR(measure::IntegratedLoudness(Sine(997, 0.5, 5, true, true)), -6.02, 0.05);
  // The same at the game's rate, and with as much silence again: the gate
  // leaves the silence out (an average would read 3 dB lower; only the blocks
  // that straddle the end of the tone count, a little quieter).
  measure::Pcm gated = Sine(997, 0.5, 5, true, true, 44100);
  gated.samples.resize(gated.samples.size() * 2, 0);
  EXPECT_NEAR(measure::IntegratedLoudness(gated), -6.02, 0.2);
  EXPECT_LE(measure::IntegratedLoudness(Sine(997, 0, 5, true, true)), -100);
  // A quarter-rate sine sampled 45 degrees off its crests: the samples stay 3 dB
  // under the wave's true peak, which oversampling finds.
  measure::Pcm between = Sine(11025, 0.5, 1, true, true, 44100, M_PI / 4);
  EXPECT_NEAR(measure::SamplePeak(between), -9.03, 0.05);
  EXPECT_NEAR(measure::TruePeak(between, true), -6.02, 0.1);
}

TEST(LoudnessMeasure, StereoWidthAndTailLevel) {
  EXPECT_LE(measure::SideToMid(Sine(440, 0.5, 1, true, true)), -100);         // the same on both sides: mono
  EXPECT_NEAR(measure::SideToMid(Sine(440, 0.5, 1, true, false)), 0.0, 0.01); // one side only
  measure::Pcm fading = Sine(440, 0.5, 1, true, true, 44100);
  fading.samples.resize(fading.samples.size() + 2 * 882, 0); // 20 ms of silence after it
  EXPECT_LE(measure::TailPeak(fading, 0.020), -100);
  EXPECT_NEAR(measure::TailPeak(fading, 0.040), -6.02, 0.1);
}

TEST(LoudnessMeasure, MixerArithmeticMatchesSdlMixer) {
  // Recorded from SDL_mixer 2.6 through its disk driver: a track of 20000 at
  // Mix_VolumeMusic 89 gives 13906; an effect of 15000 at master volume 89 adds
  // 10429, for 24335.
  measure::Pcm music;
  music.rate = 44100, music.channels = 2, music.samples = {20000, 20000, -20000, -20000};
  measure::Pcm effect;
  effect.rate = 44100, effect.channels = 1, effect.samples = {15000, 15000, 15000, -15000};
  measure::MixResult mix =
      measure::WorstMix(measure::ScaledExtremes(music, 89), measure::ScaledExtremes(effect, 89));
  EXPECT_EQ(mix.sum.highest, 24335);
  EXPECT_EQ(mix.sum.lowest, -24335);
  EXPECT_GT(mix.HeadroomDb(), 0);
  // Three copies two frames apart overlap in the middle frames: three times the
  // value, the negative tail counted apart.
  measure::Extremes stacked = measure::ScaledExtremes(effect, 128, {3, 1});
  EXPECT_EQ(stacked.highest, 45000);
  EXPECT_EQ(stacked.lowest, -15000);
  // Loud enough together to clip.
  EXPECT_LT(measure::WorstMix(measure::ScaledExtremes(music, 128), stacked).HeadroomDb(), 0);
  // The options' 7 and 7 become the volumes the platform layer sets.
  measure::MixVolumes v = measure::GameVolumes(7, 7);
  EXPECT_EQ(v.music, 89);
  EXPECT_EQ(v.effects, 89);
}

} // namespace
