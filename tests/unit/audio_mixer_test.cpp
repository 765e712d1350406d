// The sound layer over the real mixer, with SDL's "disk" audio driver writing the
// mix to a file: overlapping effect playbacks, the looping sample's level, the
// music fade that leaves the track running, and global volume 0 as silence.
// Each test starts and stops audio itself and analyses the recorded output
// (signed 16-bit stereo at 44100 Hz, the format the layer asks for).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "assets/sound.h"
#include "core/binio.h"
#include "core/files.h"
#include "platform/platform.h"

namespace {

constexpr int RATE = 44100;

void Sleep(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A WAV of `ms` milliseconds at a constant level (the mixer adds levels, so
// overlapping copies show as multiples of it).
// A WAV whose first `markMs` milliseconds are at `mark` and the rest at `value`.
void WriteWav(const std::string& path, int ms, int16_t value, int markMs = 0, int16_t mark = 0) {
  uint32_t frames = static_cast<uint32_t>(RATE) * ms / 1000;
  uint32_t dataBytes = frames * 4;
  ByteWriter w(44 + dataBytes);
  w.Bytes(0, "RIFF", 4);
  w.U32(4, 36 + dataBytes);
  w.Bytes(8, "WAVEfmt ", 8);
  w.U32(16, 16);
  w.U16(20, 1);
  w.U16(22, 2);
  w.U32(24, RATE);
  w.U32(28, RATE * 4);
  w.U16(32, 4);
  w.U16(34, 16);
  w.Bytes(36, "data", 4);
  w.U32(40, dataBytes);
  uint32_t markFrames = static_cast<uint32_t>(RATE) * markMs / 1000;
  for (uint32_t i = 0; i < frames * 2; ++i)
    w.U16(44 + 2 * i, static_cast<uint16_t>(i / 2 < markFrames ? mark : value));
  ASSERT_TRUE(WriteFileAtomic(path, w.Result().data(), w.Result().size()));
}

class AudioMixer : public ::testing::Test {
protected:
  void SetUp() override {
    char dir[] = "/tmp/quorbels-audio-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    output_ = dir_ + "/mix.raw";
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    oldDriver_ = driver ? driver : "";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    StartAudio();
  }
  void TearDown() override {
    StopAudio();
    if (oldDriver_.empty())
      unsetenv("SDL_AUDIODRIVER");
    else
      setenv("SDL_AUDIODRIVER", oldDriver_.c_str(), 1);
    unsetenv("SDL_DISKAUDIOFILE");
    std::remove(output_.c_str());
    for (const std::string& f : files_) std::remove(f.c_str());
    rmdir(dir_.c_str());
  }
  std::string Wav(const std::string& name, int ms, int16_t value, int markMs = 0, int16_t mark = 0) {
    std::string path = dir_ + "/" + name;
    WriteWav(path, ms, value, markMs, mark);
    files_.push_back(path);
    return path;
  }
  // Stops audio (closing the recording) and returns the left-channel values.
  std::vector<int16_t> Recording() {
    StopAudio();
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(output_, bytes));
    std::vector<int16_t> left;
    for (size_t i = 0; i + 3 < bytes.size(); i += 4)
      left.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return left;
  }
  std::string dir_, output_, oldDriver_;
  std::vector<std::string> files_;
};

int MaxAbs(const std::vector<int16_t>& v) {
  int m = 0;
  for (int16_t s : v) m = std::max(m, std::abs(static_cast<int>(s)));
  return m;
}

size_t CountEqual(const std::vector<int16_t>& v, int value) {
  size_t n = 0;
  for (int16_t s : v) n += s == value;
  return n;
}

} // namespace

TEST_F(AudioMixer, ThreeCopiesOfAnEffectSoundAndAFourthRestartsTheOldest) {
  LoadSoundSample(Wav("effect.wav", 600, 1000), SND_LINE);
  PlaySample(SND_LINE);
  EXPECT_EQ(SamplePlayingCount(SND_LINE), 1);
  Sleep(300);
  PlaySample(SND_LINE);
  PlaySample(SND_LINE);
  EXPECT_EQ(SamplePlayingCount(SND_LINE), 3);
  PlaySample(SND_LINE); // all three busy: the first copy starts again
  EXPECT_EQ(SamplePlayingCount(SND_LINE), 3);
  // 750 ms after the first copy started its original playback would have ended;
  // the three copies now sounding all started at 300 ms.
  Sleep(450);
  EXPECT_EQ(SamplePlayingCount(SND_LINE), 3);
  Sleep(500);
  EXPECT_EQ(SamplePlayingCount(SND_LINE), 0);
  std::vector<int16_t> mix = Recording();
  EXPECT_EQ(MaxAbs(mix), 3000); // never four at once
  EXPECT_GT(CountEqual(mix, 3000), static_cast<size_t>(RATE / 4));
}

TEST_F(AudioMixer, TheReplacedCopyIsTheOldestNotTheFirstChannel) {
  LoadSoundSample(Wav("effect.wav", 600, 1000), SND_HIT);
  PlaySample(SND_HIT); // A, ends at 600 ms
  Sleep(300);
  PlaySample(SND_HIT); // B and C, end at 900 ms
  PlaySample(SND_HIT);
  Sleep(400);
  EXPECT_EQ(SamplePlayingCount(SND_HIT), 2);
  PlaySample(SND_HIT); // D takes A's free channel, ends at 1300 ms
  Sleep(50);
  PlaySample(SND_HIT); // E: all busy, B (or C) has played longest and starts again
  Sleep(300);
  // At 1050 ms B's and C's first playbacks are over: D and the restarted copy remain.
  EXPECT_EQ(SamplePlayingCount(SND_HIT), 2);
}

TEST_F(AudioMixer, LoopingSampleRepeatsAtItsLevelUntilStopped) {
  LoadLoopSample(Wav("stone.wav", 100, 1000), SND_STONE);
  SetSampleLevel(SND_STONE, 50);
  RestartSample(SND_STONE);
  Sleep(450);
  EXPECT_EQ(SamplePlayingCount(SND_STONE), 1);
  PlaySample(SND_STONE); // a single channel: still one playback
  EXPECT_EQ(SamplePlayingCount(SND_STONE), 1);
  StopSample(SND_STONE);
  EXPECT_EQ(SamplePlayingCount(SND_STONE), 0);
  std::vector<int16_t> mix = Recording();
  EXPECT_EQ(MaxAbs(mix), 500); // half of 1000 at level 50
  // Well over the 100 ms of the file: it looped.
  EXPECT_GT(CountEqual(mix, 500), static_cast<size_t>(RATE * 3 / 10));
}

TEST_F(AudioMixer, FadedMusicIsSilentButRunningAndComesBack) {
  LoadMusicTrack(Wav("forest.wav", 1000, 1000), MUS_FOREST);
  StartMusic(MUS_FOREST);
  Sleep(300);
  FadeOutMusic(MUS_FOREST);
  Sleep(1000);
  int halfway = MusicLevel(MUS_FOREST);
  EXPECT_GT(halfway, 20);
  EXPECT_LT(halfway, 80);
  Sleep(1400);
  EXPECT_TRUE(MusicPlaying(MUS_FOREST));
  EXPECT_EQ(MusicLevel(MUS_FOREST), 0);
  RestoreMusicVolume(MUS_FOREST);
  EXPECT_EQ(MusicLevel(MUS_FOREST), 100);
  Sleep(300);
  std::vector<int16_t> mix = Recording();
  // Full level, then a slide that reaches silence 2000 ms (88200 frames) after it
  // began, then silence, then full level again.
  size_t firstFull = 0;
  while (firstFull < mix.size() && mix[firstFull] != 1000) ++firstFull;
  size_t slideStart = firstFull;
  while (slideStart < mix.size() && mix[slideStart] == 1000) ++slideStart;
  size_t silent = slideStart;
  while (silent < mix.size() && mix[silent] != 0) ++silent;
  ASSERT_LT(silent, mix.size());
  EXPECT_NEAR(static_cast<double>(silent - slideStart), 2.0 * RATE, 2 * 1024 + 1);
  size_t back = silent;
  while (back < mix.size() && mix[back] == 0) ++back;
  EXPECT_GT(back - silent, static_cast<size_t>(RATE / 10));
  ASSERT_LT(back, mix.size());
  EXPECT_EQ(mix.back(), 1000);
}

TEST_F(AudioMixer, StartMusicLeavesOnlyTheChosenTrackRunning) {
  LoadMusicTrack(Wav("title.wav", 500, 700), MUS_TITLE);
  LoadMusicTrack(Wav("map.wav", 500, 300), MUS_MAP);
  StartMusic(MUS_TITLE);
  EXPECT_TRUE(MusicPlaying(MUS_TITLE));
  FadeOutMusic(MUS_TITLE);
  StartMusic(MUS_MAP);
  EXPECT_FALSE(MusicPlaying(MUS_TITLE));
  EXPECT_TRUE(MusicPlaying(MUS_MAP));
  EXPECT_EQ(MusicLevel(MUS_MAP), 100);
  Sleep(300);
  std::vector<int16_t> mix = Recording();
  EXPECT_EQ(mix.back(), 300);
}

TEST_F(AudioMixer, StartingTheRunningTrackAgainRestartsItFromTheBeginning) {
  // The first 100 ms of the track are marked with a level of their own.
  LoadMusicTrack(Wav("beach.wav", 3000, 1000, 100, 2000), MUS_BEACH);
  StartMusic(MUS_BEACH);
  Sleep(500);
  StartMusic(MUS_BEACH);
  Sleep(400);
  std::vector<int16_t> mix = Recording();
  // The mark sounds twice, and the music in between was the ordinary part.
  int marks = 0;
  bool inMark = false;
  for (int16_t v : mix) {
    if (v == 2000 && !inMark) ++marks;
    inMark = v == 2000;
  }
  EXPECT_EQ(marks, 2);
  EXPECT_GT(CountEqual(mix, 1000), static_cast<size_t>(RATE / 2));
}

TEST_F(AudioMixer, GlobalVolumeZeroIsSilence) {
  LoadSoundSample(Wav("bell.wav", 400, 1000), SND_BELL);
  LoadMusicTrack(Wav("city.wav", 400, 1000), MUS_CITY);
  SetSampleVolume(0);
  SetStreamVolume(0);
  PlaySample(SND_BELL);
  StartMusic(MUS_CITY);
  Sleep(300);
  EXPECT_EQ(SamplePlayingCount(SND_BELL), 1);
  EXPECT_TRUE(MusicPlaying(MUS_CITY));
  std::vector<int16_t> silentMix = Recording();
  EXPECT_GT(silentMix.size(), static_cast<size_t>(RATE / 10));
  EXPECT_EQ(MaxAbs(silentMix), 0);
}

TEST_F(AudioMixer, OptionVolumesScaleEffectsAndMusic) {
  LoadSoundSample(Wav("bell.wav", 600, 1000), SND_BELL);
  SetSampleVolume(50); // half of full volume
  PlaySample(SND_BELL);
  Sleep(300);
  std::vector<int16_t> mix = Recording();
  EXPECT_EQ(MaxAbs(mix), 500);
}

TEST_F(AudioMixer, FilesTheMixerMustNotSeeAreLeftOutAndNothingWaits) {
  // Two samples a second: the mixer would make 194 MB of these 9 KB. A FIFO as a
  // sound or a music track would wait for a writer while the game loads.
  std::string slow = Wav("slow.wav", 50, 1000);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(slow, bytes));
  ByteWriter header(8);
  header.U32(0, 2);
  header.U32(4, 2 * 4);
  std::copy(header.Result().begin(), header.Result().end(), bytes.begin() + 24);
  ASSERT_TRUE(WriteFileAtomic(slow, bytes.data(), bytes.size()));
  const std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  files_.push_back(fifo);

