// The front-end as the player meets it, through the real drawing: the pointer is
// put where a label is drawn, a frame is drawn (which decides what lies under the
// pointer) and the button is pressed. Every screen is kept as a picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/loader.h"
#include "app/program.h"
#include "app/window.h"
#include "assets/sound.h"
#include "core/files.h"
#include "frontend/level_map.h"
#include "frontend/menu.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/options.h"
#include "game/state.h"
#include "gl_fixture.h"
#include "platform/platform.h"
#include "support/sound_log.h"
#include "ui/text.h"

namespace {
class FrontEndFlow : public ::testing::Test {
protected:
  // The real catalogue, once for the suite: other GL tests may have put their own
  // textures or widths in place.
  static void SetUpTestSuite() { LoadRealGameData(); }

  void SetUp() override {
    ASSERT_TRUE(OpenGameTestWindow());
    ListenToSounds();
    HighScores = HighScoreRecord{};
    HighScores.profile.storyProgress = 20;
    HighScores.profile.money = 450;
    ItemSlots[0] = ItemSlots[1] = ItemSlots[2] = 0;
    LastInsertSize = LastInsertIndex = -1;
    TopMode = MODE_FRONTEND;
    DisplaySwitchRequested = RestartPending = 0;
    StoryIntroSeen = 0;
    MouseX = MouseY = 0;
    const uint8_t options[7] = {0, 1, 0, 1, 4, 7, 7};
    for (int i = 0; i < 7; ++i) Options[i] = options[i];
    savedBaseDir = BaseDir;
  }
  void TearDown() override {
    SetSoundObserver(nullptr);
    BaseDir = savedBaseDir;
    TopMode = MODE_FRONTEND;
  }

  // Enters the front-end on `screen` with the strip resting at `slide`, and lets the
  // fade and the logos finish.
  void Enter(uint8_t screen, int32_t slide) {
    MenuScreen = screen;
    SlidePos = SlideTarget = slide;
    now = 100000;
    EnterFrontEnd(now);
    Advance(300);
    SoundLog().clear();
  }
  void Frame() { MenuFrame(now); }
  void Advance(int ticks) {
    now += 10u * static_cast<uint32_t>(ticks);
    Frame();
  }
  void PointAt(int x, int y) {
    MouseX = x;
    MouseY = y;
    Frame();
  }
  void ClickAt(int x, int y) {
    PointAt(x, y);
    MenuClick();
  }
  // Labels: the middle of a label centred on `centre`, or starting at `left`.
  void ClickCentred(int centre, int y, int size) { ClickAt(centre, y + size / 2); }
  void ClickLeft(int left, int y, int size, const std::string& text) {
    ClickAt(left + TextWidth(text, size) / 2, y + size / 2);
  }
  void Keep(const std::string& name) {
    Frame();
    SaveArtifact("frontend_" + name);
  }

