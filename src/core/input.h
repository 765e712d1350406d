// What the player does with the keyboard and the pointer, as every layer reads it.
// The window procedure (app/window.cpp) is the only writer of the key table and the
// pointer; the label drawing (ui/text.cpp) leaves the label under the pointer in
// HoverId, and the click handlers act on it. Plain records, no SDL: the platform
// layer's events arrive here through the window procedure.
#pragma once
#include <cstdint>

// 256 key bytes by Windows virtual-key code, 1 while down; cleared at every opening.
extern uint8_t Keys[256];
// 1 for every key pressed since the frame driver last looked, even if it has been
// released again meanwhile; the frame driver clears it after each frame's keys.
extern uint8_t KeyPresses[256];
// Last pointer position in picture pixels (0..65535).
extern int32_t MouseX;
extern int32_t MouseY;

// Id of the clickable label under the pointer in the last drawn frame, 0 = none.
// Screens reset it before drawing their labels; clicks act on what it holds.
extern int32_t HoverId;
// HoverId at the end of the previous game frame (the frame driver's hover sound);
// a game start clears it.
extern int32_t PrevGameHoverId;

// Game ticks before a held Space / Ctrl fires its action again: the frame driver
// sets them when it fires, the game tick counts them down, a game start clears them.
extern uint8_t SpaceRepeatTimer;
extern uint8_t CtrlRepeatTimer;

// Keeps the system pointer in x 5..795, y 100..500 of the picture during play.
void ConfineCursor();
// Releases the confinement (pause, game over, front-end).
void ReleaseCursor();
// Whether the pointer is confined to the play band now; a game controller moving
// the pointer keeps within the same band.
bool CursorConfined();
// The band, in picture pixels (right and bottom exclusive).
constexpr int32_t CONFINE_LEFT = 5, CONFINE_TOP = 100, CONFINE_RIGHT = 795, CONFINE_BOTTOM = 500;
