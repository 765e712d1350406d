// The shop's and the HUD's item pictures, their glow frames, and the dream-box
// editor (panel, ok button, box cell).
#include <cmath>
#include <string>
#include <tuple>
#include <utility>

#include "art_common.h"
#include "pieces.h"

namespace {

constexpr float PI = 3.14159265f;

// ---- Icon tile -----------------------------------------------------------------
// Every item picture is an opaque 64 x 64 tile (drawn at 64 in the shop, 50 in the
// HUD): a rounded night-indigo tile lit from the top, the pictogram on it.
void DrawIconTile(Canvas& cv, const Color& glow) {
  cv.Fill(Pal::Ink);
  FillRoundRect(cv, 1, 1, 63, 63, 9, Pal::Lilac);
  FillRoundRect(cv, 2.5f, 2.5f, 61.5f, 61.5f, 8, Pal::Night);
  Shade(cv, 3, 3, 61, 61, [&](float x, float y) {
    float d = std::hypot(x - 32, (y - 18) * 1.2f) / 46;
    Color c = Mix(Mix(Pal::Plum, glow, 0.35f), Pal::Night, Clamp01(d));
    c.a = Coverage(DistRoundRect(x, y, 2.5f, 2.5f, 61.5f, 61.5f, 8));
    return c;
  });
}

// The number badge in the top-right corner ("1" or "2").
void DrawBadge(Canvas& cv, const std::string& digit) {
  FillCircle(cv, 51, 13, 9.5f, Pal::Ink);
  ShadeDisc(cv, 51, 13, 8, 48, 10, 12, {{0, Hex(0xfff0b0)}, {0.5f, Pal::Gold}, {1, Pal::GoldDark}});
  TextStyle style;
  style.top = Pal::Ink;
  style.bottom = Pal::Ink;
  style.outline = Color{0, 0, 0, 0};
  style.outlineWidth = 0;
  style.shadow = Color{0, 0, 0, 0};
  style.shadowOffset = 0;
  DrawTextStyled(cv, digit, 51, 13.5f, 13, style, Face::Bold);
}

// The glow behind a row being cleared.
void DrawRowHalo(Canvas& cv, float y0, float y1) {
  Canvas glow(cv.width, cv.height, Color{0, 0, 0, 0});
  FillRoundRect(glow, 5, y0 - 2, 59, y1 + 2, 5, Hex(0xfff3c0, 0.95f));
  BoxBlur(glow, 3);
  DrawCanvas(cv, glow, 0, 0);
}

// Sparkles and thin light edges over a row being cleared.
void DrawRowSparkle(Canvas& cv, float y0, float y1, uint32_t seed) {
  DrawLine(cv, 8, y0 + 0.5f, 56, y0 + 0.5f, 1.2f, Hex(0xffffff, 0.9f));
  DrawLine(cv, 8, y1 - 0.5f, 56, y1 - 0.5f, 1.2f, Hex(0xffffff, 0.9f));
  Rng rng(seed);
  for (int i = 0; i < 3; ++i) {
    float x = 12 + i * 18 + rng.Range(-3, 3), y = rng.Range(y0 + 3, y1 - 3);
    float r = rng.Range(2.5f, 4.0f);
    DrawLine(cv, x - r, y, x + r, y, 1.3f, Hex(0xffffff));
    DrawLine(cv, x, y - r, x, y + r, 1.3f, Hex(0xffffff));
  }
}

// Lines items: a little stack whose bottom rows are being cleared.
Canvas MakeLinesIcon(int lines, bool tubes) {
  Canvas cv(64, 64);
  DrawIconTile(cv, tubes ? Pal::Teal : Pal::Coral);
  const float cell = 12, x0 = 8, top = 12;
  const int colours[4][4] = {{-1, 2, -1, -1}, {0, 2, 5, -1}, {1, 0, 4, 5}, {5, 1, 2, 0}};
  for (int r = 4 - lines; r < 4; ++r) DrawRowHalo(cv, top + r * cell, top + (r + 1) * cell);
  for (int r = 0; r < 4; ++r) {
    bool cleared = r >= 4 - lines;
    for (int c = 0; c < 4; ++c) {
      float x = x0 + c * cell, y = top + r * cell;
      if (cleared && tubes) {
        DrawTubeTile(cv, x, y, cell);
      } else if (cleared) {
        DrawBoxTile(cv, x, y, cell, Mix(BoxColor((r * 3 + c) % 6), Hex(0xffffff), 0.3f));
      } else if (colours[r][c] >= 0) {
        DrawBoxTile(cv, x, y, cell, BoxColor(colours[r][c]));
      }
    }
  }
  for (int r = 4 - lines; r < 4; ++r) DrawRowSparkle(cv, top + r * cell, top + (r + 1) * cell, 77 + r);
  // Arrows out at both ends: the row leaves the stack.
  for (int r = 4 - lines; r < 4; ++r) {
    float y = top + r * cell + cell / 2;
    DrawPolyline(cv, {4, y - 3, 1.5f, y, 4, y + 3}, 1.6f, Hex(0xffffff));
    DrawPolyline(cv, {60, y - 3, 62.5f, y, 60, y + 3}, 1.6f, Hex(0xffffff));
  }
  DrawBadge(cv, std::to_string(lines));
  return cv;
}

// Aim help: the ghost of a stone over the stack, with a sight around it.
Canvas MakeAimIcon() {
  Canvas cv(64, 64);
  DrawIconTile(cv, Pal::Teal);
  // The stack below.
  for (int c = 0; c < 4; ++c) DrawBoxTile(cv, 8 + c * 12, 50, 12, BoxColor((c * 2 + 1) % 6));
  DrawBoxTile(cv, 8, 38, 12, BoxColor(0));
  // The ghost: white, see-through boxes where the stone will land.
  for (auto [x, y] : {std::pair{20.0f, 26.0f}, std::pair{20.0f, 38.0f}, std::pair{32.0f, 38.0f}}) {
    FillRoundRect(cv, x + 0.5f, y + 0.5f, x + 11.5f, y + 11.5f, 2, Hex(0xffffff, 0.35f));
    StrokeRoundRect(cv, x + 1, y + 1, x + 11, y + 11, 2, 1.2f, Hex(0xffffff, 0.9f));
  }
  // Sight.
  const Color sight = Pal::Gold;
  StrokeCircle(cv, 32, 34, 15, 2.4f, Pal::Ink);
  StrokeCircle(cv, 32, 34, 15, 1.6f, sight);
  for (int k = 0; k < 4; ++k) {
    float a = k * PI / 2;
    float ax = std::cos(a), ay = std::sin(a);
    DrawLine(cv, 32 + ax * 10, 34 + ay * 10, 32 + ax * 21, 34 + ay * 21, 3.2f, Pal::Ink);
    DrawLine(cv, 32 + ax * 10, 34 + ay * 10, 32 + ax * 21, 34 + ay * 21, 1.8f, sight);
  }
  FillCircle(cv, 32, 34, 2.2f, Pal::Coral);
  return cv;
}

// Hourglass: slow motion.
Canvas MakeHourglassIcon() {
  Canvas cv(64, 64);
  DrawIconTile(cv, Hex(0x6fa8ff));
  // Glass bulbs.
  std::vector<float> glass = {18, 13, 46, 13, 44, 22, 34.5f, 31, 34.5f, 33, 44, 42,
                              46, 51, 18, 51, 20, 42, 29.5f, 33, 29.5f, 31, 20, 22};
  FillPolygon(cv, glass, Pal::Ink);
  std::vector<float> inner = InsetPolygon(glass, 1.6f);
  FillPolygon(cv, inner, Hex(0xbfe3ff, 0.55f));
  // Sand: what is left on top, the stream, the pile below.
  FillPolygon(cv, {23, 22, 41, 22, 33.5f, 30, 30.5f, 30}, Hex(0xf2c14e));
  DrawLine(cv, 32, 30, 32, 47, 1.4f, Hex(0xf2c14e));
  FillPolygon(cv, {20.5f, 49.5f, 43.5f, 49.5f, 39, 44, 32, 41.5f, 25, 44}, Hex(0xe0a93a));
  DrawLine(cv, 23, 16, 23, 20, 1.5f, Hex(0xffffff, 0.7f));
  DrawLine(cv, 22, 45, 24, 43, 1.5f, Hex(0xffffff, 0.6f));
  // Wooden caps and posts.
  for (float y : {8.0f, 51.0f}) {
    FillRoundRect(cv, 13, y, 51, y + 5, 2, Pal::Ink);
    FillLinearGradient(cv, 14, y + 1, 50, y + 4, 0, y + 1, 0, y + 4,
                       {{0, Hex(0xd99a5b)}, {1, Hex(0x8a5a2b)}});
  }
  for (float x : {15.5f, 48.5f}) {
    DrawLine(cv, x, 13, x, 51, 3, Pal::Ink);
    DrawLine(cv, x, 13, x, 51, 1.6f, Hex(0xb87a40));
  }
  return cv;
}

// Dream box: design your own stone on the 4 x 4 grid.
Canvas MakeDreamIcon() {
  Canvas cv(64, 64);
  DrawIconTile(cv, Hex(0xc08cff));
  const float cell = 11, x0 = 10, y0 = 11;
  FillRoundRect(cv, x0 - 2, y0 - 2, x0 + 4 * cell + 2, y0 + 4 * cell + 2, 3, Pal::Ink);
  const bool filled[4][4] = {{0, 1, 0, 0}, {0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      float x = x0 + c * cell, y = y0 + r * cell;
      bool corner = (r == 0 || r == 3) && (c == 0 || c == 3);
      if (filled[r][c]) {
        DrawBoxTile(cv, x, y, cell, Hex(0xf6cf6a));
      } else {
        FillRect(cv, x + 0.5f, y + 0.5f, x + cell - 0.5f, y + cell - 0.5f, Pal::Display);
        if (corner) {
          DrawLine(cv, x + 3, y + 3, x + cell - 3, y + cell - 3, 1.2f, Hex(0xff6b5b, 0.8f));
          DrawLine(cv, x + cell - 3, y + 3, x + 3, y + cell - 3, 1.2f, Hex(0xff6b5b, 0.8f));
        }
      }
    }
  // The magic wand drawing a new box.
  DrawLine(cv, 55, 58, 38, 40, 4.2f, Pal::Ink);
  DrawLine(cv, 55, 58, 39, 41, 2.6f, Hex(0xf4eee0));
  DrawLine(cv, 55, 58, 50, 53, 2.6f, Hex(0x3a2f66));
  std::vector<float> star;
  for (int i = 0; i < 10; ++i) {
    float a = -PI / 2 + i * PI / 5, r = i % 2 ? 2.6f : 6.2f;
    star.push_back(37 + r * std::cos(a));
    star.push_back(39 + r * std::sin(a));
  }
  FillPolygon(cv, InsetPolygon(star, -1.0f), Pal::Ink);
  FillPolygon(cv, star, Pal::Gold);
  for (auto [x, y] : {std::pair{47.0f, 30.0f}, std::pair{29.0f, 47.0f}, std::pair{50.0f, 40.0f}}) {
    DrawLine(cv, x - 2, y, x + 2, y, 1, Hex(0xffffff));
    DrawLine(cv, x, y - 2, x, y + 2, 1, Hex(0xffffff));
  }
  return cv;
}

// Potion: the meter fills up.
Canvas MakePotionIcon() {
  Canvas cv(64, 64);
  DrawIconTile(cv, Pal::Teal);
  // Round flask.
  FillCircle(cv, 32, 38, 17, Pal::Ink);
  FillRect(cv, 26, 12, 38, 26, Pal::Ink);
  ShadeDisc(cv, 32, 38, 15.2f, 32, 30, 20, {{0, Hex(0x3b3470)}, {1, Hex(0x231e48)}});
  FillRect(cv, 27.6f, 14, 36.4f, 26, Hex(0x3b3470));
  // The liquid fills the flask up to its shoulder.
  Shade(cv, 10, 26, 54, 56, [](float x, float y) {
    float inside = Coverage(DistCircle(x, y, 32, 38, 15.2f));
    float level = Clamp01(y - 29.5f);
    Color c = Mix(Hex(0x8ff5d5), Hex(0x14806f), Clamp01((y - 29) / 24));
    c.a = inside * level;
    return c;
  });
  FillEllipse(cv, 32, 30, 12.4f, 1.4f, Hex(0xc8fff0, 0.8f));
  for (auto [x, y, r] :
       {std::tuple{27.0f, 44.0f, 2.2f}, std::tuple{36.0f, 38.0f, 1.6f}, std::tuple{31.0f, 49.0f, 1.3f}})
    StrokeCircle(cv, x, y, r, 0.8f, Hex(0xffffff, 0.8f));
  DrawLine(cv, 22, 34, 22, 44, 2.2f, Hex(0xffffff, 0.6f));
  // Cork.
  FillRoundRect(cv, 24.5f, 7, 39.5f, 15, 2, Pal::Ink);
  FillLinearGradient(cv, 26, 8.5f, 38, 13.5f, 26, 0, 38, 0, {{0, Hex(0xe2a86a)}, {1, Hex(0x8a5a2b)}});
  // A plus: the meter is refilled.
  FillRoundRect(cv, 46, 4.5f, 60, 18.5f, 4, Pal::Ink);
  FillRect(cv, 51.5f, 7, 54.5f, 16, Hex(0x9cff8a));
  FillRect(cv, 48.5f, 10, 57.5f, 13, Hex(0x9cff8a));
  return cv;
}

// ---- Glow frames ------------------------------------------------------------------
// Drawn additively 5 pixels above the shop's icons (6 above the slots' icons): the
// rim lies on the icon tile's own lilac border, 1.75 texels inside the tile, which
// starts 5 to 6 texels down; its sides fade out towards the bottom, which the icon
// overhangs. So the glow lights the tile's edge instead of doubling it.
Canvas MakeItemFrame(bool hover) {
  Canvas lines(64, 64, Color{0, 0, 0, 0});
  Color rim = hover ? Hex(0xffd76a) : Hex(0x9d8fe0);
  StrokeRoundRect(lines, 1.75f, 7.25f, 62.25f, 74, 8.25f, hover ? 2.4f : 1.6f, rim);
  // Fade towards the bottom.
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      Color c = lines.Get(x, y);
      c.a *= Clamp01(1.15f - (y - 5) / 60.0f);
      lines.Set(x, y, c);
    }
  Canvas out(64, 64, Color{0, 0, 0, 1});
  Canvas halo = lines;
  BoxBlur(halo, hover ? 3 : 2);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      Color h = halo.Get(x, y);
      out.Add(x, y, Scale(h, hover ? 0.8f : 0.6f), h.a);
    }
  if (hover) {
    // A soft light filling the top of the frame.
    Shade(out, 0, 0, 64, 64, [](float x, float y) {
      float d = std::hypot((x - 32) / 30, (y - 10) / 22);
      return Hex(0xffe7a0, 0.35f * Clamp01(1 - d));
    });
  }
  DrawCanvas(out, lines, 0, 0);
  FlattenOnto(out, Hex(0x000000));
  return out;
}

