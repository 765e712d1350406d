// maction.bmp: the 512 × 512 sheet of instruction pictures. Each picture lies
// exactly in the rectangle the instruction pages and the story introduction cut
// out (texels, x0..x1 × y0..y1 from the top left):
//   fitting example   0..153 × 0..264      mouse            190..334 × 0..224
//   failing example 334..491 × 0..264      red cross          0..38  × 262..303
//   meter and tubes  44..368 × 301..352    level meter        0..43  × 301..498
//   bomb stone      469..512 × 301..425    edge example      44..175 × 350..504
//   story intro     173..281 × 350..404
// Some rectangles share a few rows or columns at their borders; every picture
// keeps a plain margin of the common background there, so each page sees a
// clean edge whichever neighbour was drawn last.
#include <cmath>
#include <string>

#include "art.h"
#include "art_common.h"

namespace {

const Color SheetBack = Hex(0x1f1c40);
constexpr float MARGIN = 4;

Canvas Panel(int w, int h) {
  Canvas p(w, h, SheetBack);
  FillRoundRect(p, MARGIN, MARGIN, w - MARGIN, h - MARGIN, 6, Hex(0x6b5ba8));
  FillLinearGradient(p, MARGIN + 1.5f, MARGIN + 1.5f, w - MARGIN - 1.5f, h - MARGIN - 1.5f, 0, 0, 0,
                     static_cast<float>(h), {{0, Hex(0x2e2a5c)}, {1, Hex(0x17152f)}});
  return p;
}

// A small playfield scene: `cells` rows of `cols` columns, 0 empty, 1..9 box colour.
void DrawCells(Canvas& cv, float x0, float y0, float s, int cols, int rows, const int* cells) {
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      int v = cells[r * cols + c];
      if (v > 0) DrawBoxTile(cv, x0 + c * s, y0 + r * s, s, BoxColor(v - 1));
    }
}

void Ghost(Canvas& cv, float x, float y, float s) {
  FillRoundRect(cv, x + 1, y + 1, x + s - 1, y + s - 1, 3, Hex(0xffffff, 0.22f));
  StrokeRoundRect(cv, x + 1.5f, y + 1.5f, x + s - 1.5f, y + s - 1.5f, 3, 1.5f, Hex(0xffffff, 0.75f));
}

void Anchor(Canvas& cv, float cx, float y) {
  DrawLine(cv, cx - 14, y + 8, cx + 14, y + 8, 3, Hex(0x9aa2b3));
  FillRoundRect(cv, cx - 9, y, cx + 9, y + 8, 3, Hex(0xc9ccd6));
  DrawPolyline(cv, {cx - 6, y, cx, y - 7, cx + 6, y}, 2.5f, Hex(0xc9ccd6));
}

void Beam(Canvas& cv, float cx, float yTop, float yBottom) {
  for (float y = yTop; y < yBottom; y += 6) DrawLine(cv, cx, y, cx, y + 3, 2, Hex(0xfff3a0, 0.8f));
}

void RedCross(Canvas& cv, float cx, float cy, float r) {
  DrawLine(cv, cx - r, cy - r, cx + r, cy + r, r * 0.55f, Hex(0x5a0000));
  DrawLine(cv, cx - r, cy + r, cx + r, cy - r, r * 0.55f, Hex(0x5a0000));
  DrawLine(cv, cx - r, cy - r, cx + r, cy + r, r * 0.38f, Hex(0xff2a2a));
  DrawLine(cv, cx - r, cy + r, cx + r, cy - r, r * 0.38f, Hex(0xff2a2a));
}

void FieldFrame(Canvas& cv, float x0, float y0, float x1, float y1) {
  FillRect(cv, x0, y0, x1, y1, Hex(0x14122b, 0.7f));
  DrawLine(cv, x0, y0, x0, y1, 2, Hex(0x6b5ba8));
  DrawLine(cv, x1, y0, x1, y1, 2, Hex(0x6b5ba8));
  DrawLine(cv, x0, y1, x1, y1, 2, Hex(0x6b5ba8));
}

