// The front-end's state machine without drawing: the strip and fade ticks, the
// click table acting on the id the last frame left under the pointer, entering the
// front-end after a game, and the options screen's effect on the settings file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "app/program.h"
#include "assets/sound.h"
#include "core/files.h"
#include "core/input.h"
#include "frontend/level_map.h"
#include "frontend/menu.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "support/sound_log.h"
#include "ui/labels.h"

namespace {
bool MusicStarted(int n) {
  return CountSounds(SoundRequest::Music, n) > 0;
}
int LastVolume(SoundRequest::Op op) {
  int value = -1;
  for (const SoundRequest& r : SoundLog())
    if (r.op == op) value = r.value;
  return value;
}
int ActiveStars() {
  int count = 0;
  for (const PuffRecord& s : Stars)
    if (s.life > 0) ++count;
  return count;
}

class FrontEndState : public ::testing::Test {
protected:
  void SetUp() override {
    ListenToSounds();
    MenuScreen = SCREEN_MAIN;
    OptionsOpen = InstructionsOpen = InstructionsPage = 0;
    SlidePos = SlideTarget = 0;
    MenuTicks = 0;
    FadeLevel = 254;
    HoverId = HoverSpot = 0;
    StoryIntroSeen = 0;
    StoryProgressAtStart = 0;
    TopMode = MODE_FRONTEND;
    DisplaySwitchRequested = RestartPending = 0;
    HighScores = HighScoreRecord{};
    HighScores.profile.storyProgress = 1;
    ResetEffects();
  }
  void TearDown() override { SetSoundObserver(nullptr); }

  void Ticks(int n) {
    for (int i = 0; i < n; ++i) MenuTick();
  }
  void Click(int32_t id) {
    HoverId = id;
    MenuClick();
  }
};

TEST_F(FrontEndState, StripMovesOneStepPerTickAndStopsAtItsTarget) {
  SlidePos = 60;
  SlideTarget = 0;
  Ticks(1);
  EXPECT_EQ(SlidePos, 59);
  Ticks(58);
  EXPECT_EQ(SlidePos, 1);
  Ticks(5);
  EXPECT_EQ(SlidePos, 0);
  SlideTarget = -120;
  Ticks(200);
  EXPECT_EQ(SlidePos, -120);
  EXPECT_EQ(MenuTicks, 264);
}

TEST_F(FrontEndState, FadeInTakes127TicksAndStopsAt254) {
  FadeLevel = 0;
  Ticks(126);
  EXPECT_EQ(FadeLevel, 252);
  Ticks(1);
  EXPECT_EQ(FadeLevel, 254);
  Ticks(10);
  EXPECT_EQ(FadeLevel, 254);
}

TEST_F(FrontEndState, SideScreenBecomesMainMenuOnlyWhenTheStripArrives) {
  MenuScreen = SCREEN_SIDE;
  SlidePos = SlideTarget = 80;
  Click(20); // the hall of fame's "ok"
  EXPECT_EQ(SlideTarget, 0);
  EXPECT_EQ(Played(SND_SELECT), 1);
  Ticks(79);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  // Main-menu labels passing under the pointer during the slide do nothing.
  Click(1);
  Click(5);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  EXPECT_EQ(TopMode, MODE_FRONTEND);
  Ticks(1);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
}

TEST_F(FrontEndState, QuitTakesClicksOnlyOnceTheMainMenuHasStoodStillForHalfASecond) {
  // The side screens' "ok" lies just above "Quit": the menu slides back in 80
  // ticks, and a second click aimed at "ok" lands on "Quit".
  struct Case {
    bool fromSide; // back from the hall of fame or the instructions, or the front-end entered afresh
    uint8_t instructions;
    int stillTicks;
    bool quits;
  };
  const Case cases[] = {{true, 0, 0, false}, {true, 0, 49, false}, {true, 0, 50, true}, {true, 1, 1, false},
                        {true, 1, 50, true}, {false, 0, 49, false}, {false, 0, 50, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.fromSide ? "after ok" : "entered") << ", still for " << c.stillTicks
                                    << " ticks");
    ProgramRunning = 1;
    if (c.fromSide) {
      MenuScreen = SCREEN_SIDE;
      InstructionsOpen = c.instructions;
      SlidePos = SlideTarget = 80;
      Ticks(60); // long at rest on the side screen
      Click(SIDE_OK_ID);
      Ticks(80);
      ASSERT_EQ(MenuScreen, SCREEN_MAIN);
      // A click on "Quit" the moment the menu arrives does nothing.
      Click(MAIN_QUIT_ID);
    } else {
      MenuScreen = SCREEN_MAIN;
      SlidePos = SlideTarget = 0;
      EnterFrontEnd(0);
    }
    Ticks(c.stillTicks);
    Click(MAIN_QUIT_ID);
    EXPECT_EQ(ProgramRunning, c.quits ? 0 : 1);
  }
  InstructionsOpen = 0;
}

