// The large backgrounds: the title screen (also behind every menu panel), the
// game screen's backdrop around the theme pictures, the loading-screen logo and
// the two title logo pictures that drop in over the title.
#include <cmath>
#include <string>
#include <vector>

#include "art.h"
#include "art_common.h"

namespace {

constexpr int SCREEN_W = 800, SCREEN_H = 600;

// The word logo as a coverage mask: tall condensed capitals fitted into w × h.
Canvas WordLogoMask(int w, int h, int pad) {
  Canvas raw = RenderText("QUORBELS", 96, Face::CondensedBold, 0);
  Canvas fitted = Resize(raw, w, h);
  Canvas out(w + 2 * pad, h + 2 * pad, Color{1, 1, 1, 0});
  DrawCanvas(out, fitted, pad, pad, true);
  return out;
}

TextStyle LogoStyle() {
  TextStyle s;
  s.top = Hex(0xfffbe8);
  s.bottom = Hex(0xf2a93b);
  s.outline = Pal::Ink;
  s.outlineWidth = 4;
  s.shadow = Hex(0x000000, 0.55f);
  s.shadowOffset = 4;
  s.shadowBlur = 3;
  return s;
}

// quor.tga: the game's name, premultiplied for the title's tinted blend.
Canvas WordLogo() {
  Canvas cv(256, 128, Color{0, 0, 0, 0});
  Canvas mask = WordLogoMask(232, 74, 12);
  // Soft glow behind the letters so they read on any part of the sky.
  Canvas glow = DilateAlpha(mask, 6);
  BoxBlur(glow, 6);
  for (int y = 0; y < glow.height; ++y)
    for (int x = 0; x < glow.width; ++x)
      cv.Blend(x + 128 - glow.width / 2, y + 50 - glow.height / 2, Hex(0x1f1c40, 0.7f),
               glow.At(x, y)[3] / 255.0f);
  DrawMaskStyled(cv, mask, 128, 50, LogoStyle());
  // A row of the game's boxes under the name.
  for (int i = 0; i < 7; ++i) {
    float x = 40 + i * 26;
    DrawCube(cv, x + 6, 106 + (i % 2 ? 2 : -2), 15, 0.5f + i * 0.3f, 0.35f, BoxColor(i % 9));
  }
  Premultiply(cv);
  return cv;
}

// boxes.bmp: a trail of glowing boxes on black, shown faintly and additively.
Canvas GlowTrail() {
  Canvas cv(512, 128, Color{0, 0, 0, 1});
  Canvas shapes(512, 128, Color{0, 0, 0, 0});
  Rng rng(401);
  for (int i = 0; i < 11; ++i) {
    float t = i / 10.0f;
    // Drawn at x 254 on the title: the trail starts right of the logo's letters.
    float x = 116 + t * 372, y = 64 + std::sin(t * 6.0f) * 26;
    float size = 30 - t * 15;
    float shade = rng.Range(0.2f, 0.8f);
    float turn = rng.Range(0, 3);
    DrawCube(shapes, x, y, size, turn, shade, BoxColor(i % 9));
  }
  for (int i = 0; i < 40; ++i) {
    float r = rng.Range(2, 5);
    float sy = rng.Range(10, 118);
    float sx = rng.Range(10, 502);
    DrawSparkle(shapes, sx, sy, r, Hex(0xfff3c0));
  }
  Canvas glow = shapes;
  BoxBlur(glow, 6);
  BoxBlur(glow, 6);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 512; ++x) {
      Color g = glow.Get(x, y);
      cv.Add(x, y, WithAlpha(g, 1), g.a * 1.2f);
      Color s = shapes.Get(x, y);
      cv.Blend(x, y, WithAlpha(s, 1), s.a);
    }
  SetAlpha(cv, 1);
  return cv;
}

