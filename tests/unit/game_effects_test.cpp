// Effect pools (sizes, spawns, ticks, the drop-arrived flag) and banner timing.
#include "game_support.h"

#include <algorithm>
#include <cmath>

using namespace gametest;

using EffectPools = GameTest;

TEST_F(EffectPools, ResetLeavesEveryPoolFree) {
  SpawnDebris(1, 0, 0, 0, 0, 0);
  SpawnStar(0, 0, 0, 0);
  SpawnExplosion(0, 0);
  ResetEffects();
  EXPECT_EQ(ActivePieces(Debris, DEBRIS_POOL), 0);
  for (const PuffRecord& s : Stars) EXPECT_EQ(s.life, -1);
  for (const PuffRecord& d : Dust) EXPECT_EQ(d.life, -1);
  for (const BlastSprite& b : Explosions) EXPECT_EQ(b.life, -1);
}

TEST_F(EffectPools, FullPoolsDropFurtherSpawns) {
  for (int k = 0; k < 62; ++k) SpawnDebris(2, static_cast<float>(k), 0, 0, 0, 0);
  EXPECT_EQ(ActivePieces(Debris, DEBRIS_POOL), 61);
  EXPECT_FLOAT_EQ(Debris[60].x, 60.0f);
  for (int k = 0; k < 25; ++k) SpawnFallingBox(1, 0, 0, 0, 0);
  EXPECT_EQ(ActivePieces(FallingBoxes, FALLING_BOX_POOL), 20);
  for (int k = 0; k < 70; ++k) SpawnSuitDrop(0, 0, 0);
  EXPECT_EQ(ActivePieces(SuitDrops, SUIT_DROP_POOL), 61);
  for (int k = 0; k < 40; ++k) SpawnExplosion(0, 0);
  EXPECT_EQ(LivePuffs(Explosions, EXPLOSION_POOL), 31);
  for (int k = 0; k < 400; ++k) SpawnStar(0, 0, 0, 0);
  EXPECT_EQ(LivePuffs(Stars, STAR_POOL), 301);
  for (int k = 0; k < 60; ++k) SpawnDust(0, 0, 0, 0);
  EXPECT_EQ(LivePuffs(Dust, DUST_POOL), 51);
}

TEST_F(EffectPools, FreedRecordIsReusedFirst) {
  SpawnDebris(1, 0, 0, 0, -30.0f, 0);
  SpawnDebris(2, 5, 0, 0, 0, 0);
  TickDebris();
  EXPECT_EQ(Debris[0].active, 0) << "below y = -20";
  SpawnDebris(7, 1, 1, 0, 0, 0);
  EXPECT_EQ(Debris[0].kind, 7);
}

TEST_F(EffectPools, StarsAndDustFreedByTheirTicksAreTakenLowestFirst) {
  // Full pools whose records run out at different ticks: lives are 50..69.
  for (int k = 0; k < STAR_POOL; ++k) SpawnStar(static_cast<float>(k), 0, 0, 0);
  for (int k = 0; k < DUST_POOL; ++k) SpawnDust(static_cast<float>(k), 0, 0, 0);
  SpawnStar(-1, 0, 0, 0);
  EXPECT_EQ(LivePuffs(Stars, STAR_POOL), STAR_POOL);
  int firstStar = -1, firstDust = -1, lowestLife = 1000;
  for (int k = 0; k < STAR_POOL; ++k) lowestLife = std::min(lowestLife, Stars[k].life);
  for (int t = 0; t < lowestLife; ++t) {
    TickStars();
    TickDust();
  }
  for (int k = STAR_POOL - 1; k >= 0; --k)
    if (Stars[k].life <= 0) firstStar = k;
  for (int k = DUST_POOL - 1; k >= 0; --k)
    if (Dust[k].life <= 0) firstDust = k;
  ASSERT_GE(firstStar, 0);
  // Each spawn takes the lowest free record, however many were freed at once.
  SpawnStar(-2, 0, 0, 0);
  EXPECT_FLOAT_EQ(Stars[firstStar].x0, -2.0f);
  if (firstDust >= 0) {
    SpawnDust(-2, 0, 0, 0);
    EXPECT_FLOAT_EQ(Dust[firstDust].x0, -2.0f);
  }
  // Tick on until everything is free: the next stars fill the pool from record 0.
  for (int t = 0; t < 80; ++t) TickStars();
  SpawnStar(-3, 0, 0, 0);
  SpawnStar(-4, 0, 0, 0);
  EXPECT_FLOAT_EQ(Stars[0].x0, -3.0f);
  EXPECT_FLOAT_EQ(Stars[1].x0, -4.0f);
  // After a reset the search starts from the first record again.
  for (int k = 0; k < STAR_POOL; ++k) SpawnStar(0, 0, 0, 0);
  ResetEffects();
  SpawnStar(-5, 0, 0, 0);
  EXPECT_FLOAT_EQ(Stars[0].x0, -5.0f);
}

