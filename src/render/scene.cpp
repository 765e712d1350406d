#include "render/scene.h"

#include <GL/gl.h>

#include <cmath>

#include "assets/catalogue.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "game/state.h"
#include "render/gl_state.h"

namespace {

// Rise of a stone that replaces a landed one: it comes down from 6 units above
// while its appear timer runs from 200 to 0.
double AppearRise(int32_t appearTimer) {
  return 6.0 * (1.0 - std::cos(appearTimer * kPi / 400.0));
}

// Template byte of ring stone `kind` at column j and box row k (0 = bottom).
uint8_t StoneByte(int kind, int rotation, int j, int k) {
  if (kind < 1 || kind > STONE_KINDS) return 0;
  return StoneTemplates[kind][rotation & 3][TemplateByte(j, k)];
}

// Fractional flight position of the band, shared by every stone column.
double BandFraction(int32_t p) {
  return (p % 100) / 100.0;
}

// Band x of ring slot offset `slots` from the band start (the column wraps on its own).
double BandX(int32_t p, int slots) {
  return ((p / 100 + slots) % 20) - 10 + BandFraction(p);
}

void SetColour(const PaletteColour& c) {
  glColor3f(c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f);
}

// The six faces of the unit cube at (x, y, 0) with outward normals, each face's
// texture corners (0,0), (1,0), (1,1), (0,1) in vertex order. The front face is
// left out when `front` is false (ghost boxes draw it separately).
void CubeFaces(float x, float y, bool front) {
  glBegin(GL_QUADS);
  glNormal3f(0, 0, -1);
  glTexCoord2f(0, 0), glVertex3f(x, y, 0);
  glTexCoord2f(1, 0), glVertex3f(x, y + 1, 0);
  glTexCoord2f(1, 1), glVertex3f(x + 1, y + 1, 0);
  glTexCoord2f(0, 1), glVertex3f(x + 1, y, 0);
  if (front) {
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 0), glVertex3f(x + 1, y, 1);
    glTexCoord2f(1, 0), glVertex3f(x + 1, y + 1, 1);
    glTexCoord2f(1, 1), glVertex3f(x, y + 1, 1);
    glTexCoord2f(0, 1), glVertex3f(x, y, 1);
  }
  glNormal3f(-1, 0, 0);
  glTexCoord2f(0, 0), glVertex3f(x, y, 0);
  glTexCoord2f(1, 0), glVertex3f(x, y, 1);
  glTexCoord2f(1, 1), glVertex3f(x, y + 1, 1);
  glTexCoord2f(0, 1), glVertex3f(x, y + 1, 0);
  glNormal3f(1, 0, 0);
  glTexCoord2f(0, 0), glVertex3f(x + 1, y, 0);
  glTexCoord2f(1, 0), glVertex3f(x + 1, y + 1, 0);
  glTexCoord2f(1, 1), glVertex3f(x + 1, y + 1, 1);
  glTexCoord2f(0, 1), glVertex3f(x + 1, y, 1);
  glNormal3f(0, -1, 0);
  glTexCoord2f(0, 0), glVertex3f(x + 1, y, 0);
  glTexCoord2f(1, 0), glVertex3f(x + 1, y, 1);
  glTexCoord2f(1, 1), glVertex3f(x, y, 1);
  glTexCoord2f(0, 1), glVertex3f(x, y, 0);
  glNormal3f(0, 1, 0);
  glTexCoord2f(0, 0), glVertex3f(x, y + 1, 0);
  glTexCoord2f(1, 0), glVertex3f(x, y + 1, 1);
  glTexCoord2f(1, 1), glVertex3f(x + 1, y + 1, 1);
  glTexCoord2f(0, 1), glVertex3f(x + 1, y + 1, 0);
  glEnd();
}

