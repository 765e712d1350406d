// Player actions 0..12 while a game runs: the game screen's input. An action goes
// to the rules (pull, turn, reverse, items) or to what the screen shows over the
// scene (the dream editor, the dialogs, the instructions overlay), which decides
// what a click means.
#pragma once
#include <cstdint>

// 0 left button, 1 right button, 2 middle button or space, 3 Ctrl, 4..6 F1..F3,
// 7 Esc, 8..12 F5..F9. Called by the frame driver for held keys and by the window
// procedure for mouse buttons. In order: with the whole story open (progress 55)
// F5..F9 switch the scene theme; a cleared level takes nothing else; while the
// instruction overlay is shown any code acts on the overlay button under the mouse
// (HoverId 30 play, 33 don't show again: writes the options file, 40/50 pages);
// otherwise play actions while running, dialog answers (HoverId 44 yes, 3 no) on
// the pause and Retry dialogs, and Esc pauses (not during game over, and not
// within 50 ticks of the last Esc). Allocates nothing except through the options
// write of "don't show again".
void DispatchAction(uint8_t code);

// Pauses the game as Esc does (the pause dialog opens, the pointer is set free),
// for what happens outside the game: the window losing the focus, a game
// controller unplugged. Only a game in play is paused: not while the
// instructions are shown at its start, after its level is cleared or once it is
// over, and not a second time.
void PauseRunningGame();