  uint32_t now = 0;
  std::string savedBaseDir;
};

TEST_F(FrontEndFlow, TitleFadesInAndTheLogosDropIn) {
  MenuScreen = SCREEN_MAIN;
  SlidePos = 60;
  SlideTarget = 0;
  now = 5000;
  EnterFrontEnd(now);
  Frame();
  EXPECT_EQ(PixelAt(400, 300), (Rgb{0, 0, 0})); // fully dark before the first tick
  Keep("title_entering");
  Advance(150);
  Keep("title_logo_dropping");
  EXPECT_EQ(SlidePos, 0);
  Advance(150);
  EXPECT_EQ(FadeLevel, 254);
  EXPECT_NE(PixelAt(400, 150), (Rgb{0, 0, 0}));
  Keep("title_main_menu");
}

TEST_F(FrontEndFlow, ArcadeSetUpThroughTheStripStartsAGame) {
  Enter(SCREEN_MAIN, 0);
  ClickCentred(400, 380, 30); // "Arcade mode"
  EXPECT_EQ(MenuScreen, SCREEN_CYLINDER);
  Advance(30);
  Keep("strip_sliding");
  Advance(30);
  EXPECT_EQ(SlidePos, -60);
  Keep("cylinder_size");
  ClickCentred(342, 417, 30); // "8", at 942 on the strip
  EXPECT_EQ(ArcadeCylinderSize, 8);
  EXPECT_EQ(MenuScreen, SCREEN_THEME);
  Advance(60);
  EXPECT_EQ(SlidePos, -120);
  Keep("theme");
  ClickCentred(400, 429, 30); // "City"
  EXPECT_EQ(TopMode, MODE_START_GAME);
  EXPECT_EQ(StartLevelIndex, ARCADE_LEVEL);
  EXPECT_EQ(ChosenTheme, 2);
  EXPECT_EQ(Played(SND_START), 1);
}

TEST_F(FrontEndFlow, BackLabelsReturnAlongTheStrip) {
  Enter(SCREEN_THEME, -120);
  ClickCentred(400, 562, 20); // "Back"
  EXPECT_EQ(MenuScreen, SCREEN_CYLINDER);
  Advance(60);
  ClickCentred(400, 452, 20); // "Back"
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
  Advance(60);
  EXPECT_EQ(SlidePos, 0);
}

TEST_F(FrontEndFlow, LockedThemesAreGreyAndDoNothing) {
  HighScores.profile.storyProgress = 15;
  Enter(SCREEN_THEME, -120);
  ClickCentred(400, 493, 30); // "Beach"
  ClickCentred(400, 525, 30); // "Mountain"
  EXPECT_EQ(HoverId, 0);
  EXPECT_EQ(TopMode, MODE_FRONTEND);
  EXPECT_EQ(MenuScreen, SCREEN_THEME);
  Keep("theme_locked");

  HighScores.profile.storyProgress = 16;
  ClickCentred(400, 525, 30);
  EXPECT_EQ(TopMode, MODE_FRONTEND);
  ClickCentred(400, 493, 30);
  EXPECT_EQ(TopMode, MODE_START_GAME);
  EXPECT_EQ(ChosenTheme, 4);
}

TEST_F(FrontEndFlow, MountainOpensWithTheMountainRegion) {
  HighScores.profile.storyProgress = 41;
  Enter(SCREEN_THEME, -120);
  ClickCentred(400, 525, 30);
  EXPECT_EQ(TopMode, MODE_START_GAME);
  EXPECT_EQ(ChosenTheme, 5);
}

TEST_F(FrontEndFlow, HallOfFameSlidesInShowsTheNewEntryAndSlidesOut) {
  HighScoreEntry& e = HighScores.tables[1][6];
  e.score = 4321;
  e.nameLength = 5;
  std::copy_n("QUORB", 5, e.name);
  LastInsertSize = 10;
  LastInsertIndex = 6;
  Enter(SCREEN_MAIN, 0);
  ClickCentred(400, 412, 30); // "Hall of fame"
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  Advance(80);
  EXPECT_EQ(SlidePos, 80);
  Keep("hall_of_fame");
  // Main-menu labels are off screen; "ok" slides the screen out.
  ClickCentred(400, 532, 30);
  EXPECT_EQ(SlideTarget, 0);
  Advance(40);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  Keep("hall_of_fame_leaving");
  // The main menu sliding in does not answer yet.
  ClickCentred(400 + 10 * SlidePos, 348, 30);
  EXPECT_EQ(MenuScreen, SCREEN_SIDE);
  Advance(40);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
}

TEST_F(FrontEndFlow, HallOfFameEntryPulsesBetweenRedAndWhite) {
  HighScoreEntry& e = HighScores.tables[0][9];
  e.score = 88888;
  e.nameLength = 4;
  std::copy_n("BEST", 4, e.name);
  LastInsertSize = 8;
  LastInsertIndex = 9;
  Enter(SCREEN_SIDE, 80);
  // Score of rank 1 in SMALL at (180, 280), size 25.
  auto brightestGreen = [&] {
    int best = -1;
    for (int y = 280; y < 305; ++y)
      for (int x = 180; x < 260; ++x) {
        Rgb c = PixelAt(x, y);
        if (c.r > 200 && c.g > best) best = c.g;
      }
    return best;
  };
  MenuTicks = 0;
  MenuStartTime = now;
  now += 79 * 10; // sin(79/50) is 1: yellow
  Frame();
  int yellow = brightestGreen();
  now += 157 * 10; // sin(236/50) is -1: red
  Frame();
  int red = brightestGreen();
  EXPECT_GT(yellow, 200);
  EXPECT_LT(red, 130);
  Keep("hall_of_fame_pulse");
}

TEST_F(FrontEndFlow, InstructionPagesTurnAndOkReturns) {
  Enter(SCREEN_MAIN, 0);
  ClickCentred(400, 444, 30); // "Instructions"
  EXPECT_EQ(InstructionsOpen, 1);
  Advance(80);
  Keep("instructions_page0");
  ClickLeft(40, 522, 30, "<< PREVIOUS PAGE"); // not shown on the first page
  EXPECT_EQ(InstructionsPage, 0);
  for (int page = 1; page <= 3; ++page) {
    ClickLeft(600, 522, 30, "NEXT PAGE >>");
    EXPECT_EQ(InstructionsPage, page);
    Keep("instructions_page" + std::to_string(page));
  }
  ClickLeft(600, 522, 30, "NEXT PAGE >>"); // not shown on the last page
  EXPECT_EQ(InstructionsPage, 3);
  ClickLeft(43, 522, 30, "<< PREVIOUS PAGE");
  EXPECT_EQ(InstructionsPage, 2);
  ClickCentred(400, 522, 30); // "Ok"
  EXPECT_EQ(SlideTarget, 0);
  Advance(80);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
}

TEST_F(FrontEndFlow, OptionsChangeBytesAndOnlyOkWritesTheFile) {
  char pattern[] = "/tmp/quorbels-front-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  std::string dir = pattern;
  mkdir((dir + "/data").c_str(), 0755);
  mkdir((dir + "/data/misc").c_str(), 0755);
  std::string file = dir + "/data/misc/opt.dat";

  Enter(SCREEN_MAIN, 0);
  ClickCentred(400, 476, 30); // "Options"
  ASSERT_EQ(OptionsOpen, 1);
  Advance(80);
  Keep("options");
  BaseDir = dir + "/";
  SoundLog().clear();

  ClickLeft(300 + 20 * 2, 450, 20, "2"); // Music Volume 2
  EXPECT_EQ(Options[OPT_MUSIC_VOLUME], 2);
  ClickLeft(300 + 20 * 9, 500, 20, "9"); // Sound Volume 9
  EXPECT_EQ(Options[OPT_SOUND_VOLUME], 9);
  ClickLeft(300, 400, 20, "0"); // Mouse Speed 0
  EXPECT_EQ(Options[OPT_MOUSE_SPEED], 0);
  ClickLeft(340, 250, 20, "No"); // instructions at start: no
  EXPECT_EQ(Options[OPT_SHOW_HELP], 0);
  ClickLeft(300, 300, 20, "Yes"); // aim help: yes
  EXPECT_EQ(Options[OPT_ARCADE_AIMHELP], 1);
  ClickLeft(340, 350, 20, "No"); // character: no
  EXPECT_EQ(Options[OPT_SHOW_CHARACTER], 0);
  ClickLeft(340, 200, 20, "No"); // already windowed
  EXPECT_EQ(DisplaySwitchRequested, 0);
  ClickAt(700, 100); // empty space
  EXPECT_EQ(Played(SND_SELECT), 8);
  bool volumeApplied = false;
  for (const SoundRequest& r : SoundLog())
    if (r.op == SoundRequest::StreamVolume && r.value == 20) volumeApplied = true;
  EXPECT_TRUE(volumeApplied);
  struct stat st {};
  EXPECT_NE(stat(file.c_str(), &st), 0);
  Keep("options_changed");

  ClickCentred(400, 532, 30); // "ok"
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 0, 1, 0, 0, 2, 9}));
  EXPECT_EQ(SlideTarget, 0);
  Advance(80);
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);

  std::remove(file.c_str());
  rmdir((dir + "/data/misc").c_str());
  rmdir((dir + "/data").c_str());
  rmdir(dir.c_str());
}

