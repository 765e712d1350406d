// Screen-space drawing: an 800 x 600 pixel space, origin top left, y downwards,
// whatever the window size. Every 2D picture of the game goes through these
// helpers; each sets the OpenGL state it needs and leaves a defined state behind
// (lighting off, depth test on, texturing off, blending off; DrawIrisWipe instead
// leaves lighting on). BeginScreenSpace / EndScreenSpace push and pop both matrices,
// so 3D drawing can follow; the viewport goes through the letterbox mapping.
// Texture sub-rectangles are (uLeft, vTop) - (uRight, vBottom) with v measured
// from the top of the picture.
#pragma once
#include <cstdint>

void BeginScreenSpace();
void EndScreenSpace();

void DrawImage(uint32_t texture, int x, int y, int w, int h);
// Parts of one picture drawn one after another, as that many DrawImagePart calls
// would draw them, with the state set once: BeginImageRun, one ImageRunPart per
// part, EndImageRun. (A software renderer copies its whole drawing state at every
// change of texture state, even one that is undone before the next drawing.)
void BeginImageRun(uint32_t texture);
void ImageRunPart(float x, float y, float w, float h, float uLeft, float vTop, float uRight, float vBottom);
void EndImageRun();
void DrawImageFaded(uint32_t texture, int x, int y, int w, int h, uint8_t alpha);
void DrawImagePart(uint32_t texture, float x, float y, float w, float h, float uLeft, float vTop, float uRight,
                   float vBottom);
// Shows only the texels whose alpha is at most 0.1 (the game's masks are inverted).
// Blending is left as the caller had it while drawing and switched off afterwards.
void DrawImagePartMasked(uint32_t texture, float x, float y, float w, float h, float uLeft, float vTop,
                         float uRight, float vBottom);
void DrawImagePartTinted(uint32_t texture, float x, float y, float w, float h, float uLeft, float vTop,
                         float uRight, float vBottom, uint8_t red, uint8_t green, uint8_t blue);
// Additive.
void DrawImagePartGlow(uint32_t texture, float x, float y, float w, float h, float uLeft, float vTop,
                       float uRight, float vBottom, uint8_t alpha);
// Decimal digits from the digit strip, left-aligned at x, one cell of width size each.
void DrawNumber(int32_t value, float x, float y, float size);
// Multiplies the picture by level / 256.
void DimScreen(uint8_t level);
// The game's own pointer picture at the pointer (MouseX, MouseY), as every screen
// draws it.
void DrawPointer();
// Everything outside the circle turns black. Disables blending; afterwards lighting
// and the depth test are on; texturing is left as it was.
void DrawIrisWipe(int cx, int cy, int radius);
