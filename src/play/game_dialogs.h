// The game's dialogs and overlays, each drawn in screen space over the scene with
// its labels (ui/labels.h, GameLabel) and answered by its click handler, which
// DispatchAction calls for the left button: the game-over dialog (Retry, plain game
// over, or the "New Highscore" name entry), the pause dialog, the level-clear
// sequence and the instructions overlay shown at the start of a game.
#pragma once

// Game over (from gameOver 50): "Retry?" Yes/No in a story game; in arcade "GAME OVER"
// with Ok, or, when the score enters the hall of fame, the name entry with Ok
// (NameEntryActive := 1). Releases the pointer confinement.
void DrawGameOverDialog();
// Esc: "Exit to main menu?" (arcade) or "Exit to level map?" (story), Yes/No.
void DrawPauseDialog();
// The cleared level: the banner drops in, then the score and the money count.
void DrawLevelClear();
// The instructions overlay shown at the start of a game (while helpShown is 1).
void DrawHelpOverlay();

// Any action while the overlay is shown: releases the pointer confinement and acts
// on the overlay label under the pointer: play (closes it), don't show again (writes
// the options file, closes it), previous / next page.
void HelpOverlayClick();
// The left button while paused: Yes leaves the game, No resumes (AnswerPause).
void PauseDialogClick();
// The left button once the Retry dialog is live: No (also the Ok of game over and
// name entry) leaves, Yes plays the level again (AnswerRetry).
void RetryDialogClick();
