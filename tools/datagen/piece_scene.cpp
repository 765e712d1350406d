// Textures of the 3D scene: the face of the flying boxes, the anchor plate, the
// hook's reflection and the chain.
#include <cmath>
#include <string>

#include "art_common.h"
#include "pieces.h"

namespace {

// The face of every flying, pulled and ghost box, drawn white and lit: a warm
// cream box like the field's box model (DrawBoxTile) with a small inset plate.
void DrawQuorbelFace(Canvas& cv, float size) {
  cv.Fill(Pal::Ink);
  DrawBoxTile(cv, 0, 0, size, Hex(0xf6cf6a));
  float k = size / 128;
  StrokeRoundRect(cv, 38 * k, 38 * k, 90 * k, 90 * k, 10 * k, 3 * k, Hex(0xb9801f, 0.55f));
  StrokeRoundRect(cv, 40 * k, 40 * k, 92 * k, 92 * k, 10 * k, 2 * k, Hex(0xfff3d6, 0.45f));
}

// The flying boxes' faces take the picture a quarter turn round: texture s runs
// up the face and t from its right edge to its left, so the picture's top edge
// lies along the face's left side. The face is painted upright and turned to
// match, so its lit chamfers sit where the field boxes have theirs.
Canvas MakeBoxFace() {
  Canvas upright(128, 128);
  DrawQuorbelFace(upright, 128);
  FlattenOnto(upright, Pal::Ink);
  Canvas cv(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) cv.Set(x, y, upright.Get(y, 127 - x));
  return cv;
}

// The anchor plate's top: brushed steel with a hazard-striped rim and rivets.
Canvas MakePlate() {
  Canvas cv(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      float brush = Fbm(x * 0.9f, y * 0.06f, 3, 0x51a7e) * 0.12f;
      float light = 0.62f + brush + 0.1f * (1 - y / 128.0f);
      cv.Set(x, y, Color{light * 0.93f, light * 0.95f, light, 1});
    }
  // Hazard stripes around the rim.
  Shade(cv, 0, 0, 128, 128, [](float x, float y) {
    float edge = std::min(std::min(x, 128 - x), std::min(y, 128 - y));
    if (edge > 16) return Color{0, 0, 0, 0};
    bool yellow = static_cast<int>(std::floor((x + y) / 11)) % 2 == 0;
    Color c = yellow ? Hex(0xf2c14e) : Hex(0x1f1c40);
    c.a = Clamp01(16.5f - edge) * Clamp01(edge + 0.5f);
    return c;
  });
  StrokeRoundRect(cv, 16, 16, 112, 112, 4, 2, Hex(0x14122b, 0.8f));
  StrokeRoundRect(cv, 1, 1, 127, 127, 4, 2, Hex(0x14122b));
  // Rivets in the steel's corners.
  for (float cx : {26.0f, 102.0f})
    for (float cy : {26.0f, 102.0f}) {
      FillCircle(cv, cx + 1, cy + 1.5f, 4.5f, Hex(0x000000, 0.4f));
      ShadeDisc(cv, cx, cy, 4.2f, cx - 1.5f, cy - 1.5f, 6, {{0, Hex(0xffffff)}, {1, Hex(0x707888)}});
    }
  // An anchor stamped in the middle.
  const Color stamp = Hex(0x3a3f4e, 0.75f);
  StrokeCircle(cv, 64, 44, 6, 3, stamp);
  DrawLine(cv, 64, 50, 64, 88, 4, stamp);
  DrawLine(cv, 52, 60, 76, 60, 4, stamp);
  DrawPolyline(cv, {44, 74, 48, 84, 58, 90, 64, 90, 70, 90, 80, 84, 84, 74}, 4, stamp);
  FillPolygon(cv, {40, 76, 48, 70, 49, 80}, stamp);
  FillPolygon(cv, {88, 76, 80, 70, 79, 80}, stamp);
  return cv;
}

// Sphere-mapped on the hook: a bright sky with clouds above a warm horizon, so the
// hook reads as polished metal.
Canvas MakeReflection() {
  Canvas cv(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      float v = y / 127.0f;
      Color sky = GradientAt({{0, Hex(0x5d8fe0)},
                              {0.45f, Hex(0xbfe0ff)},
                              {0.55f, Hex(0xfff3d6)},
                              {0.62f, Hex(0x9a8a7a)},
                              {1, Hex(0x3a3550)}},
                             v);
      float cloud = SmoothStep(0.5f, 0.75f, Fbm(x / 28.0f, y / 14.0f, 4, 0xc10d)) * Clamp01((0.5f - v) * 4);
      cv.Set(x, y, Mix(sky, Hex(0xffffff), cloud * 0.85f));
    }
  // A sun glint.
  FillRadialGradient(cv, 40, 34, 18,
                     {{0, Hex(0xffffff)}, {0.4f, Hex(0xffffff, 0.6f)}, {1, Hex(0xffffff, 0)}});
  return cv;
}

// The chain: drawn with (source colour, one minus source colour) blending, so
// black is clear and white opaque, and repeated along its length. One tile holds a
// link seen flat and half of the edge-on links above and below it.
Canvas MakeChain() {
  Canvas cv = Supersample(64, 64, 4, [](Canvas& c, float s) {
    c.Fill(Hex(0x000000));
    auto steel = [&](float x0, float y0, float x1, float y1, float radius, float width) {
      StrokeRoundRect(c, x0 * s, y0 * s, x1 * s, y1 * s, radius * s, (width + 3) * s, Hex(0x202024));
      StrokeRoundRect(c, x0 * s, y0 * s, x1 * s, y1 * s, radius * s, width * s, Hex(0xb8bcc8));
      StrokeRoundRect(c, (x0 - width * 0.15f) * s, (y0 - width * 0.15f) * s, (x1 - width * 0.15f) * s,
                      (y1 - width * 0.15f) * s, radius * s, width * 0.35f * s, Hex(0xf4f6ff));
    };
    // Edge-on links: a bar crossing the tile's top and bottom edges (they join up
    // when the tile repeats).
    for (float y : {-16.0f, 48.0f}) {
      FillRoundRect(c, 25 * s, (y + 0) * s, 39 * s, (y + 32) * s, 7 * s, Hex(0x202024));
      FillLinearGradient(c, 27 * s, (y + 2) * s, 37 * s, (y + 30) * s, 27 * s, 0, 37 * s, 0,
                         {{0, Hex(0xe8ecf8)}, {0.5f, Hex(0xa0a4b0)}, {1, Hex(0x50545e)}});
    }
    steel(14, 8, 50, 56, 16, 7);
  });
  FlattenOnto(cv, Hex(0x000000));
  return cv;
}

} // namespace

// The dream editor's box cell shares the flying boxes' face (piece_items.cpp).
void DrawDreamBoxFace(Canvas& cv, float size) {
  DrawQuorbelFace(cv, size);
}

bool WriteScenePieces(const std::string& dataDir) {
  return SavePiece(dataDir, "box.bmp", MakeBoxFace()) && SavePiece(dataDir, "skdatex.bmp", MakePlate()) &&
         SavePiece(dataDir, "cloud.bmp", MakeReflection()) && SavePiece(dataDir, "kette.bmp", MakeChain());
}
