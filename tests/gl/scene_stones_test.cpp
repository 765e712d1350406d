// The 3D scene pieces: the grip search and its aim sound, the flying band that
// wraps and fades at its ends, the playfield's colours (including cell values
// without a palette colour), the aim beam and the explosion frames.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "game/effects.h"
#include "game/state.h"
#include "game_screen_support.h"
#include "render/effects_draw.h"
#include "render/scene.h"

using namespace screen_test;

namespace {

constexpr Rgb kBoxFace = {230, 180, 40};

class Scene : public ::testing::Test {
protected:
  AssetGuard assets;
  PlayerFilesGuard files;

  void SetUp() override {
    ASSERT_TRUE(RequireWindow());
    UseTestAssets();
    Tex.box = SolidTexture(kBoxFace.r, kBoxFace.g, kBoxFace.b);
    ResetHeadlessGame(1);
    CurrentGame.level = ARCADE_LEVEL;
    WobblePhase1 = WobblePhase2 = 0;
    AnnouncedGrip = {NO_ANNOUNCED_ROW, -1, -1, -1};
    ListenToSounds();
  }
  void TearDown() override {
    SetSoundObserver(nullptr);
    ResetTestFrame(); // lighting and blending off again for the tests that follow
  }

  // Clears the picture and draws with the game camera, lighting off so that
  // colours come out exactly as given.
  void Frame(void (*draw)()) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BeginCamera();
    glDisable(GL_LIGHTING);
    draw();
    glDisable(GL_LIGHTING);
  }
  static void Stones() {
    DrawFlyingStones();
    glDisable(GL_LIGHTING);
  }
  Rgb WorldPixel(double x, double y, double z = 1.0) {
    int sx = 0, sy = 0;
    WorldToScreen(x, y, z, &sx, &sy);
    return Pixel(sx, sy);
  }
};

// Kind 1 is a row of four boxes in template row 1, i.e. box row k = 2.
TEST_F(Scene, GripIsTheBoxAboveTheAnchorAndAnnouncedOncePerChange) {
  StoneRing.kind[0] = 1;
  StoneRing.roundedPosition = 1000; // stone 0 over ring slots 10..13: columns 6..9
  Anchor.column = 7;
  Frame(Stones);
  EXPECT_EQ(Grip.stone, 0);
  EXPECT_EQ(Grip.column, 1);
  EXPECT_EQ(Grip.row, 2);
  EXPECT_EQ(Grip.rotation, 0);
  EXPECT_FLOAT_EQ(Grip.height, 2.0f);
  EXPECT_EQ(Played(SND_AIM), 1);

  Frame(Stones);
  EXPECT_EQ(Played(SND_AIM), 1); // still the same box: no repeat

  Anchor.column = 8;
  Frame(Stones);
  EXPECT_EQ(Grip.column, 2);
  EXPECT_EQ(Played(SND_AIM), 2);

  // Nothing above the anchor: no grip, and the next grip is announced again.
  Anchor.column = 3;
  Frame(Stones);
  EXPECT_EQ(Grip.stone, -1);
  EXPECT_EQ(Grip.height, NO_GRIP_HEIGHT);
  EXPECT_EQ(AnnouncedGrip.row, NO_ANNOUNCED_ROW);
  Anchor.column = 8;
  Frame(Stones);
  EXPECT_EQ(Played(SND_AIM), 3);

  // A turn of the stones is a new grip too.
  StoneRing.rotation = 2;
  Frame(Stones);
  EXPECT_EQ(Grip.rotation, 2);
  EXPECT_EQ(Played(SND_AIM), 4);
}

TEST_F(Scene, GripIsTheLowestBoxOfTheColumnAndFollowsTheSnappedPosition) {
  StoneRing.kind[1] = 2; // rows 0110 / 0010 / 0110: column 2 has boxes at k = 1, 2, 3
  // Position 551 snaps to slot 6: stone 1 starts at slot 11 (column 7), column 2 over column 9.
  StoneRing.roundedPosition = 551;
  Anchor.column = 9;
  Frame(Stones);
  EXPECT_EQ(Grip.stone, 1);
  EXPECT_EQ(Grip.column, 2);
  EXPECT_EQ(Grip.row, 1);
}

