// A long session of a restless player: a seeded random hand moves, pulls, turns,
// reverses, uses items, pauses, retries and gives up, game after game, arcade and
// story, while the state of the game is checked after every tick. In every other
// game the hand plays with some sense, steering the anchor to the lowest columns
// and pulling only stones that fit without covering holes, so that rows are
// removed and levels cleared as in real play. One simulated hour is part of the
// unit tests (seconds, also under the sanitizers);
// QUORBELS_SOAK_HOURS=<simulated hours> (for example 10) runs the long one, best in
// the sanitizer build:
//   QUORBELS_SOAK_HOURS=10 scripts/test-sanitizers unit --gtest_filter='Soak.*'
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "game_support.h"

using namespace gametest;

namespace {

constexpr int64_t TICKS_PER_HOUR = 360000; // 10 ms ticks

bool KnownCellValue(uint8_t v) {
  return v == CELL_EMPTY || (v >= 1 && v <= 9) || v == CELL_TUBE_CLEARING || v == CELL_TUBE ||
         v == CELL_BOMB || v == CELL_HIDDEN;
}

bool IsMarginColumn(int c) {
  return c < FirstColumn() || c > LastColumn();
}

template <typename Piece> bool PieceSane(const Piece& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.vx) &&
         std::isfinite(p.vy) && std::isfinite(p.vz);
}

// A story level as the level file could hold it: sensible values, a layout of a
// few coloured, hidden and tube rows at the bottom, sometimes a puzzle.
LevelRecord RandomStoryLevel(std::mt19937& rng) {
  LevelRecord r{};
  r.speed = static_cast<uint8_t>(10 + rng() % 60);
  r.drain = static_cast<uint8_t>(rng() % 25);
  r.lines = static_cast<uint8_t>(1 + rng() % 12);
  r.height = static_cast<uint8_t>(rng() % 6);
  r.sizeCode = static_cast<uint8_t>(rng() % 3);
  r.bombChance = static_cast<uint8_t>(rng() % 40);
  r.puzzle = rng() % 5 == 0 ? 1 : 0;
  int stones = static_cast<int>(rng() % 17);
  for (int i = 0; i < stones; ++i) r.sequence[i] = static_cast<uint8_t>(1 + rng() % 16);
  int filledRows = static_cast<int>(rng() % 5);
  for (int k = 0; k < LAYOUT_SIZE; ++k)
    for (int l = LAYOUT_SIZE - filledRows; l < LAYOUT_SIZE; ++l) {
      uint32_t pick = rng() % 10;
      uint8_t v = pick < 3   ? 0
                  : pick < 7 ? static_cast<uint8_t>(1 + rng() % 8)
                  : pick < 9 ? CELL_TUBE
                             : CELL_HIDDEN;
      r.layout[k * LAYOUT_SIZE + l] = v;
    }
  return r;
}

class SoakPlayer {
public:
  explicit SoakPlayer(uint32_t seed) : rng(seed) {}

  int64_t scoringTicks = 0; // ticks in which the score grew
  int64_t levelsCleared = 0;
  int64_t marginThrows = 0; // ticks in which a margin box was thrown off

  // Plays `ticks` ticks; returns the number of games started.
  int64_t Play(int64_t ticks) {
    NewGame();
    for (int64_t t = 0; t < ticks; ++t) {
      pulledSinceLastTick = false;
      Act();
      if (CurrentGame.pendingMode == 200) {
        NewGame();
        continue;
      }
      int32_t scoreBefore = CurrentGame.score;
      int fallingBefore = ActivePieces(FallingBoxes, FALLING_BOX_POOL);
      GameTick();
      scoringTicks += CurrentGame.score > scoreBefore ? 1 : 0;
      marginThrows += ActivePieces(FallingBoxes, FALLING_BOX_POOL) > fallingBefore ? 1 : 0;
      Check(t);
      if (::testing::Test::HasFatalFailure()) return games;
      // A cleared level goes back to the map once its tally has run; a long-cleared
      // or stuck game is left for a new one, as a player would.
      if (CurrentGame.levelCleared == 1) {
        if (++clearedTicks == 1) ++levelsCleared;
        if (clearedTicks > 1500) NewGame();
      }
    }
    return games;
  }

private:
  std::mt19937 rng;
  int64_t games = 0;
  int32_t mouse = 400;
  int32_t pauseLeft = 0;
  int64_t clearedTicks = 0;
  bool pulledSinceLastTick = false;
  bool steady = false; // this game's hand aims its pulls
  int32_t target = 0;   // the column it aims at
  bool marginShown[FIELD_COLUMNS * FIELD_ROWS] = {};

  uint32_t Roll(uint32_t n) { return rng() % n; }

