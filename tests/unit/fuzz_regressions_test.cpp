// Inputs the fuzzers once broke the game with, kept in tests/fuzz/regressions/,
// replayed through the same parsers in the ordinary (and the sanitizer) test run,
// with what each must give now.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "assets/image_parse.h"
#include "assets/model.h"
#include "core/files.h"

namespace {

namespace fs = std::filesystem;

std::string RegressionDir(const std::string& target) {
  std::string here = __FILE__;
  return here.substr(0, here.find_last_of('/')) + "/../fuzz/regressions/" + target + "/";
}

std::vector<uint8_t> Regression(const std::string& target, const std::string& name) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(RegressionDir(target) + name, bytes)) << target << "/" << name;
  return bytes;
}

} // namespace

TEST(FuzzRegressions, JpegAnnouncingAHugeProgressivePictureIsRefusedWithTheJpgMessage) {
  // 16471 x 16726 pixels announced by 300 bytes: the decoder would have set up
  // more than 500 MB of buffers before finding that the data is missing.
  std::vector<uint8_t> bytes = Regression("jpeg", "progressive-huge-oom");
  ASSERT_FALSE(bytes.empty());
  ParsedImage image;
  ImageError error;
  EXPECT_FALSE(ParseJpg(bytes.data(), bytes.size(), "bomb.jpg", image, error));
  EXPECT_EQ(error.text, "Couldn't load JPG - \"bomb.jpg\"");
  EXPECT_EQ(error.caption, "BMP Unit");
  EXPECT_TRUE(image.pixels.empty());
}

TEST(FuzzRegressions, EveryStoredCrashInputParsesWithoutHarm) {
  // Whatever else is stored: each goes through its parser, and an accepted picture
  // or model is whole.
  for (const char* target : {"bmp", "tga", "jpeg", "ms3d"}) {
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(RegressionDir(target), missing)) {
      std::vector<uint8_t> bytes;
      ASSERT_TRUE(ReadWholeFile(entry.path().string(), bytes));
      ParsedImage image;
      ImageError error;
      bool ok = false;
      const std::string t = target;
      if (t == "bmp") ok = ParseBmp(bytes.data(), bytes.size(), image, error);
      if (t == "tga" && bytes.size() >= 18) ok = ParseTga(bytes.data(), bytes.size(), "x.tga", image, error);
      if (t == "jpeg") ok = ParseJpg(bytes.data(), bytes.size(), "x.jpg", image, error);
      if (t == "ms3d") {
        Ms3dGeometry geometry;
        if (ParseMs3d(bytes.data(), bytes.size(), geometry)) {
          for (const Ms3dTriangle& tri : geometry.triangles) {
            for (uint16_t index : tri.vertexIndices) {
              EXPECT_LT(index, geometry.vertices.size()) << entry.path();
            }
          }
        }
        continue;
      }
      if (ok) {
        EXPECT_EQ(image.pixels.size(), size_t(image.width) * image.height * image.bytesPerPixel)
            << entry.path();
      } else {
        EXPECT_FALSE(error.caption.empty()) << entry.path();
      }
    }
  }
}
