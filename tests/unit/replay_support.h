// Recorded games: a list of (tick, mouse x, action) played through StartLevel,
// GameTick and DispatchAction from a fixed seed, and a digest of the whole rule
// state at the end. A stored digest that no longer matches means the rules changed.
#pragma once
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/window.h"
#include "core/arith.h"
#include "core/input.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/options.h"
#include "game/pull.h"
#include "game/state.h"
#include "game/tick.h"
#include "play/actions.h"
#include "support/headless_game.h"

namespace replay {

struct Event {
  int32_t tick;   // applied before the game tick with this number runs (0 = before the first)
  int32_t mouseX; // new pointer position
  int32_t action; // player action 0..12, or -1 for a pointer move only
  int32_t hover;  // HoverId at the action (dialog buttons), 0 = none
};

struct Game {
  std::string name;
  uint16_t level = ARCADE_LEVEL;
  int32_t size = 12; // arcade cylinder size
  uint64_t seed = 1;
  int32_t ticks = 0; // game ticks to run
  uint8_t slots[3] = {0, 0, 0};
  std::vector<Event> events;
  uint64_t digest = 0;
  std::string summary; // score, lines, state at the end, for a reviewer
};

// FNV-1a over the state the rules own, field by field (no struct padding).
class Digest {
public:
  void Bytes(const void* p, size_t n) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    for (size_t i = 0; i < n; ++i) {
      h_ ^= b[i];
      h_ *= 0x100000001b3ull;
    }
  }
  template <typename T> void Value(T v) { Bytes(&v, sizeof v); }
  uint64_t Result() const { return h_; }

private:
  uint64_t h_ = 0xcbf29ce484222325ull;
};

inline uint64_t StateDigest() {
  Digest d;
  d.Bytes(Field.cells, sizeof Field.cells);
  d.Bytes(Field.shownCells, sizeof Field.shownCells);
  d.Bytes(StoneRing.kind, 4);
  for (int32_t t : StoneRing.appearTimer) d.Value(t);
  d.Bytes(StoneRing.dropProgress, 4);
  d.Bytes(StoneRing.dropLands, 4);
  d.Value(StoneRing.rotation);
  d.Value(StoneRing.rotateTimer);
  d.Value(StoneRing.rotateBackTimer);
  d.Value(StoneRing.position);
  d.Value(StoneRing.speed);
  d.Value(StoneRing.roundedPosition);
  d.Value(Anchor.column);
  d.Value(Anchor.windowLeft);
  d.Value(Anchor.lean);
  d.Value(PulledStone.slot);
  d.Value(PulledStone.landingRow);
  d.Value(PulledStone.dropLength);
  d.Value(BombBlast.pending);
  d.Value(LevelMeter.value);
  d.Value(LevelMeter.drainPerTick);
  d.Value(LevelMeter.flash);
  d.Value(LevelMeter.warningOn);
  d.Value(LevelMeter.refillFlash);
  const CurrentGameState& g = CurrentGame;
  d.Value(g.level);
  d.Value(g.levelNumber);
  d.Value(g.puzzle);
  d.Value(g.puzzleIndex);
  d.Value(g.score);
  d.Value(g.shownScore);
  d.Value(g.linesLeft);
  d.Value(g.linesToRefill);
  d.Value(g.dangerHeight);
  d.Value(g.aimHelp);
  d.Value(g.dreamPending);
  d.Value(g.paused);
  d.Value(g.escBlock);
  d.Value(g.pendingMode);
  d.Value(g.gameOver);
  d.Bytes(g.lineTimer, sizeof g.lineTimer);
  d.Value(g.fallTimer);
  d.Value(g.hourglassTimer);
  d.Value(g.dreamTimer);
  d.Value(g.tick);
  d.Value(g.levelCleared);
  d.Value(g.clearTicks);
  d.Value(g.clearEndTicks);
  d.Value(g.shownMoney);
  d.Value(g.shownLevelScore);
  d.Value(HighScores.profile.money);
  d.Value(HighScores.profile.storyProgress);
  d.Bytes(ItemSlots, 3);
  int32_t active = 0;
  for (const PieceRecord& p : Debris) active += p.active;
  for (const PieceRecord& p : SuitDrops) active += p.active;
  for (const PieceRecord& p : FallingBoxes) active += p.active;
  d.Value(active);
  return d.Result();
}

inline std::string Summary() {
  char text[200];
  std::snprintf(text, sizeof text, "score %d lines %d level %d gameOver %d cleared %d tick %d money %d",
                CurrentGame.score, CurrentGame.linesLeft, CurrentGame.levelNumber, CurrentGame.gameOver,
                CurrentGame.levelCleared, CurrentGame.tick, HighScores.profile.money);
  return text;
}

// The fixed surroundings of every recorded game: options, profile, effects, seed.
inline void Prepare(const Game& game) {
  ResetHeadlessGame(game.seed);
  HighScores.profile.storyProgress = 30;
  HighScores.profile.money = 1000;
  std::memcpy(ItemSlots, game.slots, 3);
  ChosenTheme = 3;
  ArcadeCylinderSize = game.size;
}

// Plays the recorded events through the rules and returns the end digest.
inline uint64_t Play(const Game& game) {
  Prepare(game);
  StartLevel(game.level, 0);
  size_t next = 0;
  for (int32_t t = 0; t < game.ticks; ++t) {
    while (next < game.events.size() && game.events[next].tick == t) {
      const Event& e = game.events[next++];
      MouseX = e.mouseX;
      if (e.action >= 0) {
        HoverId = e.hover;
        DispatchAction(static_cast<uint8_t>(e.action));
      }
    }
    GameTick();
  }
  return StateDigest();
}

} // namespace replay
