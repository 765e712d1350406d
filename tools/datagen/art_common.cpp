#include "art_common.h"

#include "box_look.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

Color BoxColor(int index) {
  static const int Table[10][3] = {{32, 32, 255},  {32, 255, 32}, {255, 32, 32}, {255, 64, 0}, {64, 0, 255},
                                   {255, 200, 32}, {0, 255, 64},  {64, 255, 0},  {255, 0, 0},  {0, 0, 40}};
  const int* c = Table[std::clamp(index, 0, 9)];
  return Rgb8(c[0], c[1], c[2]);
}

// ---- Lettering -------------------------------------------------------------

namespace {
const char* FacePath(Face face) {
  switch (face) {
  case Face::Regular:
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  case Face::CondensedBold:
    return "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
  case Face::Bold:
    break;
  }
  return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
}

// One FreeType library and one face per style for the whole run.
FT_Face LoadFace(Face face) {
  static FT_Library library = nullptr;
  static FT_Face faces[3] = {nullptr, nullptr, nullptr};
  int i = static_cast<int>(face);
  if (faces[i]) return faces[i];
  if (!library && FT_Init_FreeType(&library) != 0) {
    std::fprintf(stderr, "datagen: FreeType cannot start\n");
    return nullptr;
  }
  if (FT_New_Face(library, FacePath(face), 0, &faces[i]) != 0) {
    std::fprintf(stderr, "datagen: cannot load font %s\n", FacePath(face));
    faces[i] = nullptr;
  }
  return faces[i];
}
} // namespace

Canvas RenderText(const std::string& text, int pixelSize, Face face, int pad) {
  FT_Face ft = LoadFace(face);
  if (!ft || text.empty()) return Canvas();
  FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(pixelSize));
  struct Placed {
    int x, y, w, h;
    std::vector<uint8_t> bits;
  };
  std::vector<Placed> glyphs;
  long pen = 0; // 26.6
  FT_UInt previous = 0;
  int minX = 1 << 30, minY = 1 << 30, maxX = -(1 << 30), maxY = -(1 << 30);
  for (unsigned char ch : text) {
    FT_UInt index = FT_Get_Char_Index(ft, ch);
    if (previous && index && FT_HAS_KERNING(ft)) {
      FT_Vector k;
      FT_Get_Kerning(ft, previous, index, FT_KERNING_DEFAULT, &k);
      pen += k.x;
    }
    previous = index;
    if (FT_Load_Glyph(ft, index, FT_LOAD_RENDER) != 0) continue;
    FT_GlyphSlot g = ft->glyph;
    Placed p;
    p.x = static_cast<int>(pen >> 6) + g->bitmap_left;
    p.y = -g->bitmap_top;
    p.w = static_cast<int>(g->bitmap.width);
    p.h = static_cast<int>(g->bitmap.rows);
    p.bits.resize(static_cast<size_t>(p.w) * p.h);
    for (int row = 0; row < p.h; ++row)
      for (int col = 0; col < p.w; ++col)
        p.bits[static_cast<size_t>(row) * p.w + col] = g->bitmap.buffer[row * g->bitmap.pitch + col];
    if (p.w > 0 && p.h > 0) {
      minX = std::min(minX, p.x);
      minY = std::min(minY, p.y);
      maxX = std::max(maxX, p.x + p.w);
      maxY = std::max(maxY, p.y + p.h);
    }
    pen += g->advance.x;
    glyphs.push_back(std::move(p));
  }
  if (maxX <= minX) return Canvas();
  Canvas out(maxX - minX + 2 * pad, maxY - minY + 2 * pad, Color{1, 1, 1, 0});
  for (const Placed& p : glyphs)
    for (int row = 0; row < p.h; ++row)
      for (int col = 0; col < p.w; ++col) {
        int x = p.x - minX + pad + col, y = p.y - minY + pad + row;
        uint8_t* px = out.At(x, y);
        px[3] = std::max(px[3], p.bits[static_cast<size_t>(row) * p.w + col]);
      }
  return out;
}

