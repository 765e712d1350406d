// Game start, the game tick and the ways a game ends.
#include "game_support.h"

using namespace gametest;

using Start = GameTest;

TEST_F(Start, ArcadeStartValues) {
  ArcadeCylinderSize = 10;
  Options[OPT_ARCADE_AIMHELP] = 1;
  CurrentGame.score = 999;
  CurrentGame.fallTimer = 50;
  Cell(3, 3) = 4;
  ShownCell(3, 3) = 4;
  StoneRing.appearTimer[2] = 77;
  StoneRing.rotation = 3;
  StartLevel(ARCADE_LEVEL, 12345);
  EXPECT_EQ(CurrentGame.level, ARCADE_LEVEL);
  EXPECT_EQ(CylinderSize, 10);
  EXPECT_EQ(CurrentGame.dangerHeight, 11);
  EXPECT_FLOAT_EQ(StoneRing.speed, 2.0f);
  EXPECT_FLOAT_EQ(StoneRing.position, 0.0f);
  EXPECT_EQ(StoneRing.rotation, 0);
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
  EXPECT_FLOAT_EQ(LevelMeter.drainPerTick, 0.003f);
  EXPECT_FLOAT_EQ(LevelMeter.gainPerDrop, 1.5f);
  EXPECT_EQ(CurrentGame.linesToRefill, 5);
  EXPECT_EQ(CurrentGame.aimHelp, 1);
  EXPECT_EQ(CurrentGame.bombChance, 5);
  EXPECT_EQ(CurrentGame.linesLeft, 0);
  EXPECT_EQ(CurrentGame.levelNumber, 1);
  EXPECT_EQ(CurrentGame.score, 0);
  EXPECT_EQ(CurrentGame.fallTimer, 0);
  EXPECT_EQ(CurrentGame.startTime, 12345);
  EXPECT_EQ(CurrentGame.tick, 0);
  EXPECT_EQ(CurrentGame.startDelay, 25);
  EXPECT_EQ(CurrentGame.theme, ChosenTheme);
  EXPECT_EQ(Cell(3, 3), CELL_EMPTY);
  EXPECT_EQ(ShownCell(3, 3), CELL_EMPTY);
  EXPECT_EQ(StoneRing.appearTimer[2], 0);
  for (int i = 0; i < 4; ++i) {
    EXPECT_GE(StoneRing.kind[i], 1);
    EXPECT_LE(StoneRing.kind[i], 16);
  }
  EXPECT_EQ(CountSounds(SoundRequest::Music, ChosenTheme), 1);
  EXPECT_EQ(MultiLineAge, -1);
  EXPECT_EQ(LevelUpAge, -1);
  EXPECT_EQ(LevelUpDirection, -1);
}

TEST_F(Start, OddRequestsStillGiveAPlayableGame) {
  ArcadeCylinderSize = 0;
  StartLevel(ARCADE_LEVEL, 0);
  EXPECT_EQ(CylinderSize, 12);
  FillRow(11, 2, 5);
  EXPECT_FALSE(IsRowComplete(11));
  StartLevel(150, 0);
  EXPECT_EQ(CurrentGame.level, ARCADE_LEVEL);
  Anchor.column = 11;
  ArcadeCylinderSize = 8;
  StartLevel(ARCADE_LEVEL, 0);
  EXPECT_EQ(Anchor.column, 9) << "the anchor stays over the play area";
}

TEST_F(Start, ResetsTheSharedStateOfOtherModules) {
  SpaceRepeatTimer = 9;
  CtrlRepeatTimer = 9;
  PrevGameHoverId = 44;
  NameEntryActive = 1;
  PlayerName = "BOB";
  LastInsertSize = 8;
  LastInsertIndex = 3;
  DreamStone()[2][5] = 1;
  StartArcade();
  EXPECT_EQ(SpaceRepeatTimer, 0);
  EXPECT_EQ(CtrlRepeatTimer, 0);
  EXPECT_EQ(PrevGameHoverId, 0);
  EXPECT_EQ(NameEntryActive, 0);
  EXPECT_TRUE(PlayerName.empty());
  EXPECT_EQ(LastInsertSize, -1);
  EXPECT_EQ(LastInsertIndex, -1);
  EXPECT_TRUE(DreamStoneEmpty());
  EXPECT_EQ(DreamStone()[2][5], 0);
}

