// The program's spine: the outer window loop, the message loop, per-window start
// and shutdown, and the per-frame driver that turns held keys into player actions
// and hands each frame to the game or to the front-end. Game logic advances in
// fixed 10 ms ticks computed from elapsed time, never by frame count.
//
// The modes it acts on (TopMode, the run and display-switch flags) and the input
// records it reads (Keys, the repeat timers) are program-wide records of core/. It
// calls the other modules through ShellCalls (shell_calls.h), opens the window
// through window.h and loads through loader.h (LoadingActive: frames and swaps are
// skipped while it runs).
#pragma once
#include <cstdint>

#include "app/loader.h"
#include "app/shell_calls.h"
#include "app/window.h"
#include "core/input.h"
#include "core/modes.h"

extern uint8_t AudioStarted; // audio started once per process

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
// Takes window events until the quit message and hands each to GameWindowProc;
// whenever none is waiting, draws and presents a frame once it is due (frames
// are paced to the display, platform.h), or sleeps while the window is minimised.
void RunMessageLoop(GL_Window& window);
// Per-window start (GL state, audio once, assets); always true.
bool InitializeGame();
// Per-window shutdown: saves the high-score record and stops audio unless a
// display switch is in progress.
void ShutdownGame();
// One frame at system time `now` (ms).
void FrameUpdate(uint32_t now);
void DispatchFrame(uint32_t now);
void GameFrame(uint32_t now);
// Starts a display switch: RestartPending := 1 and the display-switch message posted.
void ToggleFullscreen();
