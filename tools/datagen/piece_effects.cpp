// Effect sprites, all drawn with (source colour, one minus source colour)
// blending: black is invisible, white opaque, colours glow through partly. So
// every sprite is light on pure black, with soft edges that reach black well
// inside the square.
#include <cmath>
#include <string>

#include "art_common.h"
#include "pieces.h"

namespace {

constexpr float PI = 3.14159265f;

// ---- Card suits (the drops flying to the refill counter) --------------------------
enum class Suit { Clubs, Spades, Hearts, Diamonds };

void FillSuit(Canvas& c, Suit suit, float s, const Color& colour) {
  auto S = [s](float v) { return v * s; };
  switch (suit) {
  case Suit::Hearts:
    FillCircle(c, S(22.5f), S(24), S(11), colour);
    FillCircle(c, S(41.5f), S(24), S(11), colour);
    FillPolygon(c, {S(12), S(28), S(52), S(28), S(32), S(54)}, colour);
    FillPolygon(c, {S(11.8f), S(25), S(32), S(26), S(52.2f), S(25), S(52), S(29), S(12), S(29)}, colour);
    break;
  case Suit::Diamonds:
    FillPolygon(c,
                {S(32), S(7), S(40), S(20), S(50), S(32), S(40), S(44), S(32), S(57), S(24), S(44), S(14),
                 S(32), S(24), S(20)},
                colour);
    break;
  case Suit::Clubs:
    FillCircle(c, S(32), S(19), S(10), colour);
    FillCircle(c, S(20.5f), S(35), S(10), colour);
    FillCircle(c, S(43.5f), S(35), S(10), colour);
    FillCircle(c, S(32), S(31), S(6), colour);
    FillPolygon(c, {S(30), S(30), S(34), S(30), S(40), S(55), S(24), S(55)}, colour);
    break;
  case Suit::Spades:
    FillCircle(c, S(22.5f), S(36), S(10.5f), colour);
    FillCircle(c, S(41.5f), S(36), S(10.5f), colour);
    FillPolygon(c, {S(32), S(7), S(52), S(33), S(32), S(36), S(12), S(33)}, colour);
    FillPolygon(c, {S(30), S(38), S(34), S(38), S(40), S(56), S(24), S(56)}, colour);
    break;
  }
}

Canvas MakeSuit(Suit suit, const Color& light, const Color& deep) {
  Canvas cv = Supersample(64, 64, 4, [&](Canvas& c, float s) {
    Canvas shape(c.width, c.height, Color{0, 0, 0, 0});
    FillSuit(shape, suit, s, Hex(0xffffff));
    // A halo of the suit's colour, then the suit with a light top and a white rim.
    Canvas halo = shape;
    BoxBlur(halo, static_cast<int>(4 * s));
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        c.Set(x, y, Color{0, 0, 0, 1});
        float h = halo.At(x, y)[3] / 255.0f;
        c.Add(x, y, Scale(deep, 0.8f), h);
      }
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        float a = shape.At(x, y)[3] / 255.0f;
        if (a <= 0) continue;
        c.Blend(x, y, Hex(0xffffff), a);
      }
    Canvas shrunk = shape;
    BoxBlur(shrunk, static_cast<int>(2 * s));
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        float core = Clamp01((shrunk.At(x, y)[3] / 255.0f - 0.5f) * 2.5f);
        if (core <= 0) continue;
        Color col = Mix(light, deep, Clamp01((y / s - 10) / 44));
        c.Blend(x, y, col, core);
      }
    FillEllipse(c, 26 * s, 22 * s, 5 * s, 3 * s, Hex(0xffffff, suit == Suit::Diamonds ? 0.0f : 0.5f));
  });
  FlattenOnto(cv, Hex(0x000000));
  return cv;
}

// ---- Star and dust puffs ----------------------------------------------------------
Canvas MakeStar() {
  Canvas cv(64, 64, Hex(0x000000));
  Shade(cv, 0, 0, 64, 64, [](float x, float y) {
    float dx = x - 32, dy = y - 32;
    float r = std::hypot(dx, dy);
    // Soft core, four long rays and four short diagonal ones.
    float core = std::exp(-r * r / 40);
    float glow = std::exp(-r / 9) * 0.45f;
    float rayA = std::exp(-std::fabs(dx) * 1.4f) * Clamp01(1 - std::fabs(dy) / 30) +
                 std::exp(-std::fabs(dy) * 1.4f) * Clamp01(1 - std::fabs(dx) / 30);
    float u = (dx + dy) * 0.7071f, v = (dx - dy) * 0.7071f;
    float rayB = (std::exp(-std::fabs(u) * 1.8f) * Clamp01(1 - std::fabs(v) / 16) +
                  std::exp(-std::fabs(v) * 1.8f) * Clamp01(1 - std::fabs(u) / 16)) *
                 0.6f;
    float fade = Clamp01((31 - r) / 6);
    float k = Clamp01(core + glow + (rayA + rayB) * 0.9f) * fade;
    Color c = Mix(Hex(0xffc850), Hex(0xffffff), Clamp01(core * 1.5f + rayA * 0.3f));
    return Color{c.r * k, c.g * k, c.b * k, 1};
  });
  return cv;
}

