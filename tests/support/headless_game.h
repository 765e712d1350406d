// A clean headless game for the rule tests, the soak and the fuzzers that feed file
// contents into the rules: every program-wide record a game tick reads is put into
// a known state, with no window, no sound device and no files.
#pragma once
#include <cstdint>
#include <cstring>

#include "app/program.h"
#include "app/window.h"
#include "assets/banners.h"
#include "core/arith.h"
#include "frontend/highscore.h"
#include "frontend/menu.h"
#include "frontend/options.h"
#include "game/state.h"
#include "game/stones.h"
#include "render/effects.h"

// Default options (mouse speed 2, nothing else), no effects or banners, the random
// stream started from `seed`, an empty hall of fame with only the first story level
// open, no items, the pointer in the middle of the screen over nothing, no ring
// turn under way, and an arcade cylinder of 12 columns.
inline void ResetHeadlessGame(uint64_t seed) {
  InitStoneTemplates();
  std::memset(Options, 0, sizeof Options);
  Options[OPT_MOUSE_SPEED] = 2;
  ResetEffects();
  ResetBanners();
  SeedRandom(seed);
  HighScores = HighScoreRecord{};
  HighScores.profile.storyProgress = 1;
  std::memset(ItemSlots, 0, sizeof ItemSlots);
  std::memset(KeyRepeatDelay, 0, sizeof KeyRepeatDelay);
  ChosenTheme = 2;
  ArcadeCylinderSize = 12;
  CylinderSize = 12;
  MouseX = 400;
  MouseY = 300;
  HoverId = 0;
  TopMode = 0;
  StoneRing.rotateTimer = -1;
  StoneRing.rotateBackTimer = -1;
}
