#include "game/items.h"

#include "assets/sound.h"
#include "game/effects.h"
#include "game/state.h"

namespace {
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
