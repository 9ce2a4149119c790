// Mesh editing and normals.
#include <tessel/ts_mesh.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

TS_Mesh triangle() {
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(1, TS_3fPoint(1, 0, 0));
  mesh.SetVertex(2, TS_3fPoint(0, 1, 0));
  mesh.SetTriangle(0, 0, 1, 2);
  return mesh;
}

}  // namespace

TEST(Mesh, SettersRefuseDanglingIndicesAndNormalsCountOnlyWhenOnePerVertex) {
  TS_Mesh mesh = triangle();
  EXPECT_FALSE(mesh.SetVertex(4, TS_3fPoint()));
  EXPECT_FALSE(mesh.SetTriangle(1, 0, 1, 3));
  EXPECT_FALSE(mesh.SetQuad(1, 0, 1, 2, -1));
  EXPECT_EQ(mesh.FaceCount(), 1);

  mesh.SetVertexNormal(0, TS_3fVector(0, 0, 1));
  mesh.SetVertexNormal(1, TS_3fVector(0, 0, 1));
  EXPECT_FALSE(mesh.HasVertexNormals());
  mesh.SetVertexNormal(2, TS_3dVector(0, 0, 1));
  EXPECT_TRUE(mesh.HasVertexNormals());
  mesh.SetVertex(3, TS_3fPoint(5, 5, 5));
  EXPECT_FALSE(mesh.HasVertexNormals());
}

TEST(Mesh, AssignTakesWholeArraysOrLeavesTheMeshAsItWas) {
  TS_Mesh mesh = triangle();
  ASSERT_TRUE(mesh.ComputeFaceNormals());
  const int edgesBefore = mesh.Topology().TopEdgeCount();
  const std::vector<TS_3fPoint> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

  // Index 4 lies one past the vertices, -1 before them: both refused whole.
  for (const int outside : {4, -1}) {
    EXPECT_FALSE(mesh.Assign(square, {TS_MeshFace{{0, 1, 2, 2}}, TS_MeshFace{{0, 2, 3, outside}}})) << outside;
    EXPECT_EQ(mesh.VertexCount(), 3);
    EXPECT_EQ(mesh.FaceCount(), 1);
    EXPECT_TRUE(mesh.HasFaceNormals());
  }

  ASSERT_TRUE(mesh.Assign(square, {TS_MeshFace{{0, 1, 2, 3}}}, std::vector<TS_3fVector>(4, TS_3fVector(0, 0, 1))));
  EXPECT_TRUE(std::ranges::equal(mesh.Vertices(), square));
  EXPECT_EQ(mesh.QuadCount(), 1);
  EXPECT_TRUE(mesh.HasVertexNormals());
  EXPECT_FALSE(mesh.HasFaceNormals()) << "face normals of the old faces do not fit the new ones";
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 4) << "the topology follows the new faces";
  EXPECT_NE(edgesBefore, 4);
}

TEST(Mesh, ComputedNormalsAreUnitAndPointOutOfAClosedShape) {
  TS_Mesh cube = test_meshes::sharedCornerCube();
  cube.SetVertex(8, TS_3fPoint(9, 9, 9));  // used by no face
  ASSERT_TRUE(cube.ComputeVertexNormals());
  ASSERT_TRUE(cube.HasFaceNormals());
  for (int f = 0; f < 6; ++f) {
    EXPECT_EQ(cube.FaceNormal(f), test_meshes::cubeSides()[static_cast<std::size_t>(f)].normal);
  }
  const float third = 1.0f / std::sqrt(3.0f);
  for (int v = 0; v < 8; ++v) {
    const TS_3fPoint& p = cube.Vertex(v);
    const TS_3fVector& n = cube.VertexNormal(v);
    EXPECT_NEAR(n.x, p.x > 0.5f ? third : -third, 1e-6) << "vertex " << v;
    EXPECT_NEAR(n.z, p.z > 0.5f ? third : -third, 1e-6) << "vertex " << v;
  }
  EXPECT_TRUE(cube.VertexNormal(8).IsZero());
}

