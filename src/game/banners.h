// The two timed banners over the playfield: the multi-line banner (two, three or
// four lines at once) and the level-up banner (arcade difficulty rises). The rules
// start and tick them; the game screen draws them (play/banners_draw.h).
#pragma once
#include <cstdint>

extern uint8_t MultiLineKind;     // 1, 2 or 3
extern int32_t MultiLineAge;      // ticks since start, -1 hidden
extern int32_t LevelUpAge;        // ticks since start, -1 hidden
extern int32_t LevelUpDirection;  // +1 or -1

// Game start: both hidden, kind 1, direction -1.
void ResetBanners();
void StartMultiLineBanner(uint8_t kind);
void TickMultiLineBanner();
void StartLevelUpBanner();
void TickLevelUpBanner();
