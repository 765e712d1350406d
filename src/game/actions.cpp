#include "game/actions.h"

#include "assets/sound.h"
#include "core/input.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/levels.h"
#include "game/pull.h"
#include "game/state.h"
#include "game/stones.h"
#include "game/tick.h"
#include "game/effects.h"
#include "render/game_screen.h"

namespace {
// Buttons of the game's dialogs and of the instruction overlay.
constexpr int32_t BUTTON_YES = 44;
constexpr int32_t BUTTON_NO = 3;
constexpr int32_t BUTTON_PLAY = 30;
constexpr int32_t BUTTON_NEVER_AGAIN = 33;
constexpr int32_t BUTTON_PREVIOUS_PAGE = 40;
constexpr int32_t BUTTON_NEXT_PAGE = 50;
// Column whose cells decide which row an item works on (active for every size).
constexpr int32_t ITEM_TEST_COLUMN = 6;
constexpr int32_t ITEM_FALL_TICKS = 20;
constexpr int32_t ITEM_TIMER = 800;
constexpr uint8_t ITEM_ROW_COLOUR = 3;

void StarPuffs(int32_t c, int32_t r) {
  for (int k = 0; k < 3; ++k) SpawnStarPuff(static_cast<float>(c - 6), static_cast<float>(-r));
}

// Fills a row with boxes that are not shown, so it drops out as a complete row.
void FillRowForRemoval(int32_t r) {
  for (int32_t c = FirstColumn(); c <= LastColumn(); ++c) {
    CurrentGame.fallTimer = ITEM_FALL_TICKS;
    if (Cell(c, r) != CELL_EMPTY) StarPuffs(c, r);
    Cell(c, r) = ITEM_ROW_COLOUR;
    ShownCell(c, r) = CELL_EMPTY;
  }
}

// The row just above the tube block (or 11 without tubes); -3 when column 6 is
// tubes all the way up, which no game reaches without ending first.
int32_t RowAboveTubes() {
  for (int32_t r = 11; r >= -2; --r)
    if (Cell(ITEM_TEST_COLUMN, r) != CELL_TUBE) return r;
  return -3;
}

void MarkTubeRow(int32_t r, bool setFallTimer) {
  if (Cell(ITEM_TEST_COLUMN, r) != CELL_TUBE) return;
  for (int32_t c = FirstColumn(); c <= LastColumn(); ++c) {
    if (setFallTimer) CurrentGame.fallTimer = ITEM_FALL_TICKS;
    StarPuffs(c, r);
    ShownCell(c, r) = CELL_EMPTY;
    Cell(c, r) = CELL_TUBE_CLEARING;
  }
}

void CloseOverlay() {
  CurrentGame.helpShown = 0;
  PlaySample(SND_SELECT);
}

void OverlayClick() {
  ReleaseCursor();
  switch (HoverId) {
  case BUTTON_PLAY:
    CloseOverlay();
    break;
  case BUTTON_NEVER_AGAIN:
    Options[OPT_SHOW_HELP] = 0;
    WriteOptionsFile();
    CloseOverlay();
    break;
  case BUTTON_PREVIOUS_PAGE:
    CurrentGame.helpPage = static_cast<uint8_t>(CurrentGame.helpPage - 1);
    PlaySample(SND_SELECT);
    break;
  case BUTTON_NEXT_PAGE:
    CurrentGame.helpPage = static_cast<uint8_t>(CurrentGame.helpPage + 1);
    PlaySample(SND_SELECT);
    break;
  default:
    break;
  }
}

void PlayAction(uint8_t code) {
  switch (code) {
  case 0:
    if (CurrentGame.dreamTimer == 0)
      PullStone();
    else if (CurrentGame.dreamTimer > 0)
      DreamEditorClick();
    break;
  case 1:
    RequestRotate();
    break;
  case 2:
    ReverseFlight();
    break;
  case 3:
    RequestRotateBack();
    break;
  case 4:
  case 5:
  case 6:
    UseItem(static_cast<uint8_t>(code - 4));
    break;
  default:
    break;
  }
}
} // namespace

void UseItem(uint8_t slot) {
  if (slot > 2) return;
  if (CurrentGame.level == ARCADE_LEVEL || CurrentGame.puzzle) return;
  uint8_t item = ItemSlots[slot];
  if (item == ITEM_NONE) return;
  ItemSlots[slot] = ITEM_NONE;
  switch (item) {
  case OneLine:
  case TwoLines: {
    int32_t r = RowAboveTubes();
    if (r >= -2) {
      FillRowForRemoval(r);
      if (item == TwoLines) FillRowForRemoval(r - 1);
    }
    PlaySample(SND_ITEM);
    break;
  }
  case OneTube:
  case TwoTubes:
    MarkTubeRow(11, true);
    if (item == TwoTubes) MarkTubeRow(10, false);
    PlaySample(SND_ITEM);
    break;
  case Aimhelp:
    CurrentGame.aimHelp = 1;
    PlaySample(SND_BELL);
    break;
  case Hourglass:
    CurrentGame.hourglassTimer = ITEM_TIMER;
    PlaySample(SND_CLOCK);
    break;
  case Dreambox:
    CurrentGame.dreamTimer = ITEM_TIMER;
    PlaySample(SND_BELL);
    break;
  case Potion:
    LevelMeter.value = 100.0f;
    LevelMeter.refillFlash = 254;
    PlaySample(SND_HIT);
    break;
  default:
    break;
  }
}

void DispatchAction(uint8_t code) {
  if (HighScores.profile.storyProgress == STORY_LEVELS && code >= 8 && code <= 12)
    CurrentGame.theme = static_cast<uint8_t>(code - 7);
  if (CurrentGame.levelCleared == 1) return;
  if (CurrentGame.helpShown) {
    OverlayClick();
    return;
  }
  if (CurrentGame.paused == 0 && CurrentGame.gameOver == 0) PlayAction(code);
  if (CurrentGame.paused == 1 && code == 0) {
    if (HoverId == BUTTON_YES)
      AnswerPause(true);
    else if (HoverId == BUTTON_NO)
      AnswerPause(false);
  }
  if (CurrentGame.gameOver > 50 && code == 0) {
    if (HoverId == BUTTON_NO)
      AnswerRetry(false);
    else if (HoverId == BUTTON_YES)
      AnswerRetry(true);
  }
  if (CurrentGame.escBlock == 0 && code == 7 && CurrentGame.gameOver == 0) {
    CurrentGame.escBlock = 50;
    CurrentGame.paused = 1;
    ReleaseCursor();
  }
}
