// The front-end: title screen and main menu, arcade set-up, side screens (hall of
// fame, options, instructions), level map and shop, with their own 10 ms ticks.
//
// Drawing decides what is clickable: every clickable label is drawn with
// DrawHoverText, which leaves its id in HoverId when the pointer is over it, and
// the level map leaves the spot under the pointer in HoverSpot. MenuClick never
// hit-tests; it acts on what the last DrawMenus left behind, and MenuScreen says
// what an id means.
//
// Its state (menu_state.h) lives for the whole run. EnterFrontEnd restarts the
// clock, the fade and the side-screen flags; MenuScreen, SlidePos and SlideTarget
// are set by whoever switches into the front-end (the start-up, the end of a game),
// which is why they live below both, in core/modes.h.
#pragma once
#include <cstdint>

#include "core/modes.h"
#include "frontend/menu_state.h"

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