TEST(Mesh, QuadsBecomeTwoTrianglesInPlaceAlongTheShorterDiagonal) {
  TS_Mesh mesh = triangle();
  // A kite whose diagonal 4-6 is much shorter than 3-5.
  const TS_3fPoint kite[] = {{10, 0, 0}, {12, -1, 0}, {14, 0, 0}, {12, 1, 0}};
  for (int i = 0; i < 4; ++i) {
    mesh.SetVertex(3 + i, kite[i]);
  }
  mesh.SetQuad(1, 3, 4, 5, 6);
  mesh.SetTriangle(2, 0, 1, 2);
  mesh.ComputeFaceNormals();

  ASSERT_TRUE(mesh.ConvertQuadsToTriangles());
  ASSERT_EQ(mesh.FaceCount(), 4);
  EXPECT_EQ(mesh.QuadCount(), 0);
  EXPECT_EQ(mesh.Face(0), mesh.Face(3));
  EXPECT_TRUE(mesh.HasFaceNormals());
  for (int f = 1; f <= 2; ++f) {
    const TS_MeshFace& t = mesh.Face(f);
    const auto uses = [&t](int v) { return t.vi[0] == v || t.vi[1] == v || t.vi[2] == v; };
    EXPECT_TRUE(uses(4) && uses(6)) << "triangle " << f;
    const TS_3fPoint& a = mesh.Vertex(t.vi[0]);
    EXPECT_GT(TS_CrossProduct(mesh.Vertex(t.vi[1]) - a, mesh.Vertex(t.vi[2]) - a).z, 0.0f) << "winding kept";
    EXPECT_EQ(mesh.FaceNormal(f), TS_3fVector(0, 0, 1));
  }
}

TEST(Mesh, CompactDropsUnusedVerticesAndInvalidFacesKeepingNormalsParallel) {
  TS_Mesh mesh;
  const TS_3fPoint points[] = {{0, 0, 0}, {7, 7, 7}, {1, 0, 0}, {0, 1, 0}, {8, 8, 8}};
  for (int v = 0; v < 5; ++v) {
    mesh.SetVertex(v, points[v]);
    mesh.SetVertexNormal(v, TS_3fVector(static_cast<float>(v), 0, 0));
  }
  mesh.SetTriangle(0, 0, 4, 4);  // repeated corner
  mesh.SetTriangle(1, 0, 2, 3);
  mesh.ComputeFaceNormals();

  ASSERT_TRUE(mesh.Compact());
  ASSERT_EQ(mesh.VertexCount(), 3);
  ASSERT_EQ(mesh.FaceCount(), 1);
  EXPECT_TRUE(mesh.HasFaceNormals());
  const TS_MeshFace& face = mesh.Face(0);
  for (int corner = 0; corner < 3; ++corner) {
    const int original = corner == 0 ? 0 : corner + 1;
    EXPECT_EQ(mesh.Vertex(face.vi[corner]), points[original]);
    EXPECT_EQ(mesh.VertexNormal(face.vi[corner]).x, static_cast<float>(original));
  }
}

TEST(Mesh, CompactLeavesACompactMeshAsItIsButStillDropsNormalsThatDoNotFit) {
  TS_Mesh compact = test_meshes::sharedCornerCube();
  ASSERT_TRUE(compact.ComputeVertexNormals());
  const TS_Mesh before = compact;
  ASSERT_TRUE(compact.Compact());
  EXPECT_TRUE(std::ranges::equal(compact.Vertices(), before.Vertices()));
  EXPECT_TRUE(std::ranges::equal(compact.VertexNormals(), before.VertexNormals()));
  ASSERT_EQ(compact.FaceCount(), before.FaceCount());
  for (int f = 0; f < compact.FaceCount(); ++f) {
    EXPECT_EQ(compact.Face(f), before.Face(f));
    EXPECT_EQ(compact.FaceNormal(f), before.FaceNormal(f));
  }

  // Every vertex used and every face valid, but one normal short.
  TS_Mesh shortNormals = triangle();
  shortNormals.SetVertexNormal(0, TS_3fVector(0, 0, 1));
  shortNormals.SetVertexNormal(1, TS_3fVector(0, 0, 1));
  ASSERT_TRUE(shortNormals.Compact());
  EXPECT_EQ(shortNormals.VertexCount(), 3);
  EXPECT_TRUE(shortNormals.VertexNormals().empty());
}

