// The HUD and menu pieces: the panel frame, the digit strip, the mouse pointer,
// the coin, the level spot, the item key labels, the danger-line dot, the potion
// meter and the refill counter.
#include <algorithm>
#include <cmath>
#include <string>

#include "art_common.h"
#include "pieces.h"

namespace {

// ---- Panel frame -------------------------------------------------------------
// DrawPanel blends with (one, source alpha) and the panel colour as tint: alpha is
// how much of the background stays, colour is how bright the tinted panel glows.
// The outer 20 texels of the 128 are the border the panel draws at 20 pixels.
// The fill keeps only 4 % of the background and glows faintly, so white, yellow
// and even red text reads on it over the busiest picture; a bright rim and a soft
// halo just outside the edge set the panel off from dark backdrops.
Canvas MakePanel() {
  const float size = 128;
  Canvas cv(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float inside = -DistRoundRect(px, py, 0, 0, size, size, 17); // depth from the outer edge
      float top = py / size;
      // Bands from the outside in: halo, dark outline, bright rim, dark seam, fill.
      struct Band {
        float from;
        float colour, alpha;
      };
      float rim = 0.98f - 0.3f * top;
      float fill = 0.105f - 0.03f * top;
      const Band bands[] = {{-100, 0.0f, 1.0f},   {-1.0f, 0.22f, 0.65f}, {1.2f, 0.02f, 0.0f},
                            {3.6f, rim, 0.0f},    {8.0f, 0.5f, 0.0f},    {9.6f, 0.05f, 0.035f},
                            {11.2f, fill, 0.035f}};
      float colour = 0, alpha = 1;
      for (const Band& b : bands) {
        float t = Clamp01((inside - b.from) + 0.5f);
        colour += (b.colour - colour) * t;
        alpha += (b.alpha - alpha) * t;
      }
      // The halo fades out over the 3 texels outside the edge.
      if (inside < -1.0f) {
        float fade = Clamp01((inside + 4.0f) / 3.0f);
        colour = 0.22f * fade;
        alpha = 1 - 0.35f * fade;
      }
      cv.Set(x, y, Color{colour, colour, colour, alpha});
    }
  // The game samples the panel with t = 0 on the panel's top edge, that is the
  // first stored row, which the writer fills from the picture's bottom.
  return FlipVertical(cv);
}

// ---- Digit strip ---------------------------------------------------------------
// Digits 1..9 in 50-texel cells from the left, 0 after them; drawn opaque into the
// HUD's number windows, which share the strip's background colour.
Canvas MakeDigits() {
  Canvas cv(512, 64, Pal::Display);
  TextStyle style;
  style.top = Hex(0xfffbe8);
  style.bottom = Hex(0xf5c75a);
  style.outline = Color{0, 0, 0, 0};
  style.outlineWidth = 0;
  style.shadow = Color{0, 0, 0, 0};
  style.shadowOffset = 0;
  for (int d = 0; d <= 9; ++d) {
    int cell = d == 0 ? 9 : d - 1;
    Canvas glyph(50, 64, Color{0, 0, 0, 0});
    DrawTextStyled(glyph, std::string(1, static_cast<char>('0' + d)), 25, 32, 60, style, Face::Bold);
    // A slight blur keeps the strokes from flickering when the strip is shrunk
    // five times for the smallest numbers.
    BoxBlur(glyph, 1);
    DrawCanvas(cv, glyph, cell * 50, 0);
  }
  return cv;
}

// ---- Mouse pointer -------------------------------------------------------------
// Drawn masked (shown where alpha <= 0.1): a cream arrow with a dark outline whose
// tip, the hot spot, is the top-left texel.
Canvas MakeCursor() {
  Canvas cv = Supersample(32, 32, 4, [](Canvas& c, float s) {
    std::vector<float> arrow = {0.3f,  0.3f,  0.3f,  23.5f, 6.2f,  18.2f, 10.2f,
                                27.2f, 14.2f, 25.4f, 10.4f, 16.6f, 17.6f, 16.6f};
    for (float& v : arrow) v *= s;
    FillPolygon(c, arrow, Pal::Ink);
    std::vector<float> face = InsetPolygon(arrow, 1.7f * s);
    Canvas faceMask(c.width, c.height, Color{0, 0, 0, 0});
    FillPolygon(faceMask, face, Hex(0xffffff));
    Shade(c, 0, 0, c.width, c.height, [&](float x, float y) {
      Color g = Mix(Hex(0xffffff), Hex(0xffe29a), Clamp01(y / (26 * s)));
      g.a = faceMask.At(static_cast<int>(x), static_cast<int>(y))[3] / 255.0f;
      return g;
    });
  });
  ToMasked(cv);
  return cv;
}

// ---- Coin ------------------------------------------------------------------------
// Drawn tinted white with premultiplied blending.
Canvas MakeCoin() {
  Canvas cv = Supersample(32, 32, 8, [](Canvas& c, float s) {
    float cx = 16 * s, cy = 16 * s;
    FillCircle(c, cx + 0.6f * s, cy + 0.9f * s, 14.8f * s, Hex(0x000000, 0.3f));
    FillCircle(c, cx, cy, 14.8f * s, Hex(0x5a3a0a));
    ShadeDisc(c, cx, cy, 13.6f * s, cx - 4 * s, cy - 5 * s, 22 * s,
              {{0, Hex(0xfff2b0)}, {0.45f, Hex(0xf2c14e)}, {1, Hex(0xb9801f)}});
    // Inner ring and a raised star.
    StrokeCircle(c, cx, cy, 10.4f * s, 1.1f * s, Hex(0x9a6512, 0.8f));
    std::vector<float> star;
    for (int i = 0; i < 10; ++i) {
      float a = -3.14159265f / 2 + i * 3.14159265f / 5;
      float r = (i % 2 ? 3.3f : 7.4f) * s;
      star.push_back(cx + r * std::cos(a));
      star.push_back(cy + 0.5f * s + r * std::sin(a));
    }
    std::vector<float> shadow = star;
    for (float& v : shadow) v += 0.9f * s;
    FillPolygon(c, shadow, Hex(0x8a5a10, 0.9f));
    FillPolygon(c, star, Hex(0xfff0b8));
    // Shine along the upper left rim.
    Shade(c, 0, 0, c.width, c.height, [&](float x, float y) {
      float px = x / s - 16, py = y / s - 16;
      float band = Clamp01(1 - std::fabs(std::hypot(px, py) - 12.2f));
      float arc = Clamp01(std::cos(std::atan2(py, px) + 2.3f) * 1.6f - 0.5f);
      return Hex(0xffffff, band * arc * 0.8f);
    });
  });
  Premultiply(cv);
  return cv;
}

// ---- Level spot -------------------------------------------------------------------
// A 15 x 17 spot in the top-left of a 32 x 32 picture, tinted with a pulsing colour
// (premultiplied), so its body is white and its outline dark.
Canvas MakeLevelSpot() {
  Canvas cv = Supersample(32, 32, 8, [](Canvas& c, float s) {
    float cx = 7.5f * s, cy = 7.4f * s;
    FillEllipse(c, 7.5f * s, 15.0f * s, 5.4f * s, 1.6f * s, Hex(0x000000, 0.45f));
    FillCircle(c, cx, cy, 7.0f * s, Hex(0x1a1410));
    ShadeDisc(c, cx, cy, 5.7f * s, cx - 1.8f * s, cy - 2.2f * s, 8.6f * s,
              {{0, Hex(0xffffff)}, {0.6f, Hex(0xf0f0f0)}, {1, Hex(0xa0a0a0)}});
    FillCircle(c, cx, cy, 2.2f * s, Hex(0x7a7a7a));
    FillCircle(c, cx - 0.4f * s, cy - 0.4f * s, 1.5f * s, Hex(0xffffff));
    // Nothing may reach beyond the 15 x 17 corner the map cuts out.
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x)
        if (x >= 15 * s || y >= 17 * s) c.Set(x, y, Color{0, 0, 0, 0});
  });
  Premultiply(cv);
  return cv;
}