// ---- Dream editor -----------------------------------------------------------------
// 256 x 256 drawn masked at (272, 172): the 4 x 4 grid of 48-pixel cells at texel
// (31 + 49c, 29 + 49r); the ok button (drawn over it) covers texels 95..159 from
// row 226 down.
Canvas MakeDreamPanel() {
  Canvas cv(256, 256, Color{0, 0, 0, 0});
  FillRoundRect(cv, 8, 2, 248, 250, 16, Pal::Ink);
  FillRoundRect(cv, 10, 4, 246, 248, 14, Pal::GoldDark);
  FillRoundRect(cv, 11.5f, 5.5f, 244.5f, 246.5f, 13, Pal::Gold);
  FillRoundRect(cv, 14, 8, 242, 244, 11, Pal::Ink);
  FillLinearGradient(cv, 15.5f, 9.5f, 240.5f, 242.5f, 0, 9, 0, 243, {{0, Pal::Plum}, {1, Pal::Night}});
  // Title in the band above the grid.
  TextStyle title;
  title.top = Pal::Cream;
  title.bottom = Pal::Gold;
  title.outlineWidth = 2;
  title.shadowOffset = 1;
  title.shadowBlur = 1;
  DrawTextStyled(cv, "DREAMBOX", 128, 17.5f, 14, title, Face::Bold);
  // Grid well.
  FillRoundRect(cv, 27, 25, 231, 229, 5, Pal::Ink);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      float x = 31 + 49.0f * c, y = 29 + 49.0f * r;
      FillRect(cv, x, y, x + 48, y + 48, Pal::Display);
      FillLinearGradient(cv, x, y, x + 48, y + 6, 0, y, 0, y + 6,
                         {{0, Hex(0x000000, 0.6f)}, {1, Hex(0x000000, 0)}});
      StrokeRoundRect(cv, x + 1.5f, y + 1.5f, x + 46.5f, y + 46.5f, 3, 1, Hex(0x3a2f66, 0.9f));
      bool corner = (r == 0 || r == 3) && (c == 0 || c == 3);
      if (corner) {
        // Corners cannot hold a box: hatched and crossed out.
        for (int k = -48; k < 48; k += 8)
          DrawLine(cv, std::max(x, x + k), y + std::max(0, -k), std::min(x + 48, x + 48 + k),
                   y + std::min(48, 48 - k), 1.2f, Hex(0x3a2f66, 0.6f));
        DrawLine(cv, x + 13, y + 13, x + 35, y + 35, 4, Hex(0xff6b5b, 0.85f));
        DrawLine(cv, x + 35, y + 13, x + 13, y + 35, 4, Hex(0xff6b5b, 0.85f));
      }
    }
  ToMasked(cv);
  return cv;
}