TEST_F(Start, RotationTimersAreNotReset) {
  StoneRing.rotateTimer = 4;
  StartArcade();
  EXPECT_EQ(StoneRing.rotateTimer, 4);
}

TEST_F(Start, StoryValuesComeFromTheRecordAndTheLayoutGoesIntoCellsOnly) {
  LevelRecord r = PlainLevel();
  r.speed = 21;
  r.drain = 10;
  r.lines = 12;
  r.height = 3;
  r.sizeCode = 1;
  r.bombChance = 17;
  r.layout[4 * 12 + 11] = 6;   // column 4, row 11
  r.layout[0 * 12 + 11] = 40;  // a tube in margin column 0
  r.layout[5 * 12 + 10] = 255; // an undrawn filled cell
  StartStory(r, 12);
  EXPECT_EQ(CurrentGame.level, 12);
  EXPECT_EQ(CurrentGame.levelNumber, 12);
  EXPECT_EQ(CylinderSize, 10);
  EXPECT_EQ(CurrentGame.dangerHeight, 9);
  EXPECT_FLOAT_EQ(StoneRing.speed, 1.5f);
  EXPECT_FLOAT_EQ(LevelMeter.drainPerTick, 0.012f);
  EXPECT_EQ(CurrentGame.linesLeft, 12);
  EXPECT_EQ(CurrentGame.linesToRefill, 5);
  EXPECT_EQ(CurrentGame.bombChance, 17);
  EXPECT_EQ(CurrentGame.aimHelp, 0);
  EXPECT_EQ(CurrentGame.puzzle, 0);
  EXPECT_EQ(Cell(4, 11), 6);
  EXPECT_EQ(Cell(0, 11), 40);
  EXPECT_EQ(Cell(5, 10), 255);
  EXPECT_EQ(ShownCell(4, 11), CELL_EMPTY);
  MouseX = 300;
  Ticks(1);
  EXPECT_EQ(ShownCell(4, 11), 6) << "the first tick's line check shows the layout";
}

TEST_F(Start, AimHelpForTheFirstTenLevelsAndUnknownSizeCodeKeepsTheSize) {
  LevelRecord r = PlainLevel();
  r.sizeCode = 7;
  CylinderSize = 8;
  StartStory(r, 9);
  EXPECT_EQ(CurrentGame.aimHelp, 1);
  EXPECT_EQ(CylinderSize, 8);
  r.sizeCode = 0;
  StartStory(r, 10);
  EXPECT_EQ(CurrentGame.aimHelp, 0);
  EXPECT_EQ(CylinderSize, 8);
}

TEST_F(Start, InstructionOverlayFollowsTheOption) {
  Options[OPT_SHOW_HELP] = 1;
  StartArcade();
  EXPECT_EQ(CurrentGame.helpShown, 1);
  EXPECT_EQ(CurrentGame.helpPage, 0);
  Options[OPT_SHOW_HELP] = 0;
  StartArcade();
  EXPECT_EQ(CurrentGame.helpShown, 0);
}

TEST_F(Start, LayoutInMarginColumnsIsThrownOffAfterTheFirstLineCheck) {
  LevelRecord r = PlainLevel();
  r.sizeCode = 0;
  for (int l = 6; l <= 11; ++l) {
    r.layout[0 * 12 + l] = 2;
    r.layout[11 * 12 + l] = 3;
  }
  r.layout[5 * 12 + 11] = 4;
  StartStory(r);
  MouseX = 300;
  Ticks(1);
  EXPECT_EQ(ShownCell(0, 11), 2);
  Ticks(1);
  for (int l = 6; l <= 11; ++l) {
    EXPECT_EQ(Cell(0, l), CELL_EMPTY);
    EXPECT_EQ(Cell(11, l), CELL_EMPTY);
  }
  EXPECT_EQ(Cell(5, 11), 4);
  EXPECT_EQ(ActivePieces(FallingBoxes, FALLING_BOX_POOL), 12);
  EXPECT_EQ(CurrentGame.gameOver, 0);
}

using Tick = GameTest;

