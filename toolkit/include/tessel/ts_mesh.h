// A polygon mesh of triangles and quads with single precision vertices and
// normals, and its topology: the mesh's vertices merged by position and the
// edges between them.
#pragma once

#include <tessel/ts_point.h>

#include <array>
#include <memory>
#include <span>
#include <vector>

namespace tessel::detail {
class TopologyBuilder;
}

// Four vertex indices; a triangle repeats its third index as the fourth.
struct TS_MeshFace {
  int vi[4] = {0, 0, 0, 0};

  bool IsTriangle() const { return vi[2] == vi[3]; }
  bool IsQuad() const { return vi[2] != vi[3]; }
  // All indices in 0..vertexCount-1 and no corner repeated (apart from the
  // repeated last index of a triangle).
  bool IsValid(int vertexCount) const;

  friend bool operator==(const TS_MeshFace&, const TS_MeshFace&) = default;
};

// Vertices at exactly the same position (bit for bit, with -0 equal to +0)
// become one topological vertex; each pair of topological vertices joined by
// a side of a face is one topological edge. Numbering follows first use:
// topological vertices in mesh vertex order, edges in face order. Immutable
// once built.
class TS_MeshTopology {
public:
  int TopVertexCount() const { return static_cast<int>(m_topVertexPoints.size()); }
  int TopEdgeCount() const { return static_cast<int>(m_edgeVertices.size()); }

  // The position shared by the merged mesh vertices.
  TS_3dPoint TopVertexPoint(int topVertex) const { return m_topVertexPoints[static_cast<std::size_t>(topVertex)]; }
  // The mesh vertices merged at a topological vertex, in increasing index order.
  std::span<const int> TopVertexMeshVertices(int topVertex) const;
  // The topological vertex a mesh vertex belongs to.
  int MeshVertexTopVertex(int meshVertex) const { return m_meshVertexToTop[static_cast<std::size_t>(meshVertex)]; }

  // The two topological vertices of an edge; the first has the lower index.
  std::array<int, 2> TopEdgeVertices(int edge) const { return m_edgeVertices[static_cast<std::size_t>(edge)]; }
  // The faces that have the edge as a side, in increasing face order, each once.
  std::span<const int> TopEdgeFaces(int edge) const;

private:
  friend class tessel::detail::TopologyBuilder;

  std::vector<TS_3dPoint> m_topVertexPoints;
  std::vector<int> m_meshVertexToTop;
  std::vector<int> m_topVertexOffsets;  // TopVertexCount() + 1 entries into m_topVertexMeshVertices
  std::vector<int> m_topVertexMeshVertices;
  std::vector<std::array<int, 2>> m_edgeVertices;
  std::vector<int> m_edgeFaceOffsets;  // TopEdgeCount() + 1 entries into m_edgeFaces
  std::vector<int> m_edgeFaces;
};

// Faces always refer to existing vertices: SetTriangle and SetQuad refuse
// other indices. Setters take an index below the current count to replace an
// element or equal to it to append one. A mesh "has" vertex normals when it
// holds exactly one per vertex, and face normals when exactly one per face.
class TS_Mesh {
public:
  TS_Mesh() = default;

  int VertexCount() const { return static_cast<int>(m_vertices.size()); }
  int FaceCount() const { return static_cast<int>(m_faces.size()); }
  int QuadCount() const;
  int TriangleCount() const { return FaceCount() - QuadCount(); }
  bool HasVertexNormals() const;
  bool HasFaceNormals() const;

  const TS_3fPoint& Vertex(int i) const { return m_vertices[static_cast<std::size_t>(i)]; }
  const TS_MeshFace& Face(int i) const { return m_faces[static_cast<std::size_t>(i)]; }
  const TS_3fVector& VertexNormal(int i) const { return m_vertexNormals[static_cast<std::size_t>(i)]; }
  const TS_3fVector& FaceNormal(int i) const { return m_faceNormals[static_cast<std::size_t>(i)]; }
  // Contiguous views, valid until the mesh next changes.
  std::span<const TS_3fPoint> Vertices() const { return m_vertices; }
  std::span<const TS_MeshFace> Faces() const { return m_faces; }
  std::span<const TS_3fVector> VertexNormals() const { return m_vertexNormals; }
  std::span<const TS_3fVector> FaceNormals() const { return m_faceNormals; }

  bool SetVertex(int i, const TS_3fPoint& point);
  bool SetVertex(int i, const TS_3dPoint& point) { return SetVertex(i, TS_3fPoint(point)); }
  bool SetVertexNormal(int i, const TS_3fVector& normal);
  bool SetVertexNormal(int i, const TS_3dVector& normal);
  bool SetTriangle(int face, int a, int b, int c);
  bool SetQuad(int face, int a, int b, int c, int d);
  void Reserve(int vertexCount, int faceCount);
  // Takes over whole arrays at once, dropping face normals: for building a
  // large mesh without a call per element. False, with the mesh unchanged,
  // when a face refers to a vertex outside `vertices` or there are more
  // than an int can count.
  bool Assign(std::vector<TS_3fPoint> vertices, std::vector<TS_MeshFace> faces,
              std::vector<TS_3fVector> vertexNormals = {});

  // The box around the vertices; with `growBox`, `min` and `max` already
  // hold a box, which is widened to take the vertices in too. False when
  // there is no box: no vertices and none to grow.
  bool GetBoundingBox(TS_3dPoint& min, TS_3dPoint& max, bool growBox = false) const;

  // Unit normals from the corners (quads: from the diagonals); a degenerate
  // face gets a zero normal. False when memory runs out.
  bool ComputeFaceNormals();
  // Per vertex the unitized sum of the normals of the faces that use it
  // (computing face normals first when missing); unused vertices get zero.
  bool ComputeVertexNormals();
  // Zero normals stay zero.
  void UnitizeFaceNormals();
  void UnitizeVertexNormals();

  // Splits every quad along its shorter diagonal into two triangles that
  // take the quad's place in face order and share its face normal.
  bool ConvertQuadsToTriangles();
  // Removes invalid faces and vertices no face uses, keeping the order of
  // what remains. Normal arrays stay parallel; a vertex normal array that
  // did not match the vertex count is dropped.
  bool Compact();
  // Adds the other mesh's vertices and faces after this mesh's. A normal
  // array survives only when both meshes have it (or this mesh was empty).
  bool Append(const TS_Mesh& other);
  void Destroy();

  // Built on first use and kept until the vertices or faces change. The
  // reference stays valid until then; copies of the mesh share it.
  const TS_MeshTopology& Topology() const;
  // Lets the cached topology go (copies that share it keep it); the next
  // Topology() builds it again. References to it end here.
  void ReleaseTopology() const { m_topology.reset(); }

private:
  void InvalidateTopology() { m_topology.reset(); }

  std::vector<TS_3fPoint> m_vertices;
  std::vector<TS_MeshFace> m_faces;
  std::vector<TS_3fVector> m_vertexNormals;
  std::vector<TS_3fVector> m_faceNormals;
  mutable std::shared_ptr<const TS_MeshTopology> m_topology;
};