// The stone above the anchor drops onto the stack and every box finds room.
Canvas FittingExample() {
  Canvas p = Panel(153, 264);
  const float s = 22, fx = 10, fy = 14;
  FieldFrame(p, fx, fy, fx + 6 * s, fy + 10 * s + 6);
  // Flying stone (an L) at the top, its ghost where it will land.
  // The L above the anchor's column lands in the gap and completes the row.
  const int stone[] = {0, 0, 0, 0, 3, 0, 0, 0, 3, 3, 3, 0};
  DrawCells(p, fx, fy + 4, s, 6, 2, stone);
  const int stack[] = {0, 0, 0, 0, 0, 0, //
                       2, 0, 0, 0, 0, 1, //
                       2, 6, 0, 0, 0, 1, //
                       2, 6, 6, 1, 4, 1};
  DrawCells(p, fx, fy + 6 * s, s, 6, 4, stack);
  Ghost(p, fx + 4 * s, fy + 7 * s, s);
  Ghost(p, fx + 2 * s, fy + 8 * s, s);
  Ghost(p, fx + 3 * s, fy + 8 * s, s);
  Ghost(p, fx + 4 * s, fy + 8 * s, s);
  Beam(p, fx + 4.5f * s, fy + 2 * s + 6, fy + 7 * s);
  Anchor(p, fx + 4.5f * s, fy + 10 * s + 12);
  // Green tick.
  DrawPolyline(p, {116, 236, 124, 246, 140, 226}, 6, Hex(0x1a4a1a));
  DrawPolyline(p, {116, 236, 124, 246, 140, 226}, 3.5f, Hex(0x5fe06a));
  return p;
}

// The stone would overlap a box: the ghost shows the blocked cell with the red cross.
Canvas FailingExample() {
  Canvas p = Panel(157, 264);
  const float s = 22, fx = 12, fy = 14;
  FieldFrame(p, fx, fy, fx + 6 * s, fy + 10 * s + 6);
  // The T rests on the anchor's column, but its left arm meets a box: blocked.
  const int stone[] = {0, 5, 5, 5, 0, 0, 0, 0, 5, 0, 0, 0};
  DrawCells(p, fx, fy + 4, s, 6, 2, stone);
  const int stack[] = {0, 1, 0, 0, 0, 0, //
                       0, 1, 0, 0, 0, 2, //
                       1, 1, 7, 0, 2, 2, //
                       1, 3, 7, 0, 2, 2};
  DrawCells(p, fx, fy + 6 * s, s, 6, 4, stack);
  Ghost(p, fx + 1 * s, fy + 6 * s, s);
  Ghost(p, fx + 2 * s, fy + 6 * s, s);
  Ghost(p, fx + 3 * s, fy + 6 * s, s);
  Ghost(p, fx + 2 * s, fy + 7 * s, s);
  RedCross(p, fx + 1.5f * s, fy + 6.5f * s, 8);
  Beam(p, fx + 2.5f * s, fy + 2 * s + 6, fy + 6 * s);
  Anchor(p, fx + 2.5f * s, fy + 10 * s + 12);
  RedCross(p, 138, 236, 7);
  return p;
}

Canvas CrossPicture() {
  Canvas p(38, 41, SheetBack);
  RedCross(p, 19, 21.5f, 9);
  return p;
}

