#include "ui/text.h"

#include <GL/gl.h>

#include "assets/catalogue.h"
#include "render/gl_state.h"
#include "ui/pointer_targets.h"

namespace {
// The state every text is drawn with, set once for the texts drawn together.
void BeginGlyphs() {
  // Multisampling would blur the glyph edges of the small font.
  if (MultisampleEnabled == 1) EnableMultisample(false);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, Tex.font);
}

void EndGlyphs() {
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  if (MultisampleEnabled == 1) EnableMultisample(true);
}

void Glyphs(int x, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue, const std::string& text) {
  float top = static_cast<float>(y);
  float bottom = static_cast<float>(y + size);
  // Each glyph starts at the whole pixel nearest its exact pen position, so a text
  // ends where TextWidth says it does, however many glyphs it holds (moving on by
  // each glyph's truncated width would lose half a pixel per glyph).
  float pen = 0;
  for (unsigned char c : text) {
    float w = static_cast<float>(FontWidths[c]);
    float dw = w / 32 * size;
    float hw = w / 1024;
    float u = (c % 16) * 0.0625f + 0.03125f;
    float vb = 1 - (c / 16) * 0.0625f - 0.0625f;
    float vt = vb + 0.0625f;
    float left = static_cast<float>(x + static_cast<int>(pen + 0.5f));
    glColor3f(red / 255.0f, green / 255.0f, blue / 255.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(u - hw, vb);
    glVertex2f(left, bottom);
    glTexCoord2f(u + hw, vb);
    glVertex2f(left + dw, bottom);
    glTexCoord2f(u + hw, vt);
    glVertex2f(left + dw, top);
    glTexCoord2f(u - hw, vt);
    glVertex2f(left, top);
    glEnd();
    pen += dw;
  }
}
} // namespace

void DrawText(int x, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue, const std::string& text) {
  BeginGlyphs();
  Glyphs(x, y, size, red, green, blue, text);
  EndGlyphs();
}

void DrawCentredText(int centre, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue,
                     const std::string& text) {
  DrawText(CentredX(centre, text, size), y, size, red, green, blue, text);
}

void DrawShadowedText(int x, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue,
                      const std::string& text) {
  // The shadow and the text in one go: the same drawing as two DrawText calls.
  BeginGlyphs();
  Glyphs(x + 2, y + 2, size, 0, 0, 0, text);
  Glyphs(x, y, size, red, green, blue, text);
  EndGlyphs();
}

void DrawCentredShadowedText(int centre, int y, uint8_t size, uint8_t red, uint8_t green, uint8_t blue,
                             const std::string& text) {
  DrawShadowedText(CentredX(centre, text, size), y, size, red, green, blue, text);
}

void DrawHoverText(int x, int y, uint8_t size, const std::string& text, uint8_t id) {
  float wf = 0;
  for (unsigned char c : text) wf += static_cast<float>(FontWidths[c]) / 32 * size;
  const bool under = MouseX >= x && MouseX <= x + wf && MouseY >= y && MouseY <= y + size;
  if (under) HoverId = id;
  AddPointerTarget(x, y, static_cast<int>(wf + 1), size, id);
  DrawShadowedText(x, y, size, 255, 255, under ? 0 : 255, text);
}

void BeginLabels() {
  HoverId = 0;
  ClearPointerTargets();
}

void DrawCentredHoverText(int centre, int y, uint8_t size, const std::string& text, uint8_t id) {
  DrawHoverText(CentredX(centre, text, size), y, size, text, id);
}

namespace {
// One panel piece: screen rectangle and texture rectangle as sent to OpenGL.
void PanelPiece(float left, float top, float right, float bottom, float sLeft, float tTop, float sRight,
                float tBottom) {
  glBegin(GL_QUADS);
  glTexCoord2f(sLeft, tBottom);
  glVertex2f(left, bottom);
  glTexCoord2f(sRight, tBottom);
  glVertex2f(right, bottom);
  glTexCoord2f(sRight, tTop);
  glVertex2f(right, top);
  glTexCoord2f(sLeft, tTop);
  glVertex2f(left, top);
  glEnd();
}
} // namespace

void DrawPanel(int x, int y, int width, int height, uint8_t red, uint8_t green, uint8_t blue) {
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  // The destination is multiplied by the panel's alpha and the tinted picture is
  // added: the background darkens under the panel, more with every layer.
  glBlendFunc(GL_ONE, GL_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, Tex.menu);
  glColor3f(red / 255.0f, green / 255.0f, blue / 255.0f);
  const float b = 0.15625f, e = 0.84375f;
  float l = static_cast<float>(x), t = static_cast<float>(y);
  float r = static_cast<float>(x + width), bo = static_cast<float>(y + height);
  float l2 = l + 20, t2 = t + 20, r2 = r - 20, b2 = bo - 20;
  PanelPiece(l, t, l2, t2, 0, 0, b, b);
  PanelPiece(r2, t, r, t2, e, 0, 1, b);
  PanelPiece(r2, b2, r, bo, e, e, 1, 1);
  PanelPiece(l, b2, l2, bo, 0, e, b, 1);
  PanelPiece(l2, t, r2, t2, b, 0, e, b);
  PanelPiece(l2, b2, r2, bo, b, e, e, 1);
  PanelPiece(l, t2, l2, b2, 0, b, b, e);
  PanelPiece(l2, t2, r2, b2, b, b, e, e);
  PanelPiece(r2, t2, r, b2, e, b, 1, e);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}
