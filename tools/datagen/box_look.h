// How a box of the game looks, shared by the box model and by every picture that
// paints a box (the flying boxes' face, the item icons, the instruction sheets),
// so that they all read as the same solid object: a cube whose edges are cut at
// 45 degrees, seen under the playfield's light.
#pragma once
#include <cmath>

// Width of the 45-degree chamfer on every edge, as a fraction of the box's edge:
// about 3.5 pixels on a field box, wide enough to catch the light.
constexpr float BOX_CHAMFER = 0.14f;

// The front face's normals lean this far (tangent) towards its top and bottom
// edges, so the face brightens towards the light like a slightly domed lid. Only
// up and down: with no sideways lean the two triangles of the face always shade
// alike, wherever the field light swings.
constexpr float BOX_FACE_LEAN = 0.06f;

struct BoxLighting {
  float diffuse;  // times the box colour (ambient included)
  float specular; // white added on top
};

// What the fixed-function light of the playfield gives a surface with unit normal
// (nx, ny, nz): the field light with its swing at -0.5 (a little from the left, as
// every painted box is lit), 0.2 ambient from the light and 0.2 from the scene,
// white highlights of shininess 15 seen from straight ahead.
inline BoxLighting LightBoxSurface(float nx, float ny, float nz) {
  const float lx = -0.5f, ly = 1.5f, lz = 1.0f;
  const float ll = std::sqrt(lx * lx + ly * ly + lz * lz);
  const float d = (nx * lx + ny * ly + nz * lz) / ll;
  if (d <= 0) return {0.4f, 0.0f};
  // Half-way vector between the light and the viewer (0, 0, 1).
  const float hx = lx / ll, hy = ly / ll, hz = lz / ll + 1;
  const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
  const float h = (nx * hx + ny * hy + nz * hz) / hl;
  return {0.4f + d, h > 0 ? std::pow(h, 15.0f) : 0.0f};
}
