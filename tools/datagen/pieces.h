// The small pictures of the game: HUD pieces, panel, cursor, item icons, the
// dream editor, the 3D scene's textures and the effect sprites. Each group lives
// in its own piece_*.cpp; WritePieces (pieces.cpp) writes them all.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "image.h"

// Writes one picture under dataDir + "textures/": a name ending in ".bmp" becomes a
// 24-bit BMP (alpha ignored), ".tga" a 32-bit TGA. False after printing why.
bool SavePiece(const std::string& dataDir, const std::string& name, const Canvas& cv);

// Draws at `factor` times the size and averages down, for smooth small pictures.
Canvas Supersample(int width, int height, int factor, const std::function<void(Canvas&, float scale)>& draw);

// The picture upside down (for textures the game samples with t = 0 at the top).
Canvas FlipVertical(const Canvas& src);

// Pulls every vertex of a simple polygon (x, y pairs, either winding) inwards by
// `distance` along its corner bisector: the inner face of an outlined shape.
std::vector<float> InsetPolygon(const std::vector<float>& xy, float distance);

// A disc of radius r lit by a radial gradient centred on (lx, ly) with radius lr.
void ShadeDisc(Canvas& cv, float cx, float cy, float r, float lx, float ly, float lr,
               const std::vector<GradientStop>& stops);

// Lays `c` over every pixel as an opaque background (BMP pictures have no alpha).
void FlattenOnto(Canvas& cv, const Color& background);

// The face of the flying boxes, filling a size x size square (the dream editor's
// box cell repeats it).
void DrawDreamBoxFace(Canvas& cv, float size);

bool WriteHudPieces(
    const std::string& dataDir); // menu, ziffern, cursor, coin, levelspot, fkeys, Line, trank_*, dot*
bool WriteItemPieces(const std::string& dataDir);   // I_*, i_rahmen*, dreambox, ok, dbox
bool WriteScenePieces(const std::string& dataDir);  // box, skdatex, cloud, kette
bool WriteEffectPieces(const std::string& dataDir); // suits, star, dust, expl1..6
