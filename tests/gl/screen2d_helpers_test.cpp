// The screen-space picture helpers drawn into the real window: texture
// coordinates (v measured from the top of the picture), colours, blend functions,
// the alpha test of masked pictures, the digit cells, the dimming and the iris,
// and the OpenGL state each helper leaves behind.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <vector>

#include "assets/catalogue.h"
#include "assets/textures.h"
#include "gl_fixture.h"
#include "ui/screen2d.h"

namespace {

Rgb C(int r, int g, int b) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// A texture from pixels listed top row first (the loaders hand OpenGL the bottom
// row first, so the rows are reversed here), nearest filtering for exact texels.
uint32_t PictureTexture(int width, int height, const std::vector<Rgb>& topFirst,
                        const std::vector<uint8_t>& alpha = {}) {
  bool rgba = !alpha.empty();
  int bpp = rgba ? 4 : 3;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * bpp);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb& c = topFirst[static_cast<size_t>(y) * width + x];
      uint8_t* p = &pixels[(static_cast<size_t>(height - 1 - y) * width + x) * bpp];
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
      if (rgba) p[3] = alpha[static_cast<size_t>(y) * width + x];
    }
  return CreateTextureSharp(width, height, rgba ? TextureFormat::RGBA : TextureFormat::RGB, pixels.data());
}

uint32_t SolidTexture(Rgb c, int alpha = -1) {
  std::vector<Rgb> texels(16, c);
  return alpha < 0 ? PictureTexture(4, 4, texels)
                   : PictureTexture(4, 4, texels, std::vector<uint8_t>(16, alpha));
}

// Four quadrants: top-left blue, top-right white, bottom-left red, bottom-right green.
uint32_t QuadrantTexture() {
  return PictureTexture(2, 2, {C(0, 0, 255), C(255, 255, 255), C(255, 0, 0), C(0, 255, 0)});
}

void ExpectHelperExitState(bool lightingOn = false) {
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_ALPHA_TEST), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_LIGHTING), lightingOn ? GL_TRUE : GL_FALSE);
}

void BlendFuncIs(GLint src, GLint dst) {
  GLint s = 0, d = 0;
  glGetIntegerv(GL_BLEND_SRC, &s);
  glGetIntegerv(GL_BLEND_DST, &d);
  EXPECT_EQ(s, src);
  EXPECT_EQ(d, dst);
}

class ScreenHelpers : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(OpenGameTestWindow());
    ResetTestFrame();
    BeginScreenSpace();
  }
  void TearDown() override { EndScreenSpace(); }
};

} // namespace

TEST_F(ScreenHelpers, BeginAndEndRestoreTheMatricesAndLeaveModelView) {
  EndScreenSpace();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  GLint depthBefore = 0;
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthBefore);
  BeginScreenSpace();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 0);
  EndScreenSpace();
  GLint mode = 0, depthAfter = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthAfter);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(depthAfter, depthBefore);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_EQ(m[12], 1);
  EXPECT_EQ(m[13], 2);
  BeginScreenSpace();
}

TEST_F(ScreenHelpers, DrawImageShowsTheWholePictureUpright) {
  glEnable(GL_LIGHTING);
  DrawImage(QuadrantTexture(), 100, 100, 200, 200);
  EXPECT_EQ(PixelAt(150, 150), C(0, 0, 255));
  EXPECT_EQ(PixelAt(250, 150), C(255, 255, 255));
  EXPECT_EQ(PixelAt(150, 250), C(255, 0, 0));
  EXPECT_EQ(PixelAt(250, 250), C(0, 255, 0));
  EXPECT_EQ(PixelAt(99, 150), C(0, 0, 0));
  EXPECT_EQ(PixelAt(300, 150), C(0, 0, 0));
  ExpectHelperExitState();
}

TEST_F(ScreenHelpers, DrawImagePartShowsA1024TextureUnscaled) {
  // Each texel says where it is: red = x mod 256, green = y mod 256, blue = the high bits.
  std::vector<Rgb> texels(1024 * 1024);
  for (int y = 0; y < 1024; ++y)
    for (int x = 0; x < 1024; ++x)
      texels[static_cast<size_t>(y) * 1024 + x] = C(x & 255, y & 255, (x >> 8) * 16 + (y >> 8));
  uint32_t texture = PictureTexture(1024, 1024, texels);
  DrawImagePart(texture, 0, 0, 800, 600, 0, 0, 0.78125f, 0.5859375f);
  for (auto [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}, {400, 300}, {513, 257}, {123, 456}})
    EXPECT_EQ(PixelAt(x, y), C(x & 255, y & 255, (x >> 8) * 16 + (y >> 8))) << x << ", " << y;
  ExpectHelperExitState();
}

