// The state checks that must hold after every tick whatever the files said, and a
// player's hand read from the input bytes, for the fuzzers that feed file contents
// into the rules (ResetHeadlessGame gives them a clean game).
#pragma once
#include <cstring>

#include "app/program.h"
#include "app/window.h"
#include "core/arith.h"
#include "core/input.h"
#include "frontend/menu.h"
#include "fuzz_common.h"
#include "game/banners.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/meter.h"
#include "game/options.h"
#include "game/state.h"
#include "game/stones.h"
#include "game/tick.h"
#include "play/actions.h"
#include "support/headless_game.h"

// The invariants of a running game: stones are real templates, the anchor is over
// the play area, the meter is a percentage, the shown score trails the score.
inline void CheckGameInvariants() {
  for (uint8_t k : StoneRing.kind) FuzzCheck(k >= 1 && k <= 17);
  FuzzCheck(IsActiveColumn(Anchor.column));
  FuzzCheck(LevelMeter.value >= 0.0f && LevelMeter.value <= 100.0f);
  FuzzCheck(CurrentGame.shownScore <= CurrentGame.score);
  FuzzCheck(StoneRing.rotation >= 0 && StoneRing.rotation <= 3);
}

// Plays up to `ticks` ticks, taking the pointer and the actions from `input`.
inline void PlayFromBytes(const uint8_t* input, size_t size, int ticks) {
  for (int t = 0; t < ticks; ++t) {
    if (CurrentGame.pendingMode == 200) break;
    if (size > 0) {
      uint8_t b = input[t % size];
      MouseX = b * 800 / 255;
      if (b % 5 == 0) DispatchAction(static_cast<uint8_t>(b % 13));
    }
    GameTick();
    CheckGameInvariants();
  }
}
