// Pulling stones: finding the stone, the gate, landing row, fit test, writing the
// boxes, bombs, fly-back and the drop animation with its landing moment.
#include "game_support.h"

using namespace gametest;

namespace {
// Kind 5 is the 2 x 2 block: template columns 1 and 2, heights 1 and 2.
constexpr uint8_t BLOCK = 5;
// Kind 9 is the bar with a bomb: columns 0..3 at height 2, the bomb in column 2.
constexpr uint8_t BOMB_BAR = 9;

} // namespace

using Pull = GameTest;

TEST_F(Pull, EmptyColumnLandsOnTheBottomRow) {
  StartArcade(12);
  AimStone(BLOCK, 0, 1, 5);
  PullStone();
  EXPECT_EQ(Played(SND_ANKER), 1);
  EXPECT_EQ(Cell(5, 11), BLOCK);
  EXPECT_EQ(Cell(5, 10), BLOCK);
  EXPECT_EQ(Cell(6, 11), BLOCK);
  EXPECT_EQ(Cell(6, 10), BLOCK);
  EXPECT_EQ(Cell(4, 11), CELL_EMPTY);
  EXPECT_EQ(ShownCell(5, 11), CELL_EMPTY) << "the boxes appear only at the landing moment";
  EXPECT_EQ(PulledStone.landingRow, 11);
  EXPECT_EQ(PulledStone.pivotHeight, 1);
  EXPECT_EQ(PulledStone.dropLength, 16);
  EXPECT_EQ(StoneRing.dropLands[0], 1);
  EXPECT_EQ(StoneRing.dropProgress[0], 1);
  EXPECT_EQ(StoneRing.appearTimer[0], 200);
  EXPECT_EQ(CurrentGame.fallTimer, 100);
  EXPECT_GE(StoneRing.kind[0], 1);
  EXPECT_LE(StoneRing.kind[0], 8);
}

TEST_F(Pull, StoneLandsOnTheHighestFilledCellOfTheAnchorColumn) {
  StartArcade(12);
  Cell(5, 7) = 2;
  Cell(6, 9) = 2; // lower than the anchor column's top: does not matter
  AimStone(BLOCK, 0, 1, 5);
  PullStone();
  EXPECT_EQ(PulledStone.landingRow, 6);
  EXPECT_EQ(Cell(5, 6), BLOCK);
  EXPECT_EQ(Cell(6, 6), BLOCK);
  EXPECT_EQ(Cell(6, 5), BLOCK);
}

TEST_F(Pull, LandingMomentComesSevenTicksBeforeTheTarget) {
  StartArcade(12);
  AimStone(BLOCK, 0, 1, 5);
  PullStone();
  // Target 2 x 16 - 16 + 11 = 27 reached after 20 steps (1, 3, ..., 13, 14, ..., 27).
  int k = 0;
  while (ShownCell(5, 11) == CELL_EMPTY && k < 40) {
    AdvanceDrops();
    ++k;
  }
  EXPECT_EQ(k, 20);
  EXPECT_EQ(StoneRing.dropProgress[0], 27);
  EXPECT_EQ(Played(SND_BOX), 1) << "no line removed: the box sound";
  EXPECT_EQ(LivePuffs(Dust, DUST_POOL), 16) << "four puffs for each of the four boxes";
  // Dust of the box landed at (5, 11): the first puff at (5 - 6 + 0.3, -11 + 0.3).
  EXPECT_FLOAT_EQ(Dust[0].x0, -0.7f);
  EXPECT_FLOAT_EQ(Dust[0].y0, -10.7f);
  EXPECT_FLOAT_EQ(Dust[0].vx, 0.03f);
  EXPECT_FLOAT_EQ(Dust[1].vx, -0.03f);
  AdvanceDrops();
  AdvanceDrops();
  EXPECT_EQ(StoneRing.dropProgress[0], 29);
  AdvanceDrops();
  EXPECT_EQ(StoneRing.dropProgress[0], 0);
}

TEST_F(Pull, TopBoxOverTheAnchorDropsSeventeenAndDustsTwoRowsHigher) {
  StartArcade(12);
  // A dream stone whose column 1 holds only its top box: pivot height 3.
  uint8_t(&dream)[4][16] = DreamStone();
  std::memset(dream, 0, sizeof dream);
  dream[0][TemplateByte(1, 3)] = 1;
  AimStone(DREAM_KIND, 0, 1, 5);
  PullStone();
  EXPECT_EQ(PulledStone.pivotHeight, 3);
  EXPECT_EQ(PulledStone.dropLength, 17);
  EXPECT_EQ(Cell(5, 11), 9) << "the dream stone's colour is 9";
  int k = 0;
  while (ShownCell(5, 11) == CELL_EMPTY && k < 40) {
    AdvanceDrops();
    ++k;
  }
  // Target 2 x 17 - 16 + 11 = 29: 6 steps to 13, 16 more.
  EXPECT_EQ(k, 22);
  ASSERT_EQ(LivePuffs(Dust, DUST_POOL), 4);
  EXPECT_FLOAT_EQ(Dust[0].y0, -9.0f + 0.3f);
}

