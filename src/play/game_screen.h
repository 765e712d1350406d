// The game screen: backdrop, HUD around the playfield, the 3D scene and its
// effects, the banners and every overlay (dream editor, game-over dialogs, pause
// dialog, level-clear sequence, instructions overlay, fade-in and iris).
// Everything is drawn from the game state every frame; the screen keeps no state
// of its own except what it writes back (HoverId, NameEntryActive, the
// dream-editor-shown flag and, through DreamEditorClick, the dream stone).
//
// The screen is one unit of play/: this file composes the frame; the backdrop
// (backdrop.h), the HUD (hud.h), the dialogs with their clicks (game_dialogs.h),
// the dream editor with its clicks (dream_editor.h) and the banners
// (banners_draw.h) are its parts, and DispatchAction (actions.h) is its input.
// Its label ids are GameLabel in ui/labels.h.
#pragma once

// Draws one complete frame of the game into the back buffer (called by the game
// frame in top-level mode 0, after the ticks). Sets HoverId through the dialogs'
// labels, NameEntryActive := 1 while the "New Highscore" dialog is up, releases
// the pointer confinement while the game is over, and may drive a flying-back
// stone's appear timer (see DrawAnchorAndAim).
void DrawGameScene();
