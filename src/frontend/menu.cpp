#include "frontend/menu.h"

#include <GL/gl.h>

#include "assets/catalogue.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "core/input.h"
#include "core/modes.h"
#include "frontend/level_map.h"
#include "frontend/menu_screens.h"
#include "frontend/shop.h"
#include "game/effects.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "ui/help_pages.h"
#include "ui/labels.h"
#include "ui/screen2d.h"
#include "ui/text.h"

namespace {
constexpr int32_t STRIP_MAIN = 0, STRIP_CYLINDER = -60, STRIP_THEME = -120, STRIP_SIDE = 80;

void OpenSideScreen(bool options, bool instructions) {
  MenuScreen = SCREEN_SIDE;
  SlideTarget = STRIP_SIDE;
  PlaySample(SND_SELECT);
  OptionsOpen = options ? 1 : 0;
  InstructionsOpen = instructions ? 1 : 0;
}

// Stars burst from the spot of the level that has just been unlocked.
void CelebrateUnlockedLevel(int spot) {
  if (spot < 1 || spot > MAP_SPOTS) return;
  PlaySample(SND_CHIME);
  float x = LevelSpots[spot - 1][0], y = LevelSpots[spot - 1][1];
  for (int i = 0; i < 51; ++i) {
    float vx = static_cast<float>(Random(20) - 10) / 100.0f;
    float vy = static_cast<float>(Random(20) - 10) / 100.0f;
    SpawnMenuStar(x, y, vx, vy);
  }
}

void StartStoryLevel(int32_t spot) {
  StartLevelIndex = static_cast<uint16_t>(spot - 1);
  TopMode = MODE_START_GAME;
  StoryProgressAtStart = HighScores.profile.storyProgress;
  PlaySample(SND_SELECT);
  PlaySample(SND_START);
  ChosenTheme = ThemeForSpot(spot);
}

void InstructionsClick(int32_t id) {
  if (id == SIDE_OK_ID) {
    SlideTarget = STRIP_MAIN;
  } else if (id == HELP_PREVIOUS_ID && InstructionsPage > 0) {
    --InstructionsPage;
    PlaySample(SND_SELECT);
  } else if (id == HELP_NEXT_ID && InstructionsPage < HELP_PAGES - 1) {
    PlaySample(SND_SELECT);
    ++InstructionsPage;
  }
}

void SetYesNo(int optionByte, bool yes) {
  Options[optionByte] = yes ? 1 : 0;
}

// Whether `id` is one of the ten digit labels of the row starting at `first`.
bool InDigitRow(int32_t id, int32_t first) {
  return id >= first && id < first + OPTIONS_DIGITS;
}

// Whether `id` is the "Yes" (`yes`) or the "No" (`yes` + 1) of a yes/no row.
bool InYesNoRow(int32_t id, int32_t yes) {
  return id == yes || id == yes + 1;
}

void OptionsClick(int32_t id) {
  if (InDigitRow(id, OPTIONS_MOUSE_SPEED_ID)) {
    Options[OPT_MOUSE_SPEED] = static_cast<uint8_t>(id - OPTIONS_MOUSE_SPEED_ID);
  } else if (InDigitRow(id, OPTIONS_MUSIC_VOLUME_ID)) {
    Options[OPT_MUSIC_VOLUME] = static_cast<uint8_t>(id - OPTIONS_MUSIC_VOLUME_ID);
    SetStreamVolume(Options[OPT_MUSIC_VOLUME] * 10);
  } else if (InDigitRow(id, OPTIONS_SOUND_VOLUME_ID)) {
    Options[OPT_SOUND_VOLUME] = static_cast<uint8_t>(id - OPTIONS_SOUND_VOLUME_ID);
    SetSampleVolume(Options[OPT_SOUND_VOLUME] * 10);
  } else if (InYesNoRow(id, OPTIONS_FULLSCREEN_YES_ID)) {
    uint8_t fullscreen = id == OPTIONS_FULLSCREEN_YES_ID ? 1 : 0;
    // The window follows the choice; it may differ from the saved option when the
    // run was started with --fullscreen or --windowed.
    if (WantFullscreen != fullscreen) DisplaySwitchRequested = 1;
    Options[OPT_FULLSCREEN] = fullscreen;
  } else if (InYesNoRow(id, OPTIONS_SHOW_HELP_YES_ID)) {
    SetYesNo(OPT_SHOW_HELP, id == OPTIONS_SHOW_HELP_YES_ID);
  } else if (InYesNoRow(id, OPTIONS_AIMHELP_YES_ID)) {
    SetYesNo(OPT_ARCADE_AIMHELP, id == OPTIONS_AIMHELP_YES_ID);
  } else if (InYesNoRow(id, OPTIONS_CHARACTER_YES_ID)) {
    SetYesNo(OPT_SHOW_CHARACTER, id == OPTIONS_CHARACTER_YES_ID);
  } else if (id == OPTIONS_OK_ID) {
    // A failed write is reported by WriteOptionsFile; the settings stay in effect.
    WriteOptionsFile();
    SlideTarget = STRIP_MAIN;
    // The window re-opened by a display switch is running again: the next exit
    // may save the high scores.
    RestartPending = 0;
  }
  PlaySample(SND_SELECT);
}

void MapClick(int32_t id) {
  if (id == MAP_MAIN_MENU_ID) {
    MenuScreen = SCREEN_MAIN;
    HoverId = 0;
    SlidePos = 60;
    SlideTarget = STRIP_MAIN;
    PlaySample(SND_SELECT);
    StartMusic(MUS_TITLE);
  } else if (id == MAP_SHOP_ID) {
    MenuScreen = SCREEN_SHOP;
    HoverId = 0;
    PlaySample(SND_SELECT);
  }
}

void MainMenuClick(int32_t id) {
  switch (id) {
  case MAIN_STORY_ID:
    MenuScreen = SCREEN_MAP;
    FadeLevel = 0;
    PlaySample(SND_SELECT);
    StartMusic(MUS_MAP);
    break;
  case MAIN_ARCADE_ID:
    MenuScreen = SCREEN_CYLINDER;
    SlideTarget = STRIP_CYLINDER;
    PlaySample(SND_SELECT);
    break;
  case MAIN_HALL_OF_FAME_ID:
    OpenSideScreen(false, false);
    break;
  case MAIN_OPTIONS_ID:
    OpenSideScreen(true, false);
    break;
  case MAIN_QUIT_ID:
    if (StripStillTicks >= QUIT_STILL_TICKS) QuitProgram();
    break;
  case MAIN_INSTRUCTIONS_ID:
    OpenSideScreen(false, true);
    InstructionsPage = 0;
    break;
  default:
    break;
  }
}

void CylinderClick(int32_t id) {
  if (id == CYLINDER_BACK_ID) {
    MenuScreen = SCREEN_MAIN;
    SlideTarget = STRIP_MAIN;
    PlaySample(SND_SELECT);
  } else if (id == CYLINDER_8_ID || id == CYLINDER_10_ID || id == CYLINDER_12_ID) {
    // A size's label carries the size.
    ArcadeCylinderSize = id;
    MenuScreen = SCREEN_THEME;
    SlideTarget = STRIP_THEME;
    PlaySample(SND_SELECT);
  }
}

void ThemeClick(int32_t id) {
  if (id == THEME_BACK_ID) {
    MenuScreen = SCREEN_CYLINDER;
    SlideTarget = STRIP_CYLINDER;
    PlaySample(SND_SELECT);
  } else if (id >= THEME_FIRST_ID && id <= THEME_LAST_ID) {
    StartLevelIndex = ARCADE_LEVEL;
    ChosenTheme = static_cast<uint8_t>(id - THEME_FIRST_ID + 1);
    TopMode = MODE_START_GAME;
    PlaySample(SND_SELECT);
    PlaySample(SND_START);
  }
}
} // namespace

