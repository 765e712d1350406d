// The eight generated models, read by the game's own MilkShape parser and
// checked as the scene uses them: well-formed files, clean geometry whose
// winding agrees with its normals, and each shape sitting where the scene's
// transform puts it (box in its cell, hook on its chain, plate on its rail...).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "assets/model.h"
#include "core/binio.h"
#include "core/files.h"
#include "support/generated_data.h"

namespace {

const char* const ModelFiles[8] = {"block.ms3d", "bombinnen.ms3d", "bombAussen.ms3d", "klammer.ms3d",
                                   "pik.ms3d",   "cylinder.ms3d",  "platte.ms3d",     "lander.ms3d"};

struct V {
  double x, y, z;
};
V Sub(V a, V b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V Cross(V a, V b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(V a, V b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Len(V a) {
  return std::sqrt(Dot(a, a));
}

struct Box3 {
  V lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
  void Add(V p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
  }
};

class GeneratedModels : public ::testing::Test {
protected:
  void SetUp() override {
    dir = GeneratedDataDir();
    if (dir.empty()) GTEST_SKIP() << "QUORBELS_DATA names no generated data folder";
  }
  std::vector<uint8_t> Bytes(const char* file) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(dir + "3d/" + file, bytes)) << file;
    return bytes;
  }
  Ms3dGeometry Load(const char* file) {
    std::vector<uint8_t> bytes = Bytes(file);
    Ms3dGeometry g;
    EXPECT_TRUE(ParseMs3d(bytes.data(), bytes.size(), g)) << file;
    return g;
  }
  static V Pos(const Ms3dGeometry& g, int i) {
    const float* p = g.vertices[i].position;
    return {p[0], p[1], p[2]};
  }
  // Bounds of every vertex a triangle uses, after `transform`.
  template <typename F> static Box3 Bounds(const Ms3dGeometry& g, F&& transform) {
    Box3 b;
    for (const Ms3dTriangle& t : g.triangles)
      for (uint16_t i : t.vertexIndices) b.Add(transform(Pos(g, i)));
    return b;
  }
  static Box3 Bounds(const Ms3dGeometry& g) {
    return Bounds(g, [](V p) { return p; });
  }
  std::string dir;
};

TEST_F(GeneratedModels, EveryFileIsACompleteVersion4MilkShapeModel) {
  for (const char* file : ModelFiles) {
    SCOPED_TRACE(file);
    std::vector<uint8_t> bytes = Bytes(file);
    ByteReader in(bytes);
    ASSERT_TRUE(in.Has(0, 18));
    EXPECT_EQ(std::memcmp(bytes.data(), "MS3D000000", 10), 0);
    EXPECT_EQ(in.I32(10), 4);
    // Walk every section to the end: vertices, triangles, groups, materials,
    // animation settings and joints must account for the whole file.
    size_t nv = in.U16(14);
    size_t off = 16 + 15 * nv;
    size_t nt = in.U16(off);
    off += 2 + 70 * nt;
    ASSERT_TRUE(in.Has(off, 2));
    size_t groups = in.U16(off);
    off += 2;
    size_t grouped = 0;
    for (size_t g = 0; g < groups; ++g) {
      ASSERT_TRUE(in.Has(off, 35));
      size_t count = in.U16(off + 33);
      off += 35;
      for (size_t k = 0; k < count; ++k, off += 2) EXPECT_LT(in.U16(off), nt);
      grouped += count;
      off += 1; // material index
    }
    EXPECT_EQ(grouped, nt) << "every triangle belongs to a group";
    ASSERT_TRUE(in.Has(off, 2));
    size_t materials = in.U16(off);
    off += 2 + 361 * materials;
    ASSERT_TRUE(in.Has(off, 14));
    EXPECT_GT(in.F32(off), 0.0f) << "animation frames per second";
    off += 12;
    EXPECT_EQ(in.U16(off), 0) << "no joints";
    off += 2;
    EXPECT_EQ(off, bytes.size()) << "nothing after the joint section";
  }
}

TEST_F(GeneratedModels, TrianglesAreCleanAndWoundWithTheirNormals) {
  for (const char* file : ModelFiles) {
    SCOPED_TRACE(file);
    Ms3dGeometry g = Load(file);
    ASSERT_GT(g.triangles.size(), 0u);
    for (size_t n = 0; n < g.triangles.size(); ++n) {
      const Ms3dTriangle& t = g.triangles[n];
      for (uint16_t i : t.vertexIndices) ASSERT_LT(i, g.vertices.size()) << "triangle " << n;
      V face = Cross(Sub(Pos(g, t.vertexIndices[1]), Pos(g, t.vertexIndices[0])),
                     Sub(Pos(g, t.vertexIndices[2]), Pos(g, t.vertexIndices[0])));
      double area = Len(face) / 2;
      ASSERT_GT(area, 1e-7) << "degenerate triangle " << n;
      for (int c = 0; c < 3; ++c) {
        V normal{t.vertexNormals[c][0], t.vertexNormals[c][1], t.vertexNormals[c][2]};
        EXPECT_NEAR(Len(normal), 1.0, 1e-3) << "triangle " << n << " corner " << c;
        // The face-normal lists light a triangle from its winding, the vertex-normal
        // lists from the stored normals: both must face the same way.
        EXPECT_GT(Dot(normal, face), 0.0) << "triangle " << n << " corner " << c;
      }
    }
  }
}

TEST_F(GeneratedModels, EveryModelKeepsToItsTriangleBudget) {
  // What a model's size on screen can show: the busiest screen draws dozens of
  // boxes, tubes and bombs every frame. The bomb's shell and core share one budget.
  struct Budget {
    std::vector<const char*> files;
    size_t triangles;
  };
  const Budget budgets[] = {
      {{"block.ms3d"}, 44},    {{"bombinnen.ms3d", "bombAussen.ms3d"}, 400},
      {{"klammer.ms3d"}, 200}, {{"pik.ms3d"}, 400},
      {{"cylinder.ms3d"}, 96}, {{"platte.ms3d"}, 128},
      {{"lander.ms3d"}, 400},
  };
  size_t files = 0;
  for (const Budget& b : budgets) {
    size_t triangles = 0;
    for (const char* file : b.files) triangles += Load(file).triangles.size();
    EXPECT_LE(triangles, b.triangles) << b.files.front();
    files += b.files.size();
  }
  EXPECT_EQ(files, std::size(ModelFiles)) << "every model has a budget";
}

TEST_F(GeneratedModels, BoxIsAClosedUnitCubeWithTexturedFaces) {
  Ms3dGeometry g = Load("block.ms3d");
  Box3 b = Bounds(g);
  EXPECT_DOUBLE_EQ(b.lo.x, 0);
  EXPECT_DOUBLE_EQ(b.lo.y, 0);
  EXPECT_DOUBLE_EQ(b.lo.z, 0);
  EXPECT_DOUBLE_EQ(b.hi.x, 1);
  EXPECT_DOUBLE_EQ(b.hi.y, 1);
  EXPECT_DOUBLE_EQ(b.hi.z, 1);
  // Closed surface: every edge is shared by exactly two triangles, once in each direction.
  std::map<std::pair<int, int>, int> edges;
  for (const Ms3dTriangle& t : g.triangles)
    for (int c = 0; c < 3; ++c) ++edges[{t.vertexIndices[c], t.vertexIndices[(c + 1) % 3]}];
  for (const auto& [edge, count] : edges) {
    EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
    EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << edge.first << "-" << edge.second;
  }
  // The front (its face and the chamfers round it) shows the whole texture.
  float sMin = 1, sMax = 0, tMin = 1, tMax = 0;
  for (const Ms3dTriangle& t : g.triangles) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_GE(t.s[c], 0.0f);
      EXPECT_LE(t.s[c], 1.0f);
      EXPECT_GE(t.t[c], 0.0f);
      EXPECT_LE(t.t[c], 1.0f);
      if (t.vertexNormals[c][2] > 0.5f) {
        sMin = std::min(sMin, t.s[c]), sMax = std::max(sMax, t.s[c]);
        tMin = std::min(tMin, t.t[c]), tMax = std::max(tMax, t.t[c]);
      }
    }
  }
  EXPECT_LT(sMin, 0.1f);
  EXPECT_GT(sMax, 0.9f);
  EXPECT_LT(tMin, 0.1f);
  EXPECT_GT(tMax, 0.9f);
}

