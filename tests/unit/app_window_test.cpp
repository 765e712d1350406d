// The window procedure: the key table, the pointer, mouse buttons as actions or
// front-end clicks, muting while minimised or inactive, closing and the display
// switch message. Events are fed in directly, as the message loop does.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/program.h"
#include "app/window.h"
#include "assets/sound.h"
#include "core/pad.h"
#include "game/options.h"
#include "platform/platform.h"

namespace {
struct Click {
  char kind; // 'a' action, 'm' menu click, 'g' / 'f' pad button in a game / the front-end, 'p' pause
  int code;
  int32_t x, y; // the pointer the handler saw
};
std::vector<Click> Clicks;
std::vector<SoundRequest> Volumes;

void RecordAction(uint8_t code) {
  Clicks.push_back({'a', code, MouseX, MouseY});
}
void RecordMenuClick() {
  Clicks.push_back({'m', 0, MouseX, MouseY});
}
void RecordPadInGame(PadButton b) {
  Clicks.push_back({'g', static_cast<int>(b), MouseX, MouseY});
}
void RecordPadInMenu(PadButton b) {
  Clicks.push_back({'f', static_cast<int>(b), MouseX, MouseY});
}
void RecordPause() {
  Clicks.push_back({'p', 0, MouseX, MouseY});
}
void RecordSound(const SoundRequest& r) {
  if (r.op == SoundRequest::StreamVolume || r.op == SoundRequest::SampleVolume) Volumes.push_back(r);
}

PlatformEvent Event(EventType type, int vk = 0, int button = 0, int x = 0, int y = 0) {
  PlatformEvent e;
  e.type = type;
  e.vk = vk;
  e.button = button;
  e.x = x;
  e.y = y;
  return e;
}

class WindowProc : public testing::Test {
protected:
  GL_Window window{};
  void SetUp() override {
    Clicks.clear();
    Volumes.clear();
    ResetShellCalls();
    ShellCalls.dispatchAction = RecordAction;
    ShellCalls.menuClick = RecordMenuClick;
    ShellCalls.padGameButton = RecordPadInGame;
    ShellCalls.padMenuButton = RecordPadInMenu;
    ShellCalls.pauseGame = RecordPause;
    SetSoundObserver(RecordSound);
    window = GL_Window{};
    window.keys = Keys;
    window.visible = 1;
    std::memset(Keys, 0, sizeof Keys);
    MouseX = MouseY = 0;
    TopMode = MODE_GAME;
  }
  void TearDown() override {
    ResetShellCalls();
    SetSoundObserver(nullptr);
    TopMode = MODE_GAME;
  }
  // The two global volumes requested since the last call: {stream, sample}.
  std::vector<int> TakeVolumes() {
    std::vector<int> v;
    for (const SoundRequest& r : Volumes)
      v.push_back((r.op == SoundRequest::StreamVolume ? 1000 : 2000) + r.value);
    Volumes.clear();
    return v;
  }
};
} // namespace

TEST_F(WindowProc, KeysAreHeldBetweenDownAndUp) {
  EXPECT_EQ(GameWindowProc(window, Event(EventType::KeyDown, 65)), 0);
  EXPECT_EQ(GameWindowProc(window, Event(EventType::KeyDown, 255)), 0);
  EXPECT_EQ(Keys[65], 1);
  EXPECT_EQ(Keys[255], 1);
  GameWindowProc(window, Event(EventType::KeyUp, 65));
  EXPECT_EQ(Keys[65], 0);
  EXPECT_EQ(Keys[255], 1);
  // Codes outside the table are ignored, not written past it.
  uint8_t before[256];
  std::memcpy(before, Keys, sizeof before);
  GameWindowProc(window, Event(EventType::KeyDown, 256));
  GameWindowProc(window, Event(EventType::KeyDown, -1));
  GameWindowProc(window, Event(EventType::KeyUp, 1000));
  EXPECT_EQ(std::memcmp(before, Keys, sizeof before), 0);
}