TEST_F(Tick, CountsTimersAndCopiesThePendingMode) {
  StartArcade();
  CurrentGame.pendingMode = 0;
  TopMode = 7;
  CurrentGame.escBlock = 2;
  CurrentGame.score = 3;
  Ticks(1);
  EXPECT_EQ(CurrentGame.tick, 1);
  EXPECT_EQ(TopMode, 0);
  EXPECT_EQ(CurrentGame.startDelay, 24);
  EXPECT_EQ(CurrentGame.escBlock, 1);
  EXPECT_EQ(CurrentGame.shownScore, 0) << "the shown score climbs on even ticks";
  Ticks(1);
  EXPECT_EQ(CurrentGame.shownScore, 1);
  Ticks(10);
  EXPECT_EQ(CurrentGame.shownScore, 3);
  Ticks(30);
  EXPECT_EQ(CurrentGame.startDelay, 0);
  EXPECT_EQ(CurrentGame.escBlock, 0);
  EXPECT_EQ(CountSounds(SoundRequest::Restore, ChosenTheme), 42);
}

TEST_F(Tick, RepeatTimersAndRefillFlashRunDown) {
  StartArcade();
  SpaceRepeatTimer = 2;
  CtrlRepeatTimer = 1;
  LevelMeter.refillFlash = 4;
  Ticks(1);
  EXPECT_EQ(SpaceRepeatTimer, 1);
  EXPECT_EQ(CtrlRepeatTimer, 0);
  EXPECT_EQ(LevelMeter.refillFlash, 2);
  Ticks(2);
  EXPECT_EQ(SpaceRepeatTimer, 0);
  EXPECT_EQ(LevelMeter.refillFlash, 0);
}

TEST_F(Tick, PauseStopsFlightAndAppearTimersButNotTheRest) {
  StartArcade();
  StoneRing.appearTimer[1] = 100;
  StoneRing.position = 500.0f;
  CurrentGame.paused = 1;
  RequestRotate();
  StoneRing.dropProgress[2] = 1;
  StoneRing.dropLands[2] = 0;
  Ticks(10);
  EXPECT_FLOAT_EQ(StoneRing.position, 500.0f);
  EXPECT_EQ(StoneRing.appearTimer[1], 100);
  EXPECT_EQ(StoneRing.rotation, 1) << "the turn still happens";
  EXPECT_EQ(StoneRing.dropProgress[2], 17) << "the drop animation goes on: 1, 3, ..., 13, 14, ..., 17";
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
  CurrentGame.paused = 0;
  Ticks(1);
  EXPECT_FLOAT_EQ(StoneRing.position, 502.0f);
  EXPECT_EQ(StoneRing.appearTimer[1], 99);
}

TEST_F(Tick, DreamEditorClearsOnItsFirstTickAndBuildsTheStoneAtThirty) {
  LevelRecord r = PlainLevel();
  StartStory(r);
  DreamStone()[0][5] = 1;
  CurrentGame.dreamTimer = 800;
  Ticks(1);
  EXPECT_EQ(CurrentGame.dreamTimer, 799);
  EXPECT_EQ(DreamStone()[0][5], 0) << "the previous design is cleared";
  // The player draws an L in rotation 0: boxes at (row 1, column 1), (row 2, columns 1 and 2).
  DreamStone()[0][5] = 1;
  DreamStone()[0][9] = 1;
  DreamStone()[0][10] = 1;
  CurrentGame.dreamTimer = 50; // the done button
  Ticks(19);
  EXPECT_EQ(CurrentGame.dreamPending, 0);
  Ticks(1);
  EXPECT_EQ(CurrentGame.dreamTimer, 30);
  EXPECT_EQ(CurrentGame.dreamPending, 1);
  uint8_t expected[16];
  RotateQuarterClockwise(DreamStone()[0], expected);
  EXPECT_EQ(std::memcmp(DreamStone()[1], expected, 16), 0);
  RotateQuarterClockwise(DreamStone()[2], expected);
  EXPECT_EQ(std::memcmp(DreamStone()[3], expected, 16), 0);
  EXPECT_FALSE(DreamStoneEmpty());
  EXPECT_EQ(NextStoneKind(), 17);
}

using Ending = GameTest;