TEST_F(FrontEndState, ArcadeClickedWhileTheMenuSlidesInKeepsTheCylinderPanelAlive) {
  // Back from a game: the menu slides in from 60.
  SlidePos = 60;
  SlideTarget = 0;
  Ticks(30);
  Click(2); // "Arcade mode"
  EXPECT_EQ(MenuScreen, SCREEN_CYLINDER);
  EXPECT_EQ(SlideTarget, -60);
  Ticks(200); // passes 0 on the way to -60
  EXPECT_EQ(SlidePos, -60);
  EXPECT_EQ(MenuScreen, SCREEN_CYLINDER);
  Click(10);
  EXPECT_EQ(MenuScreen, SCREEN_THEME);
  EXPECT_EQ(ArcadeCylinderSize, 10);
}

TEST_F(FrontEndState, ArcadeSetUpLeadsToAGameAndBackLeadsHome) {
  Click(2);
  EXPECT_EQ(MenuScreen, SCREEN_CYLINDER); // id 2 means nothing on the cylinder panel
  Click(8);
  EXPECT_EQ(ArcadeCylinderSize, 8);
  EXPECT_EQ(MenuScreen, SCREEN_THEME);
  EXPECT_EQ(SlideTarget, -120);
  Click(14);
  EXPECT_EQ(MenuScreen, SCREEN_CYLINDER);
  EXPECT_EQ(SlideTarget, -60);
  Click(12);
  Click(3); // Desert
  EXPECT_EQ(TopMode, MODE_START_GAME);
  EXPECT_EQ(StartLevelIndex, ARCADE_LEVEL);
  EXPECT_EQ(ChosenTheme, 3);
  EXPECT_EQ(ArcadeCylinderSize, 12);
  EXPECT_EQ(Played(SND_START), 1);
  EXPECT_EQ(Played(SND_SELECT), 5);

  MenuScreen = SCREEN_CYLINDER;
  Click(14);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
  EXPECT_EQ(SlideTarget, 0);
}

TEST_F(FrontEndState, MainMenuOpensEachSideScreenWithItsFlags) {
  Click(3);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  EXPECT_EQ(SlideTarget, 80);
  EXPECT_EQ(OptionsOpen, 0);
  EXPECT_EQ(InstructionsOpen, 0);

  MenuScreen = SCREEN_MAIN;
  Click(4);
  EXPECT_EQ(OptionsOpen, 1);
  EXPECT_EQ(InstructionsOpen, 0);

  MenuScreen = SCREEN_MAIN;
  InstructionsPage = 2;
  Click(6);
  EXPECT_EQ(OptionsOpen, 0);
  EXPECT_EQ(InstructionsOpen, 1);
  EXPECT_EQ(InstructionsPage, 0);
  EXPECT_EQ(Played(SND_SELECT), 3);

  MenuScreen = SCREEN_MAIN;
  Click(1);
  EXPECT_EQ(MenuScreen, SCREEN_MAP);
  EXPECT_EQ(FadeLevel, 0);
  EXPECT_TRUE(MusicStarted(MUS_MAP));
}

TEST_F(FrontEndState, InstructionPagesTurnWithinTheFourPages) {
  MenuScreen = SCREEN_SIDE;
  InstructionsOpen = 1;
  Click(50);
  Click(50);
  Click(50);
  EXPECT_EQ(InstructionsPage, 3);
  // A second click landing before the next frame, while the old page's button is
  // still under the pointer, must not leave the four pages.
  Click(50);
  EXPECT_EQ(InstructionsPage, 3);
  Click(40);
  EXPECT_EQ(InstructionsPage, 2);
  EXPECT_EQ(Played(SND_SELECT), 4);
  Click(20);
  EXPECT_EQ(SlideTarget, 0);
  EXPECT_EQ(Played(SND_SELECT), 5);
}

TEST_F(FrontEndState, NoClickOutsideALabelDoesAnything) {
  Click(0);
  MenuScreen = SCREEN_CYLINDER;
  Click(0);
  MenuScreen = SCREEN_MAP;
  Click(0);
  EXPECT_TRUE(SoundLog().empty());
  EXPECT_EQ(TopMode, MODE_FRONTEND);
}

