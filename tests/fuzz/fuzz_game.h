// A clean headless game for the fuzzers that feed file contents into the rules, and
// the state checks that must hold after every tick whatever the files said.
#pragma once
#include <cstring>

#include "app/program.h"
#include "app/window.h"
#include "assets/banners.h"
#include "assets/text.h"
#include "core/arith.h"
#include "frontend/highscore.h"
#include "frontend/menu.h"
#include "frontend/options.h"
#include "fuzz_common.h"
#include "game/actions.h"
#include "game/levels.h"
#include "game/meter.h"
#include "game/state.h"
#include "game/stones.h"
#include "game/tick.h"
#include "render/effects.h"

// Puts every program-wide record the rules read into a known state.
inline void ResetFuzzGame() {
  InitStoneTemplates();
  std::memset(Options, 0, sizeof Options);
  Options[OPT_MOUSE_SPEED] = 2;
  ResetEffects();
  ResetBanners();
  SeedRandom(1);
  HighScores = HighScoreRecord{};
  HighScores.profile.storyProgress = 1;
  std::memset(ItemSlots, 0, sizeof ItemSlots);
  ChosenTheme = 2;
  ArcadeCylinderSize = 12;
  CylinderSize = 12;
  MouseX = 400;
  MouseY = 300;
  HoverId = 0;
  TopMode = 0;
}

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
