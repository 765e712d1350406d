// Numbered sound effects (samples 1..28) and music tracks (1..7). The game asks
// for "sample 8" or "music 3"; this module keeps the tables and talks to the
// platform's audio back end. When no audio device could be opened every call is
// a silent no-op.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int SAMPLE_COUNT = 28;
constexpr int MUSIC_COUNT = 7;

// Sample numbers, by file stem.
enum SampleId : int {
  SND_DREHER = 1, SND_TRANKUP, SND_ANKER, SND_BOX, SND_AIM, SND_CHANGE, SND_TUBE, SND_LINE,
  SND_BOMB, SND_LINEFALL, SND_MLINE, SND_STONE, SND_DC, SND_BUZZ, SND_HIT, SND_MOVER, SND_SELECT,
  SND_WIN, SND_COIN, SND_START, SND_BORDER, SND_CHIME, SND_BUY, SND_SELL, SND_TUBELINE, SND_ITEM,
  SND_CLOCK, SND_BELL
};
// Music numbers: themes 1..5, then the front-end tracks.
enum MusicId : int { MUS_FOREST = 1, MUS_CITY, MUS_DESERT, MUS_BEACH, MUS_MOUNTAIN, MUS_TITLE, MUS_MAP };

// File names of the catalogues, index = number - 1.
extern const char* const SampleFiles[SAMPLE_COUNT];
extern const char* const MusicFiles[MUSIC_COUNT];

// What an effect may be before the mixer sees it: an uncompressed PCM WAV, 8 or
// 16 bits, one or two channels, 8000 to 48000 samples a second, at most 30
// seconds. The mixer turns every effect into 44.1 kHz stereo 16-bit samples held
// in memory, so these bounds keep any effect, whatever its header claims, within
// what a real one costs (at most 30 s x 44100 x 4 bytes, about 5 MB).
constexpr uint32_t WAV_MIN_RATE = 8000;
constexpr uint32_t WAV_MAX_RATE = 48000;
constexpr uint32_t WAV_MAX_SECONDS = 30;
// The largest effect file: 30 seconds of 48 kHz stereo 16-bit, and room for the
// chunks that carry no sound (names, notes).
constexpr size_t SOUND_FILE_LIMIT = size_t{WAV_MAX_SECONDS} * WAV_MAX_RATE * 4 + 65536;

struct WavFormat {
  uint16_t channels = 0;
  uint32_t rate = 0;       // samples a second
  uint16_t bits = 0;       // per sample
  uint32_t dataOffset = 0; // where the samples start in the file
  uint32_t dataBytes = 0;
};
// Checks the bytes of a whole WAV file against the bounds above: the RIFF/WAVE
// header, a format chunk before the data chunk, every chunk within the file.
// False with `why` saying what is wrong.
bool CheckWav(const uint8_t* data, size_t size, WavFormat& format, std::string& why);

// Loading (asset loader only). Each fills its table entry, 0 on failure. An
// effect is read (regular files only, at most SOUND_FILE_LIMIT bytes) and checked
// with CheckWav before the mixer sees it; a music track must be a regular file.
// A file left out is named on stderr; the game plays on without that sound.
void LoadSoundSample(const std::string& path, int n);  // up to 3 overlapping playbacks
void LoadLoopSample(const std::string& path, int n);   // one looping playback (sample 12)
void LoadMusicTrack(const std::string& path, int n);   // looping stream

// Playing. n outside its table does nothing.
void PlaySample(int n);        // a 4th overlapping playback restarts the oldest
void RestartSample(int n);
void StopSample(int n);        // every playback of sample n stops
void SetSampleLevel(int n, int volume);  // 0..100
void StartMusic(int n);        // stops all tracks, restarts n from the beginning at volume 100
void FadeOutMusic(int n);      // slides n's volume to 0 over 2000 ms; the track keeps running
void RestoreMusicVolume(int n);  // n's volume back to 100 at once

// The two global volumes, 0..100 (options value x 10).
void SetStreamVolume(int volume);
void SetSampleVolume(int volume);

// Audio start and stop, once per process (InitializeGame / ShutdownGame).
void StartAudio();
void StopAudio();

// What is sounding now, for tests: playbacks of sample n, whether track n runs
// (also while faded to silence) and its volume 0..100 including a running fade.
int SamplePlayingCount(int n);
bool MusicPlaying(int n);
int MusicLevel(int n);
// Whether sample n / track n was loaded (false without an audio device).
bool SampleLoaded(int n);
bool MusicLoaded(int n);

// Every request above is also reported to an observer, so tests can check which
// sounds the rules asked for without an audio device.
struct SoundRequest {
  enum Op : uint8_t { Play, Restart, Stop, Level, Music, Fade, Restore, StreamVolume, SampleVolume } op;
  int n;      // sample or track number (0 for the global volumes)
  int value;  // level or volume where the request has one
};
using SoundObserver = void (*)(const SoundRequest&);
void SetSoundObserver(SoundObserver observer);
