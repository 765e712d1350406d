// The generated pictures as the game reads them: loaded from the data folder named
// by QUORBELS_DATA through the loader's own parsers, and looked at texel by texel
// from the top-left, as the drawing code cuts them.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/image_parse.h"
#include "core/files.h"

struct Picture {
  ParsedImage image;
  // Channel ch (0 red .. 3 alpha) of texel (x, y) from the top-left, 0..255.
  int At(int x, int y, int ch) const {
    if (ch == 3 && image.bytesPerPixel == 3) return 255;
    size_t row = static_cast<size_t>(image.height - 1 - y);
    return image.pixels[(row * image.width + x) * image.bytesPerPixel + ch];
  }
  int Brightness(int x, int y) const { return std::max({At(x, y, 0), At(x, y, 1), At(x, y, 2)}); }
  // A masked draw keeps texels whose alpha is at most 0.1 (25.5 of 255).
  bool Shown(int x, int y) const { return At(x, y, 3) <= 25; }
  int Width() const { return image.width; }
  int Height() const { return image.height; }
  // Share of shown texels in [x0, x1) × [y0, y1).
  double ShownShare(int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Shown(x, y);
    return static_cast<double>(n) / ((x1 - x0) * (y1 - y0));
  }
  bool ColourNear(int x, int y, int rgb, int tolerance) const {
    return std::abs(At(x, y, 0) - ((rgb >> 16) & 255)) <= tolerance &&
           std::abs(At(x, y, 1) - ((rgb >> 8) & 255)) <= tolerance &&
           std::abs(At(x, y, 2) - (rgb & 255)) <= tolerance;
  }
};

// Skips when no data folder is named.
class GeneratedPictureTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* dir = std::getenv("QUORBELS_DATA");
    if (!dir) GTEST_SKIP() << "QUORBELS_DATA names no generated data folder";
    textures = std::string(dir) + "/textures/";
  }

  // Loads a picture through the loader's own parser; fails the test when it cannot.
  Picture Load(const std::string& name) {
    Picture p;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(textures + name, bytes)) << name << " is missing";
    ImageError error;
    bool bmp = name.size() >= 4 && name.substr(name.size() - 4) == ".bmp";
    bool ok = bmp ? ParseBmp(bytes.data(), bytes.size(), p.image, error)
                  : ParseTga(bytes.data(), bytes.size(), name, p.image, error);
    EXPECT_TRUE(ok) << name << ": " << error.text;
    if (ok && bmp) {
      // The loader reads BMP rows without padding: a width whose row is not a
      // multiple of four bytes would come out sheared.
      EXPECT_EQ(p.image.width * 3 % 4, 0) << name;
    }
    return p;
  }

  std::string textures;
};
