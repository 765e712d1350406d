// Model files: the vertex and triangle sections read field by field, what follows
// them ignored, damaged files refused so that drawing never indexes outside the
// vertex array, and face normals from the file's winding.
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

#include "assets/model.h"
#include "core/binio.h"

namespace {

struct TestVertex {
  float x, y, z;
};
struct TestTriangle {
  uint16_t a, b, c;
  float normal[3];
  float s[3], t[3];
};

std::vector<uint8_t> MakeMs3d(const std::vector<TestVertex>& vertices,
                              const std::vector<TestTriangle>& triangles, size_t trailing = 0) {
  ByteWriter w(14);
  const char id[] = "MS3D000000";
  w.Bytes(0, id, 10);
  w.I32(10, 4);
  size_t at = 14;
  w.U16(at, static_cast<uint16_t>(vertices.size()));
  at += 2;
  for (const TestVertex& v : vertices) {
    w.U8(at, 0);
    w.F32(at + 1, v.x);
    w.F32(at + 5, v.y);
    w.F32(at + 9, v.z);
    w.U8(at + 13, 0xFF);
    w.U8(at + 14, 1);
    at += 15;
  }
  w.U16(at, static_cast<uint16_t>(triangles.size()));
  at += 2;
  for (const TestTriangle& t : triangles) {
    w.U16(at, 0);
    w.U16(at + 2, t.a);
    w.U16(at + 4, t.b);
    w.U16(at + 6, t.c);
    for (int c = 0; c < 3; ++c)
      for (int k = 0; k < 3; ++k) w.F32(at + 8 + 12 * c + 4 * k, t.normal[k]);
    for (int c = 0; c < 3; ++c) {
      w.F32(at + 44 + 4 * c, t.s[c]);
      w.F32(at + 56 + 4 * c, t.t[c]);
    }
    w.U8(at + 68, 1);
    w.U8(at + 69, 0);
    at += 70;
  }
  // Groups, materials and animation would follow; arbitrary bytes stand for them.
  for (size_t i = 0; i < trailing; ++i) w.U8(at + i, static_cast<uint8_t>(0xA0 + i));
  return w.Result();
}

const std::vector<TestVertex> Square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
const std::vector<TestTriangle> SquareTriangles = {
    {0, 1, 2, {0, 0, 1}, {0, 1, 1}, {0, 0, 1}},
    {0, 2, 3, {0, 0, 1}, {0, 1, 0}, {0, 1, 1}},
};

} // namespace

TEST(Ms3dParse, EmptyModelLoads) {
  std::vector<uint8_t> file = MakeMs3d({}, {});
  Ms3dGeometry geometry;
  EXPECT_TRUE(ParseMs3d(file.data(), file.size(), geometry));
  EXPECT_TRUE(geometry.vertices.empty());
  EXPECT_TRUE(geometry.triangles.empty());
}

TEST(Ms3dParse, ReadsEveryFieldAndIgnoresTrailingSections) {
  std::vector<uint8_t> file = MakeMs3d(Square, SquareTriangles, 300);
  Ms3dGeometry geometry;
  ASSERT_TRUE(ParseMs3d(file.data(), file.size(), geometry));
  ASSERT_EQ(geometry.vertices.size(), 4u);
  ASSERT_EQ(geometry.triangles.size(), 2u);
  EXPECT_EQ(geometry.vertices[2].position[0], 1.0f);
  EXPECT_EQ(geometry.vertices[2].position[1], 1.0f);
  EXPECT_EQ(geometry.vertices[2].boneId, -1);
  EXPECT_EQ(geometry.vertices[2].referenceCount, 1);
  const Ms3dTriangle& t = geometry.triangles[1];
  EXPECT_EQ(t.vertexIndices[0], 0);
  EXPECT_EQ(t.vertexIndices[1], 2);
  EXPECT_EQ(t.vertexIndices[2], 3);
  EXPECT_EQ(t.vertexNormals[2][2], 1.0f);
  EXPECT_EQ(t.s[1], 1.0f);
  EXPECT_EQ(t.t[2], 1.0f);
  EXPECT_EQ(t.smoothingGroup, 1);
}

TEST(Ms3dParse, TruncatedFilesAreRefused) {
  std::vector<uint8_t> file = MakeMs3d(Square, SquareTriangles);
  Ms3dGeometry geometry;
  for (size_t cut : {size_t{10}, size_t{15}, size_t{14 + 2 + 15 * 4}, file.size() - 1}) {
    EXPECT_FALSE(ParseMs3d(file.data(), cut, geometry)) << "cut at " << cut;
    EXPECT_TRUE(geometry.vertices.empty());
    EXPECT_TRUE(geometry.triangles.empty());
  }
}