TEST_F(ScreenHelpers, DrawImagePartMeasuresVFromTheTop) {
  // The bottom half of the picture only: red and green.
  DrawImagePart(QuadrantTexture(), 100, 100, 200, 100, 0, 0.5f, 1, 1);
  EXPECT_EQ(PixelAt(150, 150), C(255, 0, 0));
  EXPECT_EQ(PixelAt(250, 150), C(0, 255, 0));
  // The right half: white over green.
  DrawImagePart(QuadrantTexture(), 400, 100, 100, 200, 0.5f, 0, 1, 1);
  EXPECT_EQ(PixelAt(450, 150), C(255, 255, 255));
  EXPECT_EQ(PixelAt(450, 250), C(0, 255, 0));
}

TEST_F(ScreenHelpers, DrawImageFadedBlendsSourceAlphaWithSourceColour) {
  ResetTestFrame(100, 100, 100);
  BeginScreenSpace();
  DrawImageFaded(SolidTexture(C(200, 100, 0)), 0, 0, 100, 100, 128);
  BlendFuncIs(GL_SRC_ALPHA, GL_SRC_COLOR);
  // source x alpha + destination x source colour
  double a = 128 / 255.0;
  Rgb expected = C(static_cast<int>(200 * a + 100 * 200 / 255.0 + 0.5),
                   static_cast<int>(100 * a + 100 * 100 / 255.0 + 0.5), 0);
  EXPECT_TRUE(Near(PixelAt(50, 50), expected, 2)) << PixelAt(50, 50) << " vs " << expected;
  EXPECT_EQ(PixelAt(150, 50), C(100, 100, 100));
  ExpectHelperExitState();
  EndScreenSpace();
}

TEST_F(ScreenHelpers, MaskedPicturesShowOnlyWhereAlphaIsAtMostATenth) {
  ResetTestFrame(0, 0, 255);
  BeginScreenSpace();
  // Left to right: alpha 0, 20, 40, 255.
  uint32_t texture =
      PictureTexture(4, 1, {C(255, 0, 0), C(0, 255, 0), C(255, 255, 0), C(255, 255, 255)}, {0, 20, 40, 255});
  glEnable(GL_BLEND); // with a blend that changes nothing, to see that it is switched off afterwards
  glBlendFunc(GL_ONE, GL_ZERO);
  DrawImagePartMasked(texture, 0, 0, 400, 100, 0, 0, 1, 1);
  EXPECT_EQ(PixelAt(50, 50), C(255, 0, 0));
  EXPECT_EQ(PixelAt(150, 50), C(0, 255, 0));
  EXPECT_EQ(PixelAt(250, 50), C(0, 0, 255));
  EXPECT_EQ(PixelAt(350, 50), C(0, 0, 255));
  GLint func = 0;
  glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
  EXPECT_EQ(func, GL_LEQUAL);
  ExpectHelperExitState();
  EndScreenSpace();
}