TEST(Mesh, BoundingBoxStartsAtTheFirstVertexOrGrowsTheBoxItIsGiven) {
  TS_3dPoint min(-5, -5, -5);
  TS_3dPoint max(-4, -4, -4);
  EXPECT_FALSE(TS_Mesh().GetBoundingBox(min, max));
  EXPECT_TRUE(TS_Mesh().GetBoundingBox(min, max, true)) << "a box to grow is a box";
  EXPECT_EQ(min, TS_3dPoint(-5, -5, -5));
  EXPECT_EQ(max, TS_3dPoint(-4, -4, -4));

  // Without growing, the old box does not count.
  ASSERT_TRUE(triangle().GetBoundingBox(min, max));
  EXPECT_EQ(min, TS_3dPoint(0, 0, 0));
  EXPECT_EQ(max, TS_3dPoint(1, 1, 0));

  TS_Mesh far;
  far.SetVertex(0, TS_3fPoint(3, -2, 4));
  ASSERT_TRUE(far.GetBoundingBox(min, max, true));
  EXPECT_EQ(min, TS_3dPoint(0, -2, 0));
  EXPECT_EQ(max, TS_3dPoint(3, 1, 4));
}

TEST(Mesh, AppendOffsetsTheOtherMeshsFacesAndKeepsNormalsOnlyWhenBothHaveThem) {
  TS_Mesh mesh = triangle();
  const int edgesBefore = mesh.Topology().TopEdgeCount();
  TS_Mesh other = triangle();
  other.SetVertex(2, TS_3fPoint(0, 0, 1));
  ASSERT_TRUE(mesh.Append(other));
  ASSERT_EQ(mesh.VertexCount(), 6);
  ASSERT_EQ(mesh.FaceCount(), 2);
  EXPECT_EQ(mesh.Face(1).vi[0], 3);
  EXPECT_EQ(mesh.Face(1).vi[1], 4);
  EXPECT_EQ(mesh.Face(1).vi[2], 5);
  EXPECT_EQ(mesh.Vertex(5), TS_3fPoint(0, 0, 1));
  // The topology is rebuilt: the copy's first edge lies on the original's,
  // the other two are new.
  EXPECT_EQ(edgesBefore, 3);
  EXPECT_EQ(mesh.Topology().TopEdgeCount(), 5);

  // Normals survive only when both sides have them.
  TS_Mesh withNormals = triangle();
  withNormals.ComputeFaceNormals();
  withNormals.ComputeVertexNormals();
  TS_Mesh both = withNormals;
  ASSERT_TRUE(both.Append(withNormals));
  EXPECT_TRUE(both.HasFaceNormals());
  EXPECT_TRUE(both.HasVertexNormals());
  TS_Mesh one = withNormals;
  ASSERT_TRUE(one.Append(triangle()));
  EXPECT_FALSE(one.HasFaceNormals());
  EXPECT_FALSE(one.HasVertexNormals());
  // An empty mesh takes the other whole, normals included.
  TS_Mesh empty;
  ASSERT_TRUE(empty.Append(withNormals));
  EXPECT_TRUE(empty.HasVertexNormals());
  EXPECT_EQ(empty.FaceCount(), 1);
}

TEST(Mesh, AppendingAMeshToItselfDoublesIt) {
  TS_Mesh cube = test_meshes::sharedCornerCube();
  const int vertices = cube.VertexCount();
  const int faces = cube.FaceCount();
  ASSERT_TRUE(cube.Append(cube));
  ASSERT_EQ(cube.VertexCount(), 2 * vertices);
  ASSERT_EQ(cube.FaceCount(), 2 * faces);
  for (int f = 0; f < faces; ++f) {
    for (int corner = 0; corner < 4; ++corner) {
      EXPECT_EQ(cube.Face(faces + f).vi[corner], cube.Face(f).vi[corner] + vertices);
    }
  }
  for (int v = 0; v < vertices; ++v) {
    EXPECT_EQ(cube.Vertex(vertices + v), cube.Vertex(v));
  }
}
