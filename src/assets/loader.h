// The asset catalogue and the loading screen: every file the game needs, loaded in
// one fixed order behind a progress bar, after every window opening.
#pragma once
#include <cstdint>

extern uint8_t FirstLoadDone;

// First run: save, levels, sounds, music, font widths, models, then the OpenGL
// objects, then the front-end. Later runs (after a display switch) rebuild only
// the OpenGL objects.
void LoadAssets();
