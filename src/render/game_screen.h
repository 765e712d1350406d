// The game screen: backdrop, HUD around the playfield, the 3D scene and its
// effects, the banners and every overlay (dream editor, game-over dialogs, pause
// dialog, level-clear sequence, instructions overlay, fade-in and iris).
// Everything is drawn from the game state every frame; the screen keeps no state
// of its own except what it writes back (HoverId, NameEntryActive, the
// dream-editor-shown flag and, through DreamEditorClick, the dream stone).
#pragma once
#include <cstdint>

// Label ids of the game's dialogs (read by the action handler through HoverId).
constexpr uint8_t DIALOG_YES_ID = 44;
constexpr uint8_t DIALOG_NO_ID = 3;
constexpr uint8_t HELP_PLAY_ID = 30;
constexpr uint8_t HELP_DONT_SHOW_ID = 33;

// 1 while the dream editor panel is fully in place (then the pointer picture is
// drawn when no dialog is up), else 0. Written by DrawDreamEditor.
extern uint8_t DreamEditorShown;

// Draws one complete frame of the game into the back buffer (called by the game
// frame in top-level mode 0, after the ticks). Sets HoverId through the dialogs'
// labels, NameEntryActive := 1 while the "New Highscore" dialog is up, releases
// the pointer confinement while the game is over, and may drive a flying-back
// stone's appear timer (see DrawAnchorAndAim).
void DrawGameScene();
// The dream editor overlay, slid in from above (while dreamTimer > 0).
void DrawDreamEditor();
// The left button while the dream editor is open: the done button starts the
// panel leaving (dreamTimer := 50); a click on the 4 x 4 grid toggles a cell of
// the dream stone's rotation 0, except the corners, which are only ever cleared.
// Positions are screen pixels, independent of the slide.
void DreamEditorClick();
// The instructions overlay shown at the start of a game (while helpShown is 1).
void DrawHelpOverlay();

// --- HUD arithmetic, shared by the drawing and its tests ------------------------------
// Half-width in pixels of the field frame for a cylinder size (12, 10, 8).
int FieldHalfWidth(int cylinderSize);
// Height in pixels of the empty part of the 176-pixel meter for a meter value.
int MeterEmptyHeight(float value);
// Screen y of the dotted danger line for a danger height.
int DangerLineY(int dangerHeight);
// The level number shown: the difficulty step in arcade, the level index + 1 in story.
int32_t ShownLevelNumber();
// Highest stack over the active columns of shownCells, 0..13.
int32_t StackHeight();
// The portrait frame 0..7 (mood by stack height, game over, level cleared; blinking).
int PortraitFrame();
// The dream editor's vertical slide offset for a dream timer value (0 while in place).
int DreamSlideOffset(int32_t dreamTimer);
