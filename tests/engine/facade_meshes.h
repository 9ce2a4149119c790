// Small host-side scenes for the facade tests: a cube of quads and the camera
// of a view that sees it whole.
#pragma once

#include <quorra/geometry.h>
#include <quorra/scene.h>

namespace quorra::test {

// A cube of side 2 around the origin as six outward quads in `color`, with
// one unit normal per vertex when `withNormals` (each of the eight corners
// pointing away from the centre, scaled by 3 so that they need unitizing).
inline Npr::Ge::Mesh Cube(Npr::Gs::Color color, bool withNormals) {
  Npr::Ge::Mesh mesh;
  for (int v = 0; v < 8; ++v) {
    const double x = (v & 1) ? 1.0 : -1.0;
    const double y = (v & 2) ? 1.0 : -1.0;
    const double z = (v & 4) ? 1.0 : -1.0;
    mesh.vertices().append(Npr::Ge::Point3d{x, y, z});
    if (withNormals) {
      mesh.vertexNormals().append(Npr::Ge::Vector3d{x * 3.0, y * 3.0, z * 3.0});
    }
  }
  const unsigned quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  for (const auto& q : quads) {
    mesh.faces().append(Npr::Ge::Mesh::Face{q[0], q[1], q[2], q[3]});
  }
  mesh.colors().append(color);
  return mesh;
}

// Looking at the origin from (6, -8, 5) with a perspective frustum that
// holds the cube.
inline Npr::View CubeView(int width, int height) {
  Npr::View view;
  view.hostValues[0] = 77;
  view.width = width;
  view.height = height;
  view.projection = 2;
  view.frustumLeft = -1.0;
  view.frustumRight = 1.0;
  view.frustumBottom = -0.75;
  view.frustumTop = 0.75;
  view.frustumNear = 3.0;
  view.frustumFar = 30.0;
  view.cameraLocation = Npr::Ge::Point3d{6.0, -8.0, 5.0};
  view.cameraDirection = Npr::Ge::Vector3d{-6.0, 8.0, -5.0};
  view.cameraUp = Npr::Ge::Vector3d{0.0, 0.0, 1.0};
  return view;
}

}  // namespace quorra::test
