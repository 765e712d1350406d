// The generated small pictures, read with the game's own picture parsers and
// checked against how the drawing code cuts and blends them: the digit cells, the
// pointer's hot spot, the level spot's corner, the panel's stretched pieces, the
// potion pictures that must line up, the refill counter's number window, the dream
// editor's grid and the black surroundings of every additive sprite.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "generated_picture.h"

namespace {

using GeneratedPieces = GeneratedPictureTest;

const std::vector<std::string> Icons = {"I_OneLine.bmp",  "I_TwoLine.bmp",    "I_OneTube.bmp",
                                        "I_TwoTube.bmp",  "I_Targethelp.bmp", "I_Hourglass.bmp",
                                        "I_DreamBox.bmp", "I_Trank.bmp"};

TEST_F(GeneratedPieces, EveryPictureHasItsSizeAndKind) {
  struct Expect {
    const char* name;
    int width, height, bytes;
  };
  const Expect all[] = {
      {"menu.tga", 128, 128, 4},       {"ziffern.bmp", 512, 64, 3},    {"cursor.tga", 32, 32, 4},
      {"coin.tga", 32, 32, 4},         {"levelspot.tga", 32, 32, 4},   {"i_rahmen.bmp", 64, 64, 3},
      {"i_rahmen2.bmp", 64, 64, 3},    {"box.bmp", 128, 128, 3},       {"skdatex.bmp", 128, 128, 3},
      {"cloud.bmp", 128, 128, 3},      {"kette.bmp", 64, 64, 3},       {"fkeys.bmp", 256, 64, 3},
      {"Line.bmp", 4, 4, 3},           {"kreuz.bmp", 64, 64, 3},       {"pik.bmp", 64, 64, 3},
      {"herz.bmp", 64, 64, 3},         {"karo.bmp", 64, 64, 3},        {"star.bmp", 64, 64, 3},
      {"dust.bmp", 64, 64, 3},         {"trank_leer.bmp", 64, 256, 3}, {"trank_voll.bmp", 64, 256, 3},
      {"trank_blink.bmp", 64, 256, 3}, {"dot1.bmp", 64, 64, 3},        {"dot2.bmp", 64, 64, 3},
      {"dreambox.tga", 256, 256, 4},   {"ok.tga", 64, 64, 4},          {"dbox.bmp", 48, 48, 3},
  };
  for (const Expect& e : all) {
    Picture p = Load(e.name);
    EXPECT_EQ(p.Width(), e.width) << e.name;
    EXPECT_EQ(p.Height(), e.height) << e.name;
    EXPECT_EQ(p.image.bytesPerPixel, e.bytes) << e.name;
  }
  for (int f = 1; f <= 6; ++f) {
    Picture p = Load("expl" + std::to_string(f) + ".bmp");
    EXPECT_EQ(p.Width(), 64);
    EXPECT_EQ(p.Height(), 64);
  }
}

TEST_F(GeneratedPieces, ItemIconsAreDistinctOpaqueTiles) {
  std::vector<std::vector<uint8_t>> seen;
  for (const std::string& name : Icons) {
    Picture p = Load(name);
    ASSERT_EQ(p.Width(), 64) << name;
    ASSERT_EQ(p.Height(), 64) << name;
    for (const auto& other : seen) EXPECT_NE(other, p.image.pixels) << name << " repeats another icon";
    seen.push_back(p.image.pixels);
  }
}

TEST_F(GeneratedPieces, DigitsSitCentredInTheirFiftyTexelCells) {
  Picture strip = Load("ziffern.bmp");
  ASSERT_EQ(strip.Width(), 512);
  // Digit d = 1..9 from texel 50(d-1), digit 0 from 450; each drawn whole-height.
  int background = strip.Brightness(2, 2);
  for (int d = 0; d <= 9; ++d) {
    int x0 = d == 0 ? 450 : 50 * (d - 1);
    int left = 50, right = -1, top = 64, bottom = -1;
    for (int y = 0; y < strip.Height(); ++y)
      for (int x = 0; x < 50; ++x)
        if (strip.Brightness(x0 + x, y) > background + 100) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    ASSERT_LE(left, right) << "digit " << d << " has no ink";
    EXPECT_NEAR((left + right + 1) / 2.0, 25, 3) << "digit " << d;
    EXPECT_NEAR((top + bottom + 1) / 2.0, 32, 4) << "digit " << d;
    EXPECT_GE(left, 2) << "digit " << d << " runs into its neighbour";
    EXPECT_LE(right, 47) << "digit " << d << " runs into its neighbour";
    EXPECT_GE(bottom - top, 30) << "digit " << d << " is too small for the whole cell height";
  }
}

TEST_F(GeneratedPieces, PointerShowsAnArrowFromItsTopLeftHotSpot) {
  Picture cursor = Load("cursor.tga");
  // The pointer is drawn with its top-left corner at the mouse: the tip must be there.
  EXPECT_TRUE(cursor.Shown(0, 0) || cursor.Shown(1, 1));
  int shown = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) shown += cursor.Shown(x, y);
  EXPECT_GT(shown, 80);
  EXPECT_LT(shown, 32 * 32 / 2);
  // The arrow widens downwards and points to the upper left: nothing in the far
  // right of the top rows, nothing in the bottom-right corner.
  for (int x = 8; x < 32; ++x) EXPECT_FALSE(cursor.Shown(x, 1)) << x;
  EXPECT_FALSE(cursor.Shown(31, 31));
}

