#include "assets/model.h"

#include <GL/gl.h>
#include <cmath>
#include <new>

#include "core/binio.h"
#include "core/files.h"

namespace {
constexpr size_t HEADER_SIZE = 14;
constexpr size_t VERTEX_SIZE = 15;
constexpr size_t TRIANGLE_SIZE = 70;
} // namespace

bool ParseMs3d(const uint8_t* data, size_t size, Ms3dGeometry& out) {
  out.vertices.clear();
  out.triangles.clear();
  ByteReader r(data, size);
  size_t at = HEADER_SIZE;
  if (!r.Has(at, 2)) return false;
  uint16_t vertexCount = r.U16(at);
  at += 2;
  if (!r.Has(at, VERTEX_SIZE * vertexCount)) return false;
  out.vertices.resize(vertexCount);
  for (Ms3dVertex& v : out.vertices) {
    v.flags = r.U8(at);
    for (int k = 0; k < 3; ++k) v.position[k] = r.F32(at + 1 + 4 * k);
    v.boneId = static_cast<int8_t>(r.U8(at + 13));
    v.referenceCount = r.U8(at + 14);
    at += VERTEX_SIZE;
  }
  if (!r.Has(at, 2)) {
    out.vertices.clear();
    return false;
  }
  uint16_t triangleCount = r.U16(at);
  at += 2;
  if (!r.Has(at, TRIANGLE_SIZE * triangleCount)) {
    out.vertices.clear();
    return false;
  }
  out.triangles.resize(triangleCount);
  for (Ms3dTriangle& t : out.triangles) {
    t.flags = r.U16(at);
    for (int c = 0; c < 3; ++c) {
      t.vertexIndices[c] = r.U16(at + 2 + 2 * c);
      for (int k = 0; k < 3; ++k) t.vertexNormals[c][k] = r.F32(at + 8 + 12 * c + 4 * k);
      t.s[c] = r.F32(at + 44 + 4 * c);
      t.t[c] = r.F32(at + 56 + 4 * c);
    }
    t.smoothingGroup = r.U8(at + 68);
    t.groupIndex = r.U8(at + 69);
    // A triangle naming a missing vertex would make drawing read outside the array.
    for (uint16_t index : t.vertexIndices) {
      if (index >= vertexCount) {
        out.vertices.clear();
        out.triangles.clear();
        return false;
      }
    }
    at += TRIANGLE_SIZE;
  }
  return true;
}

TModel::TModel(const std::string& fileName) {
  std::vector<uint8_t> bytes;
  Ms3dGeometry geometry;
  // A damaged, oversized or unreadable model stays empty, and so does one that
  // memory cannot hold.
  try {
    if (!ReadWholeFile(fileName, bytes, nullptr, MODEL_FILE_LIMIT) ||
        !ParseMs3d(bytes.data(), bytes.size(), geometry))
      return;
  } catch (const std::bad_alloc&) {
    return;
  }
  vertices = std::move(geometry.vertices);
  triangles = std::move(geometry.triangles);
  vertexCount = static_cast<uint16_t>(vertices.size());
  triangleCount = static_cast<uint16_t>(triangles.size());
}

void FaceNormal(const float p0[3], const float p1[3], const float p2[3], float out[3]) {
  long double ax = static_cast<long double>(p1[0]) - p0[0], ay = static_cast<long double>(p1[1]) - p0[1],
              az = static_cast<long double>(p1[2]) - p0[2];
  long double bx = static_cast<long double>(p2[0]) - p0[0], by = static_cast<long double>(p2[1]) - p0[1],
              bz = static_cast<long double>(p2[2]) - p0[2];
  long double nx = ay * bz - az * by;
  long double ny = az * bx - bz * ax;
  long double nz = by * ax - ay * bx;
  long double length = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (!(length > 0) || !std::isfinite(length)) {
    out[0] = 0;
    out[1] = 0;
    out[2] = 1;
    return;
  }
  out[0] = static_cast<float>(nx / length);
  out[1] = static_cast<float>(ny / length);
  out[2] = static_cast<float>(nz / length);
}

void TModel::DrawWithVertexNormals(float scale) const {
  glBegin(GL_TRIANGLES);
  for (const Ms3dTriangle& t : triangles) {
    for (int c = 0; c < 3; ++c) {
      const float* p = vertices[t.vertexIndices[c]].position;
      glNormal3fv(t.vertexNormals[c]);
      glTexCoord2f(t.s[c], t.t[c]);
      glVertex3f(scale * p[0], scale * p[1], scale * p[2]);
    }
  }
  glEnd();
}

void TModel::DrawWithFaceNormals(float scale) const {
  glBegin(GL_TRIANGLES);
  for (const Ms3dTriangle& t : triangles) {
    float n[3];
    FaceNormal(vertices[t.vertexIndices[0]].position, vertices[t.vertexIndices[1]].position,
               vertices[t.vertexIndices[2]].position, n);
    glNormal3f(n[0], n[1], n[2]);
    for (int c = 0; c < 3; ++c) {
      const float* p = vertices[t.vertexIndices[c]].position;
      glTexCoord2f(t.s[c], t.t[c]);
      glVertex3f(scale * p[0], scale * p[1], scale * p[2]);
    }
  }
  glEnd();
}

void TModel::ReleaseData() {
  vertices.clear();
  vertices.shrink_to_fit();
  triangles.clear();
  triangles.shrink_to_fit();
  vertexCount = 0;
  triangleCount = 0;
}
