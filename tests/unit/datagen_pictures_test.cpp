// The generated large pictures, read with the game's own picture parsers and
// checked against how the screens cut and blend them: the texture sizes, the
// theme back pictures' field, pillars and chain posts, the number windows under
// the HUD numbers, the masked and premultiplied pictures, the black surroundings
// of additive pictures, the map road under the 55 level spots, the talking guide
// lined up with the map, and every rectangle of the instruction sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "generated_picture.h"

namespace {

using GeneratedArt = GeneratedPictureTest;

bool PowerOfTwo(int v) {
  return v > 0 && (v & (v - 1)) == 0;
}

TEST_F(GeneratedArt, EveryPictureHasTheSizeAndChannelsItsDrawingExpects) {
  struct Expect {
    const char* name;
    int width, height, bytes;
  };
  // Sides are powers of two so GLU never rescales them: most of these pictures
  // are loaded with nearest filtering and are drawn texel for pixel.
  const Expect table[] = {
      {"title.bmp", 1024, 1024, 3},       {"map_screen.bmp", 1024, 1024, 3},
      {"quorback.bmp", 1024, 1024, 3},    {"logo.bmp", 256, 256, 3},
      {"quor.tga", 256, 128, 4},          {"boxes.bmp", 512, 128, 3},
      {"maprand.bmp", 128, 128, 3},       {"shop.bmp", 256, 128, 3},
      {"trenner.bmp", 1024, 32, 3},       {"blink.bmp", 128, 64, 3},
      {"maction.bmp", 512, 512, 3},       {"dtq.bmp", 512, 512, 3},
      {"clear.tga", 512, 256, 4},         {"level_up.tga", 128, 128, 4},
      {"amode.tga", 128, 128, 4},         {"lev_sco.tga", 128, 128, 4},
      {"lines.tga", 128, 128, 4},         {"qmark.tga", 128, 128, 4},
      {"underline.tga", 64, 32, 4},       {"avatar.tga", 256, 512, 4},
      {"forest_sky.bmp", 1024, 128, 3},   {"city_sky.bmp", 1024, 128, 3},
      {"egypt_sky.bmp", 1024, 128, 3},    {"beach_sky.bmp", 1024, 128, 3},
      {"mountain_sky.bmp", 1024, 128, 3}, {"forest_back.tga", 512, 512, 4},
      {"city_back.tga", 512, 512, 4},     {"egypt_back.tga", 512, 512, 4},
      {"beach_back.tga", 512, 512, 4},    {"mountain_back.tga", 512, 512, 4},
  };
  for (const Expect& e : table) {
    Picture p = Load(e.name);
    EXPECT_EQ(p.Width(), e.width) << e.name;
    EXPECT_EQ(p.Height(), e.height) << e.name;
    EXPECT_EQ(p.image.bytesPerPixel, e.bytes) << e.name;
    EXPECT_TRUE(PowerOfTwo(p.Width()) && PowerOfTwo(p.Height())) << e.name;
  }
}

TEST_F(GeneratedArt, ThemeBackPicturesShowFieldPillarsAndChainPostsWhereTheGameCutsThem) {
  for (const char* theme : {"forest", "city", "egypt", "beach", "mountain"}) {
    Picture p = Load(std::string(theme) + "_back.tga");
    if (p.Width() != 512 || p.Height() != 512) continue;
    // The field area (u, v 0..0.654296875) sits behind the boxes: a hole there
    // would let the game backdrop through the playfield.
    EXPECT_GT(p.ShownShare(0, 0, 335, 335), 0.98) << theme;
    // The right pillar (u 0.65625..0.828125) stands against the field's right edge,
    // the left pillar (u 0.828125..1) against its left edge, over their whole height.
    EXPECT_GT(p.ShownShare(336, 0, 340, 335), 0.9) << theme << " right pillar";
    EXPECT_GT(p.ShownShare(508, 0, 512, 335), 0.9) << theme << " left pillar";
    // The anchor's chains end at about (49, 32) in the left corner (u 0..0.125,
    // v 0.875..1) and (15, 32) in the right one: a post must be there.
    EXPECT_TRUE(p.Shown(49, 480)) << theme << " left post";
    EXPECT_TRUE(p.Shown(448 + 15, 480)) << theme << " right post";
    // Corners drawn as 64 × 64 squares over the 3D scene: their outer parts stay
    // see-through so they do not box in the anchor.
    EXPECT_FALSE(p.Shown(0, 448)) << theme;
    EXPECT_FALSE(p.Shown(511, 448)) << theme;
  }
}

TEST_F(GeneratedArt, ThemeSkiesAreOpaqueAndTellTheThemesApart) {
  std::vector<std::array<double, 3>> means;
  for (const char* theme : {"forest", "city", "egypt", "beach", "mountain"}) {
    Picture p = Load(std::string(theme) + "_sky.bmp");
    std::array<double, 3> m{0, 0, 0};
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 53; x < 969; ++x) // the part the game shows, u 0.052..0.947
        for (int c = 0; c < 3; ++c) m[c] += p.At(x, y, c);
    for (double& v : m) v /= (969 - 53) * p.Height();
    means.push_back(m);
  }
  for (size_t a = 0; a < means.size(); ++a)
    for (size_t b = a + 1; b < means.size(); ++b) {
      double d = std::abs(means[a][0] - means[b][0]) + std::abs(means[a][1] - means[b][1]) +
                 std::abs(means[a][2] - means[b][2]);
      EXPECT_GT(d, 20) << "skies " << a + 1 << " and " << b + 1 << " look alike";
    }
}