TEST_F(Pull, BoxIntoRowTwelveOfAnActiveColumnFliesBack) {
  StartArcade(12);
  // Kind 3: column 1 reaches down to height 1, column 2 only at height 2.
  AimStone(3, 0, 2, 5);
  PullStone();
  EXPECT_EQ(Played(SND_ANKER), 1);
  EXPECT_EQ(StoneRing.dropLands[0], 0);
  EXPECT_EQ(StoneRing.dropProgress[0], 1);
  EXPECT_EQ(StoneRing.appearTimer[0], 99);
  EXPECT_EQ(StoneRing.kind[0], 3) << "a fly-back keeps the stone";
  EXPECT_EQ(PulledStone.dropLength, 17);
  EXPECT_FLOAT_EQ(PulledStone.heightOffset, -13.0f);
  for (int c = -5; c <= 16; ++c)
    for (int r = -5; r <= 12; ++r) ASSERT_EQ(Cell(c, r), CELL_EMPTY);
  EXPECT_EQ(CurrentGame.fallTimer, 0);
}

TEST_F(Pull, FlyBackAnimationEndsAtForty) {
  StartArcade(12);
  AimStone(3, 0, 2, 5);
  PullStone();
  for (int k = 0; k < 32; ++k) AdvanceDrops();
  EXPECT_EQ(StoneRing.dropProgress[0], 39);
  AdvanceDrops();
  EXPECT_EQ(StoneRing.dropProgress[0], 0);
  EXPECT_EQ(Played(SND_BOX), 0);
}

TEST_F(Pull, MarginBoxesMayHangBelowTheFloorButRowThirteenIsNotWritten) {
  StartArcade(8);
  // Kind 3 over column 2 (the first active column): its low box goes to margin column 1, row 12.
  AimStone(3, 0, 2, 2);
  PullStone();
  EXPECT_EQ(StoneRing.dropLands[0], 1);
  EXPECT_EQ(Cell(1, 12), 3);
  EXPECT_EQ(Cell(1, 11), 3);
  EXPECT_EQ(Cell(2, 11), 3);
  EXPECT_EQ(Cell(3, 11), 3);

  // A dream stone whose second column sits three rows below the pivot: row 14 in the margin.
  ClearField();
  uint8_t(&dream)[4][16] = DreamStone();
  std::memset(dream, 0, sizeof dream);
  dream[0][TemplateByte(1, 3)] = 1;
  dream[0][TemplateByte(2, 0)] = 1;
  dream[0][TemplateByte(2, 1)] = 1;
  AimStone(DREAM_KIND, 0, 1, 9);
  PullStone();
  EXPECT_EQ(StoneRing.dropLands[0], 1);
  EXPECT_EQ(Cell(9, 11), 9);
  EXPECT_EQ(Cell(10, 12), CELL_EMPTY);
  // Rows 13 and 14 lie below the grid: nothing may land in the next column's top cells.
  EXPECT_EQ(Cell(11, -5), CELL_EMPTY);
  EXPECT_EQ(Cell(11, -4), CELL_EMPTY);
}

TEST_F(Pull, FullAnchorColumnGivesLandingRowMinusTwoAndAFlyBack) {
  StartArcade(12);
  for (int r = -1; r <= 11; ++r) Cell(5, r) = 1;
  Cell(6, -2) = 1;
  AimStone(BLOCK, 0, 1, 5);
  PullStone();
  EXPECT_EQ(PulledStone.landingRow, -2);
  EXPECT_EQ(StoneRing.dropLands[0], 0);
  EXPECT_FLOAT_EQ(PulledStone.heightOffset, 1.0f);
}

TEST_F(Pull, LandingAboveThePlayAreaRecordsRowZero) {
  StartArcade(12);
  for (int r = 0; r <= 11; ++r) Cell(5, r) = 1;
  AimStone(1, 0, 0, 5); // the bar, pivot height 2, lands in row -1
  PullStone();
  EXPECT_EQ(StoneRing.dropLands[0], 1);
  EXPECT_EQ(Cell(5, -1), 1);
  EXPECT_EQ(Cell(8, -1), 1);
  EXPECT_EQ(PulledStone.landingRow, 0);
  EXPECT_EQ(PulledStone.dropLength, 17);
}

