// Text, clickable labels and framed panels drawn with the bitmap font, all in the
// 800 x 600 screen space (call between BeginScreenSpace and EndScreenSpace). The
// font's metrics (TextWidth, CentredX) are in assets/font.h, the label under the
// pointer (HoverId) in core/input.h.
#pragma once
#include <cstdint>
#include <string>

#include "assets/font.h"
#include "core/input.h"

void DrawText(int x, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue, const std::string& text);
// The text centred on x = centre (at CentredX).
void DrawCentredText(int centre, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue,
                     const std::string& text);
// The text at (x, y) over a black shadow 2 pixels right of and below it: the shadow
// is drawn first, then the text.
void DrawShadowedText(int x, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue,
                      const std::string& text);
void DrawCentredShadowedText(int centre, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue,
                             const std::string& text);
// A clickable label: black shadow, yellow under the pointer (HoverId := id), else
// white. It is a pointer target (ui/pointer_targets.h) while on screen.
void DrawHoverText(int x, int y, uint8_t size, const std::string& text, uint8_t id);
void DrawCentredHoverText(int centre, int y, uint8_t size, const std::string& text, uint8_t id);
// A screen (or a dialog over it) starts its labels afresh: HoverId := 0, and the
// labels drawn before are no pointer targets any more.
void BeginLabels();
// A framed, tinted box of nine pieces with a 20-pixel border.
void DrawPanel(int x, int y, int width, int height, uint8_t red, uint8_t green, uint8_t blue);
