// Text, labels, panels and banners drawn into the real window with test pictures
// whose texels show which part of the texture landed where.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <vector>

#include "app/window.h"
#include "assets/catalogue.h"
#include "assets/textures.h"
#include "game/banners.h"
#include "gl_fixture.h"
#include "play/banners_draw.h"
#include "render/gl_state.h"
#include "ui/screen2d.h"
#include "ui/text.h"

namespace {

Rgb C(int r, int g, int b) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

struct Texel {
  uint8_t r, g, b, a;
};

// RGBA texture from texels listed top row first, nearest filtering.
uint32_t Texture(int width, int height, const std::vector<Texel>& topFirst) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Texel& t = topFirst[static_cast<size_t>(y) * width + x];
      uint8_t* p = &pixels[(static_cast<size_t>(height - 1 - y) * width + x) * 4];
      p[0] = t.r;
      p[1] = t.g;
      p[2] = t.b;
      p[3] = t.a;
    }
  return CreateTextureSharp(width, height, TextureFormat::RGBA, pixels.data());
}

// A 512 x 512 font: every cell opaque blue except the cell of 'A' (column 1, row 4
// from the top), whose left half is opaque red and right half opaque green, and
// the cell of 'B', fully transparent black (premultiplied: adds nothing).
void InstallTestFont() {
  std::vector<Texel> texels(512 * 512, Texel{0, 0, 255, 255});
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      texels[static_cast<size_t>(4 * 32 + y) * 512 + 32 + x] =
          x < 16 ? Texel{255, 0, 0, 255} : Texel{0, 255, 0, 255};
      texels[static_cast<size_t>(4 * 32 + y) * 512 + 64 + x] = Texel{0, 0, 0, 0};
    }
  Tex.font = Texture(512, 512, texels);
  for (uint16_t& w : FontWidths) w = 0;
}

class TextDrawing : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(OpenGameTestWindow());
    ResetTestFrame();
    InstallTestFont();
    BeginScreenSpace();
  }
  void TearDown() override { EndScreenSpace(); }
};

} // namespace

TEST_F(TextDrawing, GlyphIsTheCentreOfItsCellAtItsWidth) {
  FontWidths[size_t{'A'}] = 16; // half a cell: texels 8..24 of the cell
  DrawText(100, 100, 32, 255, 255, 255, "A");
  EXPECT_EQ(PixelAt(100, 100), C(255, 0, 0));
  EXPECT_EQ(PixelAt(107, 131), C(255, 0, 0));
  EXPECT_EQ(PixelAt(108, 100), C(0, 255, 0));
  EXPECT_EQ(PixelAt(115, 131), C(0, 255, 0));
  EXPECT_EQ(PixelAt(116, 110), C(0, 0, 0));
  EXPECT_EQ(PixelAt(110, 132), C(0, 0, 0));
  EXPECT_EQ(PixelAt(110, 99), C(0, 0, 0));
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_FALSE);
}

TEST_F(TextDrawing, GlyphsStartAtTheNearestPixelOfTheirExactAdvance) {
  // 17 / 32 x 30 = 15.94 per glyph: the glyphs start at 100, 116 (15.94) and 132
  // (31.88), so three of them end where TextWidth says, not 3 pixels short.
  FontWidths[size_t{'A'}] = 17;
  DrawText(100, 100, 30, 255, 255, 255, "AAA");
  EXPECT_EQ(PixelAt(115, 110), C(0, 255, 0)); // right half of the first glyph
  EXPECT_EQ(PixelAt(116, 110), C(255, 0, 0)); // the second glyph begins
  EXPECT_EQ(PixelAt(131, 110), C(0, 255, 0));
  EXPECT_EQ(PixelAt(132, 110), C(255, 0, 0)); // the third
  EXPECT_EQ(PixelAt(147, 110), C(0, 255, 0));
  EXPECT_EQ(PixelAt(148, 110), C(0, 0, 0));
  EXPECT_EQ(TextWidth("AAA", 30), 48);
}

TEST_F(TextDrawing, ColourTintsPremultipliedGlyphs) {
  ResetTestFrame(60, 60, 60);
  BeginScreenSpace();
  FontWidths[size_t{'A'}] = 32;
  FontWidths[size_t{'B'}] = 32;
  DrawText(100, 100, 32, 255, 255, 0, "AB");
  EXPECT_EQ(PixelAt(105, 110), C(255, 0, 0));
  EXPECT_EQ(PixelAt(125, 110), C(0, 255, 0));
  EXPECT_EQ(PixelAt(140, 110), C(60, 60, 60)); // a transparent glyph leaves the background
  DrawText(100, 200, 32, 128, 0, 255, "A");
  EXPECT_TRUE(Near(PixelAt(105, 210), C(128, 0, 0), 1));
  EXPECT_EQ(PixelAt(125, 210), C(0, 0, 0));
  EndScreenSpace();
}

TEST_F(TextDrawing, ZeroWidthAndEmptyTextsDrawNothing) {
  DrawText(100, 100, 32, 255, 255, 255, "");
  FontWidths[size_t{'A'}] = 0;
  DrawText(100, 100, 32, 255, 255, 255, "AAA");
  std::vector<uint8_t> picture = ReadPicture();
  size_t lit = 0;
  for (uint8_t v : picture) lit += v != 0;
  EXPECT_EQ(lit, 0u);
}

