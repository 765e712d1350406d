// The front-end's state, read by its screens and changed by its state machine
// (menu.h). It lives for the whole run; EnterFrontEnd restarts the clock, the fade
// and the side-screen flags. The screen id and the strip are in core/modes.h.
#pragma once
#include <cstdint>

extern uint8_t OptionsOpen;      // with SCREEN_SIDE: the side screen is the options screen
extern uint8_t InstructionsOpen; // with SCREEN_SIDE: the instructions; neither flag: the hall of fame
extern uint8_t InstructionsPage; // 0..3

extern uint32_t MenuStartTime; // system time (ms) when the front-end was entered
extern int32_t MenuTicks;      // 10 ms ticks run since then
extern uint8_t FadeLevel;      // 0..254; the picture is dimmed while below 254
// Menu ticks since the strip last moved (or the front-end was entered), up to
// 255. "Quit" takes clicks only once the main menu has stood still for
// QUIT_STILL_TICKS: the "ok" of the options and the hall of fame lies a few pixels
// above it, and a second click aimed at "ok" must not end the program.
extern uint8_t StripStillTicks;
constexpr uint8_t QUIT_STILL_TICKS = 50;
extern int32_t PrevHoverId;    // HoverId at the end of the previous frame
extern int32_t HoverSpot;      // 1-based level spot under the pointer in the last frame, 0 none
extern int32_t PrevHoverSpot;
extern uint8_t StoryIntroSeen; // set by the story introduction's "Ok"; never stored
// Unlocked story levels when a story level was started from the map; a return with
// one more unlocked level plays the chime and the star burst.
extern int32_t StoryProgressAtStart;