  void NewGame() {
    ++games;
    clearedTicks = 0;
    pauseLeft = 0;
    steady = Roll(2) == 0;
    target = FirstColumn();
    for (uint8_t& s : ItemSlots) s = static_cast<uint8_t>(Roll(9));
    HighScores.profile.storyProgress = static_cast<uint16_t>(1 + Roll(55));
    if (Roll(2) == 0) {
      ArcadeCylinderSize = 8 + 2 * static_cast<int32_t>(Roll(3));
      StartLevel(ARCADE_LEVEL, 0);
    } else {
      uint16_t level = static_cast<uint16_t>(Roll(STORY_LEVELS));
      LevelTable[level] = RandomStoryLevel(rng);
      StartLevel(level, 0);
    }
    std::fill(std::begin(marginShown), std::end(marginShown), false);
  }

  // Row of the highest box in column c (12, the floor, when it is empty).
  static int32_t StackTop(int32_t c) {
    int32_t top = 0;
    while (top < 12 && Cell(c, top) == CELL_EMPTY) ++top;
    return top;
  }

  // The row just above the lowest stack: where a stone does the most good.
  static int32_t DeepestFreeRow() {
    int32_t lowest = 0;
    for (int32_t c = FirstColumn(); c <= LastColumn(); ++c) lowest = std::max(lowest, StackTop(c));
    return lowest - 1;
  }

  // Where a steady hand goes next: mostly one of the lowest columns, now and then
  // any, chosen afresh after every pull.
  int32_t ChooseTarget() {
    if (Roll(3) == 0) return FirstColumn() + static_cast<int32_t>(Roll(static_cast<uint32_t>(CylinderSize)));
    int32_t deepest = DeepestFreeRow();
    int32_t candidates[FIELD_COLUMNS];
    uint32_t count = 0;
    for (int32_t c = FirstColumn(); c <= LastColumn(); ++c)
      if (StackTop(c) - 1 == deepest) candidates[count++] = c;
    return candidates[Roll(count)];
  }

  // A steady hand pulls only a stone that fits, lands low down and covers no new
  // hole. The pull writes the boxes at once, so it is tried and taken back; the
  // trial also draws a successor and raises dust, which only changes which stones
  // come later and what flies about.
  static bool GoodPull() {
    if (CurrentGame.dreamTimer > 0) return false;
    Grip grip = FindGrip();
    if (!grip.found) return false;
    LandingPlan plan = PlanLanding(grip);
    if (!plan.fits || plan.landingRow < DeepestFreeRow() - 2) return false;
    int holes = CoveredHoles();
    RulesSnapshot before = TakeRules();
    PullStone();
    bool neat = CoveredHoles() <= holes;
    RestoreRules(before);
    return neat;
  }

  void Act() {
    // The hand drifts, and now and then sweeps across the screen; a steady hand
    // moves towards one of the lowest columns instead and pulls when it pays.
    if (steady) {
      if (!IsActiveColumn(target) || Roll(150) == 0) target = ChooseTarget();
      int32_t step = 4 + static_cast<int32_t>(Roll(9));
      if (Anchor.column < target) mouse += step;
      if (Anchor.column > target) mouse -= step;
    } else if (Roll(200) == 0) {
      mouse = static_cast<int32_t>(Roll(800));
    } else {
      mouse += static_cast<int32_t>(Roll(21)) - 10;
    }
    mouse = std::clamp(mouse, 0, 799);
    MouseX = mouse;
    MouseY = 300;
    HoverId = 0;

    if (CurrentGame.gameOver > 50) {
      // The Retry dialog: mostly try again, sometimes give up.
      if (Roll(30) == 0) {
        HoverId = Roll(3) == 0 ? 3 : 44;
        DispatchAction(0);
      }
      return;
    }
    if (CurrentGame.paused) {
      if (--pauseLeft <= 0) {
        HoverId = Roll(10) == 0 ? 44 : 3; // resume, or now and then quit
        DispatchAction(0);
      }
      return;
    }
    uint32_t r = Roll(1000);
    bool pull = steady ? GoodPull() : r < 40;
    if (pull) {
      if (steady) target = ChooseTarget();
      pulledSinceLastTick = true;
      DispatchAction(0);
    } else if (r < 40) {
      // The random hand's share of pulls: a steady hand pulls only when it pays.
    } else if (r < 50) {
      DispatchAction(1);
    } else if (r < 60) {
      DispatchAction(3);
    } else if (r < 65) {
      DispatchAction(2);
    } else if (r < 67) {
      DispatchAction(static_cast<uint8_t>(4 + Roll(3)));
    } else if (r < 68) {
      pauseLeft = static_cast<int32_t>(1 + Roll(300));
      DispatchAction(7);
    } else if (r < 69) {
      DispatchAction(static_cast<uint8_t>(8 + Roll(5)));
    }
    // With the dream editor open the player draws a few boxes, never in a corner.
    if (CurrentGame.dreamTimer > 0 && Roll(50) == 0) {
      int cell = static_cast<int>(Roll(16));
      if (cell != 0 && cell != 3 && cell != 12 && cell != 15)
        DreamStone()[0][cell] = static_cast<uint8_t>(1 + Roll(2));
    }
  }

