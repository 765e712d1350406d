#include "render/game_screen.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "render/gl_state.h"
#include "game/banners.h"
#include "play/banners_draw.h"
#include "assets/catalogue.h"
#include "assets/sound.h"
#include "ui/text.h"
#include "core/arith.h"
#include "core/input.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "platform/platform.h"
#include "game/effects.h"
#include "ui/help_pages.h"
#include "render/effects_draw.h"
#include "render/scene.h"
#include "ui/screen2d.h"

uint8_t DreamEditorShown = 0;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Every text the screen draws, made once so that a frame allocates nothing.
struct ScreenStrings {
  std::string retry = "Retry?";
  std::string yes = "Yes";
  std::string no = "No";
  std::string gameOver = "GAME OVER";
  std::string ok = "Ok";
  std::string newHighscore = "New Highscore";
  std::string enterName = "please enter your name";
  std::string caret = "I";
  std::string exitToMenu = "Exit to main menu?";
  std::string exitToMap = "Exit to level map?";
  std::string play = "play...";
  std::string dontShow = "don't show again...";
  std::string instructions = "Instructions";
  std::string scratch;
  ScreenStrings() { scratch.reserve(64); }
};
ScreenStrings& Strings() {
  static ScreenStrings strings;
  return strings;
}

// `prefix` followed by the decimal value, in the shared scratch string.
const std::string& Labelled(const char* prefix, int32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", value);
  std::string& s = Strings().scratch;
  s.assign(prefix);
  s.append(digits);
  return s;
}

// Number of characters of the value's decimal text.
int Digits(int32_t value) {
  char digits[16];
  return std::snprintf(digits, sizeof digits, "%d", value);
}

bool IsArcade() {
  return CurrentGame.level == ARCADE_LEVEL;
}

void DrawCursor() {
  DrawImagePartMasked(Tex.cursor, static_cast<float>(MouseX), static_cast<float>(MouseY), 32, 32, 0, 0, 1, 1);
}

// Black at (x, y), then white two pixels up and to the left.
void DrawShadowed(int x, int y, uint8_t size, const std::string& text) {
  DrawText(x, y, size, 0, 0, 0, text);
  DrawText(x - 2, y - 2, size, 255, 255, 255, text);
}

void DrawShadowedCentred(int y, uint8_t size, const std::string& text) {
  DrawShadowed(CentredX(400, text, size), y, size, text);
}

uint32_t BackPicture() {
  switch (CurrentGame.theme) {
  case 1:
    return Tex.forestBack;
  case 2:
    return Tex.cityBack;
  case 4:
    return Tex.beachBack;
  case 5:
    return Tex.mountainBack;
  default:
    return Tex.egyptBack;
  }
}

uint32_t SkyPicture() {
  switch (CurrentGame.theme) {
  case 1:
    return Tex.forestSky;
  case 2:
    return Tex.citySky;
  case 4:
    return Tex.beachSky;
  case 5:
    return Tex.mountainSky;
  default:
    return Tex.egyptSky;
  }
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
struct BackdropKey {
  uint32_t context, frame, back, sky;
  int32_t cylinderSize;
  int x, y;
  bool operator==(const BackdropKey&) const = default;
};
GLuint BackdropTexture = 0;
uint32_t BackdropTextureContext = 0;
int BackdropTextureWidth = 0, BackdropTextureHeight = 0;
bool BackdropCopied = false;
BackdropKey CopiedBackdrop{};

// Whether a texture may have any size (OpenGL 2.0 and later, or the extension);
// otherwise the copy needs a 1024 x 1024 texture.
bool TexturesOfAnySize() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version && version[0] >= '2' && version[0] <= '9') return true;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions && std::strstr(extensions, "GL_ARB_texture_non_power_of_two") != nullptr;
}

void DrawBackdropLayers(int q, uint32_t sky) {
  DrawImagePart(Tex.quorback, 0, 0, 800, 600, 0, 0, 0.78125f, 0.5859375f);
  DrawThemeBack(q);
  DrawImagePart(sky, 57, 26, 686, 128, 0.052083332f, 0, 0.94661456f, 1);
}

