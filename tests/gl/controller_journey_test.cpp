// The game played with a game controller only. One of SDL's virtual pads drives
// the real event path: the platform layer's controller events, the window
// procedure, the frame driver; frames run as the message loop runs them, on the
// real clock. Through the menus into an arcade game that is steered, pulled,
// turned, paused and left; over the story map into a level where an item is used
// and the pad is unplugged and plugged in again; and a new high score's name.
// The screens on the way are kept as pictures.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/window.h"
#include "core/files.h"
#include "core/pad.h"
#include "frontend/level_map.h"
#include "frontend/menu.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/options.h"
#include "game/pull.h"
#include "game/state.h"
#include "game_screen_support.h"
#include "gl_fixture.h"
#include "platform/platform.h"
#include "ui/labels.h"

using namespace screen_test;

namespace {

// A pad with SDL's game-controller layout: button n is PadButton n.
class VirtualPad {
public:
  bool Attach() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.nbuttons = PAD_BUTTONS;
    desc.naxes = 6;
    desc.name = "Quorbels test pad";
    index_ = SDL_JoystickAttachVirtualEx(&desc);
    stick_ = index_ >= 0 ? SDL_JoystickOpen(index_) : nullptr;
    return stick_ != nullptr;
  }
  void Detach() {
    if (stick_) SDL_JoystickClose(stick_);
    stick_ = nullptr;
    if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
    index_ = -1;
  }
  void Set(PadButton b, bool down) {
    SDL_JoystickSetVirtualButton(stick_, static_cast<int>(b), down ? 1 : 0);
  }
  void Stick(int16_t x, int16_t y) {
    SDL_JoystickSetVirtualAxis(stick_, 0, x);
    SDL_JoystickSetVirtualAxis(stick_, 1, y);
  }

private:
  int index_ = -1;
  SDL_Joystick* stick_ = nullptr;
};

class ControllerJourney : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    MissingData = InitializeRealGame();
    // A bare X server has no window manager to give the test window the focus, and
    // SDL passes controller input only to a focused program unless told otherwise.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  }

  void SetUp() override {
    ASSERT_TRUE(MissingData.empty()) << "the data set lacks " << MissingData;
    ASSERT_TRUE(OpenGameTestWindow());
    ResetShellCalls();
    const uint8_t options[OPTIONS_SIZE] = {0, 1, 0, 1, 4, 0, 0};
    std::memcpy(Options, options, sizeof options);
    HighScores = HighScoreRecord{};
    HighScores.profile.storyProgress = 1;
    std::memset(ItemSlots, 0, sizeof ItemSlots);
    std::memset(Keys, 0, sizeof Keys);
    LastInsertSize = LastInsertIndex = -1;
    StoryIntroSeen = 0;
    GameWindow.visible = 1;
    ListenToSounds();
    ASSERT_TRUE(pad.Attach()) << SDL_GetError();
    ASSERT_TRUE(RunUntil([] { return PadsConnected == 1; }, 2000)) << "the pad did not arrive";
  }
  void TearDown() override {
    pad.Detach();
    Run(100);
    SetSoundObserver(nullptr);
    ReleaseCursor();
    TopMode = MODE_FRONTEND;
    MenuScreen = SCREEN_MAIN;
    ResetTestFrame();
  }

  // One turn of the message loop: every waiting event through the window
  // procedure, then a frame at the system time, presented.
  void Turn() {
    PlatformEvent e;
    while (PlatformPollEvent(e))
      if (e.type != EventType::Quit) GameWindowProc(GameWindow, e);
    PlatformClearBars();
    FrameUpdate(PlatformTicks());
    PlatformSwapBuffers();
  }
  void Run(uint32_t ms) {
    const uint32_t end = PlatformTicks() + ms;
    do Turn();
    while (static_cast<int32_t>(PlatformTicks() - end) < 0);
  }
  bool RunUntil(const std::function<bool()>& done, uint32_t ms) {
    const uint32_t end = PlatformTicks() + ms;
    while (!done()) {
      if (static_cast<int32_t>(PlatformTicks() - end) >= 0) return false;
      Turn();
    }
    return true;
  }
  void Press(PadButton b) {
    pad.Set(b, true);
    Run(40);
    pad.Set(b, false);
    Run(60);
  }
  // Presses a d-pad direction until the pointer rests on the label `id` (as the
  // last frame drew it); false after `presses` presses.
  bool StepTo(PadButton direction, int32_t id, int presses = 6) {
    for (int n = 0; n < presses && HoverId != id; ++n) Press(direction);
    return HoverId == id;
  }
  // The picture of the next frame, kept as an artefact.
  void Keep(const std::string& name) {
    PlatformClearBars();
    FrameUpdate(PlatformTicks());
    SaveArtifact("pad_" + name);
    PlatformSwapBuffers();
  }
  void EnterMainMenu() {
    MenuScreen = SCREEN_MAIN;
    SlidePos = SlideTarget = 0;
    TopMode = MODE_ENTER_FRONTEND;
    MouseX = MouseY = 0;
    Run(1400); // the fade-in
  }
  // Whether a stone can be pulled over the anchor now.
  static bool Pullable() {
    const Grip grip = FindGrip();
    if (!grip.found) return false;
    for (int i = 0; i < 4; ++i)
      if (StoneRing.dropProgress[i] != 0) return false;
    const int i = grip.stone;
    return StoneRing.dropLands[i] == 1 ? StoneRing.appearTimer[i] <= 150 : StoneRing.appearTimer[i] == 0;
  }

  VirtualPad pad;
  static inline std::string MissingData;
};

} // namespace

