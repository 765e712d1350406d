// The generated font as the text drawer uses it: the width table read by the game's
// own decoder, the atlas read by the game's own TGA parser, and every glyph checked
// against the band of its cell that DrawText cuts out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "assets/font.h"
#include "assets/image_parse.h"
#include "core/files.h"
#include "game/highscore.h"
#include "support/generated_data.h"

namespace {

constexpr int ATLAS = 512;
constexpr int CELL = 32;

class GeneratedFont : public ::testing::Test {
protected:
  void SetUp() override {
    std::string dir = GeneratedDataDir();
    if (dir.empty()) GTEST_SKIP() << "QUORBELS_DATA names no generated data folder";
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(dir + "misc/font.dat", bytes)) << dir << "misc/font.dat";
    widthFileSize = bytes.size();
    ASSERT_GE(bytes.size(), 512u);
    DecodeFontWidths(bytes.data(), widths);

    std::vector<uint8_t> tga;
    ASSERT_TRUE(ReadWholeFile(dir + "textures/font.tga", tga));
    ImageError error;
    ASSERT_TRUE(ParseTga(tga.data(), tga.size(), "font.tga", atlas, error)) << error.text;
  }

  // Alpha of texel (x, y) counted from the top-left of the picture (the file and
  // the parsed pixels run bottom row first).
  int Alpha(int x, int y) const {
    size_t row = static_cast<size_t>(atlas.height - 1 - y);
    return atlas.pixels[(row * atlas.width + x) * 4 + 3];
  }

  struct Ink {
    bool any = false;
    int left = CELL, right = -1, top = CELL, bottom = -1; // inclusive texel bounds in the cell
  };
  Ink InkOf(int code, int threshold = 0) const {
    Ink ink;
    int cx = (code % 16) * CELL, cy = (code / 16) * CELL;
    for (int y = 0; y < CELL; ++y) {
      for (int x = 0; x < CELL; ++x) {
        if (Alpha(cx + x, cy + y) <= threshold) continue;
        ink.any = true;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y);
      }
    }
    return ink;
  }

  size_t widthFileSize = 0;
  uint16_t widths[256] = {};
  ParsedImage atlas;
};

TEST_F(GeneratedFont, WidthFileHoldsExactly256Widths) {
  EXPECT_EQ(widthFileSize, 512u);
}

TEST_F(GeneratedFont, AtlasIsA512SquareWithAlpha) {
  EXPECT_EQ(atlas.width, ATLAS);
  EXPECT_EQ(atlas.height, ATLAS);
  EXPECT_EQ(atlas.bytesPerPixel, 4);
}

TEST_F(GeneratedFont, PrintableCharactersHaveAWidthThatFitsTheirCell) {
  for (int c = 32; c <= 126; ++c) {
    EXPECT_GT(widths[c], 0) << "character " << c;
    EXPECT_LE(widths[c], CELL) << "character " << c;
  }
  // The Latin-1 letters the face carries (Ä, é, ß, ...) are drawable too.
  for (int c : {0xC4, 0xD6, 0xDC, 0xDF, 0xE4, 0xE9, 0xF6, 0xFC}) EXPECT_GT(widths[c], 0) << "character " << c;
}

TEST_F(GeneratedFont, ControlCodesDrawNothing) {
  for (int c = 0; c < 32; ++c) {
    EXPECT_EQ(widths[c], 0) << "character " << c;
    EXPECT_FALSE(InkOf(c).any) << "character " << c;
  }
  EXPECT_EQ(widths[127], 0);
}

TEST_F(GeneratedFont, GlyphsArePremultipliedWhite) {
  // Text is drawn with the (one, one minus source alpha) blend and tinted by the
  // text colour, so every texel must be white scaled by its own coverage.
  for (size_t i = 0; i < atlas.pixels.size(); i += 4) {
    const uint8_t* p = &atlas.pixels[i];
    ASSERT_TRUE(p[0] == p[3] && p[1] == p[3] && p[2] == p[3]) << "texel " << i / 4;
  }
}

