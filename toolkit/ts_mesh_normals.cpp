#include <tessel/ts_mesh.h>

#include "guarded.h"

using tessel::detail::Guarded;

namespace {

TS_3fVector FaceNormalOf(const TS_MeshFace& face, std::span<const TS_3fPoint> vertices) {
  const auto at = [&](int corner) { return vertices[static_cast<std::size_t>(face.vi[corner])]; };
  // For a quad the diagonals give the normal of the best-fitting plane even
  // when the four corners are not coplanar. Edge extraction has its own rule
  // (the first three corners), which agrees with this one on the triangles
  // that scene nodes hold.
  TS_3fVector normal =
      face.IsTriangle() ? TS_CrossProduct(at(1) - at(0), at(2) - at(0)) : TS_CrossProduct(at(2) - at(0), at(3) - at(1));
  normal.Unitize();
  return normal;
}

}  // namespace

bool TS_Mesh::ComputeFaceNormals() {
  return Guarded([&] {
    std::vector<TS_3fVector> normals;
    normals.reserve(m_faces.size());
    for (const TS_MeshFace& face : m_faces) {
      normals.push_back(FaceNormalOf(face, m_vertices));
    }
    m_faceNormals = std::move(normals);
    return true;
  });
}

bool TS_Mesh::ComputeVertexNormals() {
  if (!HasFaceNormals() && !ComputeFaceNormals()) {
    return false;
  }
  return Guarded([&] {
    std::vector<TS_3fVector> normals(m_vertices.size());
    for (std::size_t f = 0; f < m_faces.size(); ++f) {
      const TS_MeshFace& face = m_faces[f];
      // Stored face normals need not be unit length; weigh every face alike.
      TS_3fVector unit = m_faceNormals[f];
      unit.Unitize();
      const int corners = face.IsTriangle() ? 3 : 4;
      for (int corner = 0; corner < corners; ++corner) {
        normals[static_cast<std::size_t>(face.vi[corner])] += unit;
      }
    }
    for (TS_3fVector& normal : normals) {
      normal.Unitize();
    }
    m_vertexNormals = std::move(normals);
    return true;
  });
}

void TS_Mesh::UnitizeFaceNormals() {
  for (TS_3fVector& normal : m_faceNormals) {
    normal.Unitize();
  }
}

void TS_Mesh::UnitizeVertexNormals() {
  for (TS_3fVector& normal : m_vertexNormals) {
    normal.Unitize();
  }
}