TEST_F(ScreenHelpers, TintedPicturesArePremultipliedOver) {
  ResetTestFrame(0, 100, 0);
  BeginScreenSpace();
  DrawImagePartTinted(SolidTexture(C(200, 200, 200), 128), 0, 0, 100, 100, 0, 0, 1, 1, 255, 0, 128);
  BlendFuncIs(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  // texture x tint + destination x (1 - alpha)
  EXPECT_TRUE(Near(PixelAt(50, 50), C(200, 50, 100), 2)) << PixelAt(50, 50);
  ExpectHelperExitState();
  EndScreenSpace();
}

TEST_F(ScreenHelpers, GlowAddsThePictureTimesAlpha) {
  ResetTestFrame(50, 50, 50);
  BeginScreenSpace();
  DrawImagePartGlow(SolidTexture(C(100, 200, 0)), 0, 0, 100, 100, 0, 0, 1, 1, 128);
  BlendFuncIs(GL_SRC_ALPHA, GL_ONE);
  EXPECT_TRUE(Near(PixelAt(50, 50), C(100, 150, 50), 2)) << PixelAt(50, 50);
  ExpectHelperExitState();
  EndScreenSpace();
}

TEST_F(ScreenHelpers, DrawNumberUsesOneDigitCellPerCharacter) {
  // A 512-texel strip: digit d = 1..9 at 50d - 50 .. 50d, 0 at 450..500, magenta beyond.
  auto digitColour = [](int d) { return C(20 * d + 10, 250 - 20 * d, 100); };
  std::vector<Rgb> strip(512 * 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 512; ++x)
      strip[static_cast<size_t>(y) * 512 + x] =
          x >= 500 ? C(255, 0, 255) : digitColour(x < 450 ? x / 50 + 1 : 0);
  Tex.ziffern = PictureTexture(512, 2, strip);

  // At size 50 a cell is exactly one glyph wide: the cell edges show the glyph edges.
  DrawNumber(105, 100, 100, 50);
  for (int x : {100, 149}) EXPECT_EQ(PixelAt(x, 130), digitColour(1)) << x;
  for (int x : {150, 199}) EXPECT_EQ(PixelAt(x, 130), digitColour(0)) << x;
  for (int x : {200, 249}) EXPECT_EQ(PixelAt(x, 130), digitColour(5)) << x;
  EXPECT_EQ(PixelAt(250, 130), C(0, 0, 0));
  EXPECT_EQ(PixelAt(120, 163), digitColour(1)); // height 64
  EXPECT_EQ(PixelAt(120, 164), C(0, 0, 0));

  // Size 10: cells at x, x + 10, x + 20, 12.8 pixels high.
  DrawNumber(105, 300, 300, 10);
  EXPECT_EQ(PixelAt(305, 306), digitColour(1));
  EXPECT_EQ(PixelAt(315, 306), digitColour(0));
  EXPECT_EQ(PixelAt(325, 306), digitColour(5));
  EXPECT_EQ(PixelAt(335, 306), C(0, 0, 0));
  EXPECT_EQ(PixelAt(305, 312), digitColour(1));
  EXPECT_EQ(PixelAt(305, 313), C(0, 0, 0));

  DrawNumber(0, 500, 300, 50);
  EXPECT_EQ(PixelAt(500, 320), digitColour(0));
  EXPECT_EQ(PixelAt(549, 320), digitColour(0));
  EXPECT_EQ(PixelAt(550, 320), C(0, 0, 0));
  ExpectHelperExitState();
  SaveArtifact("screen2d_numbers");
}

TEST_F(ScreenHelpers, DimScreenMultipliesThePicture) {
  ResetTestFrame(200, 100, 40);
  BeginScreenSpace();
  DimScreen(255);
  EXPECT_TRUE(Near(PixelAt(10, 10), C(199, 100, 40), 1)) << PixelAt(10, 10);
  DimScreen(128);
  EXPECT_TRUE(Near(PixelAt(400, 300), C(100, 50, 20), 1)) << PixelAt(400, 300);
  BlendFuncIs(GL_ONE, GL_SRC_ALPHA);
  ExpectHelperExitState();
  DimScreen(0);
  EXPECT_EQ(PixelAt(0, 0), C(0, 0, 0));
  EXPECT_EQ(PixelAt(799, 599), C(0, 0, 0));
  EndScreenSpace();
}

TEST_F(ScreenHelpers, IrisWipeBlackensOutsideTheCircle) {
  ResetTestFrame(255, 255, 255);
  BeginScreenSpace();
  glEnable(GL_BLEND);
  DrawIrisWipe(400, 300, 800);
  std::vector<uint8_t> picture = ReadPicture();
  size_t black = 0;
  for (size_t i = 0; i < picture.size(); i += 3) black += picture[i] == 0;
  EXPECT_EQ(black, 0u);
  EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_TRUE);
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);

  DrawIrisWipe(400, 300, 100);
  EXPECT_EQ(PixelAt(400, 300), C(255, 255, 255));
  EXPECT_EQ(PixelAt(400 + 90, 300), C(255, 255, 255));
  EXPECT_EQ(PixelAt(400, 300 - 90), C(255, 255, 255));
  EXPECT_EQ(PixelAt(400 + 110, 300), C(0, 0, 0));
  EXPECT_EQ(PixelAt(400, 300 + 110), C(0, 0, 0));
  EXPECT_EQ(PixelAt(0, 0), C(0, 0, 0));
  EXPECT_EQ(PixelAt(799, 599), C(0, 0, 0));
  SaveArtifact("screen2d_iris");

  DrawIrisWipe(400, 300, 0);
  EXPECT_EQ(PixelAt(200, 300), C(0, 0, 0));
  EXPECT_EQ(PixelAt(401, 301), C(0, 0, 0));
  EndScreenSpace();
}
