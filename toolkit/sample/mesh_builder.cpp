#include "mesh_builder.h"

#include <numeric>
#include <utility>

namespace tessel::sample {
namespace {

// Mirrored geometry produces -0; positions are compared exactly when the
// topology merges vertices, so both zeros must be stored the same way.
float Canonical(double value) { return static_cast<float>(value) + 0.0f; }

}  // namespace

int MeshBuilder::AddVertex(Vec3 position, Vec3 normal) {
  const Vec3 unit = Normalized(normal);
  mPositions.push_back({Canonical(position.x), Canonical(position.y), Canonical(position.z)});
  mNormals.push_back({Canonical(unit.x), Canonical(unit.y), Canonical(unit.z)});
  return static_cast<int>(mPositions.size() - 1);
}

Vec3 MeshBuilder::PositionOf(int index) const {
  const StoredPoint& p = mPositions[static_cast<std::size_t>(index)];
  return {p.x, p.y, p.z};
}

Vec3 MeshBuilder::NormalOf(int index) const {
  const StoredPoint& n = mNormals[static_cast<std::size_t>(index)];
  return {n.x, n.y, n.z};
}

bool MeshBuilder::FacesAlongNormals(int a, int b, int c) const {
  const Vec3 origin = PositionOf(a);
  const Vec3 facing = Cross(PositionOf(b) - origin, PositionOf(c) - origin);
  return Dot(facing, NormalOf(a) + NormalOf(b) + NormalOf(c)) >= 0.0;
}

void MeshBuilder::AddTriangle(int a, int b, int c) {
  if (!FacesAlongNormals(a, b, c)) {
    std::swap(b, c);
  }
  mFaces.push_back({a, b, c, c});
}

void MeshBuilder::AddQuad(int a, int b, int c, int d) {
  if (!FacesAlongNormals(a, b, c)) {
    std::swap(b, d);
  }
  mFaces.push_back({a, b, c, d});
}

void MeshBuilder::Append(const MeshBuilder& other, Vec3 offset) {
  const int base = static_cast<int>(mPositions.size());
  for (std::size_t i = 0; i < other.mPositions.size(); ++i) {
    const StoredPoint& p = other.mPositions[i];
    mPositions.push_back({Canonical(p.x + offset.x), Canonical(p.y + offset.y), Canonical(p.z + offset.z)});
    mNormals.push_back(other.mNormals[i]);
  }
  for (const auto& face : other.mFaces) {
    mFaces.push_back({face[0] + base, face[1] + base, face[2] + base, face[3] + base});
  }
}

std::size_t MeshBuilder::TriangleCount() const {
  return std::accumulate(mFaces.begin(), mFaces.end(), std::size_t{0},
                         [](std::size_t sum, const auto& face) { return sum + (face[2] == face[3] ? 1 : 2); });
}

TS_Mesh MeshBuilder::ToMesh() const {
  TS_Mesh mesh;
  mesh.Reserve(static_cast<int>(mPositions.size()), static_cast<int>(mFaces.size()));
  for (std::size_t i = 0; i < mPositions.size(); ++i) {
    const int index = static_cast<int>(i);
    mesh.SetVertex(index, TS_3fPoint(mPositions[i].x, mPositions[i].y, mPositions[i].z));
    mesh.SetVertexNormal(index, TS_3fVector(mNormals[i].x, mNormals[i].y, mNormals[i].z));
  }
  for (std::size_t f = 0; f < mFaces.size(); ++f) {
    const auto& face = mFaces[f];
    const int index = static_cast<int>(f);
    if (face[2] == face[3]) {
      mesh.SetTriangle(index, face[0], face[1], face[2]);
    } else {
      mesh.SetQuad(index, face[0], face[1], face[2], face[3]);
    }
  }
  return mesh;
}

}  // namespace tessel::sample
