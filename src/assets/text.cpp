#include "assets/text.h"

int32_t HoverId = 0;
