// The program's spine: the outer window loop, the message loop, per-window start
// and shutdown, and the per-frame driver that turns held keys into player actions
// and hands each frame to the game or to the front-end. Game logic advances in
// fixed 10 ms ticks computed from elapsed time, never by frame count.
#pragma once
#include <cstdint>

// Top-level mode: 0 game, 1 front-end, 100 start a game, 200 enter the front-end.
enum : uint8_t { MODE_GAME = 0, MODE_FRONTEND = 1, MODE_START_GAME = 100, MODE_ENTER_FRONTEND = 200 };
extern uint8_t TopMode;

extern uint8_t ProgramRunning;         // the outer window loop continues while 1
extern uint8_t WantFullscreen;         // display mode of the next window opening
extern uint8_t RestartPending;         // a display switch is closing the window
extern uint8_t DisplaySwitchRequested; // performed at the end of the current frame
extern uint8_t LoadingActive;          // asset loading: frames and swaps are skipped
extern uint8_t AudioStarted;           // audio started once per process
extern uint8_t SpaceRepeatTimer;       // game ticks before space fires again
extern uint8_t CtrlRepeatTimer;        // game ticks before Ctrl fires again
extern int32_t PrevGameHoverId;        // HoverId at the end of the previous game frame

// The operations of other modules that the frame driver and the window procedure
// call. They point at the real operations; tests put recorders in their place to
// watch the shell on its own (the frame driver never calls these modules otherwise).
struct ShellCallTable {
  void (*startLevel)(uint16_t level, int32_t startTime);
  void (*gameTick)();
  void (*drawGameScene)();
  void (*enterFrontEnd)(uint32_t now);
  void (*menuFrame)(uint32_t now);
  void (*menuClick)();
  void (*dispatchAction)(uint8_t code);
  void (*nameEntryKey)(int vk);
  void (*playSample)(int n);
};
extern ShellCallTable ShellCalls;
// Puts the real operations back into ShellCalls.
void ResetShellCalls();

// The whole program; its result is the process's exit status. 0 after a normal
// end; -1 when the window class cannot be registered; 1 when the program ends on
// a failure it has reported: another copy holds the saves, no display, no OpenGL
// window, or the save at exit failed. (A missing or damaged data file ends the
// process with status 1 at once.)
int RunProgram();
// Describes the game's window in GameWindow (an 800 x 600 picture, 32 bits, the
// "quorbels" title, Keys as its key table) and names the window class; nothing
// is opened. Used by RunProgram and by the programs that open the game's window
// themselves (tests, benchmarks).
void DescribeGameWindow(uint8_t fullScreen);
// Per-window start (GL state, audio once, assets); always true.
bool InitializeGame();
// Per-window shutdown: saves the high-score record and stops audio unless a
// display switch is in progress.
void ShutdownGame();
// One frame at system time `now` (ms).
void FrameUpdate(uint32_t now);
void DispatchFrame(uint32_t now);
void GameFrame(uint32_t now);
// Asks the program to end: quit message posted, ProgramRunning := 0.
void QuitProgram();
// Starts a display switch: RestartPending := 1 and the display-switch message posted.
void ToggleFullscreen();