TEST(Ms3dParse, OutOfRangeVertexIndicesAreRefused) {
  std::vector<TestTriangle> bad = SquareTriangles;
  bad[1].c = 4; // only vertices 0..3 exist
  std::vector<uint8_t> file = MakeMs3d(Square, bad);
  Ms3dGeometry geometry;
  EXPECT_FALSE(ParseMs3d(file.data(), file.size(), geometry));
  EXPECT_TRUE(geometry.triangles.empty());
  // A triangle in a model without vertices.
  std::vector<uint8_t> noVertices = MakeMs3d({}, {SquareTriangles[0]});
  EXPECT_FALSE(ParseMs3d(noVertices.data(), noVertices.size(), geometry));
}

TEST(TModelFile, LoadsFromDiskAndStaysEmptyWhenDamagedOrMissing) {
  char path[] = "/tmp/quorbels-model-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  std::vector<uint8_t> file = MakeMs3d(Square, SquareTriangles, 40);
  ASSERT_EQ(write(fd, file.data(), file.size()), static_cast<ssize_t>(file.size()));
  close(fd);
  TModel good(path);
  EXPECT_EQ(good.vertexCount, 4);
  EXPECT_EQ(good.triangleCount, 2);
  good.ReleaseData();
  EXPECT_EQ(good.vertexCount, 0);
  EXPECT_TRUE(good.vertices.empty());
  EXPECT_TRUE(good.triangles.empty());

  std::vector<TestTriangle> bad = SquareTriangles;
  bad[0].a = 900;
  file = MakeMs3d(Square, bad);
  FILE* f = std::fopen(path, "wb");
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  TModel damaged(path);
  EXPECT_EQ(damaged.vertexCount, 0);
  EXPECT_EQ(damaged.triangleCount, 0);
  unlink(path);

  TModel missing("/nonexistent-quorbels/model.ms3d");
  EXPECT_EQ(missing.vertexCount, 0);
  EXPECT_EQ(missing.triangleCount, 0);
}

TEST(FaceNormals, FollowTheWindingAndAreNormalised) {
  float n[3];
  const float o[3] = {0, 0, 0}, x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
  FaceNormal(o, x, y, n);
  EXPECT_FLOAT_EQ(n[0], 0);
  EXPECT_FLOAT_EQ(n[1], 0);
  EXPECT_FLOAT_EQ(n[2], 1);
  FaceNormal(o, y, x, n); // reversed winding
  EXPECT_FLOAT_EQ(n[2], -1);
  // (2,0,0) x (0,0,-2) = (0,4,0): unit y after normalising.
  const float a[3] = {2, 0, 0}, b[3] = {0, 0, -2};
  FaceNormal(o, a, b, n);
  EXPECT_FLOAT_EQ(n[0], 0);
  EXPECT_FLOAT_EQ(n[1], 1);
  EXPECT_FLOAT_EQ(n[2], 0);
  // An oblique face: (1,1,0) and (0,1,1) from (1,0,0) ... n = (1,1,1)/sqrt(3).
  const float p0[3] = {1, 0, 0}, p1[3] = {0, 1, 0}, p2[3] = {0, 0, 1};
  FaceNormal(p0, p1, p2, n);
  float inv = 1 / std::sqrt(3.0f);
  EXPECT_NEAR(n[0], inv, 1e-6);
  EXPECT_NEAR(n[1], inv, 1e-6);
  EXPECT_NEAR(n[2], inv, 1e-6);
}

TEST(FaceNormals, DegenerateTrianglesGetAFiniteNormal) {
  float n[3];
  const float p[3] = {1, 2, 3}, q[3] = {2, 4, 6}, r[3] = {3, 6, 9};
  FaceNormal(p, q, r, n); // collinear
  EXPECT_TRUE(std::isfinite(n[0]) && std::isfinite(n[1]) && std::isfinite(n[2]));
  EXPECT_FLOAT_EQ(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1);
  FaceNormal(p, p, p, n); // a point
  EXPECT_FLOAT_EQ(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1);
}

// Damaged copies of a valid model: an accepted model never names a vertex it
// does not have, so drawing stays inside the vertex array.
TEST(Ms3dParse, DamagedFilesNeverYieldDanglingIndices) {
  std::vector<uint8_t> original = MakeMs3d(Square, SquareTriangles, 20);
  std::mt19937 random(99);
  int accepted = 0;
  for (int round = 0; round < 5000; ++round) {
    std::vector<uint8_t> file = original;
    int changes = 1 + static_cast<int>(random() % 3);
    for (int k = 0; k < changes; ++k) file[random() % file.size()] = static_cast<uint8_t>(random());
    if (random() % 4 == 0) file.resize(random() % (file.size() + 1));
    Ms3dGeometry geometry;
    if (!ParseMs3d(file.data(), file.size(), geometry)) {
      ASSERT_TRUE(geometry.vertices.empty() && geometry.triangles.empty());
      continue;
    }
    ++accepted;
    for (const Ms3dTriangle& t : geometry.triangles)
      for (uint16_t index : t.vertexIndices) ASSERT_LT(index, geometry.vertices.size());
  }
  EXPECT_GT(accepted, 0);
}