TEST_F(FrontEndFlow, OptionsMarkersFollowTheValuesAtOnce) {
  Enter(SCREEN_SIDE, 80);
  OptionsOpen = 1;
  // The red marker of "Music Volume" (y 430 + 19) lies at 298 + 20 x value.
  auto redAt = [&](int x) {
    int count = 0;
    for (int y = 449; y < 469; ++y)
      for (int dx = 0; dx < 20; ++dx) {
        Rgb c = PixelAt(x + dx, y);
        if (c.r > 150 && c.g < 80 && c.b < 80) ++count;
      }
    return count;
  };
  Frame();
  EXPECT_GT(redAt(298 + 140), 5); // value 7
  EXPECT_EQ(redAt(298 + 60), 0);
  ClickLeft(300 + 20 * 3, 450, 20, "3");
  Frame();
  EXPECT_GT(redAt(298 + 60), 5);
  EXPECT_EQ(redAt(298 + 140), 0);
}

TEST_F(FrontEndFlow, QuitEndsTheProgram) {
  Enter(SCREEN_MAIN, 0);
  ProgramRunning = 1;
  ClickCentred(400, 530, 30);
  EXPECT_EQ(ProgramRunning, 0);
  PlatformEvent event;
  bool quitPosted = false;
  while (PlatformPollEvent(event))
    if (event.type == EventType::Quit) quitPosted = true;
  EXPECT_TRUE(quitPosted);
}