// ---- Item key labels ----------------------------------------------------------------
// Drawn additively over the item slots: "F1 F2" from texels 0..122 at (10, 530),
// "F3" from texels 199..256 at (730, 530). The 50 x 50 item pictures sit at texel
// x 3..53 and 66..116 (first part) and 202..252 (second part), y 6..56.
Canvas MakeFunctionKeys() {
  Canvas glow(256, 64, Color{0, 0, 0, 1});
  Canvas lines(256, 64, Color{0, 0, 0, 0});
  const Color warm = Hex(0xf0a838);
  struct Slot {
    float x0;
    const char* label;
  };
  const Slot slots[] = {{2.8f, "F1"}, {66.3f, "F2"}, {202, "F3"}};
  for (const Slot& s : slots) {
    float x0 = s.x0 - 2.5f, x1 = s.x0 + 50 + 2.5f, y0 = 3.5f, y1 = 58.5f;
    StrokeRoundRect(lines, x0, y0, x1, y1, 7, 1.8f, WithAlpha(warm, 0.75f));
    // Corner brackets a little brighter.
    for (int k = 0; k < 4; ++k) {
      float cx = k % 2 ? x1 : x0, cy = k / 2 ? y1 : y0;
      float dx = k % 2 ? -1.0f : 1.0f, dy = k / 2 ? -1.0f : 1.0f;
      DrawPolyline(lines, {cx + dx * 12, cy, cx, cy, cx, cy + dy * 12}, 2.6f, Hex(0xffd890));
    }
    // The key name on a little tab breaking the bottom edge.
    Canvas text = RenderText(s.label, 12, Face::Bold, 0);
    float tx = std::round((x0 + x1) / 2 - text.width / 2.0f), ty = 53;
    FillRoundRect(lines, tx - 4, ty - 1.5f, tx + text.width + 4, 64, 3, Color{0, 0, 0, 1});
    StrokeRoundRect(lines, tx - 4, ty - 1.5f, tx + text.width + 4, 66, 3, 1.4f, warm);
    for (int y = 0; y < text.height; ++y)
      for (int x = 0; x < text.width; ++x)
        lines.Blend(static_cast<int>(tx) + x, static_cast<int>(ty) + y, Hex(0xfff6dc),
                    text.At(x, y)[3] / 255.0f);
  }
  // A soft halo under the lines.
  Canvas halo = lines;
  BoxBlur(halo, 3);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) {
      Color h = halo.Get(x, y);
      glow.Add(x, y, Color{h.r * 0.8f, h.g * 0.55f, h.b * 0.2f, 1}, h.a);
    }
  DrawCanvas(glow, lines, 0, 0);
  FlattenOnto(glow, Hex(0x000000));
  return glow;
}

