#include "app/loader.h"

#include <GL/gl.h>
#include <string>

#include "assets/catalogue.h"
#include "assets/font.h"
#include "assets/sound.h"
#include "assets/textures.h"
#include "core/arith.h"
#include "core/files.h"
#include "core/heap.h"
#include "frontend/menu.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "game/options.h"
#include "platform/platform.h"
#include "play/theme_pictures.h"
#include "ui/screen2d.h"

uint8_t FirstLoadDone = 0;
uint8_t LoadingActive = 0;
// Loading frames closer together than one refresh of a 60 Hz display could never
// be seen; skipping them lets the data load instead of waiting for swaps.
uint32_t LoadingFrameIntervalMs = 16;
TModel Models[MODEL_COUNT];

namespace {

int32_t StepCounter = 0;
// When the last loading frame was presented, in platform ticks.
uint32_t LastPresentTick = 0;

const char* const ModelFiles[MODEL_COUNT] = {"block.ms3d",   "bombinnen.ms3d", "bombAussen.ms3d",
                                             "klammer.ms3d", "pik.ms3d",       "cylinder.ms3d",
                                             "platte.ms3d",  "lander.ms3d"};

struct ListEntry {
  uint32_t* list;
  int model;
  bool faceNormals;
  float scale;
};
const ListEntry ListTable[MODEL_COUNT] = {
    {&Lists.box, 0, false, 1.0f},   {&Lists.bombCore, 1, true, 1.0f},  {&Lists.bombShell, 2, true, 1.0f},
    {&Lists.clamp, 3, true, 1.0f},  {&Lists.hook, 4, false, 0.55f},    {&Lists.tube, 5, true, 1.0f},
    {&Lists.plate, 6, true, 0.45f}, {&Lists.character, 7, true, 1.0f},
};

// A picture loaded in this sequence, or (no file) a step of the loading bar where
// the theme pictures stood: they are loaded with their theme, but the bar keeps
// its steps.
struct TextureEntry {
  const char* file;
  uint32_t* texture;
  bool sharp;
  bool step; // a loading-screen step follows this file
  // For a full-screen picture: the part the screen shows (see LoadTexturePart).
  TexturePart* shown = nullptr;
};
constexpr bool L = false, S = true;
constexpr bool STEP = true, NO = false;
const TextureEntry TextureTable[] = {
    {"skdatex.bmp", &Tex.skdatex, L, NO},
    {"font.tga", &Tex.font, L, NO},
    {"levelspot.tga", &Tex.levelspot, L, STEP},
    {"menu.tga", &Tex.menu, L, NO},
    {"qmark.tga", &Tex.qmark, L, NO},
    {"avatar.tga", &Tex.avatar, L, STEP},
    {"underline.tga", &Tex.underline, L, NO},
    {"I_OneLine.bmp", &Tex.itemIcons[0], L, NO},
    {"I_TwoLine.bmp", &Tex.itemIcons[1], L, STEP},
    {"I_OneTube.bmp", &Tex.itemIcons[2], L, NO},
    {"I_TwoTube.bmp", &Tex.itemIcons[3], L, NO},
    {"I_Targethelp.bmp", &Tex.itemIcons[4], L, STEP},
    {"I_Hourglass.bmp", &Tex.itemIcons[5], L, NO},
    {"I_DreamBox.bmp", &Tex.itemIcons[6], L, NO},
    {"I_Trank.bmp", &Tex.itemIcons[7], L, STEP},
    {"coin.tga", &Tex.coin, L, NO},
    {"i_rahmen.bmp", &Tex.iRahmen, L, NO},
    {"i_rahmen2.bmp", &Tex.iRahmen2, L, STEP},
    {"box.bmp", &Tex.box, L, NO},
    {"map_screen.bmp", &Tex.mapScreen, S, STEP, &ShownParts.mapScreen},
    {"title.bmp", &Tex.title, S, NO, &ShownParts.title},
    {"quor.tga", &Tex.quor, S, NO},
    {"boxes.bmp", &Tex.boxes, S, STEP},
    {"amode.tga", &Tex.amode, S, NO},
    {"maction.bmp", &Tex.maction, S, NO},
    {"blink.bmp", &Tex.blink, S, STEP},
    {"shop.bmp", &Tex.shop, S, NO},
    {"trenner.bmp", &Tex.trenner, S, NO},
    {"maprand.bmp", &Tex.maprand, S, STEP},
    {"lines.tga", &Tex.lines, S, NO},
    {"clear.tga", &Tex.clear, L, NO},
    {"dtq.bmp", &Tex.dtq, L, STEP},
    {"cursor.tga", &Tex.cursor, L, NO},
    {"ziffern.bmp", &Tex.ziffern, S, NO},
    {"lev_sco.tga", &Tex.levSco, S, STEP},
    {"cloud.bmp", &Tex.cloud, L, NO},
    {"fkeys.bmp", &Tex.fkeys, L, NO},
    {"kette.bmp", &Tex.kette, L, STEP},
    {"Line.bmp", &Tex.line, L, NO},
    {"kreuz.bmp", &Tex.suits[0], L, NO},
    {"pik.bmp", &Tex.suits[1], L, STEP},
    {"herz.bmp", &Tex.suits[2], L, NO},
    {"karo.bmp", &Tex.suits[3], L, NO},
    {"expl6.bmp", &Tex.explosions[0], L, STEP},
    {"expl5.bmp", &Tex.explosions[1], L, NO},
    {"expl4.bmp", &Tex.explosions[2], L, NO},
    {"expl3.bmp", &Tex.explosions[3], L, STEP},
    {"expl2.bmp", &Tex.explosions[4], L, NO},
    {"expl1.bmp", &Tex.explosions[5], L, NO},
    {"star.bmp", &Tex.star, L, STEP},
    {"dust.bmp", &Tex.dust, L, NO},
    {"trank_leer.bmp", &Tex.trankLeer, L, STEP},
    {"trank_voll.bmp", &Tex.trankVoll, L, NO},
    {"trank_blink.bmp", &Tex.trankBlink, L, NO},
    {"dot1.bmp", &Tex.dot1, L, STEP},
    {"dot2.bmp", &Tex.dot2, L, NO},
    {"level_up.tga", &Tex.levelUp, L, NO},
    {"dreambox.tga", &Tex.dreambox, L, STEP},
    {"ok.tga", &Tex.ok, L, NO},
    {"dbox.bmp", &Tex.dbox, L, NO},
    {nullptr, nullptr, L, STEP},
    {nullptr, nullptr, L, STEP},
    {"quorback.bmp", &Tex.quorback, S, STEP, &ShownParts.quorback},
};
// With the ten theme pictures (play/theme_pictures) the catalogue has 71 textures.
static_assert(sizeof TextureTable / sizeof TextureTable[0] == 61 + 2, "61 pictures and 2 steps of none");

void LoadFirstRunData() {
  LoadTextureSharp(TexturePath("logo.bmp"), Tex.logo);
  ProgressStep();
  LoadHighScoreFile();
  ProgressStep();
  LoadLevelFile();
  ProgressStep();
  SetStreamVolume(Options[OPT_MUSIC_VOLUME] * 10);
  SetSampleVolume(Options[OPT_SOUND_VOLUME] * 10);
  for (int n = 1; n <= SAMPLE_COUNT; ++n) {
    std::string path = DataPath(std::string("data/sound/") + SampleFiles[n - 1]);
    if (n == SND_STONE)
      LoadLoopSample(path, n);
    else
      LoadSoundSample(path, n);
  }
  ProgressStep();
  for (int n = 1; n <= MUSIC_COUNT; ++n) {
    LoadMusicTrack(DataPath(std::string("data/music/") + MusicFiles[n - 1]), n);
    ProgressStep();
  }
  ResetEffects();
  std::vector<uint8_t> widths = ReadRequiredRecord(DataPath("data/misc/font.dat"), 512);
  DecodeFontWidths(widths.data(), FontWidths);
  for (int i = 0; i < MODEL_COUNT; ++i) {
    Models[i] = TModel(DataPath(std::string("data/3d/") + ModelFiles[i]));
    ProgressStep();
  }
  TopMode = MODE_FRONTEND;
  SlidePos = 60;
  SlideTarget = 0;
  MenuScreen = SCREEN_MAIN;
}

void BuildDisplayLists() {
  for (const ListEntry& entry : ListTable) {
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    const TModel& model = Models[entry.model];
    if (entry.faceNormals)
      model.DrawWithFaceNormals(entry.scale);
    else
      model.DrawWithVertexNormals(entry.scale);
    glEndList();
    *entry.list = list;
    ProgressStep();
  }
}

void LoadTextures() {
  ReleaseThemePictures();
  for (const TextureEntry& entry : TextureTable) {
    if (entry.file == nullptr) {
      ProgressStep();
      continue;
    }
    if (entry.shown != nullptr) {
      *entry.shown = FULL_SCREEN_CORNER;
      LoadTexturePart(TexturePath(entry.file), *entry.texture, entry.sharp, *entry.shown);
    } else if (entry.sharp)
      LoadTextureSharp(TexturePath(entry.file), *entry.texture);
    else
      LoadTexture(TexturePath(entry.file), *entry.texture);
    // What the picture's loading freed lies between the renderer's pictures:
    // given back now, it does not add up over the loading.
    ReturnFreeHeapPages();
    if (entry.step) ProgressStep();
  }
}

void Quad(float x0, float y0, float x1, float y1) {
  glBegin(GL_QUADS);
  glVertex2f(x0, y1);
  glVertex2f(x1, y1);
  glVertex2f(x1, y0);
  glVertex2f(x0, y0);
  glEnd();
}

} // namespace

