#include <algorithm>
#include <cmath>

#include "art_common.h"

void DrawRidge(Canvas& cv, float x0, float x1, float baseY, float amplitude, float freq, uint32_t seed,
               const Color& top, const Color& bottom, float bottomY) {
  int ix0 = std::max(0, static_cast<int>(x0)), ix1 = std::min(cv.width, static_cast<int>(std::ceil(x1)));
  for (int x = ix0; x < ix1; ++x) {
    float ridge = baseY - amplitude * Fbm((x + 0.5f) * freq, 0.5f, 4, seed);
    int y0 = std::max(0, static_cast<int>(std::floor(ridge)));
    int y1 = std::min(cv.height, static_cast<int>(std::ceil(bottomY)));
    for (int y = y0; y < y1; ++y) {
      float cov = Clamp01(y + 1.0f - ridge);
      float t = Clamp01((y - ridge) / std::max(1.0f, bottomY - ridge));
      cv.Blend(x, y, Mix(top, bottom, t), cov);
    }
  }
}

void DrawMountains(Canvas& cv, float x0, float x1, float baseY, float height, int peaks, uint32_t seed,
                   const Color& rock, const Color& shade, const Color& snow, float snowDepth) {
  Rng rng(seed);
  float span = (x1 - x0) / peaks;
  for (int i = 0; i < peaks; ++i) {
    float cx = x0 + span * (i + 0.5f) + rng.Range(-0.25f, 0.25f) * span;
    float h = height * rng.Range(0.6f, 1.0f);
    float w = span * rng.Range(0.8f, 1.3f);
    float px = cx, py = baseY - h;
    float lx = cx - w, rx = cx + w;
    // Lit left face, shaded right face, split by a ridge line slightly off the centre.
    float mx = cx + w * 0.12f, my = baseY;
    FillPolygon(cv, {lx, baseY, px, py, mx, my}, rock);
    FillPolygon(cv, {mx, my, px, py, rx, baseY}, shade);
    // Snow: the top part of both faces, with a zig-zag lower border.
    float sd = h * snowDepth;
    std::vector<float> cap = {px, py};
    float ax = px + (rx - px) * (sd / h), ay = py + sd;
    float bx = px + (lx - px) * (sd / h), by = py + sd;
    int teeth = 5;
    cap.push_back(ax);
    cap.push_back(ay);
    for (int k = 1; k < teeth; ++k) {
      float t = static_cast<float>(k) / teeth;
      float tx = ax + (bx - ax) * t;
      float ty = ay + (k % 2 ? sd * 0.28f : 0.0f) * rng.Range(0.6f, 1.2f);
      cap.push_back(tx);
      cap.push_back(ty);
    }
    cap.push_back(bx);
    cap.push_back(by);
    FillPolygon(cv, cap, snow);
    FillPolygon(cv, {px, py, mx + (px - mx) * 0.0f, py + sd * 1.1f, ax, ay}, Mix(snow, shade, 0.35f));
  }
}

void DrawCloud(Canvas& target, float cx, float cy, float width, const Color& color, uint32_t seed) {
  Rng rng(seed);
  float h = width * 0.28f;
  int puffs = 6;
  // The puffs are drawn opaque on a layer of their own and the whole layer is
  // blended once, so overlapping puffs of a see-through cloud do not show.
  const float alpha = color.a;
  const int ox = static_cast<int>(cx - width * 0.5f) - 2, oy = static_cast<int>(cy - h * 1.2f) - 2;
  Canvas cv(static_cast<int>(width) + 6, static_cast<int>(h * 1.7f) + 6, Color{0, 0, 0, 0});
  cx -= static_cast<float>(ox);
  cy -= static_cast<float>(oy);
  Color solid = WithAlpha(color, 1);
  Color under = Mix(solid, Hex(0x8090c0), 0.25f);
  FillRoundRect(cv, cx - width * 0.5f, cy - h * 0.15f, cx + width * 0.5f, cy + h * 0.35f, h * 0.25f, under);
  for (int i = 0; i < puffs; ++i) {
    float t = (i + 0.5f) / puffs;
    float px = cx - width * 0.42f + width * 0.84f * t;
    float r = h * (0.45f + 0.55f * std::sin(t * 3.14159f)) * rng.Range(0.8f, 1.1f);
    FillCircle(cv, px, cy - r * 0.35f, r, solid);
  }
  FillRoundRect(cv, cx - width * 0.5f, cy - h * 0.05f, cx + width * 0.5f, cy + h * 0.3f, h * 0.2f, solid);
  for (int y = 0; y < cv.height; ++y)
    for (int x = 0; x < cv.width; ++x) {
      Color c = cv.Get(x, y);
      if (c.a > 0) target.Blend(ox + x, oy + y, WithAlpha(c, 1), c.a * alpha);
    }
}

