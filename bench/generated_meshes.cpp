#include "generated_meshes.h"

#include <cmath>
#include <numbers>

namespace bench_meshes {
namespace {

int addVertex(TS_Mesh& mesh, double x, double y, double z) {
  const int index = mesh.VertexCount();
  mesh.SetVertex(index, TS_3dPoint(x, y, z));
  return index;
}

void addTriangle(TS_Mesh& mesh, int a, int b, int c) { mesh.SetTriangle(mesh.FaceCount(), a, b, c); }

// Unit radius, z from 0 to 2, `segments` around and `rings` bands up the side.
void addCylinder(TS_Mesh& mesh, int segments, int rings) {
  const auto angle = [segments](int s) { return 2.0 * std::numbers::pi * s / segments; };
  const int side = mesh.VertexCount();
  for (int r = 0; r <= rings; ++r) {
    for (int s = 0; s < segments; ++s) {
      addVertex(mesh, std::cos(angle(s)), std::sin(angle(s)), 2.0 * r / rings);
    }
  }
  const auto at = [&](int r, int s) { return side + r * segments + s % segments; };
  for (int r = 0; r < rings; ++r) {
    for (int s = 0; s < segments; ++s) {
      addTriangle(mesh, at(r, s), at(r, s + 1), at(r + 1, s + 1));
      addTriangle(mesh, at(r, s), at(r + 1, s + 1), at(r + 1, s));
    }
  }
  // Each cap has its own rim vertices, so the rim is a hard edge of split normals.
  for (const double z : {0.0, 2.0}) {
    const bool top = z > 0.0;
    const int centre = addVertex(mesh, 0.0, 0.0, z);
    const int rim = mesh.VertexCount();
    for (int s = 0; s < segments; ++s) {
      addVertex(mesh, std::cos(angle(s)), std::sin(angle(s)), z);
    }
    for (int s = 0; s < segments; ++s) {
      const int a = rim + s, b = rim + (s + 1) % segments;
      top ? addTriangle(mesh, centre, a, b) : addTriangle(mesh, centre, b, a);
    }
  }
}

// n by n cells over [2, 6] x [-2, 2], folded at a right angle along x = 4
// and gently waved.
void addSheet(TS_Mesh& mesh, int n) {
  const int first = mesh.VertexCount();
  for (int j = 0; j <= n; ++j) {
    for (int i = 0; i <= n; ++i) {
      const double u = -1.0 + 2.0 * i / n, v = -1.0 + 2.0 * j / n;
      addVertex(mesh, 4.0 + 2.0 * u, 2.0 * v, 2.0 * std::abs(u) + 0.1 * std::sin(6.0 * v));
    }
  }
  const auto at = [&](int i, int j) { return first + j * (n + 1) + i; };
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      addTriangle(mesh, at(i, j), at(i + 1, j), at(i + 1, j + 1));
      addTriangle(mesh, at(i, j), at(i + 1, j + 1), at(i, j + 1));
    }
  }
}

}  // namespace

TS_Mesh cylinderAndSheet(int resolution) {
  TS_Mesh mesh;
  const int segments = 2 * resolution, rings = resolution / 2;
  const int vertices = (rings + 1) * segments + 2 * (segments + 1) + (resolution + 1) * (resolution + 1);
  const int faces = 2 * segments * rings + 2 * segments + 2 * resolution * resolution;
  mesh.Reserve(vertices, faces);
  addCylinder(mesh, segments, rings);
  addSheet(mesh, resolution);
  mesh.ComputeFaceNormals();
  mesh.ComputeVertexNormals();
  mesh.UnitizeVertexNormals();
  return mesh;
}

}  // namespace bench_meshes