// title.bmp: the land of the story at sunrise, boxes drifting through the sky.
Canvas Title() {
  Canvas cv(1024, 1024, Pal::Night);
  Canvas p(SCREEN_W, SCREEN_H);
  FillLinearGradient(p, 0, 0, SCREEN_W, SCREEN_H, 0, 0, 0, 360,
                     {{0, Hex(0x23306e)}, {0.45f, Hex(0x5a7fc8)}, {0.8f, Hex(0xf0b8a0)}, {1, Hex(0xffe0a8)}});
  DrawSun(p, 590, 300, 34, Hex(0xfffbe8), Hex(0xffe0a0, 0.6f));
  Rng rng(501);
  ScatterStars(p, rng, 60, SCREEN_W, 120, 0.5f, 1.2f, 0.2f, 0.7f);
  DrawCloud(p, 140, 210, 180, Hex(0xfff0ea, 0.95f), 502);
  DrawCloud(p, 700, 170, 150, Hex(0xfff0ea, 0.92f), 503);
  DrawCloud(p, 420, 240, 120, Hex(0xfff0ea, 0.85f), 504);
  // Snowy mountains far away in the middle of the land.
  DrawMountains(p, 160, 660, 340, 120, 5, 505, Hex(0x8f9fd0), Hex(0x6a78b0), Hex(0xf8f0ff), 0.35f);
  // Right: dunes; left: forest hills rolling down over the dunes' edge.
  DrawRidge(p, 300, SCREEN_W, 350, 40, 0.006f, 507, Hex(0xf2c27a), Hex(0xd89a52), 600);
  Shade(p, 0, 250, 520, 600, [&](float x, float y) {
    float ridge = 300 + 40 * Fbm(x * 0.006f, 0.5f, 4, 506) + 230 * SmoothStep(280, 520, x);
    Color c = Mix(Hex(0x6aa867), Hex(0x3f7f4a), Clamp01((y - ridge) / 200));
    c.a = Clamp01(y + 0.5f - ridge);
    return c;
  });
  for (int i = 0; i < 40; ++i) {
    float x = rng.Range(0, 340), base = 330 + x * 0.12f + rng.Range(0, 40);
    DrawPine(p, x, base + 24, rng.Range(26, 46), Hex(0x2e6b3a), Hex(0x3b2a1e));
  }
  // Pyramids on the dunes.

  DrawPyramid(p, 610, 352, 110, 62, Hex(0xf7d59c), Hex(0xc8905a));
  DrawPyramid(p, 690, 356, 64, 36, Hex(0xf0cc90), Hex(0xbf8852));
  // City on the hill in between.
  DrawSkyline(p, 330, 470, 352, 14, 46, 508, Hex(0x8a7fb8), Hex(0xffe8a0), 0.35f);
  // Foreground meadow where the guide waves at the player.
  DrawRidge(p, 0, SCREEN_W, 470, 60, 0.004f, 509, Hex(0x7fbf5a), Hex(0x4f8f3c), 600);
  DrawRidge(p, 0, SCREEN_W, 560, 40, 0.005f, 510, Hex(0x9fd372), Hex(0x7fbf5a), 600);
  for (int i = 0; i < 140; ++i) {
    float x = rng.Range(0, SCREEN_W), y = rng.Range(480, 600);
    float rise = rng.Range(4, 8);
    float lean = rng.Range(-2, 2);
    DrawLine(p, x, y, x + lean, y - rise, 1.2f, Hex(0x4f8f3c, 0.6f));
  }
  for (int i = 0; i < 24; ++i) {
    float x = rng.Range(0, SCREEN_W), y = rng.Range(500, 600);
    Color c = i % 3 == 0 ? Hex(0xffffff) : (i % 3 == 1 ? Hex(0xffd84a) : Hex(0xff8fb0));
    FillCircle(p, x, y, 2.2f, c);
  }
  DrawRoundTree(p, 60, 600, 150, Hex(0x4f9a46), Hex(0x5a3a22), 511);
  DrawPalm(p, 770, 470, 120, -0.3f, Hex(0x3f8a4a), Hex(0x8a6238));
  DrawShadow(p, 690, 555, 34, 7, 0.35f);
  DrawGuide(p, 690, 515, 34, 3, false, false);
  // Boxes drifting through the sky, near and far, each clear of the others, of the
  // logo (drawn over x 89..345, y 30..158, its row of boxes included) and of the
  // menu panel's top.
  struct Drifting {
    float x, y, size;
  };
  std::vector<Drifting> cubes = {{530, 200, 40}, {170, 215, 34}};
  for (int i = 0; i < 40 && cubes.size() < 14; ++i) {
    float x = rng.Range(20, 780), y = rng.Range(160, 330);
    int colour = rng.Int(9);
    float shade = rng.Range(0.2f, 0.7f);
    float turn = rng.Range(0, 3);
    float size = rng.Range(12, 30);
    float reach = size * 0.85f; // a turned cube's half extent, with air
    if (x > 280 - reach && x < 520 + reach && y > 300 - reach) continue;
    if (x > 89 - reach && x < 345 + reach && y < 158 + reach) continue;
    bool clear = true;
    for (const Drifting& c : cubes)
      if (std::hypot(x - c.x, y - c.y) < reach + c.size * 0.85f + 4) clear = false;
    if (!clear) continue;
    cubes.push_back({x, y, size});
    DrawCube(p, x, y, size, turn, shade, BoxColor(colour));
  }
  DrawCube(p, 530, 200, 40, 0.6f, 0.45f, BoxColor(5));
  DrawCube(p, 170, 215, 34, 2.2f, 0.35f, BoxColor(0));
  // Evening shade over the land so the menu panels' light lettering reads well.
  FillLinearGradient(p, 0, 280, SCREEN_W, SCREEN_H, 0, 280, 0, SCREEN_H,
                     {{0, Hex(0x1f1c40, 0)}, {0.35f, Hex(0x1f1c40, 0.22f)}, {1, Hex(0x1f1c40, 0.18f)}});
  AddGrain(p, 0.02f, 512);
  DrawCanvas(cv, p, 0, 0, true);
  SetAlpha(cv, 1);
  return cv;
}

