#include "game/lines.h"

#include <cstring>

#include "assets/sound.h"
#include "core/arith.h"
#include "game/banners.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/meter.h"
#include "game/state.h"

namespace {
constexpr int32_t FIRST_CHECKED_ROW = -1;
constexpr int32_t LAST_CHECKED_ROW = 12;
// The refill counter's column and the tube test's column are fixed columns that
// are active for every cylinder size.
constexpr int32_t MARK_COLUMN = 8;
constexpr int32_t TUBE_TEST_COLUMN = 5;
constexpr int32_t LINES_PER_REFILL = 5;

float WorldX(int32_t c) {
  return static_cast<float>(c - 6);
}
float WorldY(int32_t r) {
  return static_cast<float>(-r);
}

void PlayOutBlast() {
  BombBlast.pending = 0;
  const int32_t bc = BombBlast.centreColumn;
  const int32_t br = BombBlast.centreRow;
  bool spawned = false;
  for (int i = -1; i <= 1; ++i) {
    for (int j = -1; j <= 1; ++j) {
      if (j - br >= -11) {
        SpawnExplosion(static_cast<float>(bc + i - 6), static_cast<float>(j - br));
        spawned = true;
      }
    }
  }
  if (spawned) PlaySample(SND_BOMB);
  for (BlastCell& rec : BombBlast.cells) {
    if (rec.value == 0) continue;
    float vx = static_cast<float>(Random(100) - 50) / 2000.0f + static_cast<float>(rec.column - bc) / 10.0f;
    float vy = static_cast<float>(Random(100) - 50) / 2000.0f + static_cast<float>(br - rec.row) / 10.0f;
    float vz = static_cast<float>(Random(5)) / 100.0f;
    SpawnDebris(static_cast<uint8_t>(rec.value - 1), WorldX(rec.column), WorldY(rec.row), vx, vy, vz);
    rec.value = 0;
  }
}

void RefillForFiveLines() {
  CurrentGame.linesToRefill = LINES_PER_REFILL;
  PlaySample(SND_HIT);
  if (CurrentGame.level == ARCADE_LEVEL) CurrentGame.levelNumber += 1;
  ArcadeStep();
  if (CurrentGame.level == ARCADE_LEVEL) StartLevelUpBanner();
  LevelMeter.refillFlash = 254;
  LevelMeter.value = 100.0f;
  if (Cell(TUBE_TEST_COLUMN, 11) == CELL_TUBE)
    for (int32_t c = FirstColumn(); c <= LastColumn(); ++c) Cell(c, 11) = CELL_TUBE_CLEARING;
}

// Suit of the drop a removed box sends: (row + column) mod 4, kept in 0..3 for the
// one cell where the sum is negative (row -1, column 0).
uint8_t SuitFor(int32_t r, int32_t c) {
  return static_cast<uint8_t>(((r + c) % 4 + 4) % 4);
}

void ClearLevel() {
  PlaySample(SND_WIN);
  CurrentGame.linesLeft = 0;
  CurrentGame.levelCleared = 1;
  CurrentGame.shownMoney = HighScores.profile.money;
  HighScores.profile.money = LimitMoney(int64_t{HighScores.profile.money} + CurrentGame.score);
  CurrentGame.shownLevelScore = CurrentGame.score;
  FadeOutMusic(CurrentGame.theme);
  RecordStoryLevelCleared(CurrentGame.level);
}
} // namespace

bool IsRowComplete(int32_t r) {
  for (int32_t c = FirstColumn(); c <= LastColumn(); ++c) {
    uint8_t v = Cell(c, r);
    if (v == CELL_EMPTY || v == CELL_TUBE) return false;
  }
  return true;
}