TEST_F(Pull, NoStoneOverTheAnchorDoesNothing) {
  StartArcade(12);
  AimStone(BLOCK, 0, 1, 5);
  Anchor.column = 4; // the block's template column 0 is empty
  for (int i = 1; i < 4; ++i) StoneRing.kind[i] = 17;
  PullStone();
  EXPECT_EQ(Played(SND_ANKER), 0);
  EXPECT_EQ(StoneRing.dropProgress[0], 0);
}

TEST_F(Pull, EmptyDreamStoneCannotBePulled) {
  StartArcade(12);
  for (int i = 0; i < 4; ++i) StoneRing.kind[i] = 17;
  AimStone(17, 0, 1, 5);
  PullStone();
  EXPECT_EQ(Played(SND_ANKER), 0);
}

TEST_F(Pull, GateIgnoresStonesThatAreNotBackYet) {
  StartArcade(12);
  AimStone(BLOCK, 0, 1, 5);
  StoneRing.appearTimer[0] = 151;
  StoneRing.dropLands[0] = 1;
  PullStone();
  EXPECT_EQ(Played(SND_ANKER), 0);
  StoneRing.appearTimer[0] = 150;
  PullStone();
  EXPECT_EQ(Played(SND_ANKER), 1);

  ClearField();
  AimStone(BLOCK, 0, 1, 5);
  StoneRing.dropLands[0] = 0;
  StoneRing.appearTimer[0] = 1; // still flying back
  PullStone();
  EXPECT_EQ(Played(SND_ANKER), 1);
  StoneRing.appearTimer[0] = 0;
  PullStone();
  EXPECT_EQ(Played(SND_ANKER), 2);
}

TEST_F(Pull, FirstStoneScannedWinsAndItsLowestBoxIsThePivot) {
  StartArcade(12);
  // Kind 6 column 2 holds heights 1..3: the pivot is its lowest box.
  AimStone(6, 0, 2, 5);
  PullStone();
  EXPECT_EQ(PulledStone.pivotHeight, 1);
  EXPECT_EQ(PulledStone.slot, 0);
  EXPECT_EQ(Cell(5, 11), 6);
  EXPECT_EQ(Cell(5, 9), 6);
  EXPECT_EQ(Cell(4, 10), 6);
}

using Bombs = GameTest;

TEST_F(Bombs, BombInAnIncompleteRowBlastsAThreeByThreeHole) {
  StartArcade(12);
  Cell(6, 10) = 4;
  Cell(8, 10) = 4;
  Cell(5, 11) = 2;
  Cell(7, 11) = 2;
  Cell(8, 11) = 2;
  Cell(5, 10) = 2;
  Cell(7, 10) = 2;
  AimStone(BOMB_BAR, 0, 0, 5);
  PullStone();
  ASSERT_EQ(StoneRing.dropLands[0], 1);
  // Bar in row 9, bomb at (7, 9): block 6..8 x 8..10 cleared.
  EXPECT_EQ(Cell(5, 9), 1);
  for (int c = 6; c <= 8; ++c)
    for (int r = 8; r <= 10; ++r) EXPECT_EQ(Cell(c, r), CELL_EMPTY) << c << "," << r;
  EXPECT_EQ(Cell(5, 10), 2);
  EXPECT_EQ(Cell(7, 11), 2);
  EXPECT_EQ(BombBlast.pending, 1);
  EXPECT_EQ(BombBlast.centreColumn, 7);
  EXPECT_EQ(BombBlast.centreRow, 9);
  // Records: columns 6, 7, 8 outer, rows 8, 9, 10 inner; the centre holds 0.
  EXPECT_EQ(BombBlast.cells[0].column, 6);
  EXPECT_EQ(BombBlast.cells[0].row, 8);
  EXPECT_EQ(BombBlast.cells[1].value, 1) << "the bar's own box at (6, 9)";
  EXPECT_EQ(BombBlast.cells[2].value, 4);
  EXPECT_EQ(BombBlast.cells[4].value, 0) << "the bomb itself is cleared first";
  EXPECT_EQ(BombBlast.cells[5].value, 2);
  EXPECT_EQ(BombBlast.cells[8].value, 4);
}

