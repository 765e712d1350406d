#include "frontend/level_map.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "assets/catalogue.h"
#include "core/arith.h"
#include "core/input.h"
#include "frontend/menu_state.h"
#include "game/highscore.h"
#include "game/levels.h"
#include "render/effects_draw.h"
#include "render/gl_state.h"
#include "ui/labels.h"
#include "ui/pointer_targets.h"
#include "ui/screen2d.h"
#include "ui/text.h"

const uint16_t LevelSpots[MAP_SPOTS][2] = {
    {88, 286},  {111, 230}, {146, 178}, {200, 141}, {251, 124}, {319, 120}, {375, 134}, {428, 173},
    {467, 217}, {490, 274}, {495, 353}, {476, 410}, {425, 467}, {382, 498}, {330, 517}, {249, 514},
    {188, 489}, {135, 453}, {107, 400}, {115, 340}, {137, 288}, {160, 249}, {190, 216}, {220, 197},
    {256, 186}, {316, 184}, {357, 198}, {394, 231}, {413, 266}, {427, 300}, {426, 348}, {410, 386},
    {382, 417}, {350, 438}, {305, 453}, {264, 454}, {226, 441}, {192, 422}, {172, 390}, {171, 348},
    {205, 309}, {226, 269}, {260, 247}, {304, 244}, {347, 265}, {368, 307}, {355, 354}, {328, 376},
    {283, 392}, {246, 376}, {238, 332}, {265, 299}, {308, 290}, {327, 314}, {298, 337}};

uint8_t SpotHasTitle = 0;

namespace {
const std::string HEADING = "Quorbels Story Mode", GO_TO_SHOP = "go to Shop", MAIN_MENU = "Main Menu",
                  HINT = "Click here to start the first level...", STORY_MODE = "Story Mode", OK = "Ok",
                  PUZZLE = "PUZZLE";

struct IntroLine {
  int y;
  uint8_t red, green, blue;
  std::string text;
};
// Light lettering on the dark panel (cream story, gold mission): panels are dark
// so that every text, red notes included, reads over the busiest picture.
const IntroLine INTRO_LINES[7] = {
    {200, 255, 243, 214, "In the world of quorland, people always lived in harmony with the phenomenon of"},
    {225, 255, 243, 214, "boxes - so called \"quorbels\" - flying through the sky. Nobody knows where they"},
    {250, 255, 243, 214, "come from, but they were there since thousands of years."},
    {335, 255, 243, 214, "But in the last few years, their amount increased and there are too much now."},
    {360, 255, 243, 214, "Scientists assume that this has something to do with the global warming."},
    {385, 255, 200, 90, "Your mission is to take a journey through all the regions of quorland and remove"},
    {410, 255, 200, 90, "some of the quorbels to save the harmonic ecosystem of quorland."}};

bool LevelIsPuzzle(int level) {
  return LevelTable[level].puzzle != 0;
}
bool LevelHasTitle(int level) {
  return LevelTable[level].text[0] != 0;
}
// The title without building a new string: a text without its zero byte ends at 768.
void LevelTitle(int level, std::string& out) {
  const char* text = LevelTable[level].text;
  out.assign(text, strnlen(text, LEVEL_TEXT_SIZE));
}

// Squared distance below 140 (integer arithmetic), in 64 bits: the pointer may lie
// far outside the picture (0..65535).
bool PointerNearSpot(int32_t mx, int32_t my, int spot) {
  int64_t dx = static_cast<int64_t>(mx) - LevelSpots[spot - 1][0];
  int64_t dy = static_cast<int64_t>(my) - LevelSpots[spot - 1][1];
  return dx * dx + dy * dy < 140;
}

// Composed texts reuse these, so a frame allocates nothing once they have grown.
std::string MoneyText, LevelNumberText, LinesText, TitleText;

const std::string& Compose(std::string& out, const char* format, int value) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  out.assign(text);
  return out;
}

void FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, uint8_t red, uint8_t green, uint8_t blue) {
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glColor3ub(red, green, blue);
  glBegin(GL_TRIANGLES);
  glVertex2i(x1, y1);
  glVertex2i(x2, y2);
  glVertex2i(x3, y3);
  glEnd();
  glEnable(GL_DEPTH_TEST);
}

void DrawHeadingAndButtons() {
  DrawPanel(155, 10, 280, 40, 100, 255, 80);
  DrawCentredText(300, 17, 25, 255, 255, 255, HEADING);
  DrawPanel(579, 174, 160, 40, 100, 255, 80);
  DrawPanel(579, 218, 160, 40, 255, 100, 80);
  DrawCentredHoverText(659, 223, 25, GO_TO_SHOP, MAP_SHOP_ID);
  DrawImagePartTinted(Tex.coin, 600, 177, 32, 32, 0, 0, 1, 1, 255, 255, 255);
  DrawText(638, 181, 25, 255, 255, 255, Compose(MoneyText, "X %d", HighScores.profile.money));
  DrawPanel(45, 555, 140, 40, 100, 100, 255);
  DrawCentredHoverText(115, 561, 25, MAIN_MENU, MAP_MAIN_MENU_ID);
}

void DrawFirstLevelHint() {
  int x = LevelSpots[0][0], y = LevelSpots[0][1];
  DrawPanel(x + 40, y - 20, 260, 44, 50, 255, 50);
  DrawText(x + 55, y - 9, 20, 255, 255, 255, HINT);
  FillTriangle(x + 40, y, x + 40, y - 5, x + 10, y, 50, 255, 50);
}