// The ok button: upper half as drawn, lower half under the pointer (64 x 32 each).
Canvas MakeOkButton() {
  Canvas cv(64, 64, Color{0, 0, 0, 0});
  for (int half = 0; half < 2; ++half) {
    bool hover = half == 1;
    float y0 = half * 32.0f;
    FillRoundRect(cv, 2, y0 + 4, 62, y0 + 29, 9, Pal::Ink);
    Shade(cv, 3, static_cast<int>(y0) + 5, 61, static_cast<int>(y0) + 28, [&](float x, float y) {
      Color c = Mix(hover ? Hex(0xc4ffa8) : Hex(0x8fd46f), hover ? Hex(0x4fae3a) : Hex(0x3d8a2e),
                    Clamp01((y - y0 - 6) / 21));
      c.a = Coverage(DistRoundRect(x, y, 4, y0 + 6, 60, y0 + 27, 7));
      return c;
    });
    FillRoundRect(cv, 8, y0 + 8, 56, y0 + 13, 2.5f, Hex(0xffffff, hover ? 0.45f : 0.3f));
    TextStyle style;
    style.top = hover ? Hex(0xfffbe0) : Pal::Cream;
    style.bottom = hover ? Pal::Gold : Hex(0xe8dcc0);
    style.outlineWidth = 1.6f;
    style.shadowOffset = 1;
    style.shadowBlur = 1;
    DrawTextStyled(cv, "OK", 32, y0 + 16.5f, 14, style, Face::Bold);
  }
  ToMasked(cv);
  return cv;
}

