#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/binio.h"
#include "datagen.h"

Color Hex(uint32_t rgb, float alpha) {
  return Color{((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, alpha};
}

Color Rgb8(int r, int g, int b, int a) {
  return Color{r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f};
}

Color Mix(const Color& a, const Color& b, float t) {
  return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color WithAlpha(Color c, float alpha) {
  c.a = alpha;
  return c;
}

Color Scale(Color c, float factor) {
  c.r *= factor;
  c.g *= factor;
  c.b *= factor;
  return c;
}

float Clamp01(float v) {
  return v < 0 ? 0 : (v > 1 ? 1 : v);
}

float SmoothStep(float edge0, float edge1, float x) {
  float t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

namespace {
uint8_t ToByte(float v) {
  return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f));
}
} // namespace

Canvas::Canvas(int w, int h, Color fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4) {
  Fill(fill);
}

Color Canvas::Get(int x, int y) const {
  if (!Inside(x, y)) return Color{0, 0, 0, 0};
  const uint8_t* p = At(x, y);
  return Color{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
}

void Canvas::Set(int x, int y, const Color& c) {
  if (!Inside(x, y)) return;
  uint8_t* p = At(x, y);
  p[0] = ToByte(c.r);
  p[1] = ToByte(c.g);
  p[2] = ToByte(c.b);
  p[3] = ToByte(c.a);
}

void Canvas::Blend(int x, int y, const Color& c, float coverage) {
  if (!Inside(x, y)) return;
  float sa = Clamp01(c.a * coverage);
  if (sa <= 0) return;
  Color d = Get(x, y);
  float oa = sa + d.a * (1 - sa);
  Color o{0, 0, 0, oa};
  if (oa > 0) {
    o.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
    o.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
    o.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
  }
  Set(x, y, o);
}

void Canvas::Add(int x, int y, const Color& c, float coverage) {
  if (!Inside(x, y)) return;
  Color d = Get(x, y);
  float k = c.a * coverage;
  d.r += c.r * k;
  d.g += c.g * k;
  d.b += c.b * k;
  Set(x, y, d);
}

void Canvas::Fill(const Color& c) {
  uint8_t b[4] = {ToByte(c.r), ToByte(c.g), ToByte(c.b), ToByte(c.a)};
  for (size_t i = 0; i < pixels.size(); i += 4) std::copy(b, b + 4, pixels.begin() + static_cast<long>(i));
}

// ---- Distances and coverage ------------------------------------------------

float Coverage(float signedDistance) {
  return Clamp01(0.5f - signedDistance);
}

float DistRoundRect(float px, float py, float x0, float y0, float x1, float y1, float radius) {
  float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
  float hx = (x1 - x0) * 0.5f, hy = (y1 - y0) * 0.5f;
  radius = std::min(radius, std::min(hx, hy));
  float qx = std::fabs(px - cx) - hx + radius;
  float qy = std::fabs(py - cy) - hy + radius;
  float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float DistCircle(float px, float py, float cx, float cy, float r) {
  return std::hypot(px - cx, py - cy) - r;
}

float DistSegment(float px, float py, float x0, float y0, float x1, float y1) {
  float dx = x1 - x0, dy = y1 - y0;
  float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? Clamp01(((px - x0) * dx + (py - y0) * dy) / len2) : 0;
  return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

void Shade(Canvas& cv, int x0, int y0, int x1, int y1, const std::function<Color(float x, float y)>& shader) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, cv.width);
  y1 = std::min(y1, cv.height);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      Color c = shader(x + 0.5f, y + 0.5f);
      if (c.a > 0) cv.Blend(x, y, c);
    }
}

namespace {
// Runs `dist` over the pixels of a bounding box (grown by one pixel for the soft edge).
template <typename F>
void FillByDistance(Canvas& cv, float bx0, float by0, float bx1, float by1, const Color& c, F dist) {
  int x0 = static_cast<int>(std::floor(bx0)) - 1, y0 = static_cast<int>(std::floor(by0)) - 1;
  int x1 = static_cast<int>(std::ceil(bx1)) + 1, y1 = static_cast<int>(std::ceil(by1)) + 1;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, cv.width);
  y1 = std::min(y1, cv.height);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      float cov = Coverage(dist(x + 0.5f, y + 0.5f));
      if (cov > 0) cv.Blend(x, y, c, cov);
    }
}
} // namespace

