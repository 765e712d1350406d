// Player actions in every state, and the eight items.
#include "game_support.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

#include "core/files.h"

using namespace gametest;

using Actions = GameTest;

TEST_F(Actions, PlayActionsWhileRunning) {
  StartArcade(12);
  DispatchAction(1);
  EXPECT_EQ(StoneRing.rotateTimer, 10);
  DispatchAction(3);
  EXPECT_EQ(StoneRing.rotateBackTimer, 10);
  DispatchAction(2);
  EXPECT_FLOAT_EQ(StoneRing.speed, -2.0f);
  AimStone(5, 0, 1, 5);
  DispatchAction(0);
  EXPECT_EQ(Played(SND_ANKER), 1);
  EXPECT_EQ(Cell(5, 11), 5);
}

TEST_F(Actions, LeftClickGoesToTheDreamEditorWhileItIsOpen) {
  StartArcade(12);
  AimStone(5, 0, 1, 5);
  CurrentGame.dreamTimer = 300;
  DispatchAction(0);
  EXPECT_EQ(Played(SND_ANKER), 0);
  EXPECT_EQ(Cell(5, 11), CELL_EMPTY);
}

TEST_F(Actions, ThemeKeysOnlyWithTheWholeStoryOpen) {
  StartArcade(12);
  HighScores.profile.storyProgress = 54;
  DispatchAction(10);
  EXPECT_EQ(CurrentGame.theme, ChosenTheme);
  HighScores.profile.storyProgress = 55;
  DispatchAction(8);
  EXPECT_EQ(CurrentGame.theme, 1);
  DispatchAction(12);
  EXPECT_EQ(CurrentGame.theme, 5);
  EXPECT_EQ(CountSounds(SoundRequest::Music, 5), 0) << "the music does not change";
  CurrentGame.levelCleared = 1;
  DispatchAction(9);
  EXPECT_EQ(CurrentGame.theme, 2) << "also on the level-clear screen";
}

TEST_F(Actions, NothingButDialogAnswersDuringGameOver) {
  StartArcade(12);
  CurrentGame.gameOver = 20;
  AimStone(5, 0, 1, 5);
  DispatchAction(0);
  DispatchAction(1);
  EXPECT_EQ(Played(SND_ANKER), 0);
  EXPECT_EQ(StoneRing.rotateTimer, -1);
}

class Overlay : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    savedBase = BaseDir;
    char pattern[] = "/tmp/quorbels-overlay-XXXXXX";
    dir = mkdtemp(pattern);
    mkdir((dir + "/data").c_str(), 0755);
    mkdir((dir + "/data/misc").c_str(), 0755);
    BaseDir = dir + "/";
    Options[OPT_SHOW_HELP] = 1;
    Options[OPT_MOUSE_SPEED] = 4;
    StartArcade(12);
  }
  void TearDown() override {
    BaseDir = savedBase;
    std::remove((dir + "/data/misc/opt.dat").c_str());
    rmdir((dir + "/data/misc").c_str());
    rmdir((dir + "/data").c_str());
    rmdir(dir.c_str());
    GameTest::TearDown();
  }
  std::string dir;
  std::string savedBase;
};

TEST_F(Overlay, AnyCodeActsOnTheButtonUnderTheMouse) {
  ASSERT_EQ(CurrentGame.helpShown, 1);
  AimStone(5, 0, 1, 5);
  HoverId = 0;
  DispatchAction(0);
  EXPECT_EQ(Played(SND_ANKER), 0) << "no play while the overlay is shown";
  HoverId = 50;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.helpPage, 1);
  HoverId = 40;
  DispatchAction(3);
  EXPECT_EQ(CurrentGame.helpPage, 0);
  EXPECT_EQ(StoneRing.rotateBackTimer, -1);
  EXPECT_EQ(Played(SND_SELECT), 2);
  HoverId = 30;
  DispatchAction(2); // space over "play..."
  EXPECT_EQ(CurrentGame.helpShown, 0);
  EXPECT_FLOAT_EQ(StoneRing.speed, 2.0f) << "the key only closed the overlay";
  EXPECT_EQ(Played(SND_SELECT), 3);
  EXPECT_EQ(Options[OPT_SHOW_HELP], 1);
}

