// Play never allocates: the game tick and the action handler run a busy game with
// every global operator new counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "app/window.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "core/input.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/meter.h"
#include "game/options.h"
#include "game/state.h"
#include "game/tick.h"
#include "play/actions.h"
#include "support/alloc_counter.h"
#include "support/headless_game.h"

TEST(NoAllocation, GameTickAndActionsAllocateNothing) {
  SetSoundObserver(nullptr);
  ResetHeadlessGame(99); // mouse speed 2: a 384-pixel window over 12 columns
  HighScores.profile.storyProgress = 55;
  ChosenTheme = 1;
  StartLevel(ARCADE_LEVEL, 0);
  PlayerName = "TWELVE CHARS";
  LevelMeter.drainPerTick = 0.5f; // tube lines every 200 ticks
  CurrentGame.bombChance = 50;
  FillEffectPools();

  // The counter itself must see an allocation, or the test below proves nothing.
  StartCountingAllocations();
  int* volatile probe = new int(5);  // volatile: the pair cannot be optimised away
  delete probe;
  ASSERT_EQ(StopCountingAllocations(), 1);

  int retries = 0;
  int lines = 0;
  StartCountingAllocations();
  for (int t = 0; t < 20000; ++t) {
    // Half the time the pointer sweeps, half the time it holds the anchor over the gap.
    MouseX = (t / 50) % 2 ? (t * 37) % 800 : static_cast<int32_t>(Anchor.windowLeft + 6 * 384.0f / 11 + 0.5f);
    if (t % 5 == 0) DispatchAction(0);
    if (t % 97 == 0) DispatchAction(static_cast<uint8_t>(1 + (t / 97) % 12));
    if (CurrentGame.paused && t % 13 == 0) {
      HoverId = 3;
      DispatchAction(0);
    }
    if (CurrentGame.gameOver > 60) {
      ++retries;
      lines += CurrentGame.linesLeft;
      HoverId = 44;
      DispatchAction(0); // Retry: a new game in place
      LevelMeter.drainPerTick = 0.5f;
      CurrentGame.bombChance = 50;
    }
    if (t % 400 == 0) FillEffectPools();
    if (t % 150 == 0) {
      // A row with one gap above the tube block keeps lines coming.
      int r = 11;
      while (r > 2 && Cell(6, r) == CELL_TUBE) --r;
      for (int c = 0; c < 12; ++c) Cell(c, r) = c == 6 ? CELL_EMPTY : 3;
    }
    HoverId = 0;
    GameTick();
  }
  EXPECT_EQ(StopCountingAllocations(), 0);
  EXPECT_GT(retries, 2) << "the run should cover game over and Retry";
  EXPECT_GT(lines, 0) << "the run should remove lines";
}
