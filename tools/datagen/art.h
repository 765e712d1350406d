// The game's large pictures: backgrounds, theme skies and back pictures, the
// level map and shop pieces, the instruction sheet, banners and HUD pictures.
// Each writer stores its files under `textureDir` (ending in '/') and returns
// false after printing what went wrong. The Make* functions return the finished
// picture without writing it, for the writers and for review.
#pragma once
#include <string>

#include "image.h"

bool WriteBackgroundPictures(const std::string& textureDir); // title, quorback, logo, quor, boxes
bool WriteThemePictures(const std::string& textureDir);      // *_sky.bmp, *_back.tga
bool WriteHudPictures(const std::string& textureDir);        // amode, lev_sco, lines, qmark, underline,
                                                             // avatar, clear, dtq, level_up
bool WriteMapPictures(const std::string& textureDir);        // map_screen, blink, maprand, shop, trenner
bool WriteInstructionSheet(const std::string& textureDir);   // maction

// Themes 1 Forest, 2 City, 3 Desert, 4 Beach, 5 Mountain.
Canvas MakeThemeSky(int theme);  // 1024 × 128
Canvas MakeThemeBack(int theme); // 512 × 512, masked form
