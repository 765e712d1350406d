// The effect pools as data: records, spawns and ticks. Drawing lives in
// render/effects_draw.cpp. Every spawn takes the first free record of its pool and is
// dropped silently when the pool is full, so play never allocates.
#include <cmath>

#include "core/arith.h"
#include "game/effects.h"

PieceRecord FallingBoxes[FALLING_BOX_POOL];
PieceRecord Debris[DEBRIS_POOL];
PieceRecord SuitDrops[SUIT_DROP_POOL];
BlastSprite Explosions[EXPLOSION_POOL];
PuffRecord Stars[STAR_POOL];
PuffRecord Dust[DUST_POOL];
uint8_t SuitDropArrived = 0;

namespace {
constexpr float GRAVITY = 0.004f;
constexpr float DEBRIS_GRAVITY = 0.004f / 1.2f;
constexpr float LOWEST_Y = -20.0f;

template <int N> PieceRecord* FreePiece(PieceRecord (&pool)[N]) {
  for (PieceRecord& p : pool)
    if (p.active == 0) return &p;
  return nullptr;
}

// Where the search for a free star or dust record starts: every record before it
// is in use. A spawn moves it past the record it takes; a record that runs out of
// life (only AgePuffs and ResetEffects free records) moves it back. A full pool
// then refuses a spawn at once instead of looking at every record.
int StarSearchFrom = 0;
int DustSearchFrom = 0;

template <int N> PuffRecord* FreePuff(PuffRecord (&pool)[N], int& searchFrom) {
  for (int i = searchFrom; i < N; ++i)
    if (pool[i].life <= 0) {
      searchFrom = i + 1;
      return &pool[i];
    }
  searchFrom = N;
  return nullptr;
}

void StartPuff(PuffRecord& p, float x0, float y0, float vx, float vy, int32_t life) {
  p.x0 = x0;
  p.y0 = y0;
  p.vx = vx;
  p.vy = vy;
  p.life = life;
  p.maxLife = life;
}

void ClearPiece(PieceRecord& p) {
  p = PieceRecord{};
}

// Takes the first free piece of a pool and starts it at (x, y) with its kind;
// nullptr when the pool is full.
template <int N> PieceRecord* StartPiece(PieceRecord (&pool)[N], uint8_t kind, float x, float y) {
  PieceRecord* p = FreePiece(pool);
  if (!p) return nullptr;
  ClearPiece(*p);
  p->active = 1;
  p->kind = kind;
  p->x = x;
  p->y = y;
  return p;
}

// Angular velocities about x, y and z, drawn in that order, each (Random(100) - 50) / divisor.
void Tumble(PieceRecord& p, float divisor) {
  p.avx = static_cast<float>(Random(100) - 50) / divisor;
  p.avy = static_cast<float>(Random(100) - 50) / divisor;
  p.avz = static_cast<float>(Random(100) - 50) / divisor;
}

// Explosion sprites, stars and dust: lives count down to -1, where free records rest.
template <typename T, int N> void AgeLives(T (&pool)[N]) {
  for (T& r : pool)
    if (r.life >= 0) r.life -= 1;
}

template <int N> void AgePuffs(PuffRecord (&pool)[N], int& searchFrom) {
  for (int i = 0; i < N; ++i) {
    PuffRecord& r = pool[i];
    if (r.life < 0) continue;
    r.life -= 1;
    if (r.life == 0 && i < searchFrom) searchFrom = i;
  }
}
} // namespace

void ResetEffects() {
  for (PieceRecord& p : FallingBoxes) ClearPiece(p);
  for (PieceRecord& p : Debris) ClearPiece(p);
  for (PieceRecord& p : SuitDrops) ClearPiece(p);
  for (BlastSprite& b : Explosions) b = BlastSprite{0.0f, 0.0f, -1};
  for (PuffRecord& s : Stars) s = PuffRecord{0.0f, 0.0f, 0.0f, 0.0f, -1, 0};
  for (PuffRecord& d : Dust) d = PuffRecord{0.0f, 0.0f, 0.0f, 0.0f, -1, 0};
  StarSearchFrom = 0;
  DustSearchFrom = 0;
  SuitDropArrived = 0;
}

