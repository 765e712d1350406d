// The game's short-lived visual effects: six fixed-size pools of records (boxes
// falling off the cylinder, debris, suit drops flying to the level meter,
// explosion sprites, star puffs and dust puffs). Nothing is allocated during play:
// a spawn into a full pool is dropped. The rules spawn and tick them (pure data,
// no OpenGL); the game screen and the level map draw them (render/effects_draw.h).
// Positions are world units (x = column - 6, y = -row) except the level-map stars,
// which are screen pixels.
#pragma once
#include <cstdint>

struct PieceRecord {
  uint8_t active;
  uint8_t kind; // falling boxes: 1 box, 2 bomb; debris: palette colour or 30 = tube; suit drops: suit 0..3
  float x, y, z;
  float rx, ry, rz;
  float vx, vy, vz;
  float avx, avy, avz;
  float tx, ty;                // suit drops: target
  int32_t remaining, duration; // suit drops: flight counters
};

struct PuffRecord {
  float x0, y0, vx, vy;
  int32_t life, maxLife; // free while life <= 0
};

struct BlastSprite {
  float x, y;
  int32_t life; // free while life <= 0
};

constexpr int FALLING_BOX_POOL = 20;
constexpr int DEBRIS_POOL = 61;
constexpr int SUIT_DROP_POOL = 61;
constexpr int EXPLOSION_POOL = 31;
constexpr int STAR_POOL = 301;
constexpr int DUST_POOL = 51;

extern PieceRecord FallingBoxes[FALLING_BOX_POOL];
extern PieceRecord Debris[DEBRIS_POOL];
extern PieceRecord SuitDrops[SUIT_DROP_POOL];
extern BlastSprite Explosions[EXPLOSION_POOL];
// Stars and dust are freed only by their ticks and ResetEffects (their spawns
// remember where the first free record may be); other code only reads them.
extern PuffRecord Stars[STAR_POOL];
extern PuffRecord Dust[DUST_POOL];

// Set by TickSuitDrops when at least one drop reached the meter this tick; the
// game tick consumes (clears) it.
extern uint8_t SuitDropArrived;

// All pools empty. Called once by the asset loader; a new game does not reset them.
void ResetEffects();

void SpawnFallingBox(uint8_t kind, float x, float y, float vx, float vy);
void SpawnDebris(uint8_t kind, float x, float y, float vx, float vy, float vz);
void SpawnSuitDrop(uint8_t suit, float x, float y);
void SpawnExplosion(float x, float y);
void SpawnStar(float x0, float y0, float vx, float vy);
void SpawnDust(float x0, float y0, float vx, float vy);
void SpawnMenuStar(float x0, float y0, float vx, float vy);
void SpawnStarPuff(float x, float y);

// One tick of each pool.
void TickDust();
void TickFallingBoxes();
void TickDebris();
void TickExplosions();
void TickStars();
void TickSuitDrops();
