#include "assets/catalogue.h"

GameTextures Tex;
GameLists Lists;