void DrawBackdrop(int q) {
  const Letterbox box = PlatformLetterbox();
  if (box.width != PICTURE_WIDTH || box.height != PICTURE_HEIGHT) {
    DrawBackdropLayers(q, SkyPicture());
    return;
  }
  const BackdropKey key{
      PlatformContextSerial(), Tex.quorback, BackPicture(), SkyPicture(), CylinderSize, box.x, box.y};
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

void DrawItemSlots() {
  static const int kSlotX[3] = {13, 77, 733};
  for (int k = 0; k < 3; ++k) {
    const uint8_t code = ItemSlots[k];
    // A code from a damaged save that names no item shows as an empty slot.
    if (code >= 1 && code <= ITEM_KINDS)
      DrawImagePart(Tex.itemIcons[code - 1], kSlotX[k], 536, 50, 50, 0, 0, 1, 1);
  }
  DrawImagePartGlow(Tex.fkeys, 10, 530, 123, 64, 0, 0, 0.4754717f, 1, 255);
  DrawImagePartGlow(Tex.fkeys, 730, 530, 57, 64, 0.77734375f, 0, 1, 1, 255);
}

void DrawMeter() {
  const bool puzzle = CurrentGame.puzzle != 0;
  if (!puzzle) {
    DrawImage(Tex.trankVoll, 57, 218, 44, 176);
    DrawImageFaded(Tex.trankVoll, 57, 218, 44, 176, LevelMeter.refillFlash);
    const int e = MeterEmptyHeight(LevelMeter.value);
    DrawImagePart(Tex.trankLeer, 57, 218, 44, static_cast<float>(e), 0, 0, 1, e / 176.0f);
  } else {
    DrawImagePartMasked(Tex.qmark, 19, 260, 128, 128, 0, 0, 1, 1);
  }
}

void DrawDangerLine(int q) {
  const int size = CylinderSize;
  const int y = DangerLineY(CurrentGame.dangerHeight);
  for (int s = 0; s < 3 * size; ++s) {
    const int x = Round(2.0 * q / (3.0 * size) * s + (400 - q) + 7);
    DrawImage(Tex.line, x, y + 1, 2, 2);
  }
  glDisable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  glBegin(GL_TRIANGLES);
  glVertex2f(404.0f - q, y + 2.0f), glVertex2f(396.0f - q, y - 5.0f), glVertex2f(396.0f - q, y + 9.0f);
  glVertex2f(404.0f + q, y + 9.0f), glVertex2f(404.0f + q, y - 5.0f), glVertex2f(396.0f + q, y + 2.0f);
  glEnd();
}

void DrawPortrait() {
  const int n = PortraitFrame();
  const float u = 0.5f * (n % 2);
  const float v = 0.25f * (n / 2);
  DrawImagePartMasked(Tex.avatar, 650, 365, 120, 120, u, v, u + 0.5f, v + 0.25f);
}

void DrawHud(int q) {
  const bool arcade = IsArcade();
  if (arcade) {
    DrawImagePartMasked(Tex.amode, 0, 500, 128, 128, 0, 0, 1, 1);
    DrawImagePartMasked(Tex.amode, 672, 500, 128, 128, 0, 0, 1, 1);
  } else if (CurrentGame.puzzle == 0) {
    DrawItemSlots();
  }

  DrawImage(Tex.dot1, 57, 398, 44, 44);
  const int32_t refill = std::abs(CurrentGame.linesToRefill);
  DrawNumber(refill, 79.0f - 5 * Digits(refill), 414, 10);
  DrawImageFaded(Tex.dot2, 57, 398, 44, 44, static_cast<uint8_t>(LevelMeter.flash));

  DrawMeter();
  DrawImagePartMasked(Tex.levSco, 667, 210, 128, 128, 0, 0, 1, 1);
  const int32_t level = ShownLevelNumber();
  DrawNumber(level, 706.0f - 10 * Digits(level), 228, 20);
  DrawNumber(CurrentGame.shownScore, 706.0f - 5 * Digits(CurrentGame.shownScore), 290, 10);
  DrawImagePartMasked(Tex.lines, 667, 320, 128, 128, 0, 0, 1, 1);
  DrawNumber(CurrentGame.linesLeft, 706.0f - 5 * Digits(CurrentGame.linesLeft), 339, 10);

  DrawDangerLine(q);
  if (Options[OPT_SHOW_CHARACTER] == 1) DrawPortrait();
  DrawImagePartMasked(Tex.underline, 676, 485, 63, 32, 0, 0, 1, 1);
}

void DrawGameOverDialog() {
  ScreenStrings& s = Strings();
  ReleaseCursor();
  HoverId = 0;
  DimScreen(200);
  if (!IsArcade()) {
    DrawPanel(320, 250, 160, 70, 128, 228, 128);
    DrawShadowedCentred(261, 20, s.retry);
    DrawHoverText(348, 281, 30, s.yes, DIALOG_YES_ID);
    DrawHoverText(418, 281, 30, s.no, DIALOG_NO_ID);
  } else if (!ScoreQualifies(CurrentGame.score, CylinderSize)) {
    DrawPanel(320, 250, 160, 70, 128, 228, 128);
    DrawShadowedCentred(261, 20, s.gameOver);
    DrawHoverText(CentredX(400, s.ok, 30), 281, 30, s.ok, DIALOG_NO_ID);
  } else {
    NameEntryActive = 1;
    DrawPanel(300, 250, 200, 157, 128, 228, 128);
    DrawShadowedCentred(261, 30, s.newHighscore);
    DrawShadowedCentred(291, 20, s.enterName);
    DrawPanel(310, 315, 180, 50, 128, 128, 228);
    DrawText(CentredX(400, PlayerName, 30), 325, 30, 255, 255, 255, PlayerName);
    if (CurrentGame.tick % 50 >= 25)
      DrawText(400 + TextWidth(PlayerName, 30) / 2, 325, 30, 255, 255, 255, s.caret);
    DrawHoverText(CentredX(400, s.ok, 30), 370, 30, s.ok, DIALOG_NO_ID);
  }
  DrawCursor();
}

void DrawPauseDialog() {
  ScreenStrings& s = Strings();
  HoverId = 0;
  DimScreen(160);
  DrawPanel(320, 250, 160, 70, 128, 128, 228);
  if (IsArcade()) {
    DrawText(334, 261, 20, 0, 0, 0, s.exitToMenu);
    DrawText(332, 259, 20, 255, 255, 255, s.exitToMenu);
  } else {
    DrawText(339, 261, 20, 0, 0, 0, s.exitToMap);
    DrawText(337, 259, 20, 255, 255, 255, s.exitToMap);
  }
  DrawHoverText(348, 281, 30, s.yes, DIALOG_YES_ID);
  DrawHoverText(418, 281, 30, s.no, DIALOG_NO_ID);
  DrawCursor();
}

void DrawLevelClear() {
  const int32_t t = CurrentGame.clearTicks;
  const int p = t >= 50 ? 400 : Round(std::sin(t / 100.0 * kPi) * 400.0);
  DrawImagePartTinted(Tex.clear, 145, p - 300.0f, 512, 256, 0, 0, 1, 1, 255, 255, 255);
  if (t > 50) {
    DrawPanel(300, 285, 200, 70, 100, 255, 50);
    DrawText(320, 290, 30, 255, 255, 255, Labelled("Score = ", CurrentGame.shownLevelScore));
    DrawText(383, 317, 30, 255, 255, 255, Labelled("= ", CurrentGame.shownMoney));
    DrawImagePartTinted(Tex.coin, 343, 317, 32, 32, 0, 0, 1, 1, 255, 255, 255);
  }
}

} // namespace