// A closed cuboid centred on the origin with the given half-extents.
void Cuboid(float hx, float hy, float hz) {
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  glVertex3f(-hx, -hy, hz), glVertex3f(hx, -hy, hz), glVertex3f(hx, hy, hz), glVertex3f(-hx, hy, hz);
  glNormal3f(0, 0, -1);
  glVertex3f(-hx, -hy, -hz), glVertex3f(-hx, hy, -hz), glVertex3f(hx, hy, -hz), glVertex3f(hx, -hy, -hz);
  glNormal3f(-1, 0, 0);
  glVertex3f(-hx, -hy, -hz), glVertex3f(-hx, -hy, hz), glVertex3f(-hx, hy, hz), glVertex3f(-hx, hy, -hz);
  glNormal3f(1, 0, 0);
  glVertex3f(hx, -hy, -hz), glVertex3f(hx, hy, -hz), glVertex3f(hx, hy, hz), glVertex3f(hx, -hy, hz);
  glNormal3f(0, -1, 0);
  glVertex3f(-hx, -hy, -hz), glVertex3f(hx, -hy, -hz), glVertex3f(hx, -hy, hz), glVertex3f(-hx, -hy, hz);
  glNormal3f(0, 1, 0);
  glVertex3f(-hx, hy, -hz), glVertex3f(-hx, hy, hz), glVertex3f(hx, hy, hz), glVertex3f(hx, hy, -hz);
  glEnd();
}

// The bomb model (shell and glowing core) at the current origin.
void BombModel(float shellRed, float shellGreen, float shellBlue, float alpha) {
  glDisable(GL_TEXTURE_2D);
  glColor4f(shellRed, shellGreen, shellBlue, alpha);
  glCallList(Lists.bombShell);
  glDisable(GL_LIGHTING);
  glColor4f(1.0f, FuseGlow, 0.0f, alpha);
  glCallList(Lists.bombCore);
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
}

} // namespace

const PaletteColour BoxPalette[PALETTE_COLOURS] = {
    {32, 32, 255},  {32, 255, 32}, {255, 32, 32}, {255, 64, 0}, {64, 0, 255},
    {255, 200, 32}, {0, 255, 64},  {64, 255, 0},  {255, 0, 0},  {0, 0, 40},
};
const PaletteColour UnknownBoxColour = {150, 150, 150};

const PaletteColour& BoxColour(int colour) {
  if (colour < 0 || colour >= PALETTE_COLOURS) return UnknownBoxColour;
  return BoxPalette[colour];
}

GripState Grip = {-1, -1, 0, 0, NO_GRIP_HEIGHT};
AnnouncedGripState AnnouncedGrip = {NO_ANNOUNCED_ROW, -1, -1, -1};

void DrawFieldBox(int colour, float x, float y) {
  DrawBox3D(colour, x, y, 0.0f);
}

void DrawBox3D(int colour, float x, float y, float z) {
  glPushMatrix();
  glTranslatef(x, y, z);
  glDisable(GL_TEXTURE_2D);
  SetColour(BoxColour(colour));
  glCallList(Lists.box);
  glPopMatrix();
}

void DrawTube(float x, float y) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glDisable(GL_TEXTURE_2D);
  glColor3f(0.7f, 0.7f, 0.7f);
  glCallList(Lists.tube);
  glPopMatrix();
}

void DrawFlyingBox(int type, uint8_t transparency, float x, float y) {
  if (type == 1) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Tex.box);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f - transparency / 255.0f);
    CubeFaces(x, y, true);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
  } else if (type == 2) {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_COLOR, GL_SRC_ALPHA);
    BombModel(0.5f, 0.5f, 0.5f, transparency / 255.0f);
    glPopMatrix();
  }
}

void DrawGhostFront(int type, uint8_t grey, uint8_t transparency, float x, float y) {
  if (type != 1) return;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Tex.box);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
  glColor4f(grey / 255.0f, grey / 255.0f, grey / 255.0f, 1.0f - transparency / 255.0f);
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  glTexCoord2f(0, 0), glVertex3f(x + 1, y, 1);
  glTexCoord2f(1, 0), glVertex3f(x + 1, y + 1, 1);
  glTexCoord2f(1, 1), glVertex3f(x, y + 1, 1);
  glTexCoord2f(0, 1), glVertex3f(x, y, 1);
  glEnd();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
}

void DrawGhostBox(int type, uint8_t red, uint8_t green, uint8_t blue, uint8_t transparency, float x,
                  float y) {
  if (type == 2) {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
    BombModel(red / 512.0f, green / 515.0f, blue / 512.0f, transparency / 255.0f);
    glPopMatrix();
  } else if (type == 1) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, Tex.box);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_COLOR, GL_SRC_ALPHA);
    // The ghost is a shade of grey: the red byte stands for all three components.
    glColor4f(red / 255.0f, red / 255.0f, red / 255.0f, 1.0f - transparency / 255.0f);
    CubeFaces(x, y, false);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
  }
}

