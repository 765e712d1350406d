#include "play/banners_draw.h"

#include "assets/catalogue.h"
#include "game/banners.h"
#include "ui/screen2d.h"

void DrawMultiLineBanner() {
  if (MultiLineAge == -1) return;
  int32_t a = MultiLineAge;
  float af = static_cast<float>(a);
  uint8_t alpha = static_cast<uint8_t>(255 - 2 * a);
  float vTop = 0, vBottom = 0.3333f;
  if (MultiLineKind == 2) {
    vTop = 0.33333f;
    vBottom = 0.66666f;
  } else if (MultiLineKind == 3) {
    vTop = 0.66666f;
    vBottom = 1;
  }
  float height = af * 0.333f * 3;
  DrawImagePartGlow(Tex.dtq, 400 - 1.5f * af, 330 - 0.48f * af, 3 * af, height, 0, vTop, 1, vBottom, alpha);
}

void DrawLevelUpBanner() {
  if (LevelUpAge == -1) return;
  int32_t a = LevelUpAge;
  int32_t d = LevelUpDirection;
  int32_t offset = 0;
  if (a < 35)
    offset = 525 - 15 * a;
  else if (a >= 75)
    offset = 15 * (a - 75);
  float x1 = static_cast<float>(360 + d * offset);
  float x2 = static_cast<float>(360 - d * offset);
  DrawImagePartMasked(Tex.levelUp, x1, 275, 80, 40, 0, 0, 1, 0.5f);
  DrawImagePartMasked(Tex.levelUp, x2, 305, 80, 40, 0, 0.5f, 1, 1);
}