void SpawnFallingBox(uint8_t kind, float x, float y, float vx, float vy) {
  PieceRecord* p = StartPiece(FallingBoxes, kind, x, y);
  if (!p) return;
  p->vx = vx;
  p->vy = vy;
  Tumble(*p, 100.0f);
}

void SpawnDebris(uint8_t kind, float x, float y, float vx, float vy, float vz) {
  PieceRecord* p = StartPiece(Debris, kind, x, y);
  if (!p) return;
  p->vx = vx;
  p->vy = vy;
  p->vz = vz;
  Tumble(*p, 50.0f);
}

void SpawnSuitDrop(uint8_t suit, float x, float y) {
  PieceRecord* p = StartPiece(SuitDrops, suit, x, y);
  if (!p) return;
  p->tx = static_cast<float>(Random(100)) / 5000.0f - 12.7f;
  p->ty = static_cast<float>(Random(100)) / 5000.0f - 9.2f;
  double dx = static_cast<double>(x) - p->tx;
  double dy = static_cast<double>(y) - p->ty;
  p->duration = Round(20.0 * std::sqrt(dx * dx + dy * dy));
  p->remaining = p->duration;
}

void SpawnExplosion(float x, float y) {
  for (BlastSprite& b : Explosions) {
    if (b.life <= 0) {
      b = BlastSprite{x, y, 30};
      return;
    }
  }
}

void SpawnStar(float x0, float y0, float vx, float vy) {
  PuffRecord* p = FreePuff(Stars, StarSearchFrom);
  if (!p) return;
  StartPuff(*p, x0, y0, vx, vy, Random(20) + 50);
}

void SpawnDust(float x0, float y0, float vx, float vy) {
  PuffRecord* p = FreePuff(Dust, DustSearchFrom);
  if (!p) return;
  StartPuff(*p, x0, y0, vx, vy, Random(20) + 50);
}

void SpawnMenuStar(float x0, float y0, float vx, float vy) {
  PuffRecord* p = FreePuff(Stars, StarSearchFrom);
  if (!p) return;
  StartPuff(*p, x0, y0, vx, vy, Random(200) + 500);
}

void SpawnStarPuff(float x, float y) {
  float vx = static_cast<float>(Random(20) - 10) / 500.0f;
  float vy = static_cast<float>(Random(20) - 10) / 500.0f;
  SpawnStar(x + 7.0f * vx, y + 7.0f * vy, vx, vy);
}

void TickDust() {
  AgePuffs(Dust, DustSearchFrom);
}

void TickFallingBoxes() {
  for (PieceRecord& p : FallingBoxes) {
    if (!p.active) continue;
    p.x += p.vx;
    p.y += p.vy;
    p.vy -= GRAVITY;
    p.rx += p.avx;
    p.ry += p.avy;
    p.rz += p.avz;
    if (p.y < LOWEST_Y) p.active = 0;
  }
}

void TickDebris() {
  for (PieceRecord& p : Debris) {
    if (!p.active) continue;
    p.x += p.vx;
    p.y += p.vy;
    p.z += p.vz;
    p.vy -= DEBRIS_GRAVITY;
    p.rx += p.avx;
    p.ry += p.avy;
    p.rz += p.avz;
    if (p.y < LOWEST_Y) p.active = 0;
  }
}

void TickExplosions() {
  AgeLives(Explosions);
}

void TickStars() {
  AgePuffs(Stars, StarSearchFrom);
}

void TickSuitDrops() {
  for (PieceRecord& p : SuitDrops) {
    if (!p.active) continue;
    p.remaining -= 5;
    if (p.remaining <= 0) {
      p.active = 0;
      SuitDropArrived = 1;
    }
  }
}
