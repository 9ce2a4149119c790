// Mesh topology: merging by position, edges and their faces, rebuilding.
#include <tessel/ts_mesh.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<int> asVector(std::span<const int> s) { return {s.begin(), s.end()}; }

// The edge between two mesh vertices, or -1.
int edgeBetween(const TS_Mesh& mesh, int v0, int v1) {
  const TS_MeshTopology& top = mesh.Topology();
  const int a = top.MeshVertexTopVertex(v0), b = top.MeshVertexTopVertex(v1);
  for (int e = 0; e < top.TopEdgeCount(); ++e) {
    const auto ends = top.TopEdgeVertices(e);
    if ((ends[0] == a && ends[1] == b) || (ends[0] == b && ends[1] == a)) {
      return e;
    }
  }
  return -1;
}

TS_Mesh twoSeparateTriangles() {
  TS_Mesh mesh;
  const TS_3fPoint points[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 0}, {6, 5, 0}, {5, 6, 0}};
  for (int v = 0; v < 6; ++v) {
    mesh.SetVertex(v, points[v]);
  }
  mesh.SetTriangle(0, 0, 1, 2);
  mesh.SetTriangle(1, 3, 4, 5);
  return mesh;
}

}  // namespace

TEST(Topology, FlatCubeMergesItsSplitCorners) {
  const TS_Mesh cube = test_meshes::flatCube();
  const TS_MeshTopology& top = cube.Topology();
  ASSERT_EQ(top.TopVertexCount(), 8);
  EXPECT_EQ(top.TopEdgeCount(), 18);  // 12 cube edges and 6 side diagonals

  for (int t = 0; t < top.TopVertexCount(); ++t) {
    const std::vector<int> merged = asVector(top.TopVertexMeshVertices(t));
    ASSERT_EQ(merged.size(), 3u) << "top vertex " << t;
    EXPECT_TRUE(std::is_sorted(merged.begin(), merged.end()));
    for (int v : merged) {
      EXPECT_EQ(top.MeshVertexTopVertex(v), t);
      EXPECT_EQ(top.TopVertexPoint(t), TS_3dPoint(cube.Vertex(v)));
    }
  }
  for (int e = 0; e < top.TopEdgeCount(); ++e) {
    const auto ends = top.TopEdgeVertices(e);
    EXPECT_LT(ends[0], ends[1]);
    const std::vector<int> faces = asVector(top.TopEdgeFaces(e));
    ASSERT_EQ(faces.size(), 2u) << "a closed cube has no border, edge " << e;
    EXPECT_LT(faces[0], faces[1]);
  }
}

TEST(Topology, NegativeZeroMergesWithZero) {
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0.0f, 1.0f, 0.0f));
  mesh.SetVertex(1, TS_3fPoint(-0.0f, 1.0f, -0.0f));
  EXPECT_EQ(mesh.Topology().TopVertexCount(), 1);
  EXPECT_EQ(asVector(mesh.Topology().TopVertexMeshVertices(0)), (std::vector<int>{0, 1}));
}

TEST(Topology, QuadSidesAreEdgesButNotItsDiagonals) {
  TS_Mesh mesh;
  for (int v = 0; v < 4; ++v) {
    mesh.SetVertex(v, TS_3fPoint(static_cast<float>(v == 1 || v == 2), static_cast<float>(v >= 2), 0));
  }
  mesh.SetQuad(0, 0, 1, 2, 3);
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 4);
  EXPECT_EQ(edgeBetween(mesh, 0, 2), -1);
  EXPECT_NE(edgeBetween(mesh, 3, 0), -1);
}

TEST(Topology, EdgeFacesAreListedOnceEachInFaceOrder) {
  TS_Mesh mesh;
  const TS_3fPoint points[] = {{0, 0, 0}, {1, 0, 0}, {0.5f, 1, 0}, {0.5f, 0, 1}, {0.5f, -1, 0}};
  for (int v = 0; v < 5; ++v) {
    mesh.SetVertex(v, points[v]);
  }
  mesh.SetTriangle(0, 0, 1, 2);
  mesh.SetTriangle(1, 1, 0, 3);
  mesh.SetTriangle(2, 0, 1, 4);
  mesh.SetQuad(3, 0, 1, 0, 2);  // visits side 0-1 twice
  const int shared = edgeBetween(mesh, 0, 1);
  ASSERT_NE(shared, -1);
  EXPECT_EQ(asVector(mesh.Topology().TopEdgeFaces(shared)), (std::vector<int>{0, 1, 2, 3}));
}

TEST(Topology, SidesWithBothEndsAtOnePositionAreNoEdges) {
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(1, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(2, TS_3fPoint(1, 0, 0));
  mesh.SetTriangle(0, 0, 1, 2);
  const TS_MeshTopology& top = mesh.Topology();
  EXPECT_EQ(top.TopVertexCount(), 2);
  ASSERT_EQ(top.TopEdgeCount(), 1);
  EXPECT_EQ(asVector(top.TopEdgeFaces(0)), (std::vector<int>{0}));
}

TEST(Topology, IsRebuiltAfterTheMeshChangesAndCopiesKeepTheirOwn) {
  TS_Mesh mesh = twoSeparateTriangles();
  ASSERT_EQ(mesh.Topology().TopVertexCount(), 6);
  ASSERT_EQ(mesh.Topology().TopEdgeCount(), 6);
  const TS_Mesh before = mesh;

  // Fold the second triangle onto the first one's long side: they now share an edge.
  mesh.SetVertex(3, TS_3fPoint(1, 0, 0));
  mesh.SetVertex(4, TS_3fPoint(0, 1, 0));
  EXPECT_EQ(mesh.Topology().TopVertexCount(), 4);
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 5);
  EXPECT_EQ(mesh.Topology().TopEdgeFaces(edgeBetween(mesh, 1, 2)).size(), 2u);

  EXPECT_EQ(before.Topology().TopVertexCount(), 6);
  EXPECT_EQ(before.Topology().TopEdgeCount(), 6);

  mesh.SetVertex(6, TS_3fPoint(9, 9, 9));
  mesh.SetTriangle(2, 0, 2, 6);
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 7);
  mesh.ConvertQuadsToTriangles();
  mesh.Compact();
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 7);
  mesh.Destroy();
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 0);
  EXPECT_EQ(mesh.Topology().TopVertexCount(), 0);
}