TEST_F(TextDrawing, HoverBoundsAreInclusiveAndTheLabelTurnsYellow) {
  ResetTestFrame(60, 60, 60);
  BeginScreenSpace();
  Tex.font = Texture(4, 4, std::vector<Texel>(16, Texel{255, 255, 255, 255})); // every glyph a white block
  FontWidths[size_t{'A'}] = 32;
  // "A" at size 20 spans x 100..120, y 100..120 inclusive.
  struct Case {
    int mx, my;
    bool hovered;
  };
  for (Case c : {Case{100, 100, true}, Case{120, 120, true}, Case{121, 110, false}, Case{99, 110, false},
                 Case{110, 121, false}, Case{110, 99, false}}) {
    MouseX = c.mx;
    MouseY = c.my;
    HoverId = 0;
    DrawHoverText(100, 100, 20, "A", 42);
    EXPECT_EQ(HoverId, c.hovered ? 42 : 0) << c.mx << ", " << c.my;
    EXPECT_EQ(PixelAt(110, 110), c.hovered ? C(255, 255, 0) : C(255, 255, 255)) << c.mx << ", " << c.my;
    EXPECT_EQ(PixelAt(121, 121), C(0, 0, 0)); // the shadow, 2 pixels down and right
  }
  // An empty label is hovered only on its left edge.
  MouseX = 300;
  MouseY = 305;
  HoverId = 0;
  DrawHoverText(300, 300, 20, "", 7);
  EXPECT_EQ(HoverId, 7);
  MouseX = 301;
  HoverId = 0;
  DrawHoverText(300, 300, 20, "", 7);
  EXPECT_EQ(HoverId, 0);
  // Two labels under the pointer: the one drawn last wins.
  MouseX = 110;
  MouseY = 110;
  DrawHoverText(100, 100, 20, "A", 1);
  DrawHoverText(105, 105, 20, "A", 2);
  EXPECT_EQ(HoverId, 2);
  EndScreenSpace();
}

TEST_F(TextDrawing, PanelPiecesComeFromTheirPartsOfTheFrame) {
  // 32 x 32 frame picture: the outer 5 texels on each side are the border.
  // Colour by region: red = 40 + 80 x column band, green = 40 + 80 x row band (rows
  // counted in texture t, which is 0 on the panel's top edge).
  std::vector<Texel> texels(32 * 32);
  auto band = [](int i) { return i < 5 ? 0 : (i < 27 ? 1 : 2); };
  for (int row = 0; row < 32; ++row)
    for (int x = 0; x < 32; ++x) {
      // Texture rows are listed top first here but t runs from the first uploaded
      // row, which is the bottom one: t band of listed row r is band(31 - r).
      texels[static_cast<size_t>(row) * 32 + x] = Texel{
          static_cast<uint8_t>(40 + 80 * band(x)), static_cast<uint8_t>(40 + 80 * band(31 - row)), 0, 255};
    }
  Tex.menu = Texture(32, 32, texels);
  DrawPanel(100, 100, 300, 200, 255, 255, 255);
  auto expected = [](int column, int row) { return C(40 + 80 * column, 40 + 80 * row, 0); };
  EXPECT_EQ(PixelAt(105, 105), expected(0, 0)); // top left corner
  EXPECT_EQ(PixelAt(394, 105), expected(2, 0)); // top right corner
  EXPECT_EQ(PixelAt(394, 294), expected(2, 2)); // bottom right corner
  EXPECT_EQ(PixelAt(105, 294), expected(0, 2)); // bottom left corner
  EXPECT_EQ(PixelAt(250, 105), expected(1, 0)); // top edge
  EXPECT_EQ(PixelAt(250, 294), expected(1, 2)); // bottom edge
  EXPECT_EQ(PixelAt(105, 200), expected(0, 1)); // left edge
  EXPECT_EQ(PixelAt(394, 200), expected(2, 1)); // right edge
  EXPECT_EQ(PixelAt(250, 200), expected(1, 1)); // centre
  EXPECT_EQ(PixelAt(119, 119), expected(0, 0)); // the border is 20 pixels
  EXPECT_EQ(PixelAt(120, 120), expected(1, 1));
  EXPECT_EQ(PixelAt(99, 200), C(0, 0, 0));
  EXPECT_EQ(PixelAt(400, 200), C(0, 0, 0));
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);
}