uint8_t ThemeForSpot(int32_t spot) {
  if (spot >= 41) return 5;
  if (spot < 1) return 1;
  return static_cast<uint8_t>((spot - 1) / 5 % 4 + 1);
}

void EnterFrontEnd(uint32_t now) {
  MenuStartTime = now;
  MenuTicks = 0;
  FadeLevel = 0;
  StripStillTicks = 0;
  OptionsOpen = 0;
  InstructionsOpen = 0;
  if (MenuScreen != SCREEN_MAP && MenuScreen != SCREEN_SHOP) StartMusic(MUS_TITLE);
  if (MenuScreen == SCREEN_MAP) {
    StartMusic(MUS_MAP);
    int32_t progress = HighScores.profile.storyProgress;
    if (progress - 1 == StoryProgressAtStart) CelebrateUnlockedLevel(progress);
  }
}

void MenuTick() {
  ++MenuTicks;
  if (SlidePos != SlideTarget)
    StripStillTicks = 0;
  else if (StripStillTicks < 255)
    ++StripStillTicks;
  if (SlidePos > SlideTarget) --SlidePos;
  if (SlidePos < SlideTarget) ++SlidePos;
  // A side screen becomes the main menu once the strip has brought the main menu
  // back. Only the side screen: the arcade set-up passes 0 on its way out when
  // "Arcade mode" is clicked while the menu is still sliding in, and must keep
  // its screen id.
  if (SlidePos == 0 && MenuScreen == SCREEN_SIDE) MenuScreen = SCREEN_MAIN;
  if (FadeLevel < 254) FadeLevel = static_cast<uint8_t>(FadeLevel + 2);
  TickStars();
}

