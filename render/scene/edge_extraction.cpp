#include <linvale/node.h>

#include "edge_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using linvale::scene::AppendLine;

namespace {

// The unitized sum of the distinct vertex normals of the mesh vertices merged
// at a topological vertex, so that a hard shading edge (one position, two
// normals) gets the mean direction and duplicates do not weigh twice.
// `distinct` is scratch space, emptied here.
TS_3dVector TopVertexNormal(const TS_Mesh& mesh, const TS_MeshTopology& topology, int topVertex,
                            std::vector<TS_3fVector>& distinct) {
  const auto normals = mesh.VertexNormals();
  distinct.clear();
  TS_3dVector sum;
  for (int v : topology.TopVertexMeshVertices(topVertex)) {
    if (static_cast<std::size_t>(v) >= normals.size()) {
      continue;  // a mesh without normals contributes none
    }
    const TS_3fVector normal = normals[static_cast<std::size_t>(v)];
    if (std::find(distinct.begin(), distinct.end(), normal) != distinct.end()) {
      continue;
    }
    distinct.push_back(normal);
    sum += TS_3dVector(normal);
  }
  sum.Unitize();
  return sum;
}

// Not unitized: only its direction matters to the callers. The first three
// corners decide, as they always have for this renderer: nodes hold
// triangles, where this agrees with the toolkit's diagonal rule for quads,
// and a caller's quad keeps the silhouettes and creases it always had.
TS_3dVector FaceNormalOf(const TS_Mesh& mesh, int face) {
  const TS_MeshFace& f = mesh.Face(face);
  const TS_3fPoint& v0 = mesh.Vertex(f.vi[0]);
  return TS_CrossProduct(mesh.Vertex(f.vi[1]) - v0, mesh.Vertex(f.vi[2]) - v0);
}

// Which way a face turns relative to the camera; not a number for a
// projection that has no notion of it, so such faces never form silhouettes.
double Facing(TS::view_projection projection, const TS_3dVector& viewDirection, const TS_3dPoint& cameraLocation,
              const TS_Mesh& mesh, int face, const TS_3dVector& normal) {
  switch (projection) {
    case TS::parallel_view: return Node::CalculaAnguloEntreAxis(viewDirection, normal);
    case TS::perspective_view:
      return Node::CalculaAnguloEntreAxis(cameraLocation - TS_3dPoint(mesh.Vertex(mesh.Face(face).vi[0])), normal);
    default: return std::numeric_limits<double>::quiet_NaN();
  }
}

bool OppositeSigns(double a, double b) { return (a > 0.0 && b < 0.0) || (a < 0.0 && b > 0.0); }

}  // namespace

double Node::CalculaAnguloEntreAxis(TS_3dVector a, TS_3dVector b) {
  a *= 1.0 / a.Length();
  b *= 1.0 / b.Length();
  // Rounding can push the dot product of unit vectors just past 1 in
  // magnitude, and the arc cosine of that would be NaN instead of 0 or pi.
  // std::clamp passes NaN through, which zero-length input relies on.
  return std::clamp(TS_DotProduct(a, b), -1.0, 1.0);
}

void Node::ComputeEdges(TS_3dVector viewDirection, TS_3dPoint cameraLocation, TS::view_projection projection,
                        double angle) {
  try {
    const TS_MeshTopology& topology = m_mesh.Topology();
    std::vector<TS_3fVector> scratch;
    for (int edge = 0; edge < topology.TopEdgeCount(); ++edge) {
      const auto [top0, top1] = topology.TopEdgeVertices(edge);
      const TS_Line line(topology.TopVertexPoint(top0), topology.TopVertexPoint(top1));
      const TS_Line normals(TS_3dPoint(TopVertexNormal(m_mesh, topology, top0, scratch)),
                            TS_3dPoint(TopVertexNormal(m_mesh, topology, top1, scratch)));
      const auto faces = topology.TopEdgeFaces(edge);
      if (faces.size() < 2) {
        AppendLine(m_endLines, m_endNormalLines, line, normals);
        continue;
      }
      // An edge of more than two faces is judged by its last two.
      const int face1 = faces[faces.size() - 1];
      const int face2 = faces[faces.size() - 2];
      const TS_3dVector normal1 = FaceNormalOf(m_mesh, face1);
      const TS_3dVector normal2 = FaceNormalOf(m_mesh, face2);

      double dihedral = std::acos(CalculaAnguloEntreAxis(normal1, normal2));
      if (std::isnan(dihedral)) {
        dihedral = 0.0;  // a face of zero area
      }
      if (dihedral >= angle) {
        AppendLine(m_disLines, m_disNormalLines, line, normals);
      }
      const double facing1 = Facing(projection, viewDirection, cameraLocation, m_mesh, face1, normal1);
      const double facing2 = Facing(projection, viewDirection, cameraLocation, m_mesh, face2, normal2);
      if (OppositeSigns(facing1, facing2)) {
        AppendLine(m_silLines, m_silNormalLines, line, normals);
      }
    }
  } catch (...) {
    // Out of memory: the edges found so far stay, each with its normals.
  }
}