void DrawBlockedCross(uint8_t red, uint8_t green, uint8_t blue, float x, float y) {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glColor3f(red / 255.0f, green / 255.0f, blue / 255.0f);
  glPushMatrix();
  glTranslatef(x + 0.5f, y + 0.5f, 0.9f);
  glRotatef(45.0f, 0, 0, 1);
  Cuboid(0.5f, 0.15f, 0.5f);
  glRotatef(90.0f, 0, 0, 1);
  Cuboid(0.5f, 0.15f, 0.5f);
  glPopMatrix();
}

void DrawClamp(bool yellow, float x, float y) {
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glDisable(GL_TEXTURE_2D);
  if (yellow)
    glColor3f(1.0f, 1.0f, 0.0f);
  else
    glColor3f(1.0f, 0.1f, 0.0f);
  glCallList(Lists.clamp);
  glPopMatrix();
}

void DrawAnchor(float x, float y) {
  const int half = CylinderSize / 2;
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR);
  glBindTexture(GL_TEXTURE_2D, Tex.kette);
  glColor4f(1, 1, 1, 1);

  // The chain from the rail up to the hook; the texture repeats three times per unit.
  const float chainT = 3.0f * (y + 14.4f);
  glBegin(GL_QUADS);
  glTexCoord2f(0, chainT), glVertex3f(1.02f * x + 0.33f, -14.0f, 0.5f);
  glTexCoord2f(1, chainT), glVertex3f(1.02f * x + 0.67f, -14.0f, 0.5f);
  glTexCoord2f(1, 0), glVertex3f(1.02f * x + 0.67f, y + 0.3f, 0.5f);
  glTexCoord2f(0, 0), glVertex3f(1.02f * x + 0.33f, y + 0.3f, 0.5f);

  // The rail chains to both sides of the field; their texture slides with the anchor.
  const float leftEnd = static_cast<float>(-half - 1);
  const float leftT = y / 10.0f + 2.1f * (x + half + 1);
  glTexCoord2f(0, y / 10.0f), glVertex3f(1.04f * x + 0.33f, -13.8f, 0.0f);
  glTexCoord2f(0, leftT), glVertex3f(leftEnd, -13.8f, 0.0f);
  glTexCoord2f(0.5f, leftT), glVertex3f(leftEnd, -13.9f, 0.0f);
  glTexCoord2f(0.5f, y / 10.0f), glVertex3f(1.04f * x + 0.33f, -13.9f, 0.0f);

  const float rightEnd = static_cast<float>(half + 1);
  const float rightT = y / 10.0f - 2.1f * (half + 1 - x);
  glTexCoord2f(0, y / 10.0f - 1.6f), glVertex3f(1.04f * x + 0.6f, -13.9f, 0.0f);
  glTexCoord2f(0, rightT), glVertex3f(rightEnd, -13.9f, 0.0f);
  glTexCoord2f(0.5f, rightT), glVertex3f(rightEnd, -13.8f, 0.0f);
  glTexCoord2f(0.5f, y / 10.0f - 1.6f), glVertex3f(1.04f * x + 0.6f, -13.8f, 0.0f);
  glEnd();

  // The hook mirrors the sky and swings when the anchor changes column.
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glBindTexture(GL_TEXTURE_2D, Tex.cloud);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glPushMatrix();
  glTranslatef(1.015f * x + 0.5f, y + 0.5f, 0.5f);
  glRotatef(90.0f, 1, 0, 0);
  glRotatef(2.0f * Anchor.lean, 0, 0, 1);
  glColor3f(1, 1, 1);
  glCallList(Lists.hook);
  glPopMatrix();
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);

  glBindTexture(GL_TEXTURE_2D, Tex.skdatex);
  glPushMatrix();
  glTranslatef(1.024f * x + 0.51f, -13.6f, 0.5f);
  glRotatef(90.0f, 1, 0, 0);
  glColor3f(1, 1, 1);
  glCallList(Lists.plate);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
}

