#include "render/effects_draw.h"

#include <GL/gl.h>

#include "assets/catalogue.h"
#include "game/effects.h"
#include "render/scene.h"

namespace {

// Debris kind of a removed tube cell.
constexpr uint8_t TUBE_DEBRIS = 30;

// Sprites glow over whatever lies behind them and ignore the depth buffer.
void BeginSprites() {
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
  glColor4f(1, 1, 1, 1);
}

void EndSprites() {
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
}

void SpriteQuad(float x0, float y0, float x1, float y1) {
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0), glVertex3f(x0, y0, 0);
  glTexCoord2f(1, 0), glVertex3f(x1, y0, 0);
  glTexCoord2f(1, 1), glVertex3f(x1, y1, 0);
  glTexCoord2f(0, 1), glVertex3f(x0, y1, 0);
  glEnd();
}

// A puff drifts from its start point and shrinks to nothing as its life runs out.
void DrawPuffs(const PuffRecord* pool, int count, uint32_t texture, float divisor) {
  BeginSprites();
  glBindTexture(GL_TEXTURE_2D, texture);
  for (int n = 0; n < count; ++n) {
    const PuffRecord& puff = pool[n];
    if (puff.life <= 0) continue;
    const float age = static_cast<float>(puff.maxLife - puff.life);
    const float scale = puff.life / divisor;
    glPushMatrix();
    glTranslatef(puff.x0 + puff.vx * age + 0.5f, puff.y0 + puff.vy * age + 0.5f, 0.5f);
    glScalef(scale, scale, 1.0f);
    SpriteQuad(-1, -1, 1, 1);
    glPopMatrix();
  }
  EndSprites();
}

} // namespace

// A sprite spawned during a tick can be drawn once at its full life of 30 before
// it first ticks; frame 6 does not exist, so it keeps the first picture.
uint32_t ExplosionTexture(int32_t life) {
  int32_t frame = life / 5;
  if (frame > 5) frame = 5;
  if (frame < 0) frame = 0;
  return Tex.explosions[frame];
}

void DrawStars() {
  DrawPuffs(Stars, STAR_POOL, Tex.star, 200.0f);
}

void DrawDust() {
  DrawPuffs(Dust, DUST_POOL, Tex.dust, 300.0f);
}

void DrawSuitDrops() {
  BeginSprites();
  for (const PieceRecord& drop : SuitDrops) {
    if (drop.active == 0) continue;
    // Straight from the removed box to the refill counter under the meter.
    const float left = drop.duration != 0 ? static_cast<float>(drop.remaining) / drop.duration : 0.0f;
    glPushMatrix();
    glTranslatef(drop.tx + (drop.x - drop.tx) * left, drop.ty + (drop.y - drop.ty) * left, 0.5f);
    glBindTexture(GL_TEXTURE_2D, Tex.suits[drop.kind & 3]);
    SpriteQuad(0.25f, 0.25f, 0.75f, 0.75f);
    glPopMatrix();
  }
  EndSprites();
}

void DrawExplosions() {
  BeginSprites();
  for (const BlastSprite& blast : Explosions) {
    if (blast.life <= 0) continue;
    glPushMatrix();
    glTranslatef(blast.x, blast.y, 0.5f);
    glBindTexture(GL_TEXTURE_2D, ExplosionTexture(blast.life));
    SpriteQuad(0, 0, 1, 1);
    glPopMatrix();
  }
  EndSprites();
}

void DrawMenuStars() {
  BeginSprites();
  glBindTexture(GL_TEXTURE_2D, Tex.star);
  for (const PuffRecord& star : Stars) {
    if (star.life <= 0) continue;
    const float age = static_cast<float>(star.maxLife - star.life);
    const float s = static_cast<float>(star.life) / star.maxLife * 5.0f;
    const float cx = star.x0 + star.vx * age;
    const float cy = star.y0 + star.vy * age;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1), glVertex2f(cx - s, cy + s);
    glTexCoord2f(1, 1), glVertex2f(cx + s, cy + s);
    glTexCoord2f(1, 0), glVertex2f(cx + s, cy - s);
    glTexCoord2f(0, 0), glVertex2f(cx - s, cy - s);
    glEnd();
  }
  EndSprites();
}

void DrawFallingBoxes() {
  for (const PieceRecord& piece : FallingBoxes) {
    if (piece.active == 0) continue;
    glPushMatrix();
    glTranslatef(piece.x + 0.5f, piece.y + 0.5f, 0.5f);
    glRotatef(piece.rx, 1, 0, 0);
    glRotatef(piece.ry, 0, 1, 0);
    glRotatef(piece.rz, 0, 0, 1);
    glTranslatef(-piece.x - 0.5f, -piece.y - 0.5f, -0.5f);
    DrawFlyingBox(piece.kind, 0, piece.x, piece.y);
    glPopMatrix();
  }
}

void DrawDebris() {
  for (const PieceRecord& piece : Debris) {
    if (piece.active == 0) continue;
    const bool tube = piece.kind == TUBE_DEBRIS;
    glPushMatrix();
    glTranslatef(piece.x + 0.5f, piece.y + 0.5f, piece.z + 0.5f);
    // Tubes fly without spinning; boxes tumble.
    if (!tube) {
      glRotatef(piece.rx, 1, 0, 0);
      glRotatef(piece.ry, 0, 1, 0);
      glRotatef(piece.rz, 0, 0, 1);
    }
    glTranslatef(-piece.x - 0.5f, -piece.y - 0.5f, -piece.z - 0.5f);
    if (tube) {
      glTranslatef(0, 0, piece.z);
      DrawTube(piece.x, piece.y);
    } else {
      // Colours without a palette entry (a bomb's debris) come out in the fixed grey.
      DrawBox3D(piece.kind, piece.x, piece.y, piece.z);
    }
    glPopMatrix();
  }
}