TEST_F(Scene, ReplacedStoneGivesNoGripWhileItComesDown) {
  StoneRing.kind[0] = 1;
  StoneRing.roundedPosition = 1000;
  StoneRing.dropLands[0] = 1;
  Anchor.column = 7;

  StoneRing.appearTimer[0] = 151;
  Frame(Stones);
  EXPECT_EQ(Grip.stone, -1);
  EXPECT_EQ(Played(SND_AIM), 0);

  StoneRing.appearTimer[0] = 150;
  Frame(Stones);
  EXPECT_EQ(Grip.stone, 0);
  // The gripped box is still raised by the rest of its drop.
  EXPECT_NEAR(Grip.height, 2.0 + 6.0 * (1.0 - std::cos(150.0 * 3.14159265358979 / 400.0)), 1e-4);

  // A stone still flying back gives no grip and is not drawn in the band.
  StoneRing.dropLands[0] = 0;
  StoneRing.appearTimer[0] = -1000;
  Frame(Stones);
  EXPECT_EQ(Grip.stone, -1);
}

TEST_F(Scene, BandWrapsAndFadesAtBothEnds) {
  StoneRing.kind[3] = 1;
  // Stone 3 starts at slot 18: its columns lie at band x 8, 9, -10 and -9.
  StoneRing.roundedPosition = 300;
  Frame(Stones);
  EXPECT_EQ(WorldPixel(8.5, 4.5), kBoxFace);  // f = 8: opaque
  EXPECT_EQ(WorldPixel(-8.5, 4.5), kBoxFace); // f = -9: opaque
  // f = 9 and f = -10 are all but transparent (alpha 2/255 and 4/255 over black).
  const Rgb right = WorldPixel(9.5, 4.5), left = WorldPixel(-9.5, 4.5);
  EXPECT_LE(right.r, 3);
  EXPECT_LE(left.r, 5);
  EXPECT_GT(left.r, 0);

  // A little further on, the column at f > 9 is not drawn at all.
  StoneRing.roundedPosition = 305;
  Frame(Stones);
  EXPECT_EQ(WorldPixel(9.6, 4.5), (Rgb{0, 0, 0}));
}

TEST_F(Scene, PlayfieldColoursAndCellsWithoutAColour) {
  static const auto field = [] {
    DrawPlayfield();
    glDisable(GL_LIGHTING);
  };
  ShownCell(6, 11) = 3;   // colour 2: red
  ShownCell(7, 11) = 101; // a bomb cell: no palette colour
  ShownCell(8, 11) = 250; // a value from a damaged level file
  ShownCell(5, 11) = 4;
  Cell(5, 11) = CELL_HIDDEN; // filled but never drawn
  Cell(4, 11) = CELL_TUBE;
  ShownCell(4, 11) = 40;
  Frame(field);
  EXPECT_EQ(WorldPixel(0.5, -10.5), (Rgb{255, 32, 32}));
  EXPECT_EQ(WorldPixel(1.5, -10.5),
            (Rgb{UnknownBoxColour.red, UnknownBoxColour.green, UnknownBoxColour.blue}));
  EXPECT_EQ(WorldPixel(2.5, -10.5),
            (Rgb{UnknownBoxColour.red, UnknownBoxColour.green, UnknownBoxColour.blue}));
  EXPECT_EQ(WorldPixel(-0.5, -10.5), (Rgb{0, 0, 0}));
  EXPECT_TRUE(Near(WorldPixel(-1.5, -10.5), Rgb{179, 179, 179}, 1)); // the tube, grey 0.7

  // Game over: every box navy, tubes keep their grey.
  CurrentGame.gameOver = 3;
  Frame(field);
  EXPECT_EQ(WorldPixel(0.5, -10.5), (Rgb{0, 0, 40}));
  EXPECT_EQ(WorldPixel(2.5, -10.5), (Rgb{0, 0, 40}));
  EXPECT_TRUE(Near(WorldPixel(-1.5, -10.5), Rgb{179, 179, 179}, 1));

  // The low-meter shake moves the whole field.
  CurrentGame.gameOver = 0;
  LevelMeter.shake = 0.6f;
  Frame(field);
  EXPECT_EQ(WorldPixel(0.5, -10.2), (Rgb{255, 32, 32}));
  EXPECT_EQ(WorldPixel(0.5, -9.8), (Rgb{255, 32, 32}));
  EXPECT_EQ(WorldPixel(0.5, -10.7), (Rgb{0, 0, 0}));
}

