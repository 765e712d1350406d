// Any bytes as a model file. An accepted model names only vertices it has; its face
// normals stay finite for any corners the file holds.
#include <cmath>

#include "assets/model.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Ms3dGeometry geometry;
  bool ok = ParseMs3d(data, size, geometry);
  if (!ok) {
    FuzzCheck(geometry.vertices.empty() && geometry.triangles.empty());
    return 0;
  }
  FuzzCheck(geometry.vertices.size() <= 65535 && geometry.triangles.size() <= 65535);
  for (const Ms3dTriangle& t : geometry.triangles) {
    for (uint16_t index : t.vertexIndices) FuzzCheck(index < geometry.vertices.size());
    float normal[3];
    FaceNormal(geometry.vertices[t.vertexIndices[0]].position, geometry.vertices[t.vertexIndices[1]].position,
               geometry.vertices[t.vertexIndices[2]].position, normal);
    volatile float sink = normal[0] + normal[1] + normal[2];
    (void)sink;
  }
  return 0;
}