TEST_F(Ending, PuzzleEndsOneHundredTenTicksAfterItsLastRealStone) {
  LevelRecord r = PlainLevel();
  r.puzzle = 1;
  r.lines = 3;
  r.sequence[0] = 5;
  StartStory(r);
  EXPECT_EQ(StoneRing.kind[0], 5);
  EXPECT_EQ(StoneRing.kind[1], 17);
  AimStone(5, 0, 1, 5);
  PullStone();
  EXPECT_EQ(StoneRing.kind[0], 17);
  // Keep the mouse over column 5 so the anchor stays put.
  Anchor.windowLeft = 0.0f;
  MouseX = 5 * 384 / 11;
  Ticks(109);
  EXPECT_EQ(CurrentGame.gameOver, 0);
  Ticks(1);
  EXPECT_EQ(CurrentGame.gameOver, 1);
  EXPECT_EQ(Played(SND_BUZZ), 0) << "silently";
}

TEST_F(Ending, PuzzleClearedByItsLastStoneDoesNotEndInGameOver) {
  LevelRecord r = PlainLevel();
  r.puzzle = 1;
  r.lines = 1;
  r.sequence[0] = 1;
  for (int k = 0; k < 12; ++k)
    if (k < 5 || k > 8) r.layout[k * 12 + 11] = 2;
  StartStory(r);
  MouseX = 0;
  Ticks(1);
  AimStone(1, 0, 0, 5); // the bar fills columns 5..8 of row 11
  PullStone();
  Ticks(120);
  EXPECT_EQ(CurrentGame.levelCleared, 1);
  EXPECT_EQ(CurrentGame.gameOver, 0);
}

TEST_F(Ending, LevelClearCountsMoneyThenReturnsToTheMap) {
  LevelRecord r = PlainLevel();
  r.lines = 1;
  HighScores.profile.money = 100;
  StartStory(r);
  FillRow(11, 2);
  CheckLines();
  ASSERT_EQ(CurrentGame.levelCleared, 1);
  EXPECT_EQ(HighScores.profile.money, 110);
  MenuScreen = 0;
  SlidePos = 0;
  SlideTarget = 5;
  Ticks(70);
  EXPECT_EQ(CurrentGame.shownMoney, 100);
  EXPECT_EQ(CurrentGame.shownLevelScore, 10);
  Ticks(5);
  EXPECT_EQ(CurrentGame.shownMoney, 110);
  EXPECT_EQ(CurrentGame.shownLevelScore, 0);
  EXPECT_EQ(CurrentGame.clearEndTicks, 1);
  EXPECT_GE(Played(SND_COIN), 2);
  EXPECT_EQ(CountSounds(SoundRequest::Restore, ChosenTheme), 0) << "the faded music stays faded";
  Ticks(196);
  EXPECT_EQ(CurrentGame.pendingMode, 0);
  Ticks(1);
  EXPECT_EQ(CurrentGame.pendingMode, 200);
  EXPECT_EQ(MenuScreen, SCREEN_MAP);
  EXPECT_EQ(SlidePos, 60);
  EXPECT_EQ(SlideTarget, 0);
  Ticks(1);
  EXPECT_EQ(TopMode, 200);
}

TEST_F(Ending, ClearedLevelTakesNoPlayAction) {
  StartStory(PlainLevel());
  CurrentGame.levelCleared = 1;
  DispatchAction(1);
  EXPECT_EQ(StoneRing.rotateTimer, -1);
  DispatchAction(7);
  EXPECT_EQ(CurrentGame.paused, 0);
}

TEST_F(Ending, GameOverCountsToOneHundredAndRetryIsLiveAboveFifty) {
  StartArcade(8);
  CurrentGame.gameOver = 1;
  Ticks(49);
  EXPECT_EQ(CurrentGame.gameOver, 50);
  HoverId = 44;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.gameOver, 50) << "not yet clickable";
  Ticks(60);
  EXPECT_EQ(CurrentGame.gameOver, 100);
  EXPECT_EQ(CountSounds(SoundRequest::Restore, ChosenTheme), 0);
}

