// Drawing of the two banners over the playfield; their state and ticks live with
// the game rules (game/banners.h). In screen space, every game frame.
#pragma once

void DrawMultiLineBanner();
void DrawLevelUpBanner();
