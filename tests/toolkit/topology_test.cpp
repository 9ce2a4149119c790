// Mesh topology: merging by position, edges and their faces, rebuilding.
#include <tessel/ts_mesh.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace {

std::vector<int> asVector(std::span<const int> s) { return {s.begin(), s.end()}; }

// The edge between two mesh vertices, or -1.
int edgeBetween(const TS_Mesh& mesh, int v0, int v1) {
  const TS_MeshTopology& top = mesh.Topology();
  const int a = top.MeshVertexTopVertex(v0), b = top.MeshVertexTopVertex(v1);
  for (int e = 0; e < top.TopEdgeCount(); ++e) {
    if (top.TopEdgeVertices(e) == std::array<int, 2>{std::min(a, b), std::max(a, b)}) {
      return e;
    }
  }
  return -1;
}

TS_Mesh meshOf(std::initializer_list<TS_3fPoint> points) {
  TS_Mesh mesh;
  for (const TS_3fPoint& p : points) {
    mesh.SetVertex(mesh.VertexCount(), p);
  }
  return mesh;
}

// A fan of `spokes` triangles round vertex 0, then random triangles and
// quads among a few hundred rim vertices, so that many share sides and some
// repeat a side or a corner.
TS_Mesh fanAndNoise(int spokes, int extraFaces) {
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0, 0, 0));
  for (int i = 0; i < spokes; ++i) {
    mesh.SetVertex(i + 1, TS_3fPoint(static_cast<float>(i), 1, 0));
  }
  for (int i = 0; i < spokes; ++i) {
    mesh.SetTriangle(i, 0, i + 1, (i + 1) % spokes + 1);
  }
  std::mt19937 random(7);
  std::uniform_int_distribution<int> rim(1, std::min(spokes, 300));
  for (int f = 0; f < extraFaces; ++f) {
    const int face = spokes + f;
    if (f % 3 == 0) {
      mesh.SetQuad(face, rim(random), rim(random), rim(random), rim(random));
    } else {
      mesh.SetTriangle(face, rim(random), rim(random), rim(random));
    }
  }
  return mesh;
}

// Edges numbered in the order their first side is met, each with the faces
// that have it, in face order and once per face.
std::vector<std::pair<std::array<int, 2>, std::vector<int>>> edgesByFirstSide(const TS_Mesh& mesh) {
  const TS_MeshTopology& top = mesh.Topology();
  std::map<std::array<int, 2>, std::size_t> numbers;
  std::vector<std::pair<std::array<int, 2>, std::vector<int>>> edges;
  for (int f = 0; f < mesh.FaceCount(); ++f) {
    const TS_MeshFace& face = mesh.Face(f);
    const int corners = face.IsTriangle() ? 3 : 4;
    for (int side = 0; side < corners; ++side) {
      const int a = top.MeshVertexTopVertex(face.vi[side]);
      const int b = top.MeshVertexTopVertex(face.vi[(side + 1) % corners]);
      if (a == b) {
        continue;
      }
      const std::array<int, 2> key{std::min(a, b), std::max(a, b)};
      const auto [at, isNew] = numbers.emplace(key, edges.size());
      if (isNew) {
        edges.push_back({key, {}});
      }
      std::vector<int>& faces = edges[at->second].second;
      if (faces.empty() || faces.back() != f) {
        faces.push_back(f);
      }
    }
  }
  return edges;
}

}  // namespace

