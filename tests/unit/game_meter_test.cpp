// The level meter: warning loop, drain conditions, the empty meter and the tube
// push, suit-drop gains and the arcade difficulty steps.
#include "game_support.h"

using namespace gametest;

using Meter = GameTest;

TEST_F(Meter, WarningLoopStartsOnceAndFollowsTheLevel) {
  StartArcade(12);
  LevelMeter.drainPerTick = 0.0f;
  LevelMeter.value = 6.0f;
  UpdateMeter();
  UpdateMeter();
  EXPECT_EQ(LevelMeter.warningOn, 1);
  EXPECT_EQ(CountSounds(SoundRequest::Restart, SND_STONE), 1);
  EXPECT_EQ(CountSounds(SoundRequest::Level, SND_STONE), 2);
  EXPECT_EQ(SoundLog().back().value, 50);
  EXPECT_GE(LevelMeter.shake, 0.0f);
  EXPECT_LE(LevelMeter.shake, 99.0f / 4000.0f * 6.0f + 1e-6f);
  LevelMeter.value = 0.0f;
  LevelMeter.drainPerTick = 0.0f;
  StoneRing.dropProgress[2] = 3; // keeps the empty meter from pushing
  UpdateMeter();
  EXPECT_EQ(SoundLog().back().value, 100);
  LevelMeter.value = 12.0f;
  SoundLog().clear();
  UpdateMeter();
  EXPECT_EQ(LevelMeter.warningOn, 0);
  EXPECT_EQ(CountSounds(SoundRequest::Stop, SND_STONE), 1);
  EXPECT_FLOAT_EQ(LevelMeter.shake, 0.0f);
}

TEST_F(Meter, WarningLevelRoundsHalvesToEven) {
  StartArcade(12);
  LevelMeter.drainPerTick = 0.0f;
  LevelMeter.value = 7.5f; // 37.5 -> 38
  UpdateMeter();
  EXPECT_EQ(SoundLog().back().value, 38);
  LevelMeter.value = 10.5f; // 12.5 -> 12
  UpdateMeter();
  EXPECT_EQ(SoundLog().back().value, 12);
}

TEST_F(Meter, FlashFadesBy55) {
  StartArcade(12);
  LevelMeter.flash = 255;
  UpdateMeter();
  EXPECT_EQ(LevelMeter.flash, 200);
  LevelMeter.flash = 30;
  UpdateMeter();
  EXPECT_EQ(LevelMeter.flash, 0);
}

TEST_F(Meter, DrainsOnlyWhileTheGameReallyRuns) {
  StartArcade(12);
  LevelMeter.value = 50.0f;
  UpdateMeter();
  EXPECT_FLOAT_EQ(LevelMeter.value, 50.0f - 0.003f);

  struct Blocker {
    const char* name;
    void (*set)();
  };
  const Blocker blockers[] = {
      {"hourglass", [] { CurrentGame.hourglassTimer = 5; }},
      {"dream editor", [] { CurrentGame.dreamTimer = 5; }},
      {"paused", [] { CurrentGame.paused = 1; }},
      {"game over", [] { CurrentGame.gameOver = 3; }},
      {"level cleared", [] { CurrentGame.levelCleared = 1; }},
      {"puzzle", [] { CurrentGame.puzzle = 1; }},
      {"instruction overlay", [] { CurrentGame.helpShown = 1; }},
  };
  for (const Blocker& b : blockers) {
    StartArcade(12);
    LevelMeter.value = 50.0f;
    b.set();
    UpdateMeter();
    EXPECT_FLOAT_EQ(LevelMeter.value, 50.0f) << b.name;
  }
}

TEST_F(Meter, WarningContinuesWhileTheHourglassFreezesTheMeter) {
  StartArcade(12);
  LevelMeter.value = 5.0f;
  CurrentGame.hourglassTimer = 100;
  UpdateMeter();
  EXPECT_FLOAT_EQ(LevelMeter.value, 5.0f);
  EXPECT_EQ(CountSounds(SoundRequest::Restart, SND_STONE), 1);
}