TEST_F(GeneratedPieces, LevelSpotStaysInsideTheCornerTheMapCutsOut) {
  Picture spot = Load("levelspot.tga");
  // The map draws u 0..0.46875, v 0..0.53125: the top-left 15 x 17 texels.
  int inside = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (x < 15 && y < 17) {
        inside += spot.At(x, y, 3) > 128;
        continue;
      }
      EXPECT_EQ(spot.At(x, y, 3), 0) << x << "," << y;
    }
  EXPECT_GT(inside, 100);
  // Tinted with a pulsing colour: the body is light enough to carry the tint.
  EXPECT_GT(spot.Brightness(7, 7), 180);
}

TEST_F(GeneratedPieces, TintedPicturesArePremultiplied) {
  for (const char* name : {"coin.tga", "levelspot.tga"}) {
    Picture p = Load(name);
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        for (int ch = 0; ch < 3; ++ch)
          ASSERT_LE(p.At(x, y, ch), p.At(x, y, 3) + 1) << name << " " << x << "," << y;
  }
}

TEST_F(GeneratedPieces, PanelPiecesStretchWithoutDistortion) {
  Picture panel = Load("menu.tga");
  ASSERT_EQ(panel.Width(), 128);
  // The centre piece (texels 20..108 both ways) is stretched over any panel size,
  // so it may only vary from top to bottom; the edge pieces may not vary along
  // their length; the corners are drawn 1:1.
  for (int y = 21; y < 107; ++y)
    for (int x = 21; x < 107; ++x)
      for (int ch : {0, 3}) ASSERT_NEAR(panel.At(x, y, ch), panel.At(64, y, ch), 2) << x << "," << y;
  for (int x = 0; x < 20; ++x)
    for (int y = 21; y < 107; ++y) {
      ASSERT_NEAR(panel.At(x, y, 3), panel.At(x, 64, 3), 2) << x << "," << y;
      ASSERT_NEAR(panel.At(y, x, 3), panel.At(64, x, 3), 2) << y << "," << x;
    }
  // Outside the rounded corner the background stays untouched (alpha 1, no colour);
  // the fill lets only a trace of the background through and glows faintly, dark
  // enough under any tint for light text, red included, to read on it.
  EXPECT_EQ(panel.At(0, 0, 3), 255);
  EXPECT_EQ(panel.At(0, 0, 0), 0);
  EXPECT_GT(panel.At(64, 64, 3), 0);
  EXPECT_LT(panel.At(64, 64, 3), 20);
  EXPECT_LT(panel.At(64, 64, 0), 40);
}

