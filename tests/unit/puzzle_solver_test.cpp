// Every puzzle level of the generated level file can be won by playing it with
// the real rules: the test moves the mouse, turns the stones, lets the ring
// fly, pulls, and waits for the rows to drop, searching depth-first over which
// stone to pull, at which rotation, ring position and anchor column. A level
// without a way through fails.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "core/files.h"
#include "game_support.h"
#include "support/generated_data.h"

using namespace gametest;

namespace {

class PuzzleSolver : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    SetSoundObserver(nullptr); // millions of ticks: keep no sound log
    std::string dir = GeneratedDataDir();
    if (dir.empty()) GTEST_SKIP() << "QUORBELS_DATA names no generated data folder";
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(dir + "misc/levels.qrb", bytes));
    ASSERT_TRUE(DecodeLevelFile(bytes.data(), bytes.size()));
  }

  // Slides the mouse from the left edge until the anchor stands at `column`,
  // the way a player moves it.
  static bool MoveAnchorTo(int column) {
    for (int x = 0; x < 800; ++x) {
      MouseX = x;
      UpdateAnchorColumn();
      if (Anchor.column == column) return true;
      if (Anchor.column > column) return false;
    }
    return false;
  }

  // Right button or Ctrl until the stones show `rotation`.
  static void TurnTo(int rotation) {
    while (StoneRing.rotation != rotation) {
      int ahead = ((rotation - StoneRing.rotation) % 4 + 4) % 4;
      DispatchAction(ahead == 3 ? 3 : 1);
      Ticks(11);
    }
  }

  static bool Dropping() {
    for (int i = 0; i < 4; ++i)
      if (StoneRing.dropProgress[i] != 0) return true;
    return false;
  }

  // Waits until the pulled stone has landed and complete rows have dropped.
  static void Settle() {
    for (int k = 0; k < 400 && (Dropping() || CurrentGame.fallTimer > 0); ++k) GameTick();
    Ticks(2);
  }

  static int Boxes(uint8_t kind) {
    int n = 0;
    for (int x = 0; x < 4; ++x)
      for (int h = 0; h < 4; ++h) n += StoneBox(kind, 0, x, h) != 0;
    return n;
  }

  // A lower bound of the boxes still needed: the holes of the linesLeft
  // emptiest-to-fill rows without tubes.
  static int BoxesNeeded() {
    std::vector<int> holes;
    for (int r = -1; r <= 11; ++r) {
      int empty = 0;
      bool tube = false;
      for (int c = FirstColumn(); c <= LastColumn(); ++c) {
        empty += Cell(c, r) == CELL_EMPTY;
        tube |= Cell(c, r) == CELL_TUBE;
      }
      if (!tube) holes.push_back(empty);
    }
    std::sort(holes.begin(), holes.end());
    int need = 0;
    for (int i = 0; i < CurrentGame.linesLeft && i < static_cast<int>(holes.size()); ++i) need += holes[i];
    return need;
  }

  int BoxesAvailable() const {
    int n = 0;
    for (int i = 0; i < 4; ++i)
      if (StoneRing.kind[i] >= 1 && StoneRing.kind[i] <= 16) n += Boxes(StoneRing.kind[i]);
    for (int k = CurrentGame.puzzleIndex; k < PUZZLE_SEQUENCE_LENGTH; ++k) {
      uint8_t kind = PuzzleSequenceKind(LevelTable[level], k);
      if (kind >= 1 && kind <= 16) n += Boxes(kind);
    }
    return n;
  }

  static std::string Key() {
    std::string k;
    for (int c = FirstColumn(); c <= LastColumn(); ++c)
      for (int r = -2; r <= 11; ++r)
        k += static_cast<char>(Cell(c, r) == CELL_EMPTY ? 0 : Cell(c, r) == CELL_TUBE ? 2 : 1);
    for (int i = 0; i < 4; ++i) k += static_cast<char>(StoneRing.kind[i]);
    k += static_cast<char>(CurrentGame.puzzleIndex);
    return k;
  }

  struct Child {
    RulesSnapshot state;
    int linesLeft;
    int covered;
  };

  // Depth-first search from the current (settled) state. True once a pull
  // clears the level.
  bool Search() {
    if (++expanded > 4000) return false;
    RulesSnapshot start = TakeRules();
    std::vector<Child> children;
    for (int rotation = 0; rotation < 4; ++rotation) {
      RestoreRules(start);
      TurnTo(rotation);
      // Let the ring fly once round; at every slot it snaps to, try each column.
      for (int slot = 0; slot < 20; ++slot) {
        int snap = RingSnap();
        RulesSnapshot here = TakeRules();
        for (int column = FirstColumn(); column <= LastColumn(); ++column) {
          RestoreRules(here);
          if (!MoveAnchorTo(column)) continue;
          GameTick();
          if (RingSnap() != snap || Anchor.column != column) continue;
          Grip grip = FindGrip();
          if (!grip.found || !PlanLanding(grip).fits) continue;
          DispatchAction(0);
          if (StoneRing.dropProgress[grip.stone] == 0) continue; // the stone was not ready
          // The boxes are in `cells` from the moment of the pull: a pull that wastes
          // boxes the level cannot spare is dropped before waiting for it to land.
          if (BoxesAvailable() < BoxesNeeded()) continue;
          Settle();
          if (CurrentGame.levelCleared) {
            solution = CurrentGame.tick;
            return true;
          }
          if (CurrentGame.gameOver) continue;
          if (BoxesAvailable() < BoxesNeeded()) continue;
          if (!visited.insert(Key()).second) continue;
          children.push_back({TakeRules(), CurrentGame.linesLeft, CoveredHoles()});
        }
        RestoreRules(here);
        for (int k = 0; k < 400 && RingSnap() == snap; ++k) GameTick();
      }
    }
    std::stable_sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
      return a.linesLeft != b.linesLeft ? a.linesLeft < b.linesLeft : a.covered < b.covered;
    });
    for (const Child& child : children) {
      RestoreRules(child.state);
      if (Search()) return true;
    }
    return false;
  }

  bool Solve(int levelIndex) {
    level = levelIndex;
    visited.clear();
    expanded = 0;
    StartLevel(static_cast<uint16_t>(level), 0);
    Ticks(30);
    return Search();
  }

  int level = 0;
  int expanded = 0;
  int32_t solution = 0;
  std::set<std::string> visited;
};

TEST_F(PuzzleSolver, EveryPuzzleLevelCanBeWon) {
  int puzzles = 0;
  for (int n = 0; n < STORY_LEVELS; ++n) {
    if (!LevelTable[n].puzzle) continue;
    ++puzzles;
    SCOPED_TRACE("level " + std::to_string(n + 1) + " " + LevelText(LevelTable[n]));
    const bool won = Solve(n);
    EXPECT_TRUE(won) << "no way to clear the level (" << expanded << " positions tried)";
    if (won)
      std::printf("puzzle level %d %s: won at tick %d, %d positions tried\n", n + 1,
                  LevelText(LevelTable[n]).c_str(), solution, expanded);
  }
  EXPECT_GE(puzzles, 8);
}

} // namespace
