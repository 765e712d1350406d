// The bitmap font, text, clickable labels and panels, in 800 x 600 screen space.
#pragma once
#include <cstdint>

// Id of the clickable label under the pointer in the last drawn frame, 0 = none.
extern int32_t HoverId;
