#include "frontend/menu_screens.h"

#include <cmath>
#include <string>

#include "assets/catalogue.h"
#include "core/arith.h"
#include "frontend/hall_of_fame.h"
#include "frontend/menu_state.h"
#include "game/highscore.h"
#include "game/options.h"
#include "ui/help_pages.h"
#include "ui/labels.h"
#include "ui/screen2d.h"
#include "ui/text.h"

namespace {
// The texts live here once, so that drawing a frame never builds a long string.
const std::string STORY_MODE = "Story mode", ARCADE_MODE = "Arcade mode", HALL_OF_FAME = "Hall of fame",
                  INSTRUCTIONS = "Instructions", OPTIONS = "Options", QUIT = "Quit", VERSION = "v. 1.4",
                  CYLINDER_SIZE = "Cylinder Size", SELECT_THEME = "Select Theme", BACK = "Back",
                  OK_UPPER = "Ok", OK_LOWER = "ok", YES = "Yes", NO = "No", YES_NO_MARKER = "[    ]",
                  DIGIT_MARKER = "[ ]";
const std::string SIZE_LABELS[3] = {"8", "10", "12"};
const std::string THEME_NAMES[5] = {"Forest", "City", "Desert", "Beach", "Mountain"};
const std::string DIGITS[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

struct YesNoRow {
  std::string text;
  int y;
  int optionByte;
  uint8_t yesId;
};
const YesNoRow YES_NO_ROWS[4] = {
    {"Fullscreen", 180, OPT_FULLSCREEN, OPTIONS_FULLSCREEN_YES_ID},
    {"Show instructions on Startup", 230, OPT_SHOW_HELP, OPTIONS_SHOW_HELP_YES_ID},
    {"Aimhelp in Arcade Mode", 280, OPT_ARCADE_AIMHELP, OPTIONS_AIMHELP_YES_ID},
    {"Show Ingame Character", 330, OPT_SHOW_CHARACTER, OPTIONS_CHARACTER_YES_ID}};

struct DigitRow {
  std::string text;
  int y;
  int optionByte;
  uint8_t firstId;
};
const DigitRow DIGIT_ROWS[3] = {{"Ingame Mouse Speed", 380, OPT_MOUSE_SPEED, OPTIONS_MOUSE_SPEED_ID},
                                {"Music Volume", 430, OPT_MUSIC_VOLUME, OPTIONS_MUSIC_VOLUME_ID},
                                {"Sound Volume", 480, OPT_SOUND_VOLUME, OPTIONS_SOUND_VOLUME_ID}};

void BluePanel(int x, int y, int width, int height) {
  DrawPanel(x, y, width, height, 128, 128, 228);
}

// An orange panel heading with a black shadow.
void PanelHeading(int centre, int y, const std::string& text) {
  DrawCentredShadowedText(centre, y, 30, 255, 178, 109, text);
}
} // namespace

int32_t LogoDropY(int32_t ticks, int32_t firstTick, int32_t restY) {
  if (ticks < firstTick) return restY - 300;
  if (ticks > firstTick + 98) return restY;
  // A quarter cosine: fast at first, slowing to rest. Long double keeps the
  // rounding of the half-way cases stable.
  long double phase =
      static_cast<long double>(firstTick + 99 - ticks) / 100.0L * 3.14159265358979323846L / 2.0L;
  return restY + Round(static_cast<double>(300.0L * std::cos(phase) - 300.0L));
}

int32_t ThemeUnlockProgress(int theme) {
  if (theme == 4) return 16;
  if (theme == 5) return 41;
  return 0;
}

void DrawTitleScreen() {
  DrawImagePart(Tex.title, 0, 0, 800, 600, 0, 0, ShownParts.title.uRight, ShownParts.title.vBottom);
  DrawText(18, 584, 14, 50, 50, 50, VERSION);
  DrawImagePartGlow(Tex.boxes, 254, static_cast<float>(LogoDropY(MenuTicks, 186, 10)), 512, 128, 0, 0, 1, 1,
                    50);
  DrawImagePartTinted(Tex.quor, 89, static_cast<float>(LogoDropY(MenuTicks, 101, 30)), 256, 128, 0, 0, 1, 1,
                      255, 255, 255);
}

void DrawMainMenu(int p) {
  BluePanel(p + 310, 340, 180, 231);
  DrawCentredHoverText(p + 400, 348, 30, STORY_MODE, MAIN_STORY_ID);
  DrawCentredHoverText(p + 400, 380, 30, ARCADE_MODE, MAIN_ARCADE_ID);
  DrawCentredHoverText(p + 400, 412, 30, HALL_OF_FAME, MAIN_HALL_OF_FAME_ID);
  DrawCentredHoverText(p + 400, 444, 30, INSTRUCTIONS, MAIN_INSTRUCTIONS_ID);
  DrawCentredHoverText(p + 400, 476, 30, OPTIONS, MAIN_OPTIONS_ID);
  DrawCentredHoverText(p + 400, 530, 30, QUIT, MAIN_QUIT_ID);
}

void DrawCylinderPanel(int p) {
  BluePanel(p + 910, 372, 180, 112);
  PanelHeading(p + 1000, 380, CYLINDER_SIZE);
  DrawCentredHoverText(p + 942, 417, 30, SIZE_LABELS[0], CYLINDER_8_ID);
  DrawCentredHoverText(p + 992, 417, 30, SIZE_LABELS[1], CYLINDER_10_ID);
  DrawCentredHoverText(p + 1047, 417, 30, SIZE_LABELS[2], CYLINDER_12_ID);
  DrawCentredHoverText(p + 1000, 452, 20, BACK, CYLINDER_BACK_ID);
}

void DrawThemePanel(int p) {
  BluePanel(p + 1510, 357, 180, 235);
  PanelHeading(p + 1600, 365, SELECT_THEME);
  int32_t progress = HighScores.profile.storyProgress;
  for (int theme = 1; theme <= 5; ++theme) {
    int y = 397 + 32 * (theme - 1);
    const std::string& name = THEME_NAMES[theme - 1];
    if (progress >= ThemeUnlockProgress(theme))
      DrawCentredHoverText(p + 1600, y, 30, name, static_cast<uint8_t>(THEME_FIRST_ID + theme - 1));
    else
      DrawCentredText(p + 1600, y, 30, 128, 128, 128, name);
  }
  DrawCentredHoverText(p + 1600, 562, 20, BACK, THEME_BACK_ID);
}

void DrawSideScreen(int p) {
  if (InstructionsOpen == 1)
    DrawInstructionsScreen(p);
  else if (OptionsOpen == 1)
    DrawOptionsScreen(p);
  else
    DrawHallOfFame(p);
}

void DrawInstructionsScreen(int p) {
  BluePanel(p - 490, 103, 180, 40);
  BluePanel(p - 770, 140, 740, 382);
  BluePanel(p - 430, 519, 60, 40);
  DrawCentredHoverText(p - 400, 522, 30, OK_UPPER, SIDE_OK_ID);
  DrawCentredText(p - 400, 106, 30, 255, 255, 0, INSTRUCTIONS);
  DrawInstructionPage(InstructionsPage, p, 0);
}

void DrawOptionsScreen(int p) {
  BeginLabels();
  BluePanel(p - 530, 170, 260, 410);
  for (const YesNoRow& row : YES_NO_ROWS) {
    DrawText(p - 500, row.y, 20, 255, 255, 0, row.text);
    int markerX = Options[row.optionByte] == 1 ? p - 502 : p - 462;
    DrawText(markerX, row.y + 19, 20, 255, 0, 0, YES_NO_MARKER);
    DrawHoverText(p - 500, row.y + 20, 20, YES, row.yesId);
    DrawHoverText(p - 460, row.y + 20, 20, NO, static_cast<uint8_t>(row.yesId + 1));
  }
  for (const DigitRow& row : DIGIT_ROWS) {
    DrawText(p - 500, row.y, 20, 255, 255, 0, row.text);
    DrawText(p - 502 + 20 * Options[row.optionByte], row.y + 19, 20, 255, 0, 0, DIGIT_MARKER);
    for (int c = 0; c < OPTIONS_DIGITS; ++c)
      DrawHoverText(p - 500 + 20 * c, row.y + 20, 20, DIGITS[c], static_cast<uint8_t>(row.firstId + c));
  }
  DrawCentredHoverText(p - 400, 532, 30, OK_LOWER, OPTIONS_OK_ID);
}