Canvas MakeDust() {
  // A soft puff of a few overlapping round clouds, lighter on top.
  struct Blob {
    float x, y, r;
  };
  const Blob blobs[] = {{32, 34, 13}, {22, 37, 9}, {42, 37, 9.5f}, {27, 27, 9}, {38, 26, 8.5f}, {32, 41, 9}};
  Canvas cv(64, 64, Hex(0x000000));
  Shade(cv, 0, 0, 64, 64, [&](float x, float y) {
    float density = 0, light = 0;
    for (const Blob& b : blobs) {
      float d = std::hypot(x - b.x, y - b.y) / b.r;
      float lump = SmoothStep(1.0f, 0.55f, d);
      density = std::max(density, lump);
      // Each lump is lit from the upper left.
      light =
          std::max(light, lump * Clamp01(1 - std::hypot(x - b.x + b.r * 0.4f, y - b.y + b.r * 0.4f) / b.r));
    }
    float n = Fbm(x / 7, y / 7, 3, 0xd057);
    float k = density * (0.55f + 0.45f * n) * SmoothStep(31, 24, std::hypot(x - 32, y - 32)) * 0.85f;
    Color c = Mix(Hex(0xa89880), Hex(0xfff6e8), Clamp01(light * 1.3f));
    return Color{c.r * k, c.g * k, c.b * k, 1};
  });
  return cv;
}

// ---- Explosion ----------------------------------------------------------------------
// Frame 1 is the young blast (a white-hot core), frame 6 the last wisps of smoke.
// Nine sprites side by side cover a bomb's 3 x 3 cells, so each fades to black
// before its edges and the blasts merge into one cloud.
Canvas MakeExplosion(int frame) {
  float t = (frame - 1) / 5.0f;
  Canvas cv(64, 64, Hex(0x000000));
  const uint32_t seed = 0xe4910 + static_cast<uint32_t>(frame) * 7;
  Shade(cv, 0, 0, 64, 64, [&](float x, float y) {
    float dx = (x - 32) / 32, dy = (y - 32) / 32;
    float r = std::hypot(dx, dy);
    float ang = std::atan2(dy, dx);
    // Turbulent edge: the radius wobbles with the angle and grows with age.
    float n = Fbm(x / 10 + frame * 1.7f, y / 10 - frame * 0.9f, 4, seed);
    float lobes =
        0.035f * std::sin(ang * 5 + frame) + 0.025f * std::sin(ang * 9 - frame * 2) + 0.12f * (n - 0.5f);
    float radius = 0.86f + 0.1f * std::sqrt(t) + lobes;
    float body = Clamp01((radius - r) / (0.45f + 0.2f * t)) * (0.55f + 0.6f * n);
    // Heat: high in the young core, dropping with age and towards the rim.
    float heat = body * (1.3f - 1.0f * t) * (1 - 0.35f * r);
    Color fire = GradientAt({{0.0f, Hex(0x000000)},
                             {0.15f, Hex(0x5a1200)},
                             {0.35f, Hex(0xc83200)},
                             {0.6f, Hex(0xff8a1a)},
                             {0.8f, Hex(0xffd860)},
                             {1.0f, Hex(0xffffff)}},
                            heat);
    // Smoke: a grey ring that takes over in the older frames.
    float smoke = body * SmoothStep(0.3f, 1.0f, t) * 0.4f * (0.6f + 0.8f * n);
    Color c{std::max(fire.r, smoke * 0.8f), std::max(fire.g, smoke * 0.76f), std::max(fire.b, smoke * 0.72f),
            1};
    float edge = SmoothStep(1.0f, 0.84f, r) * (1 - 0.5f * SmoothStep(0.5f, 1.0f, t));
    return Color{c.r * edge, c.g * edge, c.b * edge, 1};
  });
  // A few sparks in the young frames.
  if (frame <= 3) {
    Rng rng(seed);
    for (int i = 0; i < 10; ++i) {
      float a = rng.Range(0, 2 * PI), d = rng.Range(12, 18) + frame * 3;
      float x = 32 + std::cos(a) * d, y = 32 + std::sin(a) * d;
      FillCircle(cv, x, y, rng.Range(0.8f, 1.6f), Hex(0xffe8a0, 1.0f - frame * 0.2f));
    }
  }
  return cv;
}

} // namespace

bool WriteEffectPieces(const std::string& dataDir) {
  if (!SavePiece(dataDir, "kreuz.bmp", MakeSuit(Suit::Clubs, Hex(0xc8ffb0), Hex(0x3fbf4a))) ||
      !SavePiece(dataDir, "pik.bmp", MakeSuit(Suit::Spades, Hex(0xc8e0ff), Hex(0x4a78ff))) ||
      !SavePiece(dataDir, "herz.bmp", MakeSuit(Suit::Hearts, Hex(0xffc8c8), Hex(0xff3b4a))) ||
      !SavePiece(dataDir, "karo.bmp", MakeSuit(Suit::Diamonds, Hex(0xfff0b0), Hex(0xffa01e))) ||
      !SavePiece(dataDir, "star.bmp", MakeStar()) || !SavePiece(dataDir, "dust.bmp", MakeDust()))
    return false;
  for (int frame = 1; frame <= 6; ++frame)
    if (!SavePiece(dataDir, "expl" + std::to_string(frame) + ".bmp", MakeExplosion(frame))) return false;
  return true;
}