// ---- Potion meter -----------------------------------------------------------------
// 44 x 176 on screen at (57, 218), drawn opaque: the full bottle, then the full
// bottle again with (source alpha, source colour) blending and the flash as alpha,
// which at rest multiplies the picture by itself, then the empty bottle over the
// top rows. So the stored full bottle is the square root of the intended one, and
// the frame around both bottles is identical once that squaring is applied.
enum class Potion { Empty, Full, Bright };

Canvas MakePotionPicture(Potion kind) {
  const int W = 64, H = 256;
  Canvas cv = Supersample(W, H, 2, [kind](Canvas& c, float s) {
    auto S = [s](float v) { return v * s; };
    // Frame: the same night-indigo body and gold trim as the other HUD pieces.
    c.Fill(Pal::Ink);
    FillRoundRect(c, S(1), S(1), S(63), S(255), S(7), Pal::GoldDark);
    FillRoundRect(c, S(2.5f), S(2.5f), S(61.5f), S(253.5f), S(6), Pal::Gold);
    FillRoundRect(c, S(4.5f), S(4.5f), S(59.5f), S(251.5f), S(5), Pal::Ink);
    FillLinearGradient(c, S(6), S(6), S(58), S(250), 0, 0, S(64), 0,
                       {{0, Pal::Night}, {0.5f, Hex(0x2a2553)}, {1, Pal::Night}});
    // The bottle: cork, short neck, tall rounded body.
    std::vector<float> bottle = {24, 26,  40, 26,  40, 40,  52, 54, 54, 60, 54, 232,
                                 48, 244, 16, 244, 10, 232, 10, 60, 12, 54, 24, 40};
    for (float& v : bottle) v *= s;
    FillPolygon(c, bottle, Pal::Ink);
    std::vector<float> glass = InsetPolygon(bottle, S(2.2f));
    // Inside: either the liquid or the empty dark glass.
    Canvas inner(c.width, c.height, Color{0, 0, 0, 0});
    if (kind == Potion::Empty) {
      FillLinearGradient(inner, 0, 0, c.width, c.height, S(10), 0, S(54), 0,
                         {{0, Hex(0x3b3470)}, {0.5f, Hex(0x231e48)}, {1, Hex(0x171432)}});
    } else {
      bool bright = kind == Potion::Bright;
      FillLinearGradient(inner, 0, 0, c.width, c.height, 0, S(30), 0, S(244),
                         {{0, bright ? Hex(0xc8fff0) : Hex(0x8ff5d5)},
                          {0.35f, bright ? Hex(0x7df7d8) : Hex(0x3fd0b0)},
                          {1, bright ? Hex(0x38c9b5) : Hex(0x14806f)}});
      // Light through the liquid from the left, and rising bubbles.
      FillLinearGradient(inner, 0, 0, c.width, c.height, S(10), 0, S(54), 0,
                         {{0, Hex(0xffffff, 0.22f)}, {0.4f, Hex(0xffffff, 0.0f)}, {1, Hex(0x000000, 0.25f)}});
      Rng rng(0x70710a);
      for (int i = 0; i < 16; ++i) {
        float bx = rng.Range(17, 47), by = rng.Range(70, 236), br = rng.Range(1.2f, 3.2f);
        StrokeCircle(inner, S(bx), S(by), S(br), S(0.8f), Hex(0xe8fff8, 0.7f));
        FillCircle(inner, S(bx - br * 0.3f), S(by - br * 0.3f), S(br * 0.35f), Hex(0xffffff, 0.8f));
      }
    }
    Canvas shape(c.width, c.height, Color{0, 0, 0, 0});
    FillPolygon(shape, glass, Hex(0xffffff));
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        float a = shape.At(x, y)[3] / 255.0f;
        if (a > 0) c.Blend(x, y, WithAlpha(inner.Get(x, y), 1), a);
      }
    // Glass reflections over either content.
    DrawLine(c, S(15), S(66), S(15), S(226), S(3), Hex(0xffffff, 0.55f));
    DrawLine(c, S(20), S(70), S(20), S(120), S(1.5f), Hex(0xffffff, 0.35f));
    DrawLine(c, S(27.5f), S(30), S(27.5f), S(40), S(1.6f), Hex(0xffffff, 0.45f));
    // Cork.
    FillRoundRect(c, S(21), S(11), S(43), S(29), S(3), Pal::Ink);
    FillLinearGradient(c, S(23), S(13), S(41), S(27), S(23), 0, S(41), 0,
                       {{0, Hex(0xe2a86a)}, {0.4f, Hex(0xc98a4b)}, {1, Hex(0x8a5a2b)}});
    DrawLine(c, S(24), S(18), S(40), S(18), S(0.8f), Hex(0x6b4420, 0.6f));
    DrawLine(c, S(24), S(23), S(40), S(23), S(0.8f), Hex(0x6b4420, 0.6f));
  });
  if (kind != Potion::Empty) {
    for (size_t i = 0; i < cv.pixels.size(); i += 4)
      for (int ch = 0; ch < 3; ++ch)
        cv.pixels[i + ch] = static_cast<uint8_t>(std::lround(std::sqrt(cv.pixels[i + ch] / 255.0) * 255.0));
  }
  return cv;
}

