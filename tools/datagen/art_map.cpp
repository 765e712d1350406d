// The story map and the shop pieces. The map is the island of the story seen
// from above: four regions in the quadrants around the central mountain (forest
// upper left, city upper right, desert lower right, beach lower left), with the
// road through all 55 level spots spiralling inwards. The guide stands on a rock
// in the sea at the right; blink.bmp is the same spot of the map with the guide
// talking, shown while the speech bubble points at it.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "art.h"
#include "art_common.h"

namespace {

constexpr int SCREEN_W = 800, SCREEN_H = 600;
constexpr float CX = 292, CY = 318; // centre of the spiral and of the island
constexpr float GUIDE_X = 702, GUIDE_Y = 352, GUIDE_R = 32;
constexpr int BLINK_X = 638, BLINK_Y = 323;

const int Spots[55][2] = {{88, 286},  {111, 230}, {146, 178}, {200, 141}, {251, 124}, {319, 120}, {375, 134},
                          {428, 173}, {467, 217}, {490, 274}, {495, 353}, {476, 410}, {425, 467}, {382, 498},
                          {330, 517}, {249, 514}, {188, 489}, {135, 453}, {107, 400}, {115, 340}, {137, 288},
                          {160, 249}, {190, 216}, {220, 197}, {256, 186}, {316, 184}, {357, 198}, {394, 231},
                          {413, 266}, {427, 300}, {426, 348}, {410, 386}, {382, 417}, {350, 438}, {305, 453},
                          {264, 454}, {226, 441}, {192, 422}, {172, 390}, {171, 348}, {205, 309}, {226, 269},
                          {260, 247}, {304, 244}, {347, 265}, {368, 307}, {355, 354}, {328, 376}, {283, 392},
                          {246, 376}, {238, 332}, {265, 299}, {308, 290}, {327, 314}, {298, 337}};

enum Region { FOREST, CITY, DESERT, BEACH, MOUNTAIN };

float IslandRadius(float angle) {
  // An uneven coastline around an ellipse.
  float n = Fbm(std::cos(angle) * 1.6f + 5, std::sin(angle) * 1.6f + 5, 4, 701);
  float rx = 262, ry = 250;
  float c = std::cos(angle), s = std::sin(angle);
  float base = rx * ry / std::sqrt(ry * ry * c * c + rx * rx * s * s);
  return base * (0.9f + 0.2f * n);
}

// Signed distance-like value: negative inside the island.
float IslandDist(float x, float y) {
  float dx = x - CX, dy = y - CY;
  return std::hypot(dx, dy) - IslandRadius(std::atan2(dy, dx));
}

Region RegionAt(float x, float y) {
  float wob = (Fbm(x * 0.03f, y * 0.03f, 3, 702) - 0.5f) * 30;
  if (std::hypot(x - CX, y - CY) + wob < 108) return MOUNTAIN;
  bool left = x + wob < 290, up = y - wob < 315;
  if (up) return left ? FOREST : CITY;
  return left ? BEACH : DESERT;
}

Color GroundColor(Region r, float x, float y) {
  float n = Fbm(x * 0.05f, y * 0.05f, 4, 703 + r);
  switch (r) {
  case FOREST:
    return Mix(Hex(0x4f9443), Hex(0x6fb456), n);
  case CITY:
    return Mix(Hex(0x9c98b8), Hex(0xbab6d2), n);
  case DESERT:
    return Mix(Hex(0xe2b56e), Hex(0xf2cf8e), n);
  case BEACH:
    return Mix(Hex(0xa8d46e), Hex(0xf0dca6), SmoothStep(0.35f, 0.65f, n));
  default:
    return Mix(Hex(0x8290ae), Hex(0xaab6cc), n);
  }
}

std::vector<float> RoadPoints() {
  // Catmull-Rom through the spots, ten samples per stretch.
  std::vector<float> pts;
  for (int i = 0; i < 54; ++i) {
    auto P = [&](int k) {
      k = std::clamp(k, 0, 54);
      return std::pair<float, float>(static_cast<float>(Spots[k][0]), static_cast<float>(Spots[k][1]));
    };
    auto [x0, y0] = P(i - 1);
    auto [x1, y1] = P(i);
    auto [x2, y2] = P(i + 1);
    auto [x3, y3] = P(i + 2);
    for (int s = 0; s < 10; ++s) {
      float t = s / 10.0f, t2 = t * t, t3 = t2 * t;
      pts.push_back(0.5f * (2 * x1 + (-x0 + x2) * t + (2 * x0 - 5 * x1 + 4 * x2 - x3) * t2 +
                            (-x0 + 3 * x1 - 3 * x2 + x3) * t3));
      pts.push_back(0.5f * (2 * y1 + (-y0 + y2) * t + (2 * y0 - 5 * y1 + 4 * y2 - y3) * t2 +
                            (-y0 + 3 * y1 - 3 * y2 + y3) * t3));
    }
  }
  pts.push_back(static_cast<float>(Spots[54][0]));
  pts.push_back(static_cast<float>(Spots[54][1]));
  return pts;
}

float DistToRoad(const std::vector<float>& road, float x, float y) {
  float best = 1e9f;
  for (size_t i = 0; i + 3 < road.size(); i += 2)
    best = std::min(best, DistSegment(x, y, road[i], road[i + 1], road[i + 2], road[i + 3]));
  return best;
}

void DrawHouse(Canvas& cv, float x, float y, float s, const Color& wall, const Color& roof) {
  FillRect(cv, x - s * 0.5f - 1, y - s * 0.6f - 1, x + s * 0.5f + 1, y + 1, Pal::Ink);
  FillRect(cv, x - s * 0.5f, y - s * 0.6f, x + s * 0.5f, y, wall);
  FillPolygon(cv, {x - s * 0.65f, y - s * 0.55f, x, y - s * 1.05f, x + s * 0.65f, y - s * 0.55f}, roof);
  FillRect(cv, x - s * 0.12f, y - s * 0.3f, x + s * 0.12f, y, Scale(wall, 0.5f));
}

void DrawTower(Canvas& cv, float x, float y, float w, float h, const Color& body) {
  FillRect(cv, x - w / 2 - 1, y - h - 1, x + w / 2 + 1, y + 1, Pal::Ink);
  FillRect(cv, x - w / 2, y - h, x + w / 2, y, body);
  FillRect(cv, x, y - h, x + w / 2, y, Scale(body, 0.8f));
  for (float wy = y - h + 3; wy < y - 3; wy += 4)
    for (float wx = x - w / 2 + 2; wx < x + w / 2 - 2; wx += 3.5f)
      FillRect(cv, wx, wy, wx + 1.5f, wy + 2, Hex(0xffe8a0));
}

// The gold corner ornament of the map and shop frames, drawn into the top-left
// corner of a 128 × 128 area at (x, y). `railEnd` shortens the rails along the top
// and moves the curl down, for a corner whose side is covered by a label.
void CornerOrnament(Canvas& cv, float x, float y, float railEnd = 128) {
  const bool full = railEnd >= 128;
  const float curlY = full ? 40 : 70;
  for (int pass = 0; pass < 2; ++pass) {
    Color c = pass == 0 ? Pal::Ink : Pal::Gold;
    float w = pass == 0 ? 5.0f : 2.5f;
    DrawLine(cv, x + 10, y + 10, x + railEnd, y + 10, w, c);
    DrawLine(cv, x + 10, y + 10, x + 10, y + 128, w, c);
    DrawLine(cv, x + 18, y + 18, x + railEnd, y + 18, w * 0.6f, c);
    DrawLine(cv, x + 18, y + 18, x + 18, y + 128, w * 0.6f, c);
    std::vector<float> curl;
    for (int i = 0; i <= 40; ++i) {
      float t = i / 40.0f, a = t * 5.2f, r = 22 * (1 - t * 0.75f);
      curl.push_back(x + 40 + std::cos(a + 3.6f) * r);
      curl.push_back(y + curlY + std::sin(a + 3.6f) * r);
    }
    DrawPolyline(cv, curl, w, c);
  }
  DrawCube(cv, x + 40, y + curlY, 14, 0.7f, 0.4f, Pal::Gold);
  if (full) {
    for (float k : {64.0f, 88.0f, 112.0f}) {
      FillCircle(cv, x + k, y + 18, 2.5f, Pal::Cream);
      FillCircle(cv, x + 18, y + k, 2.5f, Pal::Cream);
    }
  } else {
    for (float k : {104.0f, 124.0f}) FillCircle(cv, x + 18, y + k, 2.5f, Pal::Cream);
    FillCircle(cv, x + railEnd, y + 10, 3, Pal::Cream);
    FillCircle(cv, x + railEnd, y + 18, 2.5f, Pal::Cream);
  }
}

// The map without the guide (drawn once for both the map and its talking spot).
Canvas MapBase() {
  Canvas p(SCREEN_W, SCREEN_H);
  Rng rng(710);
  // Sea with wave marks.
  Shade(p, 0, 0, SCREEN_W, SCREEN_H, [&](float x, float y) {
    float n = Fbm(x * 0.01f, y * 0.01f, 4, 711);
    Color c = Mix(Hex(0x1d5f9a), Hex(0x2a86b8), n);
    float coast = IslandDist(x, y);
    c = Mix(Hex(0x5cc8d0), c, SmoothStep(0, 60, coast));
    return c;
  });
  for (int i = 0; i < 120; ++i) {
    float x = rng.Range(0, SCREEN_W), y = rng.Range(0, SCREEN_H);
    if (IslandDist(x, y) < 12) continue;
    DrawPolyline(p, {x - 5, y, x - 2.5f, y - 2, x, y, x + 2.5f, y - 2, x + 5, y}, 1.2f, Hex(0xd8f4ff, 0.45f));
  }
  // The island: beach rim, then the regions' ground.
  Shade(p, 0, 0, SCREEN_W, SCREEN_H, [&](float x, float y) {
    float d = IslandDist(x, y);
    if (d > 8) return Color{0, 0, 0, 0};
    Color c = d > -2 ? Hex(0xf6e3b0) : GroundColor(RegionAt(x, y), x, y);
    if (d > -2 && d < 0) c = Mix(GroundColor(RegionAt(x, y), x, y), c, (d + 2) / 2);
    c.a = Coverage(d - 7);
    if (d > 4) c = Mix(c, Hex(0xffffff), 0.3f);
    return c;
  });
  // Mountain peaks in the middle (snow caps) drawn before the road.
  const float peaks[6][3] = {{248, 300, 36}, {330, 268, 40}, {290, 360, 30},
                             {350, 330, 26}, {275, 258, 28}, {232, 352, 24}};
  for (const auto& pk : peaks) {
    float x = pk[0], y = pk[1], h = pk[2];
    FillPolygon(p, {x - h * 0.8f, y + h * 0.3f, x, y - h * 0.6f, x + h * 0.8f, y + h * 0.3f}, Hex(0x6a7898));
    FillPolygon(p, {x, y - h * 0.6f, x + h * 0.8f, y + h * 0.3f, x + h * 0.1f, y + h * 0.3f}, Hex(0x56627e));
    FillPolygon(p,
                {x - h * 0.3f, y - h * 0.25f, x, y - h * 0.6f, x + h * 0.3f, y - h * 0.25f, x + h * 0.1f,
                 y - h * 0.15f, x - h * 0.1f, y - h * 0.2f},
                Hex(0xf4f8ff));
  }
  std::vector<float> road = RoadPoints();
  // Decorations of each region, kept off the road; houses and towers also keep off
  // each other (x, y, half width of each one placed).
  std::vector<std::array<float, 4>> buildings; // left, top, right, bottom
  auto place = [&](float x0, float y0, float x1, float y1) {
    for (const auto& b : buildings)
      if (x0 < b[2] + 1 && b[0] < x1 + 1 && y0 < b[3] + 1 && b[1] < y1 + 1) return false;
    buildings.push_back({x0, y0, x1, y1});
    return true;
  };
  for (int i = 0; i < 900; ++i) {
    float x = rng.Range(30, 560), y = rng.Range(60, 580);
    if (IslandDist(x, y) > -14) continue;
    if (DistToRoad(road, x, y) < 15) continue;
    Region r = RegionAt(x, y);
    float k = rng.Uniform();
    switch (r) {
    case FOREST:
      if (k < 0.55f)
        DrawPine(p, x, y + 8, rng.Range(14, 22), Hex(0x2a6a36), Hex(0x3b2a1e));
      else {
        uint32_t treeSeed = rng.Next();
        float size = rng.Range(14, 22);
        DrawRoundTree(p, x, y + 8, size, Hex(0x3f8f3e), Hex(0x4a3424), treeSeed);
      }
      break;
    case CITY:
      if (k < 0.5f) {
        float wallMix = rng.Uniform();
        float size = rng.Range(9, 13);
        if (place(x - size * 0.65f, y + 5 - size * 1.05f, x + size * 0.65f, y + 6))
          DrawHouse(p, x, y + 5, size, Mix(Hex(0xf2e6d0), Hex(0xd8c8ff), wallMix),
                    k < 0.25f ? Hex(0xc84a3a) : Hex(0x4a5a9a));
      } else if (k < 0.75f) {
        float height = rng.Range(14, 24);
        float width = rng.Range(7, 10);
        if (place(x - width / 2 - 1, y + 5 - height, x + width / 2 + 1, y + 7))
          DrawTower(p, x, y + 6, width, height, Hex(0x6a6488));
      }
      break;
    case DESERT:
      if (k < 0.12f)
        DrawPyramid(p, x, y + 6, 26, 18, Hex(0xf7d59c), Hex(0xc8905a));
      else if (k < 0.3f) {
        FillRoundRect(p, x - 1.5f, y - 8, x + 1.5f, y + 4, 1.5f, Hex(0x3f7a3a));
        FillRoundRect(p, x - 5, y - 4, x - 2.5f, y, 1, Hex(0x3f7a3a));
      } else if (k < 0.5f)
        DrawPolyline(p, {x - 8, y, x - 3, y - 3, x + 3, y - 3, x + 8, y}, 1.5f, Hex(0xc8904e));
      break;
    case BEACH:
      if (k < 0.3f) {
        float lean = rng.Range(-0.3f, 0.3f);
        float size = rng.Range(18, 24);
        DrawPalm(p, x, y + 8, size, lean, Hex(0x2e8a4a), Hex(0x8a6238));
      } else if (k < 0.4f) {
        FillPolygon(p, {x - 8, y - 4, x, y - 9, x + 8, y - 4}, k < 0.35f ? Hex(0xff6b5b) : Hex(0x3fb8af));
        DrawLine(p, x, y - 8, x + 1, y + 4, 1.2f, Hex(0x5a3a22));
      }
      break;
    case MOUNTAIN:
      if (k < 0.15f) DrawPine(p, x, y + 6, rng.Range(10, 14), Hex(0x1f4a3c), Hex(0x2a1d16));
      break;
    }
  }
  // The road: dark rim, sandy middle, a dashed centre line.
  DrawPolyline(p, road, 10, Hex(0x5a3a22, 0.85f));
  DrawPolyline(p, road, 6.5f, Hex(0xf3dfae));
  for (size_t i = 0; i + 3 < road.size(); i += 4)
    if ((i / 4) % 2 == 0) DrawLine(p, road[i], road[i + 1], road[i + 2], road[i + 3], 1.4f, Hex(0xc89a5a));
  // Start sign at the first spot and a flag on the summit at the last.
  FillRoundRect(p, 40, 300, 78, 318, 3, Pal::Ink);
  FillRoundRect(p, 42, 302, 76, 316, 2, Pal::Gold);
  TextStyle sign;
  sign.top = Pal::Ink;
  sign.bottom = Pal::Ink;
  sign.outlineWidth = 0;
  sign.shadowOffset = 0;
  DrawTextStyled(p, "START", 59, 309, 9, sign);
  DrawLine(p, 311, 336, 311, 304, 2, Pal::Ink);
  FillPolygon(p, {312, 304, 328, 310, 312, 316}, Pal::Coral);
  // Compass rose in the open sea.
  {
    float x = 730, y = 90;
    StrokeCircle(p, x, y, 26, 2, Hex(0xffffff, 0.6f));
    FillPolygon(p, {x, y - 34, x + 6, y, x, y + 34, x - 6, y}, Hex(0xfff3d6, 0.9f));
    FillPolygon(p, {x - 34, y, x, y - 6, x + 34, y, x, y + 6}, Hex(0xfff3d6, 0.7f));
    FillPolygon(p, {x, y - 34, x + 6, y, x - 6, y}, Pal::Coral);
    DrawTextStyled(p, "N", x, y - 44, 12, sign);
  }
  // A little boat.
  FillPolygon(p, {590, 470, 630, 470, 622, 480, 598, 480}, Hex(0x8a4b2b));
  FillPolygon(p, {610, 440, 610, 468, 594, 468}, Hex(0xffffff));
  // Region names on driftwood signs just off the coast.
  const struct {
    const char* name;
    float x, y;
    Color board;
  } regions[] = {{"FOREST", 80, 142, Hex(0x8a5a34)},
                 {"CITY", 528, 100, Hex(0x8a5a34)},
                 {"DESERT", 566, 546, Hex(0x8a5a34)},
                 {"BEACH", 52, 458, Hex(0x8a5a34)},
                 // The mountain lies in the middle: its sign is a stone plaque on the
                 // snow between the second and third turn of the road.
                 {"MOUNTAIN", 292, 218, Hex(0x56627e)}};
  TextStyle label;
  label.top = Pal::Cream;
  label.bottom = Pal::Gold;
  label.outlineWidth = 1.5f;
  label.shadowOffset = 0;
  for (const auto& r : regions) {
    Canvas text = RenderText(r.name, 12, Face::Bold, 0);
    float half = text.width / 2.0f + 9;
    FillRoundRect(p, r.x - half, r.y - 10, r.x + half, r.y + 10, 5, Pal::Ink);
    FillRoundRect(p, r.x - half + 2, r.y - 8, r.x + half - 2, r.y + 8, 4, r.board);
    DrawTextStyled(p, r.name, r.x, r.y, 12, label);
  }
  AddGrain(p, 0.02f, 712);
  // Frame corners like the shop's; the bottom-left one keeps clear of the "Main
  // Menu" label (x 45..185, y 555..595) drawn over it.
  Canvas corner(128, 128, Color{0, 0, 0, 0}), cleared(128, 128, Color{0, 0, 0, 0});
  CornerOrnament(corner, 0, 0);
  CornerOrnament(cleared, 0, 0, 38);
  Canvas flipped = FlipHorizontal(corner);
  DrawCanvas(p, corner, 0, 0);
  DrawCanvas(p, flipped, SCREEN_W - 128, 0);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      p.Blend(x, SCREEN_H - 1 - y, cleared.Get(x, y));
      p.Blend(SCREEN_W - 128 + x, SCREEN_H - 1 - y, flipped.Get(x, y));
    }
  SetAlpha(p, 1);
  return p;
}

