#include "assets/text.h"

uint16_t FontWidths[256];