TEST_F(Bombs, BombThatCompletesItsRowStaysAndGoesWithTheLine) {
  StartArcade(12);
  FillRow(11, 2);
  for (int c = 5; c <= 8; ++c) Cell(c, 11) = CELL_EMPTY;
  AimStone(BOMB_BAR, 0, 0, 5);
  PullStone();
  EXPECT_EQ(Cell(7, 11), CELL_BOMB);
  EXPECT_EQ(BombBlast.pending, 0);
  EXPECT_TRUE(IsRowComplete(11));
  for (int k = 0; k < 30; ++k) AdvanceDrops();
  EXPECT_EQ(CurrentGame.score, 10);
  EXPECT_EQ(ShownCell(7, 11), CELL_EMPTY);
  EXPECT_EQ(Played(SND_BOMB), 0);
}

TEST_F(Bombs, TubesInTheBlockStay) {
  StartArcade(12);
  FillRow(11, CELL_TUBE);
  AimStone(BOMB_BAR, 0, 0, 5);
  PullStone();
  // The bar rests on the tubes in row 10; the bomb at (7, 10) explodes.
  for (int c = 6; c <= 8; ++c) {
    EXPECT_EQ(Cell(c, 11), CELL_TUBE);
    EXPECT_EQ(Cell(c, 10), CELL_EMPTY);
  }
  EXPECT_EQ(BombBlast.cells[2].value, CELL_TUBE) << "a tube is recorded but stays";
}

TEST_F(Bombs, BombInAMarginColumnDoesNotExplode) {
  StartArcade(8);
  AimStone(BOMB_BAR, 0, 1, 9); // bomb column 2 of the bar is over column 10
  PullStone();
  ASSERT_EQ(StoneRing.dropLands[0], 1);
  EXPECT_EQ(Cell(10, 11), CELL_BOMB);
  EXPECT_EQ(BombBlast.pending, 0);
}

TEST_F(Bombs, BlastPlaysOutAtTheNextLineCheck) {
  StartArcade(12);
  AimStone(BOMB_BAR, 0, 0, 5);
  PullStone();
  // Bar in row 11: bomb (7, 11); debris for the bar's boxes at (6, 11) and (8, 11).
  ASSERT_EQ(BombBlast.pending, 1);
  CheckLines();
  EXPECT_EQ(BombBlast.pending, 0);
  EXPECT_EQ(Played(SND_BOMB), 1);
  int sprites = 0;
  for (const BlastSprite& b : Explosions) sprites += b.life == 30 ? 1 : 0;
  EXPECT_EQ(sprites, 6) << "row 12 of the block gets no sprite";
  EXPECT_EQ(ActivePieces(Debris, DEBRIS_POOL), 2);
  EXPECT_EQ(Debris[0].kind, 0) << "colour of the bar (1) minus 1";
  for (const BlastCell& rec : BombBlast.cells) EXPECT_EQ(rec.value, 0);
  CheckLines();
  EXPECT_EQ(Played(SND_BOMB), 1) << "played out once";
}

TEST_F(Bombs, BlastAboveTheGridTouchesNothingOutsideIt) {
  StartArcade(12);
  for (int r = -1; r <= 11; ++r) Cell(5, r) = 1; // landing row -2 in column 5
  for (int r = -1; r <= 11; ++r) Cell(4, r) = 1;
  // A dream stone with a bomb box three rows above its pivot lands it in row -5.
  uint8_t(&dream)[4][16] = DreamStone();
  std::memset(dream, 0, sizeof dream);
  dream[0][TemplateByte(0, 0)] = 1;
  dream[0][TemplateByte(1, 3)] = 2;
  AimStone(DREAM_KIND, 0, 0, 6);
  Cell(6, -1) = 1;
  Cell(6, 0) = 1;
  // The cells a blast past the top of the grid would hit if it ran on into memory.
  Cell(5, 12) = 7;
  Cell(6, 12) = 7;
  Cell(7, 12) = 7;
  // Column 6 is filled from row -1: landing row -2, the bomb box at (7, -5).
  PullStone();
  ASSERT_EQ(StoneRing.dropLands[0], 1);
  EXPECT_EQ(BombBlast.pending, 1);
  EXPECT_EQ(BombBlast.centreRow, -5);
  EXPECT_EQ(BombBlast.cells[0].row, -6);
  EXPECT_EQ(BombBlast.cells[0].value, 0);
  EXPECT_EQ(Cell(5, 12), 7);
  EXPECT_EQ(Cell(6, 12), 7);
  EXPECT_EQ(Cell(7, 12), 7);
  EXPECT_EQ(Cell(6, -2), 9) << "the dream stone's pivot box";
}
