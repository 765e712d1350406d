// Whole games on screen: the real data set loaded, games started with
// StartLevel, frames run through GameFrame with the game's clock arithmetic, and
// the player's input given as the window procedure gives it (the mouse position
// variables and DispatchAction). The pictures of every theme and every dialog
// are kept as artefacts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/loader.h"
#include "app/program.h"
#include "app/window.h"
#include "core/arith.h"
#include "core/files.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/options.h"
#include "game/state.h"
#include "game/tick.h"
#include "game_screen_support.h"
#include "play/actions.h"
#include "play/dream_editor.h"
#include "play/game_screen.h"
#include "render/scene.h"
#include "ui/labels.h"

using namespace screen_test;

namespace {

class GamePlay : public ::testing::Test {
protected:
  PlayerFilesGuard files;

  static void SetUpTestSuite() { MissingData = InitializeRealGame(); }

  void SetUp() override {
    ASSERT_TRUE(MissingData.empty()) << "the data set lacks " << MissingData;
    ASSERT_TRUE(OpenGameTestWindow());
    ResetShellCalls();
    SeedRandom(20261207);
    std::memset(Options, 0, sizeof Options);
    Options[OPT_SHOW_CHARACTER] = 1;
    Options[OPT_MOUSE_SPEED] = 3;
    MouseX = 400, MouseY = 300;
    ListenToSounds();
  }
  void TearDown() override {
    SetSoundObserver(nullptr);
    // The tests that follow expect the pointer free and the fixed GL state.
    ReleaseCursor();
    ResetTestFrame();
  }

  // One frame `ms` milliseconds after the previous one, as the program runs it.
  void Frame(uint32_t ms = 20) {
    now_ += ms;
    GameFrame(now_);
  }
  void Frames(int count, uint32_t ms = 20) {
    for (int n = 0; n < count; ++n) Frame(ms);
  }
  void Start(uint16_t level, uint8_t theme = 1, int32_t size = 12) {
    ChosenTheme = theme;
    ArcadeCylinderSize = size;
    StartLevel(level, static_cast<int32_t>(now_));
    TopMode = MODE_GAME;
  }

  bool DropRunning() const {
    for (int i = 0; i < 4; ++i)
      if (StoneRing.dropProgress[i] != 0) return true;
    return false;
  }
  // Whether the stone above the anchor (as drawn in the last frame) can be pulled.
  bool Pullable() const {
    if (Grip.stone < 0 || DropRunning()) return false;
    const int i = Grip.stone;
    return StoneRing.dropLands[i] == 1 ? StoneRing.appearTimer[i] <= 150 : StoneRing.appearTimer[i] == 0;
  }

  // Waits (at most `frames` frames) until a stone can be pulled over the anchor.
  bool WaitForPullable(int frames = 400) {
    for (int n = 0; n < frames; ++n) {
      Frame();
      if (Pullable()) return true;
    }
    return false;
  }

