// Shared set-up for the game-rule scenarios: a clean arcade or story game, a
// sound log, and small helpers to build fields and to put a stone over the anchor.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/program.h"
#include "app/window.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "core/input.h"
#include "frontend/menu.h"
#include "game/banners.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/items.h"
#include "game/levels.h"
#include "game/lines.h"
#include "game/meter.h"
#include "game/options.h"
#include "game/pull.h"
#include "game/state.h"
#include "game/stones.h"
#include "game/tick.h"
#include "play/actions.h"
#include "support/headless_game.h"
#include "support/sound_log.h"

namespace gametest {

inline int ActivePieces(const PieceRecord* pool, int n) {
  int k = 0;
  for (int i = 0; i < n; ++i) k += pool[i].active ? 1 : 0;
  return k;
}
template <typename T> int LivePuffs(const T* pool, int n) {
  int k = 0;
  for (int i = 0; i < n; ++i) k += pool[i].life > 0 ? 1 : 0;
  return k;
}

// Everything the rules read and write, so that a tried move can be undone.
struct RulesSnapshot {
  Playfield field;
  StoneRingState ring;
  AnchorState anchor;
  PulledStoneState pulled;
  BombBlastState blast;
  LevelMeterState meter;
  CurrentGameState game;
  uint8_t dream[4][16];
  int32_t size;
  int32_t mouseX;
};

inline RulesSnapshot TakeRules() {
  RulesSnapshot s;
  s.field = Field;
  s.ring = StoneRing;
  s.anchor = Anchor;
  s.pulled = PulledStone;
  s.blast = BombBlast;
  s.meter = LevelMeter;
  s.game = CurrentGame;
  std::memcpy(s.dream, DreamStone(), sizeof s.dream);
  s.size = CylinderSize;
  s.mouseX = MouseX;
  return s;
}

inline void RestoreRules(const RulesSnapshot& s) {
  Field = s.field;
  StoneRing = s.ring;
  Anchor = s.anchor;
  PulledStone = s.pulled;
  BombBlast = s.blast;
  LevelMeter = s.meter;
  CurrentGame = s.game;
  std::memcpy(DreamStone(), s.dream, sizeof s.dream);
  CylinderSize = s.size;
  MouseX = s.mouseX;
}

// Empty cells of the active columns with a filled cell somewhere above them: the
// holes a careless pull leaves.
inline int CoveredHoles() {
  int n = 0;
  for (int c = FirstColumn(); c <= LastColumn(); ++c) {
    bool roof = false;
    for (int r = -1; r <= 11; ++r) {
      if (Cell(c, r) != CELL_EMPTY)
        roof = true;
      else if (roof)
        ++n;
    }
  }
  return n;
}

class GameTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetHeadlessGame(12345);
    ListenToSounds();
  }
  void TearDown() override { SetSoundObserver(nullptr); }

  // An arcade game of the given size with an empty field and a clean sound log.
  void StartArcade(int size = 12) {
    ArcadeCylinderSize = size;
    StartLevel(ARCADE_LEVEL, 0);
    SoundLog().clear();
  }

  // A story level built from `record`, installed as level `level`.
  void StartStory(const LevelRecord& record, uint16_t level = 20) {
    LevelTable[level] = record;
    StartLevel(level, 0);
    SoundLog().clear();
  }

  static LevelRecord PlainLevel() {
    LevelRecord r{};
    r.speed = 28;
    r.drain = 5;
    r.lines = 10;
    r.height = 1;
    r.sizeCode = 2;
    r.bombChance = 0;
    return r;
  }

  static void ClearField() {
    std::memset(Field.cells, 0, sizeof Field.cells);
    std::memset(Field.shownCells, 0, sizeof Field.shownCells);
  }

  // Fills row r of every active column with `value`, leaving column `gap` empty (none when -99).
  static void FillRow(int r, uint8_t value, int gap = -99) {
    for (int c = FirstColumn(); c <= LastColumn(); ++c) Cell(c, r) = c == gap ? CELL_EMPTY : value;
  }
  static void FillShownRow(int r, uint8_t value) {
    for (int c = FirstColumn(); c <= LastColumn(); ++c) ShownCell(c, r) = value;
  }

  // Puts stone 0 of `kind` at `rotation` so that its template column x0 is over
  // playfield column `column`, and the anchor at that column.
  static void AimStone(uint8_t kind, int rotation, int x0, int column) {
    StoneRing.kind[0] = kind;
    StoneRing.rotation = rotation;
    int slot = ((column + 4 - x0) % 20 + 20) % 20;
    StoneRing.position = static_cast<float>(slot * 100);
    StoneRing.roundedPosition = slot * 100;
    StoneRing.appearTimer[0] = 0;
    Anchor.column = column;
  }

  // Ticks until drop animation of stone i is idle again (at most `limit` ticks).
  static void TickUntilIdle(int i = 0, int limit = 60) {
    for (int k = 0; k < limit && StoneRing.dropProgress[i] != 0; ++k) AdvanceDrops();
  }

  static void Ticks(int n) {
    for (int k = 0; k < n; ++k) GameTick();
  }
};

} // namespace gametest