TEST_F(Meter, EmptyMeterWaitsAtZeroWhileAStoneDrops) {
  StartArcade(12);
  LevelMeter.value = 0.001f;
  StoneRing.dropProgress[1] = 20;
  UpdateMeter();
  EXPECT_FLOAT_EQ(LevelMeter.value, 0.0f);
  EXPECT_EQ(Played(SND_TUBELINE), 0);
  StoneRing.dropProgress[1] = 0;
  CurrentGame.paused = 1;
  UpdateMeter();
  EXPECT_FLOAT_EQ(LevelMeter.value, 0.0f) << "no drain, so the meter is not below 0 again";
  EXPECT_EQ(Played(SND_TUBELINE), 0);
  CurrentGame.paused = 0;
  UpdateMeter();
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
  EXPECT_EQ(Played(SND_TUBELINE), 1);
  EXPECT_EQ(Cell(0, 11), CELL_TUBE);
}

TEST_F(Meter, PuzzleMeterNeverDrainsAndPushesNothing) {
  LevelRecord r = PlainLevel();
  r.puzzle = 1;
  r.drain = 200;
  r.sequence[0] = 1;
  StartStory(r);
  Ticks(3000);
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
  EXPECT_EQ(Played(SND_TUBELINE), 0);
}

TEST_F(Meter, RunsDryInArcadeAndPushesATubeLine) {
  StartArcade(12);
  LevelMeter.value = 0.002f;
  Ticks(1);
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
  EXPECT_EQ(Cell(3, 11), CELL_TUBE);
  EXPECT_EQ(Played(SND_TUBELINE), 1);
}

using TubeLine = GameTest;

TEST_F(TubeLine, LiftsTheActiveColumnsAndFillsTheBottomRow) {
  StartArcade(8);
  Cell(4, 11) = 3;
  Cell(4, 0) = 5;
  Cell(0, 11) = 6; // margin column: not lifted
  Cell(4, -1) = 9;
  LevelMeter.warningOn = 1;
  CurrentGame.fallTimer = 40;
  PushTubeLine();
  EXPECT_EQ(Cell(4, 10), 3);
  EXPECT_EQ(Cell(4, -1), 5);
  EXPECT_EQ(Cell(4, -2), CELL_EMPTY) << "rows above -1 do not move";
  EXPECT_EQ(Cell(0, 11), 6);
  for (int c = 2; c <= 9; ++c) {
    EXPECT_EQ(Cell(c, 11), CELL_TUBE);
    EXPECT_EQ(Cell(c, 12), CELL_EMPTY);
  }
  EXPECT_EQ(Cell(1, 11), CELL_EMPTY);
  EXPECT_EQ(LevelMeter.warningOn, 0);
  EXPECT_EQ(LevelMeter.refillFlash, 254);
  EXPECT_EQ(CurrentGame.fallTimer, 0);
  EXPECT_EQ(CountSounds(SoundRequest::Stop, SND_STONE), 1);
  EXPECT_EQ(Played(SND_TUBELINE), 1);
}

TEST_F(TubeLine, BoxInRowZeroIsLiftedAboveThePlayAreaAndEndsTheArcadeGame) {
  StartArcade(12);
  FillRow(11, CELL_TUBE);
  for (int r = 0; r <= 10; ++r) Cell(4, r) = 2;
  LevelMeter.value = 0.001f;
  MouseX = 0;
  Ticks(1);
  EXPECT_EQ(Cell(4, -1), 2);
  EXPECT_EQ(CurrentGame.gameOver, 0) << "shown at this tick's line check";
  Ticks(1);
  EXPECT_EQ(CurrentGame.gameOver, 1);
}

TEST_F(TubeLine, TubeBlockGrowsFromTheBottom) {
  StartArcade(12);
  PushTubeLine();
  PushTubeLine();
  PushTubeLine();
  for (int r = 9; r <= 11; ++r) EXPECT_EQ(Cell(6, r), CELL_TUBE);
  EXPECT_EQ(Cell(6, 8), CELL_EMPTY);
}