// ---- Shapes ----------------------------------------------------------------

void FillRect(Canvas& cv, float x0, float y0, float x1, float y1, const Color& c) {
  if (x1 <= x0 || y1 <= y0) return;
  int ix0 = std::max(0, static_cast<int>(std::floor(x0))),
      iy0 = std::max(0, static_cast<int>(std::floor(y0)));
  int ix1 = std::min(cv.width, static_cast<int>(std::ceil(x1)));
  int iy1 = std::min(cv.height, static_cast<int>(std::ceil(y1)));
  for (int y = iy0; y < iy1; ++y) {
    float cy = std::min(y1, y + 1.0f) - std::max(y0, static_cast<float>(y));
    for (int x = ix0; x < ix1; ++x) {
      float cx = std::min(x1, x + 1.0f) - std::max(x0, static_cast<float>(x));
      cv.Blend(x, y, c, cx * cy);
    }
  }
}

void FillRoundRect(Canvas& cv, float x0, float y0, float x1, float y1, float radius, const Color& c) {
  FillByDistance(cv, x0, y0, x1, y1, c,
                 [&](float px, float py) { return DistRoundRect(px, py, x0, y0, x1, y1, radius); });
}

void FillCircle(Canvas& cv, float cx, float cy, float r, const Color& c) {
  FillByDistance(cv, cx - r, cy - r, cx + r, cy + r, c,
                 [&](float px, float py) { return DistCircle(px, py, cx, cy, r); });
}

void FillEllipse(Canvas& cv, float cx, float cy, float rx, float ry, const Color& c) {
  if (rx <= 0 || ry <= 0) return;
  // Distance approximated by the implicit function over its gradient length.
  FillByDistance(cv, cx - rx, cy - ry, cx + rx, cy + ry, c, [&](float px, float py) {
    float dx = (px - cx) / rx, dy = (py - cy) / ry;
    float f = std::sqrt(dx * dx + dy * dy);
    if (f == 0) return -std::min(rx, ry);
    float gx = dx / (rx * f), gy = dy / (ry * f);
    float g = std::hypot(gx, gy);
    return (f - 1) / g;
  });
}

void DrawLine(Canvas& cv, float x0, float y0, float x1, float y1, float width, const Color& c) {
  float h = width * 0.5f;
  FillByDistance(cv, std::min(x0, x1) - h, std::min(y0, y1) - h, std::max(x0, x1) + h, std::max(y0, y1) + h,
                 c, [&](float px, float py) { return DistSegment(px, py, x0, y0, x1, y1) - h; });
}

void DrawPolyline(Canvas& cv, const std::vector<float>& xy, float width, const Color& c) {
  if (xy.size() < 4) return;
  float h = width * 0.5f;
  float bx0 = xy[0], by0 = xy[1], bx1 = xy[0], by1 = xy[1];
  for (size_t i = 0; i + 1 < xy.size(); i += 2) {
    bx0 = std::min(bx0, xy[i]);
    bx1 = std::max(bx1, xy[i]);
    by0 = std::min(by0, xy[i + 1]);
    by1 = std::max(by1, xy[i + 1]);
  }
  // One pass with the distance to the nearest segment, so joints do not double the alpha.
  FillByDistance(cv, bx0 - h, by0 - h, bx1 + h, by1 + h, c, [&](float px, float py) {
    float d = 1e9f;
    for (size_t i = 0; i + 3 < xy.size(); i += 2)
      d = std::min(d, DistSegment(px, py, xy[i], xy[i + 1], xy[i + 2], xy[i + 3]));
    return d - h;
  });
}

