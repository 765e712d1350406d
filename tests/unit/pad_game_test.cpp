// A game controller on the game screen, without drawing: its buttons as the
// player's actions, the d-pad moving the anchor a column at a time through the
// pointer, the pause dialog answered from the pad, pausing from outside the game,
// and the name entry of a new high score.
#include "game_support.h"

#include "play/pad_play.h"
#include "ui/labels.h"

using namespace gametest;

namespace {
class PadOnGameScreen : public GameTest {
protected:
  // A story level (items work there) in play, with the meter low.
  void StartPlaying() {
    StartStory(PlainLevel());
    CurrentGame.helpShown = 0;
    LevelMeter.value = 20;
  }
  // The anchor column the pointer leads to, as the next game tick computes it.
  static int32_t AnchorAfterTick() {
    UpdateAnchorColumn();
    return Anchor.column;
  }
};
} // namespace

TEST_F(PadOnGameScreen, ButtonsAreThePlayersActions) {
  StartPlaying();
  ItemSlots[0] = Potion;
  ItemSlots[1] = Hourglass;
  ItemSlots[2] = Aimhelp;
  PadGameButton(PadButton::X);
  EXPECT_EQ(StoneRing.rotateTimer, 10) << "X turns clockwise (the right button)";
  PadGameButton(PadButton::B);
  EXPECT_EQ(StoneRing.rotateBackTimer, 10) << "B turns the other way (Ctrl)";
  const float speed = StoneRing.speed;
  PadGameButton(PadButton::Y);
  EXPECT_FLOAT_EQ(StoneRing.speed, -speed) << "Y reverses (the middle button)";
  PadGameButton(PadButton::LeftShoulder);
  EXPECT_EQ(ItemSlots[0], ITEM_NONE);
  EXPECT_FLOAT_EQ(LevelMeter.value, 100.0f) << "slot 1: the potion";
  PadGameButton(PadButton::Back);
  EXPECT_EQ(ItemSlots[1], ITEM_NONE);
  EXPECT_EQ(CurrentGame.hourglassTimer, 800) << "slot 2: the hourglass";
  PadGameButton(PadButton::RightShoulder);
  EXPECT_EQ(ItemSlots[2], ITEM_NONE);
  EXPECT_EQ(CurrentGame.aimHelp, 1) << "slot 3: the aim help";
  AimStone(5, 0, 1, 5);
  PadGameButton(PadButton::A);
  EXPECT_EQ(Played(SND_ANKER), 1) << "A pulls (the left button)";
  EXPECT_EQ(Cell(5, 11), 5);
}

TEST_F(PadOnGameScreen, StartPausesAndTheDialogIsAnsweredFromThePad) {
  StartPlaying();
  PadGameButton(PadButton::Start);
  EXPECT_EQ(CurrentGame.paused, 1);
  PadGameButton(PadButton::X);
  EXPECT_EQ(StoneRing.rotateTimer, -1) << "nothing turns while paused";
  PadGameButton(PadButton::B);
  EXPECT_EQ(CurrentGame.paused, 0) << "B answers No";
  Ticks(50); // Esc's (and Start's) block after a pause
  PadGameButton(PadButton::Start);
  ASSERT_EQ(CurrentGame.paused, 1);
  PadGameButton(PadButton::Start);
  EXPECT_EQ(CurrentGame.paused, 0) << "Start answers No as well";
  Ticks(50);
  PadGameButton(PadButton::Start);
  // Yes is clicked with A once the pointer is on it (the GL journey steps there).
  HoverId = DIALOG_YES_ID;
  PadGameButton(PadButton::A);
  EXPECT_EQ(CurrentGame.pendingMode, MODE_ENTER_FRONTEND);
}