using SuitDropGain = GameTest;

TEST_F(SuitDropGain, SeveralDropsArrivingInOneTickAddOnce) {
  StartArcade(12);
  LevelMeter.drainPerTick = 0.0f;
  LevelMeter.value = 50.0f;
  for (int k = 0; k < 3; ++k) SpawnSuitDrop(1, -12.7f, -9.2f);
  Ticks(1);
  EXPECT_FLOAT_EQ(LevelMeter.value, 51.5f);
  EXPECT_EQ(Played(SND_TRANKUP), 1);
  EXPECT_EQ(LevelMeter.flash, 255);
  Ticks(1);
  EXPECT_FLOAT_EQ(LevelMeter.value, 51.5f);
  EXPECT_EQ(LevelMeter.flash, 200);
}

TEST_F(SuitDropGain, GainIsCappedAtOneHundred) {
  StartArcade(12);
  LevelMeter.drainPerTick = 0.0f;
  LevelMeter.value = 99.0f;
  SpawnSuitDrop(0, -12.7f, -9.2f);
  Ticks(1);
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
}

TEST_F(SuitDropGain, RemovedRowFeedsTheMeterWhenItsDropsArrive) {
  StartArcade(12);
  LevelMeter.drainPerTick = 0.0f;
  LevelMeter.value = 40.0f;
  FillRow(11, 2);
  CurrentGame.fallTimer = 100;
  CheckLines();
  // Drops from row 11 travel about 12 units: some 48 ticks; each arrival tick adds 1.5.
  Ticks(100);
  EXPECT_EQ(ActivePieces(SuitDrops, SUIT_DROP_POOL), 0);
  int gains = Played(SND_TRANKUP);
  EXPECT_GE(gains, 1);
  EXPECT_LE(gains, 12);
  EXPECT_FLOAT_EQ(LevelMeter.value, 40.0f + 1.5f * gains);
}

using Difficulty = GameTest;

TEST_F(Difficulty, ThreeStepsGiveSpeed221AndDrain0009) {
  StartArcade(12);
  for (int k = 0; k < 3; ++k) {
    CurrentGame.levelNumber += 1;
    ArcadeStep();
  }
  EXPECT_EQ(CurrentGame.levelNumber, 4);
  EXPECT_NEAR(StoneRing.speed, 2.21f, 1e-5);
  EXPECT_NEAR(LevelMeter.drainPerTick, 0.009f, 1e-6);
}

TEST_F(Difficulty, WholeTableKeepsTheDirection) {
  StartArcade(12);
  StoneRing.speed = -2.0f;
  for (int n = 2; n <= 20; ++n) {
    CurrentGame.levelNumber = n;
    ArcadeStep();
    if (n == 5) {
      EXPECT_NEAR(StoneRing.speed, -2.28f, 1e-4);
    }
    if (n == 10) {
      EXPECT_NEAR(StoneRing.speed, -2.68f, 1e-4);
    }
    if (n == 15) {
      EXPECT_NEAR(StoneRing.speed, -2.93f, 1e-4);
    }
  }
  EXPECT_NEAR(StoneRing.speed, -2.93f, 1e-4) << "no speed steps after 15";
  // 9 steps of 0.002 and 10 of 0.0024 on top of 0.003.
  EXPECT_NEAR(LevelMeter.drainPerTick, 0.003f + 0.018f + 0.024f, 1e-5);
}

TEST_F(Difficulty, StoryLevelsDoNotStep) {
  StartStory(PlainLevel());
  float speed = StoneRing.speed;
  float drain = LevelMeter.drainPerTick;
  CurrentGame.linesToRefill = 1;
  FillRow(11, 2);
  CheckLines();
  EXPECT_FLOAT_EQ(StoneRing.speed, speed);
  EXPECT_FLOAT_EQ(LevelMeter.drainPerTick, drain);
  EXPECT_EQ(CurrentGame.levelNumber, 20);
  EXPECT_EQ(LevelUpAge, -1);
  EXPECT_EQ(Played(SND_HIT), 1) << "the refill itself still happens";
}