Canvas DilateAlpha(const Canvas& src, float radius) {
  Canvas out(src.width, src.height, Color{1, 1, 1, 0});
  int r = static_cast<int>(std::ceil(radius));
  std::vector<std::pair<int, int>> offsets;
  std::vector<float> weights;
  for (int dy = -r; dy <= r; ++dy)
    for (int dx = -r; dx <= r; ++dx) {
      float d = std::hypot(static_cast<float>(dx), static_cast<float>(dy));
      if (d <= radius + 0.5f) {
        offsets.push_back({dx, dy});
        weights.push_back(Clamp01(radius + 0.5f - d));
      }
    }
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x) {
      float best = 0;
      for (size_t i = 0; i < offsets.size(); ++i) {
        int sx = x + offsets[i].first, sy = y + offsets[i].second;
        if (!src.Inside(sx, sy)) continue;
        best = std::max(best, src.At(sx, sy)[3] / 255.0f * weights[i]);
      }
      out.At(x, y)[3] = static_cast<uint8_t>(std::lround(best * 255));
    }
  return out;
}

void DrawMaskStyled(Canvas& cv, const Canvas& mask, float cx, float cy, const TextStyle& style) {
  if (mask.width == 0) return;
  int ox = static_cast<int>(std::lround(cx - mask.width / 2.0f));
  int oy = static_cast<int>(std::lround(cy - mask.height / 2.0f));
  Canvas outline = style.outlineWidth > 0 ? DilateAlpha(mask, style.outlineWidth) : mask;
  if (style.shadowOffset > 0 && style.shadow.a > 0) {
    Canvas shadow = outline;
    BoxBlur(shadow, style.shadowBlur);
    for (int y = 0; y < shadow.height; ++y)
      for (int x = 0; x < shadow.width; ++x)
        cv.Blend(ox + x + style.shadowOffset, oy + y + style.shadowOffset, style.shadow,
                 shadow.At(x, y)[3] / 255.0f);
  }
  if (style.outlineWidth > 0 && style.outline.a > 0)
    for (int y = 0; y < outline.height; ++y)
      for (int x = 0; x < outline.width; ++x)
        cv.Blend(ox + x, oy + y, style.outline, outline.At(x, y)[3] / 255.0f);
  // The fill gradient runs over the rows that hold ink.
  int top = mask.height, bottom = 0;
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      if (mask.At(x, y)[3] > 0) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  float span = static_cast<float>(std::max(1, bottom - top));
  for (int y = 0; y < mask.height; ++y) {
    Color fill = Mix(style.top, style.bottom, Clamp01((y - top) / span));
    for (int x = 0; x < mask.width; ++x) cv.Blend(ox + x, oy + y, fill, mask.At(x, y)[3] / 255.0f);
  }
}

int DrawTextStyled(Canvas& cv, const std::string& text, float cx, float cy, int pixelSize,
                   const TextStyle& style, Face face) {
  int pad = static_cast<int>(style.outlineWidth) + style.shadowOffset + style.shadowBlur + 4;
  Canvas mask = RenderText(text, pixelSize, face, pad);
  if (mask.width == 0) return 0;
  DrawMaskStyled(cv, mask, cx, cy, style);
  return mask.width - 2 * pad;
}

// ---- Masks -----------------------------------------------------------------

