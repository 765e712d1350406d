// The clickable labels of every screen, one enum per screen. The drawing gives a
// label its id (DrawHoverText leaves it in HoverId while the pointer is over it)
// and the click handler acts on the id the last drawn frame left behind, so both
// name the ids from here. Ids repeat between screens: the screen shown (TopMode,
// MenuScreen) says what an id means. 0 is never a label.
#pragma once
#include <cstdint>

// --- the game screen (play/) -----------------------------------------------------------
// The pause and Retry dialogs answer with "Yes" and "No"; the "Ok" of the plain
// game-over dialog and of the name entry is a "No" (back to the front-end).
enum GameLabel : uint8_t {
  DIALOG_NO_ID = 3,
  HELP_PLAY_ID = 30,      // instructions overlay: "play..."
  HELP_DONT_SHOW_ID = 33, // instructions overlay: "don't show again..."
  DIALOG_YES_ID = 44,
};

// --- the instruction pages (ui/help_pages.h): on the menu strip and in the overlay ---
enum InstructionPageLabel : uint8_t { HELP_PREVIOUS_ID = 40, HELP_NEXT_ID = 50 };

// --- the front-end's menu strip (frontend/menu_screens.h) --------------------------------
enum MainMenuLabel : uint8_t {
  MAIN_STORY_ID = 1,
  MAIN_ARCADE_ID = 2,
  MAIN_HALL_OF_FAME_ID = 3,
  MAIN_OPTIONS_ID = 4,
  MAIN_QUIT_ID = 5,
  MAIN_INSTRUCTIONS_ID = 6,
};
// The cylinder-size panel: a size's label carries the size itself.
enum CylinderLabel : uint8_t {
  CYLINDER_8_ID = 8,
  CYLINDER_10_ID = 10,
  CYLINDER_12_ID = 12,
  CYLINDER_BACK_ID = 14
};
// The theme panel: theme t (1..5) carries THEME_FIRST_ID + t - 1.
enum ThemeLabel : uint8_t { THEME_FIRST_ID = 1, THEME_LAST_ID = 5, THEME_BACK_ID = 14 };
// "Ok" of the side screens that lead back to the main menu (hall of fame, instructions).
enum SideScreenLabel : uint8_t { SIDE_OK_ID = 20 };
// The options screen: a digit row's label for digit d (0..9) carries its row id + d;
// a yes/no row's "No" carries its "Yes" id + 1.
enum OptionsLabel : uint8_t {
  OPTIONS_MOUSE_SPEED_ID = 1,
  OPTIONS_MUSIC_VOLUME_ID = 11,
  OPTIONS_SOUND_VOLUME_ID = 21,
  OPTIONS_FULLSCREEN_YES_ID = 50,
  OPTIONS_SHOW_HELP_YES_ID = 60,
  OPTIONS_AIMHELP_YES_ID = 70,
  OPTIONS_CHARACTER_YES_ID = 80,
  OPTIONS_OK_ID = 90,
};
constexpr int OPTIONS_DIGITS = 10;

// --- the level map and the shop (frontend/level_map.h, frontend/shop.h) ------------------
enum MapLabel : uint8_t { MAP_MAIN_MENU_ID = 1, MAP_SHOP_ID = 2, MAP_INTRO_OK_ID = 77 };
// "buy" of item kind k (1..8) carries SHOP_BUY_ID + k - 1, "sell" of slot j (0..2)
// carries SHOP_SELL_ID + j.
enum ShopLabel : uint8_t { SHOP_BUY_ID = 1, SHOP_SELL_ID = 30, SHOP_BACK_ID = 60 };
