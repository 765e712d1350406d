// Game controllers in the shell. The window procedure hands every button press to
// PadButtonPressed, which gives it to the game screen or to the front-end, the
// layers that say what a button means there (play/pad_play.h,
// frontend/pad_menu.h). The frame driver runs PadFrame once a frame: the left
// stick moves the game's own pointer (MouseX, MouseY), as the mouse does, and a
// d-pad direction held down repeats.
//
// The stick's pointer runs at up to PAD_MENU_SPEED pixels a second, or
// PAD_PLAY_SPEED while the pointer is confined to the play band; there the anchor
// follows the pointer through the "Ingame Mouse Speed" option exactly as it
// follows the mouse, so the option sets the anchor's speed for both. When the
// pointer comes to rest, or a d-pad step has put it somewhere else, the system
// pointer is moved there too, so the mouse carries on from where the pad left it.
#pragma once
#include <cstdint>

#include "platform/platform.h"

constexpr float PAD_MENU_SPEED = 700.0f;
constexpr float PAD_PLAY_SPEED = 360.0f;
// The stick's travel (of 32767) that counts as resting.
constexpr int PAD_DEAD_ZONE = 8000;
// A held d-pad direction acts again after this many milliseconds, then at the interval.
constexpr uint32_t PAD_REPEAT_DELAY = 300;
constexpr uint32_t PAD_REPEAT_INTERVAL = 110;

void PadButtonPressed(PadButton button);
// `now` is the frame's system time in milliseconds.
void PadFrame(uint32_t now);
// Forgets the held directions and the stick's motion (the pads are gone).
void ResetPadInput();
