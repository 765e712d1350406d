// Line checks, scoring, refills, tube marking, row drops, the danger line and the
// margin clean-up.
#include "game_support.h"

using namespace gametest;

using Lines = GameTest;

TEST_F(Lines, RowWithAPlainTubeIsNeverComplete) {
  StartArcade(12);
  FillRow(11, 2);
  EXPECT_TRUE(IsRowComplete(11));
  Cell(4, 11) = CELL_TUBE;
  EXPECT_FALSE(IsRowComplete(11));
  Cell(4, 11) = CELL_TUBE_CLEARING;
  EXPECT_TRUE(IsRowComplete(11));
  Cell(4, 11) = CELL_HIDDEN;
  EXPECT_TRUE(IsRowComplete(11));
  Cell(4, 11) = CELL_TUBE;
  for (int k = 0; k < 5; ++k) GameTick();
  EXPECT_EQ(Cell(0, 11), 2) << "the row stays";
  EXPECT_EQ(CurrentGame.score, 0);
}

TEST_F(Lines, OnlyActiveColumnsCount) {
  StartArcade(8);
  FillRow(11, 2);
  EXPECT_TRUE(IsRowComplete(11)) << "columns 0, 1, 10, 11 are margin columns at size 8";
  Cell(9, 11) = CELL_EMPTY;
  EXPECT_FALSE(IsRowComplete(11));
}

TEST_F(Lines, ScoringTableBannersAndSounds) {
  const int expected[5] = {0, 10, 30, 60, 100};
  for (int count = 1; count <= 4; ++count) {
    SetUp();
    StartArcade(12);
    for (int k = 0; k < count; ++k) FillRow(11 - k, 1 + k);
    CheckLines();
    EXPECT_EQ(CurrentGame.score, expected[count]) << count;
    EXPECT_EQ(CurrentGame.linesLeft, count);
    EXPECT_EQ(CurrentGame.lineRemovedFlag, 1);
    EXPECT_EQ(Played(SND_LINE), 1);
    EXPECT_EQ(Played(SND_MLINE), count >= 2 ? 1 : 0);
    if (count >= 2) {
      EXPECT_EQ(MultiLineAge, 0);
      EXPECT_EQ(MultiLineKind, count - 1);
    } else {
      EXPECT_EQ(MultiLineAge, -1);
    }
    for (int k = 0; k < count; ++k) {
      EXPECT_EQ(ShownCell(3, 11 - k), CELL_EMPTY);
      EXPECT_EQ(Cell(3, 11 - k), 1 + k) << "cells keep the row until it drops";
      EXPECT_EQ(CurrentGame.lineTimer[11 - k + 5], 2);
    }
    EXPECT_EQ(ActivePieces(SuitDrops, SUIT_DROP_POOL), std::min(12 * count, SUIT_DROP_POOL));
  }
}

TEST_F(Lines, RowIsCountedOnceWhileItWaitsToDrop) {
  StartArcade(12);
  FillRow(11, 2);
  Cell(0, 10) = 5;
  CheckLines();
  EXPECT_EQ(ShownCell(0, 10), 5) << "other rows are copied as they are";
  CheckLines();
  EXPECT_EQ(CurrentGame.score, 10);
  EXPECT_EQ(Played(SND_LINE), 1);
  EXPECT_EQ(ShownCell(0, 11), CELL_EMPTY);
  EXPECT_EQ(CurrentGame.lineTimer[16], 2);
}

TEST_F(Lines, RemovedBoxSendsASuitDropDebrisAndStars) {
  StartArcade(12);
  FillRow(11, 4);
  CheckLines();
  // Column 0 is the first cell: suit (11 + 0) mod 4 = 3, from (-6, -11).
  EXPECT_EQ(SuitDrops[0].kind, 3);
  EXPECT_FLOAT_EQ(SuitDrops[0].x, -6.0f);
  EXPECT_FLOAT_EQ(SuitDrops[0].y, -11.0f);
  EXPECT_EQ(SuitDrops[1].kind, 0);
  EXPECT_EQ(ActivePieces(Debris, DEBRIS_POOL), 12);
  EXPECT_EQ(Debris[0].kind, 3) << "shown colour minus 1";
  EXPECT_EQ(LivePuffs(Stars, STAR_POOL), 36);
}

TEST_F(Lines, SuitOfARowAboveThePlayAreaStaysInRange) {
  StartArcade(12);
  FillRow(-1, 2);
  CheckLines();
  EXPECT_EQ(SuitDrops[0].kind, 3) << "row -1, column 0";
  for (int i = 0; i < 12; ++i) EXPECT_LT(SuitDrops[i].kind, 4);
}

