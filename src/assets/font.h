// The bitmap font's metrics: the glyph widths read from data/misc/font.dat and the
// width of a text drawn with them. Pure data and arithmetic; the drawing is in
// ui/text.h.
#pragma once
#include <cstdint>
#include <string>

// Glyph widths in 1/32 of a cell, from data/misc/font.dat.
extern uint16_t FontWidths[256];

// Parses the 512-byte width table (little-endian). Pure, for the loader and tests.
void DecodeFontWidths(const uint8_t* bytes, uint16_t out[256]);

// Width in pixels at the given size, rounded half to even.
int TextWidth(const std::string& text, int size);
// Convenience for the centring convention: x = centre - TextWidth div 2.
inline int CentredX(int centre, const std::string& text, int size) { return centre - TextWidth(text, size) / 2; }
