// Player actions 0..12 and the three item slots.
#pragma once
#include <cstdint>

// 0 left button, 1 right button, 2 middle button or space, 3 Ctrl, 4..6 F1..F3,
// 7 Esc, 8..12 F5..F9.
void DispatchAction(uint8_t code);