  void Check(int64_t t) {
    const std::string where = "tick " + std::to_string(t) + " of game " + std::to_string(games);
    for (int i = 0; i < FIELD_COLUMNS * FIELD_ROWS; ++i) {
      ASSERT_TRUE(KnownCellValue(Field.cells[i])) << where << ": cell " << i << " = " << int(Field.cells[i]);
      ASSERT_TRUE(KnownCellValue(Field.shownCells[i])) << where << ": shown cell " << i;
    }
    ASSERT_GE(LevelMeter.value, 0.0f) << where;
    ASSERT_LE(LevelMeter.value, 100.0f) << where;
    ASSERT_LE(CurrentGame.shownScore, CurrentGame.score) << where;
    ASSERT_GE(CurrentGame.score, 0) << where;
    for (uint8_t k : StoneRing.kind) {
      ASSERT_GE(k, 1) << where;
      ASSERT_LE(k, 17) << where;
    }
    ASSERT_TRUE(IsActiveColumn(Anchor.column)) << where;
    ASSERT_GE(StoneRing.rotation, 0) << where;
    ASSERT_LE(StoneRing.rotation, 3) << where;
    ASSERT_TRUE(CylinderSize == 8 || CylinderSize == 10 || CylinderSize == 12) << where;

    // A box that a line check has shown in a margin column is thrown off by the
    // next tick: none is still there two ticks after its landing. A pull in between
    // may put a new one there.
    for (int c = FIELD_MIN_COLUMN; c <= FIELD_MAX_COLUMN; ++c) {
      if (!IsMarginColumn(c)) continue;
      for (int r = -1; r <= 12; ++r) {
        int i = CellIndex(c, r);
        if (marginShown[i] && !pulledSinceLastTick) {
          ASSERT_EQ(Field.shownCells[i], CELL_EMPTY)
              << where << ": margin box stays at column " << c << " row " << r;
          ASSERT_EQ(Field.cells[i], CELL_EMPTY)
              << where << ": margin box stays at column " << c << " row " << r;
        }
        marginShown[i] = Field.shownCells[i] != CELL_EMPTY;
      }
    }

    // The effect pools: every live record is a finite thing of a known kind.
    for (const PieceRecord& p : FallingBoxes)
      if (p.active) {
        ASSERT_TRUE(p.kind == 1 || p.kind == 2) << where;
        ASSERT_TRUE(PieceSane(p)) << where;
      }
    for (const PieceRecord& p : SuitDrops)
      if (p.active) {
        ASSERT_LT(p.kind, 4) << where;
        ASSERT_TRUE(PieceSane(p)) << where;
      }
    for (const PieceRecord& p : Debris) {
      if (p.active) {
        ASSERT_TRUE(PieceSane(p)) << where;
      }
    }
    for (const BlastSprite& e : Explosions) ASSERT_LE(e.life, 30) << where;
    for (const PuffRecord& s : Stars) {
      if (s.life > 0) {
        ASSERT_LE(s.life, s.maxLife) << where;
      }
    }
    for (const PuffRecord& d : Dust) {
      if (d.life > 0) {
        ASSERT_LE(d.life, d.maxLife) << where;
      }
    }
  }
};

int64_t SoakTicks() {
  const char* hours = std::getenv("QUORBELS_SOAK_HOURS");
  if (hours && *hours) return static_cast<int64_t>(std::atof(hours) * TICKS_PER_HOUR);
  return TICKS_PER_HOUR;
}

} // namespace

using Soak = GameTest;

TEST_F(Soak, RandomPlayerKeepsTheGameStateSoundForHours) {
  // Hours of play ask for millions of sounds; nobody listens here.
  SetSoundObserver(nullptr);
  const int64_t ticks = SoakTicks();
  SoakPlayer player(20261207);
  int64_t games = player.Play(ticks);
  if (HasFatalFailure()) return;
  // The hand really plays: lines are scored and stones land over the margins.
  EXPECT_GT(games, 1);
  EXPECT_GT(player.scoringTicks, 0);
  EXPECT_GT(player.marginThrows, 0);
  EXPECT_GT(player.levelsCleared, 0);
  RecordProperty("simulatedMinutes", static_cast<int>(ticks / 6000));
  RecordProperty("games", static_cast<int>(games));
  std::printf("soak: %.2f simulated hours, %lld games, %lld scoring ticks, %lld margin throws, "
              "%lld levels cleared\n",
              static_cast<double>(ticks) / TICKS_PER_HOUR, static_cast<long long>(games),
              static_cast<long long>(player.scoringTicks), static_cast<long long>(player.marginThrows),
              static_cast<long long>(player.levelsCleared));
}
