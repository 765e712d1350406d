// Any bytes as a sound effect file. The check reads only the bytes it is given,
// every refusal says why, and whatever it lets through costs the mixer no more
// than a real effect does: its samples lie inside the file, and the mixer's
// 44.1 kHz stereo copy holds at most WAV_MAX_SECONDS of sound.
#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdlib>
#include <string>

#include "assets/sound.h"
#include "fuzz_common.h"

namespace {
// Bytes a second of the mixer's own format, once it is open.
uint64_t MixedBytesPerSecond = 0;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  FuzzCheck(SDL_Init(SDL_INIT_AUDIO) == 0);
  FuzzCheck(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  MixedBytesPerSecond = uint64_t(rate) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The loader never reads a larger file.
  if (size > SOUND_FILE_LIMIT) return 0;
  WavFormat format;
  std::string why;
  if (!CheckWav(data, size, format, why)) {
    FuzzCheck(!why.empty());
    return 0;
  }
  FuzzCheck(format.channels >= 1 && format.channels <= 2);
  FuzzCheck(format.bits == 8 || format.bits == 16);
  FuzzCheck(format.rate >= WAV_MIN_RATE && format.rate <= WAV_MAX_RATE);
  FuzzCheck(uint64_t(format.dataOffset) + format.dataBytes <= size);
  const uint64_t frames = format.dataBytes / (format.channels * format.bits / 8);
  FuzzCheck(frames <= uint64_t(WAV_MAX_SECONDS) * format.rate);

  // What the mixer makes of it: a chunk may be refused, never larger than
  // WAV_MAX_SECONDS of its own format (and a little for rounding).
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
  if (chunk) {
    FuzzCheck(chunk->alen <= WAV_MAX_SECONDS * MixedBytesPerSecond + 65536);
    Mix_FreeChunk(chunk);
  }
  return 0;
}