void AddGuide(Canvas& p, bool talking) {
  // The guide on a rock in the sea, next to where the speech bubble appears.
  FillEllipse(p, GUIDE_X, GUIDE_Y + GUIDE_R + 16, 52, 18, Hex(0x5cc8d0, 0.6f));
  FillEllipse(p, GUIDE_X, GUIDE_Y + GUIDE_R + 12, 44, 14, Hex(0x4a5168));
  FillEllipse(p, GUIDE_X - 6, GUIDE_Y + GUIDE_R + 8, 34, 9, Hex(0x6f7890));
  DrawGuide(p, GUIDE_X, GUIDE_Y, GUIDE_R, talking ? 3 : 0, false, talking);
}

Canvas MapScreen(const Canvas& base) {
  Canvas cv(1024, 1024, Pal::Ink);
  Canvas p = base;
  AddGuide(p, false);
  DrawCanvas(cv, p, 0, 0, true);
  SetAlpha(cv, 1);
  return cv;
}

Canvas Blink(const Canvas& base) {
  Canvas p = Crop(base, BLINK_X, BLINK_Y, 128, 64);
  // The guide drawn in the cropped frame's coordinates, so it lines up with the map.
  Canvas full(SCREEN_W, SCREEN_H, Color{0, 0, 0, 0});
  AddGuide(full, true);
  DrawCanvas(p, Crop(full, BLINK_X, BLINK_Y, 128, 64), 0, 0);
  SetAlpha(p, 1);
  return p;
}

