// The 3D contents of the game screen: boxes lying in the playfield, tube cells,
// the four stones flying along the top band, the stone being pulled, the anchor
// with its chains, hook and plate, the character standing on the stack, the aim
// beam and the aim-help ghost with its blocked-cell crosses.
//
// World coordinates: one unit per cell; playfield column c at x = c - 6, row r at
// y = -r; box row k of a flying stone at y = k + 2; the anchor rests at y = -13.
// A box occupies (x, y, 0)..(x + 1, y + 1, 1). Everything here is drawn with the
// game screen's perspective camera current (model-view translated by (0, 4, -25)).
//
// While drawing the flying stones the scene works out which box of which stone
// lies above the anchor (the grip); the beam and the ghost are drawn from it in
// the same frame. Drawing a new grip asks for the aim sound once.
#pragma once
#include <cstdint>

// --- the box palette -------------------------------------------------------------
constexpr int PALETTE_COLOURS = 10;
// Colour 9 is the dark navy every field box turns while the game is over.
constexpr int GAME_OVER_COLOUR = 9;
struct PaletteColour {
  uint8_t red, green, blue;
};
extern const PaletteColour BoxPalette[PALETTE_COLOURS];
// The grey used for any colour number without a palette entry (a bomb cell, a
// tube being cleared, a value from a damaged level file), so no table is ever
// read out of range.
extern const PaletteColour UnknownBoxColour;
// The palette entry for `colour`, or UnknownBoxColour when it has none.
const PaletteColour& BoxColour(int colour);

// --- the grip --------------------------------------------------------------------
// Recomputed at the start of every DrawFlyingStones and read by DrawAnchorAndAim.
constexpr float NO_GRIP_HEIGHT = 9.0f;
struct GripState {
  int32_t stone;    // ring position 0..3, -1 = nothing gripped
  int32_t rotation; // rotation of the gripped stone, -1 = none
  int32_t column;   // template column j of the gripped box
  int32_t row;      // template box row k (0 bottom .. 3 top)
  float height;     // height of the gripped box in the band; NO_GRIP_HEIGHT when none
};
extern GripState Grip;

// The grip for which the aim sound was last played; kept between frames so that
// staying under the same box does not repeat the sound. row is 500 while nothing
// is gripped.
constexpr int32_t NO_ANNOUNCED_ROW = 500;
struct AnnouncedGripState {
  int32_t row, column, stone, rotation;
};
extern AnnouncedGripState AnnouncedGrip;

// --- single-box primitives ------------------------------------------------------------
// All of them leave the model-view matrix as they found it.

// A playfield box of palette colour `colour` at (x, y, 0); texturing off.
void DrawFieldBox(int colour, float x, float y);
// The same at depth z (debris).
void DrawBox3D(int colour, float x, float y, float z);
// A tube cell at (x, y, 0), light grey; texturing off.
void DrawTube(float x, float y);
// A box of a flying or pulled stone: type 1 a white textured box whose opacity is
// 1 - transparency / 255, type 2 a bomb (transparency used directly as alpha, the
// core glowing with the fuse); any other type draws nothing. Leaves blending and
// texturing off, lighting on.
void DrawFlyingBox(int type, uint8_t transparency, float x, float y);
// The front face of an aim-help ghost box (type 1 only).
void DrawGhostFront(int type, uint8_t grey, uint8_t transparency, float x, float y);
// The other five faces of a ghost box (type 1), or a ghost bomb (type 2).
void DrawGhostBox(int type, uint8_t red, uint8_t green, uint8_t blue, uint8_t transparency, float x, float y);
// The X that marks a blocked ghost cell, just in front of cell (x, y).
void DrawBlockedCross(uint8_t red, uint8_t green, uint8_t blue, float x, float y);
// The clamp model at (x, y, 0): yellow when `yellow`, else red.
void DrawClamp(bool yellow, float x, float y);
// Chains, hook and plate for an anchor at column position x and height y. Leaves
// lighting on and texturing off.
void DrawAnchor(float x, float y);

// --- scene pieces, called by the game screen inside its 3D pass -------------------------
// The four flying stones; recomputes Grip and may play the aim sound (once per
// change of the gripped box).
void DrawFlyingStones();
// Every box (from shownCells) and tube (from cells) of the field, shaken by the
// level meter; all boxes navy while the game is over.
void DrawPlayfield();
// Anchor, pulled stone, character, aim beam and the aim-help ghost. While a pulled
// stone flies back this drives its appearTimer (500 while the anchor climbs,
// -1000 while the stone descends, then 100), which starts the fly-back drawing;
// the one place that writes it is DriveFlyBackTimer in scene.cpp.
void DrawAnchorAndAim();

// The first row 0..12 whose cell in `column` is filled, 12 when none: the
// character stands on top of it.
int32_t TopFilledRow(int32_t column);
