// A game controller in the front-end, for the presses the shell routes here while
// the menus, the level map or the shop show (app/pad_input.h; the left stick
// moves the pointer there). A clicks what the pointer is on, as the left button
// does; the d-pad steps the pointer to the next label (or map spot, or shop item)
// that way; B goes back through the screen's own way back ("Back", "ok", "Main
// Menu", "back to level map") when it is on screen.
#pragma once
#include "platform/platform.h"

void PadMenuButton(PadButton button);
