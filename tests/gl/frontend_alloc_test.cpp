// Front-end frames never allocate: every screen is drawn (and the strip, fade and
// stars ticked) with every global operator new of this test program counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/program.h"
#include "app/window.h"
#include "frontend/level_map.h"
#include "frontend/menu.h"
#include "game/highscore.h"
#include "game/state.h"
#include "gl_fixture.h"
#include "support/alloc_counter.h"

namespace {
class FrontEndAllocation : public ::testing::Test {
protected:
  static void SetUpTestSuite() { LoadRealGameData(); }
  void SetUp() override {
    ASSERT_TRUE(OpenGameTestWindow());
    HighScores = HighScoreRecord{};
    HighScores.profile.storyProgress = 55;
    HighScores.profile.money = 12345;
    for (int t = 0; t < 3; ++t)
      for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
        HighScoreEntry& e = HighScores.tables[t][i];
        e.score = 1000000 + i;
        e.nameLength = HIGHSCORE_NAME_MAX;
        for (char& c : e.name) c = 'M';
      }
    LastInsertSize = 10;
    LastInsertIndex = 3;
    ItemSlots[0] = Potion;
    ItemSlots[1] = 0;
    ItemSlots[2] = OneLine;
    TopMode = MODE_FRONTEND;
    StoryIntroSeen = 1;
  }

  // Draws `frames` frames of the screen with the pointer at (x, y), 30 ms apart,
  // after two warm-up frames (composed texts may grow their buffers once).
  long AllocationsOn(uint8_t screen, int32_t slide, int x, int y, int frames = 20) {
    MenuScreen = screen;
    SlidePos = SlideTarget = slide;
    MouseX = x;
    MouseY = y;
    now = 50000;
    EnterFrontEnd(now);
    OptionsOpen = screen == SCREEN_SIDE && option == 1;
    InstructionsOpen = screen == SCREEN_SIDE && option == 2;
    InstructionsPage = page;
    MenuFrame(now += 30);
    MenuFrame(now += 30);
    StartCountingAllocations();
    for (int i = 0; i < frames; ++i) MenuFrame(now += 30);
    return StopCountingAllocations();
  }

  uint32_t now = 0;
  int option = 0; // side screen: 0 hall of fame, 1 options, 2 instructions
  uint8_t page = 0;
};

TEST_F(FrontEndAllocation, TitleAndStripScreens) {
  EXPECT_EQ(AllocationsOn(SCREEN_MAIN, 60, 400, 363), 0);
  EXPECT_EQ(AllocationsOn(SCREEN_CYLINDER, -60, 342, 432), 0);
  EXPECT_EQ(AllocationsOn(SCREEN_THEME, -120, 400, 412), 0);
}

TEST_F(FrontEndAllocation, HallOfFameAndOptions) {
  option = 0;
  EXPECT_EQ(AllocationsOn(SCREEN_SIDE, 80, 400, 547), 0);
  option = 1;
  EXPECT_EQ(AllocationsOn(SCREEN_SIDE, 80, 305, 460), 0);
}

TEST_F(FrontEndAllocation, InstructionPages) {
  option = 2;
  for (page = 0; page < 4; ++page)
    EXPECT_EQ(AllocationsOn(SCREEN_SIDE, 80, 650, 537), 0) << "page " << int(page);
}

TEST_F(FrontEndAllocation, LevelMapWithInfoBoxAndBubble) {
  EXPECT_EQ(AllocationsOn(SCREEN_MAP, 0, LevelSpots[10][0], LevelSpots[10][1]), 0);
  StoryIntroSeen = 0;
  EXPECT_EQ(AllocationsOn(SCREEN_MAP, 0, 400, 454), 0);
}

TEST_F(FrontEndAllocation, ShopWithDescription) {
  EXPECT_EQ(AllocationsOn(SCREEN_SHOP, 0, 300, 300), 0);
}
} // namespace