TEST_F(GeneratedPieces, FullAndEmptyPotionLineUpWhenTheFullOneIsDrawnOverItself) {
  // At rest the meter draws the full bottle, then the full bottle again with
  // (source alpha 0, source colour) blending, squaring it; the empty bottle covers
  // the top rows unchanged. Outside the bottle both must look the same.
  Picture full = Load("trank_voll.bmp");
  Picture empty = Load("trank_leer.bmp");
  ASSERT_EQ(full.Width(), empty.Width());
  ASSERT_EQ(full.Height(), empty.Height());
  int differing = 0, frame = 0;
  for (int y = 0; y < full.Height(); ++y)
    for (int x = 0; x < full.Width(); ++x) {
      bool sameSquared = true;
      for (int ch = 0; ch < 3; ++ch) {
        double squared = full.At(x, y, ch) * full.At(x, y, ch) / 255.0;
        if (std::fabs(squared - empty.At(x, y, ch)) > 6) sameSquared = false;
      }
      // The frame: the outer 6 texels all round.
      if (x < 6 || x >= full.Width() - 6 || y < 6 || y >= full.Height() - 6) {
        ++frame;
        EXPECT_TRUE(sameSquared) << x << "," << y;
      }
      differing += !sameSquared;
    }
  EXPECT_GT(frame, 0);
  // The liquid itself differs over a large part of the picture.
  EXPECT_GT(differing, full.Width() * full.Height() / 4);
}

TEST_F(GeneratedPieces, RefillCounterNumberWindowMatchesTheDigitStrip) {
  // The count is drawn from the digit strip at the counter's centre, then the
  // flash picture multiplies everything by its colour (flash alpha 0 at rest).
  Picture counter = Load("dot1.bmp");
  Picture flash = Load("dot2.bmp");
  Picture strip = Load("ziffern.bmp");
  for (int ch = 0; ch < 3; ++ch) {
    double window = counter.At(32, 32, ch) * flash.At(32, 32, ch) / 255.0;
    EXPECT_NEAR(window, strip.At(2, 2, ch), 2) << "channel " << ch;
    // Over the badge the flash picture is white: the counter shows unchanged.
    EXPECT_EQ(flash.At(32, 32, ch), 255);
    EXPECT_EQ(flash.At(32, 6, ch), 255);
  }
  // Digits two wide (20 x 12.8 pixels on a 44-pixel counter) fit the window.
  for (int dx : {-16, 16})
    for (int ch = 0; ch < 3; ++ch) EXPECT_NEAR(counter.At(32 + dx, 32, ch), counter.At(32, 32, ch), 3);
}

TEST_F(GeneratedPieces, DreamEditorShowsItsGridAndLeavesTheRestHidden) {
  Picture panel = Load("dreambox.tga");
  ASSERT_EQ(panel.Width(), 256);
  // Cells of 48 pixels at (303 + 49c, 201 + 49r) on screen, the panel at (272, 172).
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      for (int y = 0; y < 48; y += 3)
        for (int x = 0; x < 48; x += 3)
          ASSERT_TRUE(panel.Shown(31 + 49 * c + x, 29 + 49 * r + y)) << "cell " << c << "," << r;
  EXPECT_FALSE(panel.Shown(0, 0));
  EXPECT_FALSE(panel.Shown(255, 0));
  EXPECT_FALSE(panel.Shown(0, 255));
  // The corner cells look different from the usable ones.
  auto cellSum = [&](int c, int r) {
    long sum = 0;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x) sum += panel.At(31 + 49 * c + x, 29 + 49 * r + y, 0);
    return sum;
  };
  EXPECT_GT(std::labs(cellSum(0, 0) - cellSum(1, 1)), 48L * 48 * 8);
  EXPECT_GT(std::labs(cellSum(3, 3) - cellSum(2, 1)), 48L * 48 * 8);
}