Canvas MousePicture() {
  Canvas p = Panel(144, 224);
  const float cx = 56, top = 52, bottom = 196, w = 40;
  FillRoundRect(p, cx - w - 3, top - 3, cx + w + 3, bottom + 3, 38, Pal::Ink);
  Shade(p, 0, 0, 144, 224, [&](float px, float py) {
    Color c =
        GradientAt({{0, Hex(0xf4f2fa)}, {0.7f, Hex(0xc8c4da)}, {1, Hex(0x9a96b0)}}, (px - cx + w) / (2 * w));
    c.a = Coverage(DistRoundRect(px, py, cx - w, top, cx + w, bottom, 36));
    return c;
  });
  // Buttons: left (shoot) yellow, right (rotate) yellow, wheel (direction) yellow.
  FillPolygon(
      p, {cx - w + 6, top + 40, cx - w + 6, top + 28, cx - 22, top + 4, cx - 4, top + 2, cx - 4, top + 40},
      Hex(0xffe04a));
  FillPolygon(
      p, {cx + w - 6, top + 40, cx + w - 6, top + 28, cx + 22, top + 4, cx + 4, top + 2, cx + 4, top + 40},
      Hex(0xffb03a));
  DrawLine(p, cx - w + 2, top + 44, cx + w - 2, top + 44, 2, Hex(0x6b6880));
  DrawLine(p, cx, top, cx, top + 44, 2, Hex(0x6b6880));
  FillRoundRect(p, cx - 6, top + 8, cx + 6, top + 32, 6, Pal::Ink);
  FillRoundRect(p, cx - 4, top + 10, cx + 4, top + 30, 4, Hex(0x7fe0ff));
  // Cable.
  DrawPolyline(p, {cx, top - 2, cx + 4, top - 16, cx - 6, top - 30, cx + 2, 10}, 3, Hex(0x9a96b0));
  // Pointers to the three lines of text beside the picture.
  auto pointer = [&](float fromX, float fromY, float toY, const Color& c) {
    DrawPolyline(p, {fromX, fromY, 118, toY, 138, toY}, 2, c);
    FillCircle(p, fromX, fromY, 3, c);
    FillPolygon(p, {138, toY - 4, 143, toY, 138, toY + 4}, c);
  };
  pointer(cx - 20, top + 20, 38, Hex(0xffe04a));
  pointer(cx, top + 20, 86, Hex(0x7fe0ff));
  pointer(cx + 22, top + 24, 186, Hex(0xffb03a));
  return p;
}

// Row of tube cells pushed in from below with the refill counter beside it.
Canvas MeterStrip() {
  Canvas p = Panel(324, 51);
  FillCircle(p, 28, 25.5f, 17, Pal::Gold);
  FillCircle(p, 28, 25.5f, 15, Pal::Display);
  TextStyle s;
  s.top = Hex(0xffffff);
  s.bottom = Hex(0xffffff);
  s.outlineWidth = 0;
  s.shadowOffset = 0;
  DrawTextStyled(p, "5", 28, 25.5f, 20, s);
  FillPolygon(p, {52, 19, 62, 25.5f, 52, 32}, Pal::Gold);
  const float cell = 26;
  for (int i = 0; i < 9; ++i) DrawTubeTile(p, 70 + i * cell, 12.5f, cell);
  for (int i = 0; i < 9; ++i)
    FillPolygon(p, {70 + i * cell + 9, 46, 70 + i * cell + 13, 40, 70 + i * cell + 17, 46},
                Hex(0xffe04a, 0.8f));
  return p;
}

// The level meter: a tall potion bottle, partly drained.
Canvas MeterColumn() {
  Canvas p(43, 197, SheetBack);
  const float x0 = 9, x1 = 34, top = 30, bottom = 188;
  FillRoundRect(p, 15, 8, 28, 24, 3, Hex(0x8a5a34));
  FillRoundRect(p, x0 - 2, top - 8, x1 + 2, bottom + 2, 10, Pal::Ink);
  FillRoundRect(p, x0, top - 6, x1, bottom, 9, Hex(0x3a3f66));
  float level = top + (bottom - top) * 0.42f;
  FillLinearGradient(p, x0 + 1, level, x1 - 1, bottom - 1, x0, 0, x1, 0,
                     {{0, Hex(0x2fa05a)}, {0.4f, Hex(0x7fff9a)}, {1, Hex(0x1f7a44)}});
  FillEllipse(p, (x0 + x1) / 2, level, (x1 - x0) / 2 - 1, 2.5f, Hex(0xc0ffd0));
  FillRect(p, x0 + 3, top, x0 + 6, bottom - 8, Hex(0xffffff, 0.35f));
  for (int k = 0; k < 3; ++k) FillCircle(p, 18 + k * 4.0f, level + 20 + k * 25.0f, 1.8f, Hex(0xffffff, 0.6f));
  // Arrow: the meter sinks with time.
  DrawLine(p, 40, level - 40, 40, level - 8, 2, Pal::Gold);
  FillPolygon(p, {36, level - 10, 43, level - 10, 39.5f, level - 3}, Pal::Gold);
  return p;
}