void DrawPlayfield() {
  SetFieldLighting();
  glPushMatrix();
  glTranslatef(0.0f, LevelMeter.shake, 0.0f);
  for (int c = FIELD_MIN_COLUMN; c <= FIELD_MAX_COLUMN; ++c) {
    for (int r = -1; r <= FIELD_MAX_ROW; ++r) {
      const uint8_t record = Cell(c, r);
      const uint8_t shown = ShownCell(c, r);
      if (shown != 0 && record != CELL_HIDDEN && record != CELL_TUBE)
        DrawFieldBox(CurrentGame.gameOver != 0 ? GAME_OVER_COLOUR : shown - 1, c - 6.0f, -r);
      if (record == CELL_TUBE) DrawTube(c - 6.0f, -r);
    }
  }
  glPopMatrix();
}

void DrawFlyingStones() {
  Grip = {-1, -1, 0, 0, NO_GRIP_HEIGHT};
  SetStoneLighting();
  const int32_t p = StoneRing.roundedPosition;
  const int32_t rotation = StoneRing.rotation;
  const int32_t gripPosition = Anchor.column - 6;
  bool gripped = false;

  for (int i = 0; i < 4; ++i) {
    const int kind = StoneRing.kind[i];
    if (kind == 0) continue;
    const int32_t appear = StoneRing.appearTimer[i];
    const bool lands = StoneRing.dropLands[i] == 1;
    glPushMatrix();
    if (lands) glTranslatef(0.0f, static_cast<float>(AppearRise(appear)), 0.0f);

    if (!lands && appear > 0) {
      // Flying back from where the pull left it to its place in the ring, unturned.
      const double f = BandX(p, 5 * i);
      const double s = 100 - appear;
      const double fromX = PulledStone.ringColumnF;
      const double fromY = PulledStone.heightOffset;
      const float x0 = static_cast<float>(fromX + (f - fromX) * s / 100.0);
      const float y0 = static_cast<float>(fromY + (2.0 - fromY) * s / 100.0);
      for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k) {
          const uint8_t b = StoneByte(kind, rotation, j, k);
          if (b != 0) DrawFlyingBox(b, 0, x0 + j, y0 + k);
        }
      glPopMatrix();
      continue;
    }
    if (!lands && appear < 0) {
      glPopMatrix();
      continue;
    }

    bool candidateFound = false;
    for (int j = 0; j < 4; ++j) {
      for (int k = 0; k < 4; ++k) {
        const uint8_t b = StoneByte(kind, rotation, j, k);
        if (b == 0) continue;
        const double f = BandX(p, 5 * i + j);
        uint8_t transparency = 0;
        if (f > 8.1) transparency = static_cast<uint8_t>(Round((f - 6.0) * 255.0));
        if (f < -9.1) transparency = static_cast<uint8_t>(Round((-f - 5.0) * 255.0));
        const bool hidden = f > 9.0 || f < -10.0;

        // About the centre of the template: a requested quarter turn is shown in
        // 9-degree steps, and every stone wobbles a little on its own phase.
        glPushMatrix();
        glTranslatef(static_cast<float>(f), k + 2.0f, 0.0f);
        glTranslatef(2.0f - j, 2.0f - k, 0.0f);
        if (StoneRing.rotateTimer > 0) glRotatef(9.0f * StoneRing.rotateTimer - 90.0f, 0, 0, 1);
        if (StoneRing.rotateBackTimer > 0) glRotatef(90.0f - 9.0f * StoneRing.rotateBackTimer, 0, 0, 1);
        glRotatef(static_cast<float>(3.0 * std::sin((100.0 * i + WobblePhase1) / 70.0)), 0, 1, 0);
        glRotatef(static_cast<float>(3.0 * std::cos((100.0 * i + WobblePhase2) / 60.0)), 0, 0, 1);
        glTranslatef(j - 2.0f, k - 2.0f, 0.0f);
        if (!hidden) DrawFlyingBox(b, transparency, 0.0f, 0.0f);

        // The first box of this stone above the anchor is its grip candidate.
        const int32_t column = ((Round(p / 100.0) + 5 * i + j) % 20) - 10;
        if (!candidateFound && column == gripPosition) {
          candidateFound = true;
          if (appear <= 150) {
            if (AnnouncedGrip.row != k || AnnouncedGrip.column != j || AnnouncedGrip.stone != i ||
                AnnouncedGrip.rotation != rotation) {
              PlaySample(SND_AIM);
              AnnouncedGrip = {k, j, i, rotation};
            }
            Grip.height = static_cast<float>(k);
            if (lands) {
              const double rise = AppearRise(appear);
              Grip.height = static_cast<float>(k + rise);
              glTranslatef(0.0f, static_cast<float>(rise / 50.0), 0.0f);
            }
            DrawClamp(CurrentGame.aimHelp == 1, 0.0f, 0.0f);
            Grip.column = j;
            Grip.row = k;
            Grip.stone = i;
            Grip.rotation = rotation;
            gripped = true;
          }
        }
        glPopMatrix();
      }
    }
    glPopMatrix();
  }
  if (!gripped) AnnouncedGrip.row = NO_ANNOUNCED_ROW;
}