Canvas MapBorder() {
  Canvas cv(128, 128, Color{0, 0, 0, 1});
  CornerOrnament(cv, 0, 0);
  SetAlpha(cv, 1);
  return cv;
}

void DrawCoinLike(Canvas& cv, float x, float y) {
  FillCircle(cv, x, y, 11, Pal::Ink);
  FillCircleGradient(cv, x, y, 9.5f, Hex(0xffe58a), Pal::GoldDark);
  StrokeCircle(cv, x, y, 6.5f, 1.2f, Pal::GoldDark);
  FillRect(cv, x - 1, y - 4, x + 1, y + 4, Pal::GoldDark);
}

Canvas ShopTitle() {
  Canvas cv(256, 128, Color{0, 0, 0, 1});
  // Striped awning over a sign board, on black like the shop screen.
  for (int i = 0; i < 8; ++i) {
    float x = 24 + i * 26;
    FillPolygon(cv, {x, 14, x + 26, 14, x + 26, 38, x, 38}, i % 2 ? Hex(0xfff3d6) : Pal::Coral);
    FillCircle(cv, x + 13, 38, 13, i % 2 ? Hex(0xfff3d6) : Pal::Coral);
  }
  FillRect(cv, 20, 10, 236, 16, Pal::GoldDark);
  FillRoundRect(cv, 40, 52, 216, 118, 10, Pal::Ink);
  FillRoundRect(cv, 43, 55, 213, 115, 9, Pal::Gold);
  FillRoundRect(cv, 47, 59, 209, 111, 7, Pal::Ink);
  FillLinearGradient(cv, 48, 60, 208, 110, 0, 60, 0, 110, {{0, Pal::Lilac}, {1, Pal::Night}});
  TextStyle s;
  s.top = Hex(0xffffff);
  s.bottom = Pal::Gold;
  s.outlineWidth = 3;
  s.shadowOffset = 2;
  DrawTextStyled(cv, "SHOP", 128, 86, 40, s);
  DrawCoinLike(cv, 62, 86);
  DrawCoinLike(cv, 194, 86);
  SetAlpha(cv, 1);
  return cv;
}