void ToMasked(Canvas& cv) {
  const int w = cv.width, h = cv.height;
  std::vector<uint8_t> coverage(static_cast<size_t>(w) * h);
  std::vector<uint8_t> known(coverage.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      size_t i = static_cast<size_t>(y) * w + x;
      coverage[i] = cv.At(x, y)[3];
      known[i] = coverage[i] >= 128;
    }
  // Spread the colour of shown texels outwards, a ring at a time.
  for (int pass = 0; pass < 4; ++pass) {
    std::vector<uint8_t> next = known;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        size_t i = static_cast<size_t>(y) * w + x;
        if (known[i]) continue;
        int sum[3] = {0, 0, 0}, n = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            int sx = x + dx, sy = y + dy;
            if (sx < 0 || sy < 0 || sx >= w || sy >= h || !known[static_cast<size_t>(sy) * w + sx]) continue;
            const uint8_t* p = cv.At(sx, sy);
            for (int c = 0; c < 3; ++c) sum[c] += p[c];
            ++n;
          }
        if (n == 0) continue;
        uint8_t* p = cv.At(x, y);
        for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(sum[c] / n);
        next[i] = 1;
      }
    known.swap(next);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float cov = coverage[static_cast<size_t>(y) * w + x] / 255.0f;
      // Coverage 1 → alpha 0 (shown); coverage 0.5 → exactly the 0.1 threshold; 0 → 1.
      float a = cov >= 0.5f ? (1 - cov) * 0.2f : 0.1f + (0.5f - cov) * 1.8f;
      if (cov >= 0.999f) a = 0;
      cv.At(x, y)[3] = static_cast<uint8_t>(std::lround(Clamp01(a) * 255));
    }
}

// ---- Motifs ----------------------------------------------------------------

namespace {
// A disc lit by a radial gradient centred on (lx, ly) with radius lr.
void ShadedDisc(Canvas& cv, float cx, float cy, float r, float lx, float ly, float lr,
                const std::vector<GradientStop>& stops) {
  Shade(cv, static_cast<int>(cx - r) - 2, static_cast<int>(cy - r) - 2, static_cast<int>(cx + r) + 3,
        static_cast<int>(cy + r) + 3, [&](float px, float py) {
          Color c = GradientAt(stops, std::hypot(px - lx, py - ly) / lr);
          c.a *= Coverage(DistCircle(px, py, cx, cy, r));
          return c;
        });
}
} // namespace

void DrawBoxTile(Canvas& cv, float x, float y, float s, const Color& base) {
  // The box model seen from the front (box_look.h): a face ringed by 45-degree
  // chamfer strips, with a facet at each corner, every part in the shade the
  // playfield's light gives its normal.
  auto lit = [&](float nx, float ny, float nz) {
    float l = std::sqrt(nx * nx + ny * ny + nz * nz);
    BoxLighting k = LightBoxSurface(nx / l, ny / l, nz / l);
    return Color{std::min(1.0f, base.r * k.diffuse + k.specular),
                 std::min(1.0f, base.g * k.diffuse + k.specular),
                 std::min(1.0f, base.b * k.diffuse + k.specular), base.a};
  };
  const float b = std::max(1.5f, s * BOX_CHAMFER);
  // The dark groove between neighbouring boxes: a pixel round the box and the
  // corners the chamfers cut away.
  FillRect(cv, x, y, x + s, y + s, Scale(base, 0.35f));
  const float x0 = x + 1, x1 = x + s - 1, y0 = y + 1, y1 = y + s - 1;
  const float xa = x0 + b, xb = x1 - b, ya = y0 + b, yb = y1 - b;
  // The outline, filled first in the face colour so no background shows in the
  // antialiased seams between the parts.
  FillPolygon(cv, {xa, y0, xb, y0, x1, ya, x1, yb, xb, y1, xa, y1, x0, yb, x0, ya}, lit(0, 0, 1));
  // Chamfer strips (picture y runs down, the model's y up).
  FillPolygon(cv, {xa, y0, xb, y0, xb, ya, xa, ya}, lit(0, 1, 1));
  FillPolygon(cv, {xa, yb, xb, yb, xb, y1, xa, y1}, lit(0, -1, 1));
  FillPolygon(cv, {x0, ya, xa, ya, xa, yb, x0, yb}, lit(-1, 0, 1));
  FillPolygon(cv, {xb, ya, x1, ya, x1, yb, xb, yb}, lit(1, 0, 1));
  // Corner facets.
  FillPolygon(cv, {x0, ya, xa, y0, xa, ya}, lit(-1, 1, 1));
  FillPolygon(cv, {xb, y0, x1, ya, xb, ya}, lit(1, 1, 1));
  FillPolygon(cv, {x0, yb, xa, yb, xa, y1}, lit(-1, -1, 1));
  FillPolygon(cv, {xb, yb, x1, yb, xb, y1}, lit(1, -1, 1));
  // The face, brighter at the top where its normals lean towards the light.
  FillLinearGradient(cv, xa, ya, xb, yb, 0, ya, 0, yb,
                     {{0, lit(0, BOX_FACE_LEAN, 1)}, {1, lit(0, -BOX_FACE_LEAN, 1)}});
}

