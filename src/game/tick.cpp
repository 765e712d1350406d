// Placeholder until the game rules land: a tick only advances the clock.
#include "game/tick.h"

#include "game/state.h"

void StartLevel(uint16_t level, int32_t startTime) {
  CurrentGame = CurrentGameState{};
  CurrentGame.level = level;
  CurrentGame.startTime = startTime;
}

void GameTick() { CurrentGame.tick += 1; }
