#include "app/program.h"

#include <cstring>
#include <ctime>

#include "app/command_line.h"
#include "app/desktop.h"
#include "app/loader.h"
#include "app/pad_input.h"
#include "app/window.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "core/files.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "platform/platform.h"
#include "render/gl_state.h"

uint8_t AudioStarted = 0;

namespace {
// What RunProgram returns: set to 1 by every failure that ends the program.
int ExitStatus = 0;

// Keys that fire an action on every frame they are held, in the order they are checked.
struct HeldKeyAction {
  uint8_t vk;
  uint8_t action;
};
constexpr HeldKeyAction HELD_KEY_ACTIONS[] = {
    {112, 4}, {113, 5}, {114, 6},                       // F1..F3: item slots
    {27, 7},                                            // Esc: pause
    {116, 8}, {117, 9}, {118, 10}, {119, 11}, {120, 12} // F5..F9: themes
};
constexpr uint8_t ACTION_ITEM_FIRST = 4; // F1
constexpr uint8_t ACTION_ITEM_LAST = 6;  // F3
constexpr uint8_t VK_SPACE = 32;
constexpr uint8_t VK_CONTROL = 17;
constexpr uint8_t SPACE_REPEAT_TICKS = 40;
constexpr uint8_t CTRL_REPEAT_TICKS = 20;

} // namespace

void RunMessageLoop(GL_Window& window) {
  for (;;) {
    PlatformEvent event;
    if (PlatformPollEvent(event)) {
      if (event.type == EventType::Quit) return;
      GameWindowProc(window, event);
    } else if (window.visible == 0) {
      // Minimised: sleep until something happens; game time goes on meanwhile.
      PlatformWaitEvent();
    } else if (!PlatformBeginFrame()) {
      // Early for the display: sleep until the frame is due or an event arrives.
      PlatformWaitForFrame();
    } else {
      PlatformClearBars();
      FrameUpdate(PlatformTicks());
      if (LoadingActive == 0) PlatformPresentFrame();
    }
  }
}

void DescribeGameWindow(uint8_t fullScreen) {
  GameApplication.className = "OpenGL";
  GameWindow = GL_Window{};
  GameWindow.keys = Keys;
  GameWindow.init.application = &GameApplication;
  GameWindow.init.title = "quorbels";
  GameWindow.init.width = PICTURE_WIDTH;
  GameWindow.init.height = PICTURE_HEIGHT;
  GameWindow.init.bitsPerPixel = 32;
  GameWindow.init.fullScreen = fullScreen;
}

int RunProgram() {
  DescribeGameWindow(1);

  std::memset(Keys, 0, sizeof Keys);
  std::memset(KeyPresses, 0, sizeof KeyPresses);
  DisplaySwitchRequested = 0;
  ExitStatus = 0;

  BaseDir = ProgramDirectory();
  SeedRandom(static_cast<uint64_t>(std::time(nullptr)) * 1000u + PlatformTicks());

  // A second copy on the same saves would overwrite the first one's progress at exit.
  if (!ClaimSaveFolder()) return 1;

  ReadOptionsFile();
  // --fullscreen / --windowed choose this run's display; the saved option is left as it is.
  GameWindow.init.fullScreen = FullscreenForThisRun(Options[OPT_FULLSCREEN]);

  // The window class must be named before the video starts: SDL reads it only then.
  NameGameToDesktop();
  // Without a display the game would run unseen until killed.
  if (!PlatformInitVideo()) {
    PlatformMessageBox(PlatformVideoFailure(), "Error", MessageIcon::Error);
    return 1;
  }
  if (!RegisterGameWindowClass(GameApplication)) {
    PlatformMessageBox("Error Registering Window Class!", "Error", MessageIcon::Exclamation);
    return -1;
  }

  ProgramRunning = 1;
  WantFullscreen = GameWindow.init.fullScreen;
  // --no-pacing draws this run's frames back to back.
  PlatformSetFramePacing(CommandLine.framePacing != 0);
  while (ProgramRunning == 1) {
    GameWindow.init.fullScreen = WantFullscreen;
    if (OpenGameWindow(GameWindow)) {
      if (InitializeGame())
        RunMessageLoop(GameWindow);
      else
        QuitProgram();
      ShutdownGame();
      CloseGameWindow(GameWindow);
    } else {
      PlatformMessageBox("No OpenGL - No Fun!", "Error", MessageIcon::Exclamation);
      ProgramRunning = 0;
      ExitStatus = 1;
      // The window of a display switch could not be made: the program ends here,
      // so the exit sequence the switch skipped runs now and nothing is lost.
      if (RestartPending != 0) {
        RestartPending = 0;
        ShutdownGame();
      }
    }
  }

  UnregisterGameWindowClass(GameApplication);
  return ExitStatus;
}

