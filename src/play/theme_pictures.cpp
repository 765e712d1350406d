#include "play/theme_pictures.h"

#include <GL/gl.h>
#include <string>

#include "assets/catalogue.h"
#include "assets/textures.h"
#include "platform/platform.h"

namespace {

struct ThemeFiles {
  const char* back;
  const char* sky;
  uint32_t* backTexture;
  uint32_t* skyTexture;
};
const ThemeFiles Themes[] = {
    {"egypt_back.tga", "egypt_sky.bmp", &Tex.egyptBack, &Tex.egyptSky},
    {"forest_back.tga", "forest_sky.bmp", &Tex.forestBack, &Tex.forestSky},
    {"city_back.tga", "city_sky.bmp", &Tex.cityBack, &Tex.citySky},
    {"beach_back.tga", "beach_sky.bmp", &Tex.beachBack, &Tex.beachSky},
    {"mountain_back.tga", "mountain_sky.bmp", &Tex.mountainBack, &Tex.mountainSky},
};

const ThemeFiles& FilesOf(uint8_t theme) {
  switch (theme) {
  case 1:
    return Themes[1];
  case 2:
    return Themes[2];
  case 4:
    return Themes[3];
  case 5:
    return Themes[4];
  default:
    return Themes[0];
  }
}

// The theme asked for last, the context it was asked in (0: none) and the names
// this module loaded for it (0: none).
const ThemeFiles* Loaded = nullptr;
uint32_t LoadedContext = 0;
uint32_t OwnBack = 0, OwnSky = 0;

// Gives back a name this module loaded while the catalogue still holds it (one of
// an earlier context went with that context); a picture put in its place by
// someone else is left alone.
void GiveBack(uint32_t& own, uint32_t* texture) {
  if (own != 0 && *texture == own) {
    if (LoadedContext == PlatformContextSerial()) glDeleteTextures(1, &own);
    *texture = 0;
  }
  own = 0;
}

// Loads the picture unless the catalogue already holds one: the loading sequence
// clears them all for a new context, so one found there is this context's.
void LoadUnlessThere(const char* file, uint32_t* texture, uint32_t& own) {
  if (*texture != 0) return;
  LoadTextureSharp(TexturePath(file), *texture);
  own = *texture;
}

} // namespace

ThemePair ThemePictures(uint8_t theme) {
  const ThemeFiles& files = FilesOf(theme);
  const uint32_t context = PlatformContextSerial();
  if (Loaded != &files || LoadedContext != context) {
    if (Loaded != nullptr) {
      GiveBack(OwnBack, Loaded->backTexture);
      GiveBack(OwnSky, Loaded->skyTexture);
    }
    LoadUnlessThere(files.back, files.backTexture, OwnBack);
    LoadUnlessThere(files.sky, files.skyTexture, OwnSky);
    Loaded = &files;
    LoadedContext = context;
  }
  return {*files.backTexture, *files.skyTexture};
}

void ReleaseThemePictures() {
  if (Loaded != nullptr) {
    GiveBack(OwnBack, Loaded->backTexture);
    GiveBack(OwnSky, Loaded->skyTexture);
  }
  for (const ThemeFiles& files : Themes) *files.backTexture = *files.skyTexture = 0;
  Loaded = nullptr;
  LoadedContext = 0;
}