void DrawIntroduction() {
  DrawPanel(100, 158, 600, 328, 255, 255, 200);
  DrawPanel(100, 158, 600, 328, 255, 255, 200);
  DrawImagePart(Tex.maction, 346, 275, 108, 54, 0.337890625f, 0.68359375f, 0.548828125f, 0.7890625f);
  DrawCentredShadowedText(398, 168, 25, 240, 240, 240, STORY_MODE);
  for (const IntroLine& line : INTRO_LINES)
    DrawText(120, line.y, 20, line.red, line.green, line.blue, line.text);
  DrawPanel(340, 436, 120, 40, 255, 255, 200);
  DrawCentredHoverText(400, 442, 25, OK, MAP_INTRO_OK_ID);
}

void DrawInfoBox(int level) {
  int mx = MouseX, my = MouseY;
  DrawPanel(mx + 20, my + 20, 160, 44, 100, 100, 255);
  DrawText(mx + 30, my + 25, 18, 255, 255, 255, Compose(LevelNumberText, "Level: %d of 55", level + 1));
  DrawText(mx + 30, my + 40, 18, 255, 255, 255,
           Compose(LinesText, "Lines to remove: %d", LevelTable[level].lines));
  if (LevelIsPuzzle(level)) DrawText(mx + 125, my + 25, 18, 255, 255, 0, PUZZLE);
}

void DrawSpeechBubble(int level) {
  LevelTitle(level, TitleText);
  int w = TextWidth(TitleText, 20);
  int dy = level == 10 ? -50 : 0;
  DrawPanel(598 - w, 348 + dy, w + 44, 44, 0, 0, 0);
  for (int i = 0; i < 4; ++i) DrawPanel(600 - w, 350 + dy, w + 40, 40, 255, 255, 255);
  FillTriangle(640, 377 + dy, 655, 377 + dy, 640, 368 + dy, 0, 0, 0);
  FillTriangle(640, 375 + dy, 650, 375 + dy, 640, 370 + dy, 255, 255, 255);
  DrawText(615 - w, 359 + dy, 20, 255, 255, 255, TitleText);
}
} // namespace

int ShownSpotCount() {
  int progress = HighScores.profile.storyProgress;
  return progress > MAP_SPOTS ? MAP_SPOTS : progress;
}

int32_t SpotUnderPointer(int32_t mx, int32_t my, int shown) {
  int32_t found = 0;
  for (int n = 1; n <= shown && n <= MAP_SPOTS; ++n)
    if (PointerNearSpot(mx, my, n)) found = n;
  return found;
}

void SpotPulseColour(int32_t ticks, bool puzzle, uint8_t rgb[3]) {
  static const uint8_t HIGH[2][3] = {{255, 255, 200}, {100, 100, 255}};
  static const uint8_t LOW[2][3] = {{255, 220, 150}, {160, 160, 255}};
  double s = std::sin(static_cast<double>(ticks) / 100.0) / 2.0 + 0.5;
  int kind = puzzle ? 1 : 0;
  for (int i = 0; i < 3; ++i)
    rgb[i] = static_cast<uint8_t>(Round(s * (HIGH[kind][i] - LOW[kind][i]) + LOW[kind][i]));
}

void DrawLevelMap() {
  MoneyText.reserve(48);
  LevelNumberText.reserve(48);
  LinesText.reserve(48);
  TitleText.reserve(LEVEL_TEXT_SIZE);
  // Text and spots are drawn crisp: no multisampling on the map.
  bool multisample = MultisampleEnabled == 1;
  if (multisample) EnableMultisample(false);

  DrawImagePart(Tex.mapScreen, 0, 0, 800, 600, 0, 0, ShownParts.mapScreen.uRight, ShownParts.mapScreen.vBottom);
  if (SpotHasTitle == 1) DrawImagePart(Tex.blink, 638, 323, 128, 64, 0, 0, 1, 1);
  BeginLabels();
  DrawHeadingAndButtons();
  SpotHasTitle = 0;
  if (HighScores.profile.storyProgress == 1 && StoryIntroSeen == 1) DrawFirstLevelHint();

  int shown = ShownSpotCount();
  int hovered = -1;
  for (int n = 1; n <= shown; ++n) {
    int x = LevelSpots[n - 1][0], y = LevelSpots[n - 1][1];
    uint8_t colour[3];
    SpotPulseColour(MenuTicks, LevelIsPuzzle(n - 1), colour);
    if (PointerNearSpot(MouseX, MouseY, n)) {
      HoverSpot = n;
      hovered = n - 1;
      colour[0] = 0;
      colour[1] = 255;
      colour[2] = 0;
      SpotHasTitle = LevelHasTitle(n - 1) ? 1 : 0;
    }
    DrawImagePartTinted(Tex.levelspot, static_cast<float>(x - 8), static_cast<float>(y - 8), 15, 17, 0, 0,
                        0.46875f, 0.53125f, colour[0], colour[1], colour[2]);
    // The introduction covers the spots until it is confirmed.
    if (StoryIntroSeen == 1) AddPointerTarget(x - 1, y - 1, 3, 3, 0);
    // The stars are drawn once per shown spot, so they shine brighter the further
    // the player has come.
    DrawMenuStars();
  }

  if (StoryIntroSeen == 0) DrawIntroduction();
  if (hovered >= 0 && StoryIntroSeen == 1) {
    DrawInfoBox(hovered);
    if (SpotHasTitle == 1) DrawSpeechBubble(hovered);
  }

  if (multisample) EnableMultisample(true);
}
