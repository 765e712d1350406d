// The generator's drawing canvas: an RGBA8 picture with antialiased shapes,
// gradients, noise, blur and the two picture writers the game's loaders read.
//
// Coordinates are in pixels from the top-left corner, x to the right, y down;
// pixel (x, y) covers the square [x, x+1) × [y, y+1), so its centre is at
// (x + 0.5, y + 0.5). Colours are floats 0..1 (straight, not premultiplied);
// every drawing call blends "source over" unless it says otherwise. Drawing
// outside the canvas is clipped. Nothing here is random: noise takes a seed.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Color {
  float r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB with an optional alpha 0..1.
Color Hex(uint32_t rgb, float alpha = 1.0f);
Color Rgb8(int r, int g, int b, int a = 255);
Color Mix(const Color& a, const Color& b, float t); // t = 0 → a, 1 → b, all four channels
Color WithAlpha(Color c, float alpha);
Color Scale(Color c, float factor); // colour channels times factor, alpha kept
float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float x);

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels; // RGBA, top row first, width * height * 4 bytes

  Canvas() = default;
  Canvas(int w, int h, Color fill = Color{0, 0, 0, 0});

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint8_t* At(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
  const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
  Color Get(int x, int y) const;          // transparent black outside
  void Set(int x, int y, const Color& c); // overwrite, ignored outside
  // Source-over blend of `c` with its alpha multiplied by `coverage`.
  void Blend(int x, int y, const Color& c, float coverage = 1.0f);
  // Adds c * coverage to the colour channels (alpha untouched): light, glow.
  void Add(int x, int y, const Color& c, float coverage = 1.0f);
  void Fill(const Color& c);
};

// ---- Filled shapes (antialiased edges) -------------------------------------

void FillRect(Canvas& cv, float x0, float y0, float x1, float y1, const Color& c);
void FillRoundRect(Canvas& cv, float x0, float y0, float x1, float y1, float radius, const Color& c);
void FillCircle(Canvas& cv, float cx, float cy, float r, const Color& c);
void FillEllipse(Canvas& cv, float cx, float cy, float rx, float ry, const Color& c);
// Any simple or self-intersecting polygon, non-zero winding, 4×4 samples per pixel.
void FillPolygon(Canvas& cv, const std::vector<float>& xy, const Color& c);
// A straight stroke with round ends.
void DrawLine(Canvas& cv, float x0, float y0, float x1, float y1, float width, const Color& c);
// An open polyline of round-ended strokes (points as x, y pairs).
void DrawPolyline(Canvas& cv, const std::vector<float>& xy, float width, const Color& c);
void StrokeRoundRect(Canvas& cv, float x0, float y0, float x1, float y1, float radius, float width,
                     const Color& c);
void StrokeCircle(Canvas& cv, float cx, float cy, float r, float width, const Color& c);

// ---- Coverage / shading building blocks ------------------------------------

// Signed distances (negative inside) for composing shapes in Shade callbacks.
float DistRoundRect(float px, float py, float x0, float y0, float x1, float y1, float radius);
float DistCircle(float px, float py, float cx, float cy, float r);
float DistSegment(float px, float py, float x0, float y0, float x1, float y1);
// Antialiased coverage 0..1 from a signed distance in pixels.
float Coverage(float signedDistance);

// Calls `shader(x, y)` at the centre of every pixel of the box [x0,x1)×[y0,y1)
// (clipped) and blends the colour it returns (its alpha is the coverage).
void Shade(Canvas& cv, int x0, int y0, int x1, int y1, const std::function<Color(float x, float y)>& shader);

// ---- Gradients -------------------------------------------------------------

struct GradientStop {
  float at; // 0..1
  Color color;
};
// Colour of a gradient at t (clamped), stops in rising order.
Color GradientAt(const std::vector<GradientStop>& stops, float t);
// Fills the box with a gradient running from (gx0, gy0) (t = 0) to (gx1, gy1) (t = 1).
void FillLinearGradient(Canvas& cv, float x0, float y0, float x1, float y1, float gx0, float gy0, float gx1,
                        float gy1, const std::vector<GradientStop>& stops);
void FillVerticalGradient(Canvas& cv, float x0, float y0, float x1, float y1, const Color& top,
                          const Color& bottom);
// Radial gradient inside the circle (t = distance / r), outside untouched.
void FillRadialGradient(Canvas& cv, float cx, float cy, float r, const std::vector<GradientStop>& stops);

// ---- Noise -----------------------------------------------------------------

// Smooth value noise in 0..1, period-free, repeatable for a given seed.
float ValueNoise(float x, float y, uint32_t seed);
// Fractal sum of `octaves` value noises (each twice the frequency, half the weight), 0..1.
float Fbm(float x, float y, int octaves, uint32_t seed);
// Integer hash → 0..1, for scattering things deterministically.
float Hash01(uint32_t a, uint32_t b = 0, uint32_t seed = 0);

// Repeatable pseudo-random sequence for scattering (xorshift). Take each value into
// a variable of its own before a call that uses several: the order in which a
// call's arguments are worked out is the compiler's choice, and the pictures must
// not depend on the compiler. Several pictures draw their values last argument
// first, the order they were made with.
struct Rng {
  explicit Rng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
  uint32_t Next();
  float Uniform();                 // 0..1
  float Range(float lo, float hi); // lo..hi
  int Int(int n);                  // 0..n-1
  uint32_t state;
};

// ---- Whole-picture operations ----------------------------------------------

void BoxBlur(Canvas& cv, int radius); // all four channels, edges clamped
// Copies src onto dst with its top-left at (x, y), source over (or overwrite).
void DrawCanvas(Canvas& dst, const Canvas& src, int x, int y, bool overwrite = false);
// Bilinear resampling to a new size (for drawing at a larger size and shrinking).
Canvas Resize(const Canvas& src, int w, int h);
// Average of factor×factor blocks; width and height must be multiples of factor.
Canvas Downsample(const Canvas& src, int factor);
Canvas Crop(const Canvas& src, int x, int y, int w, int h);
Canvas FlipHorizontal(const Canvas& src);
// Multiplies the colour channels by alpha (pictures drawn with a premultiplied blend).
void Premultiply(Canvas& cv);
// Sets every pixel's alpha (used before writing masks).
void SetAlpha(Canvas& cv, float alpha);

// ---- Writers ---------------------------------------------------------------

// 24-bit BMP: 14-byte file header + 40-byte info header, no palette, rows bottom
// first in BGR, image-size field filled. Needs width * 3 to be a multiple of 4
// (the loaders read unpadded rows); an empty vector otherwise.
std::vector<uint8_t> EncodeBmp24(const Canvas& cv);
// Uncompressed TGA (type 2, no colour map, no image id), rows bottom first, BGR
// or BGRA for bits 24 or 32; an empty vector for other bit counts.
std::vector<uint8_t> EncodeTga(const Canvas& cv, int bits);
// Write the encoded file; false after printing the reason on stderr.
bool WriteBmp24(const std::string& path, const Canvas& cv);
bool WriteTga(const std::string& path, const Canvas& cv, int bits);
