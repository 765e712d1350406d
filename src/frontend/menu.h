// The front-end: title screen and main menu, arcade set-up, side screens (hall of
// fame, options, instructions), level map and shop, with their own 10 ms ticks.
#pragma once
#include <cstdint>

// Screen ids.
enum : uint8_t {
  SCREEN_MAIN = 0,
  SCREEN_CYLINDER = 1,
  SCREEN_THEME = 2,
  SCREEN_SIDE = 44,
  SCREEN_MAP = 100,
  SCREEN_SHOP = 110,
};
extern uint8_t MenuScreen;
extern int32_t SlidePos;     // strip offset in steps of 10 pixels
extern int32_t SlideTarget;

void EnterFrontEnd(uint32_t now);
void MenuFrame(uint32_t now);
void MenuClick();
