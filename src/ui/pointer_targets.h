// The places a click can hit on the last drawn screen: every label drawn with
// DrawHoverText and the spots a screen adds itself (the level map's spots, the
// dream editor's grid, the shop's items). A game controller's d-pad steps the
// pointer from one to the next, and its "back" button asks whether a screen's way
// back is shown. Only what lies inside the 800 x 600 picture is kept.
//
// The list follows HoverId: it is emptied where a screen starts over with its
// labels (BeginLabels in ui/text.h, the start of every frame), so a label that a
// dialog or a screen drawn over it has made unclickable is no target either.
// A fixed array: drawing a frame allocates nothing.
#pragma once
#include <cstdint>

void ClearPointerTargets();
// A clickable rectangle in picture pixels; `id` is its label id, 0 for a spot
// that is not a label.
void AddPointerTarget(int x, int y, int width, int height, int32_t id);
// Whether a label with this id was drawn on screen in the last frame.
bool PointerTargetShown(int32_t id);
// The centre of the target that best continues from (fromX, fromY) in the
// direction (dx, dy) (one of the four: -1, 0 or 1 each): the nearest ahead, with
// sideways distance counting three times. False when nothing lies that way.
bool NextPointerTarget(int32_t fromX, int32_t fromY, int dx, int dy, int32_t* toX, int32_t* toY);
// Moves the game's pointer (MouseX, MouseY) on to the next target that way; false
// when there is none.
bool StepPointer(int dx, int dy);
