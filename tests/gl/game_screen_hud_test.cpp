// The game screen's HUD and dialogs, checked on the pixels DrawGameScene leaves
// in the back buffer. Every picture is a solid test colour (the digit strip has
// one colour per digit), so a misplaced or mis-sized element shows.
#include <gtest/gtest.h>

#include <cstring>

#include "app/window.h"
#include "game/banners.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "game_screen_support.h"
#include "play/game_screen.h"
#include "play/hud.h"
#include "ui/labels.h"

using namespace screen_test;

namespace {

constexpr Rgb kBackdrop = {40, 40, 40};

class GameScreenHud : public ::testing::Test {
protected:
  AssetGuard assets;
  PlayerFilesGuard files;

  void TearDown() override { ResetTestFrame(); }

  void SetUp() override {
    ASSERT_TRUE(RequireWindow());
    UseTestAssets(kBackdrop.r, kBackdrop.g, kBackdrop.b);
    Tex.dot2 = SolidTexture(255, 255, 255); // the refill counter's flash then leaves the digits alone
    ResetHeadlessGame(1);
    CurrentGame.level = ARCADE_LEVEL;
    CurrentGame.levelNumber = 1;
    CurrentGame.linesToRefill = 5;
    CurrentGame.dangerHeight = 11;
    CurrentGame.theme = 1;
    Anchor.column = 6;
    LevelMeter.value = 100;
    MouseX = MouseY = 0;
  }
};

TEST_F(GameScreenHud, MeterShowsItsEmptyPartFromTheTop) {
  Tex.trankVoll = SolidTexture(255, 0, 0);
  Tex.trankLeer = SolidTexture(0, 0, 255);
  const Rgb full = {255, 0, 0}, empty = {0, 0, 255};

  LevelMeter.value = 100;
  DrawGameScene();
  EXPECT_EQ(MeterEmptyHeight(100), 0);
  EXPECT_EQ(Pixel(79, 219), full);
  EXPECT_EQ(Pixel(79, 392), full);

  LevelMeter.value = 50;
  DrawGameScene();
  EXPECT_EQ(MeterEmptyHeight(50), 88);
  EXPECT_EQ(Pixel(79, 219), empty);
  EXPECT_EQ(Pixel(79, 304), empty);
  EXPECT_EQ(Pixel(79, 307), full);

  LevelMeter.value = 0;
  DrawGameScene();
  EXPECT_EQ(MeterEmptyHeight(0), 176);
  EXPECT_EQ(Pixel(79, 219), empty);
  EXPECT_EQ(Pixel(79, 392), empty);
  EXPECT_EQ(Pixel(79, 397), kBackdrop);

  // A puzzle level has no meter: its question mark is a masked picture.
  CurrentGame.level = 4;
  CurrentGame.puzzle = 1;
  DrawGameScene();
  EXPECT_EQ(Pixel(79, 300), kBackdrop);
}

TEST_F(GameScreenHud, DangerLineSitsAtTheDangerHeight) {
  Tex.line = SolidTexture(0, 255, 0);
  const Rgb white = {255, 255, 255}, dot = {0, 255, 0};

  CurrentGame.dangerHeight = 11;
  DrawGameScene();
  EXPECT_EQ(DangerLineY(11), 182);
  // Left marker triangle points right at x 404 - q; the first dot lies at 400 - q + 7.
  EXPECT_EQ(Pixel(242, 184), white);
  EXPECT_EQ(Pixel(558, 184), white);
  EXPECT_EQ(Pixel(251, 183), dot);
  EXPECT_EQ(Pixel(251, 178), kBackdrop);
  EXPECT_EQ(Pixel(242, 262), kBackdrop);

  CurrentGame.dangerHeight = 8;
  DrawGameScene();
  EXPECT_EQ(DangerLineY(8), 260);
  EXPECT_EQ(Pixel(242, 262), white);
  EXPECT_EQ(Pixel(251, 261), dot);
  EXPECT_EQ(Pixel(242, 184), kBackdrop);

  // The frame narrows with the cylinder: size 8 puts the markers at 400 -+ 103.
  CylinderSize = 8;
  DrawGameScene();
  EXPECT_EQ(FieldHalfWidth(8), 103);
  EXPECT_EQ(Pixel(295, 262), white);
  EXPECT_EQ(Pixel(505, 262), white);
  EXPECT_EQ(Pixel(304, 261), dot);
}

TEST_F(GameScreenHud, LevelNumberIsTheStepInArcadeAndOneBasedInStory) {
  CurrentGame.levelNumber = 7;
  DrawGameScene();
  EXPECT_EQ(DigitAt(706, 240), 7);

  CurrentGame.level = 7;
  DrawGameScene();
  EXPECT_EQ(ShownLevelNumber(), 8);
  EXPECT_EQ(DigitAt(706, 240), 8);

  // Two digits are centred on 706 as well.
  CurrentGame.level = 9;
  CurrentGame.levelNumber = 9;
  DrawGameScene();
  EXPECT_EQ(DigitAt(696, 240), 1);
  EXPECT_EQ(DigitAt(716, 240), 0);
}

TEST_F(GameScreenHud, ScoreLinesAndRefillCounterAreCentred) {
  CurrentGame.shownScore = 305;
  CurrentGame.linesLeft = 42;
  CurrentGame.linesToRefill = -3; // shown without its sign
  DrawGameScene();
  EXPECT_EQ(DigitAt(696, 296), 3);
  EXPECT_EQ(DigitAt(706, 296), 0);
  EXPECT_EQ(DigitAt(716, 296), 5);
  EXPECT_EQ(DigitAt(701, 345), 4);
  EXPECT_EQ(DigitAt(711, 345), 2);
  EXPECT_EQ(DigitAt(79, 420), 3);
  EXPECT_EQ(DigitAt(72, 420), -1);
}

TEST_F(GameScreenHud, ItemSlotsShowKnownItemsOnlyInStoryLevels) {
  for (int k = 0; k < 8; ++k) Tex.itemIcons[k] = SolidTexture(static_cast<uint8_t>(100 + 10 * k), 0, 200);
  Tex.fkeys = SolidTexture(0, 0, 0); // the key labels glow additively; black adds nothing
  ItemSlots[0] = OneLine;
  ItemSlots[1] = 9; // no such item (a damaged save): an empty slot
  ItemSlots[2] = Potion;

  CurrentGame.level = 12;
  DrawGameScene();
  EXPECT_EQ(Pixel(38, 560), (Rgb{100, 0, 200}));
  EXPECT_EQ(Pixel(102, 560), kBackdrop);
  EXPECT_EQ(Pixel(758, 560), (Rgb{170, 0, 200}));

  CurrentGame.level = ARCADE_LEVEL;
  DrawGameScene();
  EXPECT_EQ(Pixel(38, 560), kBackdrop);

  CurrentGame.level = 12;
  CurrentGame.puzzle = 1;
  DrawGameScene();
  EXPECT_EQ(Pixel(758, 560), kBackdrop);
}

// A 2 x 4 portrait sheet of transparent texels (masked pictures show where alpha
// is at most 0.1), frame n in a colour of its own.
Rgb FrameColour(int n) {
  return MakeRgb(30 * n + 20, 200 - 20 * n, 90);
}
uint32_t PortraitSheet() {
  uint8_t texels[8 * 4];
  for (int n = 0; n < 8; ++n) {
    const int column = n % 2, rowFromTop = n / 2;
    uint8_t* t = &texels[((3 - rowFromTop) * 2 + column) * 4];
    const Rgb c = FrameColour(n);
    t[0] = c.r, t[1] = c.g, t[2] = c.b, t[3] = 0;
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  return name;
}

void StackTo(int height) {
  std::memset(&Field, 0, sizeof Field);
  if (height > 0) ShownCell(FirstColumn(), 12 - height) = 1;
}

TEST_F(GameScreenHud, PortraitMoodFollowsTheStackAndBlinks) {
  Tex.avatar = PortraitSheet();
  Options[OPT_SHOW_CHARACTER] = 1;
  CurrentGame.tick = 0;

  StackTo(5);
  EXPECT_EQ(PortraitFrame(), 1);
  DrawGameScene();
  EXPECT_EQ(Pixel(710, 425), FrameColour(1));

  StackTo(6); // (11 + 1) div 2
  EXPECT_EQ(StackHeight(), 6);
  EXPECT_EQ(PortraitFrame(), 3);
  StackTo(9); // (11 + 1) * 3 div 4
  EXPECT_EQ(PortraitFrame(), 5);
  DrawGameScene();
  EXPECT_EQ(Pixel(710, 425), FrameColour(5));

  CurrentGame.gameOver = 10;
  EXPECT_EQ(PortraitFrame(), 7);
  CurrentGame.levelCleared = 1;
  EXPECT_EQ(PortraitFrame(), 6);
  CurrentGame.gameOver = 0;
  CurrentGame.levelCleared = 0;

  // Blinking: strictly inside the windows, the calmer the longer.
  StackTo(0);
  CurrentGame.tick = 2120;
  EXPECT_EQ(PortraitFrame(), 0);
  CurrentGame.tick = 2100;
  EXPECT_EQ(PortraitFrame(), 1);
  CurrentGame.tick = 2145;
  EXPECT_EQ(PortraitFrame(), 0);
  StackTo(6);
  EXPECT_EQ(PortraitFrame(), 3);
  CurrentGame.tick = 2720;
  EXPECT_EQ(PortraitFrame(), 2);
  StackTo(10);
  CurrentGame.tick = 2910;
  EXPECT_EQ(PortraitFrame(), 4);
  DrawGameScene();
  EXPECT_EQ(Pixel(710, 425), FrameColour(4));
  CurrentGame.tick = 2925;
  EXPECT_EQ(PortraitFrame(), 5);

  // The option hides it.
  Options[OPT_SHOW_CHARACTER] = 0;
  DrawGameScene();
  EXPECT_EQ(Pixel(710, 425), kBackdrop);
}

TEST_F(GameScreenHud, PauseDialogLabelsAnswerThroughHoverId) {
  CurrentGame.paused = 1;
  MouseX = 360, MouseY = 290;
  DrawGameScene();
  EXPECT_EQ(HoverId, DIALOG_YES_ID);
  MouseX = 430;
  DrawGameScene();
  EXPECT_EQ(HoverId, DIALOG_NO_ID);
  HoverId = 77;
  MouseX = 400, MouseY = 200;
  DrawGameScene();
  EXPECT_EQ(HoverId, 0);
  SavePicture("game_screen_pause_dialog");
}

TEST_F(GameScreenHud, RetryDialogOfAStoryGame) {
  CurrentGame.level = 3;
  CurrentGame.gameOver = 49;
  MouseX = 360, MouseY = 290;
  HoverId = 0;
  DrawGameScene();
  EXPECT_EQ(HoverId, 0); // not yet up
  CurrentGame.gameOver = 50;
  DrawGameScene();
  EXPECT_EQ(HoverId, DIALOG_YES_ID);
  MouseX = 425;
  DrawGameScene();
  EXPECT_EQ(HoverId, DIALOG_NO_ID);
  EXPECT_EQ(NameEntryActive, 0);
}

TEST_F(GameScreenHud, ArcadeGameOverAsksForANameOnlyForAQualifyingScore) {
  const int table = HighScoreTableIndex(12);
  for (int n = 0; n < HIGHSCORE_ENTRIES; ++n) HighScores.tables[table][n].score = 100 + 10 * n;
  CurrentGame.gameOver = 60;

  CurrentGame.score = 99;
  MouseX = 400, MouseY = 290;
  DrawGameScene();
  EXPECT_EQ(HoverId, DIALOG_NO_ID); // "Ok" of the plain game-over dialog
  EXPECT_EQ(NameEntryActive, 0);

  // A score equal to the lowest entry qualifies.
  CurrentGame.score = 100;
  DrawGameScene();
  EXPECT_EQ(NameEntryActive, 1);
  EXPECT_EQ(HoverId, 0);
  MouseY = 380;
  DrawGameScene();
  EXPECT_EQ(HoverId, DIALOG_NO_ID);
}

TEST_F(GameScreenHud, NameEntryCaretBlinksInTheSecondHalfOfEachPeriod) {
  Tex.font = SolidTexture(255, 255, 255);
  const int table = HighScoreTableIndex(12);
  for (int n = 0; n < HIGHSCORE_ENTRIES; ++n) HighScores.tables[table][n].score = 0;
  CurrentGame.gameOver = 100;
  CurrentGame.score = 10;
  PlayerName = "AB"; // 30 pixels wide at size 30: the caret starts at x 415
  const Rgb white = {255, 255, 255};

  CurrentGame.tick = 125;
  DrawGameScene();
  EXPECT_EQ(Pixel(421, 340), white);
  SavePicture("game_screen_new_highscore");
  CurrentGame.tick = 124;
  DrawGameScene();
  EXPECT_NE(Pixel(421, 340), white);
  CurrentGame.tick = 149;
  DrawGameScene();
  EXPECT_EQ(Pixel(421, 340), white);
  CurrentGame.tick = 150;
  DrawGameScene();
  EXPECT_NE(Pixel(421, 340), white);
}

TEST_F(GameScreenHud, InstructionsOverlayLabelsAndPageButtons) {
  CurrentGame.helpShown = 1;
  CurrentGame.helpPage = 0;
  MouseX = 320, MouseY = 500;
  DrawGameScene();
  EXPECT_EQ(HoverId, HELP_PLAY_ID);
  MouseX = 420;
  DrawGameScene();
  EXPECT_EQ(HoverId, HELP_DONT_SHOW_ID);
  MouseX = 620, MouseY = 495;
  DrawGameScene();
  EXPECT_EQ(HoverId, 50);
  MouseX = 60;
  DrawGameScene();
  EXPECT_EQ(HoverId, 0); // the first page has no previous button

  CurrentGame.helpPage = 1;
  DrawGameScene();
  EXPECT_EQ(HoverId, 40);
  MouseX = 620;
  DrawGameScene();
  EXPECT_EQ(HoverId, 50);

  CurrentGame.helpPage = 3;
  DrawGameScene();
  EXPECT_EQ(HoverId, 0); // the last page has no next button
  MouseX = 60;
  DrawGameScene();
  EXPECT_EQ(HoverId, 40);
}

TEST_F(GameScreenHud, FadeInAndLevelEndIris) {
  CurrentGame.startDelay = 25; // the picture is kept at 6/256
  DrawGameScene();
  const Rgb dark = Pixel(20, 20);
  EXPECT_LE(dark.r, 2);
  CurrentGame.startDelay = 1; // 246/256
  DrawGameScene();
  EXPECT_NEAR(Pixel(20, 20).r, 40 * 246 / 256, 2);
  CurrentGame.startDelay = 0;
  DrawGameScene();
  EXPECT_EQ(Pixel(20, 20), kBackdrop);

  CurrentGame.level = 5;
  CurrentGame.levelCleared = 1;
  CurrentGame.clearTicks = 300;
  CurrentGame.shownLevelScore = 0;
  CurrentGame.clearEndTicks = 150; // radius 200 about the centre
  DrawGameScene();
  EXPECT_EQ(Pixel(20, 20), (Rgb{0, 0, 0}));
  EXPECT_EQ(Pixel(400, 90), (Rgb{0, 0, 0}));
  EXPECT_NE(Pixel(400, 110), (Rgb{0, 0, 0}));
  EXPECT_NE(Pixel(400, 300), (Rgb{0, 0, 0}));
  // While the level score still counts down the picture stays open.
  CurrentGame.shownLevelScore = 8;
  DrawGameScene();
  EXPECT_EQ(Pixel(20, 20), kBackdrop);
}

} // namespace
