// The game controllers as every layer reads them: how many are plugged in, which
// buttons are held and where the left stick stands. The window procedure
// (app/window.cpp) writes them from the platform's controller events, as it writes
// the key table and the pointer; what a press does is decided where the actions
// live (app/pad_input.cpp routes it to the game screen or the front-end).
#pragma once
#include <cstdint>

#include "platform/platform.h"

extern uint8_t PadsConnected;        // game controllers open now
extern uint8_t PadHeld[PAD_BUTTONS]; // 1 while the button is down on a pad
extern int16_t PadStickX, PadStickY; // the left stick, -32768..32767 (x right, y down)

inline bool PadDown(PadButton button) {
  return PadHeld[static_cast<int>(button)] != 0;
}

// The direction of a d-pad button as steps in picture pixels' axes (y down);
// false for the other buttons.
inline bool PadDirection(PadButton button, int* dx, int* dy) {
  *dx = button == PadButton::DpadLeft ? -1 : button == PadButton::DpadRight ? 1 : 0;
  *dy = button == PadButton::DpadUp ? -1 : button == PadButton::DpadDown ? 1 : 0;
  return *dx != 0 || *dy != 0;
}