void DrawTubeTile(Canvas& cv, float x, float y, float s) {
  FillRoundRect(cv, x, y + s * 0.12f, x + s, y + s * 0.88f, s * 0.1f, Hex(0x2a2d36));
  FillLinearGradient(cv, x + 1, y + s * 0.12f + 1, x + s - 1, y + s * 0.88f - 1, 0, y + s * 0.12f, 0,
                     y + s * 0.88f,
                     {{0, Hex(0x6d7483)}, {0.3f, Hex(0xd9dee8)}, {0.55f, Hex(0x9aa2b3)}, {1, Hex(0x3c4150)}});
  FillRect(cv, x + s * 0.46f, y + s * 0.12f, x + s * 0.54f, y + s * 0.88f, Hex(0x2a2d36, 0.6f));
}

void DrawBombTile(Canvas& cv, float x, float y, float s, const Color& base) {
  DrawBoxTile(cv, x, y, s, base);
  float cx = x + s * 0.5f, cy = y + s * 0.56f, r = s * 0.27f;
  FillCircle(cv, cx, cy, r + 1.5f, Pal::Ink);
  ShadedDisc(cv, cx, cy, r, cx - r * 0.3f, cy - r * 0.3f, r * 1.4f, {{0, Hex(0x5b5f70)}, {1, Hex(0x101018)}});
  FillRect(cv, cx - r * 0.3f, cy - r - s * 0.06f, cx + r * 0.3f, cy - r + 1, Hex(0x4a4d5a));
  DrawLine(cv, cx, cy - r - s * 0.05f, cx + s * 0.16f, cy - r - s * 0.18f, std::max(1.0f, s * 0.04f),
           Hex(0xc8a36b));
  FillCircle(cv, cx + s * 0.17f, cy - r - s * 0.19f, s * 0.06f, Hex(0xffd23f));
  FillCircle(cv, cx + s * 0.17f, cy - r - s * 0.19f, s * 0.03f, Hex(0xffffff));
  FillCircle(cv, cx - r * 0.35f, cy - r * 0.35f, r * 0.2f, WithAlpha(Hex(0xffffff), 0.6f));
}

void FillCircleGradient(Canvas& cv, float cx, float cy, float r, const Color& top, const Color& bottom) {
  Shade(cv, static_cast<int>(cx - r) - 2, static_cast<int>(cy - r) - 2, static_cast<int>(cx + r) + 3,
        static_cast<int>(cy + r) + 3, [&](float px, float py) {
          Color c = Mix(top, bottom, Clamp01((py - (cy - r)) / (2 * r)));
          c.a *= Coverage(DistCircle(px, py, cx, cy, r));
          return c;
        });
}

