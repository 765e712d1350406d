// Placeholder until the game screen lands: a black frame.
#include "render/game_screen.h"

void DrawGameScene() {}
void DreamEditorClick() {}
