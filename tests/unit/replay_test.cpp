// Recorded games as regression tests. Each file in testdata/ holds the set-up and
// the input events of one game and the digest of the rule state at its end; the
// test plays the events again and compares. To record the games anew (after a
// deliberate rule change), run
//   QUORBELS_RECORD_REPLAYS=1 unit_tests --gtest_filter='Replay.Record*'
// which lets a scripted player play them and rewrites the files; review the
// summaries for plausibility before committing them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "assets/sound.h"
#include "game/state.h"
#include "game/stones.h"
#include "replay_support.h"

using namespace replay;

namespace {

std::string TestDataDir() {
  std::string here = __FILE__;
  return here.substr(0, here.find_last_of('/')) + "/testdata/";
}

// The story and puzzle levels the recordings play; they live here rather than in
// the generated level file so the data set can change without touching them.
constexpr uint16_t STORY_SLOT = 21;
constexpr uint16_t PUZZLE_SLOT = 22;

void InstallLevels() {
  LevelRecord story{};
  std::snprintf(story.text, sizeof story.text, "Recorded story level");
  story.speed = 24;
  story.drain = 8;
  story.lines = 8;
  story.height = 2;
  story.sizeCode = 1;
  story.bombChance = 15;
  for (int k = 1; k <= 10; ++k) {
    story.layout[k * 12 + 11] = k == 6 ? 0 : static_cast<uint8_t>(1 + k % 8);
    if (k % 3 == 0) story.layout[k * 12 + 10] = 40;
  }
  story.layout[0 * 12 + 11] = 3; // a margin box that falls off at once
  LevelTable[STORY_SLOT] = story;

  LevelRecord puzzle{};
  std::snprintf(puzzle.text, sizeof puzzle.text, "Recorded puzzle");
  puzzle.speed = 20;
  puzzle.lines = 3;
  puzzle.height = 1;
  puzzle.sizeCode = 0;
  const uint8_t sequence[12] = {1, 5, 3, 4, 9, 6, 7, 8, 2, 1, 5, 12};
  std::memcpy(puzzle.sequence, sequence, sizeof sequence);
  for (int k = 2; k <= 9; ++k) {
    puzzle.layout[k * 12 + 11] = k == 5 ? 0 : 2;
    puzzle.layout[k * 12 + 10] = k == 5 || k == 6 ? 0 : 4;
    puzzle.layout[k * 12 + 9] = k < 4 ? 7 : 0;
  }
  LevelTable[PUZZLE_SLOT] = puzzle;
}

bool ReadGame(const std::string& path, Game& game) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "name") {
      words >> game.name;
    } else if (key == "level") {
      words >> game.level;
    } else if (key == "size") {
      words >> game.size;
    } else if (key == "seed") {
      words >> game.seed;
    } else if (key == "ticks") {
      words >> game.ticks;
    } else if (key == "slots") {
      int a, b, c;
      words >> a >> b >> c;
      game.slots[0] = static_cast<uint8_t>(a);
      game.slots[1] = static_cast<uint8_t>(b);
      game.slots[2] = static_cast<uint8_t>(c);
    } else if (key == "digest") {
      words >> std::hex >> game.digest;
    } else if (key == "summary") {
      std::getline(words, game.summary);
    } else if (key == "event") {
      Event e{};
      words >> e.tick >> e.mouseX >> e.action >> e.hover;
      game.events.push_back(e);
    }
  }
  return true;
}

void WriteGame(const std::string& path, const Game& game) {
  std::ofstream out(path);
  out << "# A recorded game: set-up, input events (tick, mouse x, action, hover id), end digest.\n";
  out << "name " << game.name << "\nlevel " << game.level << "\nsize " << game.size << "\nseed " << game.seed
      << "\nticks " << game.ticks << "\nslots " << int(game.slots[0]) << ' ' << int(game.slots[1]) << ' '
      << int(game.slots[2]) << "\nsummary " << game.summary << "\ndigest " << std::hex << game.digest
      << std::dec << '\n';
  for (const Event& e : game.events)
    out << "event " << e.tick << ' ' << e.mouseX << ' ' << e.action << ' ' << e.hover << '\n';
}