TEST_F(GeneratedModels, BoxEdgesAreChamferedWideAndLitAsTheirOwnFacets) {
  // The field boxes are drawn with the stored normals: a chamfer whose normals were
  // those of the faces it joins would never catch the light.
  Ms3dGeometry g = Load("block.ms3d");
  double frontInset = 1;
  int chamferTriangles = 0;
  for (const Ms3dTriangle& t : g.triangles) {
    V p[3] = {Pos(g, t.vertexIndices[0]), Pos(g, t.vertexIndices[1]), Pos(g, t.vertexIndices[2])};
    for (const V& q : p)
      if (q.z == 1) frontInset = std::min({frontInset, q.x, q.y, 1 - q.x, 1 - q.y});
    // A triangle of a flat face has all three corners on one side of the cube.
    bool face = false;
    for (int axis = 0; axis < 3; ++axis)
      for (double side : {0.0, 1.0}) {
        auto c = [axis](const V& q) { return axis == 0 ? q.x : axis == 1 ? q.y : q.z; };
        if (c(p[0]) == side && c(p[1]) == side && c(p[2]) == side) face = true;
      }
    if (face) continue;
    ++chamferTriangles;
    V n = Cross(Sub(p[1], p[0]), Sub(p[2], p[0]));
    n = {n.x / Len(n), n.y / Len(n), n.z / Len(n)};
    for (int c = 0; c < 3; ++c) {
      V stored{t.vertexNormals[c][0], t.vertexNormals[c][1], t.vertexNormals[c][2]};
      EXPECT_GT(Dot(stored, n), 0.999) << "a chamfer facet is lit as the flat facet it is";
      for (double component : {stored.x, stored.y, stored.z})
        EXPECT_LT(std::fabs(component), 0.9) << "leans between the faces it joins";
    }
  }
  EXPECT_EQ(chamferTriangles, 12 * 2 + 8) << "every edge chamfered, a facet at every corner";
  // About three and a half pixels on a field box: wide enough to read.
  EXPECT_GE(frontInset, 0.12);
  EXPECT_LE(frontInset, 0.2);
}