TEST_F(FrontEndFlow, ShopShowsWhatTheMoneyCoversAndFillsSlotsInOrder) {
  Enter(SCREEN_SHOP, 0);
  for (int k = 1; k <= 8; ++k) {
    PointAt(80 * k + 40, 322);
    bool affordable = k != 5 && k != 8;
    EXPECT_EQ(HoverId, affordable ? k : 0) << "item " << k;
  }
  Keep("shop_450");
  ClickAt(80 * 5 + 40, 322); // Aimhelp costs 500: grey
  EXPECT_EQ(HighScores.profile.money, 450);
  ClickAt(80 * 3 + 40, 322); // One Tube
  EXPECT_EQ(ItemSlots[0], OneTube);
  EXPECT_EQ(HighScores.profile.money, 250);
  ClickAt(80 * 6 + 40, 322); // Hourglass
  EXPECT_EQ(ItemSlots[1], Hourglass);
  EXPECT_EQ(HighScores.profile.money, 200);
  PointAt(80 * 3 + 40, 322); // 200 still covers One Tube
  EXPECT_EQ(HoverId, 3);
  ClickAt(80 * 4 + 40, 322); // Two Tubes costs 400 now: grey
  EXPECT_EQ(ItemSlots[2], 0);

  ClickAt(320, 473); // sell F1
  EXPECT_EQ(ItemSlots[0], 0);
  EXPECT_EQ(HighScores.profile.money, 250);
  ClickAt(480, 473); // F3 is empty: grey
  EXPECT_EQ(HighScores.profile.money, 250);
  ClickAt(80 * 1 + 40, 322); // One Line goes into F1 again
  EXPECT_EQ(ItemSlots[0], OneLine);
  EXPECT_EQ(ItemSlots[2], 0);
  EXPECT_EQ(Played(SND_BUY), 3);
  EXPECT_EQ(Played(SND_SELL), 1);
  PointAt(600, 300);
  Keep("shop_description");

  ClickCentred(400, 550, 25); // "back to level map"
  EXPECT_EQ(MenuScreen, SCREEN_MAP);
}

TEST_F(FrontEndFlow, ShopHighlightFrameFollowsThePointer) {
  Enter(SCREEN_SHOP, 0);
  auto frameGlow = [&](int x) {
    // The highlight frame adds light over the icon frame's top edge (y 215..218).
    int sum = 0;
    for (int dx = 0; dx < 64; dx += 4) {
      Rgb c = PixelAt(x + dx, 216);
      sum += c.r + c.g + c.b;
    }
    return sum;
  };
  PointAt(400, 100);
  int plain = frameGlow(88);
  PointAt(85, 300);
  EXPECT_GT(frameGlow(88), plain);
  PointAt(720, 300);
  int last = frameGlow(648);
  PointAt(719, 300);
  EXPECT_GT(frameGlow(648), last);
}

TEST_F(FrontEndFlow, SpotHoverRadiusIsElevenPixels) {
  StoryIntroSeen = 1;
  HighScores.profile.storyProgress = 55;
  Enter(SCREEN_MAP, 0);
  PointAt(88 + 11, 286);
  EXPECT_EQ(HoverSpot, 1);
  PointAt(88 + 12, 286);
  EXPECT_EQ(HoverSpot, 0);
  PointAt(298, 337 - 11);
  EXPECT_EQ(HoverSpot, 55);
  Keep("map_all_spots");
}

TEST_F(FrontEndFlow, IntroductionBlocksTheSpotsUntilOk) {
  HighScores.profile.storyProgress = 1;
  Enter(SCREEN_MAP, 0);
  Keep("map_introduction");
  ClickAt(88, 286);
  EXPECT_EQ(HoverSpot, 1); // hovered and heard...
  EXPECT_EQ(Played(SND_MOVER), 1);
  EXPECT_EQ(TopMode, MODE_FRONTEND); // ...but not started
  ClickCentred(400, 442, 25);        // "Ok"
  EXPECT_EQ(StoryIntroSeen, 1);
  PointAt(500, 500);
  Keep("map_first_level_hint");
  ClickAt(88, 286);
  EXPECT_EQ(TopMode, MODE_START_GAME);
  EXPECT_EQ(StartLevelIndex, 0);
  EXPECT_EQ(ChosenTheme, 1);
  EXPECT_EQ(StoryProgressAtStart, 1);
}

