// Placeholder until the game rules land: actions are ignored.
#include "game/actions.h"

void DispatchAction(uint8_t) {}