TEST_F(GeneratedArt, ThemeSkiesHoldExactlyThePicturesTheGameShows) {
  // The game shows u 0.052..0.947 (texels 53.3..969.3) in 686 pixels with nearest
  // filtering: a sky painted at that size and stretched leaves every texel equal to
  // the pixel its centre is shown as, so nothing painted is dropped or squeezed.
  const double first = 1024 * 0.052083332, perPixel = 1024 * (0.94661456 - 0.052083332) / 686;
  for (const char* theme : {"forest", "city", "egypt", "beach", "mountain"}) {
    Picture p = Load(std::string(theme) + "_sky.bmp");
    int wrong = 0;
    for (int x = 54; x < 969; ++x) {
      const int pixel = static_cast<int>((x + 0.5 - first) / perPixel);
      const int shownAs = static_cast<int>(first + (pixel + 0.5) * perPixel);
      for (int y = 0; y < p.Height(); ++y)
        for (int c = 0; c < 3; ++c) wrong += p.At(x, y, c) != p.At(shownAs, y, c);
    }
    EXPECT_EQ(wrong, 0) << theme << "_sky.bmp holds detail the game never shows";
  }
}

TEST_F(GeneratedArt, HudPlaquesHaveDarkWindowsUnderTheNumbers) {
  // The plaques are drawn at (667, 210) and (667, 320); numbers are drawn over
  // them at x = 706 − cell × digits, i.e. 39 − cell × digits in the picture.
  auto window = [](const Picture& p, int x0, int y0, int x1, int y1, const char* what) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        ASSERT_TRUE(p.Shown(x, y)) << what << " at " << x << "," << y;
        ASSERT_LT(p.Brightness(x, y), 60) << what << " at " << x << "," << y;
      }
  };
  Picture levSco = Load("lev_sco.tga");
  window(levSco, 9, 18, 69, 44, "level number, up to 3 digits of 20 at y 228");
  window(levSco, 9, 80, 69, 93, "score, up to 6 digits of 10 at y 290");
  Picture lines = Load("lines.tga");
  window(lines, 24, 19, 54, 32, "lines, up to 3 digits of 10 at y 339");
  // The labels above the windows are lettering in the plaque, brighter than the windows.
  int bright = 0;
  for (int y = 2; y < 16; ++y)
    for (int x = 10; x < 70; ++x) bright += levSco.Shown(x, y) && levSco.Brightness(x, y) > 180;
  EXPECT_GT(bright, 20) << "the LEVEL label";
}