TEST_F(EffectPools, SuitDropFiveUnitsAwayArrivesAfterTwentyTicks) {
  SeedRandom(3);
  SpawnSuitDrop(2, 0, 0);
  const PieceRecord& d = SuitDrops[0];
  EXPECT_GE(d.tx, -12.7f);
  EXPECT_LE(d.tx, -12.7f + 0.0198f + 1e-6f);
  // Place a drop exactly 5 units above its own target.
  SuitDrops[0] = PieceRecord{};
  SeedRandom(3);
  SpawnSuitDrop(2, 0, 0);
  float tx = SuitDrops[0].tx;
  float ty = SuitDrops[0].ty;
  SuitDrops[0] = PieceRecord{};
  SeedRandom(3);
  SpawnSuitDrop(2, tx, ty + 5.0f);
  EXPECT_EQ(SuitDrops[0].duration, 100);
  EXPECT_EQ(SuitDrops[0].remaining, 100);
  SuitDropArrived = 0;
  for (int k = 0; k < 19; ++k) TickSuitDrops();
  EXPECT_EQ(SuitDrops[0].active, 1);
  EXPECT_EQ(SuitDropArrived, 0);
  TickSuitDrops();
  EXPECT_EQ(SuitDrops[0].active, 0);
  EXPECT_EQ(SuitDropArrived, 1);
}

TEST_F(EffectPools, SuitDropTargetsTheRefillCounter) {
  for (int k = 0; k < 50; ++k) SpawnSuitDrop(1, 0, 0);
  for (int k = 0; k < 50; ++k) {
    EXPECT_GE(SuitDrops[k].tx, -12.7f - 1e-5f);
    EXPECT_LE(SuitDrops[k].tx, -12.7f + 0.0198f + 1e-5f);
    EXPECT_GE(SuitDrops[k].ty, -9.2f - 1e-5f);
    EXPECT_LE(SuitDrops[k].ty, -9.2f + 0.0198f + 1e-5f);
    double dist = std::hypot(SuitDrops[k].tx, SuitDrops[k].ty);
    EXPECT_EQ(SuitDrops[k].duration, Round(20.0 * dist));
  }
}

TEST_F(EffectPools, LivesOfPuffsAndExplosions) {
  SpawnExplosion(1, 2);
  EXPECT_EQ(Explosions[0].life, 30);
  for (int k = 0; k < 200; ++k) SpawnStar(0, 0, 0, 0);
  for (int k = 0; k < 200; ++k) {
    EXPECT_GE(Stars[k].life, 50);
    EXPECT_LE(Stars[k].life, 69);
    EXPECT_EQ(Stars[k].maxLife, Stars[k].life);
  }
  ResetEffects();
  for (int k = 0; k < 200; ++k) SpawnMenuStar(0, 0, 0, 0);
  for (int k = 0; k < 200; ++k) {
    EXPECT_GE(Stars[k].life, 500);
    EXPECT_LE(Stars[k].life, 699);
  }
  ResetEffects();
  SpawnExplosion(0, 0);
  for (int k = 0; k < 30; ++k) TickExplosions();
  EXPECT_EQ(Explosions[0].life, 0);
  TickExplosions();
  EXPECT_EQ(Explosions[0].life, -1);
  TickExplosions();
  EXPECT_EQ(Explosions[0].life, -1) << "free records rest at -1";
}