TEST_F(PadOnGameScreen, TheDpadStepsTheAnchorOneColumnThroughThePointer) {
  for (int32_t size : {8, 10, 12}) {
    for (uint8_t speed : {0, 4, 9}) {
      SCOPED_TRACE(testing::Message() << "cylinder " << size << ", mouse speed " << int(speed));
      StartArcade(size);
      Options[OPT_MOUSE_SPEED] = speed;
      MouseX = 400;
      int32_t column = AnchorAfterTick();
      // Right to the last column and beyond it, then left to the first.
      for (int step = 0; step < size + 2; ++step) {
        PadGameButton(PadButton::DpadRight);
        const int32_t expected = std::min(column + 1, LastColumn());
        ASSERT_EQ(AnchorAfterTick(), expected);
        ASSERT_GE(MouseX, 5);
        ASSERT_LT(MouseX, 795);
        column = expected;
      }
      for (int step = 0; step < size + 2; ++step) {
        PadGameButton(PadButton::DpadLeft);
        const int32_t expected = std::max(column - 1, FirstColumn());
        ASSERT_EQ(AnchorAfterTick(), expected);
        column = expected;
      }
      PadGameButton(PadButton::DpadUp);
      EXPECT_EQ(AnchorAfterTick(), column) << "up and down leave the anchor alone";
    }
  }
}

TEST_F(PadOnGameScreen, TheInstructionsTakeOnlyAAndStart) {
  Options[OPT_SHOW_HELP] = 1;
  StartStory(PlainLevel());
  ASSERT_TRUE(CurrentGame.helpShown);
  HoverId = HELP_DONT_SHOW_ID; // the pointer rests on "don't show again..."
  for (PadButton b : {PadButton::B, PadButton::X, PadButton::Y, PadButton::LeftShoulder, PadButton::Back})
    PadGameButton(b);
  EXPECT_TRUE(CurrentGame.helpShown);
  EXPECT_EQ(Options[OPT_SHOW_HELP], 1) << "no button but A clicks the label under the pointer";
  PadGameButton(PadButton::Start);
  EXPECT_FALSE(CurrentGame.helpShown) << "Start plays";
  EXPECT_EQ(Options[OPT_SHOW_HELP], 1);
}

TEST_F(PadOnGameScreen, OnlyAGameInPlayIsPausedFromOutside) {
  struct Case {
    const char* state;
    void (*set)();
    bool pauses;
  };
  const Case cases[] = {
      {"in play", [] {}, true},
      {"the instructions", [] { CurrentGame.helpShown = 1; }, false},
      {"a cleared level", [] { CurrentGame.levelCleared = 1; }, false},
      {"game over", [] { CurrentGame.gameOver = 60; }, false},
      {"the dream editor", [] { CurrentGame.dreamTimer = 300; }, true},
      {"just paused with Esc", [] { DispatchAction(7); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    StartPlaying();
    c.set();
    PauseRunningGame();
    EXPECT_EQ(CurrentGame.paused, c.pauses ? 1 : 0);
  }
}

TEST_F(PadOnGameScreen, NameEntryPicksLettersAddsRemovesAndConfirms) {
  StartArcade(10);
  NameEntryActive = 1;
  PadNameLetter = 'A';
  CurrentGame.score = 4321;
  CurrentGame.gameOver = 60;
  using B = PadButton;
  // Up and down walk A..Z, then the blank, round and round.
  const B presses[] = {B::DpadUp,   B::DpadRight,                    // "B"
                       B::DpadDown, B::DpadDown,  B::DpadDown, B::A, // "BZ" (A, blank, Z)
                       B::DpadUp,   B::A,                            // "BZ "
                       B::DpadUp,   B::A,         B::A,        B::DpadLeft,
                       B::B,        B::DpadRight}; // "BZ AA", "BZ ", "BZ A"
  for (B b : presses) PadGameButton(b);
  EXPECT_EQ(PlayerName, "BZ A");
  for (int i = 0; i < 20; ++i) PadGameButton(B::A);
  EXPECT_EQ(PlayerName.size(), 12u) << "twelve characters at most";
  PadGameButton(B::Start);
  EXPECT_EQ(NameEntryActive, 0);
  ASSERT_EQ(LastInsertSize, 10);
  EXPECT_EQ(EntryName(HighScores.tables[1][LastInsertIndex]), PlayerName);
  EXPECT_EQ(HighScores.tables[1][LastInsertIndex].score, 4321);
}
