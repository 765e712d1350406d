// The hall of fame side screen: the three arcade tables (SMALL, MEDIUM, LARGE) with
// ten ranks each, and the entry inserted last pulsing red and white.
#pragma once
#include <cstdint>

// Drawn by DrawMenus while the side screen shows neither options nor instructions.
// `p` is the strip offset in pixels; "ok" carries id 20 (SIDE_OK_ID, ui/labels.h).
void DrawHallOfFame(int p);

// The pulse of the last insertion at menu tick `ticks`: the green and blue byte of
// its name colour (255, c, c), which is also the green byte of its score (255, c, 0).
uint8_t HighlightPulse(int32_t ticks);
// Which entry of which table (0 small, 1 medium, 2 large) pulses; false when none
// (no insertion since the last game start, or values out of range).
bool HighlightedEntry(int* table, int* index);