bool InitializeGame() {
  InitGLState();
  if (AudioStarted == 0) {
    StartAudio();
    AudioStarted = 1;
  }
  LoadAssets();
  // The window of a display switch is up and loaded again: from here on an exit
  // must save, even if the player never confirms the options screen.
  RestartPending = 0;
  return true;
}

void ShutdownGame() {
  if (RestartPending != 0) return;
  // The failure has been reported; the exit status says it too.
  if (!SaveHighScoreFile()) ExitStatus = 1;
  ReleaseModels();
  RestartPending = 0;
  StopAudio();
}

void FrameUpdate(uint32_t now) {
  // A key counts as down in this frame when it is held now or was pressed since
  // the last frame: a quick tap between two slow frames is not lost. Presses made
  // while loading are dropped with the frame.
  auto down = [](int vk) { return Keys[vk] != 0 || KeyPresses[vk] != 0; };
  if (LoadingActive == 1) {
    std::memset(KeyPresses, 0, sizeof KeyPresses);
    return;
  }
  PadFrame(now);
  if (down(VK_SPACE) && SpaceRepeatTimer == 0) {
    ShellCalls.dispatchAction(2);
    SpaceRepeatTimer = SPACE_REPEAT_TICKS;
  }
  if (down(VK_CONTROL) && CtrlRepeatTimer == 0) {
    ShellCalls.dispatchAction(3);
    CtrlRepeatTimer = CTRL_REPEAT_TICKS;
  }
  for (const HeldKeyAction& held : HELD_KEY_ACTIONS) {
    // The item keys act on the game being played; outside one the game state is
    // that of no game (or of the last one), and using an item there would only
    // destroy it.
    if (held.action >= ACTION_ITEM_FIRST && held.action <= ACTION_ITEM_LAST && TopMode != MODE_GAME) continue;
    if (down(held.vk)) ShellCalls.dispatchAction(held.action);
  }
  if (NameEntryActive == 1) {
    for (int vk = 0; vk < 256; ++vk) {
      if (down(vk)) ShellCalls.nameEntryKey(vk);
    }
  }
  std::memset(KeyPresses, 0, sizeof KeyPresses);
  DispatchFrame(now);
  if (DisplaySwitchRequested == 1) {
    DisplaySwitchRequested = 0;
    ToggleFullscreen();
  }
}

void DispatchFrame(uint32_t now) {
  if (LoadingActive == 1) return;
  if (TopMode == MODE_START_GAME) {
    TopMode = MODE_GAME;
    ShellCalls.startLevel(StartLevelIndex, static_cast<int32_t>(PlatformTicks()));
  }
  if (TopMode == MODE_ENTER_FRONTEND) {
    TopMode = MODE_FRONTEND;
    ShellCalls.enterFrontEnd(PlatformTicks());
  }
  if (MultisampleEnabled == 1) EnableMultisample(true);
  if (TopMode == MODE_GAME) GameFrame(now);
  if (TopMode == MODE_FRONTEND) ShellCalls.menuFrame(now);
}

void GameFrame(uint32_t now) {
  // Whole 10 ms periods since the game started, minus the ticks already run; the
  // clock wraps, so the difference is taken in 32 bits.
  int32_t elapsed = static_cast<int32_t>(now - static_cast<uint32_t>(CurrentGame.startTime));
  int32_t n = DivTrunc(elapsed, 10) - CurrentGame.tick;
  for (int32_t i = 0; i < n; ++i) ShellCalls.gameTick();
  ShellCalls.drawGameScene();
  if (HoverId != PrevGameHoverId && HoverId != 0) ShellCalls.playSample(SND_MOVER);
  PrevGameHoverId = HoverId;
}

void ToggleFullscreen() {
  RestartPending = 1;
  PlatformPostToggleDisplay();
}
