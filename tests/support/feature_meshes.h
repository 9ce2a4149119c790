// Small meshes with known features for the toolkit and edge tests.
#pragma once

#include <tessel/ts_mesh.h>

#include <array>

namespace test_meshes {

// Corners of the faces of the unit cube [0,1]^3, counter-clockwise seen from
// outside, with the outward normal of each face.
struct CubeSide {
  TS_3fVector normal;
  std::array<TS_3fPoint, 4> corners;
};

inline std::array<CubeSide, 6> cubeSides() {
  return {{
      {{-1, 0, 0}, {{{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}}},
      {{1, 0, 0}, {{{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}}},
      {{0, -1, 0}, {{{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}}},
      {{0, 1, 0}, {{{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}}},
      {{0, 0, -1}, {{{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}}},
      {{0, 0, 1}, {{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}}},
  }};
}

// A flat-shaded cube: every side has its own four vertices carrying the
// side's normal, so each corner position holds three mesh vertices with
// three different normals. Triangulated and with face normals, as nodes
// hold their meshes.
inline TS_Mesh flatCube() {
  TS_Mesh mesh;
  for (const CubeSide& side : cubeSides()) {
    const int first = mesh.VertexCount();
    for (const TS_3fPoint& corner : side.corners) {
      mesh.SetVertexNormal(mesh.VertexCount(), side.normal);
      mesh.SetVertex(mesh.VertexCount(), corner);
    }
    mesh.SetQuad(mesh.FaceCount(), first, first + 1, first + 2, first + 3);
  }
  mesh.ConvertQuadsToTriangles();
  mesh.ComputeFaceNormals();
  return mesh;
}

// A cube of eight shared corners and six quads, without normals.
inline TS_Mesh sharedCornerCube() {
  TS_Mesh mesh;
  for (int i = 0; i < 8; ++i) {
    mesh.SetVertex(
        i, TS_3fPoint(static_cast<float>(i & 1), static_cast<float>((i >> 1) & 1), static_cast<float>((i >> 2) & 1)));
  }
  const auto index = [](const TS_3fPoint& p) {
    return static_cast<int>(p.x) | (static_cast<int>(p.y) << 1) | (static_cast<int>(p.z) << 2);
  };
  for (const CubeSide& side : cubeSides()) {
    const auto& c = side.corners;
    mesh.SetQuad(mesh.FaceCount(), index(c[0]), index(c[1]), index(c[2]), index(c[3]));
  }
  return mesh;
}

}  // namespace test_meshes
