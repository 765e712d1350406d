// The five theme skies (the strip above the playfield) and back pictures (the
// wall behind the playfield, the two side pillars and the two chain posts).
//
// Back picture layout, 512 × 512 texels, drawn masked (shown where alpha ≤ 0.1):
//   field      0..335 × 0..335   behind the boxes (1:1 on screen at cylinder size 12)
//   right side 336..424 × 0..335 pillar standing right of the field
//   left side  424..512 × 0..335 pillar standing left of the field
//   corners    0..64 and 448..512 × 448..512: the posts the anchor's chains hang from
//              (chain ends at about (49, 32) in the left post, (15, 32) in the right)
#include <algorithm>
#include <cmath>
#include <string>

#include "art.h"
#include "art_common.h"

namespace {

constexpr int SKY_W = 1024, SKY_H = 128;
constexpr int FIELD = 335; // texels of the field area
constexpr int SIDE_RIGHT_X = 336, SIDE_LEFT_X = 424, SIDE_W = 88;

void Vignette(Canvas& cv, int x0, int y0, int x1, int y1, float strength) {
  float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f, rx = (x1 - x0) * 0.5f, ry = (y1 - y0) * 0.5f;
  Shade(cv, x0, y0, x1, y1, [&](float px, float py) {
    float dx = (px - cx) / rx, dy = (py - cy) / ry;
    float d = std::sqrt(dx * dx + dy * dy);
    return Color{0, 0, 0, strength * SmoothStep(0.55f, 1.35f, d)};
  });
}

// ---- Skies -----------------------------------------------------------------
// The game shows texels 53.3 .. 969.3 of the 1024-texel sky in 686 pixels with
// nearest filtering. The skies are therefore painted as the player sees them, 686
// by 128 pixels (suns round, nothing lost), and stretched to the texture so that
// every texel holds the painted pixel its centre falls on.

constexpr int SHOWN_W = 686;
constexpr double SHOWN_U0 = 0.052083332, SHOWN_U1 = 0.94661456;

Canvas StretchToSky(const Canvas& shown) {
  Canvas cv(SKY_W, SKY_H);
  const double first = SKY_W * SHOWN_U0, perPixel = SKY_W * (SHOWN_U1 - SHOWN_U0) / SHOWN_W;
  for (int x = 0; x < SKY_W; ++x) {
    int from = static_cast<int>(std::floor((x + 0.5 - first) / perPixel));
    from = std::clamp(from, 0, SHOWN_W - 1);
    for (int y = 0; y < SKY_H; ++y) std::copy_n(shown.At(from, y), 4, cv.At(x, y));
  }
  return cv;
}

Canvas ForestSky() {
  Canvas cv(SHOWN_W, SKY_H);
  FillLinearGradient(cv, 0, 0, SHOWN_W, SKY_H, 0, 0, 0, SKY_H,
                     {{0, Hex(0x3f96d2)}, {0.55f, Hex(0x9fd6ea)}, {1, Hex(0xe9f4c6)}});
  DrawSun(cv, 560, 30, 12, Hex(0xfffbe0), Hex(0xfff3b0, 0.5f));
  DrawCloud(cv, 110, 42, 80, Hex(0xffffff, 0.9f), 11);
  DrawCloud(cv, 350, 26, 62, Hex(0xffffff, 0.8f), 12);
  DrawCloud(cv, 470, 46, 46, Hex(0xffffff, 0.7f), 13);
  DrawRidge(cv, 0, SHOWN_W, 92, 40, 0.009f, 21, Hex(0x8cc3b0), Hex(0x7db59e), SKY_H);
  DrawRidge(cv, 0, SHOWN_W, 108, 34, 0.013f, 22, Hex(0x69a860), Hex(0x4f8f4c), SKY_H);
  Rng rng(23);
  for (int i = 0; i < 44; ++i) {
    float x = rng.Range(0, SHOWN_W), h = rng.Range(20, 36);
    if (rng.Uniform() < 0.5f)
      DrawPine(cv, x, SKY_H + 4, h, Hex(0x2e6b3a), Hex(0x3b2a1e));
    else
      DrawRoundTree(cv, x, SKY_H + 4, h, Hex(0x3f8a3e), Hex(0x4a3424), rng.Next());
  }
  DrawRidge(cv, 0, SHOWN_W, 126, 8, 0.03f, 24, Hex(0x2f6b31), Hex(0x214f26), SKY_H);
  return cv;
}

Canvas CitySky() {
  Canvas cv(SHOWN_W, SKY_H);
  FillLinearGradient(cv, 0, 0, SHOWN_W, SKY_H, 0, 0, 0, SKY_H,
                     {{0, Hex(0x1c1b4a)}, {0.45f, Hex(0x5b3f86)}, {0.8f, Hex(0xe0728a)}, {1, Hex(0xffb07a)}});
  Rng rng(31);
  ScatterStars(cv, rng, 70, SHOWN_W, 60, 0.4f, 1.1f, 0.3f, 0.9f);
  // A crescent moon: the lit disc with the sky's colour laid over its right part.
  FillRadialGradient(cv, 590, 30, 30, {{0, Hex(0xfff2c8, 0.25f)}, {1, Hex(0xfff2c8, 0)}});
  FillCircle(cv, 590, 30, 12, Hex(0xfff2c8));
  FillCircle(cv, 596, 26, 10.5f, Hex(0x2a2456));
  DrawCloud(cv, 200, 50, 90, Hex(0xc87a9b, 0.55f), 32);
  DrawSkyline(cv, -10, SHOWN_W + 10, SKY_H, 30, 70, 33, Hex(0x6d4f8f), Hex(0xffd9a0), 0.15f);
  DrawSkyline(cv, -10, SHOWN_W + 10, SKY_H, 18, 52, 34, Hex(0x2d2150), Hex(0xffcf6b), 0.3f);
  DrawSkyline(cv, -10, SHOWN_W + 10, SKY_H + 2, 8, 28, 35, Hex(0x16112c), Hex(0xffe08a), 0.35f);
  return cv;
}

// The stones fly through the upper three quarters of the sky window: the desert
// keeps a deep blue there so that the golden stones stand out against it, and its
// sand and pyramids stay near the horizon.
Canvas DesertSky() {
  Canvas cv(SHOWN_W, SKY_H);
  FillLinearGradient(
      cv, 0, 0, SHOWN_W, SKY_H, 0, 0, 0, SKY_H,
      {{0, Hex(0x1a5aa8)}, {0.5f, Hex(0x3a8ccf)}, {0.72f, Hex(0xa8cfd8)}, {0.85f, Hex(0xffd79a)}});
  DrawSun(cv, 160, 34, 13, Hex(0xfffdf0), Hex(0xffe08a, 0.6f));
  DrawRidge(cv, 0, SHOWN_W, 104, 12, 0.006f, 41, Hex(0xe8b46c), Hex(0xd89c58), SKY_H);
  DrawPyramid(cv, 376, 106, 84, 40, Hex(0xf0c98a), Hex(0x9a6838));
  DrawPyramid(cv, 440, 108, 56, 26, Hex(0xeec486), Hex(0x946434));
  DrawPyramid(cv, 318, 110, 40, 18, Hex(0xe9bd80), Hex(0x8e5e30));
  DrawRidge(cv, 0, SHOWN_W, 116, 12, 0.010f, 42, Hex(0xf2b058), Hex(0xd98e40), SKY_H);
  DrawRidge(cv, 0, SHOWN_W, 127, 9, 0.016f, 43, Hex(0xd8843c), Hex(0xbf6c30), SKY_H);
  // Palms of an oasis and a lonely cactus.
  DrawPalm(cv, 80, 124, 34, 0.25f, Hex(0x3f7a3a), Hex(0x7a5230));
  DrawPalm(cv, 96, 126, 26, -0.3f, Hex(0x4a8a40), Hex(0x7a5230));
  FillRoundRect(cv, 590, 100, 596, 126, 3, Hex(0x4d7f3c));
  FillRoundRect(cv, 582, 106, 587, 116, 2.5f, Hex(0x4d7f3c));
  FillRect(cv, 584, 112, 592, 116, Hex(0x4d7f3c));
  FillRoundRect(cv, 599, 102, 604, 112, 2.5f, Hex(0x4d7f3c));
  FillRect(cv, 594, 108, 602, 112, Hex(0x4d7f3c));
  return cv;
}

Canvas BeachSky() {
  Canvas cv(SHOWN_W, SKY_H);
  FillLinearGradient(cv, 0, 0, SHOWN_W, SKY_H, 0, 0, 0, SKY_H,
                     {{0, Hex(0x2fa6e0)}, {0.6f, Hex(0x9ee0f4)}, {0.72f, Hex(0xd8f4f8)}});
  DrawSun(cv, 470, 32, 12, Hex(0xfffff0), Hex(0xfff8c0, 0.55f));
  DrawCloud(cv, 150, 42, 84, Hex(0xffffff, 0.95f), 51);
  DrawCloud(cv, 318, 28, 52, Hex(0xffffff, 0.85f), 52);
  DrawCloud(cv, 602, 40, 68, Hex(0xffffff, 0.9f), 53);
  // Sea from the horizon down, with glittering crests.
  float horizon = 88;
  FillLinearGradient(cv, 0, horizon, SHOWN_W, SKY_H, 0, horizon, 0, SKY_H,
                     {{0, Hex(0x1f7fb8)}, {0.6f, Hex(0x2fb0c8)}, {1, Hex(0x5fd6cf)}});
  Rng rng(54);
  for (int i = 0; i < 100; ++i) {
    float y = rng.Range(horizon + 2, SKY_H - 12), x = rng.Range(0, SHOWN_W);
    float w = 2 + (y - horizon) * 0.2f;
    DrawLine(cv, x, y, x + w, y, 1.2f, Hex(0xffffff, rng.Range(0.3f, 0.7f)));
  }
  // Sand in front with the wet line.
  DrawRidge(cv, 0, SHOWN_W, 124, 8, 0.015f, 55, Hex(0xbfe9e0), Hex(0xbfe9e0), SKY_H);
  DrawRidge(cv, 0, SHOWN_W, 127, 7, 0.018f, 56, Hex(0xf5deaa), Hex(0xeccb8a), SKY_H);
  // A little sail boat and gulls.
  FillPolygon(cv, {372, 86, 396, 86, 392, 91, 376, 91}, Hex(0x8a4b2b));
  FillPolygon(cv, {384, 60, 384, 85, 372, 85}, Hex(0xffffff));
  FillPolygon(cv, {386, 64, 386, 85, 396, 85}, Hex(0xff7a5a));
  for (int g = 0; g < 3; ++g) {
    float gx = 250 + g * 20, gy = 40 + (g % 2) * 8;
    DrawPolyline(cv, {gx - 5, gy, gx - 2.5f, gy - 3, gx, gy, gx + 2.5f, gy - 3, gx + 5, gy}, 1.4f,
                 Hex(0x34495e));
  }
  DrawPalm(cv, 24, SKY_H + 6, 90, 0.35f, Hex(0x2e8a4a), Hex(0x8a6238));
  DrawPalm(cv, 664, SKY_H + 6, 84, -0.4f, Hex(0x2e8a4a), Hex(0x8a6238));
  return cv;
}

Canvas MountainSky() {
  Canvas cv(SHOWN_W, SKY_H);
  FillLinearGradient(cv, 0, 0, SHOWN_W, SKY_H, 0, 0, 0, SKY_H,
                     {{0, Hex(0x1f4f9a)}, {0.6f, Hex(0x7fb2e5)}, {1, Hex(0xdcecf8)}});
  DrawSun(cv, 120, 26, 11, Hex(0xfffff4), Hex(0xfff6d0, 0.45f));
  DrawCloud(cv, 430, 30, 70, Hex(0xffffff, 0.6f), 61);
  DrawMountains(cv, -30, SHOWN_W + 30, 112, 90, 6, 62, Hex(0x8aa2c8), Hex(0x647aa6), Hex(0xf4f8ff), 0.38f);
  DrawMountains(cv, -60, SHOWN_W + 60, 124, 64, 8, 63, Hex(0x5e7398), Hex(0x43557a), Hex(0xe8f0fb), 0.3f);
  Rng rng(64);
  for (int i = 0; i < 60; ++i) {
    float size = rng.Range(16, 28);
    float x = rng.Range(0, SHOWN_W);
    DrawPine(cv, x, SKY_H + 3, size, Hex(0x1f4a3c), Hex(0x2a1d16));
  }
  DrawRidge(cv, 0, SHOWN_W, 127, 5, 0.03f, 65, Hex(0xf2f6fc), Hex(0xdfe8f5), SKY_H);
  return cv;
}

// ---- Back pictures ---------------------------------------------------------

struct BackStyle {
  Color wallTop, wallBottom; // field backdrop gradient
  Color pillar, pillarLight, pillarDark, trim;
};

// Chain post for the bottom corners; (ax, ay) is where the chain ends.
void DrawPost(Canvas& cv, int theme, float x0, float ax, float ay) {
  Canvas post(64, 64);
  float cx = ax;
  switch (theme) {
  case 1: { // tree stump
    FillRoundRect(post, cx - 14, 20, cx + 14, 64, 5, Hex(0x2a1a10));
    FillLinearGradient(post, cx - 12, 22, cx + 12, 64, cx - 12, 0, cx + 12, 0,
                       {{0, Hex(0x8a5a34)}, {0.6f, Hex(0x6b4326)}, {1, Hex(0x4a2d1a)}});
    FillEllipse(post, cx, 22, 13, 5, Hex(0xc89a62));
    StrokeCircle(post, cx, 22, 4, 1.2f, Hex(0x8a6038));
    StrokeCircle(post, cx, 22, 8, 1.2f, Hex(0x8a6038));
    FillEllipse(post, cx - 8, 26, 5, 3, Hex(0x5fae4e));
    break;
  }
  case 2: { // steel bollard
    FillRoundRect(post, cx - 14, 14, cx + 14, 64, 6, Hex(0x15151f));
    FillLinearGradient(post, cx - 12, 16, cx + 12, 64, cx - 12, 0, cx + 12, 0,
                       {{0, Hex(0x8f95a8)}, {0.35f, Hex(0xe3e7f0)}, {1, Hex(0x4a4f60)}});
    FillRect(post, cx - 12, 40, cx + 12, 46, Hex(0xf2c14e));
    FillRect(post, cx - 12, 50, cx + 12, 56, Hex(0xf2c14e));
    break;
  }
  case 3: { // carved sandstone block
    FillRoundRect(post, cx - 14, 16, cx + 14, 64, 3, Hex(0x5a3a1c));
    FillLinearGradient(post, cx - 12, 18, cx + 12, 64, 0, 18, 0, 64,
                       {{0, Hex(0xf0c98a)}, {1, Hex(0xb98048)}});
    FillRect(post, cx - 12, 28, cx + 12, 31, Hex(0x2f7fa0));
    FillRect(post, cx - 12, 52, cx + 12, 55, Hex(0x2f7fa0));
    FillCircle(post, cx, 42, 5, Hex(0xc84a2a));
    break;
  }
  case 4: { // pier post with rope
    FillRoundRect(post, cx - 12, 10, cx + 12, 64, 9, Hex(0x3a2414));
    FillLinearGradient(post, cx - 10, 12, cx + 10, 64, cx - 10, 0, cx + 10, 0,
                       {{0, Hex(0xb5835a)}, {0.5f, Hex(0x8a5f3a)}, {1, Hex(0x5a3a22)}});
    for (int k = 0; k < 3; ++k) DrawLine(post, cx - 11, 40 + k * 4, cx + 11, 38 + k * 4, 2.4f, Hex(0xe8d3a0));
    break;
  }
  default: { // boulder with a snow cap
    FillEllipse(post, cx, 44, 14, 20, Hex(0x22283a));
    FillEllipse(post, cx, 44, 12.5f, 18.5f, Hex(0x6f7f9c));
    FillEllipse(post, cx - 4, 38, 7, 9, Hex(0x8b9ab6));
    FillEllipse(post, cx, 27, 12, 6, Hex(0xf2f6ff));
    break;
  }
  }
  // The iron ring the chain is fastened to.
  StrokeCircle(post, ax, ay, 5, 2.6f, Hex(0x15151f));
  StrokeCircle(post, ax, ay, 5, 1.4f, Hex(0xc9ccd6));
  DrawCanvas(cv, post, static_cast<int>(x0), 448);
}

// One side pillar into a canvas of SIDE_W × FIELD; `fieldOnLeft` puts the side
// that touches the field at x = 0.
Canvas MakePillar(int theme, bool fieldOnLeft) {
  Canvas p(SIDE_W, FIELD);
  const float w = 54; // pillar body width next to the field
  float x0 = 0, x1 = w;
  uint32_t seed = static_cast<uint32_t>(theme * 100 + (fieldOnLeft ? 1 : 2));
  Rng rng(seed);
  switch (theme) {
  case 1: { // a mossy trunk with leaves reaching outwards
    FillRect(p, x0, 0, x1, FIELD, Hex(0x1b120b));
    Shade(p, 2, 0, static_cast<int>(w) - 2, FIELD, [&](float px, float py) {
      float t = (px - 2) / (w - 4);
      float bark = Fbm(px * 0.25f, py * 0.04f, 4, seed);
      Color c = GradientAt({{0, Hex(0x4a2f1c)}, {0.35f, Hex(0x7a5232)}, {1, Hex(0x2e1c10)}}, t);
      return Mix(c, Hex(0x20140c), SmoothStep(0.5f, 0.75f, bark) * 0.8f);
    });
    for (int i = 0; i < 16; ++i) {
      float y = rng.Range(0, FIELD), x = rng.Range(w * 0.7f, w + 10);
      float r = rng.Range(6, 10);
      Color leaf = Mix(Hex(0x3f8a3e), Hex(0x7cc35a), rng.Uniform());
      FillEllipse(p, x, y, r, r * 0.6f, Hex(0x173a1c));
      FillEllipse(p, x, y - 1, r - 1.5f, r * 0.6f - 1.5f, leaf);
    }
    for (int i = 0; i < 8; ++i) {
      float y = rng.Range(10, FIELD - 10);
      float rx = rng.Range(5, 9);
      float x = rng.Range(6, w - 6);
      FillEllipse(p, x, y, rx, 3, Hex(0x5fae4e, 0.8f));
    }
    break;
  }
  case 2: { // a steel girder with rivets and a street lamp
    FillRect(p, x0, 0, x1, FIELD, Hex(0x11111a));
    FillLinearGradient(
        p, x0 + 3, 0, x1 - 3, FIELD, x0, 0, x1, 0,
        {{0, Hex(0x3a3f5a)}, {0.3f, Hex(0x8088a8)}, {0.6f, Hex(0x5a6180)}, {1, Hex(0x2a2e44)}});
    for (float y = 0; y < FIELD; y += 42) {
      DrawLine(p, x0 + 8, y, x1 - 8, y + 42, 5, Hex(0x2a2e44));
      DrawLine(p, x1 - 8, y, x0 + 8, y + 42, 5, Hex(0x2a2e44));
      for (float rx : {x0 + 8, x1 - 8}) FillCircle(p, rx, y + 3, 2.2f, Hex(0xc0c6dc));
    }
    FillRect(p, x0 + 3, 0, x0 + 7, FIELD, Hex(0xf2c14e));
    for (float ly : {70.0f, 230.0f}) {
      DrawLine(p, x1 - 2, ly, SIDE_W - 14, ly, 3, Hex(0x2a2e44));
      FillRoundRect(p, SIDE_W - 22, ly, SIDE_W - 6, ly + 10, 3, Hex(0x2a2e44));
      FillRadialGradient(p, SIDE_W - 14, ly + 12, 14, {{0, Hex(0xffe7a0, 0.95f)}, {1, Hex(0xffc860, 0)}});
    }
    break;
  }
  case 3: { // an Egyptian column with painted bands and a papyrus capital
    FillRect(p, x0, 0, x1, FIELD, Hex(0x4a2e14));
    FillLinearGradient(p, x0 + 3, 0, x1 - 3, FIELD, x0, 0, x1, 0,
                       {{0, Hex(0xc99458)}, {0.35f, Hex(0xf3d29a)}, {1, Hex(0x9a6a38)}});
    for (float fx = x0 + 10; fx < x1 - 6; fx += 9) DrawLine(p, fx, 0, fx, FIELD, 1.2f, Hex(0xa8763f, 0.7f));
    for (float by : {40.0f, 150.0f, 260.0f}) {
      FillRect(p, x0 + 3, by, x1 - 3, by + 6, Hex(0x2f7fa0));
      FillRect(p, x0 + 3, by + 6, x1 - 3, by + 10, Hex(0xf2c14e));
      FillRect(p, x0 + 3, by + 10, x1 - 3, by + 16, Hex(0xc84a2a));
    }
    // Hieroglyphs between the bands.
    for (int i = 0; i < 14; ++i) {
      float gy = 62 + i * 15.0f + (i >= 6 ? 30 : 0);
      if (gy > FIELD - 10) break;
      float gx = w * 0.5f;
      int kind = rng.Int(4);
      Color ink = Hex(0x5a3414);
      if (kind == 0) StrokeCircle(p, gx, gy, 4, 1.5f, ink);
      if (kind == 1) DrawPolyline(p, {gx - 5, gy + 4, gx, gy - 4, gx + 5, gy + 4}, 1.5f, ink);
      if (kind == 2) {
        DrawLine(p, gx, gy - 5, gx, gy + 5, 1.5f, ink);
        DrawLine(p, gx - 4, gy - 1, gx + 4, gy - 1, 1.5f, ink);
      }
      if (kind == 3) FillEllipse(p, gx, gy, 5, 2.5f, ink);
    }
    // Sand drift at the foot reaching outwards, running out to nothing before the
    // piece's outer edge.
    Shade(p, 0, FIELD - 40, SIDE_W, FIELD, [&](float px, float py) {
      float taper = 1 - SmoothStep(SIDE_W - 46.0f, SIDE_W - 3.0f, px);
      float top = FIELD - (8 + 18 * Fbm(px * 0.05f, 0.5f, 4, seed)) * taper;
      Color c = Mix(Hex(0xe8b878), Hex(0xc99458), Clamp01((py - top) / 20));
      c.a = Clamp01(py + 0.5f - top);
      return c;
    });
    break;
  }
  case 4: { // a bamboo pole with rope and hanging shells
    FillRect(p, x0, 0, x1 - 12, FIELD, Hex(0x3a2a10));
    FillLinearGradient(p, x0 + 2, 0, x1 - 14, FIELD, x0 + 2, 0, x1 - 14, 0,
                       {{0, Hex(0x9a8a3a)}, {0.35f, Hex(0xe3d27a)}, {1, Hex(0x7a6a2a)}});
    for (float y = 30; y < FIELD; y += 58) {
      FillRoundRect(p, x0 + 1, y - 3, x1 - 13, y + 3, 3, Hex(0x6a5a22));
      DrawLine(p, x0 + 3, y - 1, x1 - 15, y - 1, 1, Hex(0xf4e8a8));
    }
    for (float y = 60; y < FIELD; y += 116) {
      for (int k = 0; k < 4; ++k) DrawLine(p, x0 + 1, y + k * 4, x1 - 12, y + 2 + k * 4, 2.2f, Hex(0xe8d3a0));
      DrawLine(p, x1 - 14, y + 14, SIDE_W - 12, y + 40, 2, Hex(0xe8d3a0));
      FillCircle(p, SIDE_W - 12, y + 44, 6, Hex(0xffb0a0));
      FillCircle(p, SIDE_W - 12, y + 44, 3, Hex(0xfff0e0));
    }
    for (int i = 0; i < 6; ++i) {
      float y = rng.Range(20, FIELD - 20);
      FillEllipse(p, x1 - 12, y, 10, 3, Hex(0x5fae4e));
    }
    break;
  }
  default: { // a rock pillar with snow ledges and icicles
    Shade(p, 0, 0, static_cast<int>(w) + 10, FIELD, [&](float px, float py) {
      float edge = w - 6 + 10 * Fbm(py * 0.04f, 3.0f, 3, seed);
      float d = px - edge;
      float tone = Fbm(px * 0.08f, py * 0.05f, 4, seed + 7);
      Color c = Mix(Hex(0x3c4a66), Hex(0x8a9ab8), tone);
      c = Mix(c, Hex(0x252d40), Clamp01((px - (edge - 10)) / 10) * 0.6f);
      c.a = Coverage(d);
      return c;
    });
    for (float y = 50; y < FIELD; y += 95) {
      FillRoundRect(p, -4, y, w + 8, y + 8, 4, Hex(0xf2f6ff));
      for (int k = 0; k < 5; ++k) {
        float ix = 6 + k * 10 + rng.Range(-2, 2);
        FillPolygon(p, {ix - 2.5f, y + 7, ix + 2.5f, y + 7, ix, y + 7 + rng.Range(6, 14)}, Hex(0xd8ecff));
      }
    }
    break;
  }
  }
  // The sky window's gold bottom rail (screen rows 154..168, rows 2..16 here) runs
  // behind the pillar: a gold ferrule on the pillar's outer side ends it there.
  float outer = w;
  if (theme == 4) outer = w - 12;
  if (theme != 1 && theme != 2 && theme != 3 && theme != 4)
    outer = w - 6 + 10 * Fbm(9 * 0.04f, 3.0f, 3, seed);
  FillRoundRect(p, outer - 8, 1, outer + 3, 19, 3.5f, Pal::Ink);
  FillRoundRect(p, outer - 7, 2, outer + 2, 18, 3, Pal::GoldDark);
  FillLinearGradient(p, outer - 6, 3, outer + 1, 16, outer - 6, 0, outer + 1, 0,
                     {{0, Pal::Cream}, {0.35f, Pal::Gold}, {1, Pal::GoldDark}});
  FillCircle(p, outer - 2.5f, 10, 1.7f, Pal::Cream);
  // Gold trim along the field edge ties the pillar to the frame.
  FillRect(p, 0, 0, 2, FIELD, WithAlpha(Pal::Ink, 0.8f));
  return fieldOnLeft ? p : FlipHorizontal(p);
}

// One tower of the city wall: a body with a moonlit left edge, a grid of windows
// (some lit) and a roof: 0 flat with a water tank, 1 stepped with a spire and a red
// light, 2 a slanted top, 3 an antenna mast with a red light.
void DrawTower(Canvas& cv, Rng& rng, float x, float w, float top, float base, const Color& body,
               const Color& edge, float litChance, int roof) {
  const Color red = Hex(0xff4a4a);
  if (roof == 1) {
    FillRect(cv, x + w * 0.18f, top - 14, x + w * 0.82f, top + 1, body);
    FillRect(cv, x + w * 0.34f, top - 26, x + w * 0.66f, top - 13, body);
    FillPolygon(cv, {x + w * 0.46f, top - 26, x + w * 0.5f, top - 56, x + w * 0.54f, top - 26}, body);
    FillCircle(cv, x + w * 0.5f, top - 57, 1.6f, red);
    FillRadialGradient(cv, x + w * 0.5f, top - 57, 7, {{0, Hex(0xff4a4a, 0.45f)}, {1, Hex(0xff4a4a, 0)}});
  } else if (roof == 2) {
    FillPolygon(cv, {x, top, x + w, top - w * 0.45f, x + w, top + 1, x, top + 1}, body);
  } else if (roof == 3) {
    FillRect(cv, x + w * 0.48f, top - 30, x + w * 0.52f, top + 1, body);
    FillCircle(cv, x + w * 0.5f, top - 31, 1.5f, red);
  } else {
    FillRect(cv, x + w * 0.2f, top - 12, x + w * 0.2f + 12, top - 3, body);
    FillRect(cv, x + w * 0.2f + 2, top - 4, x + w * 0.2f + 4, top + 1, body);
    FillRect(cv, x + w * 0.2f + 8, top - 4, x + w * 0.2f + 10, top + 1, body);
  }
  FillRect(cv, x, top, x + w, base, body);
  FillRect(cv, x, top, x + 2, base, edge);
  FillRect(cv, x, top, x + w, top + 2, edge);
  const float cw = 4, ch = 5, gap = 3;
  for (float wy = top + 7; wy + ch < base - 4; wy += ch + gap)
    for (float wx = x + 5; wx + cw < x + w - 3; wx += cw + gap) {
      const float lit = rng.Uniform();
      const float glow = rng.Range(0.55f, 1.0f);
      Color c =
          lit < litChance ? Mix(Hex(0xffc866), Hex(0xfff0b0), glow - 0.55f) : Mix(body, Hex(0x000000), 0.35f);
      FillRect(cv, wx, wy, wx + cw, wy + ch, c);
    }
}

// The night city behind the field: moon and stars over a skyline whose towers,
// spires and lit windows read from the top of the wall down.
void CityWall(Canvas& cv, uint32_t seed) {
  Rng rng(seed + 2);
  FillLinearGradient(cv, 0, 0, FIELD, FIELD, 0, 0, 0, FIELD,
                     {{0, Hex(0x15123a)}, {0.35f, Hex(0x2f2466)}, {0.6f, Hex(0x6a3a7e)}, {1, Hex(0x2a1a3e)}});
  ScatterStars(cv, rng, 40, FIELD, 120, 0.4f, 1.0f, 0.3f, 0.8f);
  FillRadialGradient(cv, 232, 50, 60, {{0, Hex(0xfff0c8, 0.35f)}, {1, Hex(0xfff0c8, 0)}});
  FillCircle(cv, 232, 50, 20, Hex(0xfff3d6));
  FillCircle(cv, 225, 45, 4, Hex(0xe8dcc0));
  FillCircle(cv, 238, 56, 3, Hex(0xe8dcc0));
  // Far towers in the haze, then the near ones, tallest in the middle.
  for (float x = -6; x < FIELD;) {
    const float w = rng.Range(22, 40), h = rng.Range(120, 200);
    DrawTower(cv, rng, x, w, FIELD - h, FIELD, Hex(0x453a78), Hex(0x5a4e92), 0.12f, rng.Int(4));
    x += w + rng.Range(2, 8);
  }
  FillRect(cv, 0, 0, FIELD, FIELD, Hex(0x3a2a6e, 0.25f));
  const float nearX[] = {-8, 40, 96, 150, 214, 262, 306};
  const float nearTop[] = {170, 120, 150, 80, 140, 112, 186};
  const int roofs[] = {0, 3, 2, 1, 0, 3, 2};
  for (int i = 0; i < 7; ++i) {
    const float next = i < 6 ? nearX[i + 1] : FIELD + 8;
    DrawTower(cv, rng, nearX[i], next - nearX[i] - 4, nearTop[i], FIELD, Hex(0x1e1838), Hex(0x4a3f86), 0.26f,
              roofs[i]);
  }
  // Warm light from the streets below.
  FillLinearGradient(cv, 0, FIELD - 70, FIELD, FIELD, 0, FIELD - 70, 0, FIELD,
                     {{0, Hex(0xff9a5a, 0)}, {1, Hex(0xff9a5a, 0.22f)}});
}

// A cliff of blue-grey rock: tall lit and shaded buttresses, broken ledges capped
// with snow and hung with icicles, cracks, and a frozen waterfall down the middle.
void MountainWall(Canvas& cv, uint32_t seed) {
  Rng rng(seed + 6);
  Shade(cv, 0, 0, FIELD, FIELD, [&](float px, float py) {
    // Vertical buttresses: the noise runs slowly down and fast across.
    float column = Fbm(px * 0.035f, py * 0.006f, 4, seed + 7);
    float grain = Fbm(px * 0.12f, py * 0.05f, 3, seed + 8);
    float light = Clamp01(0.25f + 1.1f * (column - 0.5f) + 0.3f * (grain - 0.5f) + 0.35f * (1 - py / FIELD));
    return GradientAt({{0, Hex(0x1e2638)}, {0.45f, Hex(0x3f4f6e)}, {0.8f, Hex(0x6f82a6)}, {1, Hex(0x9aaac8)}},
                      light);
  });
  // Broken ledges: each a lit shelf with a snow cap, a shadow under its lip and a
  // few icicles, over part of the width only.
  for (int i = 0; i < 9; ++i) {
    const float y = 30 + i * 34 + rng.Range(-8, 8);
    const float length = rng.Range(50, 150);
    const float x0 = rng.Range(-30, FIELD - length + 30);
    const float x1 = x0 + length, tilt = rng.Range(-0.08f, 0.08f);
    auto lipY = [&](float x) { return y + tilt * (x - x0); };
    FillPolygon(cv, {x0, lipY(x0), x1, lipY(x1), x1 - 6, lipY(x1) + 8, x0 + 6, lipY(x0) + 8},
                Hex(0x121826, 0.65f));
    FillPolygon(cv, {x0 + 3, lipY(x0) - 6, x1 - 3, lipY(x1) - 6, x1, lipY(x1), x0, lipY(x0)}, Hex(0x8a9aba));
    std::vector<float> snow = {x0, lipY(x0) - 2};
    for (float x = x0; x <= x1; x += 6) {
      snow.push_back(x);
      snow.push_back(lipY(x) - 6 -
                     3 * Hash01(static_cast<uint32_t>(x + 400), static_cast<uint32_t>(i), seed));
    }
    snow.push_back(x1);
    snow.push_back(lipY(x1) - 2);
    FillPolygon(cv, snow, Hex(0xf2f7ff));
    const int icicles = static_cast<int>(length / 14);
    for (int k = 0; k < icicles; ++k) {
      const float ix = rng.Range(x0 + 6, x1 - 6), len = rng.Range(4, 13);
      FillPolygon(cv, {ix - 1.8f, lipY(ix) + 1, ix + 1.8f, lipY(ix) + 1, ix, lipY(ix) + 1 + len},
                  Hex(0xcfe6ff, 0.9f));
    }
  }
  for (int c = 0; c < 14; ++c) {
    float cx = rng.Range(5, FIELD - 5), cy = rng.Range(0, FIELD - 40);
    std::vector<float> crack = {cx, cy};
    const float len = rng.Range(20, 60);
    for (float t = 6; t < len; t += 6) {
      cx += rng.Range(-3, 3);
      crack.push_back(cx);
      crack.push_back(cy + t);
    }
    DrawPolyline(cv, crack, 1.3f, Hex(0x121826, 0.75f));
  }
  // The frozen waterfall: a ribbon of blue ice with light streaks down its length.
  Shade(cv, 130, 0, 206, FIELD, [&](float px, float py) {
    float centre = 168 + 8 * (Fbm(py * 0.02f, 7.5f, 2, seed + 11) - 0.5f);
    float half = 14 + 10 * py / FIELD + 4 * Fbm(py * 0.05f, 2.5f, 2, seed + 12);
    float d = std::fabs(px - centre) - half;
    float streak = Fbm(px * 0.35f, py * 0.01f, 2, seed + 13);
    Color ice = Mix(Hex(0x8fc4ec), Hex(0xe4f4ff), SmoothStep(0.45f, 0.8f, streak));
    ice = Mix(ice, Hex(0x5f94c8), Clamp01((px - centre) / half) * 0.5f);
    ice.a = Coverage(d) * 0.92f;
    return ice;
  });
  // Snow drifts at the foot of the cliff.
  DrawRidge(cv, 0, FIELD, FIELD - 12, 14, 0.03f, seed + 14, Hex(0xe8f0fc), Hex(0xb8c8e0), FIELD);
}

void FieldWall(Canvas& cv, int theme) {
  uint32_t seed = static_cast<uint32_t>(theme * 1000);
  Rng rng(seed);
  switch (theme) {
  case 1: { // deep forest: trunks fading into green mist, light shafts
    FillLinearGradient(cv, 0, 0, FIELD, FIELD, 0, 0, 0, FIELD,
                       {{0, Hex(0x2c5a3a)}, {0.5f, Hex(0x1c3d29)}, {1, Hex(0x12281b)}});
    for (int layer = 0; layer < 3; ++layer) {
      Color trunk = Mix(Hex(0x2f5a3e), Hex(0x0c1a11), layer / 2.0f);
      for (int i = 0; i < 7 - layer * 2; ++i) {
        float x = rng.Range(0, FIELD), w = 6 + layer * 7 + rng.Range(0, 6);
        FillRect(cv, x, 0, x + w, FIELD, trunk);
      }
    }
    for (int i = 0; i < 4; ++i) {
      float x = 40 + i * 80;
      FillPolygon(cv, {x, 0, x + 30, 0, x + 90, FIELD, x + 40, FIELD}, Hex(0xe8ffc0, 0.06f));
    }
    DrawRidge(cv, 0, FIELD, FIELD - 14, 26, 0.05f, seed + 1, Hex(0x1f4a2a), Hex(0x12281b), FIELD);
    for (int i = 0; i < 30; ++i) {
      float r = rng.Range(0.8f, 1.8f);
      float y = rng.Range(0, FIELD);
      float x = rng.Range(0, FIELD);
      FillCircle(cv, x, y, r, Hex(0xe8ff9a, 0.5f));
    }
    break;
  }
  case 2:
    CityWall(cv, seed);
    break;
  case 3: { // temple wall of sandstone blocks with carvings, in warm shade
    FillRect(cv, 0, 0, FIELD, FIELD, Hex(0x6b4a2a));
    for (int row = 0; row * 28 < FIELD; ++row) {
      float off = row % 2 ? 0 : 28;
      for (float x = -off; x < FIELD; x += 56) {
        float tone = rng.Range(0.85f, 1.1f);
        Color c = Scale(Hex(0x6e4e2e), tone);
        FillRect(cv, x + 1, row * 28.0f + 1, x + 55, row * 28.0f + 27, c);
        FillRect(cv, x + 1, row * 28.0f + 1, x + 55, row * 28.0f + 3, Scale(c, 1.15f));
      }
    }
    // Carved eye and sun discs, faint.
    Color carve = Hex(0x4a301a, 0.7f);
    StrokeCircle(cv, FIELD / 2.0f, 90, 26, 3, carve);
    FillEllipse(cv, FIELD / 2.0f, 90, 12, 7, carve);
    DrawLine(cv, FIELD / 2.0f - 40, 90, FIELD / 2.0f - 28, 90, 3, carve);
    DrawLine(cv, FIELD / 2.0f + 28, 90, FIELD / 2.0f + 40, 90, 3, carve);
    Shade(cv, 0, 0, FIELD, FIELD, [&](float, float py) {
      return Color{0.1f, 0.04f, 0.0f, 0.15f + 0.35f * py / FIELD};
    });
    break;
  }
  case 4: { // the lagoon seen from the shore: water with caustic light
    FillLinearGradient(cv, 0, 0, FIELD, FIELD, 0, 0, 0, FIELD,
                       {{0, Hex(0x1f7fa8)}, {0.7f, Hex(0x14506e)}, {1, Hex(0x0e3a52)}});
    Shade(cv, 0, 0, FIELD, FIELD, [&](float px, float py) {
      float n = Fbm(px * 0.03f, py * 0.05f, 4, seed + 4);
      float ridge = 1 - std::fabs(n - 0.5f) * 2;
      return Color{0.7f, 1.0f, 1.0f, 0.07f * SmoothStep(0.75f, 0.95f, ridge)};
    });
    DrawRidge(cv, 0, FIELD, FIELD - 10, 22, 0.02f, seed + 5, Hex(0x8a7650), Hex(0x5a4a30), FIELD);
    for (int i = 0; i < 16; ++i) {
      float x = rng.Range(0, FIELD), y = rng.Range(20, FIELD - 40);
      StrokeCircle(cv, x, y, rng.Range(1.5f, 3.5f), 1, Hex(0xc0f0ff, 0.35f));
    }
    break;
  }
  default:
    MountainWall(cv, seed);
    break;
  }
  Vignette(cv, 0, 0, FIELD, FIELD, 0.4f);
  AddGrain(cv, 0.03f, seed + 9);
}

} // namespace