void ScatterStars(Canvas& cv, Rng& rng, int count, float width, float height, float rMin, float rMax,
                  float aMin, float aMax) {
  for (int i = 0; i < count; ++i) {
    // Drawn in this order so the skies keep the stars they were made with.
    float alpha = rng.Range(aMin, aMax);
    float r = rng.Range(rMin, rMax);
    float y = rng.Range(0, height);
    float x = rng.Range(0, width);
    FillCircle(cv, x, y, r, Hex(0xffffff, alpha));
  }
}

void DrawSun(Canvas& cv, float cx, float cy, float r, const Color& core, const Color& glow) {
  FillRadialGradient(
      cv, cx, cy, r * 3.2f,
      {{0, WithAlpha(glow, glow.a)}, {0.35f, WithAlpha(glow, glow.a * 0.4f)}, {1, WithAlpha(glow, 0)}});
  FillCircle(cv, cx, cy, r, core);
}

void DrawPine(Canvas& cv, float x, float baseY, float height, const Color& leaf, const Color& trunk) {
  float w = height * 0.42f;
  FillRect(cv, x - height * 0.04f, baseY - height * 0.18f, x + height * 0.04f, baseY, trunk);
  for (int tier = 0; tier < 3; ++tier) {
    float top = baseY - height + tier * height * 0.22f;
    float bottom = baseY - height * 0.12f - (2 - tier) * height * 0.2f;
    float tw = w * (0.55f + tier * 0.22f);
    FillPolygon(cv, {x, top, x + tw, bottom, x - tw, bottom}, leaf);
    FillPolygon(cv, {x, top, x + tw, bottom, x + tw * 0.15f, bottom}, Scale(leaf, 0.8f));
  }
}

void DrawRoundTree(Canvas& cv, float x, float baseY, float height, const Color& leaf, const Color& trunk,
                   uint32_t seed) {
  Rng rng(seed);
  FillPolygon(cv,
              {x - height * 0.06f, baseY, x + height * 0.06f, baseY, x + height * 0.035f,
               baseY - height * 0.5f, x - height * 0.035f, baseY - height * 0.5f},
              trunk);
  float r = height * 0.3f;
  float cy = baseY - height + r;
  Color dark = Scale(leaf, 0.72f), light = Mix(leaf, Hex(0xffffcc), 0.25f);
  for (int i = 0; i < 5; ++i) {
    float a = i * 1.2566f;
    FillCircle(cv, x + std::cos(a) * r * 0.5f, cy + std::sin(a) * r * 0.35f + r * 0.15f,
               r * rng.Range(0.55f, 0.7f), dark);
  }
  FillCircle(cv, x - r * 0.15f, cy - r * 0.05f, r * 0.7f, leaf);
  FillCircle(cv, x + r * 0.35f, cy + r * 0.1f, r * 0.5f, leaf);
  FillCircle(cv, x - r * 0.3f, cy - r * 0.25f, r * 0.32f, light);
}

void DrawPalm(Canvas& cv, float x, float baseY, float height, float lean, const Color& leaf,
              const Color& trunk) {
  // Trunk: a bending chain of short segments getting thinner towards the crown.
  std::vector<float> pts;
  const int n = 10;
  float topX = x + lean * height, topY = baseY - height;
  for (int i = 0; i <= n; ++i) {
    float t = static_cast<float>(i) / n;
    float bx = x + (topX - x) * t * t;
    float by = baseY + (topY - baseY) * t;
    pts.push_back(bx);
    pts.push_back(by);
  }
  for (int i = 0; i < n; ++i) {
    float w = height * (0.07f - 0.035f * i / n);
    DrawLine(cv, pts[2 * i], pts[2 * i + 1], pts[2 * i + 2], pts[2 * i + 3], w,
             i % 2 ? trunk : Scale(trunk, 0.85f));
  }
  // Fronds: drooping leaves around the crown.
  float fl = height * 0.55f;
  const float angles[7] = {-2.9f, -2.4f, -1.9f, -1.3f, -0.75f, -0.25f, 0.2f};
  for (int i = 0; i < 7; ++i) {
    float a = angles[i];
    float ex = topX + std::cos(a) * fl, ey = topY + std::sin(a) * fl * 0.45f + fl * 0.35f;
    float mx = topX + std::cos(a) * fl * 0.5f, my = topY + std::sin(a) * fl * 0.5f - fl * 0.05f;
    float nx = -(my - topY), ny = (mx - topX);
    float len = std::hypot(nx, ny);
    nx = nx / len * fl * 0.11f;
    ny = ny / len * fl * 0.11f;
    Color c = i % 2 ? leaf : Scale(leaf, 0.8f);
    FillPolygon(cv, {topX, topY, mx + nx, my + ny, ex, ey, mx - nx, my - ny}, c);
  }
  FillCircle(cv, topX, topY + height * 0.02f, height * 0.045f, Hex(0x6b4a2a));
}