// quorback.bmp: the frame of the game screen: the sky window, the HUD columns,
// the item slots and the floor the anchor runs along.
Canvas GameBackdrop() {
  Canvas cv(1024, 1024, Pal::Ink);
  Canvas p(SCREEN_W, SCREEN_H);
  FillLinearGradient(p, 0, 0, SCREEN_W, SCREEN_H, 0, 0, 0, SCREEN_H,
                     {{0, Hex(0x2a2552)}, {0.6f, Hex(0x1f1c40)}, {1, Hex(0x14122b)}});
  // A faint lattice of box outlines, the game's motif.
  for (int y = 0; y < SCREEN_H; y += 32)
    for (int x = (y / 32) % 2 ? 16 : 0; x < SCREEN_W; x += 32)
      StrokeRoundRect(p, x + 5, y + 5, x + 27, y + 27, 4, 1.5f, Hex(0xffffff, 0.035f));
  // Soft light behind the playfield gives the frame some depth.
  FillRadialGradient(p, 400, 330, 360,
                     {{0, Hex(0x6b5ba8, 0.35f)}, {0.6f, Hex(0x6b5ba8, 0.12f)}, {1, Hex(0x6b5ba8, 0)}});
  // Sky window frame (the sky covers 57..743 × 26..154).
  FillRoundRect(p, 43, 12, 757, 168, 14, Pal::Ink);
  FillRoundRect(p, 46, 15, 754, 165, 12, Pal::GoldDark);
  FillRoundRect(p, 48, 17, 752, 163, 11, Pal::Gold);
  FillRoundRect(p, 53, 22, 747, 158, 8, Pal::Ink);
  for (float x : {46.0f, 754.0f})
    for (float y : {15.0f, 165.0f}) FillCircle(p, x, y, 4, Pal::Cream);
  // Left column: the meter socket and the refill counter.
  FillRoundRect(p, 10, 196, 148, 458, 14, Pal::Ink);
  FillRoundRect(p, 13, 199, 145, 455, 12, Pal::GoldDark);
  FillRoundRect(p, 15, 201, 143, 453, 11, Pal::Plum);
  FillLinearGradient(p, 18, 204, 140, 450, 0, 204, 0, 450,
                     {{0, Pal::Lilac}, {0.3f, Pal::Plum}, {1, Pal::Night}});
  // One socket holds the potion (57..101 x 218..394) and, under a gold bar, the
  // refill counter's square (57..101 x 398..442), whose corners share the socket's
  // colour so the badge sits in it without a seam.
  FillRoundRect(p, 49, 210, 109, 448, 9, Pal::GoldDark);
  FillRoundRect(p, 51, 212, 107, 446, 8, Pal::Ink);
  FillRoundRect(p, 53, 214, 105, 444, 6, Pal::Display);
  FillRect(p, 53, 395, 105, 397, Pal::GoldDark);
  // Right column: behind the level, score and lines plaques and the guide's portrait.
  FillRoundRect(p, 652, 196, 796, 524, 14, Pal::Ink);
  FillRoundRect(p, 655, 199, 793, 521, 12, Pal::GoldDark);
  FillLinearGradient(p, 657, 201, 791, 519, 0, 201, 0, 519, {{0, Pal::Plum}, {1, Pal::Night}});
  // Rivets on the two HUD plates.
  for (float x : {22.0f, 136.0f, 667.0f, 781.0f})
    for (float y : {210.0f, x < 400 ? 444.0f : 510.0f}) {
      FillCircle(p, x, y, 3.2f, Pal::Ink);
      FillCircle(p, x - 0.5f, y - 0.5f, 2.2f, Pal::Gold);
    }
  // Floor under the playfield where the anchor runs.
  FillLinearGradient(p, 150, 492, 650, 600, 0, 492, 0, 600, {{0, Hex(0x2f2a58)}, {1, Hex(0x14122b)}});
  DrawLine(p, 150, 492, 650, 492, 2, WithAlpha(Pal::Gold, 0.5f));
  // Item slots F1, F2 (left) and F3 (right), 50 × 50 each. The left pair's tray
  // ends at x 128 so the arcade badge drawn over that corner hides it entirely.
  FillRoundRect(p, 4, 526, 128, 596, 10, Pal::Ink);
  FillRoundRect(p, 6, 528, 126, 594, 9, Pal::GoldDark);
  FillRoundRect(p, 8, 530, 124, 592, 8, Pal::Plum);
  FillRoundRect(p, 728, 526, 796, 596, 10, Pal::Ink);
  FillRoundRect(p, 730, 528, 794, 594, 9, Pal::GoldDark);
  FillRoundRect(p, 732, 530, 792, 592, 8, Pal::Plum);
  for (float x : {13.0f, 77.0f, 733.0f}) {
    FillRoundRect(p, x - 1, 535, x + 51, 587, 5, Pal::Ink);
    FillLinearGradient(p, x, 536, x + 50, 586, 0, 536, 0, 586, {{0, Pal::Night}, {1, Pal::Display}});
  }
  AddGrain(p, 0.02f, 601);
  DrawCanvas(cv, p, 0, 0, true);
  SetAlpha(cv, 1);
  return cv;
}

