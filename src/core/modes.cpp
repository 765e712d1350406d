#include "core/modes.h"

#include "platform/platform.h"

uint8_t TopMode = MODE_GAME;
uint8_t MenuScreen = SCREEN_MAIN;
int32_t SlidePos = 60;
int32_t SlideTarget = 0;
uint8_t ProgramRunning = 0;
uint8_t WantFullscreen = 0;
uint8_t RestartPending = 0;
uint8_t DisplaySwitchRequested = 0;

void QuitProgram() {
  PlatformPostQuit();
  ProgramRunning = 0;
}