TEST_F(Ending, RetryYesStartsTheSameArcadeGameWithTheSameSize) {
  StartArcade(8);
  ArcadeCylinderSize = 8;
  CurrentGame.score = 77;
  Cell(4, 11) = 3;
  CurrentGame.gameOver = 60;
  HoverId = 44;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.gameOver, 0);
  EXPECT_EQ(CurrentGame.level, ARCADE_LEVEL);
  EXPECT_EQ(CylinderSize, 8);
  EXPECT_EQ(CurrentGame.score, 0);
  EXPECT_EQ(Cell(4, 11), CELL_EMPTY);
  EXPECT_EQ(CurrentGame.pendingMode, 0);
}

TEST_F(Ending, RetryYesInAStoryLevelRestartsThatLevel) {
  LevelRecord r = PlainLevel();
  r.layout[3 * 12 + 11] = 5;
  StartStory(r, 14);
  Cell(3, 11) = 0;
  CurrentGame.gameOver = 51;
  HoverId = 44;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.level, 14);
  EXPECT_EQ(Cell(3, 11), 5);
}

TEST_F(Ending, RetryNoReturnsToTheMainMenu) {
  StartArcade(10);
  CurrentGame.gameOver = 70;
  HoverId = 3;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.pendingMode, 200);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
  EXPECT_EQ(SlidePos, 60);
  EXPECT_EQ(SlideTarget, 0);
  EXPECT_EQ(CountSounds(SoundRequest::Stop, SND_STONE), 1);
  EXPECT_EQ(LastInsertIndex, -1);
}

TEST_F(Ending, RetryNoWithANameEntersTheHallOfFame) {
  StartArcade(10);
  CurrentGame.score = 250;
  NameEntryActive = 1;
  PlayerName = "ANNA";
  CurrentGame.gameOver = 70;
  HoverId = 3;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.pendingMode, 200);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  EXPECT_EQ(SlidePos, 80);
  EXPECT_EQ(SlideTarget, 80);
  EXPECT_EQ(NameEntryActive, 0);
  EXPECT_EQ(LastInsertSize, 10);
  EXPECT_EQ(LastInsertIndex, 9);
  EXPECT_EQ(HighScores.tables[1][9].score, 250);
  EXPECT_EQ(EntryName(HighScores.tables[1][9]), "ANNA");
}

TEST_F(Ending, RetryNoInAStoryGameGoesToTheMap) {
  StartStory(PlainLevel());
  CurrentGame.gameOver = 70;
  HoverId = 3;
  DispatchAction(0);
  EXPECT_EQ(MenuScreen, SCREEN_MAP);
  EXPECT_EQ(CurrentGame.pendingMode, 200);
}

TEST_F(Ending, PauseDialog) {
  StartArcade(12);
  DispatchAction(7);
  EXPECT_EQ(CurrentGame.paused, 1);
  EXPECT_EQ(CurrentGame.escBlock, 50);
  DispatchAction(1);
  EXPECT_EQ(StoneRing.rotateTimer, -1) << "no play action while paused";
  HoverId = 3;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.paused, 0);
  EXPECT_EQ(Played(SND_ANKER), 0) << "the answer is not also a pull";
  DispatchAction(7);
  EXPECT_EQ(CurrentGame.paused, 0) << "Esc is blocked for 50 ticks";
  Ticks(50);
  DispatchAction(7);
  EXPECT_EQ(CurrentGame.paused, 1);
}

TEST_F(Ending, LeavingThroughThePauseDialogSkipsTheHallOfFame) {
  StartArcade(12);
  NameEntryActive = 1;
  CurrentGame.score = 500;
  DispatchAction(7);
  HoverId = 44;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.pendingMode, 200);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
  EXPECT_EQ(SlidePos, 60);
  EXPECT_EQ(LastInsertIndex, -1);
  EXPECT_EQ(HighScores.tables[2][9].score, 0);
  EXPECT_EQ(CountSounds(SoundRequest::Stop, SND_STONE), 1);

  StartStory(PlainLevel());
  DispatchAction(7);
  HoverId = 44;
  DispatchAction(0);
  EXPECT_EQ(MenuScreen, SCREEN_MAP);
}

TEST_F(Ending, EscDuringTheRetryDialogDoesNothing) {
  StartArcade(12);
  CurrentGame.gameOver = 80;
  DispatchAction(7);
  EXPECT_EQ(CurrentGame.paused, 0);
  EXPECT_EQ(CurrentGame.escBlock, 0);
}