  alarm(20); // a loader that waits ends the test here
  LoadSoundSample(slow, SND_LINE);
  LoadSoundSample(fifo, SND_HIT);
  LoadMusicTrack(fifo, MUS_FOREST);
  LoadSoundSample(Wav("fine.wav", 50, 1000), SND_BELL);
  alarm(0);
  EXPECT_FALSE(SampleLoaded(SND_LINE));
  EXPECT_FALSE(SampleLoaded(SND_HIT));
  EXPECT_FALSE(MusicLoaded(MUS_FOREST));
  EXPECT_TRUE(SampleLoaded(SND_BELL));
}

namespace {
std::vector<SoundRequest> Requests;
void Record(const SoundRequest& r) {
  Requests.push_back(r);
}
} // namespace

TEST(AudioWithoutDevice, EveryCallIsASilentNoOpAndStillReported) {
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  std::string old = driver ? driver : "";
  setenv("SDL_AUDIODRIVER", "no-such-audio-driver", 1);
  int messages = PlatformMessageCount();
  StartAudio();
  Requests.clear();
  SetSoundObserver(Record);
  LoadSoundSample("/nonexistent/f_line.wav", SND_LINE);
  LoadMusicTrack("/nonexistent/forest.ogg", MUS_FOREST);
  PlaySample(SND_LINE);
  RestartSample(SND_STONE);
  SetSampleLevel(SND_STONE, 40);
  StopSample(SND_STONE);
  StartMusic(MUS_FOREST);
  FadeOutMusic(MUS_FOREST);
  RestoreMusicVolume(MUS_FOREST);
  SetStreamVolume(90);
  SetSampleVolume(0);
  PlaySample(0);
  PlaySample(29);
  StartMusic(8);
  SetSoundObserver(nullptr);
  EXPECT_EQ(SamplePlayingCount(SND_LINE), 0);
  EXPECT_FALSE(MusicPlaying(MUS_FOREST));
  EXPECT_EQ(PlatformMessageCount(), messages);
  StopAudio();
  if (old.empty())
    unsetenv("SDL_AUDIODRIVER");
  else
    setenv("SDL_AUDIODRIVER", old.c_str(), 1);
  ASSERT_EQ(Requests.size(), 12u);
  EXPECT_EQ(Requests[0].op, SoundRequest::Play);
  EXPECT_EQ(Requests[0].n, SND_LINE);
  EXPECT_EQ(Requests[2].op, SoundRequest::Level);
  EXPECT_EQ(Requests[2].value, 40);
  EXPECT_EQ(Requests[4].op, SoundRequest::Music);
  EXPECT_EQ(Requests[5].op, SoundRequest::Fade);
  EXPECT_EQ(Requests[6].op, SoundRequest::Restore);
  EXPECT_EQ(Requests[7].op, SoundRequest::StreamVolume);
  EXPECT_EQ(Requests[7].value, 90);
  EXPECT_EQ(Requests[8].op, SoundRequest::SampleVolume);
  EXPECT_EQ(Requests[8].value, 0);
}
