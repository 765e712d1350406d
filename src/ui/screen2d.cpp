#include "ui/screen2d.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdio>

#include "assets/catalogue.h"
#include "core/input.h"
#include "platform/platform.h"

namespace {

// State every textured helper starts from.
void BeginTextured(uint32_t texture) {
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
}

// ... and leaves behind: depth test on, texturing off (lighting stays off).
void EndTextured() {
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
}

// One quad in the helpers' vertex order: bottom-left, bottom-right, top-right,
// top-left, with t = 1 - v because pictures are stored bottom row first.
void PartQuad(float x, float y, float w, float h, float uLeft, float vTop, float uRight, float vBottom) {
  glBegin(GL_QUADS);
  glTexCoord2f(uLeft, 1 - vBottom);
  glVertex2f(x, y + h);
  glTexCoord2f(uRight, 1 - vBottom);
  glVertex2f(x + w, y + h);
  glTexCoord2f(uRight, 1 - vTop);
  glVertex2f(x + w, y);
  glTexCoord2f(uLeft, 1 - vTop);
  glVertex2f(x, y);
  glEnd();
}

} // namespace

void BeginScreenSpace() {
  PlatformSetViewport(0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 800, 600, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void EndScreenSpace() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void BeginImageRun(uint32_t texture) {
  BeginTextured(texture);
  glColor3f(1, 1, 1);
}

void ImageRunPart(float x, float y, float w, float h, float uLeft, float vTop, float uRight, float vBottom) {
  PartQuad(x, y, w, h, uLeft, vTop, uRight, vBottom);
}

void EndImageRun() {
  EndTextured();
}

void DrawImage(uint32_t texture, int x, int y, int w, int h) {
  DrawImagePart(texture, static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                static_cast<float>(h), 0, 0, 1, 1);
}

void DrawImageFaded(uint32_t texture, int x, int y, int w, int h, uint8_t alpha) {
  BeginTextured(texture);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_SRC_COLOR);
  glColor4f(1, 1, 1, alpha / 255.0f);
  PartQuad(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(h), 0, 0,
           1, 1);
  glDisable(GL_BLEND);
  EndTextured();
}

void DrawImagePart(uint32_t texture, float x, float y, float w, float h, float uLeft, float vTop,
                   float uRight, float vBottom) {
  BeginImageRun(texture);
  ImageRunPart(x, y, w, h, uLeft, vTop, uRight, vBottom);
  EndImageRun();
}

void DrawImagePartMasked(uint32_t texture, float x, float y, float w, float h, float uLeft, float vTop,
                         float uRight, float vBottom) {
  BeginTextured(texture);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_LEQUAL, 0.1f);
  glColor3f(1, 1, 1);
  PartQuad(x, y, w, h, uLeft, vTop, uRight, vBottom);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  EndTextured();
}

void DrawImagePartTinted(uint32_t texture, float x, float y, float w, float h, float uLeft, float vTop,
                         float uRight, float vBottom, uint8_t red, uint8_t green, uint8_t blue) {
  BeginTextured(texture);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glColor3f(red / 255.0f, green / 255.0f, blue / 255.0f);
  PartQuad(x, y, w, h, uLeft, vTop, uRight, vBottom);
  glDisable(GL_BLEND);
  EndTextured();
}

void DrawImagePartGlow(uint32_t texture, float x, float y, float w, float h, float uLeft, float vTop,
                       float uRight, float vBottom, uint8_t alpha) {
  BeginTextured(texture);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glColor4f(1, 1, 1, alpha / 255.0f);
  PartQuad(x, y, w, h, uLeft, vTop, uRight, vBottom);
  glDisable(GL_BLEND);
  EndTextured();
}

void DrawNumber(int32_t value, float x, float y, float size) {
  char text[16];
  int length = std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  BeginImageRun(Tex.ziffern);
  for (int e = 0; e < length; ++e) {
    int d = text[e] - '0';
    if (d < 0 || d > 9) continue; // a minus sign has no glyph; callers pass absolute values
    float uLeft = d == 0 ? 0.87890625f : (50.0f * d - 50) / 512;
    float uRight = d == 0 ? 0.9765625f : 50.0f * d / 512;
    ImageRunPart(x + size * e, y, size, size * 64 / 50, uLeft, 0, uRight, 1);
  }
  EndImageRun();
}

void DimScreen(uint8_t level) {
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_SRC_ALPHA);
  glColor4f(0, 0, 0, level / 256.0f);
  glBegin(GL_QUADS);
  glVertex2f(800, 600);
  glVertex2f(800, 0);
  glVertex2f(0, 0);
  glVertex2f(0, 600);
  glEnd();
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void DrawPointer() {
  DrawImagePartMasked(Tex.cursor, static_cast<float>(MouseX), static_cast<float>(MouseY), 32, 32, 0, 0, 1, 1);
}

void DrawIrisWipe(int cx, int cy, int radius) {
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glColor3f(0, 0, 0);
  glBegin(GL_QUADS);
  for (int i = 0; i < 36; ++i) {
    double a = i * 0.17453292519943295;
    double b = (i + 1) * 0.17453292519943295;
    glVertex2d(cx + radius * std::sin(a), cy + radius * std::cos(a));
    glVertex2d(cx + 2000 * std::sin(a), cy + 2000 * std::cos(a));
    glVertex2d(cx + 2000 * std::sin(b), cy + 2000 * std::cos(b));
    glVertex2d(cx + radius * std::sin(b), cy + radius * std::cos(b));
  }
  glEnd();
  glEnable(GL_LIGHTING);
  glEnable(GL_DEPTH_TEST);
}
