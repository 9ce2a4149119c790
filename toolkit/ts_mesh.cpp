#include <tessel/ts_mesh.h>

#include "guarded.h"
#include "topology_builder.h"

#include <algorithm>
#include <limits>
#include <utility>

using tessel::detail::Guarded;

namespace {

// Replaces element i, or appends when i is the current count.
template <class T>
bool SetOrAppend(std::vector<T>& items, int i, const T& value) {
  if (i < 0 || static_cast<std::size_t>(i) > items.size()) {
    return false;
  }
  if (static_cast<std::size_t>(i) == items.size()) {
    items.push_back(value);
  } else {
    items[static_cast<std::size_t>(i)] = value;
  }
  return true;
}

template <class T>
void ReleaseStorage(std::vector<T>& items) {
  std::vector<T>().swap(items);
}

}  // namespace

bool TS_MeshFace::IsValid(int vertexCount) const {
  for (int v : vi) {
    if (v < 0 || v >= vertexCount) {
      return false;
    }
  }
  const int a = vi[0], b = vi[1], c = vi[2], d = vi[3];
  if (a == b || c == a || c == b) {
    return false;
  }
  return c == d || (d != a && d != b);
}

int TS_Mesh::QuadCount() const {
  return static_cast<int>(
      std::count_if(m_faces.begin(), m_faces.end(), [](const TS_MeshFace& f) { return f.IsQuad(); }));
}

bool TS_Mesh::HasVertexNormals() const { return !m_vertices.empty() && m_vertexNormals.size() == m_vertices.size(); }

bool TS_Mesh::HasFaceNormals() const { return !m_faces.empty() && m_faceNormals.size() == m_faces.size(); }

bool TS_Mesh::SetVertex(int i, const TS_3fPoint& point) {
  return Guarded([&] {
    if (!SetOrAppend(m_vertices, i, point)) {
      return false;
    }
    InvalidateTopology();
    return true;
  });
}

bool TS_Mesh::SetVertexNormal(int i, const TS_3fVector& normal) {
  return Guarded([&] { return SetOrAppend(m_vertexNormals, i, normal); });
}

bool TS_Mesh::SetVertexNormal(int i, const TS_3dVector& normal) {
  return SetVertexNormal(
      i, TS_3fVector(static_cast<float>(normal.x), static_cast<float>(normal.y), static_cast<float>(normal.z)));
}

bool TS_Mesh::SetTriangle(int face, int a, int b, int c) { return SetQuad(face, a, b, c, c); }

bool TS_Mesh::SetQuad(int face, int a, int b, int c, int d) {
  const int count = VertexCount();
  for (int v : {a, b, c, d}) {
    if (v < 0 || v >= count) {
      return false;
    }
  }
  return Guarded([&] {
    if (!SetOrAppend(m_faces, face, TS_MeshFace{{a, b, c, d}})) {
      return false;
    }
    InvalidateTopology();
    return true;
  });
}

void TS_Mesh::Reserve(int vertexCount, int faceCount) {
  Guarded([&] {
    m_vertices.reserve(static_cast<std::size_t>(std::max(vertexCount, 0)));
    m_faces.reserve(static_cast<std::size_t>(std::max(faceCount, 0)));
    return true;
  });
}

bool TS_Mesh::Assign(std::vector<TS_3fPoint> vertices, std::vector<TS_MeshFace> faces,
                     std::vector<TS_3fVector> vertexNormals) {
  constexpr std::size_t kMostElements = std::numeric_limits<int>::max();
  if (vertices.size() > kMostElements || faces.size() > kMostElements || vertexNormals.size() > kMostElements) {
    return false;
  }
  const int count = static_cast<int>(vertices.size());
  const bool inRange = std::ranges::all_of(faces, [count](const TS_MeshFace& face) {
    return std::ranges::all_of(face.vi, [count](int v) { return v >= 0 && v < count; });
  });
  if (!inRange) {
    return false;
  }
  m_vertices = std::move(vertices);
  m_faces = std::move(faces);
  m_vertexNormals = std::move(vertexNormals);
  ReleaseStorage(m_faceNormals);
  InvalidateTopology();
  return true;
}

bool TS_Mesh::ConvertQuadsToTriangles() {
  if (QuadCount() == 0) {
    return true;
  }
  return Guarded([&] {
    const bool keepNormals = HasFaceNormals();
    std::vector<TS_MeshFace> faces;
    std::vector<TS_3fVector> normals;
    faces.reserve(m_faces.size() + static_cast<std::size_t>(QuadCount()));
    normals.reserve(keepNormals ? faces.capacity() : 0);
    for (std::size_t f = 0; f < m_faces.size(); ++f) {
      const TS_MeshFace& face = m_faces[f];
      const int a = face.vi[0], b = face.vi[1], c = face.vi[2], d = face.vi[3];
      if (face.IsTriangle()) {
        faces.push_back(face);
      } else if (Vertex(b).DistanceTo(Vertex(d)) < Vertex(a).DistanceTo(Vertex(c))) {
        faces.push_back({{a, b, d, d}});
        faces.push_back({{b, c, d, d}});
      } else {
        faces.push_back({{a, b, c, c}});
        faces.push_back({{a, c, d, d}});
      }
      if (keepNormals) {
        normals.insert(normals.end(), face.IsTriangle() ? 1 : 2, m_faceNormals[f]);
      }
    }
    m_faces = std::move(faces);
    m_faceNormals = std::move(normals);
    InvalidateTopology();
    return true;
  });
}