int FieldHalfWidth(int cylinderSize) {
  switch (cylinderSize) {
  case 8:
    return 103;
  case 10:
    return 130;
  default:
    return 156;
  }
}

int MeterEmptyHeight(float value) {
  return Round(176.0 - value / 100.0 * 176.0);
}

int DangerLineY(int dangerHeight) {
  return Round(467.0 - dangerHeight * 25.9);
}

int32_t ShownLevelNumber() {
  return IsArcade() ? CurrentGame.levelNumber : CurrentGame.levelNumber + 1;
}

int32_t StackHeight() {
  int32_t top = 13;
  for (int r = 12; r >= -1; --r)
    for (int c = FirstColumn(); c <= LastColumn(); ++c)
      if (ShownCell(c, r) != 0) top = r;
  return top == 13 ? 0 : 12 - top;
}

int PortraitFrame() {
  const int32_t h = StackHeight();
  const int32_t danger = CurrentGame.dangerHeight;
  int frame = 1;
  if (h >= (danger + 1) / 2) frame = 3;
  if (h >= ((danger + 1) * 3) / 4) frame = 5;
  if (CurrentGame.gameOver > 0) frame = 7;
  if (CurrentGame.levelCleared == 1) frame = 6;

  // The character blinks now and then, more nervously the higher the stack.
  const int32_t m = CurrentGame.tick % 1000;
  auto inside = [m](int from, int to) { return m > from && m < to; };
  if (frame == 1 && (inside(100, 150) || inside(500, 550))) frame = 0;
  if (frame == 3 && (inside(100, 140) || inside(500, 540) || inside(700, 740))) frame = 2;
  if (frame == 5 &&
      (inside(100, 120) || inside(300, 320) || inside(500, 520) || inside(700, 720) || inside(900, 920)))
    frame = 4;
  return frame;
}

int DreamSlideOffset(int32_t dreamTimer) {
  if (dreamTimer >= 750)
    return Round(std::cos(std::abs(750 - dreamTimer) / 50.0 * kPi / 2.0) * 428.0 - 428.0);
  if (dreamTimer >= 50) return 0;
  return Round(std::cos(std::abs(50 - dreamTimer) / 50.0 * kPi / 2.0) * 428.0 - 428.0);
}

