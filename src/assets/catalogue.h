// Every texture and display list the game draws with, by the file it comes from.
// Filled by LoadAssets after every window opening (0 = not loaded: drawing then
// binds no texture). OpenGL names are plain unsigned integers here so that this
// header needs no OpenGL include.
#pragma once
#include <cstdint>

struct GameTextures {
  uint32_t logo;                 // logo.bmp, loading screen only
  uint32_t skdatex, font, levelspot, menu, qmark, avatar, underline;
  uint32_t itemIcons[8];         // I_OneLine .. I_Trank, item kinds 1..8
  uint32_t coin, iRahmen, iRahmen2, box, egyptSky, mapScreen, title, quor, boxes, amode, maction, blink,
      shop, trenner, maprand, lines, clear, dtq, cursor, ziffern, levSco, cloud, fkeys, kette, line;
  uint32_t suits[4];             // kreuz, pik, herz, karo
  uint32_t explosions[6];        // expl6 .. expl1 (frame = life div 5)
  uint32_t star, dust, egyptBack, trankLeer, trankVoll, trankBlink, dot1, dot2, levelUp, dreambox, ok, dbox,
      forestSky, forestBack, beachSky, beachBack, citySky, cityBack, mountainSky, mountainBack, quorback;
};
extern GameTextures Tex;

// The top left part of a picture that the screen shows, in texture coordinates
// (v measured from the top of the picture).
struct TexturePart {
  float uRight, vBottom;
};
// The three full-screen pictures are 1024 x 1024 files of which the 800 x 600
// screen shows the top left corner. Where only that corner was uploaded (see
// LoadTexturePart) their part is the whole texture, (1, 1).
constexpr TexturePart FULL_SCREEN_CORNER{0.78125f, 0.5859375f};
struct ScreenPictureParts {
  TexturePart title, mapScreen, quorback;
};
extern ScreenPictureParts ShownParts;

// The eight display lists compiled from the models.
struct GameLists {
  uint32_t box, bombCore, bombShell, clamp, hook, tube, plate, character;
};
extern GameLists Lists;