void MenuFrame(uint32_t now) {
  // The difference is taken in signed 32 bits: the clock wraps, and the frame's time
  // may be read a moment before the front-end was entered in the same frame.
  int32_t elapsed = static_cast<int32_t>(now - MenuStartTime);
  int32_t due = DivTrunc(elapsed, 10) - MenuTicks;
  for (int32_t i = 0; i < due; ++i) MenuTick();
  DrawMenus();
  if (HoverId != PrevHoverId && HoverId != 0) PlaySample(SND_MOVER);
  PrevHoverId = HoverId;
}

void DrawMenus() {
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ReleaseCursor();
  BeginScreenSpace();
  BeginLabels();
  HoverSpot = 0;

  if (MenuScreen < SCREEN_MAP) {
    int p = 10 * SlidePos;
    DrawTitleScreen();
    DrawMainMenu(p);
    DrawCylinderPanel(p);
    DrawThemePanel(p);
    if (MenuScreen == SCREEN_SIDE) DrawSideScreen(p);
  } else if (MenuScreen == SCREEN_MAP) {
    DrawLevelMap();
  } else if (MenuScreen == SCREEN_SHOP) {
    DrawShop();
  }

  DrawPointer();
  if (FadeLevel < 254) DimScreen(FadeLevel);
  EndScreenSpace();

  if (HoverSpot != PrevHoverSpot && HoverSpot > 0) PlaySample(SND_MOVER);
  PrevHoverSpot = HoverSpot;
}

void MenuClick() {
  if (HoverId == MAP_INTRO_OK_ID) {
    PlaySample(SND_SELECT);
    StoryIntroSeen = 1;
  }
  if (HoverSpot > 0 && StoryIntroSeen == 1) {
    StartStoryLevel(HoverSpot);
    return;
  }
  if (MenuScreen == SCREEN_SIDE && InstructionsOpen == 1) InstructionsClick(HoverId);
  if (MenuScreen == SCREEN_SIDE && OptionsOpen == 1) {
    OptionsClick(HoverId);
    return;
  }
  if (MenuScreen == SCREEN_MAP) {
    MapClick(HoverId);
    if (MenuScreen == SCREEN_MAIN) return;
  }
  if (MenuScreen == SCREEN_SHOP) ShopClick(HoverId);
  if (MenuScreen == SCREEN_SIDE && HoverId == SIDE_OK_ID) {
    SlideTarget = STRIP_MAIN;
    PlaySample(SND_SELECT);
  }
  // The three strip screens are tested afresh one after the other: a click that
  // moves on to the next screen arrives there with an id that means nothing there.
  if (MenuScreen == SCREEN_MAIN) MainMenuClick(HoverId);
  if (MenuScreen == SCREEN_CYLINDER) CylinderClick(HoverId);
  if (MenuScreen == SCREEN_THEME) ThemeClick(HoverId);
}
