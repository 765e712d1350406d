// Keys become Windows virtual-key codes; window positions become picture pixels
// through the letterbox that fits the 800 x 600 picture onto any drawable.
#include <gtest/gtest.h>

#include <SDL_keycode.h>

#include "platform/platform.h"

TEST(VirtualKeys, LettersDigitsAndTheGameKeysUseWindowsNumbers) {
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_a), 65);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_m), 77);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_z), 90);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_0), 48);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_9), 57);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_SPACE), 32);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RETURN), 13);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_KP_ENTER), 13);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_BACKSPACE), 8);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_TAB), 9);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_LCTRL), 17);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RCTRL), 17);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_LSHIFT), 16);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RSHIFT), 16);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_LALT), 18);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RALT), 18);
}

TEST(VirtualKeys, FunctionNavigationAndKeypadKeys) {
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_F1), 112);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_F3), 114);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_F5), 116);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_F9), 120);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_F12), 123);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_LEFT), 37);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_UP), 38);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RIGHT), 39);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_DOWN), 40);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_INSERT), 45);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_DELETE), 46);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_HOME), 36);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_END), 35);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_PAGEUP), 33);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_PAGEDOWN), 34);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_KP_0), 96);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_KP_5), 101);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_KP_9), 105);
}

TEST(VirtualKeys, KeysWithoutACodeAreZero) {
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_UNKNOWN), 0);
  EXPECT_EQ(VirtualKeyFromKeycode(SDLK_AUDIOPLAY), 0);
  EXPECT_EQ(VirtualKeyFromKeycode(0x451), 0); // a Cyrillic letter: placed by key position instead
  EXPECT_EQ(VirtualKeyFromKeycode('A'), 0);   // keycodes of letters are lower case
}

TEST(Letterbox, AnEightHundredBySixHundredDrawableIsThePictureItself) {
  Letterbox box = ComputeLetterbox(800, 600);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 0);
  EXPECT_EQ(box.width, 800);
  EXPECT_EQ(box.height, 600);
  int px, py;
  MapWindowToPicture(800, 600, 0, 0, &px, &py);
  EXPECT_EQ(px, 0);
  EXPECT_EQ(py, 0);
  MapWindowToPicture(800, 600, 799, 599, &px, &py);
  EXPECT_EQ(px, 799);
  EXPECT_EQ(py, 599);
}

TEST(Letterbox, AWideDesktopGetsBarsLeftAndRight) {
  // 1280 x 800: the picture is scaled to 1066 x 800 and centred.
  Letterbox box = ComputeLetterbox(1280, 800);
  EXPECT_EQ(box.width, 1066);
  EXPECT_EQ(box.height, 800);
  EXPECT_EQ(box.x, 107);
  EXPECT_EQ(box.y, 0);
  EXPECT_EQ(box.drawableWidth, 1280);
  int px, py;
  MapWindowToPicture(1280, 800, 107 + 533, 400, &px, &py);
  EXPECT_EQ(px, 400);
  EXPECT_EQ(py, 300);
  MapWindowToPicture(1280, 800, 107, 0, &px, &py);
  EXPECT_EQ(px, 0);
  EXPECT_EQ(py, 0);
  // Over the left bar the position is kept at the picture's edge, never negative.
  MapWindowToPicture(1280, 800, 10, 799, &px, &py);
  EXPECT_EQ(px, 0);
  EXPECT_EQ(py, 599);
  // Over the right bar it lies beyond the picture.
  MapWindowToPicture(1280, 800, 1279, 0, &px, &py);
  EXPECT_GT(px, 799);
}

TEST(Letterbox, ATallDrawableGetsBarsAboveAndBelow) {
  Letterbox box = ComputeLetterbox(800, 1000);
  EXPECT_EQ(box.width, 800);
  EXPECT_EQ(box.height, 600);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 200);
  int px, py;
  MapWindowToPicture(800, 1000, 400, 200 + 300, &px, &py);
  EXPECT_EQ(px, 400);
  EXPECT_EQ(py, 300);
  MapWindowToPicture(800, 1000, 400, 50, &px, &py);
  EXPECT_EQ(py, 0);
}

TEST(Letterbox, AnExactMultipleScalesEvenly) {
  Letterbox box = ComputeLetterbox(1600, 1200);
  EXPECT_EQ(box.width, 1600);
  EXPECT_EQ(box.height, 1200);
  int px, py;
  MapWindowToPicture(1600, 1200, 1599, 1199, &px, &py);
  EXPECT_EQ(px, 799);
  EXPECT_EQ(py, 599);
  MapWindowToPicture(1600, 1200, 2, 3, &px, &py);
  EXPECT_EQ(px, 1);
  EXPECT_EQ(py, 1);
}

TEST(Letterbox, AnEmptyDrawableMapsEverythingToTheOrigin) {
  Letterbox box = ComputeLetterbox(0, 0);
  EXPECT_EQ(box.width, 0);
  EXPECT_EQ(box.height, 0);
  int px = -1, py = -1;
  MapWindowToPicture(0, 0, 50, 50, &px, &py);
  EXPECT_EQ(px, 0);
  EXPECT_EQ(py, 0);
}