class OptionsScreen : public FrontEndState {
protected:
  void SetUp() override {
    FrontEndState::SetUp();
    char pattern[] = "/tmp/quorbels-options-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    mkdir((dir + "/data").c_str(), 0755);
    mkdir((dir + "/data/misc").c_str(), 0755);
    savedBaseDir = BaseDir;
    BaseDir = dir + "/";
    const uint8_t stored[7] = {0, 1, 0, 1, 4, 7, 7};
    for (int i = 0; i < 7; ++i) Options[i] = stored[i];
    MenuScreen = SCREEN_SIDE;
    OptionsOpen = 1;
    SlidePos = SlideTarget = 80;
  }
  void TearDown() override {
    std::remove(FilePath().c_str());
    rmdir((dir + "/data/misc").c_str());
    rmdir((dir + "/data").c_str());
    rmdir(dir.c_str());
    BaseDir = savedBaseDir;
    FrontEndState::TearDown();
  }
  std::string FilePath() const { return dir + "/data/misc/opt.dat"; }
  bool FileExists() const {
    struct stat st {};
    return stat(FilePath().c_str(), &st) == 0;
  }
  std::string dir, savedBaseDir;
};

TEST_F(OptionsScreen, DigitsSetTheBytesAndVolumesApplyAtOnce) {
  Click(1 + 9);
  EXPECT_EQ(Options[OPT_MOUSE_SPEED], 9);
  Click(11 + 3);
  EXPECT_EQ(Options[OPT_MUSIC_VOLUME], 3);
  EXPECT_EQ(LastVolume(SoundRequest::StreamVolume), 30);
  Click(21 + 0);
  EXPECT_EQ(Options[OPT_SOUND_VOLUME], 0);
  EXPECT_EQ(LastVolume(SoundRequest::SampleVolume), 0);
  Click(21 + 9);
  EXPECT_EQ(LastVolume(SoundRequest::SampleVolume), 90);
  EXPECT_EQ(Played(SND_SELECT), 4);
  EXPECT_FALSE(FileExists());
}

TEST_F(OptionsScreen, YesAndNoSetTheirOwnByteOnly) {
  Click(61);
  EXPECT_EQ(Options[OPT_SHOW_HELP], 0);
  Click(70);
  EXPECT_EQ(Options[OPT_ARCADE_AIMHELP], 1);
  Click(81);
  EXPECT_EQ(Options[OPT_SHOW_CHARACTER], 0);
  Click(60);
  EXPECT_EQ(Options[OPT_SHOW_HELP], 1);
  EXPECT_EQ(Options[OPT_FULLSCREEN], 0);
  EXPECT_EQ(Options[OPT_MOUSE_SPEED], 4);
  EXPECT_EQ(DisplaySwitchRequested, 0);
  EXPECT_FALSE(FileExists());
}

// The window follows the choice: a display switch is asked for only when the
// picked mode differs from the window's, which after --fullscreen or --windowed
// is not the saved option. The option byte takes the choice either way.
TEST_F(OptionsScreen, FullscreenAsksForASwitchOnlyWhenTheWindowDiffers) {
  struct Case {
    uint8_t saved, window;
    int32_t click; // 50 "Yes", 51 "No"
    uint8_t switches;
  };
  const Case cases[] = {
      {0, 0, 51, 0}, {0, 0, 50, 1}, {1, 1, 50, 0}, {1, 1, 51, 1}, // saved choice = window: switch on a change
      {1, 0, 50, 1}, // started with --windowed: "Yes" goes full screen
      {1, 0, 51, 0}, // ... and "No" keeps the window
      {0, 1, 51, 1}, // started with --fullscreen: "No" goes back to a window
      {0, 1, 50, 0}, // ... and "Yes" keeps the full screen
  };
  for (const Case& c : cases) {
    Options[OPT_FULLSCREEN] = c.saved;
    WantFullscreen = c.window;
    DisplaySwitchRequested = 0;
    Click(c.click);
    EXPECT_EQ(DisplaySwitchRequested, c.switches)
        << "saved " << int(c.saved) << ", window " << int(c.window) << ", click " << c.click;
    EXPECT_EQ(Options[OPT_FULLSCREEN], c.click == 50 ? 1 : 0);
  }
  WantFullscreen = 0;
  DisplaySwitchRequested = 0;
}

TEST_F(OptionsScreen, EmptySpaceStillClicksAndNothingChanges) {
  Click(0);
  EXPECT_EQ(Played(SND_SELECT), 1);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  EXPECT_EQ(SlideTarget, 80);
}

TEST_F(OptionsScreen, OkWritesTheSevenBytesAndClearsAPendingRestart) {
  Click(11 + 2);
  Click(80 + 1);
  RestartPending = 1;
  Click(90);
  EXPECT_EQ(RestartPending, 0);
  EXPECT_EQ(SlideTarget, 0);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(FilePath(), bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 1, 0, 0, 4, 2, 7}));
  Ticks(80);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
}