TEST_F(GeneratedArt, MaskedPicturesShowTheirContentWhereTheScreenCutsIt) {
  Picture avatar = Load("avatar.tga");
  // Frame n: u 0.5 × (n mod 2), v 0.25 × (n div 2), 128 × 128 texels each.
  auto frameShare = [&](int n) {
    int x0 = 128 * (n % 2), y0 = 128 * (n / 2);
    return avatar.ShownShare(x0, y0, x0 + 128, y0 + 128);
  };
  auto framesDiffer = [&](int a, int b) {
    int differing = 0;
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x)
        differing += avatar.Brightness(128 * (a % 2) + x, 128 * (a / 2) + y) !=
                     avatar.Brightness(128 * (b % 2) + x, 128 * (b / 2) + y);
    return differing > 100;
  };
  for (int n = 0; n < 8; ++n) EXPECT_GT(frameShare(n), 0.5) << "frame " << n;
  EXPECT_TRUE(framesDiffer(0, 1)) << "blinking";
  EXPECT_TRUE(framesDiffer(2, 3)) << "worried blinking";
  EXPECT_TRUE(framesDiffer(4, 5)) << "scared blinking";
  EXPECT_TRUE(framesDiffer(1, 3)) << "worried";
  EXPECT_TRUE(framesDiffer(3, 5)) << "scared";
  EXPECT_TRUE(framesDiffer(1, 6)) << "happy";
  EXPECT_TRUE(framesDiffer(1, 7)) << "game over";

  // Level up: upper half "LEVEL" (v 0..0.5), lower half "UP" (v 0.5..1), each
  // drawn on its own; the rows at the seam stay hidden so neither half shows a
  // sliver of the other.
  Picture levelUp = Load("level_up.tga");
  EXPECT_GT(levelUp.ShownShare(0, 0, 128, 64), 0.1);
  EXPECT_GT(levelUp.ShownShare(0, 64, 128, 128), 0.1);
  EXPECT_EQ(levelUp.ShownShare(0, 62, 128, 66), 0.0);

  // The arcade badge at (0, 500) and (672, 500) has only its top 100 rows on screen.
  Picture amode = Load("amode.tga");
  EXPECT_GT(amode.ShownShare(0, 0, 128, 100), 0.3);
  EXPECT_EQ(amode.ShownShare(0, 100, 128, 128), 0.0);

  // The puzzle mark replaces the meter (drawn at x 57..101, i.e. 38..82 in the picture).
  Picture qmark = Load("qmark.tga");
  EXPECT_TRUE(qmark.Shown(60, 58));
  EXPECT_GT(qmark.ShownShare(38, 0, 82, 128), 0.5);

  Picture stand = Load("underline.tga");
  EXPECT_GT(stand.ShownShare(0, 0, 64, 32), 0.3);
}

TEST_F(GeneratedArt, PremultipliedPicturesNeverExceedTheirAlpha) {
  // Drawn with (one, one minus source alpha): a colour above its alpha would
  // brighten the screen behind the transparent parts.
  for (const char* name : {"clear.tga", "quor.tga"}) {
    Picture p = Load(name);
    int worst = 0;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x) worst = std::max(worst, p.Brightness(x, y) - p.At(x, y, 3));
    EXPECT_LE(worst, 1) << name;
  }
  // The score panel covers y 285..355 once the banner rests at y 100: the
  // lettering must lie above picture row 185.
  Picture clear = Load("clear.tga");
  int covered = 0;
  for (int y = 185; y < 256; ++y)
    for (int x = 155; x < 355; ++x) covered += clear.At(x, y, 3) > 128;
  EXPECT_EQ(covered, 0);
  EXPECT_GT(clear.At(256, 106, 3), 200) << "the lettering itself is solid";
}

TEST_F(GeneratedArt, AdditivePicturesFadeToBlackAtTheirEdges) {
  // The multi-line banner shows one third at a time with linear filtering: the
  // rows at each border stay black so no third bleeds into another.
  Picture dtq = Load("dtq.bmp");
  for (int y : {0, 1, 2, 169, 170, 171, 172, 340, 341, 342, 343, 510, 511})
    for (int x = 0; x < 512; ++x) ASSERT_LT(dtq.Brightness(x, y), 8) << "row " << y;
  for (int third = 0; third < 3; ++third) {
    int bright = 0;
    for (int y = third * 171 + 10; y < third * 171 + 160; ++y)
      for (int x = 0; x < 512; ++x) bright += dtq.Brightness(x, y) > 200;
    EXPECT_GT(bright, 2000) << "banner " << third + 1;
  }
  Picture boxes = Load("boxes.bmp");
  for (int x : {0, 511})
    for (int y : {0, 127}) EXPECT_LT(boxes.Brightness(x, y), 8);
  Picture trenner = Load("trenner.bmp");
  for (int y = 0; y < 32; ++y) {
    EXPECT_LT(trenner.Brightness(0, y), 8);
    EXPECT_LT(trenner.Brightness(1023, y), 8);
  }
  EXPECT_GT(trenner.Brightness(300, 16), 150) << "the gold line";
}

TEST_F(GeneratedArt, PicturesDrawnOverBlackKeepBlackBorders) {
  // The loading screen and the shop clear to black; their pictures are opaque.
  Picture logo = Load("logo.bmp");
  for (int i = 0; i < 256; ++i) {
    EXPECT_LT(logo.Brightness(i, 0), 12);
    EXPECT_LT(logo.Brightness(i, 255), 12);
  }
  Picture corner = Load("maprand.bmp");
  EXPECT_LT(corner.Brightness(127, 127), 12);
  EXPECT_GT(corner.Brightness(10, 64), 150) << "the frame line along the edge";
  Picture shop = Load("shop.bmp");
  EXPECT_LT(shop.Brightness(0, 127), 12);
  EXPECT_LT(shop.Brightness(255, 127), 12);
}

