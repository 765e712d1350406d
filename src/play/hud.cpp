#include "play/hud.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "assets/catalogue.h"
#include "core/arith.h"
#include "game/options.h"
#include "game/state.h"
#include "ui/screen2d.h"

namespace {

// Number of characters of the value's decimal text.
int Digits(int32_t value) {
  char digits[16];
  return std::snprintf(digits, sizeof digits, "%d", value);
}

void DrawItemSlots() {
  static const int kSlotX[3] = {13, 77, 733};
  for (int k = 0; k < 3; ++k) {
    const uint8_t code = ItemSlots[k];
    // A code from a damaged save that names no item shows as an empty slot.
    if (code >= 1 && code <= ITEM_KINDS)
      DrawImagePart(Tex.itemIcons[code - 1], kSlotX[k], 536, 50, 50, 0, 0, 1, 1);
  }
  DrawImagePartGlow(Tex.fkeys, 10, 530, 123, 64, 0, 0, 0.4754717f, 1, 255);
  DrawImagePartGlow(Tex.fkeys, 730, 530, 57, 64, 0.77734375f, 0, 1, 1, 255);
}

void DrawMeter() {
  const bool puzzle = CurrentGame.puzzle != 0;
  if (!puzzle) {
    DrawImage(Tex.trankVoll, 57, 218, 44, 176);
    DrawImageFaded(Tex.trankVoll, 57, 218, 44, 176, LevelMeter.refillFlash);
    const int e = MeterEmptyHeight(LevelMeter.value);
    DrawImagePart(Tex.trankLeer, 57, 218, 44, static_cast<float>(e), 0, 0, 1, e / 176.0f);
  } else {
    DrawImagePartMasked(Tex.qmark, 19, 260, 128, 128, 0, 0, 1, 1);
  }
}

void DrawDangerLine(int q) {
  const int size = CylinderSize;
  const int y = DangerLineY(CurrentGame.dangerHeight);
  BeginImageRun(Tex.line);
  for (int s = 0; s < 3 * size; ++s) {
    const int x = Round(2.0 * q / (3.0 * size) * s + (400 - q) + 7);
    ImageRunPart(static_cast<float>(x), static_cast<float>(y + 1), 2, 2, 0, 0, 1, 1);
  }
  EndImageRun();
  glDisable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glBegin(GL_TRIANGLES);
  glVertex2f(404.0f - q, y + 2.0f), glVertex2f(396.0f - q, y - 5.0f), glVertex2f(396.0f - q, y + 9.0f);
  glVertex2f(404.0f + q, y + 9.0f), glVertex2f(404.0f + q, y - 5.0f), glVertex2f(396.0f + q, y + 2.0f);
  glEnd();
}

void DrawPortrait() {
  const int n = PortraitFrame();
  const float u = 0.5f * (n % 2);
  const float v = 0.25f * (n / 2);
  DrawImagePartMasked(Tex.avatar, 650, 365, 120, 120, u, v, u + 0.5f, v + 0.25f);
}

} // namespace

void DrawHud(int q) {
  const bool arcade = IsArcade();
  if (arcade) {
    DrawImagePartMasked(Tex.amode, 0, 500, 128, 128, 0, 0, 1, 1);
    DrawImagePartMasked(Tex.amode, 672, 500, 128, 128, 0, 0, 1, 1);
  } else if (CurrentGame.puzzle == 0) {
    DrawItemSlots();
  }

  DrawImage(Tex.dot1, 57, 398, 44, 44);
  const int32_t refill = std::abs(CurrentGame.linesToRefill);
  DrawNumber(refill, 79.0f - 5 * Digits(refill), 414, 10);
  DrawImageFaded(Tex.dot2, 57, 398, 44, 44, static_cast<uint8_t>(LevelMeter.flash));

  DrawMeter();
  DrawImagePartMasked(Tex.levSco, 667, 210, 128, 128, 0, 0, 1, 1);
  const int32_t level = ShownLevelNumber();
  DrawNumber(level, 706.0f - 10 * Digits(level), 228, 20);
  DrawNumber(CurrentGame.shownScore, 706.0f - 5 * Digits(CurrentGame.shownScore), 290, 10);
  DrawImagePartMasked(Tex.lines, 667, 320, 128, 128, 0, 0, 1, 1);
  DrawNumber(CurrentGame.linesLeft, 706.0f - 5 * Digits(CurrentGame.linesLeft), 339, 10);

  DrawDangerLine(q);
  if (Options[OPT_SHOW_CHARACTER] == 1) DrawPortrait();
  DrawImagePartMasked(Tex.underline, 676, 485, 63, 32, 0, 0, 1, 1);
}

int FieldHalfWidth(int cylinderSize) {
  switch (cylinderSize) {
  case 8:
    return 103;
  case 10:
    return 130;
  default:
    return 156;
  }
}

int MeterEmptyHeight(float value) {
  return Round(176.0 - value / 100.0 * 176.0);
}

int DangerLineY(int dangerHeight) {
  return Round(467.0 - dangerHeight * 25.9);
}

int32_t ShownLevelNumber() {
  return IsArcade() ? CurrentGame.levelNumber : CurrentGame.levelNumber + 1;
}

int32_t StackHeight() {
  int32_t top = 13;
  for (int r = 12; r >= -1; --r)
    for (int c = FirstColumn(); c <= LastColumn(); ++c)
      if (ShownCell(c, r) != 0) top = r;
  return top == 13 ? 0 : 12 - top;
}

int PortraitFrame() {
  const int32_t h = StackHeight();
  const int32_t danger = CurrentGame.dangerHeight;
  int frame = 1;
  if (h >= (danger + 1) / 2) frame = 3;
  if (h >= ((danger + 1) * 3) / 4) frame = 5;
  if (CurrentGame.gameOver > 0) frame = 7;
  if (CurrentGame.levelCleared == 1) frame = 6;

  // The character blinks now and then, more nervously the higher the stack.
  const int32_t m = CurrentGame.tick % 1000;
  auto inside = [m](int from, int to) { return m > from && m < to; };
  if (frame == 1 && (inside(100, 150) || inside(500, 550))) frame = 0;
  if (frame == 3 && (inside(100, 140) || inside(500, 540) || inside(700, 740))) frame = 2;
  if (frame == 5 &&
      (inside(100, 120) || inside(300, 320) || inside(500, 520) || inside(700, 720) || inside(900, 920)))
    frame = 4;
  return frame;
}
