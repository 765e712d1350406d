// The sounds the game asked for during a test, caught through the sound observer,
// and how often a sample was asked for.
#pragma once
#include <vector>

#include "assets/sound.h"

inline std::vector<SoundRequest>& SoundLog() {
  static std::vector<SoundRequest> log;
  return log;
}

inline void RecordSound(const SoundRequest& request) {
  SoundLog().push_back(request);
}

// Clears the log and records every request from now on.
inline void ListenToSounds() {
  SoundLog().clear();
  SetSoundObserver(RecordSound);
}

// How often sample n was asked for with the given operation.
inline int CountSounds(SoundRequest::Op op, int n) {
  int count = 0;
  for (const SoundRequest& r : SoundLog())
    if (r.op == op && r.n == n) ++count;
  return count;
}

inline int Played(int n) {
  return CountSounds(SoundRequest::Play, n);
}
