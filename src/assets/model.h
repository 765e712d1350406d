// Model: the game's 3D shapes, read from MilkShape 3D files (version-4 layout).
// Only vertices and triangles are used; groups, materials and animation that
// follow them in the file are ignored unread. The asset loader creates the eight
// models once, compiles each into a display list, and releases the data at exit.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Ms3dVertex {
  uint8_t flags;
  float position[3];
  int8_t boneId;
  uint8_t referenceCount;
};

struct Ms3dTriangle {
  uint16_t flags;
  uint16_t vertexIndices[3];
  float vertexNormals[3][3];
  float s[3];
  float t[3];
  uint8_t smoothingGroup;
  uint8_t groupIndex;
};

struct Ms3dGeometry {
  std::vector<Ms3dVertex> vertices;
  std::vector<Ms3dTriangle> triangles;
};

// Reads the vertex and triangle sections of a model file. False (and `out`
// emptied) when the file is shorter than the counts say or a triangle names a
// vertex that does not exist. The 14-byte header is not validated.
bool ParseMs3d(const uint8_t* data, size_t size, Ms3dGeometry& out);

class TModel {
public:
  // An empty model (no vertices, no triangles).
  TModel() = default;
  // Reads the file; a file that cannot be opened, is truncated or has bad vertex
  // indices leaves the model empty (it then draws an empty triangle block).
  explicit TModel(const std::string& fileName);

  // One glBegin(GL_TRIANGLES)..glEnd block. Positions are multiplied by `scale`;
  // normals and texture coordinates are sent as stored. No other state is touched.
  void DrawWithVertexNormals(float scale) const;
  // The same with one normalised face normal per triangle, from the file's winding.
  void DrawWithFaceNormals(float scale) const;
  void ReleaseData();

  uint16_t vertexCount = 0;
  uint16_t triangleCount = 0;
  std::vector<Ms3dVertex> vertices;
  std::vector<Ms3dTriangle> triangles;
};

// Face normal of a triangle from its unscaled corners: (p1 - p0) x (p2 - p0),
// normalised. A triangle without area gets (0, 0, 1) so lighting stays finite.
void FaceNormal(const float p0[3], const float p1[3], const float p2[3], float out[3]);
