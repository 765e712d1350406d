// WritePieces and the helpers the piece_*.cpp files share.
#include "pieces.h"

#include <cmath>
#include <cstdio>

#include "datagen.h"

bool SavePiece(const std::string& dataDir, const std::string& name, const Canvas& cv) {
  std::string path = dataDir + "textures/" + name;
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0) return WriteBmp24(path, cv);
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tga") == 0) return WriteTga(path, cv, 32);
  std::fprintf(stderr, "datagen: %s: unknown picture type\n", path.c_str());
  return false;
}

Canvas Supersample(int width, int height, int factor, const std::function<void(Canvas&, float)>& draw) {
  Canvas big(width * factor, height * factor, Color{0, 0, 0, 0});
  draw(big, static_cast<float>(factor));
  return Downsample(big, factor);
}

Canvas FlipVertical(const Canvas& src) {
  Canvas out(src.width, src.height);
  size_t row = static_cast<size_t>(src.width) * 4;
  for (int y = 0; y < src.height; ++y)
    std::copy(src.pixels.begin() + static_cast<long>(y * row),
              src.pixels.begin() + static_cast<long>((y + 1) * row),
              out.pixels.begin() + static_cast<long>((src.height - 1 - y) * row));
  return out;
}

std::vector<float> InsetPolygon(const std::vector<float>& xy, float distance) {
  size_t n = xy.size() / 2;
  double area = 0;
  for (size_t i = 0; i < n; ++i) {
    size_t j = (i + 1) % n;
    area += xy[2 * i] * xy[2 * j + 1] - xy[2 * j] * xy[2 * i + 1];
  }
  // Inward normal of an edge: left of the direction for counter-clockwise (in y-down
  // pixels, a positive area means clockwise on screen).
  float side = area > 0 ? 1.0f : -1.0f;
  std::vector<float> out(xy.size());
  for (size_t i = 0; i < n; ++i) {
    size_t p = (i + n - 1) % n, q = (i + 1) % n;
    float ax = xy[2 * i] - xy[2 * p], ay = xy[2 * i + 1] - xy[2 * p + 1];
    float bx = xy[2 * q] - xy[2 * i], by = xy[2 * q + 1] - xy[2 * i + 1];
    float la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    // Inward normals of the two edges meeting at vertex i.
    float nax = -ay / la * side, nay = ax / la * side;
    float nbx = -by / lb * side, nby = bx / lb * side;
    float mx = nax + nbx, my = nay + nby;
    float ml = std::hypot(mx, my);
    if (ml < 1e-4f) {
      out[2 * i] = xy[2 * i] + nax * distance;
      out[2 * i + 1] = xy[2 * i + 1] + nay * distance;
      continue;
    }
    mx /= ml;
    my /= ml;
    float cosHalf = mx * nax + my * nay;
    float reach = distance / std::max(cosHalf, 0.25f);
    out[2 * i] = xy[2 * i] + mx * reach;
    out[2 * i + 1] = xy[2 * i + 1] + my * reach;
  }
  return out;
}

void ShadeDisc(Canvas& cv, float cx, float cy, float r, float lx, float ly, float lr,
               const std::vector<GradientStop>& stops) {
  Shade(cv, static_cast<int>(cx - r) - 2, static_cast<int>(cy - r) - 2, static_cast<int>(cx + r) + 3,
        static_cast<int>(cy + r) + 3, [&](float px, float py) {
          Color c = GradientAt(stops, std::hypot(px - lx, py - ly) / lr);
          c.a *= Coverage(DistCircle(px, py, cx, cy, r));
          return c;
        });
}

void FlattenOnto(Canvas& cv, const Color& background) {
  Canvas base(cv.width, cv.height, WithAlpha(background, 1));
  DrawCanvas(base, cv, 0, 0);
  cv = base;
}

bool WritePieces(const std::string& dataDir) {
  return WriteHudPieces(dataDir) && WriteItemPieces(dataDir) && WriteScenePieces(dataDir) &&
         WriteEffectPieces(dataDir);
}
