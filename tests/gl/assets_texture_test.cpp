// Texture files through the loaders into OpenGL: formats, filters, the modulate
// environment, the mipmap chain, upright pictures, and the variable left alone
// when a file is refused.
#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <unistd.h>
#include <vector>

#include "assets/textures.h"
#include "core/binio.h"
#include "core/files.h"
#include "gl_fixture.h"
#include "platform/platform.h"
#include "ui/screen2d.h"

namespace {

Rgb C(int r, int g, int b) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// Quadrants as seen on screen: top-left blue, top-right white, bottom-left red, bottom-right green.
Rgb Quadrant(int x, int y, int w, int h) {
  bool top = y < h / 2, left = x < w / 2;
  return top ? (left ? C(0, 0, 255) : C(255, 255, 255)) : (left ? C(255, 0, 0) : C(0, 255, 0));
}

class TextureFiles : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(OpenGameTestWindow());
    char dir[] = "/tmp/quorbels-texfiles-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
  }
  void TearDown() override {
    for (const std::string& f : files_) unlink(f.c_str());
    rmdir(dir_.c_str());
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = dir_ + "/" + name;
    EXPECT_TRUE(WriteFileAtomic(path, bytes.data(), bytes.size()));
    files_.push_back(path);
    return path;
  }
  // Stored bottom row first, blue-green-red(-alpha).
  std::vector<uint8_t> StoredQuadrants(int w, int h, int bytes, uint8_t alpha = 255) {
    std::vector<uint8_t> out;
    for (int row = 0; row < h; ++row)
      for (int x = 0; x < w; ++x) {
        Rgb c = Quadrant(x, h - 1 - row, w, h);
        out.insert(out.end(), {c.b, c.g, c.r});
        if (bytes == 4) out.push_back(alpha);
      }
    return out;
  }
  std::string Bmp(const std::string& name, int w, int h) {
    ByteWriter header(54);
    header.U8(0, 'B');
    header.U8(1, 'M');
    header.U32(14, 40);
    header.I32(18, w);
    header.I32(22, h);
    header.U16(28, 24);
    std::vector<uint8_t> file = header.Result();
    std::vector<uint8_t> pixels = StoredQuadrants(w, h, 3);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return Write(name, file);
  }
  std::string Tga(const std::string& name, int w, int h, int bits, uint8_t alpha = 255) {
    ByteWriter header(18);
    header.U8(2, 2);
    header.U16(12, static_cast<uint16_t>(w));
    header.U16(14, static_cast<uint16_t>(h));
    header.U8(16, static_cast<uint8_t>(bits));
    std::vector<uint8_t> file = header.Result();
    std::vector<uint8_t> pixels = StoredQuadrants(w, h, bits / 8, alpha);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return Write(name, file);
  }
  std::string dir_;
  std::vector<std::string> files_;
};

GLint TexParam(uint32_t texture, GLenum name) {
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint value = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
  return value;
}

GLint LevelParam(uint32_t texture, int level, GLenum name) {
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint value = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
  return value;
}

void ExpectUprightQuadrants(uint32_t texture) {
  ResetTestFrame();
  BeginScreenSpace();
  DrawImage(texture, 0, 0, 200, 200);
  EndScreenSpace();
  for (auto [x, y] : {std::pair{50, 50}, {150, 50}, {50, 150}, {150, 150}})
    EXPECT_EQ(PixelAt(x, y), Quadrant(x, y, 200, 200)) << x << ", " << y;
}

} // namespace