TEST_F(ControllerJourney, MenusToAnArcadeGameSteeredPulledTurnedPausedAndLeft) {
  EnterMainMenu();
  Press(PadButton::DpadDown);
  EXPECT_EQ(HoverId, MAIN_STORY_ID) << "from nowhere, down finds the first label";
  ASSERT_TRUE(StepTo(PadButton::DpadDown, MAIN_ARCADE_ID));
  Keep("main_menu");
  Press(PadButton::A);
  ASSERT_EQ(MenuScreen, SCREEN_CYLINDER);
  Run(700);
  ASSERT_TRUE(StepTo(PadButton::DpadDown, CYLINDER_10_ID, 1));
  ASSERT_TRUE(StepTo(PadButton::DpadRight, CYLINDER_12_ID, 1));
  Press(PadButton::A);
  ASSERT_EQ(MenuScreen, SCREEN_THEME);
  EXPECT_EQ(ArcadeCylinderSize, 12);
  Run(700);
  Press(PadButton::B);
  EXPECT_EQ(MenuScreen, SCREEN_CYLINDER) << "B takes the theme panel's \"Back\"";
  Run(700);
  Press(PadButton::A); // the pointer is still on "12"
  ASSERT_EQ(MenuScreen, SCREEN_THEME);
  Run(700);
  ASSERT_TRUE(StepTo(PadButton::DpadUp, THEME_FIRST_ID));
  Keep("theme");
  Press(PadButton::A);
  ASSERT_TRUE(RunUntil([] { return TopMode == MODE_GAME; }, 1000)) << "no game started";

  // The instructions shown at the start: Start plays.
  Run(200);
  ASSERT_EQ(CurrentGame.helpShown, 1);
  Press(PadButton::Start);
  ASSERT_EQ(CurrentGame.helpShown, 0);
  Run(400);

  // The stick moves the anchor as the mouse does; the d-pad a column at a time.
  MouseX = 300;
  Run(100);
  const int32_t before = Anchor.column;
  pad.Stick(32767, 0);
  Run(400);
  pad.Stick(0, 0);
  Run(60);
  EXPECT_GT(Anchor.column, before) << "the stick moved the pointer to " << MouseX;
  int32_t column = Anchor.column;
  for (int n = 0; n < 2; ++n) {
    Press(PadButton::DpadLeft);
    EXPECT_EQ(Anchor.column, column - 1);
    column = Anchor.column;
  }

  // A pulls the stone above the anchor.
  ASSERT_TRUE(RunUntil(Pullable, 10000)) << "no stone came over the anchor";
  Press(PadButton::A);
  EXPECT_EQ(Played(SND_ANKER), 1);
  // X turns the stones, Y reverses their flight.
  const int32_t rotation = StoneRing.rotation;
  Press(PadButton::X);
  Run(200);
  EXPECT_EQ(StoneRing.rotation, (rotation + 1) % 4);
  const bool forward = StoneRing.speed > 0;
  Press(PadButton::Y);
  EXPECT_NE(StoneRing.speed > 0, forward);
  Keep("arcade");

  // Start pauses; the dialog's "No" is reached with the d-pad and clicked with A.
  Press(PadButton::Start);
  ASSERT_EQ(CurrentGame.paused, 1);
  Press(PadButton::DpadUp);
  ASSERT_TRUE(StepTo(PadButton::DpadRight, DIALOG_NO_ID, 2));
  Keep("pause");
  Press(PadButton::A);
  EXPECT_EQ(CurrentGame.paused, 0);
  Run(600);
  // Paused again and left through "Yes".
  Press(PadButton::Start);
  ASSERT_EQ(CurrentGame.paused, 1);
  Press(PadButton::DpadUp);
  ASSERT_TRUE(StepTo(PadButton::DpadLeft, DIALOG_YES_ID, 2));
  Press(PadButton::A);
  ASSERT_TRUE(RunUntil([] { return TopMode == MODE_FRONTEND; }, 2000));
  EXPECT_EQ(MenuScreen, SCREEN_MAIN);
}