// How good the field would be after the gripped stone landed at the anchor:
// completed rows count most, new holes and height count against it.
int32_t RateField(const Playfield& before) {
  int32_t rating = 0;
  for (int32_t r = -1; r <= 11; ++r) {
    bool full = true;
    for (int32_t c = FirstColumn(); c <= LastColumn(); ++c)
      full = full && Cell(c, r) != 0 && Cell(c, r) != 40;
    if (full) rating += 400;
  }
  for (int32_t c = -4; c <= 15; ++c) {
    bool covered = false;
    for (int32_t r = -1; r <= 11; ++r) {
      bool filled = Cell(c, r) != 0;
      if (!IsActiveColumn(c) && filled && before.cells[CellIndex(c, r)] == 0) rating -= 60;
      if (!IsActiveColumn(c)) continue;
      if (filled && !covered) {
        covered = true;
        rating -= (12 - r) * 4;
        if (12 - r > CurrentGame.dangerHeight - 2) rating -= 3000;
      }
      if (!filled && covered) rating -= 40;
    }
  }
  return rating;
}

// The change in rating if the gripped stone landed now.
int32_t RatePlacement(const Grip& g, const LandingPlan& plan) {
  Playfield saved = Field;
  int32_t base = RateField(saved);
  for (int x = 0; x < 4; ++x)
    for (int h = 0; h < 4; ++h)
      if (StoneBox(StoneRing.kind[g.stone], StoneRing.rotation, x, h) != 0) {
        int32_t row = plan.landingRow + g.pivotHeight - h;
        if (row < 13) Cell(RingColumn(g.stone, x), row) = 1;
      }
  int32_t rating = RateField(saved) - base;
  Field = saved;
  return rating;
}

// A scripted player: every few ticks it rates the columns where the stone over
// the anchor would fit, moves the mouse to the best one and clicks one tick later
// when the placement is good enough; it turns the stones when nothing suits, and
// now and then reverses them, uses an item, or pauses briefly.
void RecordWithScriptedPlayer(Game& game) {
  Prepare(game);
  StartLevel(game.level, 0);
  std::mt19937 choice(static_cast<uint32_t>(game.seed * 7919 + 17));
  int32_t clickAt = -1;
  int32_t clickX = 0;
  int32_t patience = 0;
  for (int32_t t = 0; t < game.ticks; ++t) {
    auto emit = [&](int32_t x, int32_t action, int32_t hover) {
      game.events.push_back(Event{t, x, action, hover});
      MouseX = x;
      if (action >= 0) {
        HoverId = hover;
        DispatchAction(static_cast<uint8_t>(action));
      }
    };
    bool running = CurrentGame.gameOver == 0 && CurrentGame.levelCleared == 0 && CurrentGame.paused == 0;
    if (t == clickAt) emit(clickX, 0, 0);
    if (CurrentGame.paused && choice() % 40 == 0) emit(MouseX, 0, 3);
    if (running && t % 6 == 0 && t != clickAt) {
      float w = CylinderSize * 800.0f / MouseSpeedFactor(Options[OPT_MOUSE_SPEED]);
      int32_t saved = Anchor.column;
      int32_t best = -100000;
      int32_t bestColumn = saved;
      for (int32_t c = FirstColumn(); c <= LastColumn(); ++c) {
        Anchor.column = c;
        Grip g = FindGrip();
        if (!g.found || StoneRing.appearTimer[g.stone] > 150) continue;
        LandingPlan plan = PlanLanding(g);
        if (!plan.fits) continue;
        int32_t value = RatePlacement(g, plan) + static_cast<int32_t>(choice() % 5);
        if (value > best) {
          best = value;
          bestColumn = c;
        }
      }
      Anchor.column = saved;
      patience += 1;
      if (best > -100000 && best > -30 - patience * 3) {
        int32_t x = static_cast<int32_t>(Anchor.windowLeft +
                                         (bestColumn - FirstColumn()) * w / (CylinderSize - 1) + 0.5f);
        emit(x, -1, 0);
        clickAt = t + 1;
        clickX = x;
        patience = 0;
      } else if (patience % 8 == 7) {
        emit(MouseX, choice() % 2 ? 1 : 3, 0);
      }
    }
    if (running && choice() % 700 == 0) emit(MouseX, 2, 0);
    if (running && choice() % 900 == 0) emit(MouseX, 4 + static_cast<int32_t>(choice() % 3), 0);
    if (running && t > 500 && choice() % 3000 == 0) emit(MouseX, 7, 0);
    GameTick();
  }
  game.digest = StateDigest();
  game.summary = Summary();
}

