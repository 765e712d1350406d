// The four pages of the instructions: their texts, pictures from the instruction
// sheet, and the page buttons ("<< PREVIOUS PAGE" HELP_PREVIOUS_ID, "NEXT PAGE >>"
// HELP_NEXT_ID, ui/labels.h).
// Shown by the front-end's instructions screen on the menu strip and by the
// instructions overlay at the start of a game, which draws the same page further
// along the strip and higher up.
#pragma once

#include "ui/labels.h"

constexpr int HELP_PAGES = 4;

// Draws page `page` (0..3; anything else draws nothing) with every position moved
// by (offsetX, offsetY): the menu strip passes its strip position and 0, the
// in-game overlay 800 and -33. Screen space only. The page labels set HoverId
// when the pointer lies over them; the caller resets HoverId before the frame's
// labels and draws the common frame (title, page panel, close button) itself.
void DrawInstructionPage(int page, int offsetX, int offsetY);