TEST_F(FrontEndState, ThemeFollowsTheRegionOfTheSpot) {
  const uint8_t expected[56] = {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 4, 4,
                                4, 4, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 4,
                                4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
  for (int spot = 1; spot <= 55; ++spot) EXPECT_EQ(ThemeForSpot(spot), expected[spot]) << "spot " << spot;
}

TEST_F(FrontEndState, SpotsWaitForTheIntroductionThenStartTheirLevel) {
  MenuScreen = SCREEN_MAP;
  HighScores.profile.storyProgress = 12;
  HoverSpot = 7;
  Click(0);
  EXPECT_EQ(TopMode, MODE_FRONTEND);
  EXPECT_TRUE(SoundLog().empty());

  HoverSpot = 0;
  Click(77);
  EXPECT_EQ(StoryIntroSeen, 1);
  EXPECT_EQ(Played(SND_SELECT), 1);

  HoverSpot = 7;
  Click(0);
  EXPECT_EQ(TopMode, MODE_START_GAME);
  EXPECT_EQ(StartLevelIndex, 6);
  EXPECT_EQ(ChosenTheme, 2);
  EXPECT_EQ(StoryProgressAtStart, 12);
  EXPECT_EQ(Played(SND_START), 1);
  EXPECT_EQ(Played(SND_SELECT), 2);
}

TEST_F(FrontEndState, MapButtonsLeadToTheShopAndTheMainMenu) {
  MenuScreen = SCREEN_MAP;
  Click(2);
  EXPECT_EQ(MenuScreen, SCREEN_SHOP);
  EXPECT_EQ(HoverId, 0);
  Click(60);
  EXPECT_EQ(MenuScreen, SCREEN_MAP);
  EXPECT_EQ(HoverId, 0);
  Click(1);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
  EXPECT_EQ(SlidePos, 60);
  EXPECT_EQ(SlideTarget, 0);
  EXPECT_TRUE(MusicStarted(MUS_TITLE));
  EXPECT_EQ(Played(SND_SELECT), 3);
}

TEST_F(FrontEndState, EnteringRestartsClockFadeAndSideFlags) {
  MenuTicks = 500;
  FadeLevel = 254;
  OptionsOpen = InstructionsOpen = 1;
  MenuScreen = SCREEN_SIDE;
  SlidePos = SlideTarget = 80;
  EnterFrontEnd(123456);
  EXPECT_EQ(MenuStartTime, 123456u);
  EXPECT_EQ(MenuTicks, 0);
  EXPECT_EQ(FadeLevel, 0);
  EXPECT_EQ(OptionsOpen, 0);
  EXPECT_EQ(InstructionsOpen, 0);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  EXPECT_EQ(SlidePos, 80);
  EXPECT_TRUE(MusicStarted(MUS_TITLE));
  EXPECT_FALSE(MusicStarted(MUS_MAP));
}

TEST_F(FrontEndState, ANewlyUnlockedLevelIsCelebratedAtItsSpot) {
  MenuScreen = SCREEN_MAP;
  StoryProgressAtStart = 4;
  HighScores.profile.storyProgress = 5;
  EnterFrontEnd(0);
  EXPECT_TRUE(MusicStarted(MUS_MAP));
  EXPECT_FALSE(MusicStarted(MUS_TITLE));
  EXPECT_EQ(Played(SND_CHIME), 1);
  EXPECT_EQ(ActiveStars(), 51);
  for (const PuffRecord& s : Stars) {
    if (s.life <= 0) continue;
    EXPECT_EQ(s.x0, 251.0f);
    EXPECT_EQ(s.y0, 124.0f);
    EXPECT_GE(s.vx, -0.1f);
    EXPECT_LE(s.vx, 0.09f);
    EXPECT_GE(s.vy, -0.1f);
    EXPECT_LE(s.vy, 0.09f);
  }
}

TEST_F(FrontEndState, NoCelebrationWhenNothingNewOrTheProgressIsDamaged) {
  MenuScreen = SCREEN_MAP;
  StoryProgressAtStart = 5;
  HighScores.profile.storyProgress = 5; // replayed an older level or lost
  EnterFrontEnd(0);
  EXPECT_EQ(Played(SND_CHIME), 0);

  StoryProgressAtStart = 70;
  HighScores.profile.storyProgress = 71; // beyond the map's 55 spots
  EnterFrontEnd(0);
  EXPECT_EQ(ActiveStars(), 0);
}

TEST_F(FrontEndState, StarsAgeWithTheMenuTicks) {
  MenuScreen = SCREEN_MAP;
  StoryProgressAtStart = 1;
  HighScores.profile.storyProgress = 2;
  EnterFrontEnd(0);
  ASSERT_EQ(ActiveStars(), 51);
  Ticks(700); // the longest star life is 699 ticks
  EXPECT_EQ(ActiveStars(), 0);
}
} // namespace