TEST_F(GeneratedPieces, OkButtonCoversItsClickAreaInBothStates) {
  Picture ok = Load("ok.tga");
  ASSERT_EQ(ok.Width(), 64);
  ASSERT_EQ(ok.Height(), 64);
  // Hover and click area 368 < x < 432, 405 < y < 423 with the button at (367, 398):
  // texels x 2..64, rows 8..24 of each 32-row half.
  for (int half = 0; half < 2; ++half)
    for (int y = 8; y < 25; ++y)
      for (int x = 4; x < 60; ++x)
        ASSERT_TRUE(ok.Shown(x, half * 32 + y)) << x << "," << y << " half " << half;
  long difference = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) difference += std::abs(ok.At(x, y, 1) - ok.At(x, y + 32, 1));
  EXPECT_GT(difference, 64 * 32 * 4) << "the hovered button looks like the normal one";
}

TEST_F(GeneratedPieces, AdditiveSpritesFadeToBlackAtTheirEdges) {
  // Drawn with (source colour, one minus source colour) or added: black is
  // invisible, so a bright border would show the square.
  std::vector<std::string> names = {"kreuz.bmp", "pik.bmp", "herz.bmp", "karo.bmp", "star.bmp", "dust.bmp"};
  for (int f = 1; f <= 6; ++f) names.push_back("expl" + std::to_string(f) + ".bmp");
  for (const std::string& name : names) {
    Picture p = Load(name);
    int brightest = 0;
    for (int i = 0; i < p.Width(); ++i) {
      for (int edge : {0, p.Height() - 1}) {
        EXPECT_LE(p.Brightness(i, edge), 8) << name << " at " << i << "," << edge;
        EXPECT_LE(p.Brightness(edge, i), 8) << name << " at " << edge << "," << i;
      }
    }
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) brightest = std::max(brightest, p.Brightness(x, y));
    EXPECT_GT(brightest, 60) << name << " is too dark to be seen";
  }
}

TEST_F(GeneratedPieces, ExplosionRunsFromTheYoungBlastToFadingSmoke) {
  // The sprite shows expl1 first (life 25..29) and expl6 last (life 1..4).
  std::vector<long> light;
  for (int f = 1; f <= 6; ++f) {
    Picture p = Load("expl" + std::to_string(f) + ".bmp");
    long sum = 0;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) sum += p.At(x, y, 0) + p.At(x, y, 1) + p.At(x, y, 2);
    light.push_back(sum);
  }
  EXPECT_GT(light[0], light[5] * 2);
  EXPECT_GT(light[1], light[4]);
  EXPECT_GT(light[2], light[5]);
}

TEST_F(GeneratedPieces, KeyLabelsFrameTheItemSlotsAndLeaveThemClear) {
  Picture keys = Load("fkeys.bmp");
  ASSERT_EQ(keys.Width(), 256);
  // Slots (50 x 50 item pictures) at texels x 3..53, 66..116 and 202..252, y 6..56.
  for (int slotX : {3, 66, 202}) {
    EXPECT_LE(keys.Brightness(slotX + 25, 30), 40) << "the label glows over the item picture at " << slotX;
    int rim = 0;
    for (int x = slotX; x < slotX + 50; ++x) rim = std::max(rim, keys.Brightness(x, 4));
    EXPECT_GT(rim, 150) << "no frame above the slot at " << slotX;
  }
}

TEST_F(GeneratedPieces, DangerLineDotIsBright) {
  Picture dot = Load("Line.bmp");
  for (int y = 0; y < dot.Height(); ++y)
    for (int x = 0; x < dot.Width(); ++x) EXPECT_GT(dot.Brightness(x, y), 200);
}

} // namespace
