// Starting a game and the fixed 10 ms game tick.
#pragma once
#include <cstdint>

// Resets the whole game state for story level `level` (0..54) or ARCADE_LEVEL and
// sets CurrentGame.startTime := startTime, tick := 0.
void StartLevel(uint16_t level, int32_t startTime);
// One 10 ms step of the game, in its fixed order.
void GameTick();