Canvas MakeThemeSky(int theme) {
  Canvas cv;
  switch (theme) {
  case 1:
    cv = ForestSky();
    break;
  case 2:
    cv = CitySky();
    break;
  case 4:
    cv = BeachSky();
    break;
  case 5:
    cv = MountainSky();
    break;
  default:
    cv = DesertSky();
    break;
  }
  AddGrain(cv, 0.02f, static_cast<uint32_t>(theme) + 77);
  SetAlpha(cv, 1);
  return StretchToSky(cv);
}

Canvas MakeThemeBack(int theme) {
  // Drawn with ordinary coverage first, converted to the masked form at the end.
  Canvas cv(512, 512, Color{0, 0, 0, 0});
  Canvas field(FIELD, FIELD, Color{0, 0, 0, 1});
  FieldWall(field, theme);
  DrawCanvas(cv, field, 0, 0, true);
  DrawCanvas(cv, MakePillar(theme, true), SIDE_RIGHT_X, 0, true);
  DrawCanvas(cv, MakePillar(theme, false), SIDE_LEFT_X, 0, true);
  DrawPost(cv, theme, 0, 49, 32);
  DrawPost(cv, theme, 448, 15, 32);
  ToMasked(cv);
  return cv;
}

bool WriteThemePictures(const std::string& textureDir) {
  static const char* const Names[5] = {"forest", "city", "egypt", "beach", "mountain"};
  for (int theme = 1; theme <= 5; ++theme) {
    std::string stem = textureDir + Names[theme - 1];
    if (!WriteBmp24(stem + "_sky.bmp", MakeThemeSky(theme))) return false;
    if (!WriteTga(stem + "_back.tga", MakeThemeBack(theme), 32)) return false;
  }
  return true;
}