TEST_F(Lines, FiveLinesRefillOnceAndTheSixthStartsTheNextCount) {
  StartArcade(12);
  LevelMeter.value = 30.0f;
  for (int r = 6; r <= 11; ++r) FillRow(r, 2);
  CheckLines();
  EXPECT_EQ(CurrentGame.linesToRefill, 4);
  EXPECT_EQ(Played(SND_HIT), 1);
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
  EXPECT_EQ(LevelMeter.refillFlash, 254);
  EXPECT_EQ(CurrentGame.levelNumber, 2);
  EXPECT_EQ(LevelUpAge, 0);
  EXPECT_NEAR(StoneRing.speed, 2.07f, 1e-5);
  EXPECT_EQ(CurrentGame.score, 0) << "six lines at once are not in the scoring table";
  EXPECT_EQ(CurrentGame.linesLeft, 6);
  EXPECT_EQ(Played(SND_MLINE), 0);
}

TEST_F(Lines, FifthLineRefillsToExactlyOneHundred) {
  StartArcade(12);
  CurrentGame.linesToRefill = 1;
  LevelMeter.value = 99.5f;
  FillRow(11, 2);
  CheckLines();
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
  EXPECT_EQ(CurrentGame.linesToRefill, 5);
}

TEST_F(Lines, FifthLineMarksTheBottomTubeRowWhichGoesWithoutScore) {
  StartArcade(12);
  FillRow(11, CELL_TUBE);
  FillRow(10, CELL_TUBE);
  FillRow(9, 6);
  CurrentGame.linesToRefill = 1;
  CheckLines();
  for (int c = 0; c <= 11; ++c) {
    EXPECT_EQ(Cell(c, 11), CELL_TUBE_CLEARING);
    EXPECT_EQ(Cell(c, 10), CELL_TUBE);
    EXPECT_EQ(ShownCell(c, 11), CELL_EMPTY);
  }
  EXPECT_EQ(CurrentGame.score, 10);
  EXPECT_EQ(Played(SND_TUBE), 1);
  EXPECT_EQ(Played(SND_LINE), 1);
  int tubeDebris = 0;
  for (const PieceRecord& d : Debris) tubeDebris += d.active && d.kind == 30 ? 1 : 0;
  EXPECT_EQ(tubeDebris, 12);
  EXPECT_EQ(CurrentGame.linesToRefill, 5);
  // 20 ticks of fall timer later the marked row leaves from the bottom.
  CurrentGame.fallTimer = 1;
  DropRows();
  EXPECT_EQ(Cell(0, 11), CELL_TUBE) << "the second tube row is now the bottom row";
  EXPECT_EQ(Cell(0, 10), CELL_EMPTY) << "the counted box row went too";
  EXPECT_EQ(Cell(0, 9), CELL_EMPTY);
  EXPECT_EQ(CurrentGame.score, 10);
}

TEST_F(Lines, TubeRowIsMarkedOnlyWhenColumnFiveHoldsAPlainTube) {
  StartArcade(12);
  FillRow(11, CELL_TUBE);
  Cell(5, 11) = 2;
  FillRow(10, 6);
  CurrentGame.linesToRefill = 1;
  CheckLines();
  EXPECT_EQ(Cell(0, 11), CELL_TUBE);
  EXPECT_EQ(Played(SND_TUBE), 0);
}

TEST_F(Lines, PuzzleLinesScoreWithoutBannerOrMultiLineSound) {
  LevelRecord r = PlainLevel();
  r.puzzle = 1;
  r.lines = 9;
  r.sequence[0] = 1;
  StartStory(r);
  FillRow(11, 2);
  FillRow(10, 2);
  CheckLines();
  EXPECT_EQ(CurrentGame.score, 30);
  EXPECT_EQ(Played(SND_MLINE), 0);
  EXPECT_EQ(MultiLineAge, -1);
  EXPECT_EQ(CurrentGame.linesLeft, 7);
  EXPECT_EQ(CurrentGame.linesToRefill, 7) << "a puzzle counts its refill from its line count";
}

