// Game ticks per second on a busy arcade field: 12 columns, a block of tube rows,
// a high stack with gaps, stones pulled all the time and every effect pool full.
#include <benchmark/benchmark.h>

#include <cstring>

#include "app/window.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "game/tick.h"
#include "play/actions.h"
#include "support/headless_game.h"

namespace {
// Tube rows at the bottom and a stack of almost complete rows above them.
void BuildBusyField() {
  StartLevel(ARCADE_LEVEL, 0);
  for (int r = 9; r <= 11; ++r)
    for (int c = 0; c < 12; ++c) Cell(c, r) = CELL_TUBE;
  for (int r = 4; r <= 8; ++r)
    for (int c = 0; c < 12; ++c)
      Cell(c, r) = c == (r * 5) % 12 ? CELL_EMPTY : static_cast<uint8_t>(1 + (r + c) % 8);
  CurrentGame.bombChance = 40;
  FillEffectPools();
}
} // namespace

static void BM_GameTickBusyArcade(benchmark::State& state) {
  SetSoundObserver(nullptr);
  ResetHeadlessGame(2024);
  ChosenTheme = 1;
  BuildBusyField();
  int32_t t = 0;
  for (auto _ : state) {
    MouseX = (t * 23) % 800;
    if (t % 6 == 0) DispatchAction(0);
    // Keeping the field busy is the benchmark's own work, not the tick's.
    if (t % 200 == 0 || CurrentGame.gameOver != 0 || t % 3000 == 0) {
      state.PauseTiming();
      if (t % 200 == 0) FillEffectPools();
      if (CurrentGame.gameOver != 0 || t % 3000 == 0) BuildBusyField();
      state.ResumeTiming();
    }
    GameTick();
    ++t;
    benchmark::DoNotOptimize(Field.shownCells[0]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GameTickBusyArcade);

// The line check alone on a field where every check removes rows.
static void BM_CheckLinesFourRows(benchmark::State& state) {
  SetSoundObserver(nullptr);
  InitStoneTemplates();
  ArcadeCylinderSize = 12;
  StartLevel(ARCADE_LEVEL, 0);
  for (auto _ : state) {
    for (int r = 8; r <= 11; ++r)
      for (int c = 0; c < 12; ++c) Cell(c, r) = 2;
    std::memset(CurrentGame.lineTimer, 0, sizeof CurrentGame.lineTimer);
    ResetEffects();
    GameTick();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CheckLinesFourRows);