TEST_F(TextDrawing, PanelDarkensTheBackgroundMoreWithEveryLayer) {
  ResetTestFrame(200, 200, 200);
  BeginScreenSpace();
  // A black frame half transparent everywhere: destination x alpha, nothing added.
  Tex.menu = Texture(4, 4, std::vector<Texel>(16, Texel{0, 0, 0, 128}));
  DrawPanel(100, 100, 200, 200, 255, 255, 255);
  EXPECT_TRUE(Near(PixelAt(200, 200), C(100, 100, 100), 1)) << PixelAt(200, 200);
  DrawPanel(100, 100, 200, 200, 255, 255, 255);
  EXPECT_TRUE(Near(PixelAt(200, 200), C(50, 50, 50), 1)) << PixelAt(200, 200);
  // The tint colours an opaque frame.
  Tex.menu = Texture(4, 4, std::vector<Texel>(16, Texel{200, 200, 200, 0}));
  ResetTestFrame();
  BeginScreenSpace();
  DrawPanel(100, 100, 200, 200, 255, 128, 0);
  EXPECT_TRUE(Near(PixelAt(200, 200), C(200, 100, 0), 1)) << PixelAt(200, 200);
  EndScreenSpace();
}

TEST_F(TextDrawing, MultiLineBannerGrowsFromItsCentreAndShowsItsThird) {
  // Three stacked pictures: red, green, blue from the top (rows 0..20, 21..42, 43..63).
  std::vector<Texel> texels(4 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 4; ++x)
      texels[y * 4 + x] =
          y < 21 ? Texel{255, 0, 0, 255} : (y < 43 ? Texel{0, 255, 0, 255} : Texel{0, 0, 255, 255});
  Tex.dtq = Texture(4, 64, texels);
  MultiLineAge = -1;
  DrawMultiLineBanner();
  EXPECT_EQ(PixelAt(400, 330), C(0, 0, 0));
  // Age 50: x 325..475, y 306..355.95, alpha 155, added to the black background.
  MultiLineAge = 50;
  MultiLineKind = 2;
  DrawMultiLineBanner();
  EXPECT_TRUE(Near(PixelAt(400, 330), C(0, 155, 0), 1)) << PixelAt(400, 330);
  EXPECT_TRUE(Near(PixelAt(326, 310), C(0, 155, 0), 1)) << PixelAt(326, 310);
  EXPECT_EQ(PixelAt(323, 330), C(0, 0, 0));
  EXPECT_EQ(PixelAt(400, 304), C(0, 0, 0));
  MultiLineKind = 3;
  MultiLineAge = 100; // alpha 55, x 250..550
  DrawMultiLineBanner();
  EXPECT_TRUE(Near(PixelAt(260, 330), C(0, 0, 55), 1)) << PixelAt(260, 330);
  MultiLineAge = -1;
}

TEST_F(TextDrawing, LevelUpHalvesFlyInFromOppositeSides) {
  // Upper half red, lower half green, both shown (alpha 0); a border of opaque
  // white at alpha 255 must stay hidden by the mask.
  std::vector<Texel> texels(4 * 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) texels[y * 4 + x] = y < 2 ? Texel{255, 0, 0, 0} : Texel{0, 255, 0, 0};
  Tex.levelUp = Texture(4, 4, texels);
  LevelUpDirection = -1;
  LevelUpAge = 10; // upper at x = 360 - 375 = -15, lower at 735
  DrawLevelUpBanner();
  EXPECT_EQ(PixelAt(30, 290), C(255, 0, 0));
  EXPECT_EQ(PixelAt(750, 330), C(0, 255, 0));
  EXPECT_EQ(PixelAt(400, 290), C(0, 0, 0));
  ResetTestFrame();
  BeginScreenSpace();
  LevelUpAge = 50; // resting together at 360..440
  DrawLevelUpBanner();
  EXPECT_EQ(PixelAt(400, 290), C(255, 0, 0));
  EXPECT_EQ(PixelAt(400, 330), C(0, 255, 0));
  EXPECT_EQ(PixelAt(359, 290), C(0, 0, 0));
  EXPECT_EQ(PixelAt(440, 330), C(0, 0, 0));
  ResetTestFrame();
  BeginScreenSpace();
  LevelUpDirection = 1;
  LevelUpAge = 85; // leaving: upper at 360 + 150, lower at 360 - 150
  DrawLevelUpBanner();
  EXPECT_EQ(PixelAt(520, 290), C(255, 0, 0));
  EXPECT_EQ(PixelAt(220, 330), C(0, 255, 0));
  Tex.levelUp = Texture(4, 4, std::vector<Texel>(16, Texel{255, 255, 255, 255}));
  DrawLevelUpBanner();
  EXPECT_EQ(PixelAt(520, 290), C(255, 0, 0)); // opaque texels are masked out
  LevelUpAge = -1;
  LevelUpDirection = -1;
}

TEST_F(TextDrawing, MultisamplingIsRestoredAfterText) {
  const GLenum multisample = 0x809D;
  FontWidths[size_t{'A'}] = 32;
  uint8_t saved = MultisampleEnabled;
  MultisampleEnabled = 1;
  glEnable(multisample);
  DrawText(100, 100, 32, 255, 255, 255, "A");
  EXPECT_EQ(glIsEnabled(multisample), GL_TRUE);
  // Without multisampling in use, text leaves the switch alone.
  MultisampleEnabled = 0;
  glDisable(multisample);
  DrawText(100, 100, 32, 255, 255, 255, "A");
  EXPECT_EQ(glIsEnabled(multisample), GL_FALSE);
  MultisampleEnabled = saved;
  if (saved) glEnable(multisample);
}