TEST_F(Lines, StoryLevelClearsPaysAndOpensTheNextLevel) {
  LevelRecord r = PlainLevel();
  r.lines = 2;
  HighScores.profile.storyProgress = 21;
  HighScores.profile.money = 500;
  StartStory(r, 20);
  CurrentGame.score = 40;
  FillRow(11, 2);
  FillRow(10, 2);
  FillRow(9, 2);
  CheckLines();
  EXPECT_EQ(CurrentGame.linesLeft, 0);
  EXPECT_EQ(CurrentGame.levelCleared, 1);
  EXPECT_EQ(CurrentGame.score, 100);
  EXPECT_EQ(HighScores.profile.money, 600);
  EXPECT_EQ(CurrentGame.shownMoney, 500);
  EXPECT_EQ(CurrentGame.shownLevelScore, 100);
  EXPECT_EQ(HighScores.profile.storyProgress, 22);
  EXPECT_EQ(Played(SND_WIN), 1);
  EXPECT_EQ(CountSounds(SoundRequest::Fade, ChosenTheme), 1);
}

TEST_F(Lines, ReplayingAnOlderLevelOrTheLastOneOpensNothing) {
  LevelRecord r = PlainLevel();
  r.lines = 1;
  HighScores.profile.storyProgress = 30;
  StartStory(r, 20);
  FillRow(11, 2);
  CheckLines();
  EXPECT_EQ(CurrentGame.levelCleared, 1);
  EXPECT_EQ(HighScores.profile.storyProgress, 30);

  HighScores.profile.storyProgress = 55;
  StartStory(r, 54);
  FillRow(11, 2);
  CheckLines();
  EXPECT_EQ(CurrentGame.levelCleared, 1);
  EXPECT_EQ(HighScores.profile.storyProgress, 55);
}

TEST_F(Lines, PuzzleWithNoLinesToRemoveIsClearedByItsFirstLine) {
  LevelRecord r = PlainLevel();
  r.puzzle = 1;
  r.lines = 0;
  StartStory(r);
  FillRow(11, 2);
  CheckLines();
  EXPECT_EQ(CurrentGame.levelCleared, 1);
}

TEST_F(Lines, ClearedLevelIsPaidOnlyOnce) {
  LevelRecord r = PlainLevel();
  r.lines = 1;
  HighScores.profile.money = 0;
  HighScores.profile.storyProgress = 21;
  StartStory(r, 20);
  FillRow(11, 2);
  CheckLines();
  EXPECT_EQ(HighScores.profile.money, 10);
  // A second stone still falling completes another row after the clear.
  FillRow(8, 3);
  CheckLines();
  EXPECT_EQ(HighScores.profile.money, 10);
  EXPECT_EQ(HighScores.profile.storyProgress, 22);
  EXPECT_EQ(Played(SND_WIN), 1);
  EXPECT_EQ(CurrentGame.linesLeft, 0);
}

TEST_F(Lines, AClearedLevelNeverPaysBeyondTheMoneyCap) {
  for (int32_t money : {MONEY_CAP - 5, MONEY_CAP}) {
    LevelRecord r = PlainLevel();
    r.lines = 1;
    HighScores.profile.money = money;
    StartStory(r, 20);
    CurrentGame.score = 5000000; // a long level of a strong player
    FillRow(11, 2);
    CheckLines();
    ASSERT_EQ(CurrentGame.levelCleared, 1);
    EXPECT_EQ(HighScores.profile.money, MONEY_CAP);
  }
}

TEST_F(Lines, ArcadeCountsLinesUpAndNeverEnds) {
  StartArcade(10);
  CurrentGame.linesLeft = 40;
  FillRow(11, 2);
  CheckLines();
  EXPECT_EQ(CurrentGame.linesLeft, 41);
  EXPECT_EQ(CurrentGame.levelCleared, 0);
}

using RowDrops = GameTest;

TEST_F(RowDrops, CompleteRowsDropWhenTheFallTimerRunsOut) {
  StartArcade(12);
  FillRow(11, 2);
  Cell(3, 10) = 5;
  Cell(3, 9) = 6;
  CheckLines();
  CurrentGame.fallTimer = 2;
  DropRows();
  EXPECT_EQ(Cell(0, 11), 2) << "still waiting";
  SoundLog().clear();
  DropRows();
  EXPECT_EQ(CurrentGame.fallTimer, 0);
  EXPECT_EQ(Cell(0, 11), CELL_EMPTY);
  EXPECT_EQ(Cell(3, 11), 5);
  EXPECT_EQ(Cell(3, 10), 6);
  EXPECT_EQ(ShownCell(3, 11), 5) << "the line check after the drop shows the new field";
  EXPECT_EQ(Played(SND_LINEFALL), 1);
  EXPECT_EQ(CurrentGame.score, 10) << "dropping does not score again";
}

TEST_F(RowDrops, RowMinusTwoStaysAndFeedsRowMinusOne) {
  StartArcade(12);
  FillRow(0, 2);
  Cell(4, -2) = 7;
  Cell(4, -1) = 8;
  DropRows();
  EXPECT_EQ(Cell(4, 0), 8);
  EXPECT_EQ(Cell(4, -1), 7);
  EXPECT_EQ(Cell(4, -2), 7);
}

