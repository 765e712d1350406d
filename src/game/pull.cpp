#include "game/pull.h"

#include <algorithm>

#include "assets/sound.h"
#include "game/effects.h"
#include "game/lines.h"
#include "game/state.h"
#include "game/stones.h"

namespace {
constexpr int32_t APPEAR_AFTER_LANDING = 200;
constexpr int32_t APPEAR_AFTER_FLY_BACK = 99;
constexpr int32_t PULLABLE_APPEAR = 150;
constexpr int32_t FALL_AFTER_LANDING = 100;
constexpr int32_t LONGEST_LANDING_DROP = 17;

bool InGrid(int32_t c, int32_t r) {
  return c >= FIELD_MIN_COLUMN && c <= FIELD_MAX_COLUMN && r >= FIELD_MIN_ROW && r <= FIELD_MAX_ROW;
}

// A landing row found by walking down the anchor column from row -1: the row
// above the first filled cell, or 11 when the column is empty.
int32_t FindLandingRow(int32_t column) {
  for (int32_t r = -1; r <= FIELD_MAX_ROW; ++r)
    if (Cell(column, r) != CELL_EMPTY) return r - 1;
  return 11;
}

bool IsRowMissingABox(int32_t row) {
  for (int32_t c = FirstColumn(); c <= LastColumn(); ++c)
    if (Cell(c, row) == CELL_EMPTY) return true;
  return false;
}

// Clears the bomb and the 3 x 3 block around it (tubes stay), remembering every
// cell's former value for the explosion the next line check plays out.
void BlastHole(int32_t bc, int32_t br) {
  Cell(bc, br) = CELL_EMPTY;
  BombBlast.pending = 1;
  BombBlast.centreColumn = bc;
  BombBlast.centreRow = br;
  int n = 0;
  for (int32_t c = bc - 1; c <= bc + 1; ++c) {
    for (int32_t r = br - 1; r <= br + 1; ++r) {
      BlastCell& rec = BombBlast.cells[n++];
      rec.column = c;
      rec.row = r;
      // A bomb stone stacked above row -4 reaches past the top of the grid; that
      // part of the block holds nothing and is left alone.
      if (!InGrid(c, r)) {
        rec.value = 0;
        continue;
      }
      rec.value = Cell(c, r);
      if (Cell(c, r) != CELL_TUBE) Cell(c, r) = CELL_EMPTY;
    }
  }
}

void FillPulledStone(int32_t stone, int32_t pivot, int32_t landingRow) {
  PulledStone.slot = stone;
  PulledStone.anchorColumn = static_cast<uint8_t>(Anchor.column);
  for (int x = 0; x < 4; ++x)
    for (int h = 0; h < 4; ++h)
      PulledStone.shape[x * 4 + h] = StoneBox(StoneRing.kind[stone], StoneRing.rotation, x, h);
  PulledStone.pivotHeight = static_cast<uint8_t>(pivot);
  PulledStone.ringColumn = RingSlot(stone, 0) - 10;
  PulledStone.ringColumnF = static_cast<float>(PulledStone.ringColumn);
  PulledStone.landingRow = landingRow;
}

// Playfield column of template column x of the pulled stone, from the ring slot
// it was pulled at.
int32_t PulledColumn(int x) {
  return (PulledStone.ringColumn + 10 + x) % 20 - 4;
}

// Four puffs at the corners of every landed box that lies in the play area.
void RaiseDust(int32_t progressBefore) {
  static const int SIGNS[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  int32_t pivot = PulledStone.pivotHeight;
  for (int x = 0; x < 4; ++x) {
    int32_t col = PulledColumn(x);
    if (!IsActiveColumn(col)) continue;
    for (int h = 0; h < 4; ++h) {
      if (PulledStone.shape[x * 4 + h] == 0) continue;
      int32_t d = progressBefore - 13 - pivot - h;
      if (d < 0) continue;
      for (const auto& s : SIGNS) {
        SpawnDust(static_cast<float>(col - 6) + s[0] * 0.3f, static_cast<float>(-d) + s[1] * 0.3f,
                  s[0] * 0.03f, s[1] * 0.03f);
      }
    }
  }
}
} // namespace

Grip FindGrip() {
  for (int32_t i = 0; i < 4; ++i) {
    for (int x = 0; x < 4; ++x) {
      if (RingColumn(i, x) != Anchor.column) continue;
      for (int h = 0; h < 4; ++h)
        if (StoneBox(StoneRing.kind[i], StoneRing.rotation, x, h) != 0) return Grip{true, i, h};
    }
  }
  return Grip{false, 0, 0};
}

bool BoxBlocked(const Grip& grip, int32_t landingRow, int x, int h) {
  int32_t col = RingColumn(grip.stone, x);
  int32_t row = landingRow + grip.pivotHeight - h;
  if (row < 13 && Cell(col, row) != CELL_EMPTY) return true;
  return row > 11 && IsActiveColumn(col);
}

LandingPlan PlanLanding(const Grip& grip) {
  LandingPlan plan{FindLandingRow(Anchor.column), true};
  for (int x = 0; x < 4; ++x)
    for (int h = 0; h < 4; ++h)
      if (StoneBox(StoneRing.kind[grip.stone], StoneRing.rotation, x, h) != 0 &&
          BoxBlocked(grip, plan.landingRow, x, h))
        plan.fits = false;
  return plan;
}

void PullStone() {
  Grip grip = FindGrip();
  if (!grip.found) return;
  int32_t i = grip.stone;
  if (StoneRing.appearTimer[i] != 0 && StoneRing.dropLands[i] == 0) return;
  if (StoneRing.appearTimer[i] > PULLABLE_APPEAR) return;
  PlaySample(SND_ANKER);

  LandingPlan plan = PlanLanding(grip);
  int32_t pivot = grip.pivotHeight;
  int32_t landingRow = plan.landingRow;
  uint8_t kind = StoneRing.kind[i];

  if (!plan.fits) {
    StoneRing.dropLands[i] = 0;
    StoneRing.dropProgress[i] = 1;
    FillPulledStone(i, pivot, landingRow);
    PulledStone.dropLength = pivot + 15;
    PulledStone.heightOffset = static_cast<float>(-(landingRow + pivot));
    StoneRing.appearTimer[i] = APPEAR_AFTER_FLY_BACK;
    return;
  }

  uint8_t colour = kind > 8 ? static_cast<uint8_t>(kind - 8) : kind;
  for (int x = 0; x < 4; ++x) {
    for (int h = 0; h < 4; ++h) {
      uint8_t b = StoneBox(kind, StoneRing.rotation, x, h);
      int32_t row = landingRow + pivot - h;
      if (b == 0 || row >= 13) continue;
      Cell(RingColumn(i, x), row) = b == 2 ? CELL_BOMB : colour;
    }
  }
  // A bomb blows its hole only when its row stays incomplete; in a complete row it
  // goes out with the line.
  for (int x = 0; x < 4; ++x) {
    for (int h = 0; h < 4; ++h) {
      if (StoneBox(kind, StoneRing.rotation, x, h) != 2) continue;
      int32_t col = RingColumn(i, x);
      int32_t row = landingRow + pivot - h;
      if (row >= 13 || !IsActiveColumn(col)) continue;
      if (IsRowMissingABox(row)) BlastHole(col, row);
    }
  }

  StoneRing.dropLands[i] = 1;
  StoneRing.dropProgress[i] = 1;
  FillPulledStone(i, pivot, std::max<int32_t>(landingRow, 0));
  PulledStone.dropLength = std::min<int32_t>(pivot + 15, LONGEST_LANDING_DROP);
  StoneRing.kind[i] = NextStoneKind();
  StoneRing.appearTimer[i] = APPEAR_AFTER_LANDING;
  CurrentGame.fallTimer = FALL_AFTER_LANDING;
}

void AdvanceDrops() {
  // Dust rows follow the progress of the last ring position that was dropping
  // when this tick's steps began.
  int32_t progressBefore = 0;
  for (int i = 3; i >= 0; --i) {
    if (StoneRing.dropProgress[i] != 0) {
      progressBefore = StoneRing.dropProgress[i];
      break;
    }
  }
  for (int i = 0; i < 4; ++i) {
    uint8_t& progress = StoneRing.dropProgress[i];
    if (progress != 0) progress = static_cast<uint8_t>(progress + (progress < 13 ? 2 : 1));
    if (StoneRing.dropLands[i] == 1) {
      if (2 * PulledStone.dropLength - progress == 16 - PulledStone.landingRow) {
        CheckLines();
        if (CurrentGame.lineRemovedFlag == 0) PlaySample(SND_BOX);
        CurrentGame.lineRemovedFlag = 0;
        RaiseDust(progressBefore);
      }
      if (progress >= 30) progress = 0;
    } else if (progress >= 40) {
      progress = 0;
    }
  }
}