TEST_F(Overlay, DontShowAgainWritesTheOptions) {
  HoverId = 33;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.helpShown, 0);
  EXPECT_EQ(Options[OPT_SHOW_HELP], 0);
  std::ifstream in(dir + "/data/misc/opt.dat", std::ios::binary);
  char bytes[8] = {};
  in.read(bytes, 8);
  ASSERT_EQ(in.gcount(), 7);
  EXPECT_EQ(bytes[OPT_SHOW_HELP], 0);
  EXPECT_EQ(bytes[OPT_MOUSE_SPEED], 4);
}

TEST_F(Overlay, MeterStandsStillButStonesFly) {
  LevelMeter.value = 50.0f;
  MouseX = 0;
  Ticks(10);
  EXPECT_FLOAT_EQ(LevelMeter.value, 50.0f);
  EXPECT_FLOAT_EQ(StoneRing.position, 20.0f);
}

using Items = GameTest;

namespace {
// A plain story level, the only kind of game in which items work.
void StartItemLevel() {
  LevelTable[20] = LevelRecord{};
  LevelTable[20].speed = 28;
  LevelTable[20].lines = 30;
  LevelTable[20].height = 1;
  LevelTable[20].sizeCode = 2;
  StartLevel(20, 0);
  SoundLog().clear();
}
} // namespace

TEST_F(Items, OnlyInStoryLevelsThatAreNotPuzzles) {
  StartArcade(12);
  ItemSlots[0] = Potion;
  LevelMeter.value = 10.0f;
  DispatchAction(4);
  EXPECT_EQ(ItemSlots[0], Potion);
  EXPECT_FLOAT_EQ(LevelMeter.value, 10.0f);

  LevelRecord r = PlainLevel();
  r.puzzle = 1;
  r.sequence[0] = 1;
  StartStory(r);
  DispatchAction(4);
  EXPECT_EQ(ItemSlots[0], Potion);
  EXPECT_EQ(Played(SND_HIT), 0);
}

TEST_F(Items, EmptySlotDoesNothingAndUnknownCodeEmptiesTheSlot) {
  StartItemLevel();
  DispatchAction(5);
  EXPECT_TRUE(SoundLog().empty());
  ItemSlots[2] = 9;
  DispatchAction(6);
  EXPECT_EQ(ItemSlots[2], 0);
  EXPECT_TRUE(SoundLog().empty());
}

TEST_F(Items, PotionHourglassDreamboxAimhelp) {
  StartItemLevel();
  ItemSlots[0] = Potion;
  ItemSlots[1] = Hourglass;
  ItemSlots[2] = Aimhelp;
  LevelMeter.value = 3.0f;
  DispatchAction(4);
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f);
  EXPECT_EQ(LevelMeter.refillFlash, 254);
  EXPECT_EQ(Played(SND_HIT), 1);
  DispatchAction(5);
  EXPECT_EQ(CurrentGame.hourglassTimer, 800);
  EXPECT_EQ(Played(SND_CLOCK), 1);
  DispatchAction(6);
  EXPECT_EQ(CurrentGame.aimHelp, 1);
  EXPECT_EQ(Played(SND_BELL), 1);
  for (uint8_t s : ItemSlots) EXPECT_EQ(s, 0);
  DispatchAction(4);
  EXPECT_EQ(Played(SND_HIT), 1) << "the slot is used up";

  ItemSlots[0] = Dreambox;
  DispatchAction(4);
  EXPECT_EQ(CurrentGame.dreamTimer, 800);
  EXPECT_EQ(Played(SND_BELL), 2);
}

TEST_F(Items, OneLineFillsTheRowAboveThreeTubeRows) {
  StartItemLevel();
  FillRow(11, CELL_TUBE);
  FillRow(10, CELL_TUBE);
  FillRow(9, CELL_TUBE);
  Cell(3, 8) = 6;
  ShownCell(3, 8) = 6;
  ItemSlots[0] = OneLine;
  DispatchAction(4);
  for (int c = 0; c <= 11; ++c) {
    EXPECT_EQ(Cell(c, 8), 3);
    EXPECT_EQ(ShownCell(c, 8), CELL_EMPTY);
  }
  EXPECT_EQ(Cell(3, 9), CELL_TUBE);
  EXPECT_EQ(CurrentGame.fallTimer, 20);
  EXPECT_EQ(LivePuffs(Stars, STAR_POOL), 3) << "stars only where a box was";
  EXPECT_EQ(Played(SND_ITEM), 1);
  EXPECT_EQ(ItemSlots[0], 0);
  // The filled row drops out when the fall timer has run out, without scoring.
  Cell(3, 7) = 4;
  MouseX = 0;
  Ticks(19);
  EXPECT_EQ(Cell(0, 8), 3);
  Ticks(1);
  EXPECT_EQ(Cell(0, 8), CELL_EMPTY);
  EXPECT_EQ(Cell(3, 8), 4);
  EXPECT_EQ(CurrentGame.score, 0);
  EXPECT_EQ(CurrentGame.linesLeft, 30);
}