TEST_F(GeneratedFont, EveryGlyphLiesInsideTheBandTheDrawerCutsOut) {
  // DrawText shows widths[c] texels centred on the cell's middle and the full cell
  // height; ink outside that band would be cut off on screen.
  for (int c = 33; c < 256; ++c) {
    Ink ink = InkOf(c);
    if (widths[c] == 0) {
      EXPECT_FALSE(ink.any) << "character " << c << " has ink but no width";
      continue;
    }
    if (!ink.any) continue;
    double bandLeft = CELL / 2.0 - widths[c] / 2.0;
    double bandRight = CELL / 2.0 + widths[c] / 2.0;
    EXPECT_GE(ink.left, bandLeft - 0.5) << "character " << c;
    EXPECT_LE(ink.right + 1, bandRight + 0.5) << "character " << c;
    EXPECT_GT(ink.top, 0) << "character " << c << " touches the cell's top";
    EXPECT_LT(ink.bottom, CELL - 1) << "character " << c << " touches the cell's bottom";
  }
}

TEST_F(GeneratedFont, LettersShareOneBaselineAndAreCentred) {
  const std::string flat = "ABCDEFHIKLMNORSTUVWXZacemnorsuvwxz0123456789";
  Ink ref = InkOf('H', 127);
  ASSERT_TRUE(ref.any);
  for (char ch : flat) {
    Ink ink = InkOf(static_cast<unsigned char>(ch), 127);
    ASSERT_TRUE(ink.any) << ch;
    EXPECT_NEAR(ink.bottom, ref.bottom, 1) << ch << " does not sit on the baseline";
    double middle = (ink.left + ink.right + 1) / 2.0;
    EXPECT_NEAR(middle, CELL / 2.0, 2.0) << ch << " is not centred in its cell";
  }
  // Descenders go below the baseline, capitals reach well above it.
  EXPECT_GT(InkOf('g', 127).bottom, ref.bottom + 2);
  EXPECT_GT(InkOf('p', 127).bottom, ref.bottom + 2);
  EXPECT_LT(InkOf('d', 127).top, InkOf('a', 127).top - 2);
}

TEST_F(GeneratedFont, WidthsFollowTheDrawnLetters) {
  // Even spacing: each letter's advance holds its ink with only a little air on
  // either side, so widths and pictures belong to the same rendering.
  for (int c = 33; c <= 126; ++c) {
    Ink ink = InkOf(c, 64);
    if (!ink.any) continue;
    int inkWidth = ink.right - ink.left + 1;
    EXPECT_LE(inkWidth, widths[c] + 1) << "character " << c;
    if (std::isalnum(c)) {
      EXPECT_LE(widths[c] - inkWidth, 9) << "character " << c << " has too much air";
    }
  }
  EXPECT_GT(widths[size_t{'W'}], widths[size_t{'i'}] * 2);
  EXPECT_GT(widths[size_t{'m'}], widths[size_t{'n'}]);
}

TEST_F(GeneratedFont, CapitalsAreTallEnoughForSmallText) {
  // At size 14 (the smallest text) a capital must still be about 7 pixels tall.
  Ink h = InkOf('H', 127);
  int height = h.bottom - h.top + 1;
  EXPECT_GE(height, 15);
  EXPECT_LE(height, 24);
}

TEST_F(GeneratedFont, SpaceAdvancesWithoutInk) {
  EXPECT_GT(widths[size_t{' '}], 0);
  EXPECT_FALSE(InkOf(' ').any);
}