TEST(Topology, EdgesAreNumberedInTheOrderTheirFirstSideIsMetEvenRoundAVertexOfManyEdges) {
  const TS_Mesh mesh = fanAndNoise(5000, 20000);
  ASSERT_EQ(mesh.FaceCount(), 25000);
  const TS_MeshTopology& top = mesh.Topology();
  const auto expected = edgesByFirstSide(mesh);
  ASSERT_EQ(top.TopEdgeCount(), static_cast<int>(expected.size()));
  for (int e = 0; e < top.TopEdgeCount(); ++e) {
    const auto& [vertices, faces] = expected[static_cast<std::size_t>(e)];
    ASSERT_EQ(top.TopEdgeVertices(e), vertices) << "edge " << e;
    ASSERT_EQ(asVector(top.TopEdgeFaces(e)), faces) << "edge " << e;
  }
}

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
    EXPECT_LT(top.TopEdgeVertices(e)[0], top.TopEdgeVertices(e)[1]);
    EXPECT_EQ(top.TopEdgeFaces(e).size(), 2u) << "a closed cube has no border, edge " << e;
  }
  EXPECT_EQ(meshOf({{0.0f, 1, 0.0f}, {-0.0f, 1, -0.0f}}).Topology().TopVertexCount(), 1);
}

TEST(Topology, EdgesComeFromFaceSidesAndListTheirFacesOnceInOrder) {
  TS_Mesh mesh = meshOf({{0, 0, 0}, {1, 0, 0}, {0.5f, 1, 0}, {0.5f, 0, 1}, {0.5f, -1, 0}, {1, 0, 0}});
  mesh.SetTriangle(0, 0, 1, 2);
  mesh.SetTriangle(1, 1, 0, 3);
  mesh.SetQuad(2, 0, 1, 0, 4);   // visits side 0-1 twice
  mesh.SetTriangle(3, 1, 5, 3);  // 1 and 5 coincide: no edge between them
  const int shared = edgeBetween(mesh, 0, 1);
  ASSERT_NE(shared, -1);
  EXPECT_EQ(asVector(mesh.Topology().TopEdgeFaces(shared)), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(asVector(mesh.Topology().TopEdgeFaces(edgeBetween(mesh, 1, 3))), (std::vector<int>{1, 3}));
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 6);

  TS_Mesh quad = meshOf({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  quad.SetQuad(0, 0, 1, 2, 3);
  EXPECT_EQ(quad.Topology().TopEdgeCount(), 4);
  EXPECT_EQ(edgeBetween(quad, 0, 2), -1);
}

TEST(Topology, IsRebuiltAfterTheMeshChangesAndCopiesKeepTheirOwn) {
  TS_Mesh mesh = meshOf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 0}, {6, 5, 0}, {5, 6, 0}});
  mesh.SetTriangle(0, 0, 1, 2);
  mesh.SetTriangle(1, 3, 4, 5);
  ASSERT_EQ(mesh.Topology().TopEdgeCount(), 6);
  const TS_Mesh before = mesh;

  // Fold the second triangle onto the first one's long side: they now share an edge.
  mesh.SetVertex(3, TS_3fPoint(1, 0, 0));
  mesh.SetVertex(4, TS_3fPoint(0, 1, 0));
  EXPECT_EQ(mesh.Topology().TopVertexCount(), 4);
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 5);
  EXPECT_EQ(before.Topology().TopEdgeCount(), 6);

  mesh.SetVertex(6, TS_3fPoint(9, 9, 9));
  mesh.SetTriangle(2, 0, 2, 6);
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 7);
  mesh.Destroy();
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 0);
}

// A released topology is built again, the same, on the next use, while a
// copy that shared it keeps the one it had.
TEST(Topology, ReleasedIsRebuiltAlikeAndCopiesKeepTheirs) {
  TS_Mesh mesh = test_meshes::sharedCornerCube();
  const TS_MeshTopology& first = mesh.Topology();
  const TS_Mesh sharing = mesh;
  ASSERT_EQ(&sharing.Topology(), &first);
  const int edges = first.TopEdgeCount();
  mesh.ReleaseTopology();
  const TS_MeshTopology& rebuilt = mesh.Topology();
  EXPECT_NE(&rebuilt, &first);
  EXPECT_EQ(&sharing.Topology(), &first);
  EXPECT_EQ(rebuilt.TopEdgeCount(), edges);
  EXPECT_EQ(rebuilt.TopVertexCount(), first.TopVertexCount());
}
