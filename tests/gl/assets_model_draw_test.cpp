// What a model sends to OpenGL, read back through feedback mode with lighting on:
// positions scaled, texture coordinates and normals exactly as stored (vertex
// normals) or one normal from the winding (face normals).
#include <GL/gl.h>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "assets/model.h"
#include "core/binio.h"
#include "core/files.h"
#include "gl_fixture.h"
#include "platform/platform.h"

namespace {

struct Corner {
  float x, y, z;
  float normal[3];
  float s, t;
};

// One-triangle model file with the given corners (in winding order).
std::string WriteTriangleModel(const Corner (&c)[3]) {
  ByteWriter w(14);
  w.Bytes(0, "MS3D000000", 10);
  w.I32(10, 4);
  w.U16(14, 3);
  size_t at = 16;
  for (const Corner& k : c) {
    w.F32(at + 1, k.x);
    w.F32(at + 5, k.y);
    w.F32(at + 9, k.z);
    at += 15;
  }
  w.U16(at, 1);
  at += 2;
  for (int i = 0; i < 3; ++i) {
    w.U16(at + 2 + 2 * i, static_cast<uint16_t>(i));
    for (int k = 0; k < 3; ++k) w.F32(at + 8 + 12 * i + 4 * k, c[i].normal[k]);
    w.F32(at + 44 + 4 * i, c[i].s);
    w.F32(at + 56 + 4 * i, c[i].t);
  }
  w.U8(at + 68, 1); // smoothing group and group index close the record
  w.U8(at + 69, 0);
  char path[] = "/tmp/quorbels-tri-XXXXXX";
  int fd = mkstemp(path);
  close(fd);
  EXPECT_TRUE(WriteFileAtomic(path, w.Result().data(), w.Result().size()));
  return path;
}

struct FedVertex {
  float x, y, z;
  float r, g, b, a;
  float s, t, p, q;
};

// Draws through feedback: a light from the viewer's side (+z), white diffuse,
// no ambient, no normalising, an ortho view of -4..4 on an 800 x 600 viewport.
template <typename Draw> std::vector<FedVertex> Feedback(Draw draw) {
  ResetTestFrame();
  PlatformSetViewport(0, 0, 800, 600);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-4, 4, -4, 4, -8, 8);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  // The lighting below is the test's own; the game's lights and materials come back after it.
  glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT);
  glEnable(GL_LIGHTING);
  glDisable(GL_NORMALIZE);
  glDisable(GL_CULL_FACE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  const GLfloat none[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1}, fromViewer[4] = {0, 0, 1, 0};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
  glEnable(GL_LIGHT0);
  glLightfv(GL_LIGHT0, GL_POSITION, fromViewer);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_AMBIENT, none);
  glLightfv(GL_LIGHT0, GL_SPECULAR, none);
  glDisable(GL_COLOR_MATERIAL);
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
  std::vector<float> buffer(4096);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint count = glRenderMode(GL_RENDER);
  glPopAttrib();
  glDisable(GL_LIGHTING);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  std::vector<FedVertex> vertices;
  for (GLint i = 0; i < count;) {
    if (static_cast<GLint>(buffer[i]) != GL_POLYGON_TOKEN) break;
    int n = static_cast<int>(buffer[i + 1]);
    i += 2;
    for (int k = 0; k < n; ++k, i += 11) {
      FedVertex v;
      std::copy_n(&buffer[i], 11, &v.x);
      vertices.push_back(v);
    }
  }
  return vertices;
}

float WindowX(float x) {
  return (x + 4) / 8 * 800;
}
float WindowY(float y) {
  return (y + 4) / 8 * 600;
}

} // namespace

