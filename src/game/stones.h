// The four flying stones and the anchor: which kind a new stone gets, the
// flight along the 20-slot ring (it wraps from one side to the other), the shared
// rotation with its delayed requests, and the anchor column that follows the mouse.
// Everything here changes StoneRing, Anchor and CurrentGame (Part of the game
// state in state.h); the game tick calls the per-tick steps in its fixed order.
#pragma once
#include <cstdint>

// The kind (1..17) for a ring position that needs a new stone. Arcade and story
// games draw Random(8) and Random(100) for every pick; a pending dream stone
// replaces the pick (in a story game only when the dream stone has boxes, else a
// second random pick is drawn). A puzzle reads its sequence at puzzleIndex, giving
// 17 (an empty stone) once the sequence ends. Called by StartLevel and PullStone.
uint8_t NextStoneKind();

// Right button: a quarter turn clockwise in 10 ticks (sample 1). A second request
// within those ticks restarts the wait instead of turning twice.
void RequestRotate();
// Ctrl: a quarter turn anticlockwise in 10 ticks (sample 1).
void RequestRotateBack();
// Middle button or space: the ring flies the other way.
void ReverseFlight();

// Ring slot (0..19) of stone `stone`'s template column x at the current position,
// and the playfield column (-4..15) that slot lies over.
int32_t RingSlot(int stone, int x);
int32_t RingColumn(int stone, int x);
// Round(roundedPosition / 100): the slot the ring is snapped to.
int32_t RingSnap();
// Template byte (0, 1 box, 2 bomb) of box (x, h) of the stone of `kind` at `rotation`.
uint8_t StoneBox(uint8_t kind, int32_t rotation, int x, int h);
// True when the dream stone has no box in its rotation 1 (built with 2 and 3).
bool DreamStoneEmpty();

// Per-tick steps, called by GameTick.
// Flight: moves the ring unless paused (half speed while the Hourglass runs, whose
// timer it counts down), wraps it into 0..2000 and refreshes roundedPosition.
void TickFlight();
// Counts the rotation timers down and turns the stones when one reaches 0 (also paused).
void TickRotation();
// Lean of the hook: decays by 1 towards 0, then +-20 when the column changed
// between the two previous ticks.
void TickAnchorLean();
// The anchor column from MouseX and the mouse speed option; sample 6 on a change.
void UpdateAnchorColumn();
// The mouse speed factor S for options byte m: 15, 20, 25, 30, then m x 4 / 5 x 10.
float MouseSpeedFactor(uint8_t m);
// The pointer x at which the anchor stands on `column` (clamped to the active
// columns): the middle of that column's stretch of the anchor's window. When that
// lies outside `left`..`right` (the pointer's band) the window is moved so that
// the place is the band's edge, as a mouse would have dragged it there before.
// A game controller's d-pad steps the anchor a column at a time through it.
float PointerXForColumn(int32_t column, float left, float right);
