// Drawing of the effect pools (game/effects.h). The sprites (stars, dust, suit
// drops, explosions, level-map stars) are flat textured quads added over the scene;
// the falling boxes and the debris are real boxes and tubes that tumble in 3D.
#pragma once
#include <cstdint>

// By the game screen inside its 3D pass.
void DrawStars();
void DrawDust();
void DrawSuitDrops();
void DrawExplosions();
void DrawFallingBoxes();
void DrawDebris();
// By the level map, in screen space.
void DrawMenuStars();

// The explosion picture for a sprite of the given life (frame life div 5, the
// animation running from expl1 to expl6 as life falls). A sprite drawn at its
// full life of 30, before its first tick, shows the first picture, as lives 25..29.
uint32_t ExplosionTexture(int32_t life);
