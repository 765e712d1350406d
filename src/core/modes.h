// The program's modes: which half of the program runs (the game or the front-end),
// which front-end screen shows, and the application shell's run and display-switch
// flags. Any layer may set them; the shell (app/program.cpp) and the front-end
// (frontend/menu.cpp) act on them. This is how the rules end a game, the front-end
// starts one and the options screen asks for a display switch without including
// the layers above them.
#pragma once
#include <cstdint>

// Top-level mode: 0 game, 1 front-end, 100 start a game, 200 enter the front-end.
// The frame driver turns 100 and 200 into a game start or a front-end entry.
enum : uint8_t { MODE_GAME = 0, MODE_FRONTEND = 1, MODE_START_GAME = 100, MODE_ENTER_FRONTEND = 200 };
extern uint8_t TopMode;

// Front-end screen ids.
enum : uint8_t {
  SCREEN_MAIN = 0,
  SCREEN_CYLINDER = 1,
  SCREEN_THEME = 2,
  SCREEN_SIDE = 44,
  SCREEN_MAP = 100,
  SCREEN_SHOP = 110,
};
// The front-end screen. Set by the front-end's clicks, and by whoever switches into
// the front-end (the start-up, the end of a game) together with the strip below.
extern uint8_t MenuScreen;
// The menu strip: main menu, cylinder-size panel, theme panel and side screen lie
// side by side; each is drawn at its home x plus 10 x SlidePos. The strip moves one
// step (10 pixels) per tick towards SlideTarget. Home screens: 0 main menu,
// -60 cylinder size, -120 theme, 80 side screen.
extern int32_t SlidePos;
extern int32_t SlideTarget;

extern uint8_t ProgramRunning;         // the outer window loop continues while 1
extern uint8_t WantFullscreen;         // display mode of the next window opening
extern uint8_t RestartPending;         // a display switch is closing the window
extern uint8_t DisplaySwitchRequested; // performed at the end of the current frame

// Asks the program to end: quit message posted, ProgramRunning := 0.
void QuitProgram();