void StrokeRoundRect(Canvas& cv, float x0, float y0, float x1, float y1, float radius, float width,
                     const Color& c) {
  float h = width * 0.5f;
  FillByDistance(cv, x0 - h, y0 - h, x1 + h, y1 + h, c, [&](float px, float py) {
    return std::fabs(DistRoundRect(px, py, x0, y0, x1, y1, radius)) - h;
  });
}

void StrokeCircle(Canvas& cv, float cx, float cy, float r, float width, const Color& c) {
  float h = width * 0.5f;
  FillByDistance(cv, cx - r - h, cy - r - h, cx + r + h, cy + r + h, c,
                 [&](float px, float py) { return std::fabs(DistCircle(px, py, cx, cy, r)) - h; });
}

void FillPolygon(Canvas& cv, const std::vector<float>& xy, const Color& c) {
  size_t n = xy.size() / 2;
  if (n < 3) return;
  float bx0 = xy[0], by0 = xy[1], bx1 = xy[0], by1 = xy[1];
  for (size_t i = 0; i < n; ++i) {
    bx0 = std::min(bx0, xy[2 * i]);
    bx1 = std::max(bx1, xy[2 * i]);
    by0 = std::min(by0, xy[2 * i + 1]);
    by1 = std::max(by1, xy[2 * i + 1]);
  }
  int x0 = std::max(0, static_cast<int>(std::floor(bx0))),
      y0 = std::max(0, static_cast<int>(std::floor(by0)));
  int x1 = std::min(cv.width, static_cast<int>(std::ceil(bx1)));
  int y1 = std::min(cv.height, static_cast<int>(std::ceil(by1)));
  if (x0 >= x1 || y0 >= y1) return;
  const int S = 4;
  int w = x1 - x0;
  std::vector<float> cover(static_cast<size_t>(w));
  std::vector<float> crossings;
  for (int y = y0; y < y1; ++y) {
    std::fill(cover.begin(), cover.end(), 0.0f);
    for (int sy = 0; sy < S; ++sy) {
      float py = y + (sy + 0.5f) / S;
      // Crossings of this sample row with every edge, carrying the winding direction.
      crossings.clear();
      std::vector<int> dirs;
      for (size_t i = 0; i < n; ++i) {
        float ax = xy[2 * i], ay = xy[2 * i + 1];
        float bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
        if ((ay <= py && by > py) || (by <= py && ay > py)) {
          crossings.push_back(ax + (py - ay) / (by - ay) * (bx - ax));
          dirs.push_back(by > ay ? 1 : -1);
        }
      }
      std::vector<size_t> order(crossings.size());
      for (size_t i = 0; i < order.size(); ++i) order[i] = i;
      std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return crossings[a] < crossings[b]; });
      int winding = 0;
      for (size_t k = 0; k + 1 < order.size(); ++k) {
        winding += dirs[order[k]];
        if (winding == 0) continue;
        float sx0 = crossings[order[k]], sx1 = crossings[order[k + 1]];
        for (int sx = 0; sx < S; ++sx) {
          float off = (sx + 0.5f) / S;
          // Sample columns whose position lies inside the span.
          int first = static_cast<int>(std::ceil(sx0 - off));
          int last = static_cast<int>(std::ceil(sx1 - off)) - 1;
          first = std::max(first, x0);
          last = std::min(last, x1 - 1);
          for (int x = first; x <= last; ++x) cover[static_cast<size_t>(x - x0)] += 1.0f / (S * S);
        }
      }
    }
    for (int x = x0; x < x1; ++x) {
      float cov = cover[static_cast<size_t>(x - x0)];
      if (cov > 0) cv.Blend(x, y, c, std::min(cov, 1.0f));
    }
  }
}

// ---- Gradients -------------------------------------------------------------

