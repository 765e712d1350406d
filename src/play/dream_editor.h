// The dream editor (the Dreambox item): a panel slid in from above with a 4 x 4 grid
// on which the player draws the dream stone, and a done button. Drawn by the game
// screen while dreamTimer > 0; its clicks arrive through DispatchAction (button 0).
#pragma once
#include <cstdint>

// 1 while the dream editor panel is fully in place (then the pointer picture is
// drawn when no dialog is up), else 0. Written by DrawDreamEditor.
extern uint8_t DreamEditorShown;

// The dream editor overlay, slid in from above (while dreamTimer > 0).
void DrawDreamEditor();
// The left button while the dream editor is open: the done button starts the
// panel leaving (dreamTimer := 50); a click on the 4 x 4 grid toggles a cell of
// the dream stone's rotation 0, except the corners, which are only ever cleared.
// Positions are screen pixels, independent of the slide.
void DreamEditorClick();
// The dream editor's vertical slide offset for a dream timer value (0 while in place).
int DreamSlideOffset(int32_t dreamTimer);