Canvas Separator() {
  Canvas cv(1024, 32, Color{0, 0, 0, 1});
  Shade(cv, 0, 0, 1024, 32, [&](float x, float y) {
    float fade = SmoothStep(0, 160, x) * SmoothStep(0, 160, 1024 - x);
    float line = Coverage(std::fabs(y - 16) - 1.5f);
    float glow = std::exp(-std::pow((y - 16) / 5.0f, 2)) * 0.5f;
    Color c = Mix(Pal::GoldDark, Pal::Gold, line);
    c.a = fade * std::max(line, glow);
    return c;
  });
  for (float x : {512.0f - 60, 512.0f + 60}) {
    FillPolygon(cv, {x, 10, x + 6, 16, x, 22, x - 6, 16}, Pal::Gold);
  }
  DrawCube(cv, 512, 16, 16, 0.7f, 0.4f, Pal::Gold);
  SetAlpha(cv, 1);
  return cv;
}

} // namespace

bool WriteMapPictures(const std::string& dir) {
  const Canvas base = MapBase();
  return WriteBmp24(dir + "map_screen.bmp", MapScreen(base)) && WriteBmp24(dir + "blink.bmp", Blink(base)) &&
         WriteBmp24(dir + "maprand.bmp", MapBorder()) && WriteBmp24(dir + "shop.bmp", ShopTitle()) &&
         WriteBmp24(dir + "trenner.bmp", Separator());
}