int32_t TopFilledRow(int32_t column) {
  if (column < FIELD_MIN_COLUMN || column > FIELD_MAX_COLUMN) return 12;
  for (int r = 0; r <= 12; ++r)
    if (Cell(column, r) != 0) return r;
  return 12;
}

namespace {

// Ring position (0..3) of the stone being pulled: the last one whose drop is under
// way, or -1 when none is.
int PulledRingStone() {
  int pulled = -1;
  for (int i = 0; i < 4; ++i)
    if (StoneRing.dropProgress[i] != 0) pulled = i;
  return pulled;
}

// The appear timer of a pulled stone that does not fit is written by the drawing
// while the pull is shown, so that its flight back starts when the picture of the
// pull ends: 500 while the anchor climbs to the stone, -1000 while the stone rides
// down on the anchor, and 100 once the ride is over; from there the game tick
// counts it down and DrawFlyingStones shows the flight back.
void DriveFlyBackTimer(int pulled) {
  const int32_t p = StoneRing.dropProgress[pulled];
  const int32_t length = PulledStone.dropLength;
  const bool lands = StoneRing.dropLands[pulled] == 1;
  int32_t& timer = StoneRing.appearTimer[pulled];
  if (p < length) {
    if (!lands) timer = 500;
  } else if (2 * length - p > 16 - PulledStone.landingRow) {
    if (!lands) timer = -1000;
  } else if (timer < -800) {
    timer = 100;
  }
}

// The anchor during a pull: it climbs from the anchor column to the stone, which
// still hangs at its place in the ring, then the stone rides down on it to its
// landing row (or as far as the pull goes for a stone that flies back).
void DrawPull(int pulled) {
  const int32_t c = PulledStone.anchorColumn;
  const int32_t length = PulledStone.dropLength;
  const int32_t pos = StoneRing.roundedPosition;
  const int32_t p = StoneRing.dropProgress[pulled];
  bool anchorDrawn = false;
  if (p > 25) {
    DrawAnchor(c - 6.0f, -13.0f);
    anchorDrawn = true;
  }
  if (p < length) {
    const double base = ((pos / 100 + 5 * PulledStone.slot) % 20) - 10 + (pos % 100) / 100.0;
    for (int x = 0; x < 4; ++x)
      for (int h = 0; h < 4; ++h) {
        const uint8_t b = PulledStone.shape[x * 4 + h];
        if (b != 0) DrawFlyingBox(b, 0, static_cast<float>(base + x), h + 2.0f);
      }
    if (!anchorDrawn) DrawAnchor(c - 6.0f, p - 13.0f);
    return;
  }
  if (length - p - 5 > -16 && !anchorDrawn) DrawAnchor(c - 6.0f, 2.0f * length - p - 18.0f);
  if (2 * length - p > 16 - PulledStone.landingRow) {
    for (int x = 0; x < 4; ++x)
      for (int h = 0; h < 4; ++h) {
        const uint8_t b = PulledStone.shape[x * 4 + h];
        if (b != 0)
          DrawFlyingBox(b, 0, static_cast<float>(PulledStone.ringColumn + x),
                        static_cast<float>(h + 13 + PulledStone.pivotHeight - p));
      }
  }
}

// The character stands on the highest box (row `topRow`) of the anchor's column and breathes.
void DrawCharacter(int32_t column, int32_t topRow) {
  const float tick = static_cast<float>(CurrentGame.tick);
  glPushMatrix();
  glDisable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glTranslatef(column - 6.0f, 1.0f - topRow, 1.2f);
  glRotatef(90.0f, 0, 1, 0);
  glTranslatef(0.5f, 0.5f, 0.5f);
  const float breath = std::sin(tick / 20.0f) / 20.0f + 0.8f;
  glScalef(breath, breath, breath);
  glTranslatef(-0.5f, -0.5f, -0.5f);
  glCallList(Lists.character);
  glPopMatrix();
}

// The aim beam from the character: narrow up to the band without a grip, wide up
// to the gripped box.
void DrawAimBeam(int32_t column, int32_t topRow) {
  const float tick = static_cast<float>(CurrentGame.tick);
  const float bx = column - 5.5f;
  const float bottom = 1.2f - topRow;
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_COLOR);
  glBegin(GL_QUADS);
  if (Grip.height == NO_GRIP_HEIGHT) {
    glColor4f(1, 1, 1, 0.7f);
    glVertex3f(bx - 0.1f, bottom, 0.5f);
    glVertex3f(bx + 0.1f, bottom, 0.5f);
    glVertex3f(bx + 0.1f, 9.0f, 0.5f);
    glVertex3f(bx - 0.1f, 9.0f, 0.5f);
  } else {
    glColor4f(1, 1, 1, 0.7f);
    glVertex3f(bx - 0.22f, bottom, 0.5f);
    glVertex3f(bx + 0.22f, bottom, 0.4f);
    glColor4f(1, 1, 0.4f, std::sin(tick / 10.0f) / 15.0f + 0.5f);
    glVertex3f(bx + 0.22f, Grip.height + 2.0f, 0.5f);
    glVertex3f(bx - 0.22f, Grip.height + 2.0f, 0.5f);
  }
  glEnd();
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
}