TEST_F(WindowProc, TheLeftButtonPullsInAGameAndClicksInTheFrontEnd) {
  TopMode = MODE_GAME;
  GameWindowProc(window, Event(EventType::ButtonDown, 0, 0, 123, 456));
  TopMode = MODE_FRONTEND;
  GameWindowProc(window, Event(EventType::ButtonDown, 0, 0, 700, 20));
  TopMode = MODE_START_GAME;
  GameWindowProc(window, Event(EventType::ButtonDown, 0, 0, 1, 2));
  ASSERT_EQ(Clicks.size(), 2u);
  // The press position is stored before the handler runs, without a move before it.
  EXPECT_EQ(Clicks[0].kind, 'a');
  EXPECT_EQ(Clicks[0].code, 0);
  EXPECT_EQ(Clicks[0].x, 123);
  EXPECT_EQ(Clicks[0].y, 456);
  EXPECT_EQ(Clicks[1].kind, 'm');
  EXPECT_EQ(Clicks[1].x, 700);
  EXPECT_EQ(Clicks[1].y, 20);
  EXPECT_EQ(MouseX, 1);
  EXPECT_EQ(MouseY, 2);
}

TEST_F(WindowProc, RightAndMiddleButtonsAreActionsInEveryMode) {
  for (uint8_t mode : {MODE_GAME, MODE_FRONTEND, MODE_START_GAME, MODE_ENTER_FRONTEND}) {
    TopMode = mode;
    GameWindowProc(window, Event(EventType::ButtonDown, 0, 1, 10, 20));
    GameWindowProc(window, Event(EventType::ButtonDown, 0, 2, 30, 40));
  }
  ASSERT_EQ(Clicks.size(), 8u);
  for (size_t i = 0; i < Clicks.size(); ++i) {
    EXPECT_EQ(Clicks[i].kind, 'a');
    EXPECT_EQ(Clicks[i].code, i % 2 == 0 ? 1 : 2);
    EXPECT_EQ(Clicks[i].x, i % 2 == 0 ? 10 : 30);
  }
}