Color GradientAt(const std::vector<GradientStop>& stops, float t) {
  if (stops.empty()) return Color{0, 0, 0, 0};
  if (t <= stops.front().at) return stops.front().color;
  for (size_t i = 1; i < stops.size(); ++i) {
    if (t <= stops[i].at) {
      float span = stops[i].at - stops[i - 1].at;
      float k = span > 0 ? (t - stops[i - 1].at) / span : 1;
      return Mix(stops[i - 1].color, stops[i].color, k);
    }
  }
  return stops.back().color;
}

void FillLinearGradient(Canvas& cv, float x0, float y0, float x1, float y1, float gx0, float gy0, float gx1,
                        float gy1, const std::vector<GradientStop>& stops) {
  float dx = gx1 - gx0, dy = gy1 - gy0;
  float len2 = dx * dx + dy * dy;
  if (len2 <= 0) return;
  int ix0 = static_cast<int>(std::floor(x0)), iy0 = static_cast<int>(std::floor(y0));
  int ix1 = static_cast<int>(std::ceil(x1)), iy1 = static_cast<int>(std::ceil(y1));
  Shade(cv, ix0, iy0, ix1, iy1, [&](float px, float py) {
    Color c = GradientAt(stops, ((px - gx0) * dx + (py - gy0) * dy) / len2);
    // Partial coverage of the box's fractional edges.
    float cx = Clamp01(std::min(px + 0.5f, x1) - std::max(px - 0.5f, x0));
    float cy = Clamp01(std::min(py + 0.5f, y1) - std::max(py - 0.5f, y0));
    c.a *= cx * cy;
    return c;
  });
}

void FillVerticalGradient(Canvas& cv, float x0, float y0, float x1, float y1, const Color& top,
                          const Color& bottom) {
  FillLinearGradient(cv, x0, y0, x1, y1, 0, y0, 0, y1, {{0, top}, {1, bottom}});
}

void FillRadialGradient(Canvas& cv, float cx, float cy, float r, const std::vector<GradientStop>& stops) {
  if (r <= 0) return;
  Shade(cv, static_cast<int>(cx - r) - 1, static_cast<int>(cy - r) - 1, static_cast<int>(cx + r) + 2,
        static_cast<int>(cy + r) + 2, [&](float px, float py) {
          float d = std::hypot(px - cx, py - cy);
          Color c = GradientAt(stops, d / r);
          c.a *= Coverage(d - r);
          return c;
        });
}

// ---- Noise -----------------------------------------------------------------

namespace {
uint32_t Mix32(uint32_t h) {
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}
float Lattice(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = Mix32(static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
                     seed * 0xCB1AB31Fu);
  return (h >> 8) / 16777216.0f;
}
} // namespace

float Hash01(uint32_t a, uint32_t b, uint32_t seed) {
  return (Mix32(a * 0x9E3779B1u ^ Mix32(b + 0x632BE5ABu) ^ seed * 0x85EBCA77u) >> 8) / 16777216.0f;
}

float ValueNoise(float x, float y, uint32_t seed) {
  float fx = std::floor(x), fy = std::floor(y);
  int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  float a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
  float c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
  float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

float Fbm(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, weight = 0.5f, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 1013u) * weight;
    total += weight;
    x *= 2.0f;
    y *= 2.0f;
    weight *= 0.5f;
  }
  return total > 0 ? sum / total : 0;
}

uint32_t Rng::Next() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}
float Rng::Uniform() {
  return (Next() >> 8) / 16777216.0f;
}
float Rng::Range(float lo, float hi) {
  return lo + (hi - lo) * Uniform();
}
int Rng::Int(int n) {
  return n > 0 ? static_cast<int>(Next() % static_cast<uint32_t>(n)) : 0;
}

// ---- Whole-picture operations ----------------------------------------------