int32_t LoadingStepCount() {
  return StepCounter;
}
int32_t LoadingStepsPerRun() {
  return FirstLoadDone == 0 ? 50 : 31;
}
int32_t LoadingBarX0(int32_t step, int32_t stepsPerRun) {
  return 301 + Round(198.0 / stepsPerRun * step);
}

void ProgressStep() {
  LoadingActive = 1;
  StepCounter += 1;
  const uint32_t now = PlatformTicks();
  const bool shown = StepCounter == 1 || StepCounter >= LoadingStepsPerRun() ||
                     now - LastPresentTick >= LoadingFrameIntervalMs;
  glClearColor(0, 0, 0, 0);
  if (shown) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BeginScreenSpace();
    if (FirstLoadDone == 0) DrawImagePart(Tex.logo, 272, 50, 256, 256, 0, 0, 1, 1);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    Quad(300, 290, 500, 310);
    glColor3f(0, 0, 0);
    Quad(static_cast<float>(LoadingBarX0(StepCounter, LoadingStepsPerRun())), 291, 499, 309);
    EndScreenSpace();
  }
  // A skipped frame leaves the same state behind as a drawn one.
  glColor3f(0, 0, 0);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  if (shown) {
    PlatformSwapBuffers();
    LastPresentTick = PlatformTicks();
  }
}

void BeginLoadingScreen() {
  LoadingActive = 0;
  StepCounter = 0;
}

void LoadAssets() {
  BeginLoadingScreen();
  if (FirstLoadDone == 0) LoadFirstRunData();
  BuildDisplayLists();
  LoadTextures();
  LoadingActive = 0;
  if (FirstLoadDone == 0) {
    EnterFrontEnd(PlatformTicks());
    FirstLoadDone = 1;
  }
}

void ReleaseModels() {
  for (TModel& model : Models) model.ReleaseData();
}
