// The bitmap font: Quicksand Bold (rounded, friendly letters that suit the game's
// cartoon look) rendered by FreeType into a 16 x 16 grid of 32 x 32 cells
// (textures/font.tga) and the advance of every glyph in 1/32 of a cell
// (misc/font.dat).
//
// The text drawer cuts out, for character c, a band of FontWidths[c] texels centred
// on the cell's middle, stretches the full cell height to the requested size and
// moves on by the band's width. So each glyph's advance box is centred in its cell
// and the band is the glyph's whole advance: what the table says is what is drawn.
// Glyphs are white and premultiplied (colour = alpha = coverage), because text is
// drawn with the (one, one minus source alpha) blend.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/binio.h"
#include "datagen.h"
#include "image.h"

namespace {

constexpr const char* FONT_FILE = "/usr/share/fonts/truetype/quicksand/Quicksand-Bold.ttf";
constexpr int CELL = 32;
constexpr int GRID = 16;
// Em size in texels and the horizontal squeeze: chosen so the longest lines the
// game writes (the instruction pages at size 20 in their 700-pixel panel, the
// page buttons at size 30) fit their panels while capitals stay 15 texels tall.
constexpr double EM = 21.5;
constexpr double SQUEEZE = 0.97;
// Baseline, in texels from the top of the cell: 25.6 texels are 16, 20 and 24
// pixels at the common sizes 20, 25 and 30, so the baseline of those lines falls
// on a pixel edge and stays sharp. Descenders (0.2 em) still fit below it.
constexpr double BASELINE = 25.6;
// Strokes thickened by this many texels in 26.6 units, so that the thinnest
// stems survive the bilinear shrink to the game's smallest text (size 14).
constexpr FT_Pos EMBOLDEN = 16;
// Extra texels added to every advance: a little air between the round letters.
constexpr double TRACKING = 0.6;

// The options screen draws "[    ]" 2 pixels left of its "Yes" and "No" labels
// and "[ ]" 2 pixels left of each volume digit, all at size 20, as a red marker
// around the chosen value. The brackets are therefore thin strokes at the outer
// edges of wide bands: the opening one must fit into those 2 pixels, the closing
// one must clear the longest label.
constexpr int MARKER_SIZE = 20;
constexpr double MARKER_LEAD = 2;                                          // pixels between marker and label
constexpr double MARKER_GAP = 3.5;                                         // pixels of air inside the marker
constexpr double BRACKET_STEM = 1.8, BRACKET_ARM = 4.5, BRACKET_BAR = 1.8; // texels

bool Printable(int code) {
  return (code >= 32 && code <= 126) || code >= 160;
}

struct Glyph {
  uint16_t width = 0;  // advance in texels (the band the drawer cuts out)
  double inkRight = 0; // right edge of the ink in the band, in texels
};

// Copies a rendered FreeType bitmap into the cell of `code`.
void CopyBitmap(const FT_GlyphSlot slot, int code, Canvas& atlas) {
  const FT_Bitmap& bm = slot->bitmap;
  const int cellX = (code % GRID) * CELL, cellY = (code / GRID) * CELL;
  const int baseline = static_cast<int>(std::floor(BASELINE));
  for (unsigned row = 0; row < bm.rows; ++row) {
    int y = baseline - slot->bitmap_top + static_cast<int>(row);
    if (y < 0 || y >= CELL) continue;
    for (unsigned col = 0; col < bm.width; ++col) {
      int x = slot->bitmap_left + static_cast<int>(col);
      if (x < 0 || x >= CELL) continue;
      uint8_t cover = bm.buffer[row * bm.pitch + col];
      uint8_t* p = atlas.At(cellX + x, cellY + y);
      p[0] = p[1] = p[2] = p[3] = std::max(p[3], cover);
    }
  }
}

// The advance of the widest digit, in texels: every digit gets it, so numbers keep
// their columns and a narrow 1 stands centred in its place.
double DigitAdvance(FT_Face face) {
  double widest = 0;
  for (char d = '0'; d <= '9'; ++d)
    if (FT_Load_Char(face, static_cast<FT_ULong>(d), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0)
      widest = std::max(widest, face->glyph->advance.x / 64.0);
  return widest;
}

// Renders one glyph of the face into its cell of `atlas`. A width of 0 means the
// face has no glyph for the code.
Glyph RenderGlyph(FT_Face face, int code, double digitAdvance, Canvas& atlas) {
  Glyph g;
  FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
  if (index == 0) return g;
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return g;
  FT_GlyphSlot slot = face->glyph;
  const bool digit = code >= '0' && code <= '9';
  const double own = slot->advance.x / 64.0;
  double advance = (digit ? std::max(own, digitAdvance) : own) + TRACKING;
  int width = std::clamp(static_cast<int>(std::lround(advance)), 1, CELL);
  g.width = static_cast<uint16_t>(width);
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_points == 0) return g;

  FT_Outline_EmboldenXY(&slot->outline, EMBOLDEN, EMBOLDEN);
  FT_BBox ink;
  FT_Outline_Get_CBox(&slot->outline, &ink);
  double inkLeft = ink.xMin / 64.0;
  double inkRight = ink.xMax / 64.0;
  // A glyph whose ink is wider than its advance (f, j) gets a wider band, or the
  // drawer would clip its overhang.
  if (inkRight - inkLeft > width) width = std::min(CELL, static_cast<int>(std::ceil(inkRight - inkLeft)));
  g.width = static_cast<uint16_t>(width);

  // Pen position so that the advance box sits in the middle of the cell, then
  // nudged so that all ink lies inside the band of `width` texels the drawer cuts
  // out around the cell's centre. The fraction of the baseline moves the outline.
  double bandLeft = CELL / 2.0 - width / 2.0;
  double bandRight = CELL / 2.0 + width / 2.0;
  double pen = CELL / 2.0 - own / 2.0;
  if (pen + inkLeft < bandLeft) pen = bandLeft - inkLeft;
  if (pen + inkRight > bandRight) pen = bandRight - inkRight;
  const double drop = BASELINE - std::floor(BASELINE);
  FT_Outline_Translate(&slot->outline, static_cast<FT_Pos>(std::lround(pen * 64.0)),
                       -static_cast<FT_Pos>(std::lround(drop * 64.0)));
  g.inkRight = pen + inkRight - bandLeft;
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
  CopyBitmap(slot, code, atlas);
  return g;
}

// A thin square bracket of `width` texels whose stem stands at the band's outer
// edge ('[' left, ']' right), from above the capitals to below the baseline.
void DrawBracket(Canvas& atlas, int code, int width, double capTop, double bottom) {
  Canvas cell(CELL * 4, CELL * 4, Color{0, 0, 0, 0});
  const double s = 4, left = CELL / 2.0 - width / 2.0 + 0.1, right = CELL / 2.0 + width / 2.0 - 0.1;
  const bool opening = code == '[';
  const double stem0 = opening ? left : right - BRACKET_STEM, stem1 = stem0 + BRACKET_STEM;
  const double arm0 = opening ? left : right - BRACKET_ARM, arm1 = arm0 + BRACKET_ARM;
  const Color white{1, 1, 1, 1};
  FillRect(cell, static_cast<float>(stem0 * s), static_cast<float>(capTop * s), static_cast<float>(stem1 * s),
           static_cast<float>(bottom * s), white);
  FillRect(cell, static_cast<float>(arm0 * s), static_cast<float>(capTop * s), static_cast<float>(arm1 * s),
           static_cast<float>((capTop + BRACKET_BAR) * s), white);
  FillRect(cell, static_cast<float>(arm0 * s), static_cast<float>((bottom - BRACKET_BAR) * s),
           static_cast<float>(arm1 * s), static_cast<float>(bottom * s), white);
  Canvas small = Downsample(cell, 4);
  const int cellX = (code % GRID) * CELL, cellY = (code / GRID) * CELL;
  for (int y = 0; y < CELL; ++y)
    for (int x = 0; x < CELL; ++x) {
      uint8_t a = small.At(x, y)[3];
      uint8_t* p = atlas.At(cellX + x, cellY + y);
      p[0] = p[1] = p[2] = p[3] = a;
    }
}

// Widens the brackets until the markers "[    ]" and "[ ]" of the options screen
// hold their labels with air on both sides.
void MakeMarkerBrackets(std::vector<Glyph>& glyphs, Canvas& atlas, double capHeight) {
  const double px = MARKER_SIZE / static_cast<double>(CELL); // pixels per texel at the marker's size
  auto labelInk = [&](const std::string& text) {
    double w = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i) w += glyphs[static_cast<unsigned char>(text[i])].width;
    return w + glyphs[static_cast<unsigned char>(text.back())].inkRight;
  };
  double widest = std::max(labelInk("Yes"), labelInk("No"));
  double digits = 0;
  for (char d = '0'; d <= '9'; ++d) digits = std::max(digits, labelInk(std::string(1, d)));
  const double space = glyphs[' '].width;
  // Inner edge of the closing stem = marker start + (a + n spaces + b) - stem.
  auto need = [&](double inner, int spaces) {
    return (MARKER_LEAD + MARKER_GAP) / px + inner - spaces * space + BRACKET_STEM + 0.1;
  };
  const double pair = std::max(need(widest, 4), need(digits, 1));
  const int each = std::clamp(static_cast<int>(std::ceil(pair / 2)), 4, CELL);
  const double capTop = BASELINE - capHeight - 1.5, bottom = BASELINE + 5.0;
  for (int code : {'[', ']'}) {
    const int cellX = (code % GRID) * CELL, cellY = (code / GRID) * CELL;
    for (int y = 0; y < CELL; ++y)
      for (int x = 0; x < CELL; ++x) std::fill_n(atlas.At(cellX + x, cellY + y), 4, uint8_t{0});
    DrawBracket(atlas, code, each, capTop, bottom);
    glyphs[static_cast<size_t>(code)].width = static_cast<uint16_t>(each);
  }
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
    std::fprintf(stderr, "datagen: cannot open the font %s (install fonts-quicksand)\n", FONT_FILE);
    FT_Done_FreeType(library);
    return false;
  }
  FT_Set_Char_Size(face, static_cast<FT_F26Dot6>(std::lround(EM * 64.0)), 0, 72, 72);
  FT_Matrix squeeze = {static_cast<FT_Fixed>(std::lround(SQUEEZE * 65536.0)), 0, 0, 0x10000};
  FT_Set_Transform(face, &squeeze, nullptr);
  const double capHeight = EM * 0.7 + EMBOLDEN / 64.0;
  const double digitAdvance = DigitAdvance(face);

  Canvas atlas(CELL * GRID, CELL * GRID, Color{0, 0, 0, 0});
  std::vector<Glyph> glyphs(256);
  for (int code = 0; code < 256; ++code)
    if (Printable(code)) glyphs[static_cast<size_t>(code)] = RenderGlyph(face, code, digitAdvance, atlas);
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  MakeMarkerBrackets(glyphs, atlas, capHeight);

  ByteWriter widths(512);
  for (int code = 0; code < 256; ++code) widths.U16(static_cast<size_t>(code) * 2, glyphs[code].width);
  if (!WriteTga(dataDir + "textures/font.tga", atlas, 32)) return false;
  return WriteDataFile(dataDir + "misc/font.dat", widths.Result());
}