void DrawPyramid(Canvas& cv, float cx, float baseY, float width, float height, const Color& lit,
                 const Color& shade) {
  float top = baseY - height;
  float split = cx + width * 0.12f;
  FillPolygon(cv, {cx - width / 2, baseY, cx, top, split, baseY}, lit);
  FillPolygon(cv, {split, baseY, cx, top, cx + width / 2, baseY}, shade);
  // Stone courses.
  int courses = std::max(3, static_cast<int>(height / 6));
  for (int i = 1; i < courses; ++i) {
    float y = top + height * i / courses;
    float half = width / 2 * (y - top) / height;
    DrawLine(cv, cx - half, y, split + (cx + half - split) * 0.0f + (half * 0.24f), y, 0.8f,
             Scale(lit, 0.85f));
    DrawLine(cv, split + half * 0.24f, y, cx + half, y, 0.8f, Scale(shade, 0.85f));
  }
}

void DrawSkyline(Canvas& cv, float x0, float x1, float baseY, float minHeight, float maxHeight, uint32_t seed,
                 const Color& body, const Color& windowColor, float windowChance) {
  Rng rng(seed);
  float x = x0;
  while (x < x1) {
    float w = rng.Range(maxHeight * 0.18f, maxHeight * 0.42f);
    float h = rng.Range(minHeight, maxHeight);
    float top = baseY - h;
    Color c = Mix(body, Hex(0x000000), rng.Range(0.0f, 0.25f));
    FillRect(cv, x, top, x + w, baseY, c);
    int roof = rng.Int(4);
    if (roof == 0) FillRect(cv, x + w * 0.4f, top - h * 0.12f, x + w * 0.48f, top, c); // antenna
    if (roof == 1) FillPolygon(cv, {x, top, x + w / 2, top - w * 0.35f, x + w, top}, c);
    if (roof == 2) FillRect(cv, x + w * 0.15f, top - h * 0.06f, x + w * 0.85f, top, c);
    float cell = std::max(3.0f, w / 5);
    for (float wy = top + cell; wy + cell * 0.6f < baseY - 2; wy += cell * 1.3f)
      for (float wx = x + cell * 0.6f; wx + cell * 0.6f < x + w - 1; wx += cell * 1.1f)
        if (rng.Uniform() < windowChance)
          FillRect(cv, wx, wy, wx + cell * 0.55f, wy + cell * 0.7f,
                   WithAlpha(windowColor, rng.Range(0.6f, 1.0f)));
    x += w + rng.Range(-2.0f, 3.0f);
  }
}

void DrawSparkle(Canvas& cv, float cx, float cy, float r, const Color& c) {
  FillPolygon(cv,
              {cx, cy - r, cx + r * 0.2f, cy - r * 0.2f, cx + r, cy, cx + r * 0.2f, cy + r * 0.2f, cx, cy + r,
               cx - r * 0.2f, cy + r * 0.2f, cx - r, cy, cx - r * 0.2f, cy - r * 0.2f},
              c);
  FillCircle(cv, cx, cy, r * 0.22f, Mix(c, Hex(0xffffff), 0.6f));
}

void AddGrain(Canvas& cv, float strength, uint32_t seed) {
  for (int y = 0; y < cv.height; ++y)
    for (int x = 0; x < cv.width; ++x) {
      float n = (Hash01(static_cast<uint32_t>(x), static_cast<uint32_t>(y), seed) - 0.5f) * strength * 255;
      uint8_t* p = cv.At(x, y);
      for (int c = 0; c < 3; ++c)
        p[c] = static_cast<uint8_t>(std::clamp(p[c] + static_cast<int>(std::lround(n)), 0, 255));
    }
}
