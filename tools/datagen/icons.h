// The desktop icons the install puts into the icon theme, and the small PNG
// writer that stores them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

// The icon sizes written, in pixels (square).
inline constexpr int ICON_SIZES[] = {48, 128, 256};
// The window's own icon, which the game reads itself: a 32-bit TGA, the format
// its texture loader already checks, so no PNG decoder is needed in the game. It
// lies with the game's pictures; icons/ holds what the install gives the icon theme.
inline constexpr int WINDOW_ICON_SIZE = 64;
inline constexpr const char* WINDOW_ICON_FILE = "textures/window_icon.tga";

// Writes icons/quorbels-<size>.png for every ICON_SIZES entry under `dataDir`
// (which ends in '/'), creating the folder, and the window's icon
// (WINDOW_ICON_FILE); false after printing what went wrong.
bool WriteIcons(const std::string& dataDir);

// A complete 8-bit RGBA PNG file of the canvas (rows top first), with stored
// deflate blocks; empty for an empty canvas.
std::vector<uint8_t> EncodePng(const Canvas& cv);
// The checksums PNG files carry: CRC-32 of every chunk, Adler-32 of the zlib stream.
uint32_t PngCrc32(const uint8_t* data, size_t size);
uint32_t PngAdler32(const uint8_t* data, size_t size);
