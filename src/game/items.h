// The eight items, used from the three item slots with F1..F3 during a story level.
#pragma once
#include <cstdint>

// F1..F3: uses the item in slot 0..2, in a story level that is not a puzzle only.
// The slot empties whether or not the item changed anything.
void UseItem(uint8_t slot);