TEST_F(GeneratedArt, TitleKeepsTheVersionLineReadable) {
  // "v. 1.4" is drawn at (18, 584), size 14, in dark grey (50, 50, 50).
  Picture title = Load("title.bmp");
  if (title.Width() != 1024) return;
  double sum = 0;
  int n = 0;
  for (int y = 584; y < 598; ++y)
    for (int x = 18; x < 60; ++x, ++n)
      sum += 0.3 * title.At(x, y, 0) + 0.59 * title.At(x, y, 1) + 0.11 * title.At(x, y, 2);
  EXPECT_GT(sum / n, 110) << "too dark behind the version line";
}

TEST_F(GeneratedArt, LevelSpotsLieOnTheMapRoadAndTheTalkingGuideLinesUp) {
  static const int spots[55][2] = {
      {88, 286},  {111, 230}, {146, 178}, {200, 141}, {251, 124}, {319, 120}, {375, 134}, {428, 173},
      {467, 217}, {490, 274}, {495, 353}, {476, 410}, {425, 467}, {382, 498}, {330, 517}, {249, 514},
      {188, 489}, {135, 453}, {107, 400}, {115, 340}, {137, 288}, {160, 249}, {190, 216}, {220, 197},
      {256, 186}, {316, 184}, {357, 198}, {394, 231}, {413, 266}, {427, 300}, {426, 348}, {410, 386},
      {382, 417}, {350, 438}, {305, 453}, {264, 454}, {226, 441}, {192, 422}, {172, 390}, {171, 348},
      {205, 309}, {226, 269}, {260, 247}, {304, 244}, {347, 265}, {368, 307}, {355, 354}, {328, 376},
      {283, 392}, {246, 376}, {238, 332}, {265, 299}, {308, 290}, {327, 314}, {298, 337}};
  Picture map = Load("map_screen.bmp");
  if (map.Width() != 1024) return;
  for (int n = 0; n < 55; ++n) {
    int x = spots[n][0], y = spots[n][1];
    // The road's sand lies within two texels of the spot's centre (the dashed
    // centre line may run right through it).
    bool road = false;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx) road = road || map.ColourNear(x + dx, y + dy, 0xf3dfae, 24);
    EXPECT_TRUE(road) << "spot " << n + 1 << " at " << x << "," << y << " is off the road";
  }
  // blink.bmp replaces the map at (638, 323): away from the guide it is the map itself.
  Picture blink = Load("blink.bmp");
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 8; ++x)
      for (int c = 0; c < 3; ++c) ASSERT_EQ(blink.At(x, y, c), map.At(638 + x, 323 + y, c)) << x << "," << y;
  int differing = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 128; ++x) differing += blink.Brightness(x, y) != map.Brightness(638 + x, 323 + y);
  EXPECT_GT(differing, 100) << "the guide talks in blink.bmp";
}

TEST_F(GeneratedArt, InstructionSheetFillsEveryRectangleThePagesCut) {
  Picture sheet = Load("maction.bmp");
  if (sheet.Width() != 512) return;
  const int background = (sheet.At(511, 511, 0) << 16) | (sheet.At(511, 511, 1) << 8) | sheet.At(511, 511, 2);
  struct Rect {
    const char* what;
    int x0, y0, x1, y1;
  };
  // u, v × 512, from the instruction pages and the story introduction.
  const Rect rects[] = {
      {"mouse", 190, 0, 334, 224},
      {"fitting example", 0, 0, 153, 264},
      {"failing example", 334, 0, 491, 264},
      {"red cross", 0, 262, 38, 303},
      {"meter and tubes", 44, 301, 368, 352},
      {"level meter", 0, 301, 43, 498},
      {"bomb stone", 469, 301, 512, 425},
      {"edge example", 44, 350, 175, 504},
      {"story intro", 173, 350, 281, 404},
  };
  for (const Rect& r : rects) {
    int drawn = 0;
    for (int y = r.y0; y < r.y1; ++y)
      for (int x = r.x0; x < r.x1; ++x) drawn += !sheet.ColourNear(x, y, background, 6);
    EXPECT_GT(drawn, (r.x1 - r.x0) * (r.y1 - r.y0) / 10) << r.what;
  }
  // Texels two pictures share are plain background, so each page shows a clean edge.
  const Rect shared[] = {{"fitting/cross", 0, 262, 38, 264},
                         {"cross/meter", 0, 301, 38, 303},
                         {"strip/edge", 44, 350, 175, 352},
                         {"strip/intro", 173, 350, 281, 352},
                         {"edge/intro", 173, 350, 175, 404}};
  for (const Rect& r : shared)
    for (int y = r.y0; y < r.y1; ++y)
      for (int x = r.x0; x < r.x1; ++x)
        ASSERT_TRUE(sheet.ColourNear(x, y, background, 2)) << r.what << " at " << x << "," << y;
}

} // namespace
