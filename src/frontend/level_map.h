// The story level map: 55 spots along an inward spiral, one per story level. The
// spots of the unlocked levels pulse and start their level when clicked; the first
// visit in each run shows the story introduction until it is confirmed. Drawn by
// DrawMenus while MenuScreen is the map; labels "Main Menu" 1, "go to Shop" 2 and
// the introduction's "Ok" 77 (MapLabel, ui/labels.h); the spot under the pointer is
// left in HoverSpot.
#pragma once
#include <cstdint>

constexpr int MAP_SPOTS = 55;
// Screen position (x, y) of spot n at index n - 1.
extern const uint16_t LevelSpots[MAP_SPOTS][2];

// 1 when the spot under the pointer in the last frame belongs to a level with a
// title (the map then shows the speech bubble and the picture it points at).
extern uint8_t SpotHasTitle;

void DrawLevelMap();

// Spots shown for the story progress in the save: 0..55. A damaged progress above
// 55 still shows only the map's 55 spots.
int ShownSpotCount();
// The last of the first `shown` spots whose centre is closer than 12 pixels
// (squared distance below 140) to the pointer, 1-based; 0 for none.
int32_t SpotUnderPointer(int32_t mx, int32_t my, int shown);
// The gentle pulse of a spot at menu tick `ticks`, for a normal or a puzzle level.
void SpotPulseColour(int32_t ticks, bool puzzle, uint8_t rgb[3]);