TEST_F(GeneratedModels, TubeFillsItsCellSoARowReadsAsOnePipe) {
  Box3 b = Bounds(Load("cylinder.ms3d"));
  EXPECT_DOUBLE_EQ(b.lo.x, 0);
  EXPECT_DOUBLE_EQ(b.hi.x, 1);
  EXPECT_GE(b.lo.y, 0);
  EXPECT_LE(b.hi.y, 1);
  EXPECT_GE(b.lo.z, 0);
  EXPECT_LE(b.hi.z, 1);
  EXPECT_GT(b.hi.y - b.lo.y, 0.6) << "a pipe thick enough to read as a tube";
}

TEST_F(GeneratedModels, BombShellAndGlowingCoreSitInTheCell) {
  Box3 shell = Bounds(Load("bombAussen.ms3d"));
  Ms3dGeometry core = Load("bombinnen.ms3d");
  Box3 coreBox = Bounds(core);
  for (const Box3& b : {shell, coreBox}) {
    EXPECT_GE(b.lo.x, 0);
    EXPECT_LE(b.hi.x, 1);
    EXPECT_GE(b.lo.z, 0);
    EXPECT_LE(b.hi.z, 1);
    EXPECT_GE(b.lo.y, 0);
    EXPECT_LE(b.hi.y, 1.1); // the spark may rise a little above the cell
  }
  // The core is drawn after the shell with the depth test on: it shows only
  // where it reaches out of the shell.
  int outside = 0;
  for (const Ms3dVertex& v : core.vertices) {
    const float* p = v.position;
    if (p[0] < shell.lo.x || p[0] > shell.hi.x || p[1] < shell.lo.y || p[1] > shell.hi.y ||
        p[2] < shell.lo.z || p[2] > shell.hi.z)
      ++outside;
  }
  EXPECT_GT(outside, 10);
}