TEST_F(WindowProc, MovesStoreThePointerWithoutAnyAction) {
  GameWindowProc(window, Event(EventType::MouseMove, 0, 0, 799, 599));
  EXPECT_EQ(MouseX, 799);
  EXPECT_EQ(MouseY, 599);
  GameWindowProc(window, Event(EventType::MouseMove, 0, 0, 65535, 0));
  EXPECT_EQ(MouseX, 65535);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(WindowProc, MinimisingMutesAndStopsFramesRestoringAppliesTheOptions) {
  Options[OPT_MUSIC_VOLUME] = 7;
  Options[OPT_SOUND_VOLUME] = 3;
  GameWindowProc(window, Event(EventType::Minimised));
  EXPECT_EQ(window.visible, 0);
  EXPECT_EQ(TakeVolumes(), (std::vector<int>{1000, 2000}));
  GameWindowProc(window, Event(EventType::Restored));
  EXPECT_EQ(window.visible, 1);
  EXPECT_EQ(TakeVolumes(), (std::vector<int>{1070, 2030}));
}

TEST_F(WindowProc, ComingBackFromAnotherProgramUsesTheCurrentOptions) {
  Options[OPT_MUSIC_VOLUME] = 9;
  Options[OPT_SOUND_VOLUME] = 9;
  GameWindowProc(window, Event(EventType::FocusLost));
  EXPECT_EQ(TakeVolumes(), (std::vector<int>{1000, 2000}));
  EXPECT_EQ(window.visible, 1); // inactive is not minimised: frames go on
  Options[OPT_MUSIC_VOLUME] = 2;
  Options[OPT_SOUND_VOLUME] = 0;
  GameWindowProc(window, Event(EventType::FocusGained));
  EXPECT_EQ(TakeVolumes(), (std::vector<int>{1020, 2000}));
}

TEST_F(WindowProc, TheScreenSaverIsHeldOffOnlyWhileTheWindowIsInFront) {
  ASSERT_TRUE(PlatformInitVideo());
  window.active = 1;
  struct Step {
    EventType event;
    bool allowed;
  };
  const Step steps[] = {
      {EventType::FocusLost, true}, {EventType::FocusGained, false}, {EventType::Minimised, true},
      {EventType::FocusLost, true}, {EventType::Restored, true},     {EventType::FocusGained, false},
      {EventType::Minimised, true}, {EventType::Restored, false},
  };
  PlatformAllowScreenSaver(false);
  for (const Step& step : steps) {
    SCOPED_TRACE(static_cast<int>(step.event));
    GameWindowProc(window, Event(step.event));
    EXPECT_EQ(PlatformScreenSaverAllowed(), step.allowed);
  }
}

TEST_F(WindowProc, LosingTheFocusOrThePadPausesAGameOnly) {
  for (uint8_t mode : {MODE_GAME, MODE_FRONTEND, MODE_START_GAME}) {
    TopMode = mode;
    GameWindowProc(window, Event(EventType::FocusLost));
    GameWindowProc(window, Event(EventType::FocusGained));
    GameWindowProc(window, Event(EventType::PadAdded, 0, 0, 1));
    GameWindowProc(window, Event(EventType::PadRemoved, 0, 0, 0));
  }
  ASSERT_EQ(Clicks.size(), 2u);
  EXPECT_EQ(Clicks[0].kind, 'p');
  EXPECT_EQ(Clicks[1].kind, 'p');
}

TEST_F(WindowProc, PadButtonsAreHeldAndGoToTheGameOrTheFrontEnd) {
  GameWindowProc(window, Event(EventType::PadAdded, 0, 0, 2));
  EXPECT_EQ(PadsConnected, 2);
  const int a = static_cast<int>(PadButton::A), start = static_cast<int>(PadButton::Start);
  TopMode = MODE_GAME;
  GameWindowProc(window, Event(EventType::PadButtonDown, 0, a));
  EXPECT_TRUE(PadDown(PadButton::A));
  TopMode = MODE_FRONTEND;
  GameWindowProc(window, Event(EventType::PadButtonDown, 0, start));
  TopMode = MODE_START_GAME; // between the two: nobody takes it
  GameWindowProc(window, Event(EventType::PadButtonDown, 0, a));
  GameWindowProc(window, Event(EventType::PadButtonDown, 0, PAD_BUTTONS)); // no such button
  GameWindowProc(window, Event(EventType::PadButtonUp, 0, a));
  EXPECT_FALSE(PadDown(PadButton::A));
  EXPECT_TRUE(PadDown(PadButton::Start));
  ASSERT_EQ(Clicks.size(), 2u);
  EXPECT_EQ(Clicks[0].kind, 'g');
  EXPECT_EQ(Clicks[0].code, a);
  EXPECT_EQ(Clicks[1].kind, 'f');
  EXPECT_EQ(Clicks[1].code, start);

  GameWindowProc(window, Event(EventType::PadStick, 0, 0, 40000, -20000));
  EXPECT_EQ(PadStickX, 32767);
  EXPECT_EQ(PadStickY, -20000);
  // A pad unplugged lets go of everything it held.
  GameWindowProc(window, Event(EventType::PadRemoved, 0, 0, 1));
  EXPECT_EQ(PadsConnected, 1);
  EXPECT_FALSE(PadDown(PadButton::Start));
  EXPECT_EQ(PadStickX, 0);
  EXPECT_EQ(PadStickY, 0);
  GameWindowProc(window, Event(EventType::PadRemoved, 0, 0, 0));
}

TEST_F(WindowProc, ScreenSaverRequestsAreRefusedQuietly) {
  uint8_t before = window.visible;
  EXPECT_EQ(GameWindowProc(window, Event(EventType::ScreenSaver)), 0);
  EXPECT_EQ(window.visible, before);
  EXPECT_TRUE(Clicks.empty());
  EXPECT_TRUE(Volumes.empty());
}

TEST_F(WindowProc, CloseEndsTheProgramThroughTheQuitMessage) {
  ASSERT_TRUE(PlatformInitVideo());
  PlatformEvent e;
  while (PlatformPollEvent(e)) {
  }
  ProgramRunning = 1;
  GameWindowProc(window, Event(EventType::Close));
  EXPECT_EQ(ProgramRunning, 0);
  ASSERT_TRUE(PlatformPollEvent(e));
  EXPECT_EQ(e.type, EventType::Quit);
  EXPECT_FALSE(PlatformPollEvent(e));
}

TEST_F(WindowProc, TheDisplaySwitchMessageFlipsTheModeAndEndsTheMessageLoop) {
  ASSERT_TRUE(PlatformInitVideo());
  PlatformEvent e;
  while (PlatformPollEvent(e)) {
  }
  ProgramRunning = 1;
  WantFullscreen = 0;
  ToggleFullscreen();
  EXPECT_EQ(RestartPending, 1);
  ASSERT_TRUE(PlatformPollEvent(e));
  ASSERT_EQ(e.type, EventType::ToggleDisplay);
  GameWindowProc(window, e);
  EXPECT_EQ(WantFullscreen, 1);
  ASSERT_TRUE(PlatformPollEvent(e));
  EXPECT_EQ(e.type, EventType::Quit);
  // Unlike a close, the program goes on: the outer loop opens the other window.
  EXPECT_EQ(ProgramRunning, 1);
  GameWindowProc(window, Event(EventType::ToggleDisplay));
  EXPECT_EQ(WantFullscreen, 0);
  while (PlatformPollEvent(e)) {
  }
  RestartPending = 0;
}

TEST(GameWindowOpening, WithoutOpenGLNothingIsLeftOpen) {
  // The unit tests run on SDL's headless video driver, which offers no OpenGL.
  ASSERT_TRUE(PlatformInitVideo());
  GL_Window window{};
  window.keys = Keys;
  window.init.title = "quorbels";
  window.init.width = 800;
  window.init.height = 600;
  window.init.bitsPerPixel = 32;
  window.init.fullScreen = 0;
  Keys[65] = 1;
  EXPECT_FALSE(OpenGameWindow(window));
  EXPECT_EQ(window.windowOpen, 0);
  EXPECT_EQ(window.visible, 0);
  EXPECT_FALSE(PlatformWindowOpen());
  // Closing what was never opened is harmless.
  CloseGameWindow(window);
  EXPECT_FALSE(PlatformWindowOpen());
  Keys[65] = 0;
}

TEST(GameWindowOpening, WithoutADisplayTheStartEndsWithOneClearReason) {
  // Without DISPLAY and WAYLAND_DISPLAY SDL falls back to a headless driver and
  // the game would run unseen until killed. A headless driver asked for by name
  // (as these tests do) is taken.
  struct Case {
    const char* driver; // SDL_VIDEODRIVER, nullptr: unset
    int exitCode;
  };
  for (Case c : {Case{nullptr, 3}, Case{"offscreen", 0}, Case{"dummy", 0}}) {
    SCOPED_TRACE(c.driver ? c.driver : "no driver asked for");
    EXPECT_EXIT(
        {
          PlatformQuitVideo();
          unsetenv("DISPLAY");
          unsetenv("WAYLAND_DISPLAY");
          if (c.driver)
            setenv("SDL_VIDEODRIVER", c.driver, 1);
          else
            unsetenv("SDL_VIDEODRIVER");
          bool started = PlatformInitVideo();
          std::fprintf(stderr, "[%s]\n", PlatformVideoFailure());
          std::_Exit(started ? 0 : 3);
        },
        testing::ExitedWithCode(c.exitCode),
        c.exitCode ? "No display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set" : "\\[\\]");
  }
}
