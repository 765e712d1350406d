#include "play/backdrop.h"

#include <GL/gl.h>

#include "assets/catalogue.h"
#include "assets/textures.h"
#include "game/state.h"
#include "platform/platform.h"
#include "play/theme_pictures.h"
#include "ui/screen2d.h"

uint32_t BackPicture() {
  return ThemePictures(CurrentGame.theme).back;
}

namespace {

uint32_t SkyPicture() {
  return ThemePictures(CurrentGame.theme).sky;
}

void DrawThemeBack(int q) {
  const uint32_t back = BackPicture();
  constexpr float vBottom = 0.654296875f;
  switch (CylinderSize) {
  case 8:
    DrawImagePartMasked(back, 292, 152, 215, 335, 0.1171875f, 0, 0.517578125f, vBottom);
    break;
  case 10:
    DrawImagePartMasked(back, 267, 152, 265, 335, 0.068359375f, 0, 0.56640625f, vBottom);
    break;
  default:
    DrawImagePartMasked(back, 232, 152, 335, 335, 0, 0, 0.654296875f, vBottom);
    break;
  }
  DrawImagePartMasked(back, 400.0f + q, 152, 88, 335, 0.65625f, 0, 0.828125f, vBottom);
  DrawImagePartMasked(back, 312.0f - q, 152, 88, 335, 0.828125f, 0, 1, vBottom);
}

// The backdrop (the frame picture, the theme's back picture around the field and
// the sky band) changes only with the theme and the cylinder size, yet drawing
// its layers over the whole screen is a good part of a frame on a software
// renderer. When the picture is shown unscaled, the layers drawn once are copied
// into a texture and drawn from there as one picture: their edges lie on pixel
// borders, so all samples of a pixel agree and the copy gives back exactly the
// same pixels. A scaled picture has layer edges inside pixels; it is drawn layer
// by layer every frame.
// The theme is part of the key: a theme's pictures may take the names of the pair
// given back before them.
struct BackdropKey {
  uint32_t context, frame, back, sky;
  uint8_t theme;
  int32_t cylinderSize;
  int x, y;
  bool operator==(const BackdropKey&) const = default;
};
GLuint BackdropTexture = 0;
uint32_t BackdropTextureContext = 0;
int BackdropTextureWidth = 0, BackdropTextureHeight = 0;
bool BackdropCopied = false;
BackdropKey CopiedBackdrop{};

void DrawBackdropLayers(int q, uint32_t sky) {
  DrawImagePart(Tex.quorback, 0, 0, 800, 600, 0, 0, ShownParts.quorback.uRight, ShownParts.quorback.vBottom);
  DrawThemeBack(q);
  DrawImagePart(sky, 57, 26, 686, 128, 0.052083332f, 0, 0.94661456f, 1);
}

} // namespace

void DrawBackdrop(int q) {
  const Letterbox box = PlatformLetterbox();
  if (box.width != PICTURE_WIDTH || box.height != PICTURE_HEIGHT) {
    DrawBackdropLayers(q, SkyPicture());
    return;
  }
  const BackdropKey key{
      PlatformContextSerial(), Tex.quorback, BackPicture(), SkyPicture(), CurrentGame.theme, CylinderSize,
      box.x, box.y};
  if (BackdropCopied && key == CopiedBackdrop) {
    // Texture row 0 holds the picture's bottom row, as the copy reads the buffer.
    const float uRight = static_cast<float>(PICTURE_WIDTH) / BackdropTextureWidth;
    const float vTop = 1 - static_cast<float>(PICTURE_HEIGHT) / BackdropTextureHeight;
    DrawImagePart(BackdropTexture, 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT, 0, vTop, uRight, 1);
    return;
  }
  DrawBackdropLayers(q, key.sky);
  if (BackdropTexture == 0 || BackdropTextureContext != key.context) {
    // The texture of an earlier context went with it.
    const bool anySize = TexturesOfAnySize();
    BackdropTextureWidth = anySize ? PICTURE_WIDTH : 1024;
    BackdropTextureHeight = anySize ? PICTURE_HEIGHT : 1024;
    glGenTextures(1, &BackdropTexture);
    glBindTexture(GL_TEXTURE_2D, BackdropTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, BackdropTextureWidth, BackdropTextureHeight, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, nullptr);
    BackdropTextureContext = key.context;
  }
  glBindTexture(GL_TEXTURE_2D, BackdropTexture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, box.x, box.y, PICTURE_WIDTH, PICTURE_HEIGHT);
  CopiedBackdrop = key;
  BackdropCopied = true;
}