bool TS_Mesh::Compact() {
  return Guarded([&] {
    const int vertexCount = VertexCount();
    const bool keepFaceNormals = HasFaceNormals();
    const bool keepVertexNormals = HasVertexNormals();

    // Marks the vertices valid faces use; most meshes turn out compact
    // already and are left alone, which spares copying a large one whole.
    std::vector<int> newIndex(m_vertices.size(), -1);
    std::size_t validFaces = 0;
    for (const TS_MeshFace& face : m_faces) {
      if (!face.IsValid(vertexCount)) {
        continue;
      }
      ++validFaces;
      for (int v : face.vi) {
        newIndex[static_cast<std::size_t>(v)] = 0;
      }
    }
    const auto usedVertices = static_cast<std::size_t>(std::ranges::count(newIndex, 0));
    const bool normalsFit = (keepFaceNormals || m_faceNormals.empty()) && (keepVertexNormals || m_vertexNormals.empty());
    if (validFaces == m_faces.size() && usedVertices == m_vertices.size() && normalsFit) {
      return true;
    }

    std::vector<TS_MeshFace> faces;
    std::vector<TS_3fVector> faceNormals;
    faces.reserve(validFaces);
    faceNormals.reserve(keepFaceNormals ? validFaces : 0);
    for (std::size_t f = 0; f < m_faces.size(); ++f) {
      if (!m_faces[f].IsValid(vertexCount)) {
        continue;
      }
      faces.push_back(m_faces[f]);
      if (keepFaceNormals) {
        faceNormals.push_back(m_faceNormals[f]);
      }
    }

    std::vector<TS_3fPoint> vertices;
    std::vector<TS_3fVector> vertexNormals;
    vertices.reserve(usedVertices);
    vertexNormals.reserve(keepVertexNormals ? usedVertices : 0);
    for (std::size_t v = 0; v < m_vertices.size(); ++v) {
      if (newIndex[v] < 0) {
        continue;
      }
      newIndex[v] = static_cast<int>(vertices.size());
      vertices.push_back(m_vertices[v]);
      if (keepVertexNormals) {
        vertexNormals.push_back(m_vertexNormals[v]);
      }
    }
    for (TS_MeshFace& face : faces) {
      for (int& v : face.vi) {
        v = newIndex[static_cast<std::size_t>(v)];
      }
    }

    m_vertices = std::move(vertices);
    m_faces = std::move(faces);
    m_vertexNormals = std::move(vertexNormals);
    m_faceNormals = std::move(faceNormals);
    InvalidateTopology();
    return true;
  });
}

bool TS_Mesh::GetBoundingBox(TS_3dPoint& min, TS_3dPoint& max, bool growBox) const {
  bool any = growBox;
  for (const TS_3fPoint& p : m_vertices) {
    const TS_3dPoint point(p);
    if (!any) {
      min = max = point;
      any = true;
      continue;
    }
    min = {std::min(min.x, point.x), std::min(min.y, point.y), std::min(min.z, point.z)};
    max = {std::max(max.x, point.x), std::max(max.y, point.y), std::max(max.z, point.z)};
  }
  return any;
}

bool TS_Mesh::Append(const TS_Mesh& other) {
  if (&other == this) {
    const TS_Mesh copy(other);
    return Append(copy);
  }
  if (other.m_vertices.empty() && other.m_faces.empty()) {
    return true;
  }
  return Guarded([&] {
    if (m_vertices.empty() && m_faces.empty()) {
      *this = other;
      return true;
    }
    const bool vertexNormals = HasVertexNormals() && other.HasVertexNormals();
    const bool faceNormals = HasFaceNormals() && other.HasFaceNormals();
    const int offset = VertexCount();

    m_vertices.insert(m_vertices.end(), other.m_vertices.begin(), other.m_vertices.end());
    for (TS_MeshFace face : other.m_faces) {
      for (int& v : face.vi) {
        v += offset;
      }
      m_faces.push_back(face);
    }
    if (vertexNormals) {
      m_vertexNormals.insert(m_vertexNormals.end(), other.m_vertexNormals.begin(), other.m_vertexNormals.end());
    } else {
      ReleaseStorage(m_vertexNormals);
    }
    if (faceNormals) {
      m_faceNormals.insert(m_faceNormals.end(), other.m_faceNormals.begin(), other.m_faceNormals.end());
    } else {
      ReleaseStorage(m_faceNormals);
    }
    InvalidateTopology();
    return true;
  });
}

void TS_Mesh::Destroy() {
  ReleaseStorage(m_vertices);
  ReleaseStorage(m_faces);
  ReleaseStorage(m_vertexNormals);
  ReleaseStorage(m_faceNormals);
  InvalidateTopology();
}

const TS_MeshTopology& TS_Mesh::Topology() const {
  if (!m_topology) {
    try {
      m_topology = tessel::detail::TopologyBuilder::Build(m_vertices, m_faces);
    } catch (const std::bad_alloc&) {
      // Without memory for the topology the mesh shows no edges rather than failing.
      static const TS_MeshTopology empty;
      return empty;
    }
  }
  return *m_topology;
}