TEST_F(RowDrops, NoBoxesAboveMeansNoFallSound) {
  StartArcade(12);
  FillRow(11, 2);
  DropRows();
  EXPECT_EQ(Cell(0, 11), CELL_EMPTY);
  EXPECT_EQ(Played(SND_LINEFALL), 0);
  EXPECT_EQ(CurrentGame.score, 0) << "a row that drops before any line check scores nothing";
}

TEST_F(RowDrops, DangerLineEndsTheArcadeGameAtRowZero) {
  StartArcade(12);
  ShownCell(4, 1) = 2;
  CurrentGame.fallTimer = 50;
  DropRows();
  EXPECT_EQ(CurrentGame.gameOver, 0);
  ShownCell(4, 0) = 2;
  DropRows();
  EXPECT_EQ(CurrentGame.gameOver, 1);
  EXPECT_EQ(Played(SND_BUZZ), 1);
  EXPECT_EQ(CountSounds(SoundRequest::Fade, ChosenTheme), 1);
  CurrentGame.gameOver = 5;
  DropRows();
  EXPECT_EQ(Played(SND_BUZZ), 1) << "only once";
}

TEST_F(RowDrops, HeightByteZeroEndsOnlyAboveRowZero) {
  LevelRecord r = PlainLevel();
  r.height = 0;
  StartStory(r);
  CurrentGame.fallTimer = 50;
  ShownCell(4, 0) = 2;
  DropRows();
  EXPECT_EQ(CurrentGame.gameOver, 0);
  ShownCell(4, -1) = 2;
  DropRows();
  EXPECT_EQ(CurrentGame.gameOver, 1);
}

TEST_F(RowDrops, MarginBoxesFallOffWithTheBorderSound) {
  StartArcade(8);
  CurrentGame.fallTimer = 50;
  Cell(0, 5) = 3;
  ShownCell(0, 5) = 3;
  Cell(11, 7) = CELL_BOMB;
  ShownCell(11, 7) = CELL_BOMB;
  Cell(-3, 3) = 4; // not yet shown: stays until the next line check
  DropRows();
  EXPECT_EQ(Cell(0, 5), CELL_EMPTY);
  EXPECT_EQ(ShownCell(0, 5), CELL_EMPTY);
  EXPECT_EQ(Cell(11, 7), CELL_EMPTY);
  EXPECT_EQ(Cell(-3, 3), 4);
  ASSERT_EQ(ActivePieces(FallingBoxes, FALLING_BOX_POOL), 2);
  EXPECT_EQ(FallingBoxes[0].kind, 1);
  EXPECT_FLOAT_EQ(FallingBoxes[0].x, -6.0f);
  EXPECT_FLOAT_EQ(FallingBoxes[0].y, -5.0f);
  EXPECT_FLOAT_EQ(FallingBoxes[0].vx, -9.0f / 200.0f);
  EXPECT_FLOAT_EQ(FallingBoxes[0].vy, 7.0f / 100.0f);
  EXPECT_EQ(FallingBoxes[1].kind, 2);
  EXPECT_FLOAT_EQ(FallingBoxes[1].vx, 11.0f / 200.0f);
  // The first box falls in row 5: the sound follows rows 5..12.
  EXPECT_EQ(Played(SND_BORDER), 8);
}

TEST_F(RowDrops, BoxLandedInTheMarginFallsOffTheTickAfterItsLanding) {
  StartArcade(8);
  AimStone(1, 0, 0, 7); // the bar over columns 7..10; column 10 is a margin column
  PullStone();
  ASSERT_EQ(StoneRing.dropLands[0], 1);
  EXPECT_EQ(Cell(10, 11), 1);
  DropRows();
  EXPECT_EQ(Cell(10, 11), 1) << "not shown yet, so it does not fall yet";
  for (int k = 0; k < 40 && ShownCell(10, 11) == CELL_EMPTY; ++k) AdvanceDrops();
  EXPECT_EQ(ShownCell(10, 11), 1) << "shown from the landing moment";
  DropRows();
  EXPECT_EQ(ShownCell(10, 11), CELL_EMPTY);
  EXPECT_EQ(Cell(10, 11), CELL_EMPTY);
  EXPECT_EQ(Cell(9, 11), 1);
  EXPECT_EQ(ActivePieces(FallingBoxes, FALLING_BOX_POOL), 1);
  EXPECT_EQ(CurrentGame.score, 0);
}
