// The bitmap font, text, clickable labels and framed panels, all in the 800 x 600
// screen space (call between BeginScreenSpace and EndScreenSpace).
#pragma once
#include <cstdint>
#include <string>

// Glyph widths in 1/32 of a cell, from data/misc/font.dat.
extern uint16_t FontWidths[256];

// The label under the pointer (HoverId) is a program-wide input record.
#include "core/input.h"

// Parses the 512-byte width table (little-endian). Pure, for the loader and tests.
void DecodeFontWidths(const uint8_t* bytes, uint16_t out[256]);

void DrawText(int x, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue, const std::string& text);
// Width in pixels at the given size, rounded half to even.
int TextWidth(const std::string& text, int size);
// A clickable label: black shadow, yellow under the pointer (HoverId := id), else white.
void DrawHoverText(int x, int y, uint8_t size, const std::string& text, uint8_t id);
// A framed, tinted box of nine pieces with a 20-pixel border.
void DrawPanel(int x, int y, int width, int height, uint8_t red, uint8_t green, uint8_t blue);
// Convenience for the centring convention: x = centre - TextWidth div 2.
inline int CentredX(int centre, const std::string& text, int size) { return centre - TextWidth(text, size) / 2; }
