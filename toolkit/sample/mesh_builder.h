// Collects the vertices and faces of one sample object before they become a
// TS_Mesh. Every vertex carries its normal, and every face is wound so that
// its geometric normal agrees with the normals of its vertices: generators
// then only decide which points form a face, never in which order.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include <tessel/ts_mesh.h>

#include "sample_vector.h"

namespace tessel::sample {

class MeshBuilder {
public:
  // Stores a vertex; `normal` need not be unit length.
  int AddVertex(Vec3 position, Vec3 normal);

  void AddTriangle(int a, int b, int c);
  // A quad whose corners run around its edge in either direction.
  void AddQuad(int a, int b, int c, int d);

  // Appends all of `other`, moved by `offset`.
  void Append(const MeshBuilder& other, Vec3 offset);

  std::size_t VertexCount() const { return mPositions.size(); }
  std::size_t TriangleCount() const;

  // The faces with vertex normals; face normals are left to the consumer.
  TS_Mesh ToMesh() const;

private:
  struct StoredPoint {
    float x, y, z;
  };

  Vec3 PositionOf(int index) const;
  Vec3 NormalOf(int index) const;
  // True when a, b, c taken in this order face the way their normals point.
  bool FacesAlongNormals(int a, int b, int c) const;

  std::vector<StoredPoint> mPositions;
  std::vector<StoredPoint> mNormals;
  std::vector<std::array<int, 4>> mFaces;  // a triangle repeats its third index
};

}  // namespace tessel::sample
