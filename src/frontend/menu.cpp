// Placeholder until the front-end lands: a black screen.
#include "frontend/menu.h"

uint8_t MenuScreen = 0;
int32_t SlidePos = 60;
int32_t SlideTarget = 0;

void EnterFrontEnd(uint32_t) {}
void MenuFrame(uint32_t) {}
void MenuClick() {}