void DrawCube(Canvas& cv, float cx, float cy, float size, float yaw, float pitch, const Color& base) {
  struct V {
    float x, y, z;
  };
  V v[8];
  for (int i = 0; i < 8; ++i) {
    float x = (i & 1 ? 0.5f : -0.5f), y = (i & 2 ? 0.5f : -0.5f), z = (i & 4 ? 0.5f : -0.5f);
    float x1 = x * std::cos(yaw) + z * std::sin(yaw), z1 = -x * std::sin(yaw) + z * std::cos(yaw);
    float y2 = y * std::cos(pitch) - z1 * std::sin(pitch), z2 = y * std::sin(pitch) + z1 * std::cos(pitch);
    v[i] = {x1 * size, y2 * size, z2};
  }
  // Faces as corner indices around their edge; y is up in cube space.
  const int faces[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1},
                           {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 6, 7, 5}};
  const float light[3] = {-0.45f, 0.75f, 0.5f};
  for (const auto& f : faces) {
    // The cube is centred on the origin, so a face's centre points along its outward normal.
    float nx = 0, ny = 0, nz = 0;
    for (int k = 0; k < 4; ++k) {
      nx += v[f[k]].x / size;
      ny += v[f[k]].y / size;
      nz += v[f[k]].z;
    }
    float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len == 0) continue;
    nx /= len;
    ny /= len;
    nz /= len;
    if (nz <= 0.01f) continue; // facing away
    float lit = std::max(0.0f, nx * light[0] + ny * light[1] + nz * light[2]);
    Color col = Mix(Scale(base, 0.45f), Mix(base, Hex(0xffffff), 0.3f), Clamp01(lit));
    std::vector<float> poly;
    for (int k = 0; k < 4; ++k) {
      poly.push_back(cx + v[f[k]].x);
      poly.push_back(cy - v[f[k]].y);
    }
    FillPolygon(cv, poly, col);
    // A lighter inner panel gives the bevel of the game's boxes.
    std::vector<float> inner;
    float mx = 0, my = 0;
    for (int k = 0; k < 4; ++k) {
      mx += poly[2 * k] / 4;
      my += poly[2 * k + 1] / 4;
    }
    for (int k = 0; k < 4; ++k) {
      inner.push_back(mx + (poly[2 * k] - mx) * 0.72f);
      inner.push_back(my + (poly[2 * k + 1] - my) * 0.72f);
    }
    FillPolygon(cv, inner, Mix(col, Hex(0xffffff), 0.12f));
    poly.push_back(poly[0]);
    poly.push_back(poly[1]);
    DrawPolyline(cv, poly, std::max(1.0f, size * 0.035f), WithAlpha(Pal::Ink, 0.85f));
  }
}

void DrawShadow(Canvas& cv, float cx, float cy, float rx, float ry, float alpha) {
  Shade(cv, static_cast<int>(cx - rx) - 1, static_cast<int>(cy - ry) - 1, static_cast<int>(cx + rx) + 2,
        static_cast<int>(cy + ry) + 2, [&](float px, float py) {
          float dx = (px - cx) / rx, dy = (py - cy) / ry;
          float d = std::sqrt(dx * dx + dy * dy);
          return Color{0, 0, 0, alpha * (1 - SmoothStep(0.3f, 1.0f, d))};
        });
}