// logo.bmp: the loading screen's emblem on black.
Canvas LoadingLogo() {
  Canvas cv(256, 256, Color{0, 0, 0, 1});
  FillRadialGradient(cv, 128, 110, 120, {{0, Hex(0x3a2f66, 0.9f)}, {1, Hex(0x000000, 0)}});
  DrawCube(cv, 98, 140, 50, 0.6f, 0.4f, BoxColor(0));
  DrawCube(cv, 158, 140, 50, 0.6f, 0.4f, BoxColor(2));
  DrawCube(cv, 128, 92, 50, 0.6f, 0.4f, BoxColor(5));
  DrawGuide(cv, 182, 66, 18, 3, false, false);
  Canvas mask = WordLogoMask(200, 44, 10);
  DrawMaskStyled(cv, mask, 128, 212, LogoStyle());
  SetAlpha(cv, 1);
  return cv;
}

} // namespace

bool WriteBackgroundPictures(const std::string& dir) {
  return WriteBmp24(dir + "title.bmp", Title()) && WriteBmp24(dir + "quorback.bmp", GameBackdrop()) &&
         WriteBmp24(dir + "logo.bmp", LoadingLogo()) && WriteTga(dir + "quor.tga", WordLogo(), 32) &&
         WriteBmp24(dir + "boxes.bmp", GlowTrail());
}