// The aim help: a see-through ghost of the gripped stone where it would land on the
// anchor's column, with a blinking cross on every box that makes the pull fail.
void DrawAimGhost(int32_t a, int32_t r) {
  const float tick = static_cast<float>(CurrentGame.tick);
  if (Grip.stone >= 0) {
    glEnable(GL_LIGHTING);
    SetStoneLighting();
    const int kind = StoneRing.kind[Grip.stone];
    const uint8_t g = static_cast<uint8_t>((Round((std::sin(tick / 7.0) / 2.0 + 0.5) * 128.0) + 128) % 256);
    for (int pass = 0; pass < 2; ++pass) {
      for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k) {
          const uint8_t b = StoneByte(kind, Grip.rotation, j, k);
          if (b == 0) continue;
          const float gx = static_cast<float>(a + j - 6 - Grip.column);
          const float gy = static_cast<float>(k - r + 1 - Grip.row);
          if (pass == 1) {
            DrawGhostBox(b, 255, 255, 255, 85, gx, gy);
            continue;
          }
          DrawGhostFront(b, 255, 85, gx, gy);
          // Blocked where the pull's fit test fails: below the floor of the play
          // area, or on a filled cell. Cells below row 12 do not exist and are
          // never read.
          const int32_t column = a + j - Grip.column;
          const int32_t row = Grip.row + r - k - 1;
          bool blocked = row > 11 && IsActiveColumn(column);
          if (!blocked && row >= FIELD_MIN_ROW && row <= FIELD_MAX_ROW && column >= FIELD_MIN_COLUMN &&
              column <= FIELD_MAX_COLUMN)
            blocked = Cell(column, row) != 0;
          if (blocked) DrawBlockedCross(255, g, 20, gx, gy);
        }
    }
  }
  glDisable(GL_LIGHTING);
  SetStoneLighting();
}

} // namespace

void DrawAnchorAndAim() {
  const int32_t a = Anchor.column;
  const int pulled = PulledRingStone();
  if (pulled < 0) {
    DrawAnchor(a - 6.0f, -13.0f);
  } else {
    DriveFlyBackTimer(pulled);
    DrawPull(pulled);
  }
  const int32_t r = TopFilledRow(a);
  DrawCharacter(a, r);
  if (pulled < 0) DrawAimBeam(a, r);
  if (CurrentGame.aimHelp == 1) DrawAimGhost(a, r);
  SetFieldLighting();
}
