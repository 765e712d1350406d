#include "platform/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int MAX_SAMPLES = 40;
constexpr int MAX_STREAMS = 8;
constexpr int MAX_CHANNELS = 128;

struct SampleSlot {
  Mix_Chunk* chunk;
  int firstChannel;
  int channelCount;
  bool loop;
};

SampleSlot Samples[MAX_SAMPLES];
int SampleCount = 0;
int NextChannel = 0;
Mix_Music* Streams[MAX_STREAMS];
int StreamCount = 0;
bool Active = false;
int BytesPerFrame = 4;
int FramesPerSecond = 44100;

// Shared with the mixer thread. The music volume is recomputed there after every
// mixed buffer, so that a slide advances with the sound itself; the main thread
// writes the state and then applies the volume at once. SDL holds the audio
// device lock for the whole mix, and Mix_VolumeMusic takes the same lock, so a
// value computed from old state can never land after the main thread's own.
std::atomic<uint64_t> MixedFrames{0};
std::atomic<int> CurrentStream{0}; // the stream that owns the music output, 0 none
std::atomic<int> StreamLevels[MAX_STREAMS + 1];
std::atomic<int> MusicVolume{100}; // global, 0..100
// The one running slide, packed so that the mixer reads it in one load:
// bit 63 active, bits 56..59 stream, 48..55 from-level, 40..47 to-level, 0..39 start frame.
std::atomic<uint64_t> Slide{0};
std::atomic<uint32_t> SlideFrames{1};

uint64_t PackSlide(int stream, int from, int to, uint64_t startFrame) {
  return (1ull << 63) | (static_cast<uint64_t>(stream) << 56) | (static_cast<uint64_t>(from) << 48) |
         (static_cast<uint64_t>(to) << 40) | (startFrame & 0xFFFFFFFFFFull);
}

// The level of `stream` at mixed-frame time `now`, the slide included.
int LevelAt(int stream, uint64_t now) {
  if (stream <= 0 || stream > MAX_STREAMS) return 0;
  uint64_t slide = Slide.load();
  if ((slide >> 63) && static_cast<int>((slide >> 56) & 0xF) == stream) {
    int from = static_cast<int>((slide >> 48) & 0xFF);
    int to = static_cast<int>((slide >> 40) & 0xFF);
    uint64_t start = slide & 0xFFFFFFFFFFull;
    uint64_t elapsed = (now & 0xFFFFFFFFFFull) >= start ? (now & 0xFFFFFFFFFFull) - start : 0;
    uint32_t duration = SlideFrames.load();
    if (elapsed >= duration) return to;
    return from + static_cast<int>((static_cast<int64_t>(to - from) * static_cast<int64_t>(elapsed)) /
                                   static_cast<int64_t>(duration));
  }
  return StreamLevels[stream].load();
}

int MixerMusicVolume(uint64_t now) {
  int stream = CurrentStream.load();
  return LevelAt(stream, now) * MusicVolume.load() * MIX_MAX_VOLUME / 10000;
}

void SDLCALL AfterMix(void*, Uint8*, int length) {
  uint64_t now = MixedFrames.fetch_add(static_cast<uint64_t>(length / BytesPerFrame)) +
                 static_cast<uint64_t>(length / BytesPerFrame);
  Mix_VolumeMusic(MixerMusicVolume(now));
}

void ApplyMusicVolume() {
  Mix_VolumeMusic(MixerMusicVolume(MixedFrames.load()));
}

// A finished slide becomes the stream's fixed level.
void SettleSlide() {
  uint64_t slide = Slide.load();
  if (!(slide >> 63)) return;
  int stream = static_cast<int>((slide >> 56) & 0xF);
  int level = LevelAt(stream, MixedFrames.load());
  StreamLevels[stream].store(level);
  Slide.store(0);
}

bool ValidSample(int sample) {
  return Active && sample >= 1 && sample <= SampleCount;
}
bool ValidStream(int stream) {
  return Active && stream >= 1 && stream <= StreamCount;
}

int ClampLevel(int v) {
  return v < 0 ? 0 : (v > 100 ? 100 : v);
}

} // namespace

bool PlatformAudioStart() {
  if (Active) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  Mix_Init(MIX_INIT_OGG);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int frequency = 44100, channels = 2;
  Uint16 format = AUDIO_S16SYS;
  Mix_QuerySpec(&frequency, &format, &channels);
  FramesPerSecond = frequency > 0 ? frequency : 44100;
  BytesPerFrame = (SDL_AUDIO_BITSIZE(format) / 8) * (channels > 0 ? channels : 1);
  if (BytesPerFrame <= 0) BytesPerFrame = 4;
  Mix_AllocateChannels(MAX_CHANNELS);
  SampleCount = 0;
  NextChannel = 0;
  StreamCount = 0;
  CurrentStream.store(0);
  Slide.store(0);
  MusicVolume.store(100);
  for (auto& level : StreamLevels) level.store(100);
  Mix_MasterVolume(MIX_MAX_VOLUME);
  Active = true;
  Mix_SetPostMix(AfterMix, nullptr);
  return true;
}

void PlatformAudioStop() {
  if (!Active) return;
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  for (int i = 0; i < SampleCount; ++i) Mix_FreeChunk(Samples[i].chunk);
  for (int i = 0; i < StreamCount; ++i) Mix_FreeMusic(Streams[i]);
  SampleCount = 0;
  StreamCount = 0;
  NextChannel = 0;
  CurrentStream.store(0);
  Slide.store(0);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  Active = false;
}