Canvas BombStone() {
  Canvas p(43, 124, SheetBack);
  const float s = 38, x = 2.5f;
  DrawBoxTile(p, x, 3, s, BoxColor(4));
  DrawBombTile(p, x, 3 + s, s, BoxColor(4));
  DrawBoxTile(p, x, 3 + 2 * s, s, BoxColor(4));
  return p;
}

// Boxes that stick out over the edge of the field drop down beside the wall.
Canvas EdgeExample() {
  Canvas p = Panel(131, 154);
  const float s = 20, wall = 86, base = 142;
  FillRect(p, wall, 10, wall + 8, base, Hex(0x6b5ba8));
  FillRect(p, wall + 8, 10, 127, base, Hex(0x14122b, 0.5f));
  const int stack[] = {0, 0, 0, 0, 2, 0, 0, 0, 2, 6, 1, 0, 6, 6, 1, 1};
  DrawCells(p, wall - 4 * s, base - 4 * s, s, 4, 4, stack);
  // The stone: two boxes inside the field and one outside it, falling.
  DrawBoxTile(p, wall - s, base - 5 * s, s, BoxColor(5));
  DrawBoxTile(p, wall - 2 * s, base - 5 * s, s, BoxColor(5));
  Ghost(p, wall - s, base - 4 * s, s);
  DrawBoxTile(p, wall + 12, base - 3 * s, s, BoxColor(5));
  for (int k = 0; k < 3; ++k)
    DrawLine(p, wall + 16 + k * 6, base - 5 * s + 4, wall + 16 + k * 6, base - 3 * s - 6, 1.5f,
             Hex(0xffffff, 0.5f));
  FillPolygon(p, {wall + 14, base - 3 * s + 28, wall + 30, base - 3 * s + 28, wall + 22, base - 3 * s + 38},
              Pal::Gold);
  return p;
}

// The story's opening picture: boxes swarming over the land.
Canvas IntroPicture() {
  Canvas p = Panel(108, 54);
  Canvas scene(100, 46);
  FillLinearGradient(scene, 0, 0, 100, 46, 0, 0, 0, 46, {{0, Hex(0x4a8fd8)}, {1, Hex(0xffe0b0)}});
  DrawRidge(scene, 0, 100, 36, 10, 0.03f, 801, Hex(0x6fae4e), Hex(0x4f8f3c), 46);
  DrawPyramid(scene, 78, 38, 18, 10, Hex(0xf7d59c), Hex(0xc8905a));
  DrawPine(scene, 14, 40, 12, Hex(0x2e6b3a), Hex(0x3b2a1e));
  DrawPine(scene, 22, 41, 10, Hex(0x2e6b3a), Hex(0x3b2a1e));
  Rng rng(802);
  for (int i = 0; i < 16; ++i) {
    int colour = rng.Int(9);
    float turn = rng.Range(0, 3);
    float size = rng.Range(5, 9);
    float y = rng.Range(6, 28);
    float x = rng.Range(6, 94);
    DrawCube(scene, x, y, size, turn, 0.4f, BoxColor(colour));
  }
  DrawCanvas(p, scene, 4, 4, true);
  StrokeRoundRect(p, 4, 4, 104, 50, 3, 1.5f, Hex(0x6b5ba8));
  return p;
}

} // namespace

bool WriteInstructionSheet(const std::string& dir) {
  Canvas sheet(512, 512, SheetBack);
  DrawCanvas(sheet, FittingExample(), 0, 0, true);
  DrawCanvas(sheet, MousePicture(), 190, 0, true);
  DrawCanvas(sheet, FailingExample(), 334, 0, true);
  DrawCanvas(sheet, CrossPicture(), 0, 262, true);
  DrawCanvas(sheet, MeterStrip(), 44, 301, true);
  DrawCanvas(sheet, MeterColumn(), 0, 301, true);
  DrawCanvas(sheet, BombStone(), 469, 301, true);
  DrawCanvas(sheet, EdgeExample(), 44, 350, true);
  DrawCanvas(sheet, IntroPicture(), 173, 350, true);
  SetAlpha(sheet, 1);
  return WriteBmp24(dir + "maction.bmp", sheet);
}
