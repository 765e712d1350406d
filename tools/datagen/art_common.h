// Shared look of the game's pictures: the palette every picture draws from,
// lettering rendered with FreeType, the conversion to the game's inverted mask,
// and small motifs (boxes, the guide character) that several pictures repeat.
#pragma once
#include <string>

#include "image.h"

// ---- Palette ---------------------------------------------------------------
// Night-indigo frames with warm gold trim; cream paper; the HUD displays are the
// near-black the digit strip sits on.
namespace Pal {
inline const Color Ink = Hex(0x14122b);      // outlines, deepest shadow
inline const Color Night = Hex(0x1f1c40);    // frame body
inline const Color Plum = Hex(0x3a2f66);     // frame face
inline const Color Lilac = Hex(0x6b5ba8);    // frame highlight
inline const Color Gold = Hex(0xf2c14e);     // trim, lettering
inline const Color GoldDark = Hex(0xb9801f); // trim shadow
inline const Color Cream = Hex(0xfff3d6);    // paper, light text
inline const Color Display = Hex(0x0b0a18);  // number windows (matches the digit strip)
inline const Color Teal = Hex(0x3fb8af);
inline const Color Coral = Hex(0xff6b5b);
inline const Color Leaf = Hex(0x5fae4e);
} // namespace Pal

// The ten box colours of the playfield (the game tints its boxes with these).
Color BoxColor(int index);

// ---- Lettering -------------------------------------------------------------

enum class Face { Bold, Regular, CondensedBold };

// White text with its coverage in alpha, cropped to the ink plus `pad` pixels on
// every side. Empty canvas when the font cannot be loaded (a message is printed).
Canvas RenderText(const std::string& text, int pixelSize, Face face = Face::Bold, int pad = 8);

struct TextStyle {
  Color top = Pal::Cream;   // fill gradient, top of the ink
  Color bottom = Pal::Gold; // fill gradient, bottom of the ink
  Color outline = Pal::Ink; // outline colour (alpha 0: none)
  float outlineWidth = 3;   // pixels
  Color shadow = Hex(0x000000, 0.45f);
  int shadowOffset = 3; // pixels down and right (0: none)
  int shadowBlur = 2;
};

// Draws styled text centred on (cx, cy) (the ink box's centre). Returns the
// width of the ink box.
int DrawTextStyled(Canvas& cv, const std::string& text, float cx, float cy, int pixelSize,
                   const TextStyle& style, Face face = Face::Bold);

// Draws a coverage canvas (white with alpha, as RenderText returns) styled and
// centred on (cx, cy).
void DrawMaskStyled(Canvas& cv, const Canvas& mask, float cx, float cy, const TextStyle& style);

// Grows the alpha of a coverage canvas by `radius` pixels (round brush).
Canvas DilateAlpha(const Canvas& src, float radius);

// ---- Masks -----------------------------------------------------------------

// Converts a picture with ordinary alpha (coverage) into the game's masked form,
// where a texel shows when its alpha is at most 0.1: the alpha is inverted around
// that threshold so the filtered edge follows the drawn outline, and the colour
// of hidden texels is spread from the nearest shown ones so filtering never pulls
// a foreign colour into the edge.
void ToMasked(Canvas& cv);

// ---- Motifs ----------------------------------------------------------------

// A box painted as the playfield's box model looks under its light (box_look.h),
// filling the square at (x, y).
void DrawBoxTile(Canvas& cv, float x, float y, float size, const Color& base);
// The grey tube cell pushed in from the bottom.
void DrawTubeTile(Canvas& cv, float x, float y, float size);
// A bomb box: dark sphere with a fuse, on a box of the given colour.
void DrawBombTile(Canvas& cv, float x, float y, float size, const Color& base);
// The guide character of the story ("Quo"): a round little creature, drawn with its
// body centred on (cx, cy) at the given radius. mood: 0 normal, 1 worried, 2 scared,
// 3 happy, 4 game over; eyesClosed blinks; talking opens the mouth.
void DrawGuide(Canvas& cv, float cx, float cy, float radius, int mood, bool eyesClosed, bool talking);
// A disc filled with a vertical gradient (top to bottom of the disc).
void FillCircleGradient(Canvas& cv, float cx, float cy, float r, const Color& top, const Color& bottom);
// A solid cube seen in 3D: turned by `yaw` about the vertical and tipped by
// `pitch` towards the viewer (radians), edge length `size` pixels, lit from the top left.
void DrawCube(Canvas& cv, float cx, float cy, float size, float yaw, float pitch, const Color& base);
// A soft drop shadow ellipse.
void DrawShadow(Canvas& cv, float cx, float cy, float rx, float ry, float alpha);

// ---- Scenery ---------------------------------------------------------------
// Building blocks of the landscapes (title, theme skies and back pictures, map).

// A silhouette whose top edge at column x is baseY − amplitude · fbm(x · freq),
// filled down to bottomY, over the columns x0..x1. Soft (antialiased) top edge.
void DrawRidge(Canvas& cv, float x0, float x1, float baseY, float amplitude, float freq, uint32_t seed,
               const Color& top, const Color& bottom, float bottomY);
// Jagged peaks: `peaks` triangles with snow caps down to `snowDepth` of their height.
void DrawMountains(Canvas& cv, float x0, float x1, float baseY, float height, int peaks, uint32_t seed,
                   const Color& rock, const Color& shade, const Color& snow, float snowDepth);
void DrawCloud(Canvas& cv, float cx, float cy, float width, const Color& color, uint32_t seed);
void DrawSun(Canvas& cv, float cx, float cy, float r, const Color& core, const Color& glow);
// `count` white stars of radius rMin..rMax and alpha aMin..aMax scattered over
// [0, width) x [0, height), drawn from `rng`.
void ScatterStars(Canvas& cv, Rng& rng, int count, float width, float height, float rMin, float rMax,
                  float aMin, float aMax);
void DrawPine(Canvas& cv, float x, float baseY, float height, const Color& leaf, const Color& trunk);
void DrawRoundTree(Canvas& cv, float x, float baseY, float height, const Color& leaf, const Color& trunk,
                   uint32_t seed);
void DrawPalm(Canvas& cv, float x, float baseY, float height, float lean, const Color& leaf,
              const Color& trunk);
void DrawPyramid(Canvas& cv, float cx, float baseY, float width, float height, const Color& lit,
                 const Color& shade);
// A row of buildings between x0 and x1 standing on baseY, up to maxHeight tall, with
// lit windows (windowColor) scattered by the seed.
void DrawSkyline(Canvas& cv, float x0, float x1, float baseY, float minHeight, float maxHeight, uint32_t seed,
                 const Color& body, const Color& windowColor, float windowChance);
// Scattered sparkles (small four-pointed stars).
void DrawSparkle(Canvas& cv, float cx, float cy, float r, const Color& c);
// Film-grain like noise added to the colour channels (strength 0..1) so large
// gradients do not band.
void AddGrain(Canvas& cv, float strength, uint32_t seed);
