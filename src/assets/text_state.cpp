#include "assets/text.h"

uint16_t FontWidths[256];
int32_t HoverId = 0;