void CheckLines() {
  if (BombBlast.pending == 1) PlayOutBlast();
  BombBlast.pending = 0;
  int32_t count = 0;
  bool boxRemoved = false;
  bool tubeRemoved = false;

  std::memcpy(Field.shownCells, Field.cells, sizeof Field.cells);
  for (uint8_t& t : CurrentGame.lineTimer)
    if (t != 0) t -= 1;

  for (int32_t r = FIRST_CHECKED_ROW; r <= LAST_CHECKED_ROW; ++r) {
    if (!IsRowComplete(r)) continue;
    uint8_t& timer = CurrentGame.lineTimer[r + 5];
    if (timer == 0 && Cell(MARK_COLUMN, r) != CELL_TUBE_CLEARING) {
      count += 1;
      CurrentGame.linesToRefill -= 1;
    }
    if (CurrentGame.linesToRefill == 0) RefillForFiveLines();
    for (int32_t c = FirstColumn(); c <= LastColumn(); ++c) {
      if (timer == 0) {
        float x = WorldX(c);
        float y = WorldY(r);
        if (Cell(c, r) != CELL_TUBE_CLEARING) {
          SpawnSuitDrop(SuitFor(r, c), x, y);
          boxRemoved = true;
          float vx = static_cast<float>(Random(20) - 10) / 100.0f;
          float vy = static_cast<float>(Random(15) - 5) / 100.0f;
          float vz = static_cast<float>(Random(5)) / 100.0f;
          SpawnDebris(static_cast<uint8_t>(ShownCell(c, r) - 1), x, y, vx, vy, vz);
          for (int k = 0; k < 3; ++k) SpawnStarPuff(x, y);
        } else {
          SpawnDebris(30, x, y, static_cast<float>(c - 6) / 100.0f, 0.0f, 0.1f);
          tubeRemoved = true;
        }
      }
      ShownCell(c, r) = CELL_EMPTY;
    }
    timer = 2;
  }

  const bool puzzle = CurrentGame.puzzle != 0;
  switch (count) {
  case 1:
    CurrentGame.score += 10;
    break;
  case 2:
    CurrentGame.score += 30;
    break;
  case 3:
    CurrentGame.score += 60;
    break;
  case 4:
    CurrentGame.score += 100;
    break;
  default:
    break;
  }
  if (count >= 2 && count <= 4 && !puzzle) {
    PlaySample(SND_MLINE);
    StartMultiLineBanner(static_cast<uint8_t>(count - 1));
  }

  if (count > 0) {
    if (boxRemoved) PlaySample(SND_LINE);
    CurrentGame.lineRemovedFlag = 1;
    if (CurrentGame.level == ARCADE_LEVEL) {
      CurrentGame.linesLeft += count;
    } else {
      CurrentGame.linesLeft -= count;
      // A level is paid once: lines that a second falling stone completes after
      // the clear no longer count towards money or progress.
      if (CurrentGame.linesLeft < 1 && CurrentGame.levelCleared == 0) ClearLevel();
      if (CurrentGame.linesLeft < 0) CurrentGame.linesLeft = 0;
    }
  }
  if (tubeRemoved) PlaySample(SND_TUBE);
}

void DropRows() {
  if (CurrentGame.fallTimer > 0) CurrentGame.fallTimer -= 1;
  // The cylinder's columns, read once: every cell write below could otherwise
  // make the compiler fetch the size again.
  const int32_t first = FirstColumn();
  const int32_t last = LastColumn();

  int32_t height = 0;
  for (int32_t r = FIRST_CHECKED_ROW; r <= LAST_CHECKED_ROW && height == 0; ++r)
    for (int32_t c = first; c <= last; ++c)
      if (ShownCell(c, r) != CELL_EMPTY) {
        height = 12 - r;
        break;
      }
  if (CurrentGame.gameOver == 0 && height >= CurrentGame.dangerHeight + 1) {
    FadeOutMusic(CurrentGame.theme);
    CurrentGame.gameOver = 1;
    PlaySample(SND_BUZZ);
  }

  // Boxes in the margin columns fall off the cylinder, row by row from the top,
  // left margin before right. The margins are nearly always empty, which a look
  // down each margin column (its cells lie side by side) tells quickly.
  bool marginEmpty = true;
  for (int32_t c = FIELD_MIN_COLUMN; c <= FIELD_MAX_COLUMN; ++c) {
    if (c >= first && c <= last) continue;
    const uint8_t* column = &ShownCell(c, FIRST_CHECKED_ROW);
    uint8_t any = 0;
    for (int32_t k = 0; k <= LAST_CHECKED_ROW - FIRST_CHECKED_ROW; ++k) any |= column[k];
    if (any != CELL_EMPTY) marginEmpty = false;
  }
  bool fallen = false;
  for (int32_t r = FIRST_CHECKED_ROW; r <= LAST_CHECKED_ROW && !marginEmpty; ++r) {
    for (int32_t c = FIELD_MIN_COLUMN; c <= FIELD_MAX_COLUMN; ++c) {
      if (c >= first && c <= last) continue;
      uint8_t v = ShownCell(c, r);
      if (v == CELL_EMPTY) continue;
      ShownCell(c, r) = CELL_EMPTY;
      Cell(c, r) = CELL_EMPTY;
      float vx = c < first ? static_cast<float>(c - 9) / 200.0f : static_cast<float>(c) / 200.0f;
      SpawnFallingBox(v == CELL_BOMB ? 2 : 1, WorldX(c), WorldY(r), vx, static_cast<float>(12 - r) / 100.0f);
      fallen = true;
    }
    if (fallen) PlaySample(SND_BORDER);
  }

  if (CurrentGame.fallTimer != 0) return;
  bool movedBoxes = false;
  for (int32_t r = FIRST_CHECKED_ROW; r <= LAST_CHECKED_ROW; ++r) {
    if (!IsRowComplete(r)) continue;
    for (int32_t rr = r; rr >= FIRST_CHECKED_ROW; --rr) {
      for (int32_t c = first; c <= last; ++c) {
        uint8_t above = Cell(c, rr - 1);
        if (above != CELL_EMPTY) movedBoxes = true;
        Cell(c, rr) = above;
      }
    }
  }
  CheckLines();
  if (movedBoxes) PlaySample(SND_LINEFALL);
}
