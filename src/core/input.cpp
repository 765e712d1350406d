#include "core/input.h"

#include "platform/platform.h"

uint8_t Keys[256];
uint8_t KeyPresses[256];
int32_t MouseX = 0;
int32_t MouseY = 0;
int32_t HoverId = 0;
int32_t PrevGameHoverId = 0;
uint8_t SpaceRepeatTimer = 0;
uint8_t CtrlRepeatTimer = 0;

namespace {
bool Confined = false;
} // namespace

void ConfineCursor() {
  Confined = true;
  PlatformConfinePointer(CONFINE_LEFT, CONFINE_TOP, CONFINE_RIGHT, CONFINE_BOTTOM);
}

void ReleaseCursor() {
  Confined = false;
  PlatformReleasePointer();
}

bool CursorConfined() {
  return Confined;
}