TEST_F(EffectPools, StarPuffStartsSevenStepsAlongItsVelocity) {
  SpawnStarPuff(2.0f, -3.0f);
  const PuffRecord& s = Stars[0];
  EXPECT_GE(s.vx, -10.0f / 500.0f);
  EXPECT_LE(s.vx, 9.0f / 500.0f);
  EXPECT_FLOAT_EQ(s.x0, 2.0f + 7.0f * s.vx);
  EXPECT_FLOAT_EQ(s.y0, -3.0f + 7.0f * s.vy);
}

TEST_F(EffectPools, FallingBoxAndDebrisMotion) {
  SpawnFallingBox(2, 1.0f, 2.0f, 0.1f, 0.05f);
  const PieceRecord& f = FallingBoxes[0];
  EXPECT_GE(f.avx, -0.5f);
  EXPECT_LE(f.avx, 0.49f);
  TickFallingBoxes();
  EXPECT_FLOAT_EQ(f.x, 1.1f);
  EXPECT_FLOAT_EQ(f.y, 2.05f);
  EXPECT_FLOAT_EQ(f.vy, 0.05f - 0.004f);
  EXPECT_FLOAT_EQ(f.rx, f.avx);

  SpawnDebris(30, 0.0f, 0.0f, 0.02f, 0.0f, 0.1f);
  const PieceRecord& d = Debris[0];
  EXPECT_GE(d.avy, -1.0f);
  EXPECT_LE(d.avy, 0.98f);
  TickDebris();
  EXPECT_FLOAT_EQ(d.z, 0.1f);
  EXPECT_FLOAT_EQ(d.vy, -0.004f / 1.2f);
}

TEST_F(EffectPools, ANewGameDoesNotEmptyThePools) {
  SpawnDebris(1, 0, 0, 0, 0, 0);
  StartArcade();
  EXPECT_EQ(ActivePieces(Debris, DEBRIS_POOL), 1);
}

using Banners = GameTest;

TEST_F(Banners, MultiLineBannerShowsAgesZeroTo125) {
  StartMultiLineBanner(3);
  EXPECT_EQ(MultiLineKind, 3);
  EXPECT_EQ(MultiLineAge, 0);
  for (int k = 0; k < 125; ++k) TickMultiLineBanner();
  EXPECT_EQ(MultiLineAge, 125);
  TickMultiLineBanner();
  EXPECT_EQ(MultiLineAge, -1);
  TickMultiLineBanner();
  EXPECT_EQ(MultiLineAge, -1);
}

TEST_F(Banners, LevelUpBannerShowsAgesZeroTo149AndAlternatesSides) {
  ResetBanners();
  EXPECT_EQ(LevelUpDirection, -1);
  StartLevelUpBanner();
  for (int k = 0; k < 149; ++k) TickLevelUpBanner();
  EXPECT_EQ(LevelUpAge, 149);
  EXPECT_EQ(LevelUpDirection, -1);
  TickLevelUpBanner();
  EXPECT_EQ(LevelUpAge, -1);
  EXPECT_EQ(LevelUpDirection, 1);
  TickLevelUpBanner();
  EXPECT_EQ(LevelUpDirection, 1);
}

TEST_F(Banners, RestartingABannerStartsItsAgeAgain) {
  StartMultiLineBanner(1);
  for (int k = 0; k < 50; ++k) TickMultiLineBanner();
  StartMultiLineBanner(2);
  EXPECT_EQ(MultiLineAge, 0);
  EXPECT_EQ(MultiLineKind, 2);
}
