// The flying stones: kind choice, flight and wrap, rotation timing, the anchor.
#include "game_support.h"

using namespace gametest;

using StoneChoice = GameTest;

TEST_F(StoneChoice, ArcadeBombChanceDecidesBetweenPlainAndBombStones) {
  StartArcade();
  CurrentGame.bombChance = 0;
  for (int k = 0; k < 200; ++k) {
    uint8_t kind = NextStoneKind();
    ASSERT_GE(kind, 1);
    ASSERT_LE(kind, 8);
  }
  CurrentGame.bombChance = 100;
  for (int k = 0; k < 200; ++k) {
    uint8_t kind = NextStoneKind();
    ASSERT_GE(kind, 9);
    ASSERT_LE(kind, 16);
  }
}

TEST_F(StoneChoice, EveryPickDrawsTwoRandomNumbers) {
  StartArcade();
  CurrentGame.bombChance = 0;
  SeedRandom(77);
  NextStoneKind();
  NextStoneKind();
  int32_t after = Random(1000000);
  SeedRandom(77);
  for (int k = 0; k < 4; ++k) Random(8);
  EXPECT_EQ(Random(1000000), after);
}

TEST_F(StoneChoice, ArcadeDreamPendingGivesTheDreamStoneOnce) {
  StartArcade();
  CurrentGame.dreamPending = 1;
  EXPECT_EQ(NextStoneKind(), 17);
  EXPECT_EQ(CurrentGame.dreamPending, 0);
  EXPECT_NE(NextStoneKind(), 17);
}

TEST_F(StoneChoice, StoryDreamStoneOnlyWhenItHasBoxes) {
  StartStory(PlainLevel());
  CurrentGame.dreamPending = 1;
  uint8_t kind = NextStoneKind();
  EXPECT_NE(kind, 17) << "an empty dream stone is replaced by a random pick";
  EXPECT_EQ(CurrentGame.dreamPending, 0);

  DreamStone()[1][5] = 1;
  CurrentGame.dreamPending = 1;
  EXPECT_EQ(NextStoneKind(), 17);
  EXPECT_EQ(CurrentGame.dreamPending, 0);
}