TEST_F(Scene, PaletteLookupNeverLeavesTheTable) {
  EXPECT_EQ(BoxColour(0).blue, 255);
  EXPECT_EQ(BoxColour(9).blue, 40);
  EXPECT_EQ(&BoxColour(10), &UnknownBoxColour);
  EXPECT_EQ(&BoxColour(99), &UnknownBoxColour);
  EXPECT_EQ(&BoxColour(-1), &UnknownBoxColour);
}

TEST_F(Scene, AimBeamIsNarrowWithoutAGripAndWideWithOne) {
  static const auto aim = [] {
    DrawFlyingStones();
    DrawAnchorAndAim();
    glDisable(GL_LIGHTING);
  };
  Anchor.column = 3; // beam centred on x = -2.5
  Frame(aim);
  EXPECT_NE(WorldPixel(-2.5, 5.0, 0.5), (Rgb{0, 0, 0}));
  EXPECT_EQ(WorldPixel(-2.5 + 0.17, 5.0, 0.5), (Rgb{0, 0, 0}));
  EXPECT_EQ(WorldPixel(-2.5, 9.6, 0.5), (Rgb{0, 0, 0})); // reaches y = 9 only

  StoneRing.kind[0] = 1;
  StoneRing.roundedPosition = 1000;
  Anchor.column = 7; // beam at x = 1.5, up to the gripped box at 4
  Frame(aim);
  EXPECT_NE(WorldPixel(1.5 + 0.17, 0.0, 0.5), (Rgb{0, 0, 0}));
}

TEST_F(Scene, BlockedGhostCellsGetACross) {
  static const auto aim = [] {
    DrawFlyingStones();
    DrawAnchorAndAim();
    glDisable(GL_LIGHTING);
  };
  CurrentGame.aimHelp = 1;
  StoneRing.kind[0] = 1; // four in a row over columns 6..9
  StoneRing.roundedPosition = 1000;
  Anchor.column = 6;
  Cell(6, 11) = 1;                     // the anchor column's top box: the row lands at row 10
  Cell(8, 10) = 1;                     // in the way of the third box
  CurrentGame.tick = 0;                // cross colour (255, 192, 20), lit
  Tex.box = SolidTexture(40, 80, 230); // a bluish ghost
  Frame(aim);
  const Rgb blocked = WorldPixel(2.5, -9.5, 1.4);
  EXPECT_GT(blocked.r, 100) << blocked;
  EXPECT_GT(blocked.r, blocked.b + 60) << blocked;
  EXPECT_GT(blocked.g, blocked.b) << blocked;
  for (double x : {1.5, 3.5}) {
    const Rgb ghost = WorldPixel(x, -9.5, 1.0);
    EXPECT_GT(ghost.b, ghost.r) << ghost;
  }
  SavePicture("scene_ghost_with_cross");
  // Without aim help there is no ghost and no cross.
  CurrentGame.aimHelp = 0;
  Frame(aim);
  EXPECT_EQ(WorldPixel(2.5, -9.5, 1.4), (Rgb{0, 0, 0}));
  EXPECT_EQ(WorldPixel(3.5, -9.5, 1.0), (Rgb{0, 0, 0}));
}

// The lit cross is orange to yellow; the test ghost is bluish.
bool LooksLikeCross(const Rgb& c) {
  return c.r > 100 && c.r > c.b + 60 && c.g > c.b;
}

