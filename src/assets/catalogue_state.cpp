#include "assets/catalogue.h"

GameTextures Tex;
ScreenPictureParts ShownParts{FULL_SCREEN_CORNER, FULL_SCREEN_CORNER, FULL_SCREEN_CORNER};
GameLists Lists;
