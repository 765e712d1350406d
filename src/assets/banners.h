// The two timed banners over the playfield: the multi-line banner (two, three or
// four lines at once) and the level-up banner (arcade difficulty rises).
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

// Drawing, in screen space, every game frame.
void DrawMultiLineBanner();
void DrawLevelUpBanner();