TEST_F(Scene, GhostBelowTheFloorBesideTheCylinderReadsNoCellOutsideTheField) {
  static const auto aim = [] {
    DrawFlyingStones();
    DrawAnchorAndAim();
    glDisable(GL_LIGHTING);
  };
  // Kind 3 turned once: rows 0000 / 0110 / 0010 / 0010. Its column 1 (one box,
  // k = 2) is gripped over the last column; column 2 (k = 2, 1, 0) hangs over
  // margin column 12, its lowest box two rows below the floor.
  CurrentGame.aimHelp = 1;
  Tex.box = SolidTexture(40, 80, 230);
  StoneRing.kind[0] = 3;
  StoneRing.rotation = 1;
  StoneRing.roundedPosition = 1400;
  Anchor.column = 11;
  // Where a read of row 13 of column 12 would land, were the grid read past its end.
  Cell(13, -5) = 1;
  Frame(aim);
  ASSERT_EQ(Grip.stone, 0);
  ASSERT_EQ(Grip.column, 1);
  ASSERT_EQ(Grip.row, 2);
  // Margin boxes are not tested against the floor, and row 13 does not exist.
  EXPECT_FALSE(LooksLikeCross(WorldPixel(6.5, -12.5, 1.4))) << WorldPixel(6.5, -12.5, 1.4);
  EXPECT_FALSE(LooksLikeCross(WorldPixel(6.5, -11.5, 1.4))) << WorldPixel(6.5, -11.5, 1.4);

  // A filled cell in the margin's row 12 does block.
  Cell(12, 12) = 1;
  Frame(aim);
  EXPECT_TRUE(LooksLikeCross(WorldPixel(6.5, -11.5, 1.4))) << WorldPixel(6.5, -11.5, 1.4);
  EXPECT_FALSE(LooksLikeCross(WorldPixel(6.5, -12.5, 1.4))) << WorldPixel(6.5, -12.5, 1.4);
}

TEST_F(Scene, FlyBackTimerIsDrivenThroughClimbDescentAndReturn) {
  static const auto aim = [] {
    DrawAnchorAndAim();
    glDisable(GL_LIGHTING);
  };
  StoneRing.kind[2] = 5;
  StoneRing.dropLands[2] = 0;
  StoneRing.appearTimer[2] = 99;
  PulledStone.slot = 2;
  PulledStone.anchorColumn = 6;
  PulledStone.pivotHeight = 1;
  PulledStone.dropLength = 16;
  PulledStone.landingRow = 5; // the descent lasts while 2 * 16 - p > 11
  PulledStone.shape[1 * 4 + 1] = 1;

  StoneRing.dropProgress[2] = 5; // the anchor climbs
  Frame(aim);
  EXPECT_EQ(StoneRing.appearTimer[2], 500);
  StoneRing.dropProgress[2] = 17; // the stone rides down
  Frame(aim);
  EXPECT_EQ(StoneRing.appearTimer[2], -1000);
  StoneRing.dropProgress[2] = 21; // the descent is over: the flight back begins
  Frame(aim);
  EXPECT_EQ(StoneRing.appearTimer[2], 100);
  StoneRing.appearTimer[2] = 73; // counting down is the tick's business
  Frame(aim);
  EXPECT_EQ(StoneRing.appearTimer[2], 73);

  // A landing stone's timer belongs to its replacement and is left alone.
  StoneRing.dropLands[2] = 1;
  StoneRing.appearTimer[2] = 180;
  for (uint8_t p : {5, 17, 21}) {
    StoneRing.dropProgress[2] = p;
    Frame(aim);
    EXPECT_EQ(StoneRing.appearTimer[2], 180);
  }
}

TEST(ExplosionFrames, LifeThirtyShowsTheFirstPicture) {
  AssetGuard assets;
  for (int n = 0; n < 6; ++n) Tex.explosions[n] = 100 + n; // expl6 .. expl1
  EXPECT_EQ(ExplosionTexture(30), Tex.explosions[5]);
  EXPECT_EQ(ExplosionTexture(29), Tex.explosions[5]);
  EXPECT_EQ(ExplosionTexture(25), Tex.explosions[5]);
  EXPECT_EQ(ExplosionTexture(24), Tex.explosions[4]);
  EXPECT_EQ(ExplosionTexture(4), Tex.explosions[0]);
  EXPECT_EQ(ExplosionTexture(1), Tex.explosions[0]);
}

} // namespace