// ---- Refill counter -------------------------------------------------------------
// 44 x 44 at (57, 398) with the count drawn at its centre in the digit strip's
// number-window colour. The flash picture is drawn over it every frame with
// (source alpha, source colour) blending and the flash as alpha: at rest it
// multiplies the counter by its own colour. It is white over the badge (no
// change, a white flash) and dimmer outside, which the counter pre-brightens.
constexpr float BADGE = 29.5f; // outer radius of the badge in texels of 64
constexpr float FLASH_OUTSIDE = 0.3f;

float FlashFactor(float px, float py) {
  float d = std::hypot(px - 32, py - 32) - BADGE;
  return FLASH_OUTSIDE + (1 - FLASH_OUTSIDE) * Clamp01(1 - d / 1.5f);
}

Canvas MakeCounter() {
  Canvas cv = Supersample(64, 64, 4, [](Canvas& c, float s) {
    c.Fill(Pal::Display); // the colour of the HUD socket the counter sits in
    float cx = 32 * s, cy = 32 * s;
    FillCircle(c, cx, cy, BADGE * s, Pal::Ink);
    ShadeDisc(c, cx, cy, (BADGE - 1.6f) * s, cx - 7 * s, cy - 9 * s, 40 * s,
              {{0, Hex(0xfff0b0)}, {0.45f, Pal::Gold}, {1, Pal::GoldDark}});
    // Four pips on the ring: the suit drops that fly here.
    for (int k = 0; k < 4; ++k) {
      float a = k * 3.14159265f / 2;
      FillCircle(c, cx + std::cos(a) * 23.6f * s, cy + std::sin(a) * 23.6f * s, 1.9f * s,
                 Hex(0x8a5a10, 0.8f));
    }
    FillCircle(c, cx, cy, 19.5f * s, Pal::Ink);
    FillCircle(c, cx, cy, 18.0f * s, Pal::Display);
  });
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      float f = FlashFactor(x + 0.5f, y + 0.5f);
      Color c = cv.Get(x, y);
      cv.Set(x, y, Color{Clamp01(c.r / f), Clamp01(c.g / f), Clamp01(c.b / f), 1});
    }
  return cv;
}

