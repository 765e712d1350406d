// A game controller on the game screen, for the presses the shell routes here
// while a game runs (app/pad_input.h; the left stick moves the pointer there).
//
// In play: A pulls (it is the left button), X turns the stones clockwise and B
// the other way, Y reverses their flight, the left shoulder, Back and the right
// shoulder use the items of slots 1, 2 and 3, Start pauses as Esc does, and the
// d-pad's left and right move the anchor one column.
// Over the pause and game-over dialogs, the instructions and the dream editor the
// d-pad steps the pointer between what can be clicked and A clicks; B and Start
// answer the pause dialog with "No", Start closes the instructions ("play...").
// In the name entry of a new high score: up and down choose the letter, right and
// A add it, left and B remove the last one, Start confirms the name.
#pragma once
#include "platform/platform.h"

// The letter chosen with up and down is PadNameLetter (game/highscore.h); the
// dialog shows it while a controller is plugged in.
void PadGameButton(PadButton button);