TEST_F(GeneratedModels, ClampGripsTheBoxFromBelowAndAtItsSides) {
  Box3 b = Bounds(Load("klammer.ms3d"));
  EXPECT_LT(b.lo.y, 0) << "reaches under the box";
  EXPECT_LT(b.lo.x, 0) << "left jaw outside the box";
  EXPECT_GT(b.hi.x, 1) << "right jaw outside the box";
  EXPECT_NEAR((b.lo.x + b.hi.x) / 2, 0.5, 0.01) << "centred on the box";
  EXPECT_LT(b.hi.y, 1) << "leaves the top of the box free";
  EXPECT_GT(b.lo.y, -0.5);
}

TEST_F(GeneratedModels, HookMeetsTheChainAndStaysInsideItsCell) {
  // Drawn at 0.55 scale and turned 90 degrees about x: model (x, y, z) -> world (x, -z, y),
  // around the hook's centre half a cell above the anchor height. The chain ends
  // 0.2 below that centre.
  Box3 w = Bounds(Load("pik.ms3d"), [](V p) { return V{0.55 * p.x, -0.55 * p.z, 0.55 * p.y}; });
  EXPECT_LE(w.lo.y, -0.2) << "the hook's eye reaches down to the chain";
  EXPECT_GE(w.lo.y, -0.5);
  EXPECT_LE(w.hi.y, 0.5) << "the hook stays in its cell";
  EXPECT_GT(w.hi.y, 0.2) << "the hook points up towards the stones";
  EXPECT_LE(w.hi.x - w.lo.x, 1.0);
}

TEST_F(GeneratedModels, PlateRidesOnTheRailWithItsPictureOnTop) {
  // Drawn at 0.45 scale, turned 90 degrees about x, centred 0.2 above the rail's
  // top edge (the plate at -13.6, the rail between -13.9 and -13.8).
  Ms3dGeometry g = Load("platte.ms3d");
  Box3 w = Bounds(g, [](V p) { return V{0.45 * p.x, -0.45 * p.z, 0.45 * p.y}; });
  EXPECT_NEAR(w.lo.y, -0.2, 0.03) << "the wheels touch the rail";
  EXPECT_LE(w.hi.x - w.lo.x, 1.0) << "no wider than a column";
  EXPECT_GT(w.hi.x - w.lo.x, 0.6);
  // Its upward-facing top carries the whole picture.
  float sMin = 1, sMax = 0, tMin = 1, tMax = 0;
  for (const Ms3dTriangle& t : g.triangles) {
    // world up is model -z
    if (t.vertexNormals[0][2] > -0.99f) continue;
    for (int c = 0; c < 3; ++c) {
      sMin = std::min(sMin, t.s[c]), sMax = std::max(sMax, t.s[c]);
      tMin = std::min(tMin, t.t[c]), tMax = std::max(tMax, t.t[c]);
    }
  }
  EXPECT_FLOAT_EQ(sMin, 0);
  EXPECT_FLOAT_EQ(sMax, 1);
  EXPECT_FLOAT_EQ(tMin, 0);
  EXPECT_FLOAT_EQ(tMax, 1);
}

TEST_F(GeneratedModels, CharacterStandsOnTheBoxInsideItsUnitCube) {
  // The scene scales the character about the centre of the unit cube and puts
  // the cube's floor on the top of the highest box of the anchor column.
  Box3 b = Bounds(Load("lander.ms3d"));
  EXPECT_NEAR(b.lo.y, 0, 1e-6) << "feet on the box";
  EXPECT_GE(b.lo.x, 0);
  EXPECT_GE(b.lo.z, 0);
  EXPECT_LE(b.hi.x, 1);
  EXPECT_LE(b.hi.y, 1);
  EXPECT_LE(b.hi.z, 1);
  EXPECT_GT(b.hi.y, 0.8) << "tall enough to be seen";
}

} // namespace
