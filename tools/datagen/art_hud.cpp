// The game screen's own pictures: the level/score and lines plaques, the arcade
// badges, the puzzle mark, the portrait of the guide with its eight moods and
// its stand, and the three banners (lines removed, level up, level cleared).
#include <cmath>
#include <string>

#include "art.h"
#include "art_common.h"

namespace {

// A plaque with a gold rim: the common frame of the HUD pictures.
void Plaque(Canvas& cv, float x0, float y0, float x1, float y1, float radius) {
  FillRoundRect(cv, x0, y0, x1, y1, radius, Pal::Ink);
  FillRoundRect(cv, x0 + 1.5f, y0 + 1.5f, x1 - 1.5f, y1 - 1.5f, radius - 1, Pal::GoldDark);
  FillRoundRect(cv, x0 + 2.5f, y0 + 2.5f, x1 - 2.5f, y1 - 3.0f, radius - 2, Pal::Gold);
  FillRoundRect(cv, x0 + 4.5f, y0 + 4.5f, x1 - 4.5f, y1 - 4.5f, radius - 3, Pal::Ink);
  FillLinearGradient(cv, x0 + 5.5f, y0 + 5.5f, x1 - 5.5f, y1 - 5.5f, 0, y0, 0, y1,
                     {{0, Pal::Lilac}, {0.4f, Pal::Plum}, {1, Pal::Night}});
}

// A recessed window for the numbers the game draws on top.
void NumberWindow(Canvas& cv, float x0, float y0, float x1, float y1) {
  FillRoundRect(cv, x0 - 1, y0 - 1, x1 + 1, y1 + 1, 3, Pal::Ink);
  FillRoundRect(cv, x0, y0, x1, y1, 2, Pal::Display);
  FillRect(cv, x0 + 2, y1 - 1.5f, x1 - 2, y1, WithAlpha(Pal::Lilac, 0.7f));
}

TextStyle LabelStyle() {
  TextStyle s;
  s.top = Pal::Cream;
  s.bottom = Pal::Gold;
  s.outlineWidth = 1.5f;
  s.shadowOffset = 0;
  return s;
}

Canvas LevelScore() {
  Canvas cv(128, 128);
  Plaque(cv, 0, 0, 78, 102, 8);
  DrawTextStyled(cv, "LEVEL", 39, 10, 12, LabelStyle());
  NumberWindow(cv, 7, 16, 71, 46);
  DrawTextStyled(cv, "SCORE", 39, 65, 12, LabelStyle());
  NumberWindow(cv, 4, 76, 74, 96);
  ToMasked(cv);
  return cv;
}

Canvas Lines() {
  Canvas cv(128, 128);
  Plaque(cv, 0, 0, 78, 42, 8);
  DrawTextStyled(cv, "LINES", 39, 10, 12, LabelStyle());
  NumberWindow(cv, 7, 16, 71, 36);
  ToMasked(cv);
  return cv;
}

Canvas ArcadeBadge() {
  Canvas cv(128, 128);
  Plaque(cv, 1, 24, 127, 98, 12);
  for (int i = 0; i < 2; ++i) DrawSparkle(cv, 18 + i * 92, 42, 7, Pal::Gold);
  TextStyle s;
  s.top = Hex(0xffffff);
  s.bottom = Pal::Gold;
  s.outlineWidth = 2.5f;
  s.shadowOffset = 2;
  DrawTextStyled(cv, "ARCADE", 64, 62, 21, s, Face::CondensedBold);
  DrawTextStyled(cv, "MODE", 64, 80, 11, LabelStyle());
  ToMasked(cv);
  return cv;
}

Canvas PuzzleMark() {
  Canvas cv(128, 128);
  const float cx = 60, cy = 58;
  FillCircle(cv, cx, cy, 50, Pal::Ink);
  FillCircle(cv, cx, cy, 48, Pal::GoldDark);
  FillCircle(cv, cx, cy, 46.5f, Pal::Gold);
  FillCircle(cv, cx, cy, 43, Pal::Ink);
  FillCircleGradient(cv, cx, cy, 42, Pal::Lilac, Pal::Night);
  TextStyle s;
  s.top = Hex(0xffffff);
  s.bottom = Pal::Gold;
  s.outlineWidth = 3;
  s.shadowOffset = 3;
  DrawTextStyled(cv, "?", cx, cy - 2, 70, s);
  FillRoundRect(cv, cx - 40, 100, cx + 40, 122, 6, Pal::Ink);
  FillRoundRect(cv, cx - 38, 102, cx + 38, 120, 5, Pal::Coral);
  DrawTextStyled(cv, "PUZZLE", cx, 111, 13, LabelStyle());
  ToMasked(cv);
  return cv;
}

Canvas Stand() {
  Canvas cv(64, 32);
  FillEllipse(cv, 32, 10, 30, 7, Pal::Ink);
  FillEllipse(cv, 32, 9, 28, 5.5f, Pal::Gold);
  FillRoundRect(cv, 6, 10, 58, 26, 5, Pal::Ink);
  FillLinearGradient(cv, 8, 11, 56, 24, 0, 11, 0, 24, {{0, Pal::Lilac}, {1, Pal::Night}});
  FillEllipse(cv, 32, 10, 26, 4.5f, Pal::Plum);
  FillRect(cv, 10, 17, 54, 18.5f, WithAlpha(Pal::Gold, 0.8f));
  ToMasked(cv);
  return cv;
}

Canvas Avatar() {
  Canvas cv(256, 512);
  // Frame n: 0 blink, 1 normal, 2 worried blink, 3 worried, 4 scared blink, 5 scared, 6 happy, 7 game over.
  const int moods[8] = {0, 0, 1, 1, 2, 2, 3, 4};
  for (int n = 0; n < 8; ++n) {
    Canvas f(128, 128);
    FillCircle(f, 64, 66, 58, Pal::Ink);
    FillCircle(f, 64, 66, 56, Pal::Gold);
    FillCircle(f, 64, 66, 53, Pal::Ink);
    Color inner = n == 7 ? Hex(0x3a3044) : (n >= 4 && n <= 5 ? Hex(0x5a2f56) : Pal::Plum);
    FillCircleGradient(f, 64, 66, 52, Mix(inner, Pal::Lilac, 0.5f), Pal::Night);
    DrawShadow(f, 64, 104, 30, 6, 0.5f);
    DrawGuide(f, 64, 70, 30, moods[n], n == 0 || n == 2 || n == 4, false);
    if (n == 6)
      for (int k = 0; k < 3; ++k) DrawSparkle(f, 26 + k * 38, 26 + (k % 2) * 10, 6, Hex(0xfff3a0));
    DrawCanvas(cv, f, 128 * (n % 2), 128 * (n / 2), true);
  }
  ToMasked(cv);
  return cv;
}

Canvas LevelCleared() {
  Canvas cv(512, 256, Color{0, 0, 0, 0});
  // Ribbon behind the words.
  FillPolygon(cv, {40, 70, 472, 70, 492, 104, 472, 138, 40, 138, 20, 104}, Hex(0x000000, 0.35f));
  BoxBlur(cv, 6);
  FillPolygon(cv, {52, 76, 460, 76, 478, 104, 460, 132, 52, 132, 34, 104}, Pal::Ink);
  FillPolygon(cv, {56, 80, 456, 80, 472, 104, 456, 128, 56, 128, 40, 104}, Hex(0x3a8a4e));
  FillRect(cv, 56, 80, 456, 86, Hex(0x6fcf7e));
  TextStyle big;
  big.top = Hex(0xffffff);
  big.bottom = Pal::Gold;
  big.outlineWidth = 4;
  big.shadowOffset = 4;
  big.shadowBlur = 3;
  DrawTextStyled(cv, "LEVEL", 256, 44, 50, big);
  DrawTextStyled(cv, "CLEARED!", 256, 106, 58, big);
  Rng rng(301);
  for (int i = 0; i < 10; ++i) {
    float x = i < 5 ? rng.Range(20, 130) : rng.Range(382, 492);
    float r = rng.Range(5, 11);
    float y = rng.Range(20, 170);
    DrawSparkle(cv, x, y, r, Hex(0xfff3a0));
  }
  Premultiply(cv);
  return cv;
}

// Three stacked banners for 2, 3 and 4 lines at once, light on black (drawn additively).
Canvas MultiLine() {
  Canvas cv(512, 512, Color{0, 0, 0, 1});
  const char* const texts[3] = {"2 LINES!", "3 LINES!", "4 LINES!"};
  const Color tops[3] = {Hex(0xeaffd0), Hex(0xfff6c0), Hex(0xffe0ff)};
  const Color bottoms[3] = {Hex(0x3fd46a), Hex(0xff9a2a), Hex(0xff3fb0)};
  for (int k = 0; k < 3; ++k) {
    float top = 512.0f * k / 3;
    Canvas layer(512, 171, Color{0, 0, 0, 0});
    // A burst of rays behind the words, fading outwards; more rays for more lines.
    const int rays = 10 + 4 * k;
    Shade(layer, 0, 0, 512, 171, [&](float x, float y) {
      float dx = (x - 256) / 2.6f, dy = y - 85;
      float a = std::atan2(dy, dx), d = std::hypot(dx, dy);
      float wedge = 0.5f + 0.5f * std::cos(a * rays);
      Color c = bottoms[k];
      c.a = 0.4f * SmoothStep(0.55f, 0.9f, wedge) * (1 - SmoothStep(20, 80, d)) * SmoothStep(4, 18, d);
      return c;
    });
    TextStyle s;
    s.top = tops[k];
    s.bottom = bottoms[k];
    s.outlineWidth = 0;
    s.shadowOffset = 0;
    DrawTextStyled(layer, texts[k], 256, 85, 76, s);
    Canvas glow = layer;
    BoxBlur(glow, 9);
    BoxBlur(glow, 9);
    int y0 = static_cast<int>(std::ceil(top));
    for (int y = 0; y < layer.height; ++y)
      for (int x = 0; x < 512; ++x) {
        int ty = y0 + y;
        // Keep a black margin at the borders between thirds so filtering never mixes them.
        if (ty < y0 + 4 || ty >= static_cast<int>(top + 512.0f / 3) - 4 || ty >= 512) continue;
        Color g = glow.Get(x, y), l = layer.Get(x, y);
        cv.Add(x, ty, Scale(WithAlpha(bottoms[k], 1), 1.0f), g.a * 1.4f);
        cv.Blend(x, ty, WithAlpha(l, 1), l.a);
      }
  }
  SetAlpha(cv, 1);
  return cv;
}

Canvas LevelUp() {
  Canvas cv(128, 128);
  TextStyle s;
  s.top = Hex(0xffffff);
  s.bottom = Pal::Gold;
  s.outlineWidth = 3;
  s.shadowOffset = 0;
  DrawTextStyled(cv, "LEVEL", 64, 33, 30, s, Face::CondensedBold);
  s.bottom = Hex(0x7fe07a);
  DrawTextStyled(cv, "UP!", 64, 96, 44, s);
  ToMasked(cv);
  return cv;
}

} // namespace

bool WriteHudPictures(const std::string& dir) {
  return WriteTga(dir + "lev_sco.tga", LevelScore(), 32) && WriteTga(dir + "lines.tga", Lines(), 32) &&
         WriteTga(dir + "amode.tga", ArcadeBadge(), 32) && WriteTga(dir + "qmark.tga", PuzzleMark(), 32) &&
         WriteTga(dir + "underline.tga", Stand(), 32) && WriteTga(dir + "avatar.tga", Avatar(), 32) &&
         WriteTga(dir + "clear.tga", LevelCleared(), 32) && WriteBmp24(dir + "dtq.bmp", MultiLine()) &&
         WriteTga(dir + "level_up.tga", LevelUp(), 32);
}
