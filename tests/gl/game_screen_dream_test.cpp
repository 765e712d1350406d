// The dream editor: its slide in and out, what it draws where, and its click grid.
#include <gtest/gtest.h>

#include <cstring>

#include "app/window.h"
#include "game/banners.h"
#include "game/effects.h"
#include "game/state.h"
#include "game_screen_support.h"
#include "play/dream_editor.h"
#include "play/game_screen.h"

using namespace screen_test;

namespace {

constexpr Rgb kCell = {250, 140, 20};
constexpr Rgb kOkUp = {10, 200, 10}, kOkDown = {200, 10, 200};
constexpr Rgb kPointer = {0, 220, 220};

// The done button's picture: upper half one colour, lower half another, both
// transparent (masked pictures show where alpha is at most 0.1).
uint32_t OkButtonPicture() {
  uint8_t texels[2 * 4];
  texels[0] = kOkDown.r, texels[1] = kOkDown.g, texels[2] = kOkDown.b, texels[3] = 0; // bottom row
  texels[4] = kOkUp.r, texels[5] = kOkUp.g, texels[6] = kOkUp.b, texels[7] = 0;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  return name;
}

class DreamEditor : public ::testing::Test {
protected:
  AssetGuard assets;
  PlayerFilesGuard files;

  void SetUp() override {
    ASSERT_TRUE(RequireWindow());
    UseTestAssets();
    Tex.dbox = SolidTexture(kCell.r, kCell.g, kCell.b);
    Tex.ok = OkButtonPicture();
    Tex.cursor = SolidTexture(kPointer.r, kPointer.g, kPointer.b, 0);
    ResetHeadlessGame(1);
    CurrentGame.level = 20;
    CurrentGame.dangerHeight = 11;
    CurrentGame.theme = 2;
    LevelMeter.value = 80;
    Anchor.column = 6;
    CylinderSize = 10;
    MouseX = MouseY = 0;
    ListenToSounds();
  }
  void TearDown() override {
    SetSoundObserver(nullptr);
    ResetTestFrame(); // lighting and blending off again for the tests that follow
  }

  void ClickAt(int x, int y) {
    MouseX = x, MouseY = y;
    DreamEditorClick();
  }
};

TEST_F(DreamEditor, SlidesInAndOutOverFiftyTicks) {
  EXPECT_EQ(DreamSlideOffset(800), -428);
  EXPECT_EQ(DreamSlideOffset(775), -125);
  EXPECT_EQ(DreamSlideOffset(750), 0);
  EXPECT_EQ(DreamSlideOffset(400), 0);
  EXPECT_EQ(DreamSlideOffset(50), 0);
  EXPECT_EQ(DreamSlideOffset(25), -125);
  EXPECT_EQ(DreamSlideOffset(49), 0);
  EXPECT_EQ(DreamSlideOffset(1), -415);
}

TEST_F(DreamEditor, DrawsTheDreamStoneInThePanel) {
  DreamStone()[0][1 * 4 + 1] = 1; // row 1, column 1: at (352, 250) when in place
  DreamStone()[0][2 * 4 + 3] = 1; // row 2, column 3: at (450, 299)

  CurrentGame.dreamTimer = 400;
  MouseX = 200, MouseY = 200;
  DrawGameScene();
  EXPECT_EQ(DreamEditorShown, 1);
  EXPECT_EQ(Pixel(376, 274), kCell);
  EXPECT_EQ(Pixel(474, 323), kCell);
  EXPECT_NE(Pixel(327, 274), kCell); // row 1, column 0 is empty
  EXPECT_EQ(Pixel(380, 405), kOkUp);
  EXPECT_EQ(Pixel(210, 210), kPointer); // the pointer is shown while the panel is in place
  SavePicture("game_screen_dream_editor");

  MouseX = 400, MouseY = 414;
  DrawGameScene();
  EXPECT_EQ(Pixel(380, 405), kOkDown);

  // Sliding in: everything 125 pixels higher, and no pointer.
  CurrentGame.dreamTimer = 775;
  MouseX = 200, MouseY = 200;
  DrawGameScene();
  EXPECT_EQ(DreamEditorShown, 0);
  EXPECT_EQ(Pixel(376, 149), kCell);
  EXPECT_NE(Pixel(376, 274), kCell);
  EXPECT_NE(Pixel(210, 210), kPointer);

  // Closed: nothing of the editor, and the pointer stays hidden.
  CurrentGame.dreamTimer = 400;
  DrawGameScene();
  CurrentGame.dreamTimer = 0;
  DrawGameScene();
  EXPECT_EQ(DreamEditorShown, 0);
  EXPECT_NE(Pixel(376, 274), kCell);
  EXPECT_NE(Pixel(210, 210), kPointer);
}

TEST_F(DreamEditor, GridClicksToggleInnerCellsAndNeverSetCorners) {
  CurrentGame.dreamTimer = 400;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      const bool corner = (c == 0 || c == 3) && (r == 0 || r == 3);
      ListenToSounds();
      ClickAt(303 + 49 * c + 24, 201 + 49 * r + 24);
      EXPECT_EQ(DreamStone()[0][r * 4 + c], corner ? 0 : 1) << "cell " << c << "," << r;
      EXPECT_EQ(Played(SND_DC), corner ? 0 : 1) << "cell " << c << "," << r;
    }
  // A second click empties an inner cell again.
  ListenToSounds();
  ClickAt(352 + 10, 250 + 10);
  EXPECT_EQ(DreamStone()[0][1 * 4 + 1], 0);
  EXPECT_EQ(Played(SND_DC), 1);

  // A corner holding a box (whatever put it there) is cleared, silently.
  DreamStone()[0][15] = 1;
  ListenToSounds();
  ClickAt(497, 395);
  EXPECT_EQ(DreamStone()[0][15], 0);
  EXPECT_TRUE(SoundLog().empty());
}

TEST_F(DreamEditor, GridEdgesAndTheDoneButton) {
  CurrentGame.dreamTimer = 400;
  ClickAt(303, 260); // just left of the grid
  EXPECT_EQ(DreamStone()[0][4], 0);
  ClickAt(304, 260); // first pixel of column 0, row 1
  EXPECT_EQ(DreamStone()[0][4], 1);
  ClickAt(351, 299); // last pixel of column 0, first of row 2
  EXPECT_EQ(DreamStone()[0][8], 1);
  ClickAt(498, 300); // right of the grid
  ClickAt(400, 396); // below it
  ClickAt(400, 405); // above the button's live strip
  EXPECT_EQ(CurrentGame.dreamTimer, 400);
  EXPECT_EQ(Played(SND_SELECT), 0);

  ListenToSounds();
  ClickAt(369, 406);
  EXPECT_EQ(CurrentGame.dreamTimer, 50);
  EXPECT_EQ(Played(SND_SELECT), 1);
  int boxes = 0;
  for (int n = 0; n < 16; ++n) boxes += DreamStone()[0][n];
  EXPECT_EQ(boxes, 2);
}

} // namespace
