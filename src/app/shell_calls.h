// The operations of other modules that the frame driver (program.cpp) and the
// window procedure (window.cpp) call. They point at the real operations; tests put
// recorders in their place to watch the shell on its own (the frame driver never
// calls these modules otherwise).
#pragma once
#include <cstdint>

#include "platform/platform.h"

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
  void (*padGameButton)(PadButton button); // a controller's press while a game runs
  void (*padMenuButton)(PadButton button); // a controller's press in the front-end
  void (*pauseGame)();                     // the game is paused from outside (focus lost, pad gone)
};
extern ShellCallTable ShellCalls;
// Puts the real operations back into ShellCalls.
void ResetShellCalls();