  static inline std::string MissingData;
  uint32_t now_ = 500000;
};

// The screen position of the centre of playfield cell (c, r).
void CellOnScreen(int c, int r, int* x, int* y) {
  WorldToScreen(c - 6 + 0.5, -r + 0.5, 1.0, x, y);
}

int ColourDistance(const uint8_t* a, const uint8_t* b) {
  return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

TEST_F(GamePlay, ArcadeGamePullsLandTurnsAndLeavesThroughThePause) {
  Start(ARCADE_LEVEL, 1, 12);
  Frames(40); // the fade-in is over after 25 ticks
  EXPECT_EQ(CurrentGame.startDelay, 0);
  SaveArtifact("play_arcade_start");

  int landings = 0;
  const int mouse[] = {250, 400, 560, 330, 480};
  for (int attempt = 0; attempt < 10 && landings < 3; ++attempt) {
    MouseX = mouse[attempt % 5];
    ASSERT_TRUE(WaitForPullable()) << "no stone came over the anchor";
    const std::vector<uint8_t> before = ReadPicture();
    uint8_t cellsBefore[sizeof Field.cells];
    std::memcpy(cellsBefore, Field.cells, sizeof cellsBefore);
    const int anchor = Anchor.column;

    DispatchAction(0);
    const int i = PulledStone.slot;
    ASSERT_EQ(StoneRing.dropProgress[i], 1) << "the pull did not start";
    EXPECT_EQ(PulledStone.anchorColumn, anchor);
    EXPECT_EQ(Played(SND_ANKER), attempt + 1);
    if (StoneRing.dropLands[i] == 0) {
      // It flies back: the drawing drives its timer through the climb and descent.
      bool climbed = false, descended = false;
      for (int n = 0; n < 40 && DropRunning(); ++n) {
        Frame(10);
        climbed |= StoneRing.appearTimer[i] >= 400;
        descended |= StoneRing.appearTimer[i] <= -900;
      }
      EXPECT_TRUE(climbed);
      Frames(60);
      EXPECT_GE(StoneRing.appearTimer[i], 0);
      EXPECT_LE(StoneRing.appearTimer[i], 100);
      (void)descended;
      continue;
    }

    // The boxes are in the playfield at once; they are drawn from the landing
    // moment. (Boxes beside the cylinder fall off instead.)
    std::vector<std::pair<int, int>> landed;
    for (int c = FirstColumn(); c <= LastColumn(); ++c)
      for (int r = 0; r <= 11; ++r)
        if (Field.cells[CellIndex(c, r)] != 0 && cellsBefore[CellIndex(c, r)] == 0) landed.push_back({c, r});
    ASSERT_FALSE(landed.empty());
    Frames(20); // past the landing moment (at most 22 ticks)
    const std::vector<uint8_t> after = ReadPicture();
    int changed = 0;
    for (auto [c, r] : landed) {
      EXPECT_NE(ShownCell(c, r), 0) << "cell " << c << "," << r;
      int x = 0, y = 0;
      CellOnScreen(c, r, &x, &y);
      const size_t at = (static_cast<size_t>(y) * 800 + x) * 3;
      if (ColourDistance(&before[at], &after[at]) > 40) ++changed;
    }
    EXPECT_GE(changed, static_cast<int>(landed.size()) - 1) << "the landed boxes did not appear";
    ++landings;
    SaveArtifact("play_arcade_landing_" + std::to_string(landings));
  }
  EXPECT_EQ(landings, 3);

  // A turn: the stones show it in 9-degree steps and take the new rotation after 10 ticks.
  const int32_t rotation = StoneRing.rotation;
  DispatchAction(1);
  Frames(2, 20);
  EXPECT_EQ(StoneRing.rotation, rotation);
  SaveArtifact("play_arcade_turning");
  Frames(5, 20);
  EXPECT_EQ(StoneRing.rotation, (rotation + 1) % 4);

  // Esc opens the pause dialog; "Yes" under the pointer leaves the game.
  DispatchAction(7);
  EXPECT_EQ(CurrentGame.paused, 1);
  MouseX = 360, MouseY = 290;
  Frame();
  EXPECT_EQ(HoverId, DIALOG_YES_ID);
  SaveArtifact("play_arcade_pause");
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.pendingMode, 200);
  Frame();
  EXPECT_EQ(TopMode, MODE_ENTER_FRONTEND);
}

int FirstStoryLevel(bool puzzle) {
  for (int level = 0; level < STORY_LEVELS; ++level)
    if ((LevelTable[level].puzzle == 1) == puzzle) return level;
  return -1;
}

TEST_F(GamePlay, StoryLevelWithItemsAndTheDreamEditor) {
  const int level = FirstStoryLevel(false);
  ASSERT_GE(level, 0);
  ItemSlots[0] = Dreambox;
  ItemSlots[1] = Aimhelp;
  ItemSlots[2] = Potion;
  Start(static_cast<uint16_t>(level), 2);
  Frames(40);
  SaveArtifact("play_story_items");

  // F1: the dream editor slides in and takes the left button.
  DispatchAction(4);
  EXPECT_EQ(ItemSlots[0], 0);
  EXPECT_EQ(CurrentGame.dreamTimer, 800);
  Frames(30); // 60 ticks: in place
  EXPECT_EQ(DreamEditorShown, 1);
  // Draw an L: column 1 rows 0..2 and column 2 row 2 (screen cells of 49 pixels).
  const int clicks[][2] = {{1, 0}, {1, 1}, {1, 2}, {2, 2}};
  for (auto [c, r] : clicks) {
    MouseX = 303 + 49 * c + 20, MouseY = 201 + 49 * r + 20;
    DispatchAction(0);
  }
  EXPECT_EQ(Played(SND_DC), 4);
  EXPECT_FALSE(DropRunning()); // the clicks did not pull
  Frame();
  SaveArtifact("play_story_dream_editor");
  MouseX = 400, MouseY = 414;
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.dreamTimer, 50);
  Frames(30);
  EXPECT_EQ(CurrentGame.dreamTimer, 0);
  EXPECT_EQ(CurrentGame.dreamPending, 1);
  EXPECT_EQ(DreamEditorShown, 0);