TEST_F(GeneratedFont, OptionMarkersHoldTheirLabelsWithoutTouching) {
  // The options screen draws the red "[    ]" 2 pixels left of its "Yes" or "No"
  // label (the labels 40 pixels apart) and "[ ]" 2 pixels left of each volume digit
  // (20 apart), 1 pixel higher, all at size 20. Ink spans in pixels over the rows of
  // the capitals, each glyph placed where DrawText places it.
  const Ink caps = InkOf('H', 127);
  const double scale = 20.0 / CELL;
  struct Span {
    double left = 1e9, right = -1e9;
  };
  auto spans = [&](const std::string& text, double x, int rowShift) {
    std::vector<Span> out;
    double pen = 0;
    for (unsigned char c : text) {
      double start = x + std::floor(pen + 0.5), bandLeft = CELL / 2.0 - widths[c] / 2.0;
      Span span;
      for (int y = caps.top + 2; y <= caps.bottom - 2; ++y)
        for (int px = 0; px < CELL; ++px)
          if (Alpha((c % 16) * CELL + px, (c / 16) * CELL + y + rowShift) > 64) {
            span.left = std::min(span.left, start + (px - bandLeft) * scale);
            span.right = std::max(span.right, start + (px + 1 - bandLeft) * scale);
          }
      out.push_back(span);
      pen += widths[c] * scale;
    }
    return out;
  };
  auto inkOf = [](const std::vector<Span>& s) {
    Span all;
    for (const Span& g : s) all.left = std::min(all.left, g.left), all.right = std::max(all.right, g.right);
    return all;
  };
  struct Case {
    std::string marker, label, next;
    int step;
  };
  std::vector<Case> cases = {{"[    ]", "Yes", "No", 40}, {"[    ]", "No", "Yes", 40}};
  for (char d = '0'; d <= '8'; ++d) cases.push_back({"[ ]", std::string(1, d), std::string(1, d + 1), 20});
  for (const Case& c : cases) {
    // The marker is drawn a pixel higher: its capital rows lie 1.6 texels lower in its cells.
    std::vector<Span> marker = spans(c.marker, -2, 2);
    Span label = inkOf(spans(c.label, 0, 0)), next = inkOf(spans(c.next, c.step, 0));
    EXPECT_LE(marker.front().right + 0.5, label.left) << c.marker << " touches " << c.label;
    EXPECT_LE(label.right + 2, marker.back().left) << c.label << " touches the closing bracket";
    EXPECT_LE(marker.back().right + 1, next.left) << "the closing bracket touches " << c.next;
  }
}

TEST_F(GeneratedFont, LongestGameLinesFitTheirPanels) {
  // The story introduction is drawn at size 20 from x 120 inside a panel that
  // ends at x 700 (its 20-pixel frame included); the page buttons hold their
  // size-30 labels in 218-pixel panels, the label starting 13 pixels in.
  uint16_t saved[256];
  std::copy(std::begin(FontWidths), std::end(FontWidths), saved);
  std::copy(std::begin(widths), std::end(widths), FontWidths);
  EXPECT_LE(TextWidth("In the world of quorland, people always lived in harmony with the phenomenon of", 20),
            580);
  EXPECT_LE(TextWidth("Your mission is to take a journey through all the regions of quorland and remove", 20),
            580);
  EXPECT_LE(TextWidth("<< PREVIOUS PAGE", 30), 218 - 13);
  // The instruction pages write from 20 pixels inside their 740-pixel panel; the
  // longest lines must end before its right frame.
  for (const char* line :
       {"above the anchor. If the stone doesn't fit THERE, it will fly back to it's initial position. With "
        "the "
        "aimhelp",
        "described in the shop menu. Selling items in the shop is also possible but you will always receive "
        "only",
        "There are always four stones flying at the top of the screen. If pulled down, they hit the highest "
        "block",
        "Everytime you remove five rows and the level-meter fills up, the dificulty increases. That means, "
        "that"})
    EXPECT_LE(TextWidth(line, 20), 700) << line;
  // A name of the 12 letters the name entry takes fits the 180-pixel box of the
  // "New Highscore" dialog, and the map's info box holds "Level: 55 of 55" before
  // its "PUZZLE" (95 pixels further on).
  EXPECT_LE(TextWidth("MAXIMILIANUS", 30), 160);
  EXPECT_LE(TextWidth("Level: 55 of 55", 18), 92);
  // The map's first hint: a 260-pixel panel, the text 15 pixels in.
  EXPECT_LE(TextWidth("Click here to start the first level...", 20), 245);
  // The most money the player can hold, in the three places it is shown: the
  // shop's panel (from x 388 to 480) and the map's (638 to 739) at size 25, the
  // level-clear panel (383 to 500) at size 30.
  const std::string most = std::to_string(MONEY_CAP);
  EXPECT_LE(TextWidth("X " + most, 25), 480 - 388);
  EXPECT_LE(TextWidth("X " + most, 25), 739 - 638);
  EXPECT_LE(TextWidth("= " + most, 30), 500 - 383);
  std::copy(std::begin(saved), std::end(saved), FontWidths);
}

} // namespace