TEST_F(Items, TwoLinesFillsTwoRowsEvenWhenEmpty) {
  StartItemLevel();
  ItemSlots[1] = TwoLines;
  DispatchAction(5);
  for (int c = 0; c <= 11; ++c) {
    EXPECT_EQ(Cell(c, 11), 3);
    EXPECT_EQ(Cell(c, 10), 3);
  }
  EXPECT_EQ(LivePuffs(Stars, STAR_POOL), 0);
  MouseX = 0;
  Ticks(20);
  EXPECT_EQ(Cell(0, 11), CELL_EMPTY);
  EXPECT_EQ(Cell(0, 10), CELL_EMPTY);
  EXPECT_EQ(CurrentGame.score, 0);
}

TEST_F(Items, LineItemRowsScoreWhenALandingChecksFirst) {
  StartItemLevel();
  ItemSlots[0] = OneLine;
  DispatchAction(4);
  CheckLines();
  EXPECT_EQ(CurrentGame.score, 10);
  EXPECT_EQ(CurrentGame.linesLeft, 29);
}

TEST_F(Items, OneTubeWithoutTubesStillUsesTheItem) {
  StartItemLevel();
  ItemSlots[0] = OneTube;
  DispatchAction(4);
  EXPECT_EQ(ItemSlots[0], 0);
  EXPECT_EQ(Played(SND_ITEM), 1);
  EXPECT_EQ(CurrentGame.fallTimer, 0);
  EXPECT_EQ(Cell(0, 11), CELL_EMPTY);
}

TEST_F(Items, OneTubeRemovesTheBottomTubeRow) {
  StartItemLevel();
  FillRow(11, CELL_TUBE);
  FillRow(10, CELL_TUBE);
  Cell(4, 9) = 5;
  ItemSlots[0] = OneTube;
  DispatchAction(4);
  EXPECT_EQ(Cell(4, 11), CELL_TUBE_CLEARING);
  EXPECT_EQ(Cell(4, 10), CELL_TUBE);
  EXPECT_EQ(CurrentGame.fallTimer, 20);
  EXPECT_EQ(LivePuffs(Stars, STAR_POOL), 36);
  MouseX = 0;
  Ticks(20);
  EXPECT_EQ(Cell(4, 11), CELL_TUBE);
  EXPECT_EQ(Cell(4, 10), 5);
  EXPECT_EQ(CurrentGame.score, 0);
}

TEST_F(Items, TwoTubesMarksRowsElevenAndTen) {
  StartItemLevel();
  FillRow(11, CELL_TUBE);
  FillRow(10, CELL_TUBE);
  FillRow(9, CELL_TUBE);
  ItemSlots[2] = TwoTubes;
  DispatchAction(6);
  EXPECT_EQ(Cell(0, 11), CELL_TUBE_CLEARING);
  EXPECT_EQ(Cell(0, 10), CELL_TUBE_CLEARING);
  EXPECT_EQ(Cell(0, 9), CELL_TUBE);
  MouseX = 0;
  Ticks(20);
  EXPECT_EQ(Cell(0, 11), CELL_TUBE);
  EXPECT_EQ(Cell(0, 10), CELL_EMPTY);
}

TEST_F(Items, HourglassSlowsTheStonesAndFreezesTheMeter) {
  StartItemLevel();
  ItemSlots[0] = Hourglass;
  DispatchAction(4);
  float meter = LevelMeter.value;
  MouseX = 0;
  Ticks(100);
  EXPECT_FLOAT_EQ(StoneRing.position, 100.0f);
  EXPECT_FLOAT_EQ(LevelMeter.value, meter);
  EXPECT_EQ(CurrentGame.hourglassTimer, 700);
}
