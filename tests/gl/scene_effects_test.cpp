// Drawing of the effect pools: where each piece appears, which picture an
// explosion shows, which debris tumbles, and colours without a palette entry.
#include <gtest/gtest.h>

#include <cstring>

#include "game/effects.h"
#include "game_screen_support.h"
#include "render/effects_draw.h"
#include "render/scene.h"

using namespace screen_test;

namespace {

class EffectDrawing : public ::testing::Test {
protected:
  AssetGuard assets;

  void SetUp() override {
    ASSERT_TRUE(RequireWindow());
    UseTestAssets(0, 0, 0);
    ResetEffects();
  }
  void TearDown() override {
    ResetEffects();
    ResetTestFrame();
  }

  void Frame(void (*draw)()) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BeginCamera();
    glDisable(GL_LIGHTING);
    draw();
    glDisable(GL_LIGHTING);
  }
  Rgb WorldPixel(double x, double y, double z) {
    int sx = 0, sy = 0;
    WorldToScreen(x, y, z, &sx, &sy);
    return Pixel(sx, sy);
  }
};

TEST_F(EffectDrawing, ExplosionPicturesFollowTheLifeAndLifeThirtyShowsTheFirst) {
  // Pure colours, so the additive sprite blend shows them unchanged over black.
  Tex.explosions[5] = SolidTexture(255, 0, 0); // expl1
  Tex.explosions[4] = SolidTexture(0, 0, 255); // expl2
  Tex.explosions[0] = SolidTexture(0, 255, 0); // expl6
  Explosions[0] = {-3.0f, -5.0f, 30};
  Explosions[1] = {0.0f, -5.0f, 24};
  Explosions[2] = {3.0f, -5.0f, 2};
  Explosions[3] = {-6.0f, -5.0f, 0}; // free
  Frame(DrawExplosions);
  EXPECT_EQ(WorldPixel(-2.5, -4.5, 0.5), (Rgb{255, 0, 0}));
  EXPECT_EQ(WorldPixel(0.5, -4.5, 0.5), (Rgb{0, 0, 255}));
  EXPECT_EQ(WorldPixel(3.5, -4.5, 0.5), (Rgb{0, 255, 0}));
  EXPECT_EQ(WorldPixel(-5.5, -4.5, 0.5), (Rgb{0, 0, 0}));
}

TEST_F(EffectDrawing, TubeDebrisKeepsItsOrientationBoxDebrisTumbles) {
  // Both turned a quarter about x: the box's front face is then seen edge-on.
  Debris[0] = PieceRecord{};
  Debris[0].active = 1;
  Debris[0].kind = 30;
  Debris[0].x = -2, Debris[0].y = -5;
  Debris[0].rx = 90;
  Debris[1] = Debris[0];
  Debris[1].kind = 2;
  Debris[1].x = 2;
  // A bomb cell's debris (value 100 minus 1) has no palette colour.
  Debris[2] = PieceRecord{};
  Debris[2].active = 1;
  Debris[2].kind = 99;
  Debris[2].x = 0, Debris[2].y = -8;
  Frame(DrawDebris);
  EXPECT_TRUE(Near(WorldPixel(-1.5, -4.5, 1.0), Rgb{179, 179, 179}, 1));
  EXPECT_EQ(WorldPixel(2.5, -4.2, 1.0), (Rgb{0, 0, 0}));
  EXPECT_EQ(WorldPixel(0.5, -7.5, 1.0),
            (Rgb{UnknownBoxColour.red, UnknownBoxColour.green, UnknownBoxColour.blue}));

  // Unturned, the box shows its palette colour where it is.
  Debris[1].rx = 0;
  Frame(DrawDebris);
  EXPECT_EQ(WorldPixel(2.5, -4.5, 1.0), (Rgb{255, 32, 32}));
}

TEST_F(EffectDrawing, SuitDropsFlyStraightToTheirTarget) {
  Tex.suits[2] = SolidTexture(255, 0, 255);
  SuitDrops[0] = PieceRecord{};
  SuitDrops[0].active = 1;
  SuitDrops[0].kind = 2;
  SuitDrops[0].x = 2, SuitDrops[0].y = -2;
  SuitDrops[0].tx = -8, SuitDrops[0].ty = -6;
  SuitDrops[0].duration = 100;
  SuitDrops[0].remaining = 50; // half-way: at (-3, -4)
  Frame(DrawSuitDrops);
  EXPECT_EQ(WorldPixel(-2.5, -3.5, 0.5), (Rgb{255, 0, 255}));
  EXPECT_EQ(WorldPixel(2.5, -1.5, 0.5), (Rgb{0, 0, 0}));
  SuitDrops[0].remaining = 100; // just spawned: on its box
  Frame(DrawSuitDrops);
  EXPECT_EQ(WorldPixel(2.5, -1.5, 0.5), (Rgb{255, 0, 255}));
  EXPECT_EQ(WorldPixel(-2.5, -3.5, 0.5), (Rgb{0, 0, 0}));
}

TEST_F(EffectDrawing, StarsDriftAndShrinkWithTheirLife) {
  Tex.star = SolidTexture(255, 255, 0);
  Stars[0] = {0.0f, -5.0f, 0.1f, 0.0f, 100, 120}; // 20 ticks old: 2 units to the right
  Frame(DrawStars);
  // Centre at (2.5, -4.5), half-size life / 200 = 0.5.
  EXPECT_EQ(WorldPixel(2.5, -4.5, 0.5), (Rgb{255, 255, 0}));
  EXPECT_EQ(WorldPixel(2.9, -4.5, 0.5), (Rgb{255, 255, 0}));
  EXPECT_EQ(WorldPixel(3.2, -4.5, 0.5), (Rgb{0, 0, 0}));
  EXPECT_EQ(WorldPixel(0.5, -4.5, 0.5), (Rgb{0, 0, 0}));
  Stars[0] = {0.0f, -5.0f, 0.1f, 0.0f, 20, 120}; // near its end: half-size 0.1, 10 units on
  Frame(DrawStars);
  EXPECT_EQ(WorldPixel(10.5, -4.5, 0.5), (Rgb{255, 255, 0}));
  EXPECT_EQ(WorldPixel(10.8, -4.5, 0.5), (Rgb{0, 0, 0}));
}

} // namespace