  // F2 turns the aim help on: the ghost of the gripped stone appears.
  DispatchAction(5);
  EXPECT_EQ(CurrentGame.aimHelp, 1);
  MouseX = 400, MouseY = 300;
  ASSERT_TRUE(WaitForPullable());
  SaveArtifact("play_story_aimhelp");

  // A landing now brings the dream stone into the ring.
  DispatchAction(0);
  const int i = PulledStone.slot;
  if (StoneRing.dropLands[i] == 1) {
    EXPECT_EQ(StoneRing.kind[i], DREAM_KIND);
    Frames(60);
    SaveArtifact("play_story_dream_stone");
  }
}

TEST_F(GamePlay, StoryGameOverOffersRetry) {
  const int level = FirstStoryLevel(false);
  ASSERT_GE(level, 0);
  Start(static_cast<uint16_t>(level), 3);
  Frames(5);
  // A construction above the top row in one column (never a complete row): over
  // the danger line whatever the level's danger height.
  for (int r = -1; r <= 11; ++r) Cell(FirstColumn(), r) = 2;
  Frames(60);
  ASSERT_GT(CurrentGame.gameOver, 0) << "the construction did not end the game";
  Frames(40);
  ASSERT_GE(CurrentGame.gameOver, 50);
  MouseX = 360, MouseY = 290;
  Frame();
  EXPECT_EQ(HoverId, DIALOG_YES_ID);
  SaveArtifact("play_story_retry");

  // Retry starts the same level afresh.
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.gameOver, 0);
  EXPECT_EQ(CurrentGame.level, level);
  Frames(40);
  EXPECT_EQ(Cell(FirstColumn(), 0), LevelTable[level].layout[FirstColumn() * 12]);
}

TEST_F(GamePlay, ArcadeGameOverDialogs) {
  // A table whose lowest entry is out of reach: the plain dialog.
  const int table = HighScoreTableIndex(10);
  for (int n = 0; n < HIGHSCORE_ENTRIES; ++n) HighScores.tables[table][n].score = 1000000 + n;
  Start(ARCADE_LEVEL, 4, 10);
  Frames(5);
  for (int r = -1; r <= 11; ++r) Cell(FirstColumn(), r) = 5;
  Frames(120);
  ASSERT_GE(CurrentGame.gameOver, 50);
  EXPECT_EQ(NameEntryActive, 0);
  SaveArtifact("play_arcade_game_over");

  // Any score enters an empty table: the name entry.
  for (int n = 0; n < HIGHSCORE_ENTRIES; ++n) HighScores.tables[table][n].score = 0;
  PlayerName = "QUORBEL";
  Frames(13); // the caret shows in the second half of the period
  EXPECT_EQ(NameEntryActive, 1);
  SaveArtifact("play_arcade_new_highscore");
}

TEST_F(GamePlay, EveryThemeAndTheInstructions) {
  for (uint8_t theme = 1; theme <= 5; ++theme) {
    Start(ARCADE_LEVEL, theme, theme % 2 == 0 ? 10 : (theme == 5 ? 8 : 12));
    Frames(60);
    ASSERT_EQ(CurrentGame.theme, theme);
    SaveArtifact("play_theme_" + std::to_string(theme));
  }

  Options[OPT_SHOW_HELP] = 1;
  Start(ARCADE_LEVEL, 1, 12);
  Frames(5);
  ASSERT_EQ(CurrentGame.helpShown, 1);
  for (int page = 0; page < 4; ++page) {
    EXPECT_EQ(CurrentGame.helpPage, page);
    MouseX = 400, MouseY = 300;
    Frame();
    SaveArtifact("play_instructions_page_" + std::to_string(page));
    MouseX = 620, MouseY = 500;
    Frame();
    if (page < 3) {
      EXPECT_EQ(HoverId, 50);
      DispatchAction(0);
    }
  }
  MouseX = 320, MouseY = 500;
  Frame();
  EXPECT_EQ(HoverId, HELP_PLAY_ID);
  DispatchAction(0);
  EXPECT_EQ(CurrentGame.helpShown, 0);

  // The level-clear sequence of a story level, counted up on screen.
  Options[OPT_SHOW_HELP] = 0;
  const int level = FirstStoryLevel(false);
  Start(static_cast<uint16_t>(level), 5);
  Frames(30);
  CurrentGame.levelCleared = 1;
  CurrentGame.shownLevelScore = 120;
  Frames(40);
  SaveArtifact("play_story_level_clear");
}

} // namespace
