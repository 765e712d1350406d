// The 28 generated sound effects: well-formed 16-bit PCM WAV files, short,
// audible and never clipped, silent at both ends so playback starts and stops
// without a click, and the looping warning sample joining its end to its start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/sound.h"
#include "core/binio.h"
#include "core/files.h"

namespace {

std::string DataDir() {
  const char* dir = std::getenv("QUORBELS_DATA");
  return dir ? std::string(dir) + "/" : std::string();
}

struct Wav {
  int channels = 0;
  int rate = 0;
  std::vector<int> samples; // first channel only
};

// Reads the RIFF chunks the way a WAV reader does: fmt and data may come in any
// order, unknown chunks are skipped.
::testing::AssertionResult ReadWav(const std::vector<uint8_t>& bytes, Wav& out) {
  ByteReader in(bytes);
  if (!in.Has(0, 12) || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(bytes.data() + 8, "WAVE", 4))
    return ::testing::AssertionFailure() << "not a RIFF/WAVE file";
  if (in.U32(4) != bytes.size() - 8) return ::testing::AssertionFailure() << "RIFF size " << in.U32(4);
  bool fmt = false, data = false;
  size_t off = 12;
  while (in.Has(off, 8)) {
    uint32_t size = in.U32(off + 4);
    if (!in.Has(off + 8, size)) return ::testing::AssertionFailure() << "chunk runs past the end";
    if (!std::memcmp(bytes.data() + off, "fmt ", 4)) {
      if (in.U16(off + 8) != 1) return ::testing::AssertionFailure() << "not PCM";
      out.channels = in.U16(off + 10);
      out.rate = static_cast<int>(in.U32(off + 12));
      int bits = in.U16(off + 22);
      if (bits != 16) return ::testing::AssertionFailure() << bits << " bits";
      if (in.U16(off + 20) != out.channels * 2) return ::testing::AssertionFailure() << "block align";
      if (in.U32(off + 16) != static_cast<uint32_t>(out.rate * out.channels * 2))
        return ::testing::AssertionFailure() << "byte rate";
      fmt = true;
    } else if (!std::memcmp(bytes.data() + off, "data", 4)) {
      if (!fmt) return ::testing::AssertionFailure() << "data before fmt";
      size_t frames = size / (2 * out.channels);
      for (size_t i = 0; i < frames; ++i)
        out.samples.push_back(static_cast<int16_t>(in.U16(off + 8 + i * 2 * out.channels)));
      data = true;
    }
    off += 8 + size + (size & 1);
  }
  if (!fmt || !data) return ::testing::AssertionFailure() << "missing fmt or data chunk";
  return ::testing::AssertionSuccess();
}

class GeneratedSounds : public ::testing::Test {
protected:
  void SetUp() override {
    std::string dir = DataDir();
    if (dir.empty()) GTEST_SKIP() << "QUORBELS_DATA names no generated data folder";
    for (int n = 0; n < SAMPLE_COUNT; ++n) {
      std::vector<uint8_t> bytes;
      ASSERT_TRUE(ReadWholeFile(dir + "sound/" + SampleFiles[n], bytes)) << SampleFiles[n];
      ASSERT_TRUE(ReadWav(bytes, wavs[n])) << SampleFiles[n];
      // The game's own check lets every generated effect through to the mixer.
      WavFormat format;
      std::string why;
      ASSERT_TRUE(CheckWav(bytes.data(), bytes.size(), format, why)) << SampleFiles[n] << ": " << why;
    }
  }
  Wav wavs[SAMPLE_COUNT];
};

TEST_F(GeneratedSounds, EveryEffectIsShortCdQualityPcm) {
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    SCOPED_TRACE(SampleFiles[n]);
    const Wav& w = wavs[n];
    EXPECT_EQ(w.rate, 44100);
    EXPECT_TRUE(w.channels == 1 || w.channels == 2);
    double seconds = static_cast<double>(w.samples.size()) / w.rate;
    EXPECT_GE(seconds, 0.03);
    EXPECT_LE(seconds, 2.0);
  }
}

TEST_F(GeneratedSounds, EveryEffectIsAudibleAndNeverClips) {
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    SCOPED_TRACE(SampleFiles[n]);
    int peak = 0;
    for (int v : wavs[n].samples) peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 3000) << "too quiet to hear over the music";
    EXPECT_LT(peak, 31000) << "too close to full scale";
    int atLimit = 0;
    for (int v : wavs[n].samples) atLimit += (v >= 32767 || v <= -32768);
    EXPECT_EQ(atLimit, 0);
  }
}

TEST_F(GeneratedSounds, OneShotEffectsStartAndEndInSilence) {
  for (int n = 0; n < SAMPLE_COUNT; ++n) {
    if (n + 1 == SND_STONE) continue; // the loop never stops at its ends
    SCOPED_TRACE(SampleFiles[n]);
    const std::vector<int>& s = wavs[n].samples;
    ASSERT_GE(s.size(), 2u);
    EXPECT_LE(std::abs(s.front()), 300);
    EXPECT_LE(std::abs(s.back()), 300);
  }
}

TEST_F(GeneratedSounds, WarningLoopJoinsItsEndToItsStartWithoutAClick) {
  const std::vector<int>& s = wavs[SND_STONE - 1].samples;
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