void BoxBlur(Canvas& cv, int radius) {
  if (radius <= 0 || cv.width == 0 || cv.height == 0) return;
  std::vector<uint8_t> tmp(cv.pixels.size());
  auto pass = [&](const std::vector<uint8_t>& src, std::vector<uint8_t>& dst, bool horizontal) {
    int len = horizontal ? cv.width : cv.height;
    int lines = horizontal ? cv.height : cv.width;
    int span = 2 * radius + 1;
    for (int line = 0; line < lines; ++line) {
      auto index = [&](int i) {
        i = std::clamp(i, 0, len - 1);
        int x = horizontal ? i : line, y = horizontal ? line : i;
        return (static_cast<size_t>(y) * cv.width + x) * 4;
      };
      for (int ch = 0; ch < 4; ++ch) {
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) sum += src[index(i) + ch];
        for (int i = 0; i < len; ++i) {
          dst[index(i) + ch] = static_cast<uint8_t>((sum + span / 2) / span);
          sum += src[index(i + radius + 1) + ch] - src[index(i - radius) + ch];
        }
      }
    }
  };
  pass(cv.pixels, tmp, true);
  pass(tmp, cv.pixels, false);
}

void DrawCanvas(Canvas& dst, const Canvas& src, int x, int y, bool overwrite) {
  for (int sy = 0; sy < src.height; ++sy)
    for (int sx = 0; sx < src.width; ++sx) {
      if (!dst.Inside(x + sx, y + sy)) continue;
      if (overwrite) {
        std::copy(src.At(sx, sy), src.At(sx, sy) + 4, dst.At(x + sx, y + sy));
      } else {
        dst.Blend(x + sx, y + sy, src.Get(sx, sy));
      }
    }
}

Canvas Resize(const Canvas& src, int w, int h) {
  Canvas out(w, h);
  if (src.width == 0 || src.height == 0) return out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      float sx = (x + 0.5f) * src.width / w - 0.5f, sy = (y + 0.5f) * src.height / h - 0.5f;
      int ix = static_cast<int>(std::floor(sx)), iy = static_cast<int>(std::floor(sy));
      float tx = sx - ix, ty = sy - iy;
      auto get = [&](int px, int py) {
        return src.Get(std::clamp(px, 0, src.width - 1), std::clamp(py, 0, src.height - 1));
      };
      // Interpolate premultiplied so transparent pixels do not bleed their colour.
      Color acc{0, 0, 0, 0};
      const int dx[4] = {0, 1, 0, 1}, dy[4] = {0, 0, 1, 1};
      const float wt[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
      for (int k = 0; k < 4; ++k) {
        Color c = get(ix + dx[k], iy + dy[k]);
        acc.r += c.r * c.a * wt[k];
        acc.g += c.g * c.a * wt[k];
        acc.b += c.b * c.a * wt[k];
        acc.a += c.a * wt[k];
      }
      if (acc.a > 0) {
        acc.r /= acc.a;
        acc.g /= acc.a;
        acc.b /= acc.a;
      }
      out.Set(x, y, acc);
    }
  return out;
}

Canvas Downsample(const Canvas& src, int factor) {
  if (factor <= 1) return src;
  Canvas out(src.width / factor, src.height / factor);
  float n = static_cast<float>(factor * factor);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      Color acc{0, 0, 0, 0};
      for (int sy = 0; sy < factor; ++sy)
        for (int sx = 0; sx < factor; ++sx) {
          Color c = src.Get(x * factor + sx, y * factor + sy);
          acc.r += c.r * c.a;
          acc.g += c.g * c.a;
          acc.b += c.b * c.a;
          acc.a += c.a;
        }
      if (acc.a > 0) {
        acc.r /= acc.a;
        acc.g /= acc.a;
        acc.b /= acc.a;
      }
      acc.a /= n;
      out.Set(x, y, acc);
    }
  return out;
}

