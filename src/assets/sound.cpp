#include "assets/sound.h"

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

void LoadSoundSample(const std::string& path, int n) {
  if (n >= 1 && n <= SAMPLE_COUNT) SampleTable[n - 1] = PlatformLoadSample(path.c_str(), 3, false);
}

void LoadLoopSample(const std::string& path, int n) {
  if (n >= 1 && n <= SAMPLE_COUNT) SampleTable[n - 1] = PlatformLoadSample(path.c_str(), 1, true);
}

void LoadMusicTrack(const std::string& path, int n) {
  if (n >= 1 && n <= MUSIC_COUNT) MusicTable[n - 1] = PlatformLoadStream(path.c_str());
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
