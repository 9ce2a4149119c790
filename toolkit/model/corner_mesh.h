// A mesh gathered the way the importer hands over formats that index
// positions and normals separately (OBJ, STL): each face corner is a
// vertex of its own, in face order, and once any corner brings a normal
// every corner has one, zero where the file gave none.
#pragma once

#include <cmath>
#include <vector>

#include <tessel/ts_mesh.h>

namespace tessel::detail {

class CornerMesh {
public:
  int CornerCount() const { return static_cast<int>(mCorners.size()); }
  int FaceCount() const { return static_cast<int>(mFaces.size()); }

  void AddCorner(const TS_3fPoint& position) {
    mCorners.push_back(Positive(position));
    if (!mNormals.empty()) {
      mNormals.emplace_back(0.0f, 0.0f, 0.0f);
    }
  }
  void AddCorner(const TS_3fPoint& position, const TS_3fVector& normal) {
    if (mNormals.size() < mCorners.size()) {
      mNormals.resize(mCorners.size(), TS_3fVector(0.0f, 0.0f, 0.0f));
    }
    mCorners.push_back(Positive(position));
    mNormals.push_back(FiniteOrZero(normal));
  }
  // Corners counted from the first corner of the face.
  void AddTriangle(int first, int a, int b, int c) {
    TS_MeshFace face;
    face.vi[0] = first + a;
    face.vi[1] = first + b;
    face.vi[2] = face.vi[3] = first + c;
    mFaces.push_back(face);
  }

  // Normals stay only when one of them is not zero, as the importer's
  // conversion keeps them; false when the mesh cannot hold the counts.
  bool MoveInto(TS_Mesh& mesh) {
    if (!HasUsableNormal()) {
      mNormals.clear();
    }
    return mesh.Assign(std::move(mCorners), std::move(mFaces), std::move(mNormals));
  }

  static bool IsFinite(const TS_3fPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

private:
  // Placing a point by the identity transform turns -0 into +0; so does this.
  static TS_3fPoint Positive(const TS_3fPoint& p) { return {p.x + 0.0f, p.y + 0.0f, p.z + 0.0f}; }
  static TS_3fVector FiniteOrZero(const TS_3fVector& n) {
    if (!std::isfinite(n.x) || !std::isfinite(n.y) || !std::isfinite(n.z)) {
      return {0.0f, 0.0f, 0.0f};
    }
    return {n.x + 0.0f, n.y + 0.0f, n.z + 0.0f};
  }
  bool HasUsableNormal() const {
    for (const TS_3fVector& n : mNormals) {
      if (n.x != 0.0f || n.y != 0.0f || n.z != 0.0f) {
        return true;
      }
    }
    return false;
  }

  std::vector<TS_3fPoint> mCorners;
  std::vector<TS_3fVector> mNormals;
  std::vector<TS_MeshFace> mFaces;
};

}  // namespace tessel::detail
