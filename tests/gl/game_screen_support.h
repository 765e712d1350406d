// Helpers for the game screen's GL tests, on top of the shared GL fixture:
// controlled textures and display lists, a digit strip whose digits can be read
// back, world-to-screen projection and the sound requests of the drawing.
#pragma once
#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "app/program.h"
#include "assets/catalogue.h"
#include "assets/sound.h"
#include "core/files.h"
#include "game/highscore.h"
#include "game/options.h"
#include "game/state.h"
#include "gl_fixture.h"
#include "render/gl_state.h"
#include "support/headless_game.h"
#include "support/sound_log.h"
#include "ui/text.h"

namespace screen_test {

// The shared game window with the game's fixed GL state set again.
inline bool RequireWindow() {
  if (!OpenGameTestWindow()) return false;
  ResetTestFrame();
  return true;
}

// The program's own start of a window with the real data set: GL state, audio
// once, then the real textures and models (a later start only rebuilds the GL
// objects). Returns the path of a record the loader requires but cannot read
// (it would end the program), or "" once everything is loaded.
inline std::string InitializeRealGame() {
  for (const char* file : {"data/misc/hsc.dat", "data/misc/levels.qrb", "data/misc/font.dat"}) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(DataPath(file), bytes)) return DataPath(file);
  }
  if (!OpenGameTestWindow()) return "the game window";
  InitializeGame();
  return "";
}

inline Rgb Pixel(int x, int y) {
  return PixelAt(x, y);
}
inline Rgb MakeRgb(int r, int g, int b) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// A texture of one colour (nearest filtering, so the colour is exact).
inline uint32_t SolidTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  std::vector<uint8_t> texels(16 * 4);
  for (int n = 0; n < 16; ++n) {
    texels[n * 4] = r;
    texels[n * 4 + 1] = g;
    texels[n * 4 + 2] = b;
    texels[n * 4 + 3] = a;
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return name;
}

// The colour the test digit strip gives digit d.
inline Rgb DigitColour(int d) {
  return MakeRgb(20 + 23 * d, 240 - 21 * d, 30 + 11 * d);
}

// A digit strip laid out like the game's (512 texels, digit d = 1..9 at
// 50d - 50 .. 50d, 0 at 450..500), each digit a solid colour of its own.
inline uint32_t DigitStripTexture() {
  std::vector<uint8_t> texels(512 * 4 * 4);
  for (int x = 0; x < 512; ++x) {
    int d = x < 450 ? x / 50 + 1 : 0;
    const Rgb c = x >= 500 ? Rgb{0, 0, 0} : DigitColour(d);
    for (int y = 0; y < 4; ++y) {
      uint8_t* t = &texels[(y * 512 + x) * 4];
      t[0] = c.r, t[1] = c.g, t[2] = c.b;
      t[3] = 255;
    }
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 512, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return name;
}

// The digit whose test colour the pixel shows, or -1.
inline int DigitAt(int x, int y) {
  const Rgb p = Pixel(x, y);
  for (int d = 0; d <= 9; ++d)
    if (Near(p, DigitColour(d), 2)) return d;
  return -1;
}

// A display list of the unit cube's front face (z = 1), enough to see a model
// where the scene places it.
inline uint32_t FrontFaceList() {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  glVertex3f(0, 0, 1), glVertex3f(1, 0, 1), glVertex3f(1, 1, 1), glVertex3f(0, 1, 1);
  glEnd();
  glEndList();
  return list;
}

// Every texture of the catalogue set to one opaque colour (masked pictures are
// then invisible, since they show only texels of alpha 0.1 or less), the digit
// strip to the test strip, and every display list to an empty list or the front
// face of the unit cube (box and tube).
inline void UseTestAssets(uint8_t r = 40, uint8_t g = 40, uint8_t b = 40) {
  static uint32_t background = 0, digits = 0, face = 0, empty = 0;
  if (background == 0 || !glIsTexture(background)) {
    background = SolidTexture(r, g, b);
    digits = DigitStripTexture();
    face = FrontFaceList();
    empty = glGenLists(1);
    glNewList(empty, GL_COMPILE);
    glEndList();
  }
  uint32_t* names = reinterpret_cast<uint32_t*>(&Tex);
  for (size_t n = 0; n < sizeof(Tex) / sizeof(uint32_t); ++n) names[n] = background;
  Tex.ziffern = digits;
  Lists = {face, empty, empty, empty, empty, face, empty, empty};
  // Glyphs half a cell wide: a text of n characters at size s is n * s / 2 wide.
  for (uint16_t& w : FontWidths) w = 16;
}

// Keeps the textures, display lists and glyph widths of the catalogue while a
// test replaces them, and puts them back afterwards for the tests that follow.
class AssetGuard {
public:
  AssetGuard() : tex_(Tex), lists_(Lists) {
    std::copy(std::begin(FontWidths), std::end(FontWidths), widths_);
  }
  ~AssetGuard() {
    Tex = tex_;
    Lists = lists_;
    std::copy(std::begin(widths_), std::end(widths_), FontWidths);
  }
  AssetGuard(const AssetGuard&) = delete;
  AssetGuard& operator=(const AssetGuard&) = delete;

private:
  GameTextures tex_;
  GameLists lists_;
  uint16_t widths_[256];
};

// Keeps what the player files hold (high scores with the profile, options, item
// slots) while a test changes them, so nothing a test sets up is ever saved.
class PlayerFilesGuard {
public:
  PlayerFilesGuard() : scores_(HighScores) {
    std::copy(std::begin(Options), std::end(Options), options_);
    std::copy(std::begin(ItemSlots), std::end(ItemSlots), slots_);
  }
  ~PlayerFilesGuard() {
    HighScores = scores_;
    std::copy(std::begin(options_), std::end(options_), Options);
    std::copy(std::begin(slots_), std::end(slots_), ItemSlots);
  }
  PlayerFilesGuard(const PlayerFilesGuard&) = delete;
  PlayerFilesGuard& operator=(const PlayerFilesGuard&) = delete;

private:
  HighScoreRecord scores_;
  uint8_t options_[OPTIONS_SIZE];
  uint8_t slots_[3];
};

// Screen-space position of world point (x, y, z) with the game camera.
inline void WorldToScreen(double x, double y, double z, int* sx, int* sy) {
  GLdouble model[16], projection[16];
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPerspective(50.0, 4.0 / 3.0, 0.5, 2000.0);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(0, 4, -25);
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glPopMatrix();
  const GLint viewport[4] = {0, 0, 800, 600};
  GLdouble wx = 0, wy = 0, wz = 0;
  gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
  *sx = static_cast<int>(wx);
  *sy = 599 - static_cast<int>(wy);
}

// Sets up the camera of the game's 3D pass without drawing anything else.
inline void BeginCamera() {
  glViewport(0, 0, 800, 600);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 4, -25);
}

inline std::string SavePicture(const std::string& name) {
  return SaveArtifact(name);
}

} // namespace screen_test