TEST(ModelDrawing, VertexNormalsScalePositionsOnly) {
  ASSERT_TRUE(OpenGameTestWindow());
  // Stored normals of length 1 and 0.5: sent unchanged, so the lit colours are 1 and 0.5.
  Corner corners[3] = {
      {0, 0, 0, {0, 0, 1}, 0.25f, 0.75f}, {2, 0, 0, {0, 0, 0.5f}, 0.5f, 0.125f}, {0, 2, 0, {0, 0, 1}, 1, 0}};
  std::string path = WriteTriangleModel(corners);
  TModel model(path);
  unlink(path.c_str());
  ASSERT_EQ(model.triangleCount, 1);
  std::vector<FedVertex> fed = Feedback([&] { model.DrawWithVertexNormals(0.55f); });
  ASSERT_EQ(fed.size(), 3u);
  EXPECT_NEAR(fed[0].x, WindowX(0), 0.01);
  EXPECT_NEAR(fed[1].x, WindowX(2 * 0.55f), 0.01);
  EXPECT_NEAR(fed[2].y, WindowY(2 * 0.55f), 0.01);
  EXPECT_NEAR(fed[0].r, 1, 0.01);
  EXPECT_NEAR(fed[1].r, 0.5, 0.01);
  EXPECT_NEAR(fed[2].r, 1, 0.01);
  EXPECT_FLOAT_EQ(fed[0].s, 0.25f);
  EXPECT_FLOAT_EQ(fed[0].t, 0.75f); // t as stored, not flipped
  EXPECT_FLOAT_EQ(fed[1].s, 0.5f);
  EXPECT_FLOAT_EQ(fed[1].t, 0.125f);
}

TEST(ModelDrawing, FaceNormalsFollowTheWindingAndIgnoreStoredNormals) {
  ASSERT_TRUE(OpenGameTestWindow());
  // Stored normals point sideways; the face normal of this winding is +z.
  Corner facing[3] = {{0, 0, 0, {1, 0, 0}, 0, 0}, {2, 0, 0, {1, 0, 0}, 1, 0}, {0, 2, 0, {1, 0, 0}, 0, 1}};
  std::string path = WriteTriangleModel(facing);
  TModel model(path);
  std::vector<FedVertex> fed = Feedback([&] { model.DrawWithFaceNormals(0.45f); });
  ASSERT_EQ(fed.size(), 3u);
  for (const FedVertex& v : fed) EXPECT_NEAR(v.r, 1, 0.01);
  EXPECT_NEAR(fed[1].x, WindowX(2 * 0.45f), 0.01);
  std::vector<FedVertex> stored = Feedback([&] { model.DrawWithVertexNormals(1); });
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_NEAR(stored[0].r, 0, 0.01); // the sideways stored normals get no light

  // The opposite winding faces away from the light.
  Corner away[3] = {facing[0], facing[2], facing[1]};
  std::string awayPath = WriteTriangleModel(away);
  TModel back(awayPath);
  fed = Feedback([&] { back.DrawWithFaceNormals(1); });
  ASSERT_EQ(fed.size(), 3u);
  EXPECT_NEAR(fed[0].r, 0, 0.01);
  unlink(path.c_str());
  unlink(awayPath.c_str());
}

TEST(ModelDrawing, EmptyAndDegenerateModelsDrawSafely) {
  ASSERT_TRUE(OpenGameTestWindow());
  TModel empty;
  EXPECT_TRUE(Feedback([&] { empty.DrawWithVertexNormals(1); }).empty());
  EXPECT_TRUE(Feedback([&] { empty.DrawWithFaceNormals(1); }).empty());
  GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  empty.DrawWithFaceNormals(1);
  glEndList();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glDeleteLists(list, 1);

  Corner line[3] = {{0, 0, 0, {0, 0, 1}, 0, 0}, {1, 1, 0, {0, 0, 1}, 0, 0}, {2, 2, 0, {0, 0, 1}, 0, 0}};
  std::string path = WriteTriangleModel(line);
  TModel flat(path);
  unlink(path.c_str());
  // A triangle without area is clipped away, but its normal must still be finite.
  Feedback([&] { flat.DrawWithFaceNormals(1); });
  GLfloat normal[3] = {0, 0, 0};
  glBegin(GL_TRIANGLES);
  glEnd();
  flat.DrawWithFaceNormals(1);
  glGetFloatv(GL_CURRENT_NORMAL, normal);
  for (float n : normal) EXPECT_TRUE(std::isfinite(n));
}