Canvas Crop(const Canvas& src, int x, int y, int w, int h) {
  Canvas out(w, h);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx)
      if (src.Inside(x + xx, y + yy))
        std::copy(src.At(x + xx, y + yy), src.At(x + xx, y + yy) + 4, out.At(xx, yy));
  return out;
}

Canvas FlipHorizontal(const Canvas& src) {
  Canvas out(src.width, src.height);
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x)
      std::copy(src.At(x, y), src.At(x, y) + 4, out.At(src.width - 1 - x, y));
  return out;
}

void Premultiply(Canvas& cv) {
  for (size_t i = 0; i < cv.pixels.size(); i += 4) {
    unsigned a = cv.pixels[i + 3];
    for (int ch = 0; ch < 3; ++ch)
      cv.pixels[i + ch] = static_cast<uint8_t>((cv.pixels[i + ch] * a + 127) / 255);
  }
}

void SetAlpha(Canvas& cv, float alpha) {
  uint8_t a = ToByte(alpha);
  for (size_t i = 3; i < cv.pixels.size(); i += 4) cv.pixels[i] = a;
}

// ---- Writers ---------------------------------------------------------------

std::vector<uint8_t> EncodeBmp24(const Canvas& cv) {
  if (cv.width <= 0 || cv.height <= 0 || (cv.width * 3) % 4 != 0) return {};
  const uint32_t imageSize = static_cast<uint32_t>(cv.width) * cv.height * 3;
  ByteWriter w(54 + imageSize);
  w.U8(0, 'B');
  w.U8(1, 'M');
  w.U32(2, 54 + imageSize);
  w.U32(10, 54);
  w.U32(14, 40);
  w.I32(18, cv.width);
  w.I32(22, cv.height);
  w.U16(26, 1);
  w.U16(28, 24);
  w.U32(30, 0);
  w.U32(34, imageSize);
  w.I32(38, 2835); // 72 dpi
  w.I32(42, 2835);
  auto& out = w.Result();
  size_t o = 54;
  for (int y = cv.height - 1; y >= 0; --y)
    for (int x = 0; x < cv.width; ++x) {
      const uint8_t* p = cv.At(x, y);
      out[o++] = p[2];
      out[o++] = p[1];
      out[o++] = p[0];
    }
  return out;
}

std::vector<uint8_t> EncodeTga(const Canvas& cv, int bits) {
  if ((bits != 24 && bits != 32) || cv.width <= 0 || cv.height <= 0 || cv.width > 65535 || cv.height > 65535)
    return {};
  const size_t bpp = static_cast<size_t>(bits / 8);
  ByteWriter w(18 + static_cast<size_t>(cv.width) * cv.height * bpp);
  w.U8(0, 0); // no image id
  w.U8(1, 0); // no colour map
  w.U8(2, 2); // uncompressed true colour
  w.U16(12, static_cast<uint16_t>(cv.width));
  w.U16(14, static_cast<uint16_t>(cv.height));
  w.U8(16, static_cast<uint8_t>(bits));
  w.U8(17, bits == 32 ? 8 : 0); // alpha bits, origin bottom left
  auto& out = w.Result();
  size_t o = 18;
  for (int y = cv.height - 1; y >= 0; --y)
    for (int x = 0; x < cv.width; ++x) {
      const uint8_t* p = cv.At(x, y);
      out[o++] = p[2];
      out[o++] = p[1];
      out[o++] = p[0];
      if (bpp == 4) out[o++] = p[3];
    }
  return out;
}

namespace {
bool WriteEncoded(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) {
    std::fprintf(stderr, "datagen: %s: picture cannot be stored in this format\n", path.c_str());
    return false;
  }
  return WriteDataFile(path, bytes);
}
} // namespace

bool WriteBmp24(const std::string& path, const Canvas& cv) {
  return WriteEncoded(path, EncodeBmp24(cv));
}

bool WriteTga(const std::string& path, const Canvas& cv, int bits) {
  return WriteEncoded(path, EncodeTga(cv, bits));
}
