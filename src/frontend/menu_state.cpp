#include "frontend/menu_state.h"

uint8_t OptionsOpen = 0;
uint8_t InstructionsOpen = 0;
uint8_t InstructionsPage = 0;
uint32_t MenuStartTime = 0;
int32_t MenuTicks = 0;
uint8_t StripStillTicks = 0;
uint8_t FadeLevel = 0;
int32_t PrevHoverId = 0;
int32_t HoverSpot = 0;
int32_t PrevHoverSpot = 0;
uint8_t StoryIntroSeen = 0;
int32_t StoryProgressAtStart = 0;