TEST_F(ControllerJourney, StoryMapToALevelWhereAnItemIsUsedAndThePadUnplugged) {
  ItemSlots[0] = Potion;
  EnterMainMenu();
  Press(PadButton::DpadDown);
  ASSERT_EQ(HoverId, MAIN_STORY_ID);
  Press(PadButton::A);
  ASSERT_EQ(MenuScreen, SCREEN_MAP);
  Run(1400);
  // The introduction first: its "Ok", then the first level's spot.
  ASSERT_TRUE(StepTo(PadButton::DpadDown, MAP_INTRO_OK_ID));
  Press(PadButton::A);
  ASSERT_EQ(StoryIntroSeen, 1);
  const int spotX = LevelSpots[0][0], spotY = LevelSpots[0][1];
  for (int n = 0; n < 8 && HoverSpot != 1; ++n) {
    const int dx = spotX - MouseX, dy = spotY - MouseY;
    if (std::abs(dx) > std::abs(dy))
      Press(dx > 0 ? PadButton::DpadRight : PadButton::DpadLeft);
    else
      Press(dy > 0 ? PadButton::DpadDown : PadButton::DpadUp);
  }
  ASSERT_EQ(HoverSpot, 1) << "the pointer is at " << MouseX << ", " << MouseY;
  Keep("map");
  Press(PadButton::A);
  ASSERT_TRUE(RunUntil([] { return TopMode == MODE_GAME; }, 1000)) << "the level did not start";
  EXPECT_EQ(CurrentGame.level, 0);
  Run(200);
  Press(PadButton::Start); // past the instructions
  Run(400);

  // The left shoulder uses slot 1: the potion fills the meter.
  LevelMeter.value = 30;
  Press(PadButton::LeftShoulder);
  EXPECT_EQ(ItemSlots[0], ITEM_NONE);
  EXPECT_GT(LevelMeter.value, 99.0f);
  Keep("item_used");

  // Unplugged, the pad leaves the game paused; plugged in again, B goes on.
  pad.Detach();
  ASSERT_TRUE(RunUntil([] { return PadsConnected == 0; }, 2000));
  EXPECT_EQ(CurrentGame.paused, 1);
  Keep("unplugged");
  ASSERT_TRUE(pad.Attach());
  ASSERT_TRUE(RunUntil([] { return PadsConnected == 1; }, 2000));
  Press(PadButton::B);
  EXPECT_EQ(CurrentGame.paused, 0);
}

TEST_F(ControllerJourney, ANewHighScoreIsNamedWithThePad) {
  Options[OPT_SHOW_HELP] = 0;
  StartLevelIndex = ARCADE_LEVEL;
  ArcadeCylinderSize = 8;
  ChosenTheme = 3;
  TopMode = MODE_START_GAME;
  Run(300);
  ASSERT_EQ(TopMode, MODE_GAME);
  // The construction reaches the danger line (played to the end this would take minutes).
  CurrentGame.score = 777;
  CurrentGame.gameOver = 1;
  ASSERT_TRUE(RunUntil([] { return NameEntryActive == 1; }, 3000)) << "no name entry";
  Keep("name_entry");
  auto repeat = [&](PadButton b, int n) {
    for (int k = 0; k < n; ++k) Press(b);
  };
  Press(PadButton::DpadUp);        // B
  Press(PadButton::A);             // "B"
  repeat(PadButton::DpadUp, 13);   // O
  Press(PadButton::DpadRight);     // "BO"
  Press(PadButton::DpadRight);     // "BOO"
  Press(PadButton::B);             // "BO"
  repeat(PadButton::DpadDown, 13); // B
  Press(PadButton::A);             // "BOB"
  EXPECT_EQ(PlayerName, "BOB");
  Keep("name_typed");
  Press(PadButton::Start);
  ASSERT_TRUE(RunUntil([] { return TopMode == MODE_FRONTEND; }, 2000));
  EXPECT_EQ(MenuScreen, SCREEN_SIDE) << "the hall of fame shows the new entry";
  ASSERT_EQ(LastInsertSize, 8);
  EXPECT_EQ(EntryName(HighScores.tables[0][LastInsertIndex]), "BOB");
  EXPECT_EQ(HighScores.tables[0][LastInsertIndex].score, 777);
  Run(300);
  Keep("hall_of_fame");
  // B takes the hall of fame's "ok" back to the main menu.
  Press(PadButton::B);
  EXPECT_EQ(SlideTarget, 0);
}