Canvas MakeCounterFlash() {
  Canvas cv(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      float f = FlashFactor(x + 0.5f, y + 0.5f);
      cv.Set(x, y, Color{f, f, f, 1});
    }
  return cv;
}

// ---- Danger line dot ---------------------------------------------------------------
Canvas MakeLineDot() {
  return Canvas(4, 4, Hex(0xff5a3c));
}

} // namespace

bool WriteHudPieces(const std::string& dataDir) {
  return SavePiece(dataDir, "menu.tga", MakePanel()) && SavePiece(dataDir, "ziffern.bmp", MakeDigits()) &&
         SavePiece(dataDir, "cursor.tga", MakeCursor()) && SavePiece(dataDir, "coin.tga", MakeCoin()) &&
         SavePiece(dataDir, "levelspot.tga", MakeLevelSpot()) &&
         SavePiece(dataDir, "fkeys.bmp", MakeFunctionKeys()) &&
         SavePiece(dataDir, "Line.bmp", MakeLineDot()) &&
         SavePiece(dataDir, "trank_voll.bmp", MakePotionPicture(Potion::Full)) &&
         SavePiece(dataDir, "trank_leer.bmp", MakePotionPicture(Potion::Empty)) &&
         SavePiece(dataDir, "trank_blink.bmp", MakePotionPicture(Potion::Bright)) &&
         SavePiece(dataDir, "dot1.bmp", MakeCounter()) && SavePiece(dataDir, "dot2.bmp", MakeCounterFlash());
}