// A box of the dream stone in the editor grid, like the flying boxes' face.
Canvas MakeDreamCell() {
  Canvas cv(48, 48);
  DrawDreamBoxFace(cv, 48);
  FlattenOnto(cv, Pal::Ink);
  return cv;
}

} // namespace

bool WriteItemPieces(const std::string& dataDir) {
  return SavePiece(dataDir, "I_OneLine.bmp", MakeLinesIcon(1, false)) &&
         SavePiece(dataDir, "I_TwoLine.bmp", MakeLinesIcon(2, false)) &&
         SavePiece(dataDir, "I_OneTube.bmp", MakeLinesIcon(1, true)) &&
         SavePiece(dataDir, "I_TwoTube.bmp", MakeLinesIcon(2, true)) &&
         SavePiece(dataDir, "I_Targethelp.bmp", MakeAimIcon()) &&
         SavePiece(dataDir, "I_Hourglass.bmp", MakeHourglassIcon()) &&
         SavePiece(dataDir, "I_DreamBox.bmp", MakeDreamIcon()) &&
         SavePiece(dataDir, "I_Trank.bmp", MakePotionIcon()) &&
         SavePiece(dataDir, "i_rahmen.bmp", MakeItemFrame(false)) &&
         SavePiece(dataDir, "i_rahmen2.bmp", MakeItemFrame(true)) &&
         SavePiece(dataDir, "dreambox.tga", MakeDreamPanel()) &&
         SavePiece(dataDir, "ok.tga", MakeOkButton()) && SavePiece(dataDir, "dbox.bmp", MakeDreamCell());
}
