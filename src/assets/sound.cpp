#include "assets/sound.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "core/binio.h"
#include "core/files.h"
#include "platform/audio.h"

const char* const SampleFiles[SAMPLE_COUNT] = {
    "f_dreher.wav",   "f_trankup.wav", "f_anker.wav",  "f_box.wav",      "f_aim.wav",    "f_change.wav",
    "f_tube.wav",     "f_line.wav",    "f_bomb.wav",   "f_linefall.wav", "f_mline.wav",  "f_stone.wav",
    "f_dc.wav",       "f_buzz.wav",    "f_hit.wav",    "f_mover.wav",    "f_select.wav", "f_win.wav",
    "f_coin.wav",     "f_start.wav",   "f_border.wav", "f_chime.wav",    "f_buy.wav",    "f_sell.wav",
    "f_tubeline.wav", "f_item.wav",    "f_clock.wav",  "f_bell.wav"};
const char* const MusicFiles[MUSIC_COUNT] = {"forest.ogg",   "city.ogg",  "desert.ogg", "beach.ogg",
                                             "mountain.ogg", "title.ogg", "map.ogg"};

namespace {

// Back-end handles by number, index = number - 1; 0 where loading failed.
int SampleTable[SAMPLE_COUNT];
int MusicTable[MUSIC_COUNT];

SoundObserver Observer = nullptr;

void Report(SoundRequest::Op op, int n, int value) {
  if (Observer) Observer(SoundRequest{op, n, value});
}

int SampleHandle(int n) {
  return n >= 1 && n <= SAMPLE_COUNT ? SampleTable[n - 1] : 0;
}
int MusicHandle(int n) {
  return n >= 1 && n <= MUSIC_COUNT ? MusicTable[n - 1] : 0;
}

} // namespace

void SetSoundObserver(SoundObserver observer) {
  Observer = observer;
}

bool CheckWav(const uint8_t* data, size_t size, WavFormat& format, std::string& why) {
  format = WavFormat{};
  ByteReader in(data, size);
  if (!in.Has(0, 12) || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) {
    why = "it is not a WAV file";
    return false;
  }
  bool haveFormat = false;
  for (size_t at = 12;;) {
    if (!in.Has(at, 8)) {
      why = haveFormat ? "it holds no sound data" : "it has no format chunk";
      return false;
    }
    const uint8_t* id = data + at;
    const uint32_t length = in.U32(at + 4);
    at += 8;
    if (length > size - at) {
      why = "a chunk runs past the end of the file";
      return false;
    }
    if (std::memcmp(id, "fmt ", 4) == 0 && !haveFormat) {
      if (length < 16) {
        why = "its format chunk is too short";
        return false;
      }
      const uint16_t tag = in.U16(at), blockAlign = in.U16(at + 12);
      format.channels = in.U16(at + 2);
      format.rate = in.U32(at + 4);
      format.bits = in.U16(at + 14);
      if (tag != 1) {
        why = "it is not uncompressed PCM";
        return false;
      }
      if (format.channels < 1 || format.channels > 2 || (format.bits != 8 && format.bits != 16) ||
          blockAlign != format.channels * format.bits / 8) {
        why = "it has " + std::to_string(format.channels) + " channels of " + std::to_string(format.bits) +
              " bits (1 or 2 channels of 8 or 16 bits are played)";
        return false;
      }
      if (format.rate < WAV_MIN_RATE || format.rate > WAV_MAX_RATE) {
        why = "it declares " + std::to_string(format.rate) + " samples a second (" +
              std::to_string(WAV_MIN_RATE) + " to " + std::to_string(WAV_MAX_RATE) + " are played)";
        return false;
      }
      haveFormat = true;
    } else if (std::memcmp(id, "data", 4) == 0) {
      if (!haveFormat) {
        why = "its sound data comes before its format";
        return false;
      }
      const uint64_t frames = length / (format.channels * format.bits / 8);
      if (frames > uint64_t{WAV_MAX_SECONDS} * format.rate) {
        why = "it lasts longer than " + std::to_string(WAV_MAX_SECONDS) + " seconds";
        return false;
      }
      format.dataOffset = static_cast<uint32_t>(at);
      format.dataBytes = length;
      return true;
    }
    // Chunks are padded to an even length.
    at += length + (length & 1);
  }
}