void DrawGuide(Canvas& cv, float cx, float cy, float r, int mood, bool eyesClosed, bool talking) {
  const Color outline = Pal::Ink;
  Color bodyLight = Hex(0xffb061), bodyDark = Hex(0xe0602a);
  if (mood == 2) {
    bodyLight = Hex(0xffc987);
    bodyDark = Hex(0xd9774a);
  }
  if (mood == 4) {
    bodyLight = Hex(0xb9a3a0);
    bodyDark = Hex(0x6d5a63);
  }
  float lw = std::max(1.5f, r * 0.07f);
  // Feet and arms behind the body.
  for (int side = -1; side <= 1; side += 2) {
    FillEllipse(cv, cx + side * r * 0.45f, cy + r * 0.92f, r * 0.33f + lw, r * 0.2f + lw, outline);
    FillEllipse(cv, cx + side * r * 0.45f, cy + r * 0.92f, r * 0.33f, r * 0.2f, bodyDark);
    float ay = mood == 3 ? -0.55f : (mood == 2 ? -0.2f : 0.25f);
    float ax = cx + side * r * 1.12f, ayy = cy + ay * r;
    DrawLine(cv, cx + side * r * 0.8f, cy + r * 0.1f, ax, ayy, r * 0.26f + 2 * lw, outline);
    DrawLine(cv, cx + side * r * 0.8f, cy + r * 0.1f, ax, ayy, r * 0.26f, bodyDark);
  }
  // Body: a soft round blob lit from the top left.
  FillCircle(cv, cx, cy, r + lw, outline);
  ShadedDisc(cv, cx, cy, r, cx - r * 0.35f, cy - r * 0.4f, r * 1.75f,
             {{0, Mix(bodyLight, Hex(0xffffff), 0.35f)}, {0.45f, bodyLight}, {1, bodyDark}});
  FillEllipse(cv, cx, cy + r * 0.45f, r * 0.55f, r * 0.38f, WithAlpha(Hex(0xfff0d0), 0.55f));
  // Antenna with a little box on top: the guide is a quorbel keeper.
  DrawLine(cv, cx + r * 0.05f, cy - r * 0.9f, cx + r * 0.25f, cy - r * 1.35f, lw * 1.9f, outline);
  DrawLine(cv, cx + r * 0.05f, cy - r * 0.9f, cx + r * 0.25f, cy - r * 1.35f, lw * 0.8f, bodyDark);
  float bs = r * 0.36f;
  FillRoundRect(cv, cx + r * 0.25f - bs / 2 - lw, cy - r * 1.35f - bs / 2 - lw, cx + r * 0.25f + bs / 2 + lw,
                cy - r * 1.35f + bs / 2 + lw, bs * 0.2f, outline);
  DrawBoxTile(cv, cx + r * 0.25f - bs / 2, cy - r * 1.35f - bs / 2, bs,
              mood == 4 ? Hex(0x777788) : Hex(0x3fb8af));
  // Cheeks.
  if (mood != 4) {
    Color blush = WithAlpha(Hex(0xff4f6d), mood == 3 ? 0.55f : 0.35f);
    FillEllipse(cv, cx - r * 0.58f, cy + r * 0.18f, r * 0.17f, r * 0.1f, blush);
    FillEllipse(cv, cx + r * 0.58f, cy + r * 0.18f, r * 0.17f, r * 0.1f, blush);
  }
  // Eyes.
  float ex = r * 0.33f, ey = cy - r * 0.18f;
  float eyeR = r * (mood == 2 ? 0.27f : 0.23f);
  for (int side = -1; side <= 1; side += 2) {
    float x = cx + side * ex;
    if (mood == 4) {
      float k = eyeR * 0.7f;
      DrawLine(cv, x - k, ey - k, x + k, ey + k, lw * 1.6f, outline);
      DrawLine(cv, x - k, ey + k, x + k, ey - k, lw * 1.6f, outline);
    } else if (mood == 3) {
      DrawPolyline(cv,
                   {x - eyeR, ey + eyeR * 0.2f, x - eyeR * 0.5f, ey - eyeR * 0.5f, x, ey - eyeR * 0.7f,
                    x + eyeR * 0.5f, ey - eyeR * 0.5f, x + eyeR, ey + eyeR * 0.2f},
                   lw * 1.6f, outline);
    } else if (eyesClosed) {
      DrawPolyline(cv,
                   {x - eyeR, ey, x - eyeR * 0.5f, ey + eyeR * 0.35f, x + eyeR * 0.5f, ey + eyeR * 0.35f,
                    x + eyeR, ey},
                   lw * 1.5f, outline);
    } else {
      FillEllipse(cv, x, ey, eyeR + lw, eyeR * 1.2f + lw, outline);
      FillEllipse(cv, x, ey, eyeR, eyeR * 1.2f, Hex(0xffffff));
      float pr = mood == 2 ? eyeR * 0.32f : eyeR * 0.55f;
      float px = x + side * -eyeR * 0.1f, py = ey + eyeR * 0.15f;
      FillCircle(cv, px, py, pr, Hex(0x2a1f3d));
      FillCircle(cv, px - pr * 0.35f, py - pr * 0.4f, pr * 0.38f, Hex(0xffffff));
    }
    // Brows tell worry and fear.
    if (mood == 1 || mood == 2) {
      float lift = mood == 2 ? 0.5f : 0.3f;
      DrawLine(cv, x - side * eyeR * 0.9f, ey - eyeR * 1.55f - lift * eyeR, x + side * eyeR * 0.8f,
               ey - eyeR * 1.5f, lw * 1.4f, outline);
    }
  }
  // Mouth.
  float my = cy + r * 0.35f;
  if (talking || mood == 2) {
    float mw = mood == 2 ? r * 0.16f : r * 0.2f, mh = mood == 2 ? r * 0.2f : r * 0.15f;
    FillEllipse(cv, cx, my + r * 0.02f, mw + lw, mh + lw, outline);
    FillEllipse(cv, cx, my + r * 0.02f, mw, mh, Hex(0x7a1f2b));
    FillEllipse(cv, cx, my + r * 0.02f + mh * 0.5f, mw * 0.6f, mh * 0.4f, Hex(0xff7a8a));
  } else if (mood == 3) {
    FillPolygon(cv,
                {cx - r * 0.32f, my - r * 0.08f, cx + r * 0.32f, my - r * 0.08f, cx + r * 0.2f, my + r * 0.2f,
                 cx, my + r * 0.28f, cx - r * 0.2f, my + r * 0.2f},
                outline);
    FillPolygon(cv,
                {cx - r * 0.25f, my - r * 0.04f, cx + r * 0.25f, my - r * 0.04f, cx + r * 0.16f,
                 my + r * 0.15f, cx, my + r * 0.21f, cx - r * 0.16f, my + r * 0.15f},
                Hex(0x7a1f2b));
    FillEllipse(cv, cx, my + r * 0.14f, r * 0.12f, r * 0.06f, Hex(0xff7a8a));
  } else if (mood == 1) {
    DrawPolyline(cv,
                 {cx - r * 0.22f, my + r * 0.05f, cx - r * 0.1f, my - r * 0.02f, cx, my + r * 0.05f,
                  cx + r * 0.1f, my - r * 0.02f, cx + r * 0.22f, my + r * 0.05f},
                 lw * 1.3f, outline);
  } else if (mood == 4) {
    DrawPolyline(cv, {cx - r * 0.22f, my + r * 0.1f, cx, my - r * 0.02f, cx + r * 0.22f, my + r * 0.1f},
                 lw * 1.4f, outline);
  } else {
    DrawPolyline(cv,
                 {cx - r * 0.22f, my - r * 0.03f, cx - r * 0.1f, my + r * 0.07f, cx + r * 0.1f,
                  my + r * 0.07f, cx + r * 0.22f, my - r * 0.03f},
                 lw * 1.4f, outline);
  }
  // Sweat drops for worry and fear.
  if (mood == 1 || mood == 2) {
    float sx = cx + r * 0.82f, sy = cy - r * 0.45f;
    for (int k = 0; k < (mood == 2 ? 2 : 1); ++k) {
      float dx = sx - k * r * 1.64f;
      FillPolygon(cv, {dx, sy - r * 0.2f, dx + r * 0.1f, sy, dx - r * 0.1f, sy}, Hex(0x8fd3ff));
      FillCircle(cv, dx, sy + r * 0.02f, r * 0.1f, Hex(0x8fd3ff));
      FillCircle(cv, dx - r * 0.03f, sy, r * 0.03f, Hex(0xffffff));
    }
  }
}
