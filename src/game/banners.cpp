// The two banners' timing state; the game screen draws them from it
// (play/banners_draw.cpp). Ticked once per game tick.
#include "game/banners.h"

uint8_t MultiLineKind = 1;
int32_t MultiLineAge = -1;
int32_t LevelUpAge = -1;
int32_t LevelUpDirection = -1;

namespace {
constexpr int32_t MULTI_LINE_LAST_AGE = 125;
constexpr int32_t LEVEL_UP_END_AGE = 150;
} // namespace

void ResetBanners() {
  MultiLineAge = -1;
  MultiLineKind = 1;
  LevelUpAge = -1;
  LevelUpDirection = -1;
}

void StartMultiLineBanner(uint8_t kind) {
  MultiLineKind = kind;
  MultiLineAge = 0;
}

void TickMultiLineBanner() {
  if (MultiLineAge < 0) return;
  MultiLineAge += 1;
  if (MultiLineAge > MULTI_LINE_LAST_AGE) MultiLineAge = -1;
}

void StartLevelUpBanner() {
  LevelUpAge = 0;
}

// The next banner enters from the opposite sides, so the direction flips as one ends.
void TickLevelUpBanner() {
  if (LevelUpAge < 0) return;
  LevelUpAge += 1;
  if (LevelUpAge == LEVEL_UP_END_AGE) {
    LevelUpAge = -1;
    LevelUpDirection = -LevelUpDirection;
  }
}
