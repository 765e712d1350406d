// The player's settings: one 7-byte record, the exact content of data/misc/opt.dat.
#pragma once
#include <cstdint>

constexpr int OPTIONS_SIZE = 7;
enum OptionByte : int {
  OPT_FULLSCREEN = 0,       // 1 full screen, 0 window
  OPT_SHOW_HELP = 1,        // instructions at every game start
  OPT_ARCADE_AIMHELP = 2,   // aim help in arcade games
  OPT_SHOW_CHARACTER = 3,   // the character portrait on the game screen
  OPT_MOUSE_SPEED = 4,      // 0..9
  OPT_MUSIC_VOLUME = 5,     // 0..9, applied x 10
  OPT_SOUND_VOLUME = 6,     // 0..9, applied x 10
};
extern uint8_t Options[OPTIONS_SIZE];

// Reads data/misc/opt.dat into Options (after zeroing it) and brings every value
// into its range. A missing file or one shorter than 7 bytes ends the program
// with a message naming it.
void ReadOptionsFile();
// Brings each setting into the range the options screen offers: the four
// switches to 0 or 1 (any other value counts as on), the three digits to 0..9
// (larger values become 9). A value out of range would otherwise show as no
// choice at all, or, for the instructions switch, open an overlay that is never
// drawn and takes every click.
void LimitOptions(uint8_t options[OPTIONS_SIZE]);
// Replaces data/misc/opt.dat atomically with Options. False (and reported) on failure.
bool WriteOptionsFile();