bool PlatformAudioActive() {
  return Active;
}

int PlatformLoadSample(const uint8_t* data, size_t size, int maxPlaybacks, bool loop) {
  if (!Active || SampleCount >= MAX_SAMPLES || size > INT32_MAX) return 0;
  if (maxPlaybacks < 1) maxPlaybacks = 1;
  if (maxPlaybacks > 3) maxPlaybacks = 3;
  if (NextChannel + maxPlaybacks > MAX_CHANNELS) return 0;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
  if (!chunk) return 0;
  // The mixer converts a sample to the output format in a buffer sized for the
  // widest step of the conversion (four times a mono 16-bit file for 16-bit
  // stereo) and keeps all of it; only the converted sound is needed.
  if (chunk->allocated && chunk->abuf && chunk->alen > 0) {
    if (void* fitted = SDL_realloc(chunk->abuf, chunk->alen)) chunk->abuf = static_cast<Uint8*>(fitted);
  }
  int handle = SampleCount + 1;
  SampleSlot& slot = Samples[SampleCount++];
  slot = SampleSlot{chunk, NextChannel, maxPlaybacks, loop};
  NextChannel += maxPlaybacks;
  // The group tag is the handle: the channels of one sample form one group.
  Mix_GroupChannels(slot.firstChannel, slot.firstChannel + maxPlaybacks - 1, handle);
  for (int c = 0; c < maxPlaybacks; ++c) Mix_Volume(slot.firstChannel + c, MIX_MAX_VOLUME);
  return handle;
}

void PlatformPlaySample(int sample) {
  if (!ValidSample(sample)) return;
  const SampleSlot& slot = Samples[sample - 1];
  int channel = Mix_GroupAvailable(sample);
  if (channel == -1) channel = Mix_GroupOldest(sample);
  if (channel == -1) channel = slot.firstChannel;
  Mix_PlayChannel(channel, slot.chunk, slot.loop ? -1 : 0);
}

void PlatformStopSample(int sample) {
  if (!ValidSample(sample)) return;
  Mix_HaltGroup(sample);
}

void PlatformSetSampleLevel(int sample, int volume) {
  if (!ValidSample(sample)) return;
  const SampleSlot& slot = Samples[sample - 1];
  int mixVolume = ClampLevel(volume) * MIX_MAX_VOLUME / 100;
  for (int c = 0; c < slot.channelCount; ++c) Mix_Volume(slot.firstChannel + c, mixVolume);
}

int PlatformSamplePlayingCount(int sample) {
  if (!ValidSample(sample)) return 0;
  const SampleSlot& slot = Samples[sample - 1];
  int count = 0;
  for (int c = 0; c < slot.channelCount; ++c) count += Mix_Playing(slot.firstChannel + c) ? 1 : 0;
  return count;
}

int PlatformLoadStream(int fd) {
  if (!Active || StreamCount >= MAX_STREAMS) {
    close(fd);
    return 0;
  }
  FILE* file = fdopen(fd, "rb");
  if (!file) {
    close(fd);
    return 0;
  }
  SDL_RWops* source = SDL_RWFromFP(file, SDL_TRUE);
  if (!source) {
    std::fclose(file);
    return 0;
  }
  // The music owns the source now, and closes it also when loading fails.
  Mix_Music* music = Mix_LoadMUS_RW(source, 1);
  if (!music) return 0;
  Streams[StreamCount++] = music;
  StreamLevels[StreamCount].store(100);
  return StreamCount;
}

void PlatformPlayStream(int stream) {
  if (!ValidStream(stream)) return;
  CurrentStream.store(stream);
  ApplyMusicVolume();
  Mix_PlayMusic(Streams[stream - 1], -1);
  ApplyMusicVolume();
}

void PlatformStopStream(int stream) {
  if (!ValidStream(stream) || CurrentStream.load() != stream) return;
  Mix_HaltMusic();
  CurrentStream.store(0);
}

void PlatformSetStreamLevel(int stream, int volume) {
  if (!ValidStream(stream)) return;
  uint64_t slide = Slide.load();
  if ((slide >> 63) && static_cast<int>((slide >> 56) & 0xF) == stream) Slide.store(0);
  StreamLevels[stream].store(ClampLevel(volume));
  ApplyMusicVolume();
}

void PlatformSlideStreamLevel(int stream, int volume, uint32_t milliseconds) {
  if (!ValidStream(stream)) return;
  SettleSlide();
  uint64_t frames = static_cast<uint64_t>(milliseconds) * static_cast<uint64_t>(FramesPerSecond) / 1000;
  SlideFrames.store(frames > 0 ? static_cast<uint32_t>(frames) : 1);
  int from = StreamLevels[stream].load();
  Slide.store(PackSlide(stream, from, ClampLevel(volume), MixedFrames.load()));
  ApplyMusicVolume();
}

bool PlatformStreamPlaying(int stream) {
  return ValidStream(stream) && CurrentStream.load() == stream && Mix_PlayingMusic();
}

int PlatformStreamLevel(int stream) {
  if (!ValidStream(stream)) return 0;
  return LevelAt(stream, MixedFrames.load());
}

void PlatformSetMusicVolume(int volume) {
  if (!Active) return;
  MusicVolume.store(ClampLevel(volume));
  ApplyMusicVolume();
}

void PlatformSetEffectsVolume(int volume) {
  if (!Active) return;
  Mix_MasterVolume(ClampLevel(volume) * MIX_MAX_VOLUME / 100);
}