TEST_F(TextureFiles, BmpLoadsUprightSmoothOrSharp) {
  std::string path = Bmp("q.Bmp", 8, 8);
  uint32_t smooth = 0, sharp = 0;
  LoadTexture(path, smooth);
  LoadTextureSharp(path, sharp);
  ASSERT_NE(smooth, 0u);
  ASSERT_NE(sharp, 0u);
  EXPECT_NE(smooth, sharp);
  EXPECT_EQ(TexParam(smooth, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_EQ(TexParam(smooth, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(TexParam(sharp, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
  EXPECT_EQ(TexParam(sharp, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_EQ(mode, GL_MODULATE);
  EXPECT_EQ(LevelParam(sharp, 0, GL_TEXTURE_WIDTH), 8);
  // Only the base level: the filters never sample smaller ones.
  EXPECT_EQ(LevelParam(sharp, 1, GL_TEXTURE_WIDTH), 0);
  EXPECT_EQ(LevelParam(sharp, 0, GL_TEXTURE_ALPHA_SIZE), 0);
  ExpectUprightQuadrants(sharp);
  ExpectUprightQuadrants(smooth);
}

TEST_F(TextureFiles, TgaKeepsAlphaOnlyAtThirtyTwoBitsAndIsAlwaysSmooth) {
  uint32_t rgb = 0, rgba = 0;
  LoadTextureSharp(Tga("rgb.tga", 8, 8, 24), rgb);
  LoadTextureSharp(Tga("rgba.TGA", 8, 8, 32, 77), rgba);
  ASSERT_NE(rgb, 0u);
  ASSERT_NE(rgba, 0u);
  EXPECT_EQ(TexParam(rgb, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_EQ(TexParam(rgba, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(LevelParam(rgb, 0, GL_TEXTURE_ALPHA_SIZE), 0);
  EXPECT_GT(LevelParam(rgba, 0, GL_TEXTURE_ALPHA_SIZE), 0);
  ExpectUprightQuadrants(rgb);
  ExpectUprightQuadrants(rgba);
  // The alpha survives: a glow draw (source alpha, one) of white adds 77/255 of it.
  ResetTestFrame();
  BeginScreenSpace();
  DrawImagePartGlow(rgba, 0, 0, 200, 200, 0, 0, 1, 1, 255);
  EndScreenSpace();
  EXPECT_TRUE(Near(PixelAt(150, 50), C(77, 77, 77), 1)) << PixelAt(150, 50);
}

TEST_F(TextureFiles, SidesThatAreNoPowerOfTwoAreScaled) {
  uint32_t texture = 0;
  LoadTextureSharp(Bmp("wide.bmp", 12, 4), texture); // 12 x 3 bytes: rows need no padding
  ASSERT_NE(texture, 0u);
  EXPECT_EQ(LevelParam(texture, 0, GL_TEXTURE_WIDTH), 16); // 12 is nearest to 16
  EXPECT_EQ(LevelParam(texture, 0, GL_TEXTURE_HEIGHT), 4);
  ExpectUprightQuadrants(texture);
}

TEST_F(TextureFiles, AFullScreenPictureUploadsOnlyTheCornerItShowsWithTheSameTexels) {
  // A 1024 x 1024 picture whose texels say where they are (red, green: x and y
  // mod 256 from the top left; blue: their high bits), stored bottom row first.
  const int side = 1024;
  std::vector<uint8_t> file = [] {
    ByteWriter header(54);
    header.U8(0, 'B');
    header.U8(1, 'M');
    header.U32(14, 40);
    header.I32(18, 1024);
    header.I32(22, 1024);
    header.U16(28, 24);
    return header.Result();
  }();
  for (int row = 0; row < side; ++row)
    for (int x = 0; x < side; ++x) {
      const int y = side - 1 - row;
      file.insert(file.end(), {static_cast<uint8_t>((x >> 8) * 16 + (y >> 8)), static_cast<uint8_t>(y & 255),
                               static_cast<uint8_t>(x & 255)});
    }
  const std::string path = Write("screen.bmp", file);
  const struct {
    TexturePart asked;
    bool cut; // the renderer here takes textures of any size
    int width, height;
  } cases[] = {
      {FULL_SCREEN_CORNER, true, 800, 600},
      // A part that ends inside a texel: the whole picture, the part as it was.
      {TexturePart{0.7813f, 0.5859375f}, false, 1024, 1024},
  };
  ASSERT_TRUE(TexturesOfAnySize());
  for (const auto& c : cases) {
    TexturePart part = c.asked;
    uint32_t texture = 0;
    LoadTexturePart(path, texture, true, part);
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(LevelParam(texture, 0, GL_TEXTURE_WIDTH), c.width);
    EXPECT_EQ(LevelParam(texture, 0, GL_TEXTURE_HEIGHT), c.height);
    EXPECT_EQ(part.uRight, c.cut ? 1.0f : c.asked.uRight);
    EXPECT_EQ(part.vBottom, c.cut ? 1.0f : c.asked.vBottom);
    if (!c.cut) continue;
    ResetTestFrame();
    BeginScreenSpace();
    DrawImagePart(texture, 0, 0, 800, 600, 0, 0, part.uRight, part.vBottom);
    EndScreenSpace();
    const std::vector<uint8_t> shown = ReadPicture();
    int wrong = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) {
        const uint8_t* p = &shown[(static_cast<size_t>(y) * 800 + x) * 3];
        wrong += p[0] != (x & 255) || p[1] != (y & 255) || p[2] != (x >> 8) * 16 + (y >> 8);
      }
    EXPECT_EQ(wrong, 0) << "pixels not showing texel (x, y)";
  }
}

TEST_F(TextureFiles, JpegLoadsAsOpaqueRgba) {
  std::vector<uint8_t> rgb; // top half red, bottom half blue, 16 x 16
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      rgb.insert(rgb.end(), {uint8_t(y < 8 ? 255 : 0), 0, uint8_t(y < 8 ? 0 : 255)});
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = 16;
  info.image_height = 16;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < 16) {
    JSAMPROW row = rgb.data() + info.next_scanline * 16 * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> file(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  free(buffer);

  uint32_t texture = 0;
  LoadTextureSharp(Write("p.JPG", file), texture);
  ASSERT_NE(texture, 0u);
  EXPECT_EQ(TexParam(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  EXPECT_GT(LevelParam(texture, 0, GL_TEXTURE_ALPHA_SIZE), 0);
  ResetTestFrame();
  BeginScreenSpace();
  DrawImage(texture, 0, 0, 160, 160);
  EndScreenSpace();
  EXPECT_TRUE(Near(PixelAt(80, 20), C(255, 0, 0), 30)) << PixelAt(80, 20);
  EXPECT_TRUE(Near(PixelAt(80, 140), C(0, 0, 255), 30)) << PixelAt(80, 140);
}

TEST_F(TextureFiles, RefusedFilesShowOneMessageAndKeepTheVariable) {
  uint32_t texture = 1234;
  int before = PlatformMessageCount();
  std::vector<uint8_t> sixteen(18 + 8, 0);
  sixteen[2] = 2;
  sixteen[12] = 2;
  sixteen[14] = 2;
  sixteen[16] = 16;
  std::string path = Write("old.tga", sixteen);
  LoadTexture(path, texture);
  EXPECT_EQ(PlatformMessageCount(), before + 1);
  EXPECT_EQ(std::string(PlatformLastMessageText()),
            "Couldn't load \"" + path + "\". Only 24 bit TGA files supported.");
  EXPECT_EQ(texture, 1234u);
  LoadTexture(dir_ + "/missing.bmp", texture);
  EXPECT_EQ(PlatformMessageCount(), before + 2);
  EXPECT_EQ(texture, 1234u);
}