TEST_F(StoneChoice, PuzzleFollowsItsSequenceThenGivesEmptyStones) {
  LevelRecord r = PlainLevel();
  r.puzzle = 1;
  uint8_t seq[16] = {5, 3, 0, 7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  std::memcpy(r.sequence, seq, 16);
  StartStory(r);
  EXPECT_EQ(StoneRing.kind[0], 5);
  EXPECT_EQ(StoneRing.kind[1], 3);
  EXPECT_EQ(StoneRing.kind[2], 17);
  EXPECT_EQ(StoneRing.kind[3], 7) << "a 0 entry gives 17, and the sequence goes on after it";
  for (int k = 4; k < 16; ++k) EXPECT_EQ(NextStoneKind(), seq[k]);
  EXPECT_EQ(NextStoneKind(), 17);
  EXPECT_EQ(NextStoneKind(), 17);
}

TEST_F(StoneChoice, DamagedSequenceEntryGivesAnEmptyStone) {
  LevelRecord r = PlainLevel();
  r.puzzle = 1;
  r.sequence[0] = 18;
  r.sequence[1] = 255;
  r.sequence[2] = 4;
  StartStory(r);
  EXPECT_EQ(StoneRing.kind[0], 17);
  EXPECT_EQ(StoneRing.kind[1], 17);
  EXPECT_EQ(StoneRing.kind[2], 4);
}

using Flight = GameTest;

TEST_F(Flight, MovesBySpeedAndWrapsBothWays) {
  StartArcade();
  StoneRing.position = 1999.0f;
  StoneRing.speed = 2.0f;
  TickFlight();
  EXPECT_FLOAT_EQ(StoneRing.position, 1.0f);
  EXPECT_EQ(StoneRing.roundedPosition, 1);
  StoneRing.speed = -2.0f;
  TickFlight();
  TickFlight();
  EXPECT_FLOAT_EQ(StoneRing.position, 1997.0f);
  EXPECT_EQ(StoneRing.roundedPosition, 1997);
}

TEST_F(Flight, HourglassHalvesSpeedAndCountsDown) {
  StartArcade();
  StoneRing.position = 100.0f;
  StoneRing.speed = 2.0f;
  CurrentGame.hourglassTimer = 2;
  TickFlight();
  EXPECT_FLOAT_EQ(StoneRing.position, 101.0f);
  TickFlight();
  TickFlight();
  EXPECT_FLOAT_EQ(StoneRing.position, 104.0f);
  EXPECT_EQ(CurrentGame.hourglassTimer, 0);
}

TEST_F(Flight, PausedRingStandsStill) {
  StartArcade();
  StoneRing.position = 500.0f;
  CurrentGame.paused = 1;
  TickFlight();
  EXPECT_FLOAT_EQ(StoneRing.position, 500.0f);
}

TEST_F(Flight, NegativeSpeedLowersSlotsAndSlotZeroContinuesAtNineteen) {
  StartArcade();
  StoneRing.position = 0.0f;
  StoneRing.roundedPosition = 0;
  EXPECT_EQ(RingSlot(0, 0), 0);
  EXPECT_EQ(RingSlot(3, 3), 18);
  EXPECT_EQ(RingColumn(0, 0), -4);
  StoneRing.speed = -60.0f;
  TickFlight(); // 1940: snapped to slot 19
  EXPECT_EQ(RingSlot(0, 0), 19);
  EXPECT_EQ(RingSlot(0, 1), 0);
  EXPECT_EQ(RingColumn(0, 0), 15);
}

TEST_F(Flight, HalfWaySnapsToTheEvenSlot) {
  StartArcade();
  StoneRing.roundedPosition = 150; // 1.5 -> 2
  EXPECT_EQ(RingSnap(), 2);
  StoneRing.roundedPosition = 250; // 2.5 -> 2
  EXPECT_EQ(RingSnap(), 2);
  StoneRing.roundedPosition = 251;
  EXPECT_EQ(RingSnap(), 3);
}

TEST_F(Flight, ReverseFlipsTheDirection) {
  StartArcade();
  EXPECT_FLOAT_EQ(StoneRing.speed, 2.0f);
  ReverseFlight();
  EXPECT_FLOAT_EQ(StoneRing.speed, -2.0f);
}

using Rotation = GameTest;

TEST_F(Rotation, TurnTakesEffectTenTicksAfterTheRequest) {
  StartArcade();
  RequestRotate();
  EXPECT_EQ(Played(SND_DREHER), 1);
  for (int k = 0; k < 9; ++k) TickRotation();
  EXPECT_EQ(StoneRing.rotation, 0);
  TickRotation();
  EXPECT_EQ(StoneRing.rotation, 1);
  EXPECT_EQ(StoneRing.rotateTimer, -1);
  for (int k = 0; k < 20; ++k) TickRotation();
  EXPECT_EQ(StoneRing.rotation, 1);
}

TEST_F(Rotation, ForwardThenBackWithinTenTicksBothOnSchedule) {
  StartArcade();
  RequestRotate();
  for (int k = 0; k < 4; ++k) TickRotation();
  RequestRotateBack();
  EXPECT_EQ(Played(SND_DREHER), 2);
  for (int k = 0; k < 6; ++k) TickRotation();
  EXPECT_EQ(StoneRing.rotation, 1);
  for (int k = 0; k < 4; ++k) TickRotation();
  EXPECT_EQ(StoneRing.rotation, 0);
}

TEST_F(Rotation, BackFromZeroGivesThree) {
  StartArcade();
  RequestRotateBack();
  for (int k = 0; k < 10; ++k) TickRotation();
  EXPECT_EQ(StoneRing.rotation, 3);
}

TEST_F(Rotation, SecondRequestRestartsTheWaitAndTurnsOnce) {
  StartArcade();
  RequestRotate();
  for (int k = 0; k < 5; ++k) TickRotation();
  RequestRotate();
  for (int k = 0; k < 9; ++k) TickRotation();
  EXPECT_EQ(StoneRing.rotation, 0);
  TickRotation();
  EXPECT_EQ(StoneRing.rotation, 1);
  for (int k = 0; k < 20; ++k) TickRotation();
  EXPECT_EQ(StoneRing.rotation, 1);
}

TEST_F(Rotation, TemplatesTurnClockwise) {
  // Kind 1 is a horizontal bar in row 1; a quarter turn clockwise stands it in column 2.
  for (int h = 0; h < 4; ++h) EXPECT_EQ(StoneBox(1, 1, 2, h), 1);
  EXPECT_EQ(StoneBox(1, 1, 1, 1), 0);
  // Kind 11's bomb sits at row 1, column 1; after a turn: row 1, column 2.
  EXPECT_EQ(StoneBox(11, 0, 1, 2), 2);
  EXPECT_EQ(StoneBox(11, 1, 2, 2), 2);
}

using AnchorColumn = GameTest;

TEST_F(AnchorColumn, MouseSpeedFactorIsNotLinearAcrossItsTwoRanges) {
  EXPECT_FLOAT_EQ(MouseSpeedFactor(0), 15.0f);
  EXPECT_FLOAT_EQ(MouseSpeedFactor(3), 30.0f);
  EXPECT_FLOAT_EQ(MouseSpeedFactor(4), 32.0f);
  EXPECT_FLOAT_EQ(MouseSpeedFactor(5), 40.0f);
  EXPECT_FLOAT_EQ(MouseSpeedFactor(9), 72.0f);
}

TEST_F(AnchorColumn, WindowFollowsTheMouseAndMapsOntoActiveColumns) {
  StartArcade(8); // W = 8 x 800 / 25 = 256 pixels over columns 2..9
  Anchor.windowLeft = 100.0f;
  MouseX = 100;
  UpdateAnchorColumn();
  EXPECT_EQ(Anchor.column, 2);
  MouseX = 356;
  UpdateAnchorColumn();
  EXPECT_EQ(Anchor.column, 9);
  MouseX = 100 + 128; // half-way: 3.5 + 2 -> 5.5 -> 6
  UpdateAnchorColumn();
  EXPECT_EQ(Anchor.column, 6);
  MouseX = 500; // beyond the right edge: the window slides along
  UpdateAnchorColumn();
  EXPECT_FLOAT_EQ(Anchor.windowLeft, 244.0f);
  EXPECT_EQ(Anchor.column, 9);
}

TEST_F(AnchorColumn, MouseLeftOfTheWindowKeepsTheFirstColumn) {
  StartArcade(10);
  Anchor.windowLeft = 300.0f;
  MouseX = 50;
  UpdateAnchorColumn();
  EXPECT_EQ(Anchor.column, 1);
  EXPECT_FLOAT_EQ(Anchor.windowLeft, 50.0f);
  MouseX = 0;
  UpdateAnchorColumn();
  EXPECT_EQ(Anchor.column, 1);
  EXPECT_FLOAT_EQ(Anchor.windowLeft, 0.0f);
}

TEST_F(AnchorColumn, ChangeSoundOnlyWhenTheColumnChanges) {
  StartArcade(12);
  Anchor.windowLeft = 0.0f;
  MouseX = 0;
  UpdateAnchorColumn();
  SoundLog().clear();
  UpdateAnchorColumn();
  EXPECT_EQ(Played(SND_CHANGE), 0);
  MouseX = 384;
  UpdateAnchorColumn();
  EXPECT_EQ(Anchor.column, 11);
  EXPECT_EQ(Played(SND_CHANGE), 1);
}

TEST_F(AnchorColumn, LeanSwingsAgainstTheMoveAndDecays) {
  StartArcade(12);
  Anchor.column = 5;
  Anchor.prevLeanColumn = 5;
  Anchor.lean = 0;
  TickAnchorLean();
  EXPECT_EQ(Anchor.lean, 0);
  Anchor.column = 6;
  TickAnchorLean();
  EXPECT_EQ(Anchor.lean, -20);
  TickAnchorLean();
  EXPECT_EQ(Anchor.lean, -19);
  Anchor.column = 4;
  TickAnchorLean();
  EXPECT_EQ(Anchor.lean, 20);
  TickAnchorLean();
  TickAnchorLean();
  EXPECT_EQ(Anchor.lean, 18);
}
