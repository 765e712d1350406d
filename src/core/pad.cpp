#include "core/pad.h"

uint8_t PadsConnected = 0;
uint8_t PadHeld[PAD_BUTTONS];
int16_t PadStickX = 0, PadStickY = 0;