struct Recording {
  const char* file;
  const char* name;
  uint16_t level;
  int32_t size;
  uint64_t seed;
  int32_t ticks;
  uint8_t slots[3];
};

const Recording Recordings[] = {
    {"replay_arcade_small.txt", "arcade-small", ARCADE_LEVEL, 8, 11, 9000, {0, 0, 0}},
    {"replay_arcade_medium.txt", "arcade-medium", ARCADE_LEVEL, 10, 22, 9000, {0, 0, 0}},
    {"replay_arcade_large.txt", "arcade-large", ARCADE_LEVEL, 12, 33, 12000, {0, 0, 0}},
    {"replay_story.txt", "story", STORY_SLOT, 12, 44, 20000, {OneLine, Potion, OneTube}},
    {"replay_puzzle.txt", "puzzle", PUZZLE_SLOT, 12, 55, 4000, {0, 0, 0}},
};

class Replay : public ::testing::Test {
protected:
  void SetUp() override {
    SetSoundObserver(nullptr);
    InstallLevels();
  }
};

} // namespace

TEST_F(Replay, RecordedGamesReproduceTheirEndState) {
  for (const Recording& r : Recordings) {
    Game game;
    ASSERT_TRUE(ReadGame(TestDataDir() + r.file, game)) << r.file;
    ASSERT_FALSE(game.events.empty()) << r.file;
    uint64_t digest = Play(game);
    EXPECT_EQ(digest, game.digest) << r.file << ": recorded \"" << game.summary << "\", now \"" << Summary()
                                   << "\"";
  }
}

TEST_F(Replay, SameInputsGiveTheSameGameAndOneMissingClickChangesIt) {
  Game game;
  ASSERT_TRUE(ReadGame(TestDataDir() + "replay_arcade_medium.txt", game));
  uint64_t first = Play(game);
  EXPECT_EQ(Play(game), first);
  for (size_t i = 0; i < game.events.size(); ++i) {
    if (game.events[i].action == 0) {
      game.events.erase(game.events.begin() + static_cast<long>(i));
      break;
    }
  }
  EXPECT_NE(Play(game), first);
}

TEST_F(Replay, RecordedGamesArePlausible) {
  // The recordings are meant to exercise the rules: lines removed, tubes pushed,
  // the story level won or lost, the puzzle finished one way or the other.
  for (const Recording& r : Recordings) {
    Game game;
    ASSERT_TRUE(ReadGame(TestDataDir() + r.file, game));
    Play(game);
    if (r.level == ARCADE_LEVEL) {
      EXPECT_GT(CurrentGame.linesLeft, 0) << r.file;
      EXPECT_EQ(CylinderSize, r.size) << r.file;
    } else if (r.level == PUZZLE_SLOT) {
      EXPECT_TRUE(CurrentGame.levelCleared == 1 || CurrentGame.gameOver > 0) << r.file;
    }
    EXPECT_GT(CurrentGame.score, 0) << r.file;
  }
}

TEST_F(Replay, RecordGames) {
  if (!std::getenv("QUORBELS_RECORD_REPLAYS")) GTEST_SKIP() << "set QUORBELS_RECORD_REPLAYS=1 to record";
  for (const Recording& r : Recordings) {
    Game game;
    game.name = r.name;
    game.level = r.level;
    game.size = r.size;
    game.seed = r.seed;
    game.ticks = r.ticks;
    std::memcpy(game.slots, r.slots, 3);
    RecordWithScriptedPlayer(game);
    EXPECT_EQ(Play(game), game.digest) << "the recording must replay: " << r.file;
    WriteGame(TestDataDir() + r.file, game);
    std::printf("%s: %zu events, %s\n", r.file, game.events.size(), game.summary.c_str());
  }
}
