// The busiest game screen, built the same way every time: an arcade game on the
// 12-column cylinder with three tube rows and a high, gappy stack, stones in
// flight and one pulled down mid-drop, every effect pool full and spread over
// the field, both banners on their way, the dream editor in place and the pause
// dialog over it all. Used by the frame benchmark and by the GL tests that keep
// this picture identical and allocation-free.
//
// Call after the assets are loaded (textures, display lists and font widths in
// place). Starts from ResetHeadlessGame (tests/support/headless_game.h), so it
// changes the game state, the effect pools, the banners, the options, the save
// record and the pointer; plays sounds through the sound layer as the rules do.
#pragma once
#include <cstring>

#include "app/window.h"
#include "core/arith.h"
#include "game/banners.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "game/tick.h"
#include "play/actions.h"
#include "support/headless_game.h"

namespace busy_scene {

// Tops every effect pool up to full, the records spread over the whole field.
inline void FillEffectPools() {
  for (int k = 0; k < STAR_POOL; ++k)
    SpawnStar(static_cast<float>(k % 12 - 6), -static_cast<float>(k % 11), (k % 7 - 3) * 0.01f,
              (k % 5 - 2) * 0.01f);
  for (int k = 0; k < DEBRIS_POOL; ++k)
    SpawnDebris(static_cast<uint8_t>(k % 8), static_cast<float>(k % 12 - 6), -static_cast<float>(k % 12),
                (k % 9 - 4) * 0.01f, (k % 5) * 0.02f, 0.05f);
  for (int k = 0; k < SUIT_DROP_POOL; ++k)
    SpawnSuitDrop(static_cast<uint8_t>(1 + k % 4), static_cast<float>(k % 12 - 6),
                  -static_cast<float>(k % 10));
  for (int k = 0; k < FALLING_BOX_POOL; ++k)
    SpawnFallingBox(static_cast<uint8_t>(1 + k % 2), static_cast<float>(k % 12 - 6),
                    -static_cast<float>(k % 9), (k % 5 - 2) * 0.02f, 0.05f);
  for (int k = 0; k < EXPLOSION_POOL; ++k)
    SpawnExplosion(static_cast<float>(k % 12 - 6), -static_cast<float>(k % 12));
  for (int k = 0; k < DUST_POOL; ++k)
    SpawnDust(static_cast<float>(k % 12 - 6), -static_cast<float>(k % 12), (k % 3 - 1) * 0.01f, 0.01f);
}

// Three tube rows at the bottom and six almost complete rows above them.
inline void FillField() {
  for (int r = 9; r <= 11; ++r)
    for (int c = 0; c < 12; ++c) Cell(c, r) = CELL_TUBE;
  for (int r = 3; r <= 8; ++r)
    for (int c = 0; c < 12; ++c)
      Cell(c, r) = c == (r * 5) % 12 ? CELL_EMPTY : static_cast<uint8_t>(1 + (r + c) % 8);
  std::memcpy(Field.shownCells, Field.cells, sizeof Field.cells);
}

inline void Build() {
  ResetHeadlessGame(2024);
  Options[OPT_SHOW_CHARACTER] = 1;
  Options[OPT_ARCADE_AIMHELP] = 1;
  ChosenTheme = 1;
  StartLevel(ARCADE_LEVEL, 0);
  CurrentGame.bombChance = 40;
  FillField();
  // Past the fade-in, stones flying; a pull every few ticks.
  MouseY = 300;
  for (int t = 0; t < 120; ++t) {
    MouseX = 200 + (t * 37) % 400;
    GameTick();
  }
  FillField();
  FillEffectPools();
  for (int t = 0; t < 12; ++t) GameTick();
  FillEffectPools();
  StartMultiLineBanner(3);
  StartLevelUpBanner();
  MouseX = 380;
  DispatchAction(0);
  for (int t = 0; t < 4; ++t) GameTick();
  FillEffectPools();
  CurrentGame.dreamTimer = 400;
  CurrentGame.paused = 1;
  MouseX = 420;
  MouseY = 300;
}

} // namespace busy_scene
