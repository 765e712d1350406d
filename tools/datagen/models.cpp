// The eight 3D shapes of the game as MilkShape 3D (version 4) files: the box,
// the bomb core and shell, the clamp, the hook, the tube segment, the anchor
// plate and the little character. Each is built from a few primitives (bevelled
// boxes, surfaces of revolution, tubes swept along a path, extruded outlines)
// and placed in the model space the scene expects for it.
//
// Every model has a triangle budget that fits its size on screen (the scene is
// seen from the front, one cell about 26 pixels): facets no finer than a pixel or
// two, and no triangles where the camera never looks (the back of a bomb or of a
// tube, the underside of the plate, the ends of rods buried in another part).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "box_look.h"
#include "core/binio.h"
#include "datagen.h"

namespace {

constexpr float PI = 3.14159265358979f;

struct V3 {
  float x, y, z;
};
V3 operator+(V3 a, V3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V3 operator-(V3 a, V3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 operator*(V3 a, float k) {
  return {a.x * k, a.y * k, a.z * k};
}
float Dot(V3 a, V3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
V3 Cross(V3 a, V3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Length(V3 a) {
  return std::sqrt(Dot(a, a));
}
V3 Normalize(V3 a) {
  float l = Length(a);
  return l > 0 ? a * (1.0f / l) : V3{0, 1, 0};
}

struct UV {
  float s, t;
};

struct Corner {
  V3 p;
  V3 n;
  UV uv;
};

struct Triangle {
  uint16_t index[3];
  V3 normal[3];
  UV uv[3];
};

// A triangle soup with shared positions. Every triangle is wound so that its
// face normal points the same way as the normals given for its corners: the
// face-normal display lists light it from the winding, the vertex-normal lists
// from the stored normals, and both must agree.
struct Mesh {
  std::vector<V3> vertices;
  std::vector<Triangle> triangles;
  std::map<std::tuple<float, float, float>, uint16_t> lookup;

  uint16_t Vertex(V3 p) {
    auto key = std::make_tuple(p.x, p.y, p.z);
    auto it = lookup.find(key);
    if (it != lookup.end()) return it->second;
    uint16_t index = static_cast<uint16_t>(vertices.size());
    vertices.push_back(p);
    lookup.emplace(key, index);
    return index;
  }

  void Add(Corner a, Corner b, Corner c) {
    V3 face = Cross(b.p - a.p, c.p - a.p);
    // A sliver would give the face-normal lists a zero normal: leave it out.
    if (Length(face) < 1e-6f) return;
    if (Dot(face, a.n + b.n + c.n) < 0) std::swap(b, c);
    Triangle t;
    const Corner* cs[3] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i) {
      t.index[i] = Vertex(cs[i]->p);
      t.normal[i] = Normalize(cs[i]->n);
      t.uv[i] = cs[i]->uv;
    }
    triangles.push_back(t);
  }

  void Quad(Corner a, Corner b, Corner c, Corner d) {
    Add(a, b, c);
    Add(a, c, d);
  }
};

// A local frame: origin plus three axes, used to place primitives.
struct Frame {
  V3 o{0, 0, 0};
  V3 u{1, 0, 0};
  V3 v{0, 1, 0};
  V3 w{0, 0, 1};
  V3 Point(float a, float b, float c) const { return o + u * a + v * b + w * c; }
  V3 Dir(float a, float b, float c) const { return u * a + v * b + w * c; }
};

// Box from `lo` to `hi` with every edge cut at 45 degrees by `bevel` (0 gives a
// plain box). Each flat part has its own normal: the faces theirs, a chamfer strip
// the one half-way between the two faces it joins, a corner facet the one between
// all three, so every chamfer catches the light as a lit edge. `frontLean` leans
// the front (+z) face's normals up at its top edge and down at its bottom edge by
// that tangent. Texture coordinates map each side's square, seen straight on,
// onto the whole picture: the chamfers round the front and the back lie in the
// picture's border there, the four running front to back in that of the left and
// right sides.
void BevelBox(Mesh& m, V3 lo, V3 hi, float bevel, float frontLean = 0) {
  V3 size = hi - lo;
  // The point of corner (cx, cy, cz) that lies on the face across `axis`.
  auto point = [&](int cx, int cy, int cz, int axis) {
    float c[3] = {cx ? hi.x : lo.x, cy ? hi.y : lo.y, cz ? hi.z : lo.z};
    const float l[3] = {lo.x, lo.y, lo.z};
    const float h[3] = {hi.x, hi.y, hi.z};
    int corner[3] = {cx, cy, cz};
    for (int a = 0; a < 3; ++a) {
      if (a == axis) continue;
      c[a] = corner[a] ? h[a] - bevel : l[a] + bevel;
    }
    return V3{c[0], c[1], c[2]};
  };
  auto normal = [](int axis, int side) {
    float n[3] = {0, 0, 0};
    n[axis] = side ? 1.0f : -1.0f;
    return V3{n[0], n[1], n[2]};
  };
  auto uv = [&](V3 p, int axis) {
    float rel[3] = {(p.x - lo.x) / size.x, (p.y - lo.y) / size.y, (p.z - lo.z) / size.z};
    int a = axis == 0 ? 2 : 0;
    int b = axis == 1 ? 2 : 1;
    return UV{rel[a], rel[b]};
  };
  auto corner = [&](int cx, int cy, int cz, int axis) {
    int side = axis == 0 ? cx : axis == 1 ? cy : cz;
    V3 p = point(cx, cy, cz, axis);
    V3 n = normal(axis, side);
    if (axis == 2 && side == 1) n.y = cy ? frontLean : -frontLean;
    return Corner{p, n, uv(p, axis)};
  };
  // Faces.
  for (int axis = 0; axis < 3; ++axis) {
    for (int side = 0; side < 2; ++side) {
      int a = (axis + 1) % 3, b = (axis + 2) % 3;
      Corner c[4];
      const int order[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
      for (int k = 0; k < 4; ++k) {
        int bits[3];
        bits[axis] = side;
        bits[a] = order[k][0];
        bits[b] = order[k][1];
        c[k] = corner(bits[0], bits[1], bits[2], axis);
      }
      m.Quad(c[0], c[1], c[2], c[3]);
    }
  }
  if (bevel <= 0) return;
  // Chamfer strips: along `along`, between the faces across `a` and `b`.
  for (int along = 0; along < 3; ++along) {
    int a = (along + 1) % 3, b = (along + 2) % 3;
    for (int sa = 0; sa < 2; ++sa) {
      for (int sb = 0; sb < 2; ++sb) {
        int bits0[3], bits1[3];
        bits0[along] = 0;
        bits1[along] = 1;
        bits0[a] = bits1[a] = sa;
        bits0[b] = bits1[b] = sb;
        Corner p0 = corner(bits0[0], bits0[1], bits0[2], a);
        Corner p1 = corner(bits1[0], bits1[1], bits1[2], a);
        Corner q1 = corner(bits1[0], bits1[1], bits1[2], b);
        Corner q0 = corner(bits0[0], bits0[1], bits0[2], b);
        V3 n = normal(a, sa) + normal(b, sb);
        int mapped = a == 2 || b == 2 ? 2 : std::min(a, b);
        for (Corner* k : {&p0, &p1, &q1, &q0}) {
          k->n = n;
          k->uv = uv(k->p, mapped);
        }
        m.Quad(p0, p1, q1, q0);
      }
    }
  }
  // Corner facets.
  for (int cx = 0; cx < 2; ++cx)
    for (int cy = 0; cy < 2; ++cy)
      for (int cz = 0; cz < 2; ++cz) {
        Corner c[3] = {corner(cx, cy, cz, 0), corner(cx, cy, cz, 1), corner(cx, cy, cz, 2)};
        V3 n = normal(0, cx) + normal(1, cy) + normal(2, cz);
        for (Corner& k : c) {
          k.n = n;
          k.uv = uv(k.p, 2);
        }
        m.Add(c[0], c[1], c[2]);
      }
}

// A range of angles around a surface of revolution.
struct Span {
  float from, to;
};
constexpr Span WHOLE{0, 2 * PI};
// `width` radians centred on the direction `centre`: the part of a round shape
// that can face the camera, its back left out.
constexpr Span Facing(float centre, float width) {
  return {centre - width / 2, centre + width / 2};
}

// Surface of revolution around the frame's v axis, angle a pointing along
// u cos a + w sin a (with the plain frame, a = PI / 2 faces the player).
// `profile` lists (radius, height) from bottom to top; a radius of 0 closes the
// surface at a pole. Normals follow the profile's slope, averaged at points
// marked smooth. `sides` facets cover `span`.
struct ProfilePoint {
  float r, h;
  bool smooth;
};
void Lathe(Mesh& m, const Frame& f, const std::vector<ProfilePoint>& profile, int sides, Span span = WHOLE) {
  size_t n = profile.size();
  // Outward normal of each profile segment in the (r, h) plane.
  std::vector<std::pair<float, float>> seg(n - 1);
  for (size_t i = 0; i + 1 < n; ++i) {
    float dr = profile[i + 1].r - profile[i].r, dh = profile[i + 1].h - profile[i].h;
    float l = std::sqrt(dr * dr + dh * dh);
    seg[i] = {dh / l, -dr / l};
  }
  auto pointNormal = [&](size_t i, size_t s) -> std::pair<float, float> {
    // Normal at profile point i as seen by segment s (i is s or s + 1).
    if (profile[i].r == 0) return {0, seg[s].second > 0 ? 1.0f : -1.0f};
    if (!profile[i].smooth) return seg[s];
    float nr = 0, nh = 0;
    if (i > 0) nr += seg[i - 1].first, nh += seg[i - 1].second;
    if (i + 1 < n) nr += seg[i].first, nh += seg[i].second;
    float l = std::sqrt(nr * nr + nh * nh);
    return {nr / l, nh / l};
  };
  for (size_t s = 0; s + 1 < n; ++s) {
    for (int k = 0; k < sides; ++k) {
      float a0 = span.from + (span.to - span.from) * k / sides;
      float a1 = span.from + (span.to - span.from) * (k + 1) / sides;
      auto corner = [&](size_t i, float a, float su) {
        auto [nr, nh] = pointNormal(i, s);
        float c = std::cos(a), sn = std::sin(a);
        V3 p = f.Point(profile[i].r * c, profile[i].h, profile[i].r * sn);
        V3 nn = f.Dir(nr * c, nh, nr * sn);
        return Corner{p, nn, UV{su, static_cast<float>(i) / (n - 1)}};
      };
      float s0 = static_cast<float>(k) / sides, s1 = static_cast<float>(k + 1) / sides;
      Corner b0 = corner(s, a0, s0), b1 = corner(s, a1, s1);
      Corner t0 = corner(s + 1, a0, s0), t1 = corner(s + 1, a1, s1);
      if (profile[s].r == 0) {
        m.Add(b0, t1, t0);
      } else if (profile[s + 1].r == 0) {
        m.Add(b0, b1, t0);
      } else {
        m.Quad(b0, b1, t1, t0);
      }
    }
  }
}

std::vector<ProfilePoint> SphereProfile(float radius, int rings) {
  std::vector<ProfilePoint> p;
  for (int i = 0; i <= rings; ++i) {
    float a = -PI / 2 + PI * i / rings;
    float r = (i == 0 || i == rings) ? 0.0f : radius * std::cos(a);
    p.push_back({r, radius * std::sin(a), true});
  }
  return p;
}

// A round tube of `radius` swept along `path`; closed ones (rings) join their last
// point to their first, open ones get flat caps unless their ends are buried in
// another part.
enum class Ends { Closed, Capped, Buried };
void Sweep(Mesh& m, const std::vector<V3>& path, float radius, int sides, Ends ends) {
  const bool closed = ends == Ends::Closed;
  size_t n = path.size();
  std::vector<V3> tangent(n);
  for (size_t i = 0; i < n; ++i) {
    V3 prev = (i > 0) ? path[i - 1] : (closed ? path[n - 1] : path[i]);
    V3 next = (i + 1 < n) ? path[i + 1] : (closed ? path[0] : path[i]);
    tangent[i] = Normalize(next - prev);
  }
  // Parallel-transported frames keep the tube from twisting.
  std::vector<V3> side(n), up(n);
  V3 ref = std::fabs(tangent[0].y) < 0.9f ? V3{0, 1, 0} : V3{1, 0, 0};
  side[0] = Normalize(Cross(ref, tangent[0]));
  up[0] = Cross(tangent[0], side[0]);
  for (size_t i = 1; i < n; ++i) {
    side[i] = Normalize(Cross(up[i - 1], tangent[i]));
    up[i] = Cross(tangent[i], side[i]);
  }
  auto ring = [&](size_t i, int k) {
    float a = 2 * PI * k / sides;
    V3 dir = side[i] * std::cos(a) + up[i] * std::sin(a);
    return Corner{path[i] + dir * radius, dir, UV{static_cast<float>(k) / sides, static_cast<float>(i) / n}};
  };
  size_t segments = closed ? n : n - 1;
  for (size_t i = 0; i < segments; ++i) {
    size_t j = (i + 1) % n;
    for (int k = 0; k < sides; ++k) m.Quad(ring(i, k), ring(i, k + 1), ring(j, k + 1), ring(j, k));
  }
  if (ends == Ends::Capped) {
    for (int end = 0; end < 2; ++end) {
      size_t i = end ? n - 1 : 0;
      V3 out = end ? tangent[i] : tangent[i] * -1.0f;
      Corner centre{path[i], out, UV{0.5f, 0.5f}};
      for (int k = 0; k < sides; ++k) {
        Corner a = ring(i, k), b = ring(i, k + 1);
        a.n = b.n = out;
        m.Add(centre, a, b);
      }
    }
  }
}

std::vector<V3> Arc(V3 centre, V3 axisA, V3 axisB, float radius, float from, float to, int steps) {
  std::vector<V3> p;
  for (int i = 0; i <= steps; ++i) {
    float a = from + (to - from) * i / steps;
    p.push_back(centre + axisA * (radius * std::cos(a)) + axisB * (radius * std::sin(a)));
  }
  return p;
}

void Ring(Mesh& m, V3 centre, V3 axisA, V3 axisB, float radius, float thickness, int steps, int sides) {
  std::vector<V3> p = Arc(centre, axisA, axisB, radius, 0, 2 * PI, steps);
  p.pop_back();
  Sweep(m, p, thickness, sides, Ends::Closed);
}

// A convex outline in the frame's (u, v) plane extruded from w = w0 to w1, with
// its top (w1) and, if `bottom`, its bottom face. The flat faces map the outline's
// bounding square onto the whole picture.
void Extrude(Mesh& m, const Frame& f, const std::vector<std::pair<float, float>>& outline, float w0, float w1,
             bool bottom) {
  float minU = 1e9f, maxU = -1e9f, minV = 1e9f, maxV = -1e9f;
  for (auto [u, v] : outline) {
    minU = std::fmin(minU, u), maxU = std::fmax(maxU, u);
    minV = std::fmin(minV, v), maxV = std::fmax(maxV, v);
  }
  auto uv = [&](float u, float v) { return UV{(u - minU) / (maxU - minU), (v - minV) / (maxV - minV)}; };
  float cu = (minU + maxU) / 2, cv = (minV + maxV) / 2;
  size_t n = outline.size();
  for (int top = bottom ? 0 : 1; top < 2; ++top) {
    float w = top ? w1 : w0;
    V3 nn = f.Dir(0, 0, top ? 1.0f : -1.0f);
    Corner centre{f.Point(cu, cv, w), nn, uv(cu, cv)};
    for (size_t i = 0; i < n; ++i) {
      auto [u0, v0] = outline[i];
      auto [u1, v1] = outline[(i + 1) % n];
      m.Add(centre, Corner{f.Point(u0, v0, w), nn, uv(u0, v0)}, Corner{f.Point(u1, v1, w), nn, uv(u1, v1)});
    }
  }
  for (size_t i = 0; i < n; ++i) {
    auto [u0, v0] = outline[i];
    auto [u1, v1] = outline[(i + 1) % n];
    V3 out = Normalize(f.Dir(v1 - v0, -(u1 - u0), 0));
    if (Dot(out, f.Dir(u0 - cu, v0 - cv, 0)) < 0) out = out * -1.0f;
    m.Quad(Corner{f.Point(u0, v0, w0), out, UV{0, 0}}, Corner{f.Point(u1, v1, w0), out, UV{1, 0}},
           Corner{f.Point(u1, v1, w1), out, UV{1, 1}}, Corner{f.Point(u0, v0, w1), out, UV{0, 1}});
  }
}

// Rectangle with rounded corners, counter-clockwise, centred on (0, 0).
std::vector<std::pair<float, float>> RoundedRect(float halfW, float halfH, float radius, int steps) {
  std::vector<std::pair<float, float>> p;
  const float cx[4] = {halfW - radius, -(halfW - radius), -(halfW - radius), halfW - radius};
  const float cy[4] = {halfH - radius, halfH - radius, -(halfH - radius), -(halfH - radius)};
  for (int q = 0; q < 4; ++q) {
    for (int i = 0; i <= steps; ++i) {
      float a = PI / 2 * q + PI / 2 * i / steps;
      p.push_back({cx[q] + radius * std::cos(a), cy[q] + radius * std::sin(a)});
    }
  }
  return p;
}

Frame At(V3 o) {
  Frame f;
  f.o = o;
  return f;
}

// --- the eight models -----------------------------------------------------------

// The box: the unit cube 0..1 with chamfered edges that catch the light. The
// field boxes are this model; every painted box (box_look.h) copies its look.
Mesh MakeBlock() {
  Mesh m;
  BevelBox(m, {0, 0, 0}, {1, 1, 1}, BOX_CHAMFER, BOX_FACE_LEAN);
  return m;
}

// Bombs fly in the band above the field (or stand in it as the aim help's ghost)
// and only ever turn about the view axis, so the camera sees them from at most
// about 20 degrees off straight ahead: their round parts are built over the 225 to
// 240 degrees around the front.
constexpr float BOMB_FRONT = PI / 2;

// The bomb shell: a round casing in the middle of its cell with a neck for the
// fuse on top and four stubby feet, so a bomb sits in a stone like a box does.
Mesh MakeBombShell() {
  Mesh m;
  // The casing keeps the facets of a 16-sided, 12-ringed ball where it can be seen.
  Lathe(m, At({0.5f, 0.48f, 0.5f}), SphereProfile(0.36f, 12), 10, Facing(BOMB_FRONT, 10 * PI / 8));
  // The neck; its underside lies inside the casing.
  Lathe(m, At({0.5f, 0.8f, 0.5f}),
        {{0.13f, 0, false}, {0.13f, 0.1f, false}, {0.1f, 0.12f, false}, {0, 0.12f, false}}, 6,
        Facing(BOMB_FRONT, 4 * PI / 3));
  for (int i = 0; i < 4; ++i) {
    float a = PI / 4 + PI / 2 * i;
    V3 c{0.5f + 0.22f * std::cos(a), 0.12f, 0.5f + 0.22f * std::sin(a)};
    BevelBox(m, c - V3{0.07f, 0.07f, 0.07f}, c + V3{0.07f, 0.05f, 0.07f}, 0);
  }
  return m;
}

// The bomb core, drawn unlit in the pulsing fuse colour, so only its outline
// counts: the burning fuse and spark above the neck, and a glowing band round the
// casing's waist.
Mesh MakeBombCore() {
  Mesh m;
  std::vector<V3> fuse = {
      {0.5f, 0.9f, 0.5f}, {0.52f, 0.95f, 0.5f}, {0.56f, 0.99f, 0.5f}, {0.61f, 1.0f, 0.5f}};
  Sweep(m, fuse, 0.025f, 3, Ends::Buried);
  Lathe(m, At({0.63f, 1.0f, 0.5f}), SphereProfile(0.06f, 2), 4);
  // The band's outer half stands out of the casing: a ridge round the waist.
  Lathe(m, At({0.5f, 0.48f, 0.5f}), {{0.36f, -0.035f, false}, {0.395f, 0, false}, {0.36f, 0.035f, false}}, 12,
        Facing(BOMB_FRONT, 4 * PI / 3));
  // Rivets of light on the band, facing the player.
  for (int i = -1; i <= 1; ++i) {
    float a = PI / 2 + 0.55f * i;
    Lathe(m, At({0.5f + 0.37f * std::cos(a), 0.48f, 0.5f + 0.37f * std::sin(a)}), SphereProfile(0.05f, 2), 4);
  }
  return m;
}

// The clamp that grips a box of a flying stone: drawn in the box's own cell, a
// U-shaped bracket under the box with jaws up its sides and an eye underneath
// for the hook.
Mesh MakeClamp() {
  Mesh m;
  const float z0 = 0.3f, z1 = 0.7f;
  BevelBox(m, {-0.08f, -0.14f, z0}, {1.08f, -0.03f, z1}, 0);
  BevelBox(m, {-0.12f, -0.14f, z0}, {-0.03f, 0.42f, z1}, 0);
  BevelBox(m, {1.03f, -0.14f, z0}, {1.12f, 0.42f, z1}, 0);
  // Teeth biting into the box sides.
  BevelBox(m, {-0.05f, 0.3f, z0 + 0.05f}, {0.04f, 0.42f, z1 - 0.05f}, 0);
  BevelBox(m, {0.96f, 0.3f, z0 + 0.05f}, {1.05f, 0.42f, z1 - 0.05f}, 0);
  Ring(m, {0.5f, -0.24f, 0.5f}, {1, 0, 0}, {0, 1, 0}, 0.09f, 0.03f, 10, 4);
  return m;
}

// The hook on top of the anchor chain. The scene turns it a quarter turn about
// x, so its upward direction is model -z; it is drawn at 0.55 scale with smooth
// normals and a sphere-mapped cloud texture, which makes it look like polished
// metal. An eye at the bottom meets the chain; the shaft rises to a collar whose
// two flukes curve upwards to catch a stone. Its rods are one or two pixels thick
// on screen: a few sides each, rounded by their smooth normals.
Mesh MakeHook() {
  Mesh m;
  const V3 x{1, 0, 0}, up{0, 0, -1};
  // Eye, in the plane facing the player (model x and z).
  Ring(m, V3{0, 0, 0.62f}, x, up, 0.16f, 0.05f, 12, 4);
  // Shaft, from inside the eye to inside the collar.
  const float top = 0.42f, bend = 0.3f;
  Sweep(m, {V3{0, 0, 0.44f}, up * top}, 0.075f, 6, Ends::Buried);
  // Flukes: arcs leaving the collar sideways and turning upwards.
  for (int side = -1; side <= 1; side += 2) {
    V3 out = x * static_cast<float>(side);
    std::vector<V3> fluke = Arc(up * (top + bend), up * -1.0f, out, bend, 0, PI / 2 * 0.9f, 6);
    Sweep(m, fluke, 0.06f, 5, Ends::Buried);
    // Barbed tip, pointing along the end of the arc; its base covers the fluke's end.
    V3 tip = fluke.back();
    V3 dir = Normalize(tip - fluke[fluke.size() - 2]);
    Frame f{tip, V3{0, 1, 0}, dir, Cross(V3{0, 1, 0}, dir)};
    Lathe(m, f, {{0.0f, -0.02f, false}, {0.1f, 0.0f, false}, {0.0f, 0.16f, false}}, 6);
  }
  // Collar where the flukes meet the shaft.
  Lathe(m, Frame{up * top, x, up, V3{0, 1, 0}}, SphereProfile(0.12f, 5), 8);
  return m;
}

// One cell of a tube row: a pipe along x through the middle of the cell with a
// flange at each end, so a row of them reads as one jointed pipeline. The rows lie
// below the camera's height or a little above it and never turn, so the pipe is
// built only round the part that can face the camera, from 20 degrees behind its
// top to 20 degrees behind its bottom. The pipe and the flange rims light up band
// by band in 20-degree facets; the flanges' steps and end discs face along the
// pipe, where the light hardly changes round it, and take coarse ones. Where a
// coarse ring meets a fine one the fine part runs on a little (the rim past the
// step's edge, the pipe under the step), so no gap between them lets the
// background show through.
Mesh MakeTube() {
  Mesh m;
  Frame f; // u = up, v = along the pipe, w = towards the player
  f.o = {0, 0.5f, 0.5f};
  f.u = {0, 1, 0};
  f.v = {1, 0, 0};
  f.w = {0, 0, 1};
  const Span seen{-PI / 9, PI + PI / 9};
  const int fine = 11, coarse = 5;
  Lathe(m, f, {{0.36f, 0.09f, false}, {0.36f, 0.91f, false}}, fine, seen);
  for (int end = 0; end < 2; ++end) {
    // Heights from this end of the cell inwards.
    auto h = [end](float d) { return end ? 1 - d : d; };
    auto piece = [&](std::vector<ProfilePoint> p, int sides) {
      if (end) std::reverse(p.begin(), p.end()); // profiles run bottom to top
      Lathe(m, f, p, sides, seen);
    };
    piece({{0, h(0), false}, {0.44f, h(0), false}}, coarse);
    piece({{0.44f, h(0), false}, {0.44f, h(0.1f), false}}, fine);
    piece({{0.44f, h(0.09f), false}, {0.36f, h(0.11f), false}}, coarse);
  }
  return m;
}

// The anchor plate: a rounded board riding the rail on wheels. The scene turns it
// a quarter turn about x (model -z becomes up, model +y comes towards the player)
// and draws it at 0.45 scale with the plate picture on its top face. The camera
// looks down on it: no underside, and only the front pair of wheels (the back
// pair hides behind them), without their back faces.
Mesh MakePlate() {
  Mesh m;
  Frame f; // u = model x, v = model y (depth on screen), w = model -z (up)
  f.w = {0, 0, -1};
  f.v = {0, -1, 0};
  Extrude(m, f, RoundedRect(1.05f, 0.85f, 0.3f, 3), -0.1f, 0.12f, false);
  for (float wx : {-0.7f, 0.7f}) {
    Frame wheel;
    wheel.o = {wx, 0.5f, 0.28f};
    Lathe(m, wheel, {{0.18f, -0.08f, false}, {0.18f, 0.08f, false}, {0, 0.08f, false}}, 8);
  }
  return m;
}

// The little character who stands on the stack. Model space is the unit cube:
// feet on y = 0, head below y = 1; the scene turns it a quarter turn about y,
// so the side facing the player is model -x. It stands in the field and never
// turns: its round parts are built around that side.
constexpr float CHARACTER_FRONT = PI;

Mesh MakeCharacter() {
  Mesh m;
  const Span front = Facing(CHARACTER_FRONT, 4 * PI / 3);
  // Body: a round, slightly pear-shaped figure.
  Lathe(m, At({0.5f, 0.1f, 0.5f}),
        {{0, 0, false},
         {0.16f, 0.01f, true},
         {0.24f, 0.08f, true},
         {0.26f, 0.2f, true},
         {0.22f, 0.32f, true},
         {0.14f, 0.4f, true},
         {0, 0.42f, false}},
        8, front);
  // Head.
  Lathe(m, At({0.5f, 0.66f, 0.5f}), SphereProfile(0.2f, 8), 8, front);
  // Eyes and nose bulging out towards the player.
  const Span face = Facing(CHARACTER_FRONT, PI);
  Lathe(m, At({0.32f, 0.7f, 0.43f}), SphereProfile(0.05f, 4), 4, face);
  Lathe(m, At({0.32f, 0.7f, 0.57f}), SphereProfile(0.05f, 4), 4, face);
  Lathe(m, At({0.3f, 0.63f, 0.5f}), SphereProfile(0.035f, 3), 4, face);
  // Antenna with a ball.
  Sweep(m, {{0.5f, 0.84f, 0.5f}, {0.52f, 0.9f, 0.5f}, {0.55f, 0.93f, 0.5f}}, 0.015f, 4, Ends::Buried);
  Lathe(m, At({0.56f, 0.94f, 0.5f}), SphereProfile(0.035f, 3), 4);
  // Arms hanging at the sides, and feet.
  for (int side = -1; side <= 1; side += 2) {
    float z = 0.5f + 0.27f * side;
    Sweep(m, {{0.5f, 0.42f, 0.5f + 0.2f * side}, {0.48f, 0.36f, z}, {0.44f, 0.24f, z + 0.03f * side}}, 0.04f,
          5, Ends::Buried);
    Lathe(m, At({0.44f, 0.22f, z + 0.03f * side}), SphereProfile(0.05f, 3), 5);
    BevelBox(m, {0.34f, 0.0f, 0.5f + 0.06f * side - 0.07f}, {0.62f, 0.1f, 0.5f + 0.06f * side + 0.07f}, 0);
  }
  return m;
}

std::vector<uint8_t> EncodeMs3d(const Mesh& m) {
  ByteWriter w(0);
  w.Bytes(0, "MS3D000000", 10);
  w.I32(10, 4);
  size_t off = 14;
  w.U16(off, static_cast<uint16_t>(m.vertices.size()));
  off += 2;
  std::vector<int> uses(m.vertices.size(), 0);
  for (const Triangle& t : m.triangles)
    for (uint16_t i : t.index) ++uses[i];
  for (size_t i = 0; i < m.vertices.size(); ++i) {
    w.U8(off, 0); // flags
    w.F32(off + 1, m.vertices[i].x);
    w.F32(off + 5, m.vertices[i].y);
    w.F32(off + 9, m.vertices[i].z);
    w.U8(off + 13, 0xFF); // no bone
    w.U8(off + 14, static_cast<uint8_t>(uses[i] > 255 ? 255 : uses[i]));
    off += 15;
  }
  w.U16(off, static_cast<uint16_t>(m.triangles.size()));
  off += 2;
  for (const Triangle& t : m.triangles) {
    w.U16(off, 0); // flags
    for (int c = 0; c < 3; ++c) w.U16(off + 2 + 2 * c, t.index[c]);
    for (int c = 0; c < 3; ++c) {
      w.F32(off + 8 + 12 * c, t.normal[c].x);
      w.F32(off + 12 + 12 * c, t.normal[c].y);
      w.F32(off + 16 + 12 * c, t.normal[c].z);
    }
    for (int c = 0; c < 3; ++c) w.F32(off + 44 + 4 * c, t.uv[c].s);
    for (int c = 0; c < 3; ++c) w.F32(off + 56 + 4 * c, t.uv[c].t);
    w.U8(off + 68, 1); // smoothing group
    w.U8(off + 69, 0); // group 0
    off += 70;
  }
  // One group holding every triangle, no material.
  w.U16(off, 1);
  off += 2;
  w.U8(off, 0);
  char name[32] = "body";
  w.Bytes(off + 1, name, 32);
  off += 33;
  w.U16(off, static_cast<uint16_t>(m.triangles.size()));
  off += 2;
  for (size_t i = 0; i < m.triangles.size(); ++i, off += 2) w.U16(off, static_cast<uint16_t>(i));
  w.U8(off, 0xFF); // material -1
  off += 1;
  w.U16(off, 0); // materials
  off += 2;
  w.F32(off, 24.0f);    // animation frames per second
  w.F32(off + 4, 1.0f); // current time
  w.I32(off + 8, 1);    // total frames
  off += 12;
  w.U16(off, 0); // joints
  return w.Result();
}

} // namespace

bool WriteModels(const std::string& dataDir) {
  // Each model with its triangle budget: about what its size on screen can show.
  // Boxes are drawn by the dozen every frame, so the box stays the plain bevelled
  // cube; the two bomb parts share 400 (the core is unlit, only its outline shows).
  struct Entry {
    const char* file;
    Mesh (*make)();
    size_t budget;
  };
  const Entry entries[] = {
      {"block.ms3d", MakeBlock, 44},
      {"bombinnen.ms3d", MakeBombCore, 100},
      {"bombAussen.ms3d", MakeBombShell, 300},
      {"klammer.ms3d", MakeClamp, 200},
      {"pik.ms3d", MakeHook, 400},
      {"cylinder.ms3d", MakeTube, 96},
      {"platte.ms3d", MakePlate, 128},
      {"lander.ms3d", MakeCharacter, 400},
  };
  for (const Entry& e : entries) {
    Mesh m = e.make();
    if (m.triangles.size() > e.budget) {
      std::fprintf(stderr, "datagen: %s has %zu triangles, over its budget of %zu\n", e.file,
                   m.triangles.size(), e.budget);
      return false;
    }
    std::vector<uint8_t> bytes = EncodeMs3d(m);
    std::string path = dataDir + "3d/" + e.file;
    if (!WriteDataFile(path, bytes)) return false;
  }
  return true;
}
