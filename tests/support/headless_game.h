// A clean headless game for the rule tests, the soak, the fuzzers that feed file
// contents into the rules and the drawing tests of the game screen: every
// program-wide record a game tick or a game frame reads is put into a known state,
// with no window, no sound device and no files.
#pragma once
#include <cstdint>
#include <cstring>

#include "core/arith.h"
#include "core/input.h"
#include "core/modes.h"
#include "game/banners.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"

// No game in progress (an empty field, every game record cleared, no ring turn
// under way, the anchor at column 0, no name being typed), default options (mouse
// speed 2, nothing else), no effects or banners, the random stream started from
// `seed`, an empty hall of fame with only the first story level open, no items, the
// pointer in the middle of the screen over nothing, and an arcade cylinder of 12
// columns.
inline void ResetHeadlessGame(uint64_t seed) {
  InitStoneTemplates();
  Field = Playfield{};
  CurrentGame = CurrentGameState{};
  StoneRing = StoneRingState{};
  StoneRing.rotateTimer = -1;
  StoneRing.rotateBackTimer = -1;
  Anchor = AnchorState{};
  PulledStone = PulledStoneState{};
  BombBlast = BombBlastState{};
  LevelMeter = LevelMeterState{};
  NameEntryActive = 0;
  PlayerName.clear();
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
}

// Every effect pool full, as in the busiest moments of a game: each later spawn
// has to find its pool full.
inline void FillEffectPools() {
  for (int k = 0; k < STAR_POOL; ++k) SpawnStar(0, 0, 0.01f, 0.01f);
  for (int k = 0; k < DEBRIS_POOL; ++k) SpawnDebris(2, 0, 0, 0.01f, 0.1f, 0.01f);
  for (int k = 0; k < SUIT_DROP_POOL; ++k) SpawnSuitDrop(1, 3.0f, -5.0f);
  for (int k = 0; k < FALLING_BOX_POOL; ++k) SpawnFallingBox(1, 6, -3, 0.02f, 0.05f);
  for (int k = 0; k < EXPLOSION_POOL; ++k) SpawnExplosion(0, 0);
  for (int k = 0; k < DUST_POOL; ++k) SpawnDust(0, 0, 0, 0);
}
