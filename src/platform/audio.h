// The audio back end (SDL2_mixer): effect samples with a fixed number of
// simultaneous playbacks, looping music streams of which only one sounds at a
// time, a music volume slide that leaves the track running, and the two global
// volumes. Handles are small positive numbers, 0 = none. When audio could not
// start (or was stopped) every call is a silent no-op and loaders return 0.
// All calls come from the main thread; the mixer runs on SDL's audio thread.
#pragma once
#include <cstddef>
#include <cstdint>

// Opens the default output device at 44100 Hz, stereo. False (and nothing shown)
// when no device can be opened; the game then runs silently.
bool PlatformAudioStart();
// Stops everything and closes the device; every handle becomes invalid.
void PlatformAudioStop();
bool PlatformAudioActive();

// A WAV effect from the `size` bytes of its file (checked by the caller, and
// copied: the bytes may go afterwards) with up to `maxPlaybacks` (1..3)
// simultaneous playbacks; `loop` makes every playback repeat until stopped. 0 when
// it cannot be loaded.
int PlatformLoadSample(const uint8_t* data, size_t size, int maxPlaybacks, bool loop);
// Starts a playback on a free channel of the sample, or, when all are busy,
// restarts the one that has played longest.
void PlatformPlaySample(int sample);
// Stops every playback of the sample.
void PlatformStopSample(int sample);
// Playback volume of the sample, 0..100, for running and later playbacks.
void PlatformSetSampleLevel(int sample, int volume);
// How many playbacks of the sample are sounding now (tests).
int PlatformSamplePlayingCount(int sample);

// A looping Ogg Vorbis (or WAV) stream, decoded while it plays from the open file
// `fd`, which the stream owns from here on (closed on failure too). 0 on failure.
int PlatformLoadStream(int fd);
// Starts the stream from its beginning; any other stream stops, since only one sounds.
void PlatformPlayStream(int stream);
void PlatformStopStream(int stream);
// Stream volume 0..100, at once (ends a running slide).
void PlatformSetStreamLevel(int stream, int volume);
// Slides the stream's volume linearly to `volume` over `milliseconds`; the stream
// keeps running afterwards, also at volume 0.
void PlatformSlideStreamLevel(int stream, int volume, uint32_t milliseconds);
// Whether the stream is running (also while silent after a slide).
bool PlatformStreamPlaying(int stream);
// The stream's current volume 0..100, the slide included (tests).
int PlatformStreamLevel(int stream);

// Global volumes 0..100: all music, all effects. 0 is silence.
void PlatformSetMusicVolume(int volume);
void PlatformSetEffectsVolume(int volume);