namespace {

// A file left out of the sound tables is named, so a player who replaced it learns why.
void ReportLeftOut(const std::string& path, const std::string& why) {
  std::fprintf(stderr, "Sound %s is left out: %s.\n", path.c_str(), why.c_str());
}

int LoadCheckedWav(const std::string& path, int playbacks, bool loop) {
  if (!PlatformAudioActive()) return 0;
  std::vector<uint8_t> bytes;
  std::string why;
  WavFormat format;
  try {
    if (!ReadWholeFile(path, bytes, &why, SOUND_FILE_LIMIT) ||
        !CheckWav(bytes.data(), bytes.size(), format, why)) {
      ReportLeftOut(path, why);
      return 0;
    }
  } catch (const std::bad_alloc&) {
    ReportLeftOut(path, "not enough memory");
    return 0;
  }
  int handle = PlatformLoadSample(bytes.data(), bytes.size(), playbacks, loop);
  if (handle == 0) ReportLeftOut(path, "the mixer cannot play it");
  return handle;
}

} // namespace

void LoadSoundSample(const std::string& path, int n) {
  if (n >= 1 && n <= SAMPLE_COUNT) SampleTable[n - 1] = LoadCheckedWav(path, 3, false);
}

void LoadLoopSample(const std::string& path, int n) {
  if (n >= 1 && n <= SAMPLE_COUNT) SampleTable[n - 1] = LoadCheckedWav(path, 1, true);
}

void LoadMusicTrack(const std::string& path, int n) {
  if (n < 1 || n > MUSIC_COUNT) return;
  MusicTable[n - 1] = 0;
  if (!PlatformAudioActive()) return;
  // A FIFO or a device would make the stream wait for data while the game loads.
  std::string why;
  int fd = OpenRegularFile(path, &why);
  if (fd < 0) {
    ReportLeftOut(path, why);
    return;
  }
  MusicTable[n - 1] = PlatformLoadStream(fd);
  if (MusicTable[n - 1] == 0) ReportLeftOut(path, "the mixer cannot play it");
}

void PlaySample(int n) {
  Report(SoundRequest::Play, n, 0);
  PlatformPlaySample(SampleHandle(n));
}

// A channel taken from a busy sample starts from the beginning anyway, so a
// restart and a play differ only in what the rules asked for.
void RestartSample(int n) {
  Report(SoundRequest::Restart, n, 0);
  PlatformPlaySample(SampleHandle(n));
}

void StopSample(int n) {
  Report(SoundRequest::Stop, n, 0);
  PlatformStopSample(SampleHandle(n));
}

void SetSampleLevel(int n, int volume) {
  Report(SoundRequest::Level, n, volume);
  PlatformSetSampleLevel(SampleHandle(n), volume);
}

void StartMusic(int n) {
  Report(SoundRequest::Music, n, 100);
  // Every track stops first, faded ones too, so at most one track sounds.
  for (int track = 1; track <= MUSIC_COUNT; ++track) PlatformStopStream(MusicTable[track - 1]);
  PlatformPlayStream(MusicHandle(n));
  PlatformSetStreamLevel(MusicHandle(n), 100);
}

void FadeOutMusic(int n) {
  Report(SoundRequest::Fade, n, 0);
  PlatformSlideStreamLevel(MusicHandle(n), 0, 2000);
}

void RestoreMusicVolume(int n) {
  Report(SoundRequest::Restore, n, 100);
  PlatformSetStreamLevel(MusicHandle(n), 100);
}

void SetStreamVolume(int volume) {
  Report(SoundRequest::StreamVolume, 0, volume);
  PlatformSetMusicVolume(volume);
}

void SetSampleVolume(int volume) {
  Report(SoundRequest::SampleVolume, 0, volume);
  PlatformSetEffectsVolume(volume);
}

// A machine without a sound device runs the game silently, without a message.
void StartAudio() {
  PlatformAudioStart();
}

void StopAudio() {
  PlatformAudioStop();
  for (int& handle : SampleTable) handle = 0;
  for (int& handle : MusicTable) handle = 0;
}

bool SampleLoaded(int n) {
  return SampleHandle(n) != 0;
}

bool MusicLoaded(int n) {
  return MusicHandle(n) != 0;
}

int SamplePlayingCount(int n) {
  return PlatformSamplePlayingCount(SampleHandle(n));
}
bool MusicPlaying(int n) {
  return PlatformStreamPlaying(MusicHandle(n));
}
int MusicLevel(int n) {
  return PlatformStreamLevel(MusicHandle(n));
}
