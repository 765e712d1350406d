// The bitmap font: DejaVu Sans rendered by FreeType into a 16 x 16 grid of 32 x 32
// cells (textures/font.tga) and the advance of every glyph in 1/32 of a cell
// (misc/font.dat).
//
// The text drawer cuts out, for character c, a band of FontWidths[c] texels centred
// on the cell's middle and stretches the full cell height to the requested size.
// So each glyph's advance box is centred in its cell, and the face is scaled so
// that ascender and descender fit the cell with a little air above and below.
// Glyphs are white and premultiplied (colour = alpha = coverage), because text is
// drawn with the (one, one minus source alpha) blend.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <cstdio>
#include <vector>

#include "core/binio.h"
#include "datagen.h"
#include "image.h"

namespace {

constexpr const char* FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int CELL = 32;
constexpr int GRID = 16;
// Em size in texels and the horizontal squeeze: chosen so the longest lines the
// game writes (the story introduction at size 20 in its 600-pixel panel, the page
// buttons at size 30) fit their panels while capitals stay about 16 texels tall.
constexpr double EM = 22.5;
constexpr double SQUEEZE = 0.9;
// Baseline, in texels from the top of the cell: DejaVu's ascender (0.93 em) and
// descender (0.24 em) centred in the cell height.
constexpr int BASELINE = 24;
// Strokes thickened by this many texels in 26.6 units, so that the thinnest
// stems survive the bilinear shrink to the game's smallest text (size 14).
constexpr FT_Pos EMBOLDEN = 24;
// Extra texels added to every advance: the drawer truncates each advance to
// whole pixels, which would otherwise pack small text too tightly.
constexpr double TRACKING = 0.8;

bool Printable(int code) {
  return (code >= 32 && code <= 126) || code >= 160;
}

// Renders one glyph into its cell of `atlas` and returns its width in 1/32 of a
// cell, 0 when the face has no glyph for the code.
uint16_t RenderGlyph(FT_Face face, int code, Canvas& atlas) {
  FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
  if (index == 0) return 0;
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return 0;
  FT_GlyphSlot slot = face->glyph;
  double advance = slot->advance.x / 64.0 + TRACKING;
  int width = static_cast<int>(std::lround(advance));
  if (width > CELL) width = CELL;
  if (width < 1) width = 1;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return static_cast<uint16_t>(width);

  FT_Outline_EmboldenXY(&slot->outline, EMBOLDEN, EMBOLDEN);
  FT_BBox ink;
  FT_Outline_Get_CBox(&slot->outline, &ink);
  double inkLeft = ink.xMin / 64.0;
  double inkRight = ink.xMax / 64.0;
  // A glyph whose ink is wider than its advance (f, j, K) gets a wider cut-out,
  // or the drawer would clip its overhang.
  if (inkRight - inkLeft > width) width = static_cast<int>(std::ceil(inkRight - inkLeft));
  if (width > CELL) width = CELL;

  // Pen position so that the advance box sits in the middle of the cell, then
  // nudged so that all ink lies inside the band of `width` texels the drawer cuts
  // out around the cell's centre.
  double bandLeft = CELL / 2.0 - width / 2.0;
  double bandRight = CELL / 2.0 + width / 2.0;
  double pen = CELL / 2.0 - (advance - TRACKING) / 2.0;
  if (pen + inkLeft < bandLeft) pen = bandLeft - inkLeft;
  if (pen + inkRight > bandRight) pen = bandRight - inkRight;
  FT_Outline_Translate(&slot->outline, static_cast<FT_Pos>(std::lround(pen * 64.0)), 0);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return static_cast<uint16_t>(width);

  const FT_Bitmap& bm = slot->bitmap;
  int cellX = (code % GRID) * CELL;
  int cellY = (code / GRID) * CELL;
  for (unsigned row = 0; row < bm.rows; ++row) {
    int y = BASELINE - slot->bitmap_top + static_cast<int>(row);
    if (y < 0 || y >= CELL) continue;
    for (unsigned col = 0; col < bm.width; ++col) {
      int x = slot->bitmap_left + static_cast<int>(col);
      if (x < 0 || x >= CELL) continue;
      uint8_t cover = bm.buffer[row * bm.pitch + col];
      uint8_t* p = atlas.At(cellX + x, cellY + y);
      p[0] = p[1] = p[2] = p[3] = cover;
    }
  }
  return static_cast<uint16_t>(width);
}

} // namespace

bool WriteFont(const std::string& dataDir) {
  FT_Library library;
  if (FT_Init_FreeType(&library) != 0) {
    std::fprintf(stderr, "datagen: FreeType cannot start\n");
    return false;
  }
  FT_Face face;
  if (FT_New_Face(library, FONT_FILE, 0, &face) != 0) {
    std::fprintf(stderr, "datagen: cannot open the font %s (install fonts-dejavu-core)\n", FONT_FILE);
    FT_Done_FreeType(library);
    return false;
  }
  FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(std::lround(EM * 64.0)), 0, 72, 72);
  FT_Matrix squeeze = {static_cast<FT_Fixed>(std::lround(SQUEEZE * 65536.0)), 0, 0, 0x10000};
  FT_Set_Transform(face, &squeeze, nullptr);

  Canvas atlas(CELL * GRID, CELL * GRID, Color{0, 0, 0, 0});
  ByteWriter widths(512);
  for (int code = 0; code < 256; ++code) {
    uint16_t w = Printable(code) ? RenderGlyph(face, code, atlas) : 0;
    widths.U16(static_cast<size_t>(code) * 2, w);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  if (!WriteTga(dataDir + "textures/font.tga", atlas, 32)) return false;
  return WriteDataFile(dataDir + "misc/font.dat", widths.Result());
}