TEST_F(FrontEndFlow, MapInfoBoxAndSpeechBubble) {
  StoryIntroSeen = 1;
  HighScores.profile.storyProgress = 30;
  Enter(SCREEN_MAP, 0);
  PointAt(LevelSpots[10][0], LevelSpots[10][1]); // level 11: the bubble sits higher
  EXPECT_EQ(HoverSpot, 11);
  EXPECT_EQ(SpotHasTitle, LevelTable[10].text[0] != 0 ? 1 : 0);
  Keep("map_level_11");
  PointAt(LevelSpots[4][0], LevelSpots[4][1]);
  Keep("map_level_5");
  ClickCentred(659, 223, 25); // "go to Shop"
  EXPECT_EQ(MenuScreen, SCREEN_SHOP);
  Enter(SCREEN_MAP, 0);
  ClickCentred(115, 561, 25); // "Main Menu"
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
  EXPECT_EQ(SlidePos, 60);
}

TEST_F(FrontEndFlow, HoverSoundPlaysOncePerLabelReached) {
  Enter(SCREEN_MAIN, 0);
  PointAt(400, 363); // "Story mode"
  Frame();
  Frame();
  EXPECT_EQ(Played(SND_MOVER), 1);
  PointAt(400, 395); // "Arcade mode"
  EXPECT_EQ(Played(SND_MOVER), 2);
  PointAt(700, 100); // empty space
  PointAt(400, 395);
  EXPECT_EQ(Played(SND_MOVER), 3);
}

TEST_F(FrontEndFlow, ALongFrameCatchesUpWithAllItsTicks) {
  MenuScreen = SCREEN_MAIN;
  SlidePos = 60;
  SlideTarget = 0;
  now = 7000;
  EnterFrontEnd(now);
  Frame();
  EXPECT_EQ(MenuTicks, 0);
  now += 3000; // three seconds away from the program
  Frame();
  EXPECT_EQ(MenuTicks, 300);
  EXPECT_EQ(SlidePos, 0);
  EXPECT_EQ(FadeLevel, 254);
  now += 9; // not yet another whole tick
  Frame();
  EXPECT_EQ(MenuTicks, 300);
}

TEST_F(FrontEndFlow, AFrameTimedJustBeforeEnteringRunsNoTicks) {
  // The frame driver reads its time before it enters the front-end in the same frame.
  MenuScreen = SCREEN_MAIN;
  SlidePos = 60;
  SlideTarget = 0;
  now = 20000;
  EnterFrontEnd(now + 3);
  Frame();
  EXPECT_EQ(MenuTicks, 0);
  EXPECT_EQ(SlidePos, 60);
  // Across the wrap of the 32-bit clock.
  now = 0xFFFFFFF0u;
  EnterFrontEnd(now);
  now += 0x30;
  Frame();
  EXPECT_EQ(MenuTicks, 4);
}

TEST_F(FrontEndFlow, DamagedSaveValuesStayWithinTheScreensTables) {
  // Story progress far beyond the map, unknown item codes, an overlong name length.
  HighScores.profile.storyProgress = 60000;
  ItemSlots[0] = 9;
  ItemSlots[1] = 255;
  HighScoreEntry& e = HighScores.tables[2][9];
  e.nameLength = 255;
  std::fill(std::begin(e.name), std::end(e.name), 'W');
  StoryIntroSeen = 1;
  Enter(SCREEN_MAP, 0);
  PointAt(LevelSpots[54][0], LevelSpots[54][1]);
  EXPECT_EQ(HoverSpot, 55);
  Keep("damaged_map");

  Enter(SCREEN_SHOP, 0);
  PointAt(320, 473); // "sell" under F1 holding code 9: shown as empty
  EXPECT_EQ(HoverId, 0);
  PointAt(400, 473);
  EXPECT_EQ(HoverId, 0);
  Keep("damaged_shop");
  ClickAt(80 * 6 + 40, 322); // an Hourglass goes into the first slot that holds no item
  EXPECT_EQ(ItemSlots[0], Hourglass);
  EXPECT_EQ(ItemSlots[1], 255);

  Enter(SCREEN_SIDE, 80);
  Keep("damaged_hall_of_fame");
  EXPECT_EQ(e.nameLength, 255); // kept as read
}

TEST_F(FrontEndFlow, UnlockedLevelIsCelebratedOnTheMap) {
  StoryIntroSeen = 1;
  HighScores.profile.storyProgress = 2;
  StoryProgressAtStart = 1;
  MenuScreen = SCREEN_MAP;
  now = 2000;
  EnterFrontEnd(now);
  EXPECT_EQ(Played(SND_CHIME), 1);
  Advance(150);
  Keep("map_star_burst");
  StoryProgressAtStart = 0;
}
} // namespace
