// The front-end: title screen and main menu, arcade set-up, side screens (hall of
// fame, options, instructions), level map and shop, with their own 10 ms ticks.
//
// Drawing decides what is clickable: every clickable label is drawn with
// DrawHoverText, which leaves its id in HoverId when the pointer is over it, and
// the level map leaves the spot under the pointer in HoverSpot. MenuClick never
// hit-tests; it acts on what the last DrawMenus left behind, and MenuScreen says
// what an id means.
//
// All state below lives for the whole run. EnterFrontEnd restarts the clock, the
// fade and the side-screen flags; MenuScreen, SlidePos and SlideTarget are set by
// whoever switches into the front-end (the start-up, the end of a game), which is
// why they live below both, in core/modes.h.
#pragma once
#include <cstdint>

#include "core/modes.h"

extern uint8_t OptionsOpen;      // with SCREEN_SIDE: the side screen is the options screen
extern uint8_t InstructionsOpen; // with SCREEN_SIDE: the instructions; neither flag: the hall of fame
extern uint8_t InstructionsPage; // 0..3

extern uint32_t MenuStartTime; // system time (ms) when the front-end was entered
extern int32_t MenuTicks;      // 10 ms ticks run since then
extern uint8_t FadeLevel;      // 0..254; the picture is dimmed while below 254
extern int32_t PrevHoverId;    // HoverId at the end of the previous frame
extern int32_t HoverSpot;      // 1-based level spot under the pointer in the last frame, 0 none
extern int32_t PrevHoverSpot;
extern uint8_t StoryIntroSeen; // set by the story introduction's "Ok"; never stored
// Unlocked story levels when a story level was started from the map; a return with
// one more unlocked level plays the chime and the star burst.
extern int32_t StoryProgressAtStart;

// Called by the frame dispatch each time the program switches into the front-end
// (end of the first asset load, after every game). `now` is the system time in ms.
// Restarts the menu clock and the fade, closes the side-screen flags, starts the
// title or map music, and celebrates a freshly unlocked level on the map.
void EnterFrontEnd(uint32_t now);
// Called once per rendered frame while TopMode is the front-end: runs the ticks due
// by `now`, draws the frame, plays the hover sound when the pointer reaches a new label.
void MenuFrame(uint32_t now);
// One 10 ms step: strip, fade, map stars.
void MenuTick();
// Draws the whole front-end frame into the back buffer. Sets HoverId and HoverSpot.
void DrawMenus();
// A left button press while TopMode is the front-end (MouseX/MouseY already
// stored). Acts on the HoverId and HoverSpot of the last drawn frame.
void MenuClick();

// Theme of a story level by its spot number (1-based): the regions Forest, City,
// Desert, Beach repeat every 20 levels up to level 40; 41 and above are Mountain.
uint8_t ThemeForSpot(int32_t spot);
