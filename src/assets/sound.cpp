// Placeholder back end until the audio layer lands: requests reach the observer only.
#include "assets/sound.h"

const char* const SampleFiles[SAMPLE_COUNT] = {
    "f_dreher.wav", "f_trankup.wav", "f_anker.wav", "f_box.wav",      "f_aim.wav",      "f_change.wav",
    "f_tube.wav",   "f_line.wav",    "f_bomb.wav",  "f_linefall.wav", "f_mline.wav",    "f_stone.wav",
    "f_dc.wav",     "f_buzz.wav",    "f_hit.wav",   "f_mover.wav",    "f_select.wav",   "f_win.wav",
    "f_coin.wav",   "f_start.wav",   "f_border.wav", "f_chime.wav",   "f_buy.wav",      "f_sell.wav",
    "f_tubeline.wav", "f_item.wav",  "f_clock.wav", "f_bell.wav"};
const char* const MusicFiles[MUSIC_COUNT] = {"forest.ogg", "city.ogg",  "desert.ogg", "beach.ogg",
                                             "mountain.ogg", "title.ogg", "map.ogg"};

namespace {
SoundObserver Observer = nullptr;
void Report(SoundRequest::Op op, int n, int value) {
  if (Observer) Observer(SoundRequest{op, n, value});
}
}  // namespace

void SetSoundObserver(SoundObserver observer) { Observer = observer; }

void LoadSoundSample(const std::string&, int) {}
void LoadLoopSample(const std::string&, int) {}
void LoadMusicTrack(const std::string&, int) {}
void PlaySample(int n) { Report(SoundRequest::Play, n, 0); }
void RestartSample(int n) { Report(SoundRequest::Restart, n, 0); }
void StopSample(int n) { Report(SoundRequest::Stop, n, 0); }
void SetSampleLevel(int n, int volume) { Report(SoundRequest::Level, n, volume); }
void StartMusic(int n) { Report(SoundRequest::Music, n, 100); }
void FadeOutMusic(int n) { Report(SoundRequest::Fade, n, 0); }
void RestoreMusicVolume(int n) { Report(SoundRequest::Restore, n, 100); }
void SetStreamVolume(int volume) { Report(SoundRequest::StreamVolume, 0, volume); }
void SetSampleVolume(int volume) { Report(SoundRequest::SampleVolume, 0, volume); }
void StartAudio() {}
void StopAudio() {}
