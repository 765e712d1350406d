// The game screen's backdrop: the frame picture, the theme's back picture around
// the playfield and the theme's sky band. It changes only with the theme and the
// cylinder size, so it is drawn once into a texture and copied from there while the
// picture is shown unscaled (see DrawBackdrop).
#pragma once
#include <cstdint>

// The back picture of the game's theme (its lower corners also stand beside the
// anchor rail, drawn by the game screen after the 3D pass).
uint32_t BackPicture();
// Draws the backdrop in screen space for a field of half-width `q` (FieldHalfWidth).
void DrawBackdrop(int q);
