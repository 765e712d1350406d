// The HUD around the playfield: item slots or the arcade badges, the lines-to-refill
// counter, the level meter (or the puzzle's question mark), level, score and lines,
// the dotted danger line and the guide's portrait. Drawn in screen space every game
// frame from the game state.
#pragma once
#include <cstdint>

// Draws the HUD for a field of half-width `q` (FieldHalfWidth).
void DrawHud(int q);

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