void DrawDreamEditor() {
  const int b = DreamSlideOffset(CurrentGame.dreamTimer);
  DreamEditorShown = b == 0 ? 1 : 0;
  DrawImagePartMasked(Tex.dreambox, 272, b + 172.0f, 256, 256, 0, 0, 1, 1);
  const uint8_t* cells = DreamStone()[0];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (cells[r * 4 + c] != 0)
        DrawImagePart(Tex.dbox, 303.0f + 49 * c, 201.0f + 49 * r + b, 48, 48, 0, 0, 1, 1);
  const bool overOk = MouseX > 368 && MouseX < 432 && MouseY > 405 && MouseY < 423;
  if (overOk)
    DrawImagePartMasked(Tex.ok, 367, b + 398.0f, 64, 32, 0, 0.5f, 1, 1);
  else
    DrawImagePartMasked(Tex.ok, 367, b + 398.0f, 64, 32, 0, 0, 1, 0.5f);
}

void DreamEditorClick() {
  if (MouseX > 368 && MouseX < 432 && MouseY >= 406 && MouseY <= 422) {
    CurrentGame.dreamTimer = 50;
    PlaySample(SND_SELECT);
    return;
  }
  if (MouseX >= 304 && MouseX <= 497 && MouseY >= 202 && MouseY <= 395) {
    const int c = (MouseX - 303) / 49;
    const int r = (MouseY - 201) / 49;
    uint8_t& cell = DreamStone()[0][r * 4 + c];
    const bool corner = (c == 0 || c == 3) && (r == 0 || r == 3);
    if (corner) {
      cell = 0;
      return;
    }
    cell = cell != 0 ? 0 : 1;
    PlaySample(SND_DC);
  }
}

void DrawHelpOverlay() {
  ScreenStrings& s = Strings();
  HoverId = 0;
  DimScreen(128);
  DrawPanel(310, 70, 180, 40, 128, 128, 228);
  DrawPanel(30, 107, 740, 382, 128, 128, 228);
  DrawPanel(400, 486, 150, 40, 128, 128, 228);
  DrawPanel(250, 486, 150, 40, 128, 128, 228);
  DrawHoverText(308, 494, 21, s.play, HELP_PLAY_ID);
  DrawHoverText(409, 494, 21, s.dontShow, HELP_DONT_SHOW_ID);
  DrawText(CentredX(400, s.instructions, 30), 73, 30, 255, 255, 0, s.instructions);
  DrawInstructionPage(CurrentGame.helpPage, 800, -33);
  DrawCursor();
}

void DrawGameScene() {
  const int q = FieldHalfWidth(CylinderSize);

  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginScreenSpace();
  DrawBackdrop(q);
  DrawHud(q);
  EndScreenSpace();

  // The 3D pass, seen through the perspective camera.
  glLoadIdentity();
  glEnable(GL_LIGHTING);
  glTranslatef(0.0f, 4.0f, -25.0f);
  DrawFlyingStones();
  DrawPlayfield();
  DrawStars();
  DrawDust();
  DrawSuitDrops();
  DrawExplosions();
  SetFieldLighting();
  DrawAnchorAndAim();

  glDisable(GL_LIGHTING);
  BeginScreenSpace();
  const uint32_t back = BackPicture();
  DrawImagePartMasked(back, 326.0f - q, 520, 64, 64, 0, 0.875f, 0.125f, 1);
  DrawImagePartMasked(back, 410.0f + q, 520, 64, 64, 0.875f, 0.875f, 1, 1);
  DrawMultiLineBanner();
  DrawLevelUpBanner();
  if (CurrentGame.dreamTimer > 0)
    DrawDreamEditor();
  else
    DreamEditorShown = 0; // a game left with the editor open must not keep the pointer
  if (CurrentGame.gameOver >= 50) DrawGameOverDialog();
  if (CurrentGame.paused == 1)
    DrawPauseDialog();
  else if (DreamEditorShown == 1)
    DrawCursor();
  if (CurrentGame.levelCleared == 1) DrawLevelClear();
  if (CurrentGame.helpShown == 1) DrawHelpOverlay();
  EndScreenSpace();

  // Boxes thrown off the cylinder and debris fly in front of the HUD.
  glEnable(GL_LIGHTING);
  DrawFallingBoxes();
  DrawDebris();

  if (CurrentGame.startDelay > 0) {
    BeginScreenSpace();
    DimScreen(static_cast<uint8_t>(-10 * CurrentGame.startDelay));
    EndScreenSpace();
  }
  if (CurrentGame.levelCleared == 1 && CurrentGame.shownLevelScore == 0 && CurrentGame.clearEndTicks <= 200) {
    BeginScreenSpace();
    DrawIrisWipe(400, 300, 800 - 4 * CurrentGame.clearEndTicks);
    EndScreenSpace();
  }
}
